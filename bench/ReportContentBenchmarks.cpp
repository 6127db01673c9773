#include "BenchSupport.h"

#include "core/reports/ReportColumns.h"
#include "core/reports/ReportContent.h"

// A custom report listing all 100,000 items of the scale-M project with every
// column the items listing offers (vendor names and numbers looked up), sorted
// by name: its content built, against the plain statement reading the same
// columns in the same order.

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

} // namespace

#define QM_REPORT_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0)
QM_REPORT_BENCHMARK(BM_ItemsReportContent_Plain);
QM_REPORT_BENCHMARK(BM_ItemsReportContent_Ours);
