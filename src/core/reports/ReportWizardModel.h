#pragma once

#include "core/common/DialogModel.h"
#include "core/reports/ReportDefinition.h"

#include <QString>
#include <QStringList>

#include <optional>

class Clock;
class Prompter;
class ProjectTables;

// The state and rules behind the "Report Wizard": the report type, the vendor
// and date criteria, the name, the way through the pages, and on Finish the
// ready-made report (and, with a criterion, its stored query of the same name).
class ReportWizardModel : public DialogModel
{
public:
    // The report goes into the report definition file and its query is stored by name, not as records:
    // changes() stays empty.
    enum class Field
    {
        None,
        Vendor,
        StartDate,
        ThruDate,
        Name
    };
    using Result = SaveResult<Field>;

    enum Type : int
    {
        ItemListing = 0,
        VendorListing = 1,
        CustomerListing = 2,
        InvoiceListing = 3,
        ReorderReport = 4,
        // Reachable only by code: finishing it creates nothing.
        SalesTaxReport = 5,
    };
    static constexpr int kTypeCount = 6;
    // The type page's radios cover the first five.
    static constexpr int kRadioCount = 5;

    enum class Page
    {
        Type,
        Vendor,
        Date,
        Name
    };

    // The report's fonts are sized for a screen of `pixelsPerInch`.
    ReportWizardModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                      int pixelsPerInch = kScreenPixelsPerInch);

    QString caption() const override { return QStringLiteral("Report Wizard"); }
    // The radio's text; empty for the type without one.
    static QString typeCaption(int type);
    static QString typeDescription(int type);

    // Type page
    int type() const { return m_type; }
    void setType(int type);
    QString description() const { return typeDescription(m_type); }

    // The page Next and Back lead to; nothing where the page has no such button.
    std::optional<Page> nextPage(Page from) const;
    std::optional<Page> previousPage(Page from) const;
    bool canFinish(Page page) const { return page == Page::Name; }
    // Leaving a page forward checks what it holds; false after telling the user.
    bool leavePage(Page page);

    // Vendor page
    const QStringList& vendorEntries() const { return m_vendorEntries; }
    qint32 vendorID() const { return m_vendorID; }
    // A picker selection or the vendor found by "Find Vendor".
    void setVendorID(qint32 id);
    // "ID:" beside the picker: six digits, empty without a vendor.
    QString vendorIDText() const;
    bool applyVendorCriteria() const { return m_applyVendor; }
    void setApplyVendorCriteria(bool on) { m_applyVendor = on; }

    // Date page; both dates start at today.
    bool useDates() const { return m_useDates; }
    void setUseDates(bool on) { m_useDates = on; }
    QString startDateText() const { return m_startText; }
    void setStartDateText(const QString& text) { m_startText = text; }
    QString thruDateText() const { return m_thruText; }
    void setThruDateText(const QString& text) { m_thruText = text; }

    // Name page: the report's name and title, and its query's name.
    QString name() const { return m_name; }
    void setName(const QString& text) { m_name = text; }

    // What Finish builds for the choices made so far.
    bool createsQuery() const;
    CReportDefinition buildDefinition() const;
    // The query text; nothing when the report has no query.
    std::optional<QString> buildQuery() const;
    QString completionMessage() const;

    // Finish: checks the vendor, the dates and the name, then writes the query
    // and the report together (neither without the other) and shows the
    // completion message. A refusal keeps the wizard open on the page to fix.
    Result save();
    // Names of what the last Finish created, for the navigation tree.
    QString createdReport() const { return m_createdReport; }
    QString createdQuery() const { return m_createdQuery; }

private:
    bool usesVendor() const { return m_type == ItemListing || m_type == ReorderReport; }
    bool usesDates() const { return m_type == InvoiceListing || m_type == SalesTaxReport; }
    bool checkVendor();
    bool checkDates();
    bool checkName();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;
    int m_pixelsPerInch;

    int m_type = ItemListing;
    QStringList m_vendorEntries;
    qint32 m_vendorID;
    bool m_applyVendor = false;
    bool m_useDates = false;
    QString m_startText;
    QString m_thruText;
    QString m_name;

    QString m_createdReport;
    QString m_createdQuery;
};
