#include "BenchSupport.h"

#include "core/reports/QuickReports.h"

#ifdef QM_BENCH_UI
#include "core/reports/QuickReportSettings.h"
#include "render/print/PrintStatus.h"
#include "render/reports/QuickReportPrintout.h"

#include <QImage>
#include <QPainter>
#endif

#include <random>
#include <vector>

// Quick reports built over the scale-M project, against the plain statements
// that read the same figures.

namespace {

// Every day the generated project covers, so that every sale and receipt counts.
const DateTime kFrom = Day(2020, 1, 1);
const DateTime kThru = Day(2026, 12, 31);

// Inventory Summary of every item over every day the project's records span.
QuickReportParameters WholeRangeInventorySummary()
{
    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::InventorySummary;
    parameters.start = kFrom;
    parameters.end = kThru;
    parameters.today = kThru;
    return parameters;
}

// --- 1. Inventory Summary over every item ------------------------------------

QString DayCondition(const char* column)
{
    return QStringLiteral("\"%1\" >= %2 AND \"%1\" < %3")
        .arg(QLatin1String(column))
        .arg(kFrom.days(), 0, 'f', 1)
        .arg(kThru.days() + 1.0, 0, 'f', 1);
}

void BM_InventorySummary_Plain(benchmark::State& state)
{
    TimePlainReads(
        state, Medium().db,
        {QStringLiteral("SELECT \"ID\", \"Name\", \"Number\", \"VendorID1\", \"Stocked\" FROM \"Items\" "
                        "WHERE \"ID\" > 0 ORDER BY \"ID\""),
         QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Vendors\""),
         QStringLiteral("SELECT \"ItemID\", SUM(\"Quanity\") FROM \"Sales\" WHERE %1 GROUP BY \"ItemID\"")
             .arg(DayCondition("Date")),
         QStringLiteral(
             "SELECT \"ItemID\", SUM(\"ReceiveQuantity\") FROM \"Received\" WHERE %1 GROUP BY \"ItemID\"")
             .arg(DayCondition("ReceiveDate")),
         QStringLiteral("SELECT SUM(\"Cost\" * \"Quanity\") FROM \"Stock\"")});
}

qint64 PlainNumber(ProjectDatabase& db, const QString& sql)
{
    QSqlQuery query(db.connection());
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
}

void BM_InventorySummary_Ours(benchmark::State& state)
{
    const Target target = Medium();
    const QuickReportParameters parameters = WholeRangeInventorySummary();

    // Untimed: one row per item, and the sales column adds up to every sale.
    const qint64 items =
        PlainNumber(target.db, QStringLiteral("SELECT COUNT(*) FROM \"Items\" WHERE \"ID\" > 0"));
    const qint64 sold = PlainNumber(target.db, QStringLiteral("SELECT SUM(\"Quanity\") FROM \"Sales\""));
    QuickReportContent content = BuildQuickReport(target.tables, parameters);
    qint64 ourSold = 0;
    for (const QStringList& row : content.tables.value(0).rows)
        ourSold += row.value(5).toLongLong();
    if (!content.ok() || content.tables.value(0).rows.size() != items || ourSold != sold) {
        state.SkipWithError(
            qPrintable(QStringLiteral("%1 rows, %2 sold; the plain statements say %3 and %4 %5")
                           .arg(content.tables.value(0).rows.size())
                           .arg(ourSold)
                           .arg(items)
                           .arg(sold)
                           .arg(content.error)));
        return;
    }
    state.SetLabel(content.closingLines.value(0).toStdString());

    for (auto _ : state) {
        content = BuildQuickReport(target.tables, parameters);
        if (!content.ok()) {
            state.SkipWithError(qPrintable(content.error));
            break;
        }
        benchmark::DoNotOptimize(content);
    }
    state.SetItemsProcessed(state.iterations() * items);
}

// --- 2. The Invoice report of one invoice among 200,000 -------------------------

constexpr std::size_t kInvoiceKeys = 1024; // a power of two: the index wraps with a mask

const std::vector<qint32>& RandomInvoices()
{
    static std::vector<qint32> ids;
    if (ids.empty()) {
        const QList<qint32> all = IdList(Medium().db, QStringLiteral("SELECT \"ID\" FROM \"SI\""));
        std::mt19937 engine(17);
        for (std::size_t i = 0; i < kInvoiceKeys && !all.isEmpty(); ++i)
            ids.push_back(all.at(static_cast<qsizetype>(engine() % static_cast<quint32>(all.size()))));
    }
    return ids;
}

