#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/purchasing/AutoOrderModel.h"
#include "core/purchasing/EditOrderEntryModel.h"
#include "core/purchasing/ManagePOModel.h"
#include "core/purchasing/MarkPOFillDateModel.h"
#include "core/purchasing/NewPOModel.h"
#include "core/purchasing/RecordOrderModel.h"
#include "core/purchasing/RecordReceivedModel.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSelectEntry = u"You must select an entry in the list before performing this operation."_s;
const QString kCannotModify =
    u"   Unable to modify the original order. \n\nThe order has been either partially or completely filled. "
    u"If you\nwish to modify the original order quantity anyway, you must first 'undo'\nthe received order."_s;

class Purchasing : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        otherVendor = b.vendor(u"Bolt Supply"_s);
    }
    qint32 item(const QString& name, Money cost = Money::fromWhole(2, 5000))
    {
        return b.item({name, vendor, NoID, cost});
    }
    qint32 ordered(qint32 itemID) { return t().items().GetOrdered(itemID); }
    // Item, purchase order, vendor, quantity, backorder flag and backorder ID of an order line.
    QList<qint32> line(qint32 id)
    {
        const COrderRec rec = b.read<COrderRec>(id);
        return {rec.ItemID, rec.POID, rec.VendorID, rec.Quanity, rec.BackOrder, rec.BackOrderID};
    }

    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(10, 30))};
    qint32 vendor = NoID;
    qint32 otherVendor = NoID;
};

TEST_F(Purchasing, NewPurchaseOrderNumbersDuplicatesAndModification)
{
    NewPOModel first(t(), prompter, clock);
    EXPECT_EQ((QStringList{first.numberText(), first.dateText(), first.requiredDateText()}),
              (QStringList{u"5000"_s, u"3/15/2024"_s, u"3/15/2024"_s}));
    first.setNumberText(u"9500"_s);
    first.setRequiredDateText(u"4/1/2024"_s);
    first.setTaxRateText(u"7.25"_s);
    ASSERT_TRUE(first.save().saved);
    CPORec po = b.read<CPORec>(first.poID());
    EXPECT_EQ((QList<qint32>{po.Number, po.VendorID, po.Filled}), (QList<qint32>{9500, vendor, 0}));
    EXPECT_EQ((QList<DateTime>{po.Date, po.RequiredDate, po.FilledDate}),
              (QList<DateTime>{day(2024, 3, 15), day(2024, 4, 1), day(2024, 4, 1)}));

    // The next number follows the newest purchase order, not the largest number.
    NewPOModel second(t(), prompter, clock);
    second.setNumberText(u"6000"_s);
    ASSERT_TRUE(second.save().saved);
    EXPECT_EQ(NewPOModel(t(), prompter, clock).numberText(), u"6001"_s);

    // A number in use is refused, even while the list shows other purchase orders.
    t().purchaseOrders().SetFilter(u"[Number] = 6000"_s);
    t().purchaseOrders().Reopen();
    NewPOModel duplicate(t(), prompter, clock);
    duplicate.setNumberText(u"9500"_s);
    EXPECT_EQ(duplicate.save().focus, NewPOModel::Field::Number);
    EXPECT_EQ(prompter.lastText(), u"A purchase order with this number already exists.\nPlease choose a new "
                                   u"purchase order number."_s);

    // Modifying a filled purchase order reopens it; its own number is no duplicate.
    b.change<CPORec>(po.ID, [](CPORec& rec) {
        rec.Filled = true;
        rec.FilledDate = day(2024, 3, 18);
    });
    NewPOModel modify(t(), prompter, clock);
    ASSERT_TRUE(modify.loadForModify(po.ID));
    modify.selectVendor(otherVendor);
    ASSERT_TRUE(modify.save().saved);
    po = b.read<CPORec>(po.ID);
    EXPECT_EQ((QList<qint32>{po.Number, po.VendorID, po.Filled}), (QList<qint32>{9500, otherVendor, 0}));
    EXPECT_EQ(po.FilledDate, day(2024, 4, 1));
    EXPECT_EQ(b.rows("PO"), 2);
    EXPECT_FALSE(NewPOModel(t(), prompter, clock).loadForModify(po.ID + 100));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));
}

