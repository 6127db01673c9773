#include "core/reports/ReportWizardModel.h"

#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/RecordIds.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/Pickers.h"
#include "core/reports/ReportColumns.h"
#include "core/reports/ReportFile.h"

#include <initializer_list>

namespace {

struct TypeText
{
    const char* caption;
    const char* description;
};

constexpr TypeText kTypes[ReportWizardModel::kTypeCount] = {
    {"Item Listing", "Listing of specified inventory items."},
    {"Vendor Listing", "Complete listing of vendors."},
    {"Customer Listing", "Complete listing of customers."},
    {"Invoice Listing", "Listing of sales (date range optional)."},
    {"Reorder Report", "Listing of items which should be reordered."},
    {"", "Detailed sales tax report."},
};

const QString kFace = QStringLiteral("Arial");

const QString kEmptyName = QStringLiteral("You must enter a name for the report.");
const QString kReportTaken =
    QStringLiteral("A report by this name already exists.  Please specify a unique name for the report.");
const QString kQueryTaken =
    QStringLiteral("A query by this name already exists.  Please specify a unique name for the report.");
const QString kNoVendor = QStringLiteral("You must select a vendor to apply vendor criteria.");

// Every completion message ends the same way.
const QString kEditHint = QStringLiteral(
    "\n\nYou can manually edit this report using the Manage Reports\ncommand.  This will allow you to "
    "optionally add such things\nas statistics, or additional columns to your report.\n");

struct ColumnLayout
{
    const char* field;
    const char* header;
    qint32 alignment;
};

QList<ReportColumn> columnsOf(std::initializer_list<ColumnLayout> layouts)
{
    QList<ReportColumn> columns;
    for (const ColumnLayout& layout : layouts) {
        ReportColumn column;
        column.field = QString::fromLatin1(layout.field);
        column.header = QString::fromLatin1(layout.header);
        column.alignment = layout.alignment;
        columns.append(column);
    }
    return columns;
}

QString dateLiteral(QDate date)
{
    return QStringLiteral("#%1/%2/%3#").arg(date.month()).arg(date.day()).arg(date.year());
}

} // namespace

ReportWizardModel::ReportWizardModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                                     int pixelsPerInch)
    : m_tables(tables), m_prompter(prompter), m_clock(clock), m_pixelsPerInch(pixelsPerInch),
      m_vendorEntries(VendorPickerEntries(tables)), m_vendorID(NoSelection)
{
    const QString today = DateTime::fromDate(clock.now().date()).formatShortDate(UserLocale());
    m_startText = today;
    m_thruText = today;
}

QString ReportWizardModel::typeCaption(int type)
{
    if (type < 0 || type >= kTypeCount)
        return QString();
    return QString::fromLatin1(kTypes[type].caption);
}

QString ReportWizardModel::typeDescription(int type)
{
    if (type < 0 || type >= kTypeCount)
        return QString();
    return QString::fromLatin1(kTypes[type].description);
}

void ReportWizardModel::setType(int type)
{
    if (type >= 0 && type < kTypeCount)
        m_type = type;
}

std::optional<ReportWizardModel::Page> ReportWizardModel::nextPage(Page from) const
{
    switch (from) {
    case Page::Type:
        if (usesVendor())
            return Page::Vendor;
        return usesDates() ? Page::Date : Page::Name;
    case Page::Vendor:
    case Page::Date:
        return Page::Name;
    case Page::Name:
        break;
    }
    return std::nullopt;
}

std::optional<ReportWizardModel::Page> ReportWizardModel::previousPage(Page from) const
{
    switch (from) {
    case Page::Type:
        break;
    case Page::Vendor:
        return Page::Type;
    case Page::Date:
        // The item types never reach the date page; from it they would go
        // back the way the pages are laid out.
        return usesVendor() ? Page::Vendor : Page::Type;
    case Page::Name:
        if (usesVendor())
            return Page::Vendor;
        return usesDates() ? Page::Date : Page::Type;
    }
    return std::nullopt;
}

bool ReportWizardModel::leavePage(Page page)
{
    switch (page) {
    case Page::Vendor:
        return checkVendor();
    case Page::Date:
        return checkDates();
    case Page::Type:
    case Page::Name:
        break;
    }
    return true;
}

void ReportWizardModel::setVendorID(qint32 id)
{
    m_vendorID = id > 0 ? id : NoSelection;
}

QString ReportWizardModel::vendorIDText() const
{
    return m_vendorID == NoSelection ? QString() : FormatRecordId(m_vendorID);
}

bool ReportWizardModel::createsQuery() const
{
    switch (m_type) {
    case ItemListing:
        return m_applyVendor;
    case ReorderReport:
        return true;
    case InvoiceListing:
        return m_useDates;
    default:
        return false;
    }
}

