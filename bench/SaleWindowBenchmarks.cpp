#include "DialogBench.h"
#include "SaleBench.h"

#include "core/sales/RecordSoldItemsModel.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/RecordSoldItemsDialog.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <memory>

// The Record Sold Items window on the scale-M project: opening it over its item
// picker, and recording a sale through its OK, each against the plain statements
// that read the same entries or make the same writes.

namespace {

// --- 1. Opening Record Sold Items --------------------------------------------

void BM_OpenRecordSoldItems_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Items\" ORDER BY \"ID\""));
}

// Constructed, filled, shown and painted once, on the first invoice.
void BM_OpenRecordSoldItems_Ours(benchmark::State& state)
{
    const Target target = Medium();
    const QList<qint32> invoices = IdList(target.db, QStringLiteral("SELECT MIN(\"ID\") FROM \"SI\""));
    if (invoices.isEmpty()) {
        state.SkipWithError("the project has no invoice");
        return;
    }
    YesPrompter prompter;
    qint64 rows = 0;
    for (auto _ : state) {
        RecordSoldItemsModel model(target.tables, prompter);
        model.setInvoice(invoices.first());
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Record Sold Items refused to open");
            break;
        }
        auto dialog = std::make_unique<RecordSoldItemsDialog>(model, target.tables, prompter);
        ShowAndPaint(*dialog);
        rows += dialog->findChild<RecordPicker*>(QStringLiteral("itemBox"))->count();
        CloseUntimed(state, dialog);
    }
    EndOpening(state, prompter, rows);
}

// --- 2. Recording a sale of 20 lines through OK ----------------------------------

constexpr SaleShape kSale{10, 1000, 2, 20, "Window item %1"};

void BM_RecordSaleWindow_Plain(benchmark::State& state)
{
    TimePlainSale(state, kSale);
}

// The lines are put on the sale through the window's own fields, untimed; OK is
// timed.
void BM_RecordSaleWindow_Ours(benchmark::State& state)
{
    std::unique_ptr<RecordSoldItemsDialog> dialog;
    std::unique_ptr<RecordSoldItemsModel> model;
    TimeOurSale(state, kSale, [&](ProjectTables& tables, Prompter& prompter, const SaleRecords& r) {
        state.PauseTiming();
        dialog.reset();
        model = std::make_unique<RecordSoldItemsModel>(tables, prompter);
        model->setInvoice(r.invoiceID);
        dialog = std::make_unique<RecordSoldItemsDialog>(*model, tables, prompter);
        auto* picker = dialog->findChild<RecordPicker*>(QStringLiteral("itemBox"));
        auto* quantity = dialog->findChild<QLineEdit*>(QStringLiteral("quantityEdit"));
        auto* price = dialog->findChild<QLineEdit*>(QStringLiteral("priceEdit"));
        auto* add = dialog->findChild<QAbstractButton*>(QStringLiteral("addButton"));
        for (int line = 0; line < kSale.lines; ++line) {
            picker->chooseId(r.items.at(line % kSale.items));
            quantity->setText(QString::number(kSale.unitsPerLine()));
            price->setText(QStringLiteral("19.99"));
            add->click();
        }
        const bool filled = model->lines().size() == kSale.lines;
        auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("okButton"));
        state.ResumeTiming();
        if (!filled)
            return false;
        ok->click();
        return dialog->result() == QDialog::Accepted;
    });
    dialog.reset();
}

} // namespace

BENCHMARK(BM_OpenRecordSoldItems_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenRecordSoldItems_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSaleWindow_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSaleWindow_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