TEST_F(Purchasing, NewPurchaseOrderChecksItsFieldsBeforeWritingAnything)
{
    const QString badDate = StatusMessage(Status::InvalidDate);
    const QString badTax = u"Please enter a number between 0 and 1000."_s;
    const struct
    {
        void (NewPOModel::*set)(const QString&);
        QString value;
        NewPOModel::Field focus;
        QString message;
    } cases[] = {
        {&NewPOModel::setDateText, u"13/45/2024"_s, NewPOModel::Field::Date, badDate},
        {&NewPOModel::setRequiredDateText, u"someday"_s, NewPOModel::Field::RequiredDate, badDate},
        {&NewPOModel::setTaxRateText, u"1000.5"_s, NewPOModel::Field::TaxRate, badTax},
        {&NewPOModel::setNumberText, u"50a"_s, NewPOModel::Field::Number, u"Please enter an integer."_s},
        {&NewPOModel::setNotes, QString(129, u'n'), NewPOModel::Field::Notes,
         u"The PO Note may hold at most 128 characters."_s},
    };
    for (const auto& c : cases) {
        NewPOModel dialog(t(), prompter, clock);
        (dialog.*c.set)(c.value);
        EXPECT_EQ(dialog.save().focus, c.focus) << c.value.toStdString();
        EXPECT_EQ(prompter.lastText(), c.message) << c.value.toStdString();
    }
    // The edges of the ranges are fine.
    NewPOModel edges(t(), prompter, clock);
    edges.setTaxRateText(u"1000"_s);
    edges.setNotes(QString(128, u'n'));
    EXPECT_TRUE(edges.save().saved);

    ASSERT_TRUE(t().vendors().RecordDelete(vendor));
    ASSERT_TRUE(t().vendors().RecordDelete(otherVendor));
    NewPOModel noVendor(t(), prompter, clock);
    EXPECT_EQ(noVendor.save().focus, NewPOModel::Field::Vendor);
    EXPECT_EQ(b.rows("PO"), 1);
}

TEST_F(Purchasing, OrderLinesTakeThePurchaseOrdersVendorAndDateMergeByItemAndAreRewrittenWhole)
{
    RecordOrderModel dialog(t(), prompter);
    EXPECT_FALSE(dialog.checkPrerequisites());
    EXPECT_EQ(prompter.lastText(),
              u"In order to run this command, you must already have valid vendors and "
              u"items.  This command was unable to find all the necessary data to run."_s);
    prompter.clear();
    const qint32 ledger = b.item({u"Ledger"_s, otherVendor, NoID, Money::fromWhole(3), 7, 20});
    const qint32 pencil = item(u"Pencil"_s);
    const qint32 older = b.po(5000, otherVendor, day(1997, 2, 1));
    const qint32 po = b.po(5001, vendor);
    ASSERT_TRUE(dialog.checkPrerequisites());
    dialog.startNew(ledger);
    EXPECT_EQ(dialog.poID(), po); // the newest purchase order

    // Next keeps item and purchase order and starts again from the reorder quantity.
    dialog.setQuantityText(u"3"_s);
    ASSERT_TRUE(dialog.saveAndNext().saved);
    EXPECT_EQ((QList<qint32>{dialog.itemID(), dialog.poID()}), (QList<qint32>{ledger, po}));
    EXPECT_EQ((QStringList{dialog.orderedText(), dialog.quantityText()}), (QStringList{u"3"_s, u"20"_s}));
    // The purchase order's vendor and date, not the item's vendor.
    const qint32 first = dialog.savedOrders().constFirst();
    EXPECT_EQ(line(first), (QList<qint32>{ledger, po, vendor, 3, 0, 0}));
    EXPECT_EQ(b.read<COrderRec>(first).Date, day(1997, 3, 1));

    // The same item again on the same purchase order adds to its line.
    dialog.setQuantityText(u"5"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"This item is already on the specified PO.\nThe quantity "
                                            u"specified will be added to the existing entry."_s});
    EXPECT_EQ(line(first), (QList<qint32>{ledger, po, vendor, 8, 0, 0}));

    // On another purchase order, or for another item, it is a line of its own.
    dialog.selectPO(older);
    dialog.setQuantityText(u"2"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(line(dialog.savedOrders().constLast()), (QList<qint32>{ledger, older, otherVendor, 2, 0, 0}));
    dialog.selectItem(pencil);
    dialog.selectPO(po);
    dialog.setQuantityText(u"4"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ((QList<qint32>{ordered(ledger), ordered(pencil)}), (QList<qint32>{10, 4}));

    // Modify rewrites the whole line, a kept backorder included, and both items follow.
    b.change<COrderRec>(first, [&](COrderRec& rec) {
        rec.BackOrder = true;
        rec.BackOrderID = first;
    });
    RecordOrderModel modify(t(), prompter);
    ASSERT_TRUE(modify.startModify(first));
    EXPECT_FALSE(modify.saveAndNext().saved);
    modify.selectItem(pencil);
    EXPECT_EQ(modify.quantityText(), u"8"_s); // modifying keeps the typed quantity
    modify.selectPO(older);
    modify.setQuantityText(u"6"_s);
    ASSERT_TRUE(modify.save().saved);
    EXPECT_EQ(line(first), (QList<qint32>{pencil, older, otherVendor, 6, 0, 0}));
    EXPECT_EQ(b.read<COrderRec>(first).Date, day(1997, 2, 1));
    EXPECT_EQ((QList<qint32>{ordered(ledger), ordered(pencil)}), (QList<qint32>{2, 10}));
    EXPECT_TRUE(modify.changes().contains(ListingKind::PurchaseOrders, po));
    // A line that vanished while the dialog was open.
    b.remove<COrderRec>(first);
    EXPECT_FALSE(modify.save().saved);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));
    EXPECT_FALSE(RecordOrderModel(t(), prompter).startModify(first));
}

