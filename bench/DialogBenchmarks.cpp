#include "BenchSupport.h"

#include "core/common/Clock.h"
#include "ui/records/AddItemDialog.h"
#include "core/records/AddItemModel.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>

// Opening "Add Inventory Item" on the scale-M project (10,000 vendors in each of
// its two vendor pickers), from the command to its first painted screen, against
// the plain statement that reads the same vendor entries.

namespace {

void BM_OpenAddItem_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Vendors\" ORDER BY \"ID\""));
}

void BM_OpenAddItem_Ours(benchmark::State& state)
{
    YesPrompter prompter;
    const FixedClock clock(QDateTime(QDate(2026, 6, 1), QTime(9, 30)));
    qint64 rows = 0;
    for (auto _ : state) {
        AddItemModel model(Medium().tables, prompter, clock);
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Add Inventory Item refused to open");
            break;
        }
        auto dialog = std::make_unique<AddItemDialog>(model);
        dialog->show();
        QImage screen(dialog->size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            dialog->render(&painter);
        }
        rows += dialog->findChild<QComboBox*>(QStringLiteral("primaryVendorBox"))->count();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (prompter.messageCount() > 0)
        state.SkipWithError(qPrintable(prompter.lastMessage()));
    state.SetItemsProcessed(rows);
}

} // namespace

BENCHMARK(BM_OpenAddItem_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenAddItem_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
