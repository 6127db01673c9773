#include "common/Clock.h"
#include "common/StatusCodes.h"
#include "purchasing/AutoOrderModel.h"
#include "purchasing/EditOrderEntryModel.h"
#include "purchasing/ManagePOModel.h"
#include "purchasing/MarkPOFillDateModel.h"
#include "purchasing/NewPOModel.h"
#include "purchasing/POLines.h"
#include "purchasing/Receiving.h"
#include "purchasing/RecordOrderModel.h"
#include "purchasing/RecordReceivedModel.h"
#include "records/StockFigures.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDuplicateNumber =
    u"A purchase order with this number already exists.\nPlease choose a new purchase order number."_s;
const QString kMergeMessage =
    u"This item is already on the specified PO.\nThe quantity specified will be added to the existing entry."_s;
const QString kPrerequisites =
    u"In order to run this command, you must already have valid vendors and items.  "
    u"This command was unable to find all the necessary data to run."_s;
const QString kAlreadyReceived =
    u"This order has already been received.\nYou must undo the receival of the order before deleting."_s;
const QString kSelectEntry = u"You must select an entry in the list before performing this operation."_s;
const QString kReceivedInFull =
    u"This order has already been received in full. \nTo make changes, you can choose to modify the received "
    u"quantity.\nIf the 'received' quantity does not match the 'order' quantity, the \nremaining portion of "
    u"the "
    u"order was not kept active, and therefore discarded."_s;
const QString kCannotModify =
    u"   Unable to modify the original order. \n\nThe order has been either partially or completely filled. "
    u"If "
    u"you\nwish to modify the original order quantity anyway, you must first 'undo'\nthe received order."_s;

DateTime Day(int y, int m, int d)
{
    return DateTime::fromDate(QDate(y, m, d));
}

class Purchasing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        vendor = addVendor(u"Acme Paper"_s);
        otherVendor = addVendor(u"Bolt Supply"_s);
    }
    void TearDown() override
    {
        const QStringList problems = CheckStockInvariants(t());
        EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    }

    ProjectTables& t() { return project.tables(); }

    qint32 addVendor(const QString& name)
    {
        CVendorsRec v;
        v.Name = name;
        EXPECT_TRUE(t().vendors().RecordAdd(v));
        return v.ID;
    }
    qint32 addItem(const QString& name, qint32 vendor1, Money cost = Money::fromWhole(2, 5000),
                   qint32 reorderQty = 12)
    {
        CItemsRec rec;
        rec.Name = name;
        rec.Number = name.left(3).toUpper() + u"-1"_s;
        rec.VendorID1 = vendor1;
        rec.Cost = cost;
        rec.ReorderQuanity = reorderQty;
        EXPECT_TRUE(t().items().RecordAdd(rec));
        return rec.ID;
    }
    // A lot of initial stock, with the item's totals following.
    void stockUp(qint32 itemID, qint32 quantity)
    {
        CStockRec lot;
        lot.ItemID = itemID;
        lot.Quanity = quantity;
        lot.OrderID = StockInitial;
        lot.POID = StockInitial;
        lot.Date = Day(1997, 1, 2);
        ASSERT_TRUE(t().stock().RecordAdd(lot));
        ASSERT_TRUE(RecomputeStocked(t(), itemID));
    }
    qint32 addPO(qint32 number, qint32 vendorID, DateTime date = Day(1997, 3, 1))
    {
        CPORec rec;
        rec.Number = number;
        rec.VendorID = vendorID;
        rec.Date = date;
        rec.RequiredDate = date;
        rec.FilledDate = date;
        rec.TaxRate = 7.25;
        EXPECT_TRUE(t().purchaseOrders().RecordAdd(rec));
        return rec.ID;
    }
    // Records an order line through the dialog.
    qint32 order(qint32 itemID, qint32 poID, qint32 quantity)
    {
        RecordOrderModel dialog(t(), prompter);
        dialog.startNew(itemID, poID);
        dialog.setQuantityText(QString::number(quantity));
        EXPECT_TRUE(dialog.save().saved);
        return dialog.savedOrders().value(0, NoID);
    }
    // Receives through the receiving operation; the backorder answer is only
    // given when less than outstanding arrives.
    ReceiptOutcome receive(qint32 orderID, qint32 quantity, DateTime date, bool keepBackorder = true)
    {
        if (quantity < t().orders().GetQuanity(orderID))
            prompter.answer({keepBackorder});
        ChangeList changes;
        const ReceiptOutcome outcome =
            ReceiveOrderLine(t(), prompter, {orderID, quantity, Money::fromWhole(2), date}, changes);
        EXPECT_TRUE(outcome.received());
        return outcome;
    }
    qint32 ordered(qint32 itemID) { return t().items().GetOrdered(itemID); }
    qint32 rows(const char* table)
    {
        QSqlQuery query(project.db().connection());
        query.exec(u"SELECT COUNT(*) FROM \"%1\""_s.arg(QLatin1String(table)));
        return query.next() ? query.value(0).toInt() : -1;
    }

    TempProject project;
    ScriptedPrompter prompter;
    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(10, 30))};
    qint32 vendor = NoID;
    qint32 otherVendor = NoID;
};

// ---- New Purchase Order ----

