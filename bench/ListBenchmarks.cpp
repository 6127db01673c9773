#include "BenchSupport.h"

#include "core/common/UserSettings.h"
#include "ui/views/RecordListView.h"
#include "core/views/RecordLists.h"
#include "render/print/PrintJob.h"
#include "ui/print/ListPrinting.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>

#include <sys/resource.h>

// The items list of the scale-M project, all 100,000 records shown: from choosing
// it to its first painted screen, and re-sorted by cost, against plain statements
// reading the same rows.

namespace {

// The right-hand pane of a main window on a common screen.
const QSize kPane(1200, 800);
constexpr int kCostColumn = 4;

const QString kItemsWithVendors = QStringLiteral(
    "SELECT i.*, v.\"Name\" FROM \"Items\" i LEFT JOIN \"Vendors\" v ON v.\"ID\" = i.\"VendorID1\"");

// The stock register: 1,000,000 lots.
constexpr int kStockCostColumn = 5;
const QString kScreenOfLots = QStringLiteral("SELECT * FROM \"Stock\" ORDER BY %1 LIMIT 50");

// The process's peak resident memory so far, in megabytes; run the benchmark
// alone for the figure of a list shown in a fresh application.
double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The lists of a fresh user: every column shown, 100 pixels wide.
struct Session
{
    QTemporaryDir folder;
    UserSettings settings{folder.filePath(QStringLiteral("user.ini"))};
    RecordLists lists{settings};

    Session() { lists.setTables(&Medium().tables); }
    ~Session() { lists.setTables(nullptr); }
};

// One screen of the list, painted as the window system would have it painted.
void Paint(RecordListView& view, QImage& screen)
{
    screen.fill(Qt::white);
    QPainter painter(&screen);
    view.render(&painter);
}

std::unique_ptr<RecordListView> Show(RecordLists& lists, ListingKind kind = ListingKind::Items)
{
    auto view = std::make_unique<RecordListView>(lists, kind);
    view->resize(kPane);
    view->show();
    return view;
}

void BM_ShowItemList_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsWithVendors);
}

// From choosing the list in the tree to its first painted screen.
void TimeShow(benchmark::State& state, ListingKind kind)
{
    Session session;
    QImage screen(kPane, QImage::Format_ARGB32_Premultiplied);
    qint64 rows = 0;
    for (auto _ : state) {
        if (!session.lists.ReloadList(kind, QString())) {
            state.SkipWithError("the list could not be read");
            break;
        }
        std::unique_ptr<RecordListView> view = Show(session.lists, kind);
        Paint(*view, screen);
        rows += view->list().count();
        state.PauseTiming();
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(rows);
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_ShowItemList_Ours(benchmark::State& state)
{
    TimeShow(state, ListingKind::Items);
}

void BM_SortItemsByCost_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsWithVendors + QStringLiteral(" ORDER BY i.\"Cost\""));
}

// A click on a header of the shown list, to the repainted screen. Each round
// starts from the list as first shown, in ID order, so that the new order is
// made afresh as it is after a click.
void TimeResort(benchmark::State& state, ListingKind kind, int column)
{
    Session session;
    if (!session.lists.ReloadList(kind, QString())) {
        state.SkipWithError("the list could not be read");
        return;
    }
    std::unique_ptr<RecordListView> view = Show(session.lists, kind);
    QImage screen(kPane, QImage::Format_ARGB32_Premultiplied);
    Paint(*view, screen);
    const RecordList& list = view->list();
    for (auto _ : state) {
        view->sortByColumn(column);
        Paint(*view, screen);
        state.PauseTiming();
        const bool sorted = list.count() > 1 && list.sortColumn() == column;
        view->sortByColumn(0);
        Paint(*view, screen);
        state.ResumeTiming();
        if (!sorted) {
            state.SkipWithError("the list was not sorted");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * list.count());
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_SortItemsByCost_Ours(benchmark::State& state)
{
    TimeResort(state, ListingKind::Items, kCostColumn);
}

void BM_ShowStockList_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kScreenOfLots.arg(QStringLiteral("\"ID\"")));
}

