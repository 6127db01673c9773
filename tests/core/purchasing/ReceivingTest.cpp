#include "core/purchasing/Receiving.h"
#include "core/purchasing/RecordReceivedModel.h"
#include "core/purchasing/UndoReceipts.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kLeftStock =
    u"Unable to perform this operation. Items from this order have already left stock."_s;

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

class Receiving : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        item = b.item({u"Ledger"_s, vendor});
        po = b.po(5000, vendor);
    }
    UndoReceiptsResult undo(qint32 orderID, bool confirm = true)
    {
        prompter.answer({confirm});
        return UndoReceipts(t(), prompter, orderID, undoChanges);
    }
    // Stocked and Ordered of the item.
    QList<qint32> totals() { return {t().items().GetStocked(item), t().items().GetOrdered(item)}; }
    // Order lines, lots and receipts.
    QList<qint32> counts() { return {b.rows("Order"), b.rows("Stock"), b.rows("Received")}; }

    FixedClock clock{QDateTime(QDate(1997, 5, 15), QTime(9, 30))};
    ChangeList undoChanges;
    qint32 vendor = NoID, item = NoID, po = NoID;
};

TEST_F(Receiving, DialogFillsItsBoxesPresetsFromTheLineAndNextMovesOn)
{
    RecordReceivedModel empty(t(), prompter, clock);
    EXPECT_FALSE(empty.checkPrerequisites());
    EXPECT_EQ(prompter.lastText(),
              u"In order to run this command, you must already have valid vendors, items and "
              "orders.  This command was unable to find all the necessary data to run."_s);

    const qint32 pencil = b.item({u"Pencil"_s, vendor, NoID, Money::fromWhole(0, 3500)});
    const qint32 first = b.orderLine(item, po, 10);
    const qint32 second = b.orderLine(pencil, po, 7);
    const qint32 po2 = b.po(5001, vendor);
    const qint32 other = b.orderLine(pencil, po2, 3);

    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.checkPrerequisites());
    EXPECT_EQ((QList<qint32>{model.selectedPO(), model.selectedOrder()}),
              (QList<qint32>{po2, other})); // the last
    model.selectPO(po);
    ASSERT_EQ(model.orderEntries().size(), 2);
    EXPECT_EQ(model.selectedOrder(), first);
    EXPECT_EQ((QStringList{model.quantityText(), model.costText(), model.vendorName(), model.orderDate(),
                           model.dateText()}),
              (QStringList{u"10"_s, u"$2.50"_s, u"Acme Paper"_s, u"3/1/1997"_s, u"5/15/1997"_s}));

    RecordReceivedModel fixedPO(t(), prompter, clock);
    ASSERT_TRUE(fixedPO.preset(po).checkPrerequisites());
    EXPECT_FALSE(fixedPO.poBoxEnabled());
    // A fixed order box never offers a line of another purchase order instead.
    RecordReceivedModel mismatch(t(), prompter, clock);
    ASSERT_TRUE(mismatch.preset(po, other).checkPrerequisites());
    EXPECT_EQ(mismatch.selectedOrder(), NoSelection);
    EXPECT_EQ(mismatch.save().focus, RecordReceivedModel::Field::Order);

    // Next receives the line in full and moves to the following one, keeping the date.
    fixedPO.setDateText(u"5/20/1997"_s);
    const RecordReceivedModel::Result next = fixedPO.saveAndNext();
    EXPECT_TRUE(next.saved && next.focus == RecordReceivedModel::Field::Date);
    EXPECT_EQ(fixedPO.selectedOrder(), second);
    EXPECT_EQ((QStringList{fixedPO.quantityText(), fixedPO.costText(), fixedPO.dateText()}),
              (QStringList{u"7"_s, u"$0.35"_s, u"5/20/1997"_s}));
    EXPECT_FALSE(t().orders().LocateByID(first));
}

TEST_F(Receiving, TheLotGetsTheItemsCostWithEveryDecimal)
{
    b.change<CItemsRec>(item, [](CItemsRec& rec) { rec.Cost = Money::fromTenThousandths(18454); });
    const qint32 first = b.orderLine(item, po, 3);
    const qint32 second = b.orderLine(item, po, 2);

    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.preset(po, first).checkPrerequisites());
    EXPECT_EQ(model.costText(), u"$1.8454"_s);
    ASSERT_TRUE(model.save().saved);

    // A typed cost keeps its decimals when the field is left, too.
    RecordReceivedModel typed(t(), prompter, clock);
    ASSERT_TRUE(typed.preset(po, second).checkPrerequisites());
    typed.setCostText(u"2.12345"_s);
    typed.reformatCost();
    EXPECT_EQ(typed.costText(), u"$2.1235"_s);
    ASSERT_TRUE(typed.save().saved);

    QList<Money> costs;
    for (const CStockRec& lot : t().stock().RecordsWhere(u"[ItemID] = ?"_s, {item}))
        costs.append(lot.Cost);
    EXPECT_EQ(costs, (QList<Money>{Money::fromTenThousandths(18454), Money::fromTenThousandths(21235)}));
}

