#include "DialogBench.h"

#include "core/records/AddItemModel.h"
#include "ui/records/AddItemDialog.h"

#include <QComboBox>

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
        ShowAndPaint(*dialog);
        rows += dialog->findChild<QComboBox*>(QStringLiteral("primaryVendorBox"))->count();
        CloseUntimed(state, dialog);
    }
    EndOpening(state, prompter, rows);
}

} // namespace

BENCHMARK(BM_OpenAddItem_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenAddItem_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