CReportDefinition ReportWizardModel::buildDefinition() const
{
    CReportDefinition report;
    report.name = m_name;
    report.title = m_name;
    const int sizes[ReportFontCount] = {28, 10, 10, 12, 10, 11};
    for (int slot = 0; slot < ReportFontCount; ++slot)
        report.fonts[static_cast<size_t>(slot)] = ReportFont::fromPoints(kFace, sizes[slot], m_pixelsPerInch);
    report.titleAlignment = AlignCenter;
    report.statisticsTitleAlignment = AlignLeft;
    report.companyInformation = 0;
    report.verticalLines = 1;
    report.horizontalLines = 1;
    report.showList = 1;
    report.pageNumbers = 1;

    switch (m_type) {
    case ItemListing:
        report.table = ReportTableName(ListingKind::Items);
        report.columns = columnsOf({{"Name", "Item", AlignLeft},
                                    {"Number", "Number", AlignLeft},
                                    {"VendorName1", "Vendor", AlignLeft},
                                    {"Cost", "Cost", AlignRight},
                                    {"SellingPrice", "Selling Price", AlignRight},
                                    {"Stocked", "Stocked", AlignRight},
                                    {"Ordered", "Ordered", AlignRight}});
        report.sortField = QStringLiteral("Name");
        break;
    case VendorListing:
        report.table = ReportTableName(ListingKind::Vendors);
        report.columns = columnsOf({{"Name", "Name", AlignLeft},
                                    {"Number", "Number", AlignLeft},
                                    {"Contact", "Contact", AlignLeft},
                                    {"Phone", "Telephone", AlignLeft},
                                    {"Fax", "Fax", AlignLeft},
                                    {"City", "City", AlignLeft},
                                    {"State", "State", AlignLeft}});
        report.sortField = QStringLiteral("Name");
        break;
    case CustomerListing:
        report.table = ReportTableName(ListingKind::Customers);
        report.columns = columnsOf({{"ID", "ID", AlignLeft},
                                    {"Company", "Company", AlignLeft},
                                    {"Last", "Last", AlignLeft},
                                    {"First", "First", AlignLeft},
                                    {"Phone", "Telephone", AlignLeft},
                                    {"City", "City", AlignLeft},
                                    {"State", "State", AlignLeft}});
        report.sortField = QStringLiteral("ID");
        break;
    case InvoiceListing:
        report.table = ReportTableName(ListingKind::Invoices);
        report.columns = columnsOf({{"Number", "Invoice", AlignLeft},
                                    {"Date", "Date", AlignLeft},
                                    {"Customer-Company", "Company", AlignLeft},
                                    {"Customer-LastName", "Last Name", AlignLeft},
                                    {"Customer-FirstName", "First Name", AlignLeft}});
        report.sortField = QStringLiteral("Number");
        break;
    case ReorderReport:
        // Figures are right-aligned as in the item listing.
        report.table = ReportTableName(ListingKind::Items);
        report.columns = columnsOf({{"Name", "Item", AlignLeft},
                                    {"Number", "Number", AlignLeft},
                                    {"VendorName1", "Vendor", AlignLeft},
                                    {"Cost", "Cost", AlignRight},
                                    {"Stocked", "Stocked", AlignRight},
                                    {"Ordered", "Ordered", AlignRight},
                                    {"ReorderLevel", "Reorder Level", AlignRight}});
        report.sortField = QStringLiteral("Name");
        break;
    default:
        report.table = ReportTableName(ListingKind::Invoices);
        break;
    }
    if (createsQuery()) {
        report.applyQuery = 1;
        report.queryName = m_name;
    }
    return report;
}

std::optional<QString> ReportWizardModel::buildQuery() const
{
    if (!createsQuery())
        return std::nullopt;
    const QString items = ReportTableName(ListingKind::Items);
    const QString vendor = QString::number(m_vendorID);
    switch (m_type) {
    case ItemListing:
        return QStringLiteral("SELECT TOP 100 PERCENT * FROM [%1] WHERE VendorID1 = %2 ORDER BY Name")
            .arg(items, vendor);
    case ReorderReport:
        // Stock plus what is on order at or below the reorder level.
        if (m_applyVendor)
            return QStringLiteral("SELECT TOP 100 PERCENT * FROM [%1] WHERE VendorID1 = %2 AND "
                                  "Stocked <= ReorderLevel-Ordered ORDER BY Name")
                .arg(items, vendor);
        return QStringLiteral(
                   "SELECT TOP 100 PERCENT * FROM [%1] WHERE Stocked <= ReorderLevel-Ordered ORDER BY Name")
            .arg(items);
    case InvoiceListing: {
        const QDate start = DateTime::parseDate(m_startText, UserLocale()).date();
        const QDate thru = DateTime::parseDate(m_thruText, UserLocale()).date();
        return QStringLiteral(
                   "SELECT TOP 100 PERCENT * FROM [%1] WHERE Date >= %2 AND Date <= %3 ORDER BY Date")
            .arg(ReportTableName(ListingKind::Invoices), dateLiteral(start), dateLiteral(thru));
    }
    default:
        return std::nullopt;
    }
}