TEST_F(Receiving, SaveChecksInOrderAndWritesNothingWhenRefused)
{
    const qint32 order = b.orderLine(item, po, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.preset(po).checkPrerequisites());
    model.setDateText(u"13/45/1997"_s);
    model.setQuantityText(u"0"_s);
    EXPECT_EQ(model.save().focus,
              RecordReceivedModel::Field::Date); // the date is checked before the quantity
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidDate));
    model.setDateText(u"5/20/1997"_s);
    for (const QString& bad : {u"0"_s, u"-3"_s, u"abc"_s, u""_s, u"99999999999"_s}) {
        model.setQuantityText(bad);
        EXPECT_EQ(model.save().focus, RecordReceivedModel::Field::Quantity) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
    }
    model.setQuantityText(u"4"_s);
    for (const QString& bad : {u"lots"_s, u"-$1.00"_s, u""_s}) {
        model.setCostText(bad);
        EXPECT_EQ(model.save().focus, RecordReceivedModel::Field::Cost) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(),
                  u"The cost specified is invalid.  The cost per item must be an amount of 0 "
                  "or more.  Please check the value and re-enter it if necessary."_s);
    }
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));

    // The line went away after the box was filled: reported, box refilled, nothing written.
    model.setCostText(u"$2.50"_s);
    b.remove<COrderRec>(order);
    prompter.clear();
    EXPECT_EQ(model.save().focus, RecordReceivedModel::Field::Order);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::RecordNotFound)});
    EXPECT_EQ(counts(), QList<qint32>({0, 0, 0}));
}

TEST_F(Receiving, FullAndOverReceiptsRemoveTheLine)
{
    const qint32 exact = b.orderLine(item, po, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.preset(po).checkPrerequisites());
    model.setCostText(u"3.75"_s);
    ASSERT_TRUE(model.save().saved);
    const CReceivedRec receipt = b.read<CReceivedRec>(model.receiptIDs().value(0));
    EXPECT_EQ(QList<qint32>({receipt.OrderID, receipt.OrderQuantity, receipt.ReceiveQuantity, receipt.POID}),
              QList<qint32>({exact, 10, 10, po}));
    EXPECT_EQ(receipt.OrderDate, day(1997, 3, 1));
    EXPECT_EQ(receipt.ReceiveDate, day(1997, 5, 15));
    const CStockRec lot = b.read<CStockRec>(receipt.StockID);
    EXPECT_EQ(QList<qint32>({lot.Quanity, lot.OrderID, lot.POID, lot.VendorID}),
              QList<qint32>({10, exact, po, vendor}));
    EXPECT_EQ(lot.Cost, Money::fromWhole(3, 7500));
    EXPECT_EQ(totals(), QList<qint32>({10, 0}));

    // More than ordered: no question, the line goes, the lot holds all that came.
    const qint32 over = b.orderLine(item, po, 10);
    RecordReceivedModel more(t(), prompter, clock);
    ASSERT_TRUE(more.preset(po, over).checkPrerequisites());
    more.setQuantityText(u"12"_s);
    ASSERT_TRUE(more.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_FALSE(t().orders().LocateByID(over));
    EXPECT_EQ(totals(), QList<qint32>({22, 0}));
}

TEST_F(Receiving, PartialReceiptAsksBeforeWritingAndKeepsOrDiscardsTheRest)
{
    const qint32 kept = b.orderLine(item, po, 10);
    WatchingPrompter watching(prompter, t());
    ChangeList changes;
    prompter.answer({true, false});
    ASSERT_TRUE(ReceiveOrderLine(t(), watching, {kept, 4, Money::fromWhole(2), day(1997, 5, 15)}, changes)
                    .received());
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(
        prompter.lastText(),
        u"The full order was not received. Choose 'Yes' \nto keep this order active and place the remaining\n"
        "6 items on backorder.  Choose 'No' if you wish to\ndiscard the remainder of the order.\n\n"_s);
    EXPECT_EQ(watching.seen, QList<QList<int>>({{0, 0}})); // no transaction open, nothing written yet
    const COrderRec backorder = b.read<COrderRec>(kept);
    EXPECT_EQ((QList<qint32>{backorder.Quanity, backorder.BackOrder, backorder.BackOrderID}),
              (QList<qint32>{6, 1, kept}));
    EXPECT_EQ(totals(), QList<qint32>({4, 6}));

    const qint32 dropped = b.orderLine(item, po, 10);
    ASSERT_TRUE(ReceiveOrderLine(t(), prompter, {dropped, 4, Money::fromWhole(2), day(1997, 5, 15)}, changes)
                    .received());
    EXPECT_EQ(totals(), QList<qint32>({8, 6})); // all 10 of the discarded line left Ordered
}

TEST_F(Receiving, VanishedItemKeepsLotAndReceiptAndFailedWriteLeavesNothing)
{
    const qint32 first = b.orderLine(item, po, 10);
    RecordReceivedModel model(t(), prompter, clock);
    ASSERT_TRUE(model.preset(po).checkPrerequisites());
    ASSERT_TRUE(t().items().RecordDelete(item));
    EXPECT_TRUE(model.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"Unable to locate item record."_s});
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));
    // Undo then finds no item either.
    EXPECT_TRUE(undo(first).changed);
    EXPECT_EQ(prompter.lastText(), u"Item doesn't exist."_s);
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));

    // A receipt that cannot be stored takes its lot with it.
    item = b.item({u"Ledger"_s, vendor});
    const qint32 next = b.orderLine(item, po, 10);
    failEvery("INSERT", "Received");
    prompter.clear();
    RecordReceivedModel failing(t(), prompter, clock);
    ASSERT_TRUE(failing.preset(po, next).checkPrerequisites());
    EXPECT_FALSE(failing.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::OperationFailed)});
    EXPECT_EQ(counts(), QList<qint32>({2, 0, 0}));
}

