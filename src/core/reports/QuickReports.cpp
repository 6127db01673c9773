#include "QuickReports.h"

#include "QuickReportData.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"

#include <cmath>
#include <limits>

namespace {

struct KindEntry
{
    QuickReportKind kind;
    const char* name;
    QuickReportNeeds needs;
};

// invoice, customer, date range, vendor and sorting
const KindEntry kKinds[] = {
    {QuickReportKind::Invoice, "Invoice", {true, false, false, false}},
    {QuickReportKind::PaymentsByCustomer, "Payments by Customer", {false, true, true, false}},
    {QuickReportKind::SalesToCustomer, "Sales to Customer", {false, true, true, false}},
    {QuickReportKind::CustomerBalances, "Customer Balances", {false, false, false, false}},
    {QuickReportKind::InvoiceBalances, "Invoice Balances", {false, false, false, false}},
    {QuickReportKind::OutstandingOrders, "Outstanding Orders", {false, false, false, false}},
    {QuickReportKind::DetailedSalesList, "Detailed Sales List", {false, false, true, false}},
    {QuickReportKind::SaleQuantitiesByItem, "Sale Quantities by Item", {false, false, true, true}},
    {QuickReportKind::InventorySummary, "Inventory Summary", {false, false, true, true}},
};

const KindEntry* entryOf(QuickReportKind kind)
{
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind)
            return &entry;
    }
    return nullptr;
}

// Why the report could not be read: the failed read when there was one.
QString readError(const ProjectDatabase& db, quint64 readFailures)
{
    if (const std::optional<ProjectDatabase::ReadFailure> failure = db.readFailureSince(readFailures))
        return ReadFailureText(*failure);
    const QString detail = db.lastError();
    const QString message = StatusMessage(Status::OperationFailed);
    return detail.isEmpty() ? message : message + QStringLiteral("\n\n") + detail;
}

bool build(QuickReportData::Context& context)
{
    using namespace QuickReportData;
    switch (context.parameters.kind) {
    case QuickReportKind::Invoice:
        return BuildInvoice(context);
    case QuickReportKind::PaymentsByCustomer:
        return BuildPaymentsByCustomer(context);
    case QuickReportKind::SalesToCustomer:
        return BuildSalesToCustomer(context);
    case QuickReportKind::CustomerBalances:
        return BuildCustomerBalances(context);
    case QuickReportKind::InvoiceBalances:
        return BuildInvoiceBalances(context);
    case QuickReportKind::OutstandingOrders:
        return BuildOutstandingOrders(context);
    case QuickReportKind::DetailedSalesList:
        return BuildDetailedSalesList(context);
    case QuickReportKind::SaleQuantitiesByItem:
        return BuildSaleQuantitiesByItem(context);
    case QuickReportKind::InventorySummary:
        return BuildInventorySummary(context);
    }
    return false;
}

} // namespace

QList<QuickReportKind> QuickReportKinds()
{
    QList<QuickReportKind> kinds;
    for (const KindEntry& entry : kKinds)
        kinds.append(entry.kind);
    return kinds;
}

QString QuickReportName(QuickReportKind kind)
{
    const KindEntry* entry = entryOf(kind);
    return entry ? QString::fromLatin1(entry->name) : QString();
}

std::optional<QuickReportKind> QuickReportKindNamed(const QString& name)
{
    for (const KindEntry& entry : kKinds) {
        if (name == QLatin1String(entry.name))
            return entry.kind;
    }
    return std::nullopt;
}

std::optional<QuickReportKind> QuickReportKindFromNumber(int number)
{
    const KindEntry* entry = entryOf(static_cast<QuickReportKind>(number));
    return entry ? std::optional<QuickReportKind>(entry->kind) : std::nullopt;
}

QuickReportNeeds QuickReportNeedsOf(QuickReportKind kind)
{
    const KindEntry* entry = entryOf(kind);
    return entry ? entry->needs : QuickReportNeeds{};
}