QString ReportWizardModel::completionMessage() const
{
    QString head;
    switch (m_type) {
    case ItemListing:
        head = m_applyVendor
                   ? QStringLiteral("An item listing report by the name of '%s' and\na query by the name of "
                                    "'%s' have been created under\nthe item folder.")
                   : QStringLiteral("An item listing report by the name of '%s' has been created under\n"
                                    "the item folder.");
        break;
    case VendorListing:
        head = QStringLiteral(
            "A vendor listing report by the name of '%s' has been created under\nthe vendors folder.");
        break;
    case CustomerListing:
        head = QStringLiteral(
            "A customer listing report by the name of '%s' has been created under\nthe customers folder.");
        break;
    case InvoiceListing:
        head = m_useDates
                   ? QStringLiteral("A sales listing report by the name of '%s' and\na query by the name of "
                                    "'%s' have been created under\nthe sales folder.")
                   : QStringLiteral("A sales listing report by the name of '%s'has been created under\n"
                                    "the sales folder.");
        break;
    case ReorderReport:
        // Without a vendor the query is made all the same, but not mentioned.
        head = m_applyVendor
                   ? QStringLiteral("A reorder report by the name of '%s' and\na query by the name of "
                                    "'%s' have been created under\nthe items folder.")
                   : QStringLiteral("A reorder report by the name of '%s'has been created under\n"
                                    "the items folder.");
        break;
    default:
        return QString();
    }
    // The name goes in as it is, whatever characters it holds.
    return head.replace(QStringLiteral("%s"), m_name) + kEditHint;
}

bool ReportWizardModel::checkVendor()
{
    // A criterion without a vendor would make a report that lists nothing.
    if (usesVendor() && m_applyVendor && m_vendorID == NoSelection) {
        warn(m_prompter, kNoVendor, caption());
        return false;
    }
    return true;
}

bool ReportWizardModel::checkDates()
{
    if (!usesDates() || !m_useDates)
        return true;
    if (!DateTime::parseDate(m_startText, UserLocale()).isValid() ||
        !DateTime::parseDate(m_thruText, UserLocale()).isValid()) {
        ReportErrorCode(m_prompter, Status::InvalidDate);
        return false;
    }
    return true;
}

bool ReportWizardModel::checkName()
{
    if (m_name.trimmed().isEmpty()) {
        warn(m_prompter, kEmptyName, caption());
        return false;
    }
    const ReportFile file(ReportFile::pathForDatabase(m_tables.database().path()));
    if (m_name == ReportFile::reservedName() || file.exists(m_name)) {
        warn(m_prompter, kReportTaken, caption());
        return false;
    }
    if (m_tables.database().QueryDefExists(m_name)) {
        warn(m_prompter, kQueryTaken, caption());
        return false;
    }
    return true;
}

ReportWizardModel::Result ReportWizardModel::save()
{
    m_createdReport.clear();
    m_createdQuery.clear();
    if (m_type == SalesTaxReport)
        return Result::ok();
    if (!checkVendor())
        return Result::refused(Field::Vendor);
    if (!checkDates())
        return Result::refused(DateTime::parseDate(m_startText, UserLocale()).isValid() ? Field::ThruDate
                                                                                        : Field::StartDate);
    if (!checkName())
        return Result::refused(Field::Name);

    ProjectDatabase& db = m_tables.database();
    ReportFile file(ReportFile::pathForDatabase(db.path()));
    CReportDefinition report = buildDefinition();
    const std::optional<QString> query = buildQuery();

    // The query is stored in the database inside a transaction that commits
    // only once the report is in its file, so a failure leaves neither.
    std::optional<Transaction> transaction;
    if (query) {
        transaction.emplace(db);
        if (!transaction->isActive() || !db.CreateQueryDef(m_name, *query)) {
            ReportErrorCode(m_prompter, Status::OperationFailed);
            return Result::refused();
        }
    }
    switch (file.saveAsNew(report, m_name, m_prompter, m_clock)) {
    case ReportFile::SaveStatus::Saved:
        break;
    case ReportFile::SaveStatus::NameTaken:
        warn(m_prompter, kReportTaken, caption());
        return Result::refused(Field::Name);
    case ReportFile::SaveStatus::Cancelled:
        return Result::refused();
    case ReportFile::SaveStatus::Failed:
        ReportErrorCode(m_prompter, Status::FileNotAccessible);
        return Result::refused();
    }
    if (transaction && !transaction->commit()) {
        // The file the report went into reads cleanly, so this asks nothing.
        (void)file.remove(m_name, m_prompter, m_clock);
        ReportErrorCode(m_prompter, Status::OperationFailed);
        return Result::refused();
    }

    m_createdReport = m_name;
    if (query)
        m_createdQuery = m_name;
    m_prompter.message(completionMessage(), caption(), Prompter::Icon::Information);
    return Result::ok();
}