TEST_F(Purchasing, RecordOrderRefusesBadQuantitiesAndMissingRecords)
{
    const qint32 ledger = item(u"Ledger"_s);
    RecordOrderModel dialog(t(), prompter);
    dialog.startNew(ledger);
    for (const QString& bad : {u"0"_s, u"-4"_s, u"2.5"_s, u"x"_s, QString(), u"99999999999"_s}) {
        dialog.setQuantityText(bad);
        EXPECT_EQ(dialog.save().focus, RecordOrderModel::Field::Quantity) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
    }
    dialog.setQuantityText(u"4"_s);
    EXPECT_EQ(dialog.save().focus, RecordOrderModel::Field::PurchaseOrder);
    EXPECT_EQ(prompter.lastText(), u"Must add a PO"_s);

    // New PO from within the dialog selects the new purchase order; else the newest.
    const qint32 po = b.po(5000, vendor);
    const qint32 other = b.po(5001, vendor);
    dialog.refillPOs(po);
    EXPECT_EQ(dialog.poID(), po);
    dialog.refillPOs();
    EXPECT_EQ(dialog.poID(), other);
    ASSERT_TRUE(t().purchaseOrders().RecordDelete(other));
    EXPECT_EQ(dialog.save().focus, RecordOrderModel::Field::PurchaseOrder);
    EXPECT_EQ(prompter.lastText(), u"Unable to locate PO"_s);

    // Quantities that would overflow the line are refused, not wrapped.
    dialog.selectPO(po);
    dialog.setQuantityText(u"2147483000"_s);
    ASSERT_TRUE(dialog.save().saved);
    dialog.setQuantityText(u"1000"_s);
    EXPECT_EQ(dialog.save().focus, RecordOrderModel::Field::Quantity);
    EXPECT_EQ(ordered(ledger), 2147483000);

    // An order for an item that vanished meanwhile is kept, and the user is told.
    const qint32 pencil = item(u"Pencil"_s);
    RecordOrderModel vanished(t(), prompter);
    vanished.startNew(pencil, po);
    ASSERT_TRUE(t().items().RecordDelete(pencil));
    vanished.setQuantityText(u"2"_s);
    ASSERT_TRUE(vanished.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to locate item record."_s);
    EXPECT_EQ(b.rows("Order"), 2);
}

TEST_F(Purchasing, ManagePurchaseOrders)
{
    ManagePOModel empty(t(), prompter);
    EXPECT_FALSE(empty.deleteLine());
    EXPECT_EQ(prompter.lastText(), u"You must select a purchase order."_s);
    EXPECT_EQ(empty.modifyPO().kind, ManagePOAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), u"You must select a valid PO from the list."_s);

    const qint32 ledger = item(u"Ledger"_s);
    const qint32 pencil = item(u"Pencil"_s, Money::fromWhole(0, 4500));
    const qint32 stapler =
        b.item({.name = u"Stapler"_s, .vendor1 = vendor, .cost = Money::fromWhole(12), .taxable = true});
    const qint32 po = b.po(5000, vendor);
    const qint32 other = b.po(5001, otherVendor);
    const qint32 ledgerLine = b.orderLine(ledger, po, 10);
    const qint32 pencilLine = b.orderLine(pencil, po, 5);
    const qint32 staplerLine = b.orderLine(stapler, po, 2);
    b.orderLine(ledger, other, 99); // another purchase order's lines never show
    b.orderLine(stapler, other, 1);
    // Ledger: 4 of 10 with the rest on backorder, then 3 of the backorder. All 5 pencils.
    b.receive(ledgerLine, 4, day(1997, 3, 10));
    b.receive(ledgerLine, 3, day(1997, 3, 12));
    b.receive(pencilLine, 5, day(1997, 3, 11));

    ManagePOModel manage(t(), prompter);
    EXPECT_FALSE(manage.preselect(po + other + 1));
    ASSERT_TRUE(manage.preselect(po));
    EXPECT_EQ((QStringList{manage.vendorName(), manage.filledText(), manage.taxRateText()}),
              (QStringList{u"Acme Paper"_s, u"No"_s, u"7.250%"_s}));

    // Lines with receipts first, in the order of their first receipt.
    const QList<POLine>& lines = manage.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ((QList<qint32>{lines[0].orderID, lines[1].orderID, lines[2].orderID}),
              (QList<qint32>{ledgerLine, pencilLine, staplerLine}));
    EXPECT_EQ(ManagePOModel::lineTexts(lines.at(0)),
              (QStringList{u"Ledger"_s, u"LED-1"_s, u"10"_s, u"7"_s, u"3/12/1997"_s, u"$2.50"_s}));

    // 25.00 + 2.25 + 24.00; tax 7.25 % of the stapler's 24.00 only.
    const POTotals totals = manage.totals();
    EXPECT_EQ(
        (QList<Money>{totals.subtotal, totals.tax, totals.total}),
        (QList<Money>{Money::fromWhole(51, 2500), Money::fromWhole(1, 7400), Money::fromWhole(52, 9900)}));
    EXPECT_EQ(manage.printoutLines().at(2),
              (QStringList{u"Stapler"_s, u"STA-1"_s, u"2"_s, u"$12.00"_s, u"Y"_s, u"$24.00"_s}));

    // The unit price is the item's cost today, not what was paid.
    b.change<CItemsRec>(ledger, [](CItemsRec& rec) { rec.Cost = Money::fromWhole(3); });
    manage.refresh();
    EXPECT_EQ(manage.lines().at(0).unitPriceText(), u"$3.00"_s);

    // Marking it filled asks for the fill date.
    const ManagePOAction mark = manage.toggleFilled();
    ASSERT_EQ(mark.kind, ManagePOAction::Kind::MarkFillDate);
    MarkPOFillDateModel fill(t(), prompter, clock, mark.poID);
    fill.setDateText(u"2/30/1997"_s);
    EXPECT_EQ(fill.save().focus, MarkPOFillDateModel::Field::Date);
    EXPECT_EQ(prompter.lastText(), u"Must specify a valid date."_s);
    fill.setDateText(u"3/20/1997"_s);
    ASSERT_TRUE(fill.save().saved);
    manage.childClosed(fill.changes());
    EXPECT_EQ(manage.filledText(), u"3/20/1997"_s);
    // Reopening asks nothing and keeps the fill date.
    prompter.clear();
    EXPECT_EQ(manage.toggleFilled().kind, ManagePOAction::Kind::None);
    EXPECT_TRUE(prompter.log().isEmpty());
    const CPORec rec = b.read<CPORec>(po);
    EXPECT_FALSE(rec.Filled);
    EXPECT_EQ(rec.FilledDate, day(1997, 3, 20));

    // Line buttons need a line; one with receipts cannot be deleted, one without only after a Yes.
    manage.selectLine(NoID);
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(), kSelectEntry);
    manage.selectLine(ledgerLine);
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(),
              u"This order has already been received.\nYou must undo the receival of the "
              u"order before deleting."_s);
    EXPECT_EQ(manage.editLine().orderID, ledgerLine);
    manage.selectLine(staplerLine);
    prompter.answer({false, true});
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(), u"Are you sure you wish to delete this order from the PO?"_s);
    EXPECT_TRUE(t().orders().LocateByID(staplerLine));
    ASSERT_TRUE(manage.deleteLine());
    EXPECT_FALSE(t().orders().LocateByID(staplerLine));
    EXPECT_EQ(ordered(stapler), 1); // the other purchase order's line stays
}