TEST_F(Receiving, UndoRestoresTheLineAsBeforeItsFirstReceipt)
{
    // Received 4 (the rest kept on backorder), then the other 6: two lots, line gone.
    const qint32 order = b.orderLine(item, po, 10);
    b.receive(order, 4);
    b.receive(order, 6);

    const UndoReceiptsResult undone = undo(order);
    EXPECT_EQ(prompter.texts(),
              QStringList{u"You are about to remove all recorded receipts of this order from "
                          "stock.\n\nAre you sure you wish to do this?"_s});
    EXPECT_TRUE(undone.changed);
    EXPECT_NE(undone.orderID, order); // a line received in full comes back under a new number
    COrderRec restored = b.read<COrderRec>(undone.orderID);
    EXPECT_EQ(QList<qint32>({restored.Quanity, restored.BackOrder, restored.BackOrderID, restored.POID}),
              QList<qint32>({10, false, 0, po}));
    EXPECT_EQ(restored.Date, day(1997, 3, 1));
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));
    EXPECT_EQ(totals(), QList<qint32>({0, 10}));

    // Still on backorder: the backorder takes the line back under its own number,
    // keeping what was ordered onto it since (the same item ordered again).
    b.receive(undone.orderID, 4);
    b.change<COrderRec>(undone.orderID, [](COrderRec& rec) { rec.Quanity += 5; });
    const UndoReceiptsResult again = undo(undone.orderID);
    EXPECT_EQ(again.orderID, undone.orderID);
    restored = b.read<COrderRec>(again.orderID);
    EXPECT_EQ((QList<qint32>{restored.Quanity, restored.BackOrder}), (QList<qint32>{15, 0}));
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0}));
}

TEST_F(Receiving, UndoChangesNothingWhenDeclinedRefusedOrFailing)
{
    const qint32 order = b.orderLine(item, po, 10);
    EXPECT_FALSE(undo(order).changed); // nothing received yet
    b.receive(order, 10);
    EXPECT_FALSE(undo(order, false).changed);
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));

    failEvery("INSERT", "Order");
    EXPECT_FALSE(undo(order).changed);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));

    // One unit sold out of the lot.
    const qint32 lot = t().stock().IDsWhere(u"[OrderID] = ?"_s, {order}).first();
    b.change<CStockRec>(lot, [](CStockRec& rec) { rec.Quanity = 9; });
    prompter.clear();
    const UndoReceiptsResult refused = undo(order);
    EXPECT_FALSE(refused.changed);
    ASSERT_EQ(prompter.log().size(), 2);
    EXPECT_EQ(prompter.lastText(), kLeftStock);
    EXPECT_EQ(counts(), QList<qint32>({0, 1, 1}));
    EXPECT_TRUE(undoChanges.isEmpty());

    // A lot that is gone altogether has left stock too.
    b.remove<CStockRec>(lot);
    EXPECT_FALSE(undo(order).changed);
    EXPECT_EQ(prompter.lastText(), kLeftStock);
    EXPECT_EQ(b.rows("Received"), 1);
}

} // namespace