TEST_F(Purchasing, NumbersFollowTheNewestPurchaseOrderAndDuplicatesAreRefused)
{
    NewPOModel first(t(), prompter, clock);
    EXPECT_EQ(first.numberText(), u"5000"_s);
    EXPECT_TRUE(first.numberEnabled());
    EXPECT_EQ(first.dateText(), u"3/15/2024"_s);
    EXPECT_EQ(first.requiredDateText(), u"3/15/2024"_s);
    EXPECT_EQ(first.vendorID(), vendor);
    EXPECT_EQ(first.vendorIdText(), FormatRecordId(vendor));
    first.setNumberText(u"9500"_s);
    first.setRequiredDateText(u"4/1/2024"_s);
    first.setNotes(u"Spring stock"_s);
    first.setTaxRateText(u"7.25"_s);
    ASSERT_TRUE(first.save().saved);
    EXPECT_TRUE(first.changes().contains(ListingKind::PurchaseOrders, first.poID()));

    CPORec po;
    ASSERT_TRUE(t().purchaseOrders().RecordRead(po, first.poID()));
    EXPECT_EQ(po.Number, 9500);
    EXPECT_EQ(po.VendorID, vendor);
    EXPECT_EQ(po.Date, Day(2024, 3, 15));
    EXPECT_EQ(po.RequiredDate, Day(2024, 4, 1));
    EXPECT_FALSE(po.Filled);
    EXPECT_EQ(po.FilledDate, po.RequiredDate);
    EXPECT_DOUBLE_EQ(po.TaxRate, 7.25);
    EXPECT_EQ(po.Notes, u"Spring stock"_s);

    // The next number follows the newest purchase order, not the largest number.
    NewPOModel second(t(), prompter, clock);
    EXPECT_EQ(second.numberText(), u"9501"_s);
    second.setNumberText(u"6000"_s);
    ASSERT_TRUE(second.save().saved);
    EXPECT_EQ(NewPOModel(t(), prompter, clock).numberText(), u"6001"_s);

    // A number in use is refused, even while the list shows other purchase orders.
    t().purchaseOrders().SetFilter(u"[Number] = 6000"_s);
    t().purchaseOrders().Reopen();
    NewPOModel duplicate(t(), prompter, clock);
    duplicate.setNumberText(u"9500"_s);
    const SaveResult refused = duplicate.save();
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.focus, u"number"_s);
    EXPECT_EQ(prompter.lastText(), kDuplicateNumber);
    EXPECT_EQ(prompter.log().constLast().title, u"Quillmark 3.5"_s);
    EXPECT_EQ(rows("PO"), 2);
}

TEST_F(Purchasing, NewPurchaseOrderChecksItsFieldsBeforeWritingAnything)
{
    const QString badDate = StatusMessage(Status::InvalidDate);
    struct Case
    {
        const char* field;
        QString value;
        QString focus;
        QString message;
    };
    const QList<Case> cases = {
        {"date", u"13/45/2024"_s, u"date"_s, badDate},
        {"date", QString(), u"date"_s, badDate},
        {"required", u"someday"_s, u"requiredDate"_s, badDate},
        {"tax", u"1000.5"_s, u"taxRate"_s, u"Please enter a number between 0 and 1000."_s},
        {"tax", u"-1"_s, u"taxRate"_s, u"Please enter a number between 0 and 1000."_s},
        {"number", u"50a"_s, u"number"_s, u"Please enter an integer."_s},
        {"notes", QString(129, u'n'), u"notes"_s, u"The PO Note may hold at most 128 characters."_s},
    };
    for (const Case& c : cases) {
        NewPOModel dialog(t(), prompter, clock);
        const QString field = QString::fromLatin1(c.field);
        if (field == u"date"_s)
            dialog.setDateText(c.value);
        else if (field == u"required"_s)
            dialog.setRequiredDateText(c.value);
        else if (field == u"tax"_s)
            dialog.setTaxRateText(c.value);
        else if (field == u"number"_s)
            dialog.setNumberText(c.value);
        else
            dialog.setNotes(c.value);
        const SaveResult result = dialog.save();
        EXPECT_FALSE(result.saved) << c.field;
        EXPECT_EQ(result.focus, c.focus) << c.field;
        EXPECT_EQ(prompter.lastText(), c.message) << c.field;
    }
    // The edges of the ranges are fine.
    NewPOModel edges(t(), prompter, clock);
    edges.setTaxRateText(u"1000"_s);
    edges.setNotes(QString(128, u'n'));
    EXPECT_TRUE(edges.save().saved);
    EXPECT_EQ(rows("PO"), 1);
}

TEST_F(Purchasing, ModifyingAFilledPurchaseOrderReopensIt)
{
    const qint32 po = addPO(5000, vendor, Day(1997, 3, 1));
    CPORec rec;
    ASSERT_TRUE(t().purchaseOrders().RecordRead(rec, po));
    rec.RequiredDate = Day(1997, 3, 20);
    rec.Filled = true;
    rec.FilledDate = Day(1997, 3, 18);
    ASSERT_TRUE(t().purchaseOrders().RecordModify(rec));

    NewPOModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.loadForModify(po));
    EXPECT_FALSE(dialog.numberEnabled());
    EXPECT_EQ(dialog.numberText(), u"5000"_s);
    EXPECT_EQ(dialog.dateText(), u"3/1/1997"_s);
    EXPECT_EQ(dialog.requiredDateText(), u"3/20/1997"_s);
    EXPECT_EQ(dialog.taxRateText(), u"7.25"_s);
    dialog.selectVendor(otherVendor);
    dialog.setNotes(u"Call before delivery"_s);
    // Its own number is no duplicate.
    ASSERT_TRUE(dialog.save().saved);

    ASSERT_TRUE(t().purchaseOrders().RecordRead(rec, po));
    EXPECT_EQ(rec.Number, 5000);
    EXPECT_EQ(rec.VendorID, otherVendor);
    EXPECT_EQ(rec.Notes, u"Call before delivery"_s);
    EXPECT_FALSE(rec.Filled);
    EXPECT_EQ(rec.FilledDate, Day(1997, 3, 20));
    EXPECT_EQ(rows("PO"), 1);

    NewPOModel gone(t(), prompter, clock);
    EXPECT_FALSE(gone.loadForModify(po + 100));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));
}

