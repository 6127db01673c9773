#include "purchasing/Receiving.h"
#include "purchasing/RecordReceivedModel.h"
#include "purchasing/UndoReceipts.h"

#include "common/Clock.h"
#include "common/StatusCodes.h"
#include "records/StockFigures.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kLeftStock =
    u"Unable to perform this operation. Items from this order have already left stock."_s;

DateTime Day(int y, int m, int d)
{
    return DateTime::fromDate(QDate(y, m, d));
}

// Answers from the script and notes what the database held while a question was open.
class WatchingPrompter final : public Prompter
{
public:
    WatchingPrompter(ScriptedPrompter& script, ProjectTables& tables) : m_script(script), m_tables(tables) {}
    void message(const QString& text, const QString& title, Icon icon) override
    {
        m_script.message(text, title, icon);
    }
    bool askYesNo(const QString& text, const QString& title, Icon icon) override
    {
        seen.append({m_tables.database().transactionDepth(), m_tables.stock().CountWhere({})});
        return m_script.askYesNo(text, title, icon);
    }
    QList<QList<int>> seen; // transaction depth and lots, per question

private:
    ScriptedPrompter& m_script;
    ProjectTables& m_tables;
};

class Receiving : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        CVendorsRec v;
        v.Name = u"Acme Paper"_s;
        ASSERT_TRUE(t().vendors().RecordAdd(v));
        vendor = v.ID;
        item = addItem(u"Ledger"_s, Money::fromWhole(2, 5000));
        po = addPO(5000);
    }
    void TearDown() override { EXPECT_EQ(CheckStockInvariants(t()), QStringList()); }

    qint32 addItem(const QString& name, Money cost)
    {
        CItemsRec rec;
        rec.Name = name;
        rec.Cost = cost;
        EXPECT_TRUE(t().items().RecordAdd(rec));
        return rec.ID;
    }
    qint32 addPO(qint32 number)
    {
        CPORec rec;
        rec.Number = number;
        rec.VendorID = vendor;
        rec.Date = Day(1997, 3, 1);
        EXPECT_TRUE(t().purchaseOrders().RecordAdd(rec));
        return rec.ID;
    }
    qint32 addOrder(qint32 itemID, qint32 quantity, qint32 poID = NoID)
    {
        COrderRec rec;
        rec.ItemID = itemID;
        rec.VendorID = vendor;
        rec.Quanity = quantity;
        rec.Date = Day(1997, 3, 1);
        rec.BackOrderID = 0;
        rec.POID = poID == NoID ? po : poID;
        EXPECT_TRUE(t().orders().RecordAdd(rec));
        EXPECT_TRUE(RecomputeOrdered(t(), itemID));
        return rec.ID;
    }
    // Receives one line through the dialog, at the preset cost.
    bool receive(qint32 orderID, qint32 quantity)
    {
        RecordReceivedModel model(t(), prompter, clock);
        EXPECT_TRUE(model.open(po, orderID));
        model.setQuantityText(QString::number(quantity));
        return model.save().saved;
    }
    UndoReceiptsResult undo(qint32 orderID, bool confirm = true)
    {
        prompter.answer({confirm});
        return UndoReceipts(t(), prompter, orderID, undoChanges);
    }
    COrderRec line(qint32 id)
    {
        COrderRec rec;
        EXPECT_TRUE(t().orders().RecordRead(rec, id));
        return rec;
    }
    QList<qint32> totals() { return {t().items().GetStocked(item), t().items().GetOrdered(item)}; }
    // Order lines, lots and receipts.
    QList<qint32> counts()
    {
        return {t().orders().CountWhere({}), t().stock().CountWhere({}), t().received().CountWhere({})};
    }
    ProjectTables& t() { return project.tables(); }

    TempProject project;
    ScriptedPrompter prompter;
    FixedClock clock{QDateTime(QDate(1997, 5, 15), QTime(9, 30))};
    ChangeList undoChanges;
    qint32 vendor = NoID, item = NoID, po = NoID;
};

