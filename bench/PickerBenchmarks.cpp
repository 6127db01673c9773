#include "BenchSupport.h"

#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordDialog.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// Record pickers over the scale-M project (100,000 items, 10,000 vendors): a
// dialog holding one picker, from its construction to its first painted screen,
// against the plain statement that reads the same entries. And Find Item, opened
// beside a filled item picker, an item number typed key by key and OK pressed,
// against the plain statement that finds the item by its number.

namespace {

const QSize kDialogSize(480, 160);

void Paint(QWidget& widget, QImage& screen)
{
    screen.fill(Qt::white);
    QPainter painter(&screen);
    widget.render(&painter);
}

// A dialog with the picker filled from the project and its first entry selected.
void OpenPicker(benchmark::State& state, RecordPicker::Kind kind)
{
    QImage screen(kDialogSize, QImage::Format_ARGB32_Premultiplied);
    qint64 rows = 0;
    for (auto _ : state) {
        auto dialog = std::make_unique<QDialog>();
        auto* layout = new QVBoxLayout(dialog.get());
        auto* picker = new RecordPicker(kind, dialog.get());
        layout->addWidget(picker);
        picker->reload(Medium().tables);
        picker->selectId(picker->entries().idAt(0));
        dialog->resize(kDialogSize);
        dialog->show();
        Paint(*dialog, screen);
        const int count = picker->count();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
        if (count == 0) {
            state.SkipWithError("the picker is empty");
            break;
        }
        rows += count;
    }
    state.SetItemsProcessed(rows);
}

void BM_ItemPicker_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Items\" ORDER BY \"ID\""));
}

void BM_ItemPicker_Ours(benchmark::State& state)
{
    OpenPicker(state, RecordPicker::Kind::Item);
}

void BM_VendorPicker_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Vendors\" ORDER BY \"ID\""));
}

void BM_VendorPicker_Ours(benchmark::State& state)
{
    OpenPicker(state, RecordPicker::Kind::Vendor);
}

// An item halfway down the table, and its number.
struct Wanted
{
    qint32 id = NoID;
    QString number;
};

Wanted MiddleItem(benchmark::State& state)
{
    std::optional<QSqlQuery> query = Prepared(
        Medium().db,
        QStringLiteral("SELECT \"ID\", \"Number\" FROM \"Items\" ORDER BY \"ID\" LIMIT 1 OFFSET 50000"),
        state);
    if (!query || !query->exec() || !query->next()) {
        state.SkipWithError("no item to look for");
        return {};
    }
    return {query->value(0).toInt(), query->value(1).toString()};
}

// The first item that carries the number, which is what Find Item reads: the
// scan stops there, halfway down the table.
void BM_FindItemByNumber_Plain(benchmark::State& state)
{
    const Wanted wanted = MiddleItem(state);
    std::optional<QSqlQuery> query = Prepared(
        Medium().db,
        QStringLiteral("SELECT \"ID\" FROM \"Items\" WHERE \"Number\" = ? ORDER BY \"ID\" LIMIT 1"), state);
    if (wanted.id == NoID || !query)
        return;
    for (auto _ : state) {
        query->bindValue(0, wanted.number);
        const bool found = query->exec() && query->next() && query->value(0).toInt() == wanted.id;
        query->finish();
        if (!found) {
            state.SkipWithError("the item was not found");
            break;
        }
    }
}

void BM_FindItemByNumber_Ours(benchmark::State& state)
{
    const Wanted wanted = MiddleItem(state);
    if (wanted.id == NoID)
        return;
    YesPrompter prompter;
    // The dialog that holds the item picker, open before the timing starts.
    QDialog parent;
    auto* layout = new QVBoxLayout(&parent);
    auto* picker = new RecordPicker(RecordPicker::Kind::Item, &parent);
    layout->addWidget(picker);
    picker->reload(Medium().tables);
    parent.show();
    QImage screen(kDialogSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        auto dialog = std::make_unique<FindRecordDialog>(Medium().tables, prompter,
                                                         FindRecordModel::Kind::Item, &parent);
        dialog->show();
        Paint(*dialog, screen);
        dialog->numberButton()->setChecked(true);
        QTest::keyClicks(dialog->textEdit(), wanted.number);
        dialog->okButton()->click();
        const bool found = dialog->result() == QDialog::Accepted && picker->chooseId(dialog->foundId()) &&
                           picker->currentId() == wanted.id;
        state.PauseTiming();
        dialog.reset();
        picker->selectId(NoSelection);
        QApplication::processEvents();
        state.ResumeTiming();
        if (!found || prompter.messageCount() > 0) {
            state.SkipWithError(prompter.messageCount() > 0 ? qPrintable(prompter.lastMessage())
                                                            : "the item was not selected");
            break;
        }
    }
}

} // namespace

#define QM_PICKER_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0)
QM_PICKER_BENCHMARK(BM_ItemPicker_Plain);
QM_PICKER_BENCHMARK(BM_ItemPicker_Ours);
QM_PICKER_BENCHMARK(BM_VendorPicker_Plain);
QM_PICKER_BENCHMARK(BM_VendorPicker_Ours);
QM_PICKER_BENCHMARK(BM_FindItemByNumber_Plain);
QM_PICKER_BENCHMARK(BM_FindItemByNumber_Ours);
