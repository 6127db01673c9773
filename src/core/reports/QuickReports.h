#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/RecordIds.h"
#include "core/common/UserSettings.h"
#include "core/reports/ReportPrompts.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class ProjectTables;

// The nine fixed business reports, built as plain text content (title block,
// tables, closing lines) with every figure already computed and formatted, so
// that drawing them needs no further data work. Money is summed in exact
// currency arithmetic and formatted only at the end.

// The report kinds, numbered as the navigation tree and the menu know them.
enum class QuickReportKind : int
{
    Invoice = 0,
    PaymentsByCustomer = 3,
    SalesToCustomer = 4,
    CustomerBalances = 5,
    InvoiceBalances = 6,
    OutstandingOrders = 7,
    DetailedSalesList = 8,
    SaleQuantitiesByItem = 9,
    InventorySummary = 10,
};

// Every kind, in number order.
QList<QuickReportKind> QuickReportKinds();
// "Invoice", "Payments by Customer", ...: the tree node's and menu item's name.
QString QuickReportName(QuickReportKind kind);
// The kind of a tree node's name; nothing for any other text.
std::optional<QuickReportKind> QuickReportKindNamed(const QString& name);
// The kind a stored number stands for; nothing for 1, 2 and numbers above 10.
std::optional<QuickReportKind> QuickReportKindFromNumber(int number);

// What a report asks the user for before it can be built.
struct QuickReportNeeds
{
    bool invoice = false;  // "Select Invoice"
    bool customer = false; // Customer Selection
    bool dateRange = false;
    bool vendorAndSorting = false; // "Additional Report Information"
};
QuickReportNeeds QuickReportNeedsOf(QuickReportKind kind);

// "Report Sorting": the key items are listed by.

struct QuickReportParameters
{
    QuickReportKind kind = QuickReportKind::Invoice;
    qint32 invoiceID = NoSelection;
    qint32 customerID = NoSelection;
    // Used only when applyVendorCriteria is set: items whose primary vendor
    // (VendorID1) is another one are left out.
    qint32 vendorID = NoSelection;
    bool applyVendorCriteria = false;
    ItemSorting sorting = ItemSorting::ById;
    // Whole days, both included; the time of day is ignored. A start after the
    // end is a range without days.
    DateTime start = DateTime::null();
    DateTime end = DateTime::null();
    // The day the report is made, for its "Date:" line.
    DateTime today = DateTime::null();
    // The company block at the head of every page.
    CompanyInfo company;
};

// One table of a report: headed columns and rows of cell texts.
struct QuickTable
{
    QStringList headings;
    QList<QStringList> rows; // each as long as headings
    // Fractions of the printable width, one per column, when the report fixes
    // them; empty when the renderer shares the width out itself.
    QList<double> widths;
    // One per column: amounts and quantities are right-aligned.
    QList<bool> rightAligned;
};

// A report ready to be laid out. Reading order on the page: the company block
// (companyName in the company-name font, companyLines in the company-info
// font), the title in the title font, dateLine, headLines, then each table
// with its headings in the column-header font and its cells in the body font,
// then closingLines in the body font. Empty texts and lists are left out.
struct QuickReportContent
{
    QString companyName;
    QStringList companyLines;
    QString title;
    // "Date: <today>" or "Date: <start> - <end>"; empty for the reports whose
    // head block carries a date line of its own (Invoice, Payments by Customer).
    QString dateLine;
    QStringList headLines;
    QList<QuickTable> tables;
    // May hold "\n" for a blank line before a footnote.
    QStringList closingLines;
    // Set when the report cannot be shown ("Unable to locate invoice", "Unable
    // to locate customer", or why the project could not be read); then every
    // other member is empty.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// How a report's cells give amounts, dates and record IDs. Unset, they are as
// the user reads them: the locale's currency format, its short date and the
// ID padded to six digits. A file for another program sets its own.
struct QuickReportCellTexts
{
    QString (*money)(Money) = nullptr;
    QString (*date)(const DateTime&) = nullptr;
    QString (*id)(qint32) = nullptr;
};

// Reads the project and builds the report the parameters describe; amounts in
// the locale's currency format, dates in its short format, unless `cells` says
// otherwise.
QuickReportContent BuildQuickReport(ProjectTables& tables, const QuickReportParameters& parameters,
                                    const QLocale& locale = UserLocale(), const QuickReportCellTexts& cells = {});

// The company block: the company's name, then its address lines, one line of
// telephone, fax and e-mail, and one of its web site; empty values and their
// labels are left out.
void QuickReportCompanyBlock(const CompanyInfo& company, QString& name, QStringList& lines);

// The printable width's shares of the six Customer Balances columns.
inline const QList<double> kCustomerBalancesWidths = {0.10, 0.25, 0.17, 0.17, 0.16, 0.15};