TEST_F(Receiving, DialogFillsItsBoxesAndPresetsFromTheSelectedLine)
{
    RecordReceivedModel empty(t(), prompter, clock);
    EXPECT_FALSE(empty.open());
    EXPECT_EQ(prompter.lastText(),
              u"In order to run this command, you must already have valid vendors, items and "
              "orders.  This command was unable to find all the necessary data to run."_s);

    const qint32 pencil = addItem(u"Pencil"_s, Money::fromWhole(0, 3500));
    const qint32 first = addOrder(item, 10);
    const qint32 second = addOrder(pencil, 7);
    const qint32 po2 = addPO(5001);
    const qint32 other = addOrder(pencil, 3, po2);

    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.open());
    EXPECT_EQ(model.poEntries().size(), 2);
    EXPECT_EQ(model.selectedPO(), po2); // the last purchase order
    EXPECT_EQ(model.selectedOrder(), other);
    EXPECT_TRUE(model.poBoxEnabled() && model.orderBoxEnabled() && model.nextEnabled());

    model.selectPO(po);
    ASSERT_EQ(model.orderEntries().size(), 2);
    EXPECT_EQ(model.orderEntries().at(0).itemName, u"Ledger"_s);
    EXPECT_EQ(model.orderEntries().at(1).orderID, second);
    EXPECT_EQ(model.selectedOrder(), first);
    EXPECT_EQ(QStringList({model.quantityText(), model.costText(), model.vendorName(), model.orderDate(),
                           model.dateText()}),
              QStringList({u"10"_s, u"$2.50"_s, u"Acme Paper"_s, u"3/1/1997"_s, u"5/15/1997"_s}));
    model.selectOrder(second);
    EXPECT_EQ(model.quantityText(), u"7"_s);
    EXPECT_EQ(model.costText(), u"$0.35"_s);

    RecordReceivedModel fixedPO(t(), prompter, clock);
    ASSERT_TRUE(fixedPO.open(po));
    EXPECT_FALSE(fixedPO.poBoxEnabled());
    EXPECT_TRUE(fixedPO.orderBoxEnabled() && fixedPO.nextEnabled());
    RecordReceivedModel fixedLine(t(), prompter, clock);
    ASSERT_TRUE(fixedLine.open(po, second));
    EXPECT_FALSE(fixedLine.poBoxEnabled() || fixedLine.orderBoxEnabled() || fixedLine.nextEnabled());
    EXPECT_EQ(fixedLine.selectedOrder(), second);
    // A fixed order box never offers a line of another purchase order instead.
    RecordReceivedModel mismatch(t(), prompter, clock);
    ASSERT_TRUE(mismatch.open(po, other));
    EXPECT_EQ(mismatch.selectedOrder(), NoSelection);
    EXPECT_EQ(mismatch.save().focus, u"order"_s);
}

TEST_F(Receiving, SaveChecksInOrderAndWritesNothingWhenRefused)
{
    const qint32 order = addOrder(item, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.open(po));
    model.setDateText(u"13/45/1997"_s);
    model.setQuantityText(u"0"_s);
    EXPECT_EQ(model.save().focus, u"date"_s); // the date is checked before the quantity
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidDate));
    model.setDateText(u"5/20/1997"_s);
    for (const QString& bad : {u"0"_s, u"-3"_s, u"abc"_s, u""_s, u"99999999999"_s}) {
        model.setQuantityText(bad);
        EXPECT_EQ(model.save().focus, u"quantity"_s) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
    }
    model.setQuantityText(u"4"_s);
    for (const QString& bad : {u"lots"_s, u"-$1.00"_s, u""_s}) {
        model.setCostText(bad);
        EXPECT_EQ(model.save().focus, u"cost"_s) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(),
                  u"The cost specified is invalid.  The cost per item must be an amount of 0 "
                  "or more.  Please check the value and re-enter it if necessary."_s);
    }
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));

    // The line went away after the box was filled: reported, box refilled, nothing written.
    model.setCostText(u"$2.50"_s);
    ASSERT_TRUE(t().orders().RecordDelete(order));
    ASSERT_TRUE(RecomputeOrdered(t(), item));
    prompter.clear();
    EXPECT_EQ(model.save().focus, u"order"_s);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::RecordNotFound)});
    EXPECT_TRUE(model.orderEntries().isEmpty());
    EXPECT_EQ(counts(), QList<qint32>({0, 0, 0}));
}