TEST_F(Purchasing, APurchaseOrderNeedsAVendor)
{
    ASSERT_TRUE(t().vendors().RecordDelete(vendor));
    ASSERT_TRUE(t().vendors().RecordDelete(otherVendor));
    NewPOModel dialog(t(), prompter, clock);
    EXPECT_EQ(dialog.vendorID(), NoSelection);
    EXPECT_EQ(dialog.save().focus, u"vendor"_s);
    EXPECT_EQ(rows("PO"), 0);
}

// ---- Record Order ----

TEST_F(Purchasing, RecordOrderNeedsVendorsAndItems)
{
    RecordOrderModel noItems(t(), prompter);
    EXPECT_FALSE(noItems.checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), kPrerequisites);
    addItem(u"Ledger"_s, vendor);
    EXPECT_TRUE(noItems.checkPrerequisites());
}

TEST_F(Purchasing, OrderLinesTakeThePurchaseOrdersVendorAndDateAndMergeByItem)
{
    const qint32 ledger = addItem(u"Ledger"_s, otherVendor, Money::fromWhole(3), 20);
    const qint32 pencil = addItem(u"Pencil"_s, vendor);
    stockUp(ledger, 7);
    const qint32 older = addPO(5000, otherVendor, Day(1997, 2, 1));
    const qint32 po = addPO(5001, vendor, Day(1997, 3, 1));

    RecordOrderModel dialog(t(), prompter);
    ASSERT_TRUE(dialog.checkPrerequisites());
    dialog.startNew(ledger);
    EXPECT_EQ(dialog.caption(), u"Record Order"_s);
    EXPECT_EQ(dialog.helpLine(), u"Record an order placed for an item in the inventory."_s);
    EXPECT_EQ(dialog.itemID(), ledger);
    EXPECT_EQ(dialog.poID(), po); // the newest purchase order
    EXPECT_EQ(dialog.poEntries().size(), 2);
    EXPECT_EQ(dialog.stockedText(), u"7"_s);
    EXPECT_EQ(dialog.orderedText(), u"0"_s);
    EXPECT_EQ(dialog.quantityText(), u"20"_s);
    EXPECT_TRUE(dialog.itemEnabled());
    EXPECT_TRUE(dialog.nextEnabled());

    dialog.setQuantityText(u"3"_s);
    ASSERT_TRUE(dialog.saveAndNext().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    // Next keeps item and purchase order, shows the new total and starts again
    // from the reorder quantity.
    EXPECT_EQ(dialog.itemID(), ledger);
    EXPECT_EQ(dialog.poID(), po);
    EXPECT_EQ(dialog.orderedText(), u"3"_s);
    EXPECT_EQ(dialog.quantityText(), u"20"_s);

    const qint32 line = dialog.savedOrders().constFirst();
    COrderRec rec;
    ASSERT_TRUE(t().orders().RecordRead(rec, line));
    EXPECT_EQ(rec.POID, po);
    EXPECT_EQ(rec.ItemID, ledger);
    EXPECT_EQ(rec.VendorID, vendor); // the purchase order's, not the item's
    EXPECT_EQ(rec.Date, Day(1997, 3, 1));
    EXPECT_EQ(rec.Quanity, 3);
    EXPECT_FALSE(rec.BackOrder);
    EXPECT_EQ(rec.BackOrderID, 0);

    // The same item again on the same purchase order adds to its line.
    dialog.setQuantityText(u"5"_s);
    ASSERT_TRUE(dialog.save().saved);
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.lastText(), kMergeMessage);
    EXPECT_EQ(prompter.log().constLast().title, u"Quillmark 3.5"_s);
    EXPECT_EQ(t().orders().CountWhere(u"[POID] = ?"_s, {po}), 1);
    ASSERT_TRUE(t().orders().RecordRead(rec, line));
    EXPECT_EQ(rec.Quanity, 8);
    EXPECT_EQ(ordered(ledger), 8);
    EXPECT_EQ(dialog.savedOrders(), (QList<qint32>{line, line}));

    // On another purchase order, or another item, it is a line of its own.
    const qint32 elsewhere = order(ledger, older, 2);
    EXPECT_NE(elsewhere, line);
    ASSERT_TRUE(t().orders().RecordRead(rec, elsewhere));
    EXPECT_EQ(rec.Date, Day(1997, 2, 1));
    EXPECT_EQ(rec.VendorID, otherVendor);
    EXPECT_NE(order(pencil, po, 4), line);
    EXPECT_EQ(ordered(ledger), 10);
    EXPECT_EQ(ordered(pencil), 4);
    EXPECT_TRUE(dialog.changes().contains(ListingKind::PurchaseOrders, po));
    EXPECT_TRUE(dialog.changes().contains(ListingKind::Items, ledger));
    EXPECT_EQ(dialog.lastItemID(), ledger);
}