// The invoice, its customer, its lines with their items, its receivables.
void BM_InvoiceReport_Plain(benchmark::State& state)
{
    ProjectDatabase& db = Medium().db;
    const std::vector<qint32>& ids = RandomInvoices();
    std::optional<QSqlQuery> invoice = Prepared(
        db, QStringLiteral("SELECT \"Number\", \"Date\", \"CustomerID\" FROM \"SI\" WHERE \"ID\" = ?"),
        state);
    std::optional<QSqlQuery> customer =
        Prepared(db, QStringLiteral("SELECT * FROM \"Customers\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> lines = Prepared(
        db,
        QStringLiteral(
            "SELECT s.\"Quanity\", s.\"SellingPrice\", i.\"Name\", i.\"Number\", i.\"Description\", "
            "i.\"Taxable\", i.\"TaxRate\" FROM \"Sales\" s LEFT JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" "
            "WHERE s.\"SIID\" = ? ORDER BY s.\"ID\""),
        state);
    std::optional<QSqlQuery> receivables = Prepared(
        db, QStringLiteral("SELECT \"Due\", \"Paid\" FROM \"AR\" WHERE \"SIID\" = ? ORDER BY \"ID\""), state);
    if (!invoice || !customer || !lines || !receivables || ids.empty())
        return;
    const auto readAll = [](QSqlQuery& query, const QVariant& key) {
        query.bindValue(0, key);
        if (!query.exec())
            return false;
        const int columns = query.record().count();
        while (query.next()) {
            for (int c = 0; c < columns; ++c) {
                QVariant value = query.value(c);
                benchmark::DoNotOptimize(value);
            }
        }
        return true;
    };
    std::size_t i = 0;
    for (auto _ : state) {
        const qint32 id = ids[i++ & (kInvoiceKeys - 1)];
        invoice->bindValue(0, id);
        if (!invoice->exec() || !invoice->next()) {
            state.SkipWithError("the invoice was not read");
            break;
        }
        const QVariant customerID = invoice->value(2);
        invoice->finish();
        if (!readAll(*customer, customerID) || !readAll(*lines, id) || !readAll(*receivables, id)) {
            state.SkipWithError("the invoice's records were not read");
            break;
        }
    }
}

// The Invoice report of the next of the random invoices.
QuickReportContent NextInvoiceReport(ProjectTables& tables, std::size_t& i)
{
    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::Invoice;
    parameters.today = kThru;
    parameters.invoiceID = RandomInvoices()[i++ & (kInvoiceKeys - 1)];
    return BuildQuickReport(tables, parameters);
}

void BM_InvoiceReport_Ours(benchmark::State& state)
{
    const Target target = Medium();
    RandomInvoices();
    std::size_t i = 0;
    for (auto _ : state) {
        const QuickReportContent content = NextInvoiceReport(target.tables, i);
        if (!content.ok() || content.tables.size() != 2) {
            state.SkipWithError(qPrintable(content.error));
            break;
        }
        benchmark::DoNotOptimize(content);
    }
}

#ifdef QM_BENCH_UI
// --- 3. The same reports on screen: built, laid out, page 1 drawn -------------

// Lays the report out on US Letter at the screen's resolution and draws its
// first page, as the right pane shows it: whether it was drawn.
bool ShowFirstPage(const QuickReportContent& content, QImage& screen)
{
    static const CReportDefinition fonts = QuickReportFonts::defaults();
    const PrintJob job = QuickReportJob(content, fonts, ListReportMargins{});
    std::unique_ptr<Printout> printout = job.make();
    if (printout->layOut(QSizeF(8.5, 11), screen) != PrintStatus::Ok || !printout->hasPage(1))
        return false;
    QPainter painter(&screen);
    return printout->drawPage(painter, 1, PrintLayout::Target::Screen) == PrintStatus::Ok;
}

QImage ScreenPage()
{
    QImage image(816, 1056, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dots an inch
    image.setDotsPerMeterY(3780);
    return image;
}

void BM_InventorySummaryShown_Plain(benchmark::State& state)
{
    BM_InventorySummary_Plain(state);
}

void BM_InventorySummaryShown_Ours(benchmark::State& state)
{
    const Target target = Medium();
    const QuickReportParameters parameters = WholeRangeInventorySummary();
    QImage screen = ScreenPage();
    for (auto _ : state) {
        const QuickReportContent content = BuildQuickReport(target.tables, parameters);
        if (!content.ok() || !ShowFirstPage(content, screen)) {
            state.SkipWithError(qPrintable(QStringLiteral("not shown: ") + content.error));
            break;
        }
        benchmark::DoNotOptimize(screen);
    }
}

void BM_InvoiceReportShown_Plain(benchmark::State& state)
{
    BM_InvoiceReport_Plain(state);
}

void BM_InvoiceReportShown_Ours(benchmark::State& state)
{
    const Target target = Medium();
    RandomInvoices();
    QImage screen = ScreenPage();
    std::size_t i = 0;
    for (auto _ : state) {
        const QuickReportContent content = NextInvoiceReport(target.tables, i);
        if (!content.ok() || !ShowFirstPage(content, screen)) {
            state.SkipWithError(qPrintable(QStringLiteral("not shown: ") + content.error));
            break;
        }
        benchmark::DoNotOptimize(screen);
    }
}
#endif

} // namespace

BENCHMARK(BM_InventorySummary_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InventorySummary_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InvoiceReport_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InvoiceReport_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
#ifdef QM_BENCH_UI
BENCHMARK(BM_InventorySummaryShown_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InventorySummaryShown_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InvoiceReportShown_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InvoiceReportShown_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
#endif