TEST_F(Receiving, FullAndOverReceiptsRemoveTheLine)
{
    const qint32 exact = addOrder(item, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.open(po));
    model.setCostText(u"3.75"_s);
    ASSERT_TRUE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    ASSERT_EQ(model.receiptIDs().size(), 1);
    CReceivedRec receipt;
    ASSERT_TRUE(t().received().RecordRead(receipt, model.receiptIDs().first()));
    EXPECT_EQ(QList<qint32>({receipt.OrderID, receipt.OrderQuantity, receipt.ReceiveQuantity, receipt.POID}),
              QList<qint32>({exact, 10, 10, po}));
    EXPECT_EQ(receipt.OrderDate, Day(1997, 3, 1));
    EXPECT_EQ(receipt.ReceiveDate, Day(1997, 5, 15));
    CStockRec lot;
    ASSERT_TRUE(t().stock().RecordRead(lot, receipt.StockID));
    EXPECT_EQ(QList<qint32>({lot.Quanity, lot.OrderID, lot.POID, lot.VendorID}),
              QList<qint32>({10, exact, po, vendor}));
    EXPECT_EQ(lot.Cost, Money::fromWhole(3, 7500));
    EXPECT_FALSE(t().orders().LocateByID(exact));
    EXPECT_EQ(totals(), QList<qint32>({10, 0}));
    EXPECT_EQ(model.changes().ids(ListingKind::PurchaseOrders), QList<qint32>{po});
    EXPECT_EQ(model.changes().ids(ListingKind::Items), QList<qint32>{item});
    EXPECT_EQ(model.changes().ids(ListingKind::Stock), QList<qint32>{lot.ID});
    EXPECT_EQ(model.lastChanged(ListingKind::Stock), lot.ID);
    EXPECT_EQ(model.selectedOrder(), NoSelection);

    // The lot keeps the cost paid, whatever the item costs later.
    CItemsRec rec;
    ASSERT_TRUE(t().items().RecordRead(rec, item));
    rec.Cost = Money::fromWhole(9);
    ASSERT_TRUE(t().items().RecordModify(rec));
    ASSERT_TRUE(t().stock().RecordRead(lot, lot.ID));
    EXPECT_EQ(lot.Cost, Money::fromWhole(3, 7500));

    const qint32 over = addOrder(item, 10);
    ASSERT_TRUE(receive(over, 12));
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_FALSE(t().orders().LocateByID(over));
    EXPECT_EQ(t().stock().RecordsWhere(u"[OrderID] = ?"_s, {over}).first().Quanity, 12);
    EXPECT_EQ(totals(), QList<qint32>({22, 0}));
}

TEST_F(Receiving, PartialReceiptAsksBeforeWritingAndKeepsOrDiscardsTheRest)
{
    const qint32 kept = addOrder(item, 10);
    WatchingPrompter watching(prompter, t());
    ChangeList changes;
    prompter.answer({true});
    const ReceiptInput input{kept, 4, Money::fromWhole(2), Day(1997, 5, 15)};
    ASSERT_TRUE(ReceiveOrderLine(t(), watching, input, changes).received());
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(
        prompter.lastText(),
        u"The full order was not received. Choose 'Yes' \nto keep this order active and place the remaining\n"
        "6 items on backorder.  Choose 'No' if you wish to\ndiscard the remainder of the order.\n\n"_s);
    EXPECT_EQ(prompter.log().last().title, u"Quillmark 3.5"_s);
    EXPECT_EQ(prompter.log().last().icon, Prompter::Icon::Question);
    EXPECT_EQ(watching.seen, QList<QList<int>>({{0, 0}})); // no transaction open, nothing written yet
    const COrderRec backorder = line(kept);
    EXPECT_EQ(backorder.Quanity, 6);
    EXPECT_TRUE(backorder.BackOrder);
    EXPECT_EQ(backorder.BackOrderID, kept);
    EXPECT_EQ(totals(), QList<qint32>({4, 6}));

    const qint32 dropped = addOrder(item, 10);
    prompter.answer({false});
    ASSERT_TRUE(receive(dropped, 4));
    EXPECT_FALSE(t().orders().LocateByID(dropped));
    EXPECT_EQ(totals(), QList<qint32>({8, 6})); // all 10 of the discarded line left Ordered
}

TEST_F(Receiving, NextReceivesAndMovesToTheFollowingLine)
{
    const qint32 pencil = addItem(u"Pencil"_s, Money::fromWhole(1));
    addOrder(item, 5);
    const qint32 second = addOrder(pencil, 3);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.open(po));
    model.setDateText(u"5/20/1997"_s);
    const SaveResult result = model.saveAndNext();
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.focus, u"date"_s);
    EXPECT_EQ(model.orderEntries().size(), 1);
    EXPECT_EQ(model.selectedOrder(), second);
    EXPECT_EQ(QStringList({model.quantityText(), model.costText(), model.dateText()}),
              QStringList({u"3"_s, u"$1.00"_s, u"5/20/1997"_s}));
}

TEST_F(Receiving, VanishedItemKeepsLotAndReceiptAndFailedWriteLeavesNothing)
{
    const qint32 first = addOrder(item, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.open(po));
    ASSERT_TRUE(t().items().RecordDelete(item));
    EXPECT_TRUE(model.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"Unable to locate item record."_s});
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));
    // Undo then finds no item either.
    EXPECT_TRUE(undo(first).changed);
    EXPECT_EQ(prompter.lastText(), u"Item doesn't exist."_s);
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));

    // A receipt that cannot be stored takes its lot with it.
    item = addItem(u"Ledger"_s, Money::fromWhole(2));
    const qint32 next = addOrder(item, 10);
    QSqlQuery sql(t().database().connection());
    ASSERT_TRUE(sql.exec(
        u"CREATE TRIGGER refuse BEFORE INSERT ON \"Received\" BEGIN SELECT RAISE(ABORT, 'no'); END"_s));
    prompter.clear();
    EXPECT_FALSE(receive(next, 10));
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::OperationFailed)});
    EXPECT_EQ(counts(), QList<qint32>({2, 0, 0}));
}

