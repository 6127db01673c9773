#include "BenchSupport.h"

#include "core/reports/ReportColumns.h"
#include "core/reports/ReportContent.h"

#ifdef QM_BENCH_UI
#include "render/print/PrintStatus.h"
#include "render/reports/CustomReportPrintout.h"

#include <QImage>
#include <QPainter>
#endif

// A custom report listing all 100,000 items of the scale-M project with every
// column the items listing offers (vendor names and numbers looked up), sorted
// by name: its content built, against the plain statement reading the same
// columns in the same order. Where the widgets are built, also the report as
// the pane first shows it (built, laid out on Letter paper and page 1 drawn)
// and the step to the next page (that page drawn alone), against the same
// statement.

namespace {

const QString kItemsReportSql =
    QStringLiteral("SELECT i.*, v1.\"Name\", v1.\"Number\", v2.\"Name\", v2.\"Number\" FROM \"Items\" i "
                   "LEFT JOIN \"Vendors\" v1 ON v1.\"ID\" = i.\"VendorID1\" "
                   "LEFT JOIN \"Vendors\" v2 ON v2.\"ID\" = i.\"VendorID2\" ORDER BY i.\"Name\"");

CReportDefinition ItemsReport()
{
    CReportDefinition definition;
    definition.table = QStringLiteral("Items");
    definition.name = QStringLiteral("All Items");
    definition.showList = 1;
    definition.sortField = QStringLiteral("Name");
    definition.columns = AvailableReportColumns(ListingKind::Items);
    return definition;
}

void BM_ItemsReportContent_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsReportSql);
}

void BM_ItemsReportContent_Ours(benchmark::State& state)
{
    const CReportDefinition definition = ItemsReport();
    qint64 rows = 0;
    for (auto _ : state) {
        ReportContent content = BuildReportContent(Medium().tables, definition, {});
        if (!content.error.isEmpty() || content.rows.isEmpty()) {
            state.SkipWithError("the report could not be built");
            break;
        }
        rows += content.rows.size();
        state.PauseTiming();
        // Freeing 100,000 rows is the caller's business, not the build's.
        content = ReportContent();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(rows);
}

#ifdef QM_BENCH_UI

// A screen-sized sheet of Letter paper at 96 dots an inch.
QImage Sheet()
{
    QImage image(816, 1056, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void BM_ItemsReportFirstPage_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsReportSql);
}

void BM_ItemsReportFirstPage_Ours(benchmark::State& state)
{
    const CReportDefinition definition = ItemsReport();
    QImage sheet = Sheet();
    int pages = 0;
    for (auto _ : state) {
        ReportContent content = BuildReportContent(Medium().tables, definition, {});
        std::unique_ptr<Printout> printout =
            CustomReportJob(std::move(content), CompanyInfo(), ListReportMargins(), QDate(2026, 3, 17))
                .make();
        QPainter painter(&sheet);
        if (printout->layOut(QSizeF(8.5, 11), sheet) != PrintStatus::Ok ||
            printout->drawPage(painter, 1, PrintLayout::Target::Screen) != PrintStatus::Ok) {
            state.SkipWithError("the report could not be laid out");
            break;
        }
        painter.end();
        pages = printout->pageCount();
        state.PauseTiming();
        printout.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}

void BM_ItemsReportNextPage_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsReportSql);
}

void BM_ItemsReportNextPage_Ours(benchmark::State& state)
{
    QImage sheet = Sheet();
    std::unique_ptr<Printout> printout =
        CustomReportJob(BuildReportContent(Medium().tables, ItemsReport(), {}), CompanyInfo(),
                        ListReportMargins(), QDate(2026, 3, 17))
            .make();
    if (printout->layOut(QSizeF(8.5, 11), sheet) != PrintStatus::Ok || printout->pageCount() < 2) {
        state.SkipWithError("the report could not be laid out");
        return;
    }
    // Page after page, far into the report: each drawn without the ones before.
    int page = 1;
    for (auto _ : state) {
        page = page % printout->pageCount() + 1;
        if (page == 1)
            page = printout->pageCount() / 2;
        QPainter painter(&sheet);
        printout->drawPage(painter, page, PrintLayout::Target::Screen);
    }
}

#endif

} // namespace

#define QM_REPORT_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0)
QM_REPORT_BENCHMARK(BM_ItemsReportContent_Plain);
QM_REPORT_BENCHMARK(BM_ItemsReportContent_Ours);
#ifdef QM_BENCH_UI
QM_REPORT_BENCHMARK(BM_ItemsReportFirstPage_Plain);
QM_REPORT_BENCHMARK(BM_ItemsReportFirstPage_Ours);
BENCHMARK(BM_ItemsReportNextPage_Plain)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemsReportNextPage_Ours)->UseRealTime()->Unit(benchmark::kMillisecond);
#endif