TEST_F(Purchasing, RecordOrderRefusesBadQuantitiesAndMissingPurchaseOrders)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    RecordOrderModel dialog(t(), prompter);
    dialog.startNew(ledger);
    EXPECT_EQ(dialog.poID(), NoSelection);

    for (const QString& bad : {u"0"_s, u"-4"_s, u"2.5"_s, u"x"_s, QString(), u"99999999999"_s}) {
        dialog.setQuantityText(bad);
        const SaveResult result = dialog.save();
        EXPECT_EQ(result.focus, u"quantity"_s) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
    }
    dialog.setQuantityText(u"4"_s);
    EXPECT_EQ(dialog.save().focus, u"po"_s);
    EXPECT_EQ(prompter.lastText(), u"Must add a PO"_s);

    // New PO from within the dialog: the new purchase order is selected.
    const qint32 po = addPO(5000, vendor);
    const qint32 other = addPO(5001, vendor);
    dialog.refillPOs(po);
    EXPECT_EQ(dialog.poID(), po);
    dialog.refillPOs();
    EXPECT_EQ(dialog.poID(), other);

    ASSERT_TRUE(t().purchaseOrders().RecordDelete(other));
    EXPECT_EQ(dialog.save().focus, u"po"_s);
    EXPECT_EQ(prompter.lastText(), u"Unable to locate PO"_s);
    EXPECT_EQ(rows("Order"), 0);
    EXPECT_FALSE(dialog.recordedAny());

    // Quantities that would overflow the line are refused, not wrapped.
    dialog.selectPO(po);
    dialog.setQuantityText(u"2147483000"_s);
    ASSERT_TRUE(dialog.save().saved);
    dialog.setQuantityText(u"1000"_s);
    EXPECT_EQ(dialog.save().focus, u"quantity"_s);
    EXPECT_EQ(ordered(ledger), 2147483000);
}

TEST_F(Purchasing, ModifyRewritesTheWholeLineAndBothItemsFollow)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 pencil = addItem(u"Pencil"_s, vendor);
    const qint32 po = addPO(5000, vendor, Day(1997, 3, 1));
    const qint32 later = addPO(5001, otherVendor, Day(1997, 4, 1));
    const qint32 line = order(ledger, po, 10);
    // Make it look like a kept backorder.
    COrderRec rec;
    ASSERT_TRUE(t().orders().RecordRead(rec, line));
    rec.BackOrder = true;
    rec.BackOrderID = line;
    ASSERT_TRUE(t().orders().RecordModify(rec));

    RecordOrderModel dialog(t(), prompter);
    ASSERT_TRUE(dialog.startModify(line));
    EXPECT_EQ(dialog.caption(), u"Modify Recorded Order #%1"_s.arg(FormatRecordId(line)));
    EXPECT_FALSE(dialog.nextEnabled());
    EXPECT_EQ(dialog.itemID(), ledger);
    EXPECT_EQ(dialog.poID(), po); // the line's own, not the newest
    EXPECT_EQ(dialog.quantityText(), u"10"_s);
    EXPECT_FALSE(dialog.saveAndNext().saved);
    EXPECT_EQ(rows("Order"), 1);

    dialog.selectItem(pencil);
    EXPECT_EQ(dialog.quantityText(), u"10"_s); // modifying keeps the typed quantity
    dialog.selectPO(later);
    dialog.setQuantityText(u"6"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    ASSERT_TRUE(t().orders().RecordRead(rec, line));
    EXPECT_EQ(rec.ItemID, pencil);
    EXPECT_EQ(rec.POID, later);
    EXPECT_EQ(rec.VendorID, otherVendor);
    EXPECT_EQ(rec.Date, Day(1997, 4, 1));
    EXPECT_EQ(rec.Quanity, 6);
    EXPECT_FALSE(rec.BackOrder);
    EXPECT_EQ(rec.BackOrderID, 0);
    EXPECT_EQ(ordered(ledger), 0);
    EXPECT_EQ(ordered(pencil), 6);
    EXPECT_TRUE(dialog.changes().contains(ListingKind::PurchaseOrders, po));
    EXPECT_TRUE(dialog.changes().contains(ListingKind::PurchaseOrders, later));

    // A line that vanished while the dialog was open.
    ASSERT_TRUE(t().orders().RecordDelete(line));
    ASSERT_TRUE(RecomputeOrdered(t(), pencil));
    EXPECT_FALSE(dialog.save().saved);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));
    EXPECT_EQ(rows("Order"), 0);
    EXPECT_FALSE(RecordOrderModel(t(), prompter).startModify(line));
}

TEST_F(Purchasing, AnOrderForAVanishedItemIsKeptAndTheUserIsTold)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 po = addPO(5000, vendor);
    RecordOrderModel dialog(t(), prompter);
    dialog.startNew(ledger, po);
    ASSERT_TRUE(t().items().RecordDelete(ledger));
    dialog.setQuantityText(u"2"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to locate item record."_s);
    EXPECT_EQ(rows("Order"), 1);
}

// ---- Manage Purchase Orders ----

