#pragma once

#include "core/common/DateTime.h"
#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QString>
#include <QStringList>

class Clock;
class Prompter;
class ProjectTables;

// What a quick report asks before it is built, beyond an invoice or a customer.

// The Date Range dialog: the first and last day a report takes in, both
// included. It starts at the first of this month and today.
class DateRangeModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Start,
        End
    };
    using Result = SaveResult<Field>;

    DateRangeModel(Prompter& prompter, const Clock& clock);

    QString caption() const override { return QStringLiteral("Date Range"); }
    // "Please specify the date range to include."
    QString helpLine() const override;

    QString startText() const { return m_startText; }
    void setStartText(const QString& text) { m_startText = text; }
    QString endText() const { return m_endText; }
    void setEndText(const QString& text) { m_endText = text; }

    // Takes the two dates; refuses one that is not a date, and a range that
    // ends before it starts.
    Result save();
    // The range the last successful save took, each day at midnight.
    DateTime start() const { return m_start; }
    DateTime end() const { return m_end; }

private:
    Prompter& m_prompter;
    QString m_startText;
    QString m_endText;
    DateTime m_start = DateTime::null();
    DateTime m_end = DateTime::null();
};

// How the item rows of a report are ordered.
enum class ItemSorting
{
    ById,
    ByName,
    ByNumber
};

// Which items a report takes and in which order.
struct ItemCriteria
{
    // Only items whose primary vendor is this one, when `appliesVendor`.
    qint32 vendorID = NoSelection;
    bool appliesVendor = false;
    ItemSorting sorting = ItemSorting::ById;
};

// The Additional Report Information dialog: an optional vendor whose items
// alone the report takes (by their primary vendor), and the order of the items.
class ReportCriteriaModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Vendor
    };
    using Result = SaveResult<Field>;

    // The first vendor is selected, no criterion applied, items by ID.
    ReportCriteriaModel(ProjectTables& tables, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Additional Report Information"); }
    QString helpLine() const override;

    const QStringList& vendorEntries() const { return m_vendorEntries; }
    qint32 vendorID() const { return m_vendorID; }
    // Selects a vendor (also what Find Vendor does); an ID not in the picker
    // selects none.
    void selectVendor(qint32 vendorID);

    bool appliesVendor() const { return m_appliesVendor; }
    void setAppliesVendor(bool applies) { m_appliesVendor = applies; }
    ItemSorting sorting() const { return m_sorting; }
    void setSorting(ItemSorting sorting) { m_sorting = sorting; }

    // "Next >>": refuses a vendor criterion without a vendor.
    Result save();
    ItemCriteria criteria() const { return {m_vendorID, m_appliesVendor, m_sorting}; }

private:
    Prompter& m_prompter;
    QStringList m_vendorEntries;
    qint32 m_vendorID = NoSelection;
    bool m_appliesVendor = false;
    ItemSorting m_sorting = ItemSorting::ById;
};