TEST_F(Receiving, UndoRestoresTheLineAsBeforeItsFirstReceipt)
{
    // Received 4 (the rest kept on backorder), then the other 6: two lots, line gone.
    const qint32 order = addOrder(item, 10);
    prompter.answer({true});
    ASSERT_TRUE(receive(order, 4));
    ASSERT_TRUE(receive(order, 6));
    const QList<CReceivedRec> receipts = t().received().RecordsWhere(u"[OrderID] = ?"_s, {order});
    ASSERT_EQ(receipts.size(), 2);
    EXPECT_EQ(receipts.at(0).OrderQuantity, 10);
    EXPECT_EQ(receipts.at(1).OrderQuantity, 6);
    EXPECT_EQ(counts(), QList<qint32>({0, 2, 2}));

    prompter.clear();
    const UndoReceiptsResult undone = undo(order);
    EXPECT_EQ(prompter.texts(),
              QStringList{u"You are about to remove all recorded receipts of this order from "
                          "stock.\n\nAre you sure you wish to do this?"_s});
    EXPECT_TRUE(undone.changed);
    EXPECT_NE(undone.orderID, order); // a line received in full comes back under a new number
    COrderRec restored = line(undone.orderID);
    EXPECT_EQ(QList<qint32>({restored.Quanity, restored.BackOrder, restored.BackOrderID, restored.POID}),
              QList<qint32>({10, false, 0, po}));
    EXPECT_EQ(restored.Date, Day(1997, 3, 1));
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));
    EXPECT_EQ(totals(), QList<qint32>({0, 10}));
    EXPECT_EQ(undoChanges.ids(ListingKind::Stock).size(), 2);
    EXPECT_TRUE(undoChanges.contains(ListingKind::PurchaseOrders, po));

    // Still on backorder: the backorder takes the line back under its own number,
    // keeping what was ordered onto it since (the same item ordered again).
    prompter.answer({true});
    ASSERT_TRUE(receive(undone.orderID, 4));
    COrderRec backorder = line(undone.orderID);
    backorder.Quanity += 5;
    ASSERT_TRUE(t().orders().RecordModify(backorder));
    ASSERT_TRUE(RecomputeOrdered(t(), item));
    const UndoReceiptsResult again = undo(undone.orderID);
    EXPECT_EQ(again.orderID, undone.orderID);
    restored = line(again.orderID);
    EXPECT_EQ(restored.Quanity, 15);
    EXPECT_FALSE(restored.BackOrder);
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));
}

TEST_F(Receiving, UndoChangesNothingWhenDeclinedRefusedOrFailing)
{
    const qint32 order = addOrder(item, 10);
    EXPECT_FALSE(undo(order).changed); // nothing received yet
    ASSERT_TRUE(receive(order, 10));
    EXPECT_FALSE(undo(order, false).changed);
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));

    QSqlQuery sql(t().database().connection());
    ASSERT_TRUE(
        sql.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON \"Order\" BEGIN SELECT RAISE(ABORT, 'no'); END"_s));
    EXPECT_FALSE(undo(order).changed);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));

    // One unit sold out of the lot.
    CStockRec lot = t().stock().RecordsWhere(u"[OrderID] = ?"_s, {order}).first();
    lot.Quanity = 9;
    ASSERT_TRUE(t().stock().RecordModify(lot));
    ASSERT_TRUE(RecomputeStocked(t(), item));
    prompter.clear();
    const UndoReceiptsResult refused = undo(order);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(refused.orderID, order);
    ASSERT_EQ(prompter.log().size(), 2);
    EXPECT_EQ(prompter.lastText(), kLeftStock);
    EXPECT_EQ(prompter.log().last().title, u"Quillmark 3.5"_s);
    EXPECT_EQ(prompter.log().last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));
    EXPECT_TRUE(undoChanges.isEmpty());

    // A lot that is gone altogether has left stock too.
    ASSERT_TRUE(t().stock().RecordDelete(lot.ID));
    ASSERT_TRUE(RecomputeStocked(t(), item));
    EXPECT_FALSE(undo(order).changed);
    EXPECT_EQ(prompter.lastText(), kLeftStock);
    EXPECT_EQ(t().received().CountWhere({}), 1);
}

} // namespace