TEST_F(Purchasing, ManageShowsThePurchaseOrderAndItsLineFigures)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor, Money::fromWhole(2, 5000));
    const qint32 pencil = addItem(u"Pencil"_s, vendor, Money::fromWhole(0, 4500));
    const qint32 stapler = addItem(u"Stapler"_s, vendor, Money::fromWhole(12));
    CItemsRec taxable;
    ASSERT_TRUE(t().items().RecordRead(taxable, stapler));
    taxable.Taxable = true;
    ASSERT_TRUE(t().items().RecordModify(taxable));
    const qint32 po = addPO(5000, vendor, Day(1997, 3, 1));
    const qint32 other = addPO(5001, otherVendor);

    const qint32 ledgerLine = order(ledger, po, 10);
    const qint32 pencilLine = order(pencil, po, 5);
    const qint32 staplerLine = order(stapler, po, 2);
    order(ledger, other, 99); // another purchase order's line never shows

    // Ledger: 4 of 10 with the rest on backorder, then 3 of the backorder, kept again.
    receive(ledgerLine, 4, Day(1997, 3, 10), true);
    receive(ledgerLine, 3, Day(1997, 3, 12), true);
    // Pencil: all 5 arrive; its order row is gone.
    receive(pencilLine, 5, Day(1997, 3, 11));
    prompter.clear();

    ManagePOModel manage(t(), prompter);
    EXPECT_EQ(manage.poID(), other);
    ASSERT_TRUE(manage.preselectNumber(5000));
    EXPECT_EQ(manage.poID(), po);
    EXPECT_FALSE(manage.preselectNumber(4999));
    EXPECT_EQ(manage.poID(), po);

    EXPECT_EQ(manage.vendorName(), u"Acme Paper"_s);
    EXPECT_EQ(manage.poDateText(), u"3/1/1997"_s);
    EXPECT_EQ(manage.requiredDateText(), u"3/1/1997"_s);
    EXPECT_EQ(manage.filledText(), u"No"_s);
    EXPECT_EQ(manage.taxRateText(), u"7.250%"_s);
    EXPECT_EQ(manage.fillButtonCaption(), u"Mark as Filled"_s);
    EXPECT_EQ(ManagePOModel::columnCaptions(),
              (QStringList{u"Item"_s, u"Number"_s, u"Ordered"_s, u"Received to Date"_s,
                           u"Last Receive Date"_s, u"Unit Price"_s}));

    const QList<POLine>& lines = manage.lines();
    ASSERT_EQ(lines.size(), 3);
    // Lines with receipts first, in the order of their first receipt.
    EXPECT_EQ(lines.at(0).orderID, ledgerLine);
    EXPECT_EQ(ManagePOModel::lineTexts(lines.at(0)),
              (QStringList{u"Ledger"_s, u"LED-1"_s, u"10"_s, u"7"_s, u"3/12/1997"_s, u"$2.50"_s}));
    EXPECT_EQ(lines.at(1).orderID, pencilLine);
    EXPECT_EQ(ManagePOModel::lineTexts(lines.at(1)),
              (QStringList{u"Pencil"_s, u"PEN-1"_s, u"5"_s, u"5"_s, u"3/11/1997"_s, u"$0.45"_s}));
    EXPECT_EQ(lines.at(2).orderID, staplerLine);
    EXPECT_EQ(ManagePOModel::lineTexts(lines.at(2)),
              (QStringList{u"Stapler"_s, u"STA-1"_s, u"2"_s, u"0"_s, u"-"_s, u"$12.00"_s}));

    // 25.00 + 2.25 + 24.00; tax 7.25 % of the stapler's 24.00 only.
    const POTotals totals = manage.totals();
    EXPECT_EQ(totals.subtotal, Money::fromWhole(51, 2500));
    EXPECT_EQ(totals.tax, Money::fromWhole(1, 7400));
    EXPECT_EQ(totals.total, Money::fromWhole(52, 9900));
    EXPECT_EQ(manage.printoutLines().at(2),
              (QStringList{u"Stapler"_s, u"STA-1"_s, u"2"_s, u"$12.00"_s, u"Y"_s, u"$24.00"_s}));

    // The unit price is the item's cost today, not what was paid.
    CItemsRec rec;
    ASSERT_TRUE(t().items().RecordRead(rec, ledger));
    rec.Cost = Money::fromWhole(3);
    ASSERT_TRUE(t().items().RecordModify(rec));
    manage.refresh();
    EXPECT_EQ(manage.lines().at(0).unitPriceText(), u"$3.00"_s);
    EXPECT_EQ(manage.poID(), po);
}

TEST_F(Purchasing, LineFiguresOfALargePurchaseOrder)
{
    const qint32 po = addPO(5000, vendor);
    QList<qint32> items, lines;
    {
        Transaction bulk(project.db());
        for (int i = 0; i < 1000; ++i) {
            items.append(addItem(u"Item %1"_s.arg(i), vendor, Money::fromWhole(1 + i % 7)));
            COrderRec line;
            line.ItemID = items.last();
            line.VendorID = vendor;
            line.POID = po;
            line.Quanity = 1 + i % 5;
            line.Date = Day(1997, 3, 1);
            ASSERT_TRUE(t().orders().RecordAdd(line));
            ASSERT_TRUE(RecomputeOrdered(t(), line.ItemID));
            lines.append(line.ID);
        }
        ASSERT_TRUE(bulk.commit());
    }
    for (int i = 0; i < 1000; i += 100)
        receive(lines.at(i), 1, Day(1997, 3, 5 + i / 100), false);

    const QList<POLine> figures = ComputePOLines(t(), po);
    ASSERT_EQ(figures.size(), 1000);
    qint64 orderedTotal = 0, receivedTotal = 0;
    for (const POLine& line : figures) {
        orderedTotal += line.ordered;
        receivedTotal += line.received;
        EXPECT_TRUE(line.itemFound);
    }
    EXPECT_EQ(orderedTotal, 3000);
    EXPECT_EQ(receivedTotal, 10);
    EXPECT_EQ(figures.at(0).orderID, lines.at(0));
    EXPECT_EQ(figures.at(9).orderID, lines.at(900));
    EXPECT_EQ(figures.at(10).orderID, lines.at(1));
    EXPECT_EQ(figures.at(10).itemName, u"Item 1"_s);
}