TEST_F(Purchasing, EditOrderEntryFollowsALineThroughItsReceiptsAndUndo)
{
    const qint32 po = b.po(5000, vendor);
    const qint32 id = b.orderLine(item(u"Ledger"_s), po, 10);
    EditOrderEntryModel fresh(t(), prompter, id);
    EXPECT_EQ((QStringList{fresh.poNumberText(), fresh.orderedText(), fresh.receivedText()}),
              (QStringList{u"005000"_s, u"10"_s, u"0"_s}));
    EXPECT_EQ(fresh.modifyOriginal().kind, EditOrderEntryAction::Kind::ModifyOrder);
    EXPECT_EQ(fresh.recordReceived().kind, EditOrderEntryAction::Kind::RecordReceived);

    // 4 and then 1 of 10 arrive, the rest kept: the first receipt holds the original order.
    b.receive(id, 4);
    b.receive(id, 1);
    EditOrderEntryModel partial(t(), prompter, id);
    EXPECT_EQ((QStringList{partial.orderedText(), partial.receivedText()}), (QStringList{u"10"_s, u"5"_s}));
    EXPECT_EQ(partial.modifyOriginal().kind, EditOrderEntryAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), kCannotModify);
    EXPECT_EQ(partial.recordReceived().kind, EditOrderEntryAction::Kind::RecordReceived);

    // The rest arrives: nothing left to receive or modify.
    b.receive(id, 5);
    EditOrderEntryModel full(t(), prompter, id);
    EXPECT_EQ(full.recordReceived().kind, EditOrderEntryAction::Kind::None);
    EXPECT_EQ(
        prompter.lastText(),
        u"This order has already been received in full. \nTo make changes, you can choose to modify the "
        u"received quantity.\nIf the 'received' quantity does not match the 'order' quantity, the "
        u"\nremaining portion of the order was not kept active, and therefore discarded."_s);

    // Undo brings the whole line back (what it restores is the receiving tests').
    prompter.answer({true});
    ASSERT_TRUE(full.undoReceived());
    EXPECT_EQ((QStringList{full.orderedText(), full.receivedText()}), (QStringList{u"10"_s, u"0"_s}));
}