void QuickReportCompanyBlock(const CompanyInfo& company, QString& name, QStringList& lines)
{
    name = company.company;
    lines.clear();
    for (const QString& address : {company.address1, company.address2, company.address3}) {
        if (!address.isEmpty())
            lines.append(address);
    }
    QStringList contacts;
    if (!company.phone.isEmpty())
        contacts.append(QStringLiteral("Telephone: ") + company.phone);
    if (!company.fax.isEmpty())
        contacts.append(QStringLiteral("Fax: ") + company.fax);
    if (!company.email.isEmpty())
        contacts.append(QStringLiteral("e-mail: ") + company.email);
    if (!contacts.isEmpty())
        lines.append(contacts.join(QStringLiteral("   ")));
    if (!company.web.isEmpty())
        lines.append(QStringLiteral("web: ") + company.web);
}

QuickReportContent BuildQuickReport(ProjectTables& tables, const QuickReportParameters& parameters,
                                    const QLocale& locale, const QuickReportCellTexts& cells)
{
    QuickReportContent content;
    ProjectDatabase& db = tables.database();
    const quint64 readFailures = db.readFailureCount();
    QuickReportData::Context context{tables, parameters, locale, content, cells};

    const QuickReportNeeds needs = QuickReportNeedsOf(parameters.kind);
    content.title = QuickReportName(parameters.kind);
    if (needs.dateRange)
        content.dateLine = QStringLiteral("Date: ") + context.rangeText();
    else
        content.dateLine = QStringLiteral("Date: ") + context.date(parameters.today);

    const bool built = build(context);
    // A read that stopped part-way must not pass for a shorter report.
    if (!built || db.readFailureSince(readFailures)) {
        QString error = content.error;
        if (error.isEmpty() || db.readFailureSince(readFailures))
            error = readError(db, readFailures);
        content = QuickReportContent();
        content.error = error;
        return content;
    }
    QuickReportCompanyBlock(parameters.company, content.companyName, content.companyLines);
    return content;
}

namespace QuickReportData {

double Context::fromDay() const
{
    const DateTime& start = parameters.start;
    return start.isValid() ? std::floor(start.days()) : std::numeric_limits<double>::lowest();
}

double Context::toDay() const
{
    const DateTime& end = parameters.end;
    return end.isValid() ? std::floor(end.days()) + 1.0 : std::numeric_limits<double>::max();
}

QString Context::rangeText() const
{
    return date(parameters.start) + QStringLiteral(" - ") + date(parameters.end);
}

QuickTable MakeTable(const QStringList& headings, const QList<bool>& rightAligned,
                     const QList<double>& widths)
{
    QuickTable table;
    table.headings = headings;
    table.rightAligned = rightAligned;
    table.widths = widths;
    return table;
}

QString AmountLine(const Context& context, const QString& label, Money amount)
{
    return label + QStringLiteral(": ") + context.money(amount);
}

void AddSalesSummary(Context& context, Money revenues, Money costOfSold)
{
    context.out.closingLines = {
        AmountLine(context, QStringLiteral("Revenues"), revenues),
        AmountLine(context, QStringLiteral("Cost of Sold"), costOfSold),
        AmountLine(context, QStringLiteral("Gross Profit"), revenues - costOfSold),
        QStringLiteral("\n* Revenues displayed here do not reflect any sales tax charged"),
    };
}

bool ItemKeyLess(ItemSorting sorting, qint32 idA, const QString& nameA, const QString& numberA, qint32 idB,
                 const QString& nameB, const QString& numberB)
{
    switch (sorting) {
    case ItemSorting::ByName:
        return QString::compare(nameA, nameB, Qt::CaseInsensitive) < 0;
    case ItemSorting::ByNumber:
        return QString::compare(numberA, numberB, Qt::CaseInsensitive) < 0;
    case ItemSorting::ById:
        break;
    }
    return idA < idB;
}

} // namespace QuickReportData