TEST_F(Purchasing, MarkingFilledAndNotFilled)
{
    const qint32 po = addPO(5000, vendor);
    ManagePOModel manage(t(), prompter);

    const ManagePOAction mark = manage.toggleFilled();
    ASSERT_EQ(mark.kind, ManagePOAction::Kind::MarkFillDate);
    EXPECT_EQ(mark.poID, po);

    MarkPOFillDateModel fill(t(), prompter, clock, mark.poID);
    EXPECT_EQ(fill.caption(), u"Mark PO Filll Date"_s);
    EXPECT_EQ(fill.prompt(), u"Please enter the date the PO was received."_s);
    EXPECT_EQ(fill.dateLabel(), u"Fill Date:"_s);
    EXPECT_EQ(fill.dateText(), u"3/15/2024"_s);
    fill.setDateText(u"2/30/1997"_s);
    EXPECT_EQ(fill.save().focus, u"date"_s);
    EXPECT_EQ(prompter.lastText(), u"Must specify a valid date."_s);
    EXPECT_EQ(t().purchaseOrders().GetFilled(po), 0);
    fill.setDateText(u"3/20/1997"_s);
    ASSERT_TRUE(fill.save().saved);
    manage.childClosed(fill.changes());

    EXPECT_TRUE(manage.isFilled());
    EXPECT_EQ(manage.filledText(), u"3/20/1997"_s);
    EXPECT_EQ(manage.fillButtonCaption(), u"Mark as Not Filled"_s);
    EXPECT_TRUE(manage.changes().contains(ListingKind::PurchaseOrders, po));

    // Reopening asks nothing and keeps the fill date.
    prompter.clear();
    EXPECT_EQ(manage.toggleFilled().kind, ManagePOAction::Kind::None);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_FALSE(manage.isFilled());
    EXPECT_EQ(manage.filledText(), u"No"_s);
    CPORec rec;
    ASSERT_TRUE(t().purchaseOrders().RecordRead(rec, po));
    EXPECT_FALSE(rec.Filled);
    EXPECT_EQ(rec.FilledDate, Day(1997, 3, 20));
}

TEST_F(Purchasing, DeletingALineIsRefusedOnceSomethingWasReceived)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 pencil = addItem(u"Pencil"_s, vendor);
    const qint32 po = addPO(5000, vendor);
    const qint32 ledgerLine = order(ledger, po, 10);
    const qint32 pencilLine = order(pencil, po, 4);
    receive(ledgerLine, 4, Day(1997, 3, 10), true);
    order(pencil, addPO(5001, vendor), 3);
    prompter.clear();

    ManagePOModel manage(t(), prompter);
    manage.selectPO(po);
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(), kSelectEntry);
    EXPECT_EQ(manage.editLine().kind, ManagePOAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), kSelectEntry);

    manage.selectLine(ledgerLine);
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(), kAlreadyReceived);
    EXPECT_EQ(rows("Order"), 3);

    manage.selectLine(pencilLine);
    prompter.answer({false});
    EXPECT_FALSE(manage.deleteLine());
    EXPECT_EQ(prompter.lastText(), u"Are you sure you wish to delete this order from the PO?"_s);
    EXPECT_TRUE(prompter.log().constLast().question);
    EXPECT_EQ(prompter.log().constLast().title, u"Quillmark 3.5"_s);
    EXPECT_EQ(rows("Order"), 3);

    prompter.answer({true});
    ASSERT_TRUE(manage.deleteLine());
    EXPECT_FALSE(t().orders().LocateByID(pencilLine));
    EXPECT_EQ(ordered(pencil), 3); // the other purchase order's line stays
    EXPECT_EQ(manage.lines().size(), 1);
    EXPECT_EQ(manage.selectedOrderID(), NoSelection);
    EXPECT_TRUE(manage.changes().contains(ListingKind::Items, pencil));

    // Without any purchase order.
    ASSERT_TRUE(t().orders().DeleteWhere(u"[POID] > 0"_s) >= 0);
    ASSERT_TRUE(RecomputeOrdered(t(), ledger));
    ASSERT_TRUE(RecomputeOrdered(t(), pencil));
    ASSERT_TRUE(t().purchaseOrders().DeleteWhere(u"[ID] > 0"_s) >= 0);
    ManagePOModel empty(t(), prompter);
    EXPECT_EQ(empty.poID(), NoSelection);
    EXPECT_FALSE(empty.deleteLine());
    EXPECT_EQ(prompter.lastText(), u"You must select a purchase order."_s);
    EXPECT_EQ(empty.modifyPO().kind, ManagePOAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), u"You must select a valid PO from the list."_s);
    EXPECT_EQ(empty.filledText(), QString());
}

TEST_F(Purchasing, ManageButtonsOpenTheirDialogsForTheSelectedPurchaseOrder)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 po = addPO(5000, vendor);
    addPO(5001, vendor);
    const qint32 line = order(ledger, po, 2);

    ManagePOModel manage(t(), prompter);
    manage.selectPO(po);
    manage.selectLine(line);
    const ManagePOAction edit = manage.editLine();
    EXPECT_EQ(edit.kind, ManagePOAction::Kind::EditOrderEntry);
    EXPECT_EQ(edit.orderID, line);
    EXPECT_EQ(manage.viewPO().poID, po);

    // Add: the line recorded there shows and the same purchase order stays selected.
    RecordOrderModel add(t(), prompter);
    add.startNew(NoID, manage.addOrder().poID);
    add.setQuantityText(u"3"_s);
    ASSERT_TRUE(add.save().saved);
    manage.childClosed(add.changes());
    EXPECT_EQ(manage.poID(), po);
    EXPECT_EQ(manage.lines().constFirst().ordered, 5);

    // New PO: selected when it comes back.
    NewPOModel created(t(), prompter, clock);
    ASSERT_TRUE(created.save().saved);
    manage.poCreated(created.poID());
    EXPECT_EQ(manage.poID(), created.poID());
    EXPECT_EQ(manage.poEntries().size(), 3);
    EXPECT_TRUE(manage.lines().isEmpty());
}

