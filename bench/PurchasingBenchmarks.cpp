#include "DialogBench.h"

#include "core/purchasing/ManagePOModel.h"
#include "core/purchasing/RecordReceivedModel.h"
#include "ui/purchasing/ManagePODialog.h"
#include "ui/purchasing/RecordReceivedDialog.h"

#include <QComboBox>
#include <QTreeView>

// Opening "Record Received Order" on the large purchase order of the scale-M
// project (1,000 lines in its order box, 20,000 purchase orders in its picker),
// from the command to its first painted screen, against the plain statements that
// read the same picker entries and order lines with their item names.

namespace {

// The large purchase order, or NoID with the case ended.
qint32 LargePurchaseOrder(benchmark::State& state)
{
    const qint32 po = ::LargePurchaseOrder();
    if (po == NoID)
        state.SkipWithError("the large purchase order could not be made");
    return po;
}

void BM_OpenRecordReceived_Plain(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder(state);
    if (po == NoID)
        return;
    TimePlainReads(state, Medium().db,
                   {QStringLiteral("SELECT \"ID\", \"Number\" FROM \"PO\" ORDER BY \"ID\""),
                    QStringLiteral("SELECT o.\"ID\", i.\"Name\" FROM \"Order\" o LEFT JOIN \"Items\" i "
                                   "ON i.\"ID\" = o.\"ItemID\" WHERE o.\"POID\" = %1 ORDER BY o.\"ID\"")
                        .arg(po)});
}

void BM_OpenRecordReceived_Ours(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder(state);
    if (po == NoID)
        return;
    BenchDesktop desktop;
    YesPrompter& prompter = desktop.prompter;
    qint64 rows = 0;
    for (auto _ : state) {
        RecordReceivedModel model(Medium().tables, prompter, desktop.clock, po);
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Record Received Order refused to open");
            break;
        }
        auto dialog = std::make_unique<RecordReceivedDialog>(model, desktop.services);
        ShowAndPaint(*dialog);
        rows += dialog->findChild<QComboBox*>(QStringLiteral("poBox"))->count() +
                dialog->findChild<QComboBox*>(QStringLiteral("orderBox"))->count();
        CloseUntimed(state, dialog);
    }
    EndOpening(state, prompter, rows);
}

// Opening "Manage Purchase Orders" on a purchase order of 1,000 lines, from the
// command to its first painted screen, against the plain statements that read
// the same data: the picker's purchase orders, the purchase order and its
// vendor, its lines with their items, and their receipts.

void BM_OpenManagePO_Plain(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder(state);
    if (po == NoID)
        return;
    const QString id = QString::number(po);
    TimePlainReads(
        state, Medium().db,
        {QStringLiteral("SELECT \"ID\", \"Number\" FROM \"PO\" ORDER BY \"ID\""),
         QStringLiteral(
             "SELECT p.*, v.\"Name\" FROM \"PO\" p LEFT JOIN \"Vendors\" v ON v.\"ID\" = p.\"VendorID\" "
             "WHERE p.\"ID\" = %1")
             .arg(id),
         QStringLiteral(
             "SELECT o.\"ID\", o.\"Quanity\", o.\"BackOrder\", i.\"Name\", i.\"Number\", i.\"Cost\" "
             "FROM \"Order\" o LEFT JOIN \"Items\" i ON i.\"ID\" = o.\"ItemID\" WHERE o.\"POID\" = %1 "
             "ORDER BY o.\"ID\"")
             .arg(id),
         QStringLiteral(
             "SELECT r.\"OrderID\", r.\"OrderQuantity\", r.\"ReceiveQuantity\", r.\"ReceiveDate\", "
             "i.\"Name\", i.\"Number\", i.\"Cost\" FROM \"Received\" r LEFT JOIN \"Items\" i "
             "ON i.\"ID\" = r.\"ItemID\" WHERE r.\"POID\" = %1 ORDER BY r.\"ID\"")
             .arg(id)});
}

void BM_OpenManagePO_Ours(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder(state);
    if (po == NoID)
        return;
    BenchDesktop desktop;
    YesPrompter& prompter = desktop.prompter;
    BenchSettings home;
    qint64 rows = 0;
    for (auto _ : state) {
        ManagePOModel model(Medium().tables, prompter, po);
        if (model.poID() != po) {
            state.SkipWithError("the picker does not hold the large purchase order");
            break;
        }
        auto dialog =
            std::make_unique<ManagePODialog>(model, Medium().tables, desktop.services, home.settings);
        ShowAndPaint(*dialog);
        rows += dialog->lineList()->model()->rowCount();
        CloseUntimed(state, dialog);
    }
    EndOpening(state, prompter, rows);
}

} // namespace

BENCHMARK(BM_OpenRecordReceived_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenRecordReceived_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenManagePO_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenManagePO_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