void BM_ShowStockList_Ours(benchmark::State& state)
{
    TimeShow(state, ListingKind::Stock);
}

void BM_SortStockByCost_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kScreenOfLots.arg(QStringLiteral("\"Cost\", \"Date\", \"ID\"")));
}

// A click on the Cost header of the shown register.
void BM_SortStockByCost_Ours(benchmark::State& state)
{
    TimeResort(state, ListingKind::Stock, kStockCostColumn);
}

void BM_JumpToLastLot_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kScreenOfLots.arg(QStringLiteral("\"ID\" DESC")));
}

// Ctrl+End on the shown register, to the repainted last screen.
void BM_JumpToLastLot_Ours(benchmark::State& state)
{
    Session session;
    if (!session.lists.ReloadList(ListingKind::Stock, QString())) {
        state.SkipWithError("the stock could not be read");
        return;
    }
    QImage screen(kPane, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        // Each round starts from a list just shown, nothing read past its top.
        session.lists.list(ListingKind::Stock).Reload();
        std::unique_ptr<RecordListView> view = Show(session.lists, ListingKind::Stock);
        Paint(*view, screen);
        state.ResumeTiming();
        view->scrollToBottom();
        Paint(*view, screen);
        state.PauseTiming();
        if (view->indexAt(QPoint(1, view->viewport()->height() - 2)).row() < view->list().count() - 60)
            state.SkipWithError("the last rows are not shown");
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Print Preview's page count of a shown list: the whole list laid out on Letter
// paper at the screen's resolution, and its first page drawn.
void TimePageCount(benchmark::State& state, ListingKind kind)
{
    Session session;
    if (!session.lists.ReloadList(kind, QString())) {
        state.SkipWithError("the list could not be read");
        return;
    }
    std::unique_ptr<RecordListView> view = Show(session.lists, kind);
    const PrintJob job = ListPrintJob(listReportContent(*view), ListReportMargins(), QDate(2026, 12, 8));
    QImage sheet(QSize(816, 1056), QImage::Format_ARGB32_Premultiplied);
    constexpr int kDotsPerMeter = 3780; // 96 dpi
    sheet.setDotsPerMeterX(kDotsPerMeter);
    sheet.setDotsPerMeterY(kDotsPerMeter);
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<Printout> printout = job.make();
        if (printout->layOut(QSizeF(8.5, 11), sheet) != PrintStatus::Ok) {
            state.SkipWithError("the list could not be laid out");
            break;
        }
        pages = printout->pageCount();
        QPainter painter(&sheet);
        printout->drawPage(painter, 1, PrintLayout::Target::Screen);
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_CountItemListPages_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, kItemsWithVendors);
}

void BM_CountItemListPages_Ours(benchmark::State& state)
{
    TimePageCount(state, ListingKind::Items);
}

void BM_CountStockListPages_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db, QStringLiteral("SELECT * FROM \"Stock\""));
}

void BM_CountStockListPages_Ours(benchmark::State& state)
{
    TimePageCount(state, ListingKind::Stock);
}

} // namespace

#define QM_LIST_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0)
QM_LIST_BENCHMARK(BM_ShowItemList_Plain);
QM_LIST_BENCHMARK(BM_ShowItemList_Ours);
QM_LIST_BENCHMARK(BM_SortItemsByCost_Plain);
QM_LIST_BENCHMARK(BM_SortItemsByCost_Ours);
QM_LIST_BENCHMARK(BM_ShowStockList_Plain);
QM_LIST_BENCHMARK(BM_ShowStockList_Ours);
QM_LIST_BENCHMARK(BM_SortStockByCost_Plain);
QM_LIST_BENCHMARK(BM_SortStockByCost_Ours);
QM_LIST_BENCHMARK(BM_JumpToLastLot_Plain);
QM_LIST_BENCHMARK(BM_JumpToLastLot_Ours);
QM_LIST_BENCHMARK(BM_CountItemListPages_Plain);
QM_LIST_BENCHMARK(BM_CountItemListPages_Ours);
QM_LIST_BENCHMARK(BM_CountStockListPages_Plain);
QM_LIST_BENCHMARK(BM_CountStockListPages_Ours);