// ---- Edit Order Entry ----

TEST_F(Purchasing, EditOrderEntryShowsTheLineAndGuardsItsActions)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 po = addPO(5000, vendor);
    const qint32 line = order(ledger, po, 10);

    EditOrderEntryModel fresh(t(), prompter, line);
    EXPECT_EQ(fresh.caption(), u"Edit Order Entry"_s);
    EXPECT_EQ(fresh.itemName(), u"Ledger"_s);
    EXPECT_EQ(fresh.poNumberText(), u"005000"_s);
    EXPECT_EQ(fresh.orderedText(), u"10"_s);
    EXPECT_EQ(fresh.receivedText(), u"0"_s);
    const EditOrderEntryAction modify = fresh.modifyOriginal();
    EXPECT_EQ(modify.kind, EditOrderEntryAction::Kind::ModifyOrder);
    EXPECT_EQ(modify.orderID, line);
    const EditOrderEntryAction receiveIt = fresh.recordReceived();
    EXPECT_EQ(receiveIt.kind, EditOrderEntryAction::Kind::RecordReceived);
    EXPECT_EQ(receiveIt.poID, po);
    EXPECT_TRUE(prompter.log().isEmpty());

    // 4 of 10 received, the rest kept: the first receipt holds the original order.
    receive(line, 4, Day(1997, 3, 10), true);
    receive(line, 1, Day(1997, 3, 11), true);
    prompter.clear();
    EditOrderEntryModel partial(t(), prompter, line);
    EXPECT_EQ(partial.orderedText(), u"10"_s);
    EXPECT_EQ(partial.receivedText(), u"5"_s);
    EXPECT_EQ(partial.modifyOriginal().kind, EditOrderEntryAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), kCannotModify);
    EXPECT_EQ(partial.recordReceived().kind, EditOrderEntryAction::Kind::RecordReceived);

    // The rest arrives: nothing left to receive or modify.
    receive(line, 5, Day(1997, 3, 12));
    prompter.clear();
    EditOrderEntryModel full(t(), prompter, line);
    EXPECT_EQ(full.receivedText(), u"10"_s);
    EXPECT_EQ(full.recordReceived().kind, EditOrderEntryAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), kReceivedInFull);
    EXPECT_EQ(full.modifyOriginal().kind, EditOrderEntryAction::Kind::None);
    EXPECT_EQ(prompter.lastText(), kCannotModify);

    // Undo brings the whole line back under a new order ID.
    prompter.answer({true});
    ASSERT_TRUE(full.undoReceived());
    EXPECT_NE(full.orderID(), line);
    EXPECT_EQ(full.orderedText(), u"10"_s);
    EXPECT_EQ(full.receivedText(), u"0"_s);
    EXPECT_EQ(ordered(ledger), 10);
    EXPECT_EQ(full.modifyOriginal().kind, EditOrderEntryAction::Kind::ModifyOrder);
    EXPECT_TRUE(full.changes().contains(ListingKind::Items, ledger));

    // Answering No changes nothing.
    EXPECT_FALSE(full.undoReceived());
    EXPECT_EQ(rows("Order"), 1);
}

// ---- Automated Order Recording ----

TEST_F(Purchasing, AutomatedRecordingDialogInBothModes)
{
    const qint32 po = addPO(5000, vendor);
    const qint32 newest = addPO(5001, vendor);
    AutoOrderModel ordering(t(), prompter, AutoOrderModel::Mode::Order);
    EXPECT_EQ(ordering.caption(), u"Automated Order Recording"_s);
    EXPECT_EQ(ordering.helpLine(),
              u"This feature can be used to record orders for items which are at or below the "
              u"reorder quantity specified for the item.\nTo begin, select a PO and hit OK."_s);
    EXPECT_TRUE(ordering.newPOEnabled());
    EXPECT_EQ(ordering.poID(), newest);

    AutoOrderModel receiving(t(), prompter, AutoOrderModel::Mode::Receive, po);
    EXPECT_EQ(
        receiving.helpLine(),
        u"This feature can be used to automate recording for thereceival of orders for outstanding for a "
        u"specified vendor.\nTo begin, select a PO and hit OK."_s);
    EXPECT_FALSE(receiving.newPOEnabled());
    EXPECT_EQ(receiving.poID(), po);

    // Nothing to work on.
    EXPECT_TRUE(ordering.orderSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"This command requires existing items in the database."_s);
    EXPECT_TRUE(receiving.receiveSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"This command requires existing orders in the database."_s);
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    // Stocked 0 + Ordered 0 stays above a reorder level of -1.
    CItemsRec rec;
    ASSERT_TRUE(t().items().RecordRead(rec, ledger));
    rec.ReorderLevel = -1;
    ASSERT_TRUE(t().items().RecordModify(rec));
    EXPECT_TRUE(ordering.orderSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"No items for this vendor require ordering."_s);
    order(rec.ID, newest, 1);
    EXPECT_TRUE(receiving.receiveSteps().isEmpty());
    EXPECT_EQ(prompter.lastText(), u"There are no pending orders for this Purchase Order."_s);
}