TEST_F(Purchasing, AutomatedRecordingDialogInBothModes)
{
    const qint32 po = b.po(5000, vendor);
    const qint32 newest = b.po(5001, vendor);
    AutoOrderModel ordering(t(), prompter, AutoOrderModel::Mode::Order);
    EXPECT_EQ(ordering.poID(), newest);
    AutoOrderModel receiving(t(), prompter, AutoOrderModel::Mode::Receive, po);

    // Nothing to work on.
    EXPECT_TRUE(ordering.orderSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"This command requires existing items in the database."_s);
    EXPECT_TRUE(receiving.receiveSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"This command requires existing orders in the database."_s);
    // Stocked 0 + Ordered 0 stays above a reorder level of -1.
    const qint32 ledger = b.item({.name = u"Ledger"_s, .vendor1 = vendor, .reorderLevel = -1});
    EXPECT_TRUE(ordering.orderSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"No items for this vendor require ordering."_s);
    b.orderLine(ledger, newest, 1);
    EXPECT_TRUE(receiving.receiveSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"There are no pending orders for this Purchase Order."_s);
}

TEST_F(Purchasing, AutoOrderProposesThePrimaryVendorsItemsAtTheirReorderLevel)
{
    const qint32 po = b.po(5000, vendor);
    const qint32 elsewhere = b.po(5001, otherVendor);
    const Money cost = Money::fromWhole(1);
    // 3 stocked and 2 on order: at a reorder level of 5, above one of 4.
    const qint32 atLevel = b.item({u"At level"_s, vendor, NoID, cost, 3, 24, 5});
    const qint32 above = b.item({u"Above level"_s, vendor, NoID, cost, 3, 24, 4});
    b.orderLine(atLevel, elsewhere, 2);
    b.orderLine(above, elsewhere, 2);
    b.item({u"Second vendor only"_s, otherVendor, vendor, cost, 0, 6, 10});
    const qint32 below = b.item({u"Below level"_s, vendor, NoID, cost, 0, 8, 1});

    AutoOrderModel autoOrder(t(), prompter, AutoOrderModel::Mode::Order, po);
    const QList<AutoOrderStep> steps = autoOrder.orderSteps();
    ASSERT_EQ(steps, (QList<AutoOrderStep>{{atLevel, 24}, {below, 8}}));

    // The first proposal is confirmed with another quantity.
    RecordOrderModel first(t(), prompter);
    autoOrder.prepareOrderStep(first, steps.at(0));
    EXPECT_EQ((QList<qint32>{first.poID(), first.itemID()}), (QList<qint32>{po, atLevel}));
    EXPECT_FALSE(first.itemEnabled() || first.nextEnabled());
    first.setQuantityText(u"30"_s);
    ASSERT_TRUE(first.save().saved);
    autoOrder.stepFinished(first.changes());

    // The second is cancelled: nothing written, the batch goes on.
    {
        RecordOrderModel cancelled(t(), prompter);
        autoOrder.prepareOrderStep(cancelled, steps.at(1));
        autoOrder.stepFinished(cancelled.changes());
    }
    EXPECT_EQ((QList<qint32>{ordered(atLevel), ordered(below)}), (QList<qint32>{32, 0}));
    EXPECT_EQ(autoOrder.changes().ids(ListingKind::Items), QList<qint32>{atLevel});

    // Ordered now, the item no longer needs ordering.
    EXPECT_EQ(autoOrder.orderSteps(), (QList<AutoOrderStep>{{below, 8}}));
}