TEST_F(Purchasing, AutoOrderProposesThePrimaryVendorsItemsAtTheirReorderLevel)
{
    auto item = [&](const QString& name, qint32 vendor1, qint32 vendor2, qint32 stocked, qint32 onOrder,
                    qint32 level, qint32 reorderQty) {
        const qint32 id = addItem(name, vendor1, Money::fromWhole(1), reorderQty);
        CItemsRec rec;
        EXPECT_TRUE(t().items().RecordRead(rec, id));
        rec.VendorID2 = vendor2;
        rec.ReorderLevel = level;
        EXPECT_TRUE(t().items().RecordModify(rec));
        if (stocked > 0)
            stockUp(id, stocked);
        return std::pair{id, onOrder};
    };
    const qint32 po = addPO(5000, vendor);
    const qint32 elsewhere = addPO(5001, otherVendor);
    const auto atLevel = item(u"At level"_s, vendor, NoID, 3, 2, 5, 24);
    const auto above = item(u"Above level"_s, vendor, NoID, 3, 2, 4, 24);
    item(u"Second vendor only"_s, otherVendor, vendor, 0, 0, 10, 6);
    const auto below = item(u"Below level"_s, vendor, NoID, 0, 0, 1, 8);
    for (const auto& [id, onOrder] : {atLevel, above})
        order(id, elsewhere, onOrder);
    prompter.clear();

    AutoOrderModel autoOrder(t(), prompter, AutoOrderModel::Mode::Order, po);
    const QList<AutoOrderStep> steps = autoOrder.orderSteps();
    EXPECT_TRUE(prompter.log().isEmpty());
    ASSERT_EQ(steps, (QList<AutoOrderStep>{{atLevel.first, 24}, {below.first, 8}}));

    // The first proposal is confirmed with another quantity.
    RecordOrderModel first(t(), prompter);
    autoOrder.prepareOrderStep(first, steps.at(0));
    EXPECT_EQ(first.poID(), po);
    EXPECT_EQ(first.itemID(), atLevel.first);
    EXPECT_EQ(first.quantityText(), u"24"_s);
    EXPECT_FALSE(first.itemEnabled());
    EXPECT_FALSE(first.nextEnabled());
    first.setQuantityText(u"30"_s);
    ASSERT_TRUE(first.save().saved);
    autoOrder.stepFinished(first.changes());

    // The second is cancelled: nothing written, the batch goes on.
    const qint32 linesBefore = rows("Order");
    {
        RecordOrderModel cancelled(t(), prompter);
        autoOrder.prepareOrderStep(cancelled, steps.at(1));
        autoOrder.stepFinished(cancelled.changes());
    }
    EXPECT_EQ(rows("Order"), linesBefore);
    EXPECT_EQ(ordered(below.first), 0);
    EXPECT_EQ(ordered(atLevel.first), 32);
    EXPECT_EQ(autoOrder.changes().ids(ListingKind::Items), QList<qint32>{atLevel.first});
    EXPECT_TRUE(autoOrder.changes().contains(ListingKind::PurchaseOrders, po));

    // Ordered now, the item no longer needs ordering.
    prompter.clear();
    const QList<AutoOrderStep> again = autoOrder.orderSteps();
    EXPECT_EQ(again, (QList<AutoOrderStep>{{below.first, 8}}));
}

TEST_F(Purchasing, AutoReceiveWalksEveryOutstandingLineIncludingBackorders)
{
    const qint32 ledger = addItem(u"Ledger"_s, vendor);
    const qint32 pencil = addItem(u"Pencil"_s, vendor);
    const qint32 stapler = addItem(u"Stapler"_s, vendor);
    const qint32 po = addPO(5000, vendor);
    const qint32 other = addPO(5001, vendor);
    const qint32 first = order(ledger, po, 10);
    const qint32 second = order(pencil, po, 4);
    const qint32 backordered = order(stapler, po, 6);
    order(ledger, other, 1);
    receive(backordered, 2, Day(1997, 3, 3), true);
    ASSERT_EQ(t().orders().GetBackOrder(backordered), 1);
    prompter.clear();

    AutoOrderModel autoReceive(t(), prompter, AutoOrderModel::Mode::Receive, po);
    const QList<qint32> steps = autoReceive.receiveSteps();
    EXPECT_EQ(steps, (QList<qint32>{first, second, backordered}));
    EXPECT_TRUE(prompter.log().isEmpty());

    // Each step opens the receiving dialog fixed on its line; two receive one
    // unit each, the pencil's is cancelled. Their changes and receipts merge.
    for (const qint32 orderID : steps) {
        RecordReceivedModel dialog(t(), prompter, clock);
        ASSERT_TRUE(autoReceive.prepareReceiveStep(dialog, orderID));
        EXPECT_EQ(dialog.selectedPO(), po);
        EXPECT_EQ(dialog.selectedOrder(), orderID);
        EXPECT_FALSE(dialog.orderBoxEnabled());
        EXPECT_FALSE(dialog.nextEnabled());
        if (orderID != second) {
            dialog.setQuantityText(u"1"_s);
            prompter.answer({true});
            ASSERT_TRUE(dialog.save().saved);
        }
        autoReceive.stepFinished(dialog.changes());
        autoReceive.addReceipts(dialog.receiptIDs());
    }
    EXPECT_EQ(autoReceive.receipts().size(), 2);
    EXPECT_TRUE(autoReceive.changes().contains(ListingKind::Items, ledger));
    EXPECT_TRUE(autoReceive.changes().contains(ListingKind::Items, stapler));
    EXPECT_FALSE(autoReceive.changes().contains(ListingKind::Items, pencil));
    EXPECT_EQ(autoReceive.changes().ids(ListingKind::Stock).size(), 2);
}

} // namespace