TEST_F(Purchasing, AutoReceiveWalksEveryOutstandingLineIncludingBackorders)
{
    const qint32 ledger = item(u"Ledger"_s);
    const qint32 stapler = item(u"Stapler"_s);
    const qint32 po = b.po(5000, vendor);
    const qint32 first = b.orderLine(ledger, po, 10);
    const qint32 second = b.orderLine(item(u"Pencil"_s), po, 4);
    const qint32 backordered = b.orderLine(stapler, po, 6);
    b.orderLine(ledger, b.po(5001, vendor), 1);
    b.receive(backordered, 2);

    AutoOrderModel autoReceive(t(), prompter, AutoOrderModel::Mode::Receive, po);
    const QList<qint32> steps = autoReceive.receiveSteps();
    EXPECT_EQ(steps, (QList<qint32>{first, second, backordered}));

    // Each step opens the receiving dialog fixed on its line.
    RecordReceivedModel dialog(t(), prompter, clock);
    ASSERT_TRUE(autoReceive.prepareReceiveStep(dialog, backordered));
    EXPECT_EQ((QList<qint32>{dialog.selectedPO(), dialog.selectedOrder()}), (QList<qint32>{po, backordered}));
    EXPECT_FALSE(dialog.orderBoxEnabled() || dialog.nextEnabled());
    dialog.setQuantityText(u"1"_s);
    prompter.answer({true});
    ASSERT_TRUE(dialog.save().saved);
    autoReceive.stepFinished(dialog.changes());
    EXPECT_EQ(autoReceive.changes().ids(ListingKind::Items), (QList<qint32>{stapler}));
}

} // namespace
