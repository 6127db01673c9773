#include "core/common/Clock.h"
#include "core/records/AddItemModel.h"
#include "core/records/AddVendorModel.h"
#include "core/records/DeleteRecordModel.h"
#include "core/records/FindRecordModel.h"
#include "core/records/ItemDetailsModel.h"
#include "core/records/RecordDeletion.h"
#include "core/records/VendorDetailsModel.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kInvalidName =
    QStringLiteral("The name specified is not valid.  This is a required field for this "
                   "operation. Please check the value and re-enter it if necessary.");
const QString kNotFound = u"Quillmark was unable to locate the record for this operation."_s;
const QString kItemNotFound = u"Unable to locate item record."_s;

class VendorsItems : public ProjectFixture
{
protected:
    qint32 rowsOf(CTableSet& table, qint32 item) { return table.CountWhere(u"[ItemID] = ?"_s, {item}); }
    // Types the confirming word and deletes.
    bool confirmAndRun(DeleteRecordModel& model)
    {
        model.setConfirmation(u"yes"_s);
        return model.save().saved;
    }

    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(16, 30))};
};

TEST_F(VendorsItems, VendorEntryStoresEveryFieldModifiesInPlaceAndContinuesAsNew)
{
    using Setter = void (AddVendorModel::*)(const QString&);
    const Setter setters[] = {
        &AddVendorModel::setName,     &AddVendorModel::setNumber,  &AddVendorModel::setContact,
        &AddVendorModel::setStreet,   &AddVendorModel::setCity,    &AddVendorModel::setState,
        &AddVendorModel::setZip,      &AddVendorModel::setPhone,   &AddVendorModel::setFax,
        &AddVendorModel::setContact2, &AddVendorModel::setStreet2, &AddVendorModel::setCity2,
        &AddVendorModel::setState2,   &AddVendorModel::setZip2,    &AddVendorModel::setPhone2,
        &AddVendorModel::setFax2};
    AddVendorModel model(t(), prompter);
    QStringList typed;
    for (const Setter set : setters) {
        typed << u"f%1"_s.arg(typed.size());
        (model.*set)(typed.last());
    }
    const AddVendorModel::Result result = model.saveAndNext();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.focus, AddVendorModel::Field::Name);
    const CVendorsRec v = b.read<CVendorsRec>(model.lastSavedId());
    EXPECT_EQ((QStringList{v.Name, v.Number, v.Contact, v.Street, v.City, v.State, v.Zip, v.Phone, v.Fax,
                           v.Contact2, v.Street2, v.City2, v.State2, v.Zip2, v.Phone2, v.Fax2}),
              typed);
    EXPECT_TRUE(model.changes().contains(ListingKind::Vendors, v.ID));
    // Next empties the form, which cannot be saved as another vendor.
    EXPECT_EQ(model.save().focus, AddVendorModel::Field::Name);
    EXPECT_EQ(prompter.texts(), QStringList{kInvalidName});

    AddVendorModel modify(t(), prompter, v.ID);
    ASSERT_TRUE(modify.checkPrerequisites());
    modify.setName(u"New name"_s);
    ASSERT_TRUE(modify.saveAndNext().saved);
    // Continuing after a modification adds vendors rather than overwriting the one just changed.
    modify.setName(u"Another"_s);
    ASSERT_TRUE(modify.save().saved);
    EXPECT_NE(modify.lastSavedId(), v.ID);
    EXPECT_EQ(t().vendors().GetName(v.ID), u"New name"_s);
    EXPECT_EQ(b.rows("Vendors"), 2);

    AddVendorModel missing(t(), prompter, 999);
    EXPECT_EQ(prompter.texts().size(), 1); // the constructor tells nothing
    EXPECT_FALSE(missing.checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), kNotFound);
}

TEST_F(VendorsItems, ItemEntryStoresTheFormMakesOneInitialLotAndNextClearsTheForm)
{
    const qint32 vendor = b.vendor(u"Alpha"_s);
    AddItemModel model(t(), prompter, clock);
    model.setPrimaryVendor(vendor);
    model.setName(u"None in stock"_s);
    model.setNumber(u"U-1"_s);
    model.setDescription(u"desc"_s);
    model.setCostText(u"$3.00"_s);
    model.setPriceText(u"$6.00"_s);
    model.setTaxRateText(u"7.25"_s); // not taxable: no rate is kept
    model.setReorderLevelText(u"4"_s);
    model.setReorderQuantityText(u"12"_s);
    const AddItemModel::Result result = model.saveAndNext();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.focus, AddItemModel::Field::Name);
    const CItemsRec untaxed = b.read<CItemsRec>(model.lastSavedId());
    EXPECT_EQ(
        std::make_tuple(untaxed.Number + untaxed.Description, untaxed.Cost, untaxed.SellingPrice,
                        untaxed.TaxRate, untaxed.ReorderLevel, untaxed.ReorderQuanity, untaxed.Stocked,
                        untaxed.VendorID2),
        std::make_tuple(u"U-1desc"_s, Money::fromWhole(3), Money::fromWhole(6), 0.0f, 4, 12, 0, vendor));
    // Next clears the form but keeps the vendor.
    EXPECT_EQ(model.name() + model.costText() + model.initialQuantityText(), u"$0.000"_s);
    EXPECT_EQ(model.primaryVendor(), vendor);

    model.setName(u"Five in stock"_s);
    model.setCostText(u"$2.50"_s);
    model.setTaxable(true);
    model.setTaxRateText(u"7.25"_s);
    model.setInitialQuantityText(u"5"_s);
    ASSERT_TRUE(model.save().saved);
    const CItemsRec five = b.read<CItemsRec>(model.lastSavedId());
    EXPECT_EQ(std::make_tuple(five.TaxRate, five.Stocked, five.Ordered), std::make_tuple(7.25f, 5, 0));
    // None for the item without an initial quantity.
    const QList<CStockRec> lots = t().stock().RecordsWhere(QString());
    ASSERT_EQ(lots.size(), 1);
    EXPECT_EQ(std::make_tuple(lots[0].ItemID, lots[0].Quanity, lots[0].OrderID, lots[0].POID,
                              lots[0].VendorID, lots[0].Cost, lots[0].Date),
              std::make_tuple(five.ID, 5, StockInitial, StockInitial, vendor, Money::fromWhole(2, 5000),
                              day(2024, 3, 15)));
    EXPECT_EQ(model.changes().ids(ListingKind::Items), (QList<qint32>{untaxed.ID, five.ID}));
}

TEST_F(VendorsItems, ItemFormNeedsAVendorPairsThePickersFollowsTheMarkupAndRefusesBadInput)
{
    EXPECT_FALSE(AddItemModel(t(), prompter, clock).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("In order to run this command, you must already have valid "
                             "vendors.  This command was unable to find all the necessary "
                             "data to run."));
    const qint32 a = b.vendor(u"Alpha"_s);
    const qint32 c = b.vendor(u"Beta"_s);
    prompter.clear();
    AddItemModel model(t(), prompter, clock);
    EXPECT_TRUE(model.checkPrerequisites());
    ASSERT_EQ(model.vendorEntries().size(), 2);
    EXPECT_EQ(EntryId(model.vendorEntries().at(1)), c);
    model.setPrimaryVendor(c);
    EXPECT_EQ(model.secondaryVendor(), c);
    model.setSecondaryVendor(a);
    EXPECT_EQ((QList<qint32>{model.primaryVendor(), model.secondaryVendor()}), (QList<qint32>{c, a}));

    // Cost, price and markup follow one another.
    model.setCostText(u"$10.00"_s);
    model.setPriceText(u"$15.00"_s);
    EXPECT_EQ(model.markupText(), u"50.000"_s);
    model.setMarkupText(u"25"_s);
    EXPECT_EQ(model.priceText(), u"$12.50"_s);
    model.setCostText(u"8"_s);
    EXPECT_EQ(model.markupText(), u"56.250"_s);
    // Over a zero cost there is no markup, and a typed markup cannot set a price.
    model.setPriceText(u"$15.00"_s);
    model.setCostText(u"$0.00"_s);
    EXPECT_EQ(model.markupText(), QString());
    model.setMarkupText(u"40"_s);
    EXPECT_EQ(model.priceText(), u"$15.00"_s);

    // Refused in the order of the fields, writing nothing.
    model.setInitialQuantityText(u"-3"_s);
    model.setCostText(u"ten"_s);
    EXPECT_EQ(model.save().focus, AddItemModel::Field::Name);
    EXPECT_EQ(prompter.lastText(), kInvalidName);
    model.setName(u"Widget"_s);
    EXPECT_EQ(model.save().focus, AddItemModel::Field::Cost);
    EXPECT_EQ(prompter.lastText(), AddItemModel::invalidAmountMessage());
    model.setCostText(u"$1.00"_s);
    EXPECT_EQ(model.save().focus, AddItemModel::Field::InitialQuantity);
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("The quanity specified is invalid.  This quanity must be a positive "
                             "integer greater than 0.  Please check the value and re-enter it "
                             "if necessary."));
    model.setInitialQuantityText(u"99999999999"_s);
    EXPECT_EQ(model.save().focus, AddItemModel::Field::InitialQuantity);
    model.setInitialQuantityText(u"0"_s);
    model.setReorderLevelText(u"x"_s);
    EXPECT_EQ(model.save().focus, AddItemModel::Field::ReorderLevel);
    EXPECT_EQ(b.rows("Items") + b.rows("Stock"), 0);
    EXPECT_TRUE(model.changes().isEmpty());
}

TEST_F(VendorsItems, ItemModifyKeepsStockFiguresAndOffersNoNext)
{
    const qint32 vendor = b.vendor(u"Alpha"_s);
    const qint32 other = b.vendor(u"Beta"_s);
    const qint32 id = b.item({u"Bolt"_s, vendor, other, Money::fromWhole(10), 6, 0, 3, true});
    b.change<CItemsRec>(id, [](CItemsRec& rec) {
        rec.SellingPrice = Money::fromWhole(15);
        rec.TaxRate = 7.25f;
    });
    b.orderLine(id, b.po(5000, vendor), 9);

    AddItemModel model(t(), prompter, clock, id);
    ASSERT_TRUE(model.checkPrerequisites());
    EXPECT_EQ(model.taxRateText() + model.markupText(), u"7.25050.000"_s);

    // The initial quantity field plays no part in a modification.
    model.setInitialQuantityText(u"40"_s);
    model.setName(u"Hex bolt"_s);
    model.setTaxable(false);
    ASSERT_TRUE(model.save().saved);
    const CItemsRec after = b.read<CItemsRec>(id);
    EXPECT_EQ(std::make_tuple(after.Name, after.Stocked, after.Ordered, after.VendorID2, after.TaxRate),
              std::make_tuple(u"Hex bolt"_s, 6, 9, other, 0.0f));
    EXPECT_EQ(b.rows("Items") + b.rows("Stock"), 2);

    // Amounts are shown and written back with every decimal.
    b.change<CItemsRec>(id, [](CItemsRec& rec) {
        rec.Cost = Money::fromTenThousandths(17903);
        rec.SellingPrice = Money::fromTenThousandths(30953);
    });
    AddItemModel exact(t(), prompter, clock, id);
    ASSERT_TRUE(exact.checkPrerequisites());
    EXPECT_EQ(exact.costText() + QLatin1Char(' ') + exact.priceText(), u"$1.7903 $3.0953"_s);
    exact.setTaxable(true);
    exact.setTaxRateText(u"6.5"_s);
    ASSERT_TRUE(exact.save().saved);
    const CItemsRec kept = b.read<CItemsRec>(id);
    EXPECT_EQ(std::make_tuple(kept.Cost, kept.SellingPrice, kept.TaxRate),
              std::make_tuple(Money::fromTenThousandths(17903), Money::fromTenThousandths(30953), 6.5f));

    EXPECT_FALSE(AddItemModel(t(), prompter, clock, 4242).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), kNotFound);
}

TEST_F(VendorsItems, DetailsTexts)
{
    const qint32 vendor = b.vendor(u"Alpha"_s, u"A-9"_s);
    const qint32 id = b.item({u"Bolt"_s, vendor, 12, Money::fromWhole(1234, 5000), 7, 20, 5, true});
    b.change<CItemsRec>(id, [](CItemsRec& rec) {
        rec.SellingPrice = Money::fromWhole(2);
        rec.TaxRate = 7.25f;
    });
    ItemDetailsModel details(t(), prompter, id);
    ASSERT_TRUE(details.checkPrerequisites());
    EXPECT_EQ((QStringList{details.secondaryVendorText(), details.costText(), details.taxableText(),
                           details.taxRateText(), details.reorderQuantityText(), details.reorderLevelText()}),
              (QStringList{u"000012"_s, u"$1,234.50"_s, u"YES"_s, u"7.25%"_s, u"20"_s, u"5"_s}));
    b.change<CItemsRec>(id, [](CItemsRec& rec) { rec.Taxable = false; });
    ItemDetailsModel untaxed(t(), prompter, id);
    EXPECT_EQ((QStringList{untaxed.taxableText(), untaxed.taxRateText()}), (QStringList{u"NO"_s, u"N/A"_s}));

    EXPECT_FALSE(VendorDetailsModel(t(), prompter, 77).checkPrerequisites());
    EXPECT_FALSE(ItemDetailsModel(t(), prompter, 77).checkPrerequisites());
    EXPECT_EQ(prompter.texts(), (QStringList{kNotFound, kNotFound}));
    EXPECT_EQ((QStringList{prompter.log().at(0).title, prompter.log().at(1).title}),
              (QStringList{u"Vendor Details"_s, u"Item Details"_s}));
}

TEST_F(VendorsItems, FindByIdOrExactNumber)
{
    const qint32 vendor = b.vendor(u"Alpha"_s, u"O'Brien-7"_s);
    b.vendor(u"Beta"_s, u"O'Brien-77"_s);
    b.vendor(u"Gamma"_s, u"O'Brien-7"_s); // numbers need not be unique
    FindRecordModel find(t(), prompter, FindRecordModel::Kind::Vendor);
    find.setText(u" %1xyz"_s.arg(vendor));
    ASSERT_TRUE(find.save().saved);
    EXPECT_EQ(find.foundId(), vendor);
    find.setText(u"42"_s);
    EXPECT_EQ(find.save().focus, FindRecordModel::Field::Text);
    EXPECT_EQ(prompter.lastText(), u"Unable to find vendor with ID '000042'."_s);

    // A number is matched whole, quotes and all, and the first record that has it
    // is found; part of a number is not enough.
    find.setSearchBy(FindRecordModel::SearchBy::Number);
    find.setText(u"O'Brien-7"_s);
    ASSERT_TRUE(find.save().saved);
    EXPECT_EQ(find.foundId(), vendor);
    find.setText(u"O'Brien"_s);
    EXPECT_FALSE(find.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to find vendor with Number 'O'Brien'."_s);
    find.setText(u"x' OR '1'='1"_s);
    EXPECT_FALSE(find.save().saved);

    const qint32 id = b.item({u"Bolt"_s, vendor});
    FindRecordModel findItem(t(), prompter, FindRecordModel::Kind::Item);
    findItem.setText(u"abc"_s);
    EXPECT_FALSE(findItem.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to find item with ID '000000'."_s);
    findItem.setSearchBy(FindRecordModel::SearchBy::Number);
    findItem.setText(u"BOL-1"_s);
    ASSERT_TRUE(findItem.save().saved);
    EXPECT_EQ(findItem.foundId(), id);
}

TEST_F(VendorsItems, VendorAndItemDeletionTakeEveryRowOfTheirItems)
{
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::Vendor, 5).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), u"Unable to locate vendor record."_s);
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::Item, 5).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), kItemNotFound);

    const qint32 doomed = b.vendor(u"Doomed"_s);
    const qint32 kept = b.vendor(u"Kept"_s);
    const qint32 po = b.po(5000, doomed);
    const qint32 invoice = b.invoice(NoID, 7000);
    // One of every dependent row: a line partly received (receipt and lot), an initial lot, a sale.
    const auto withHistory = [&](const QString& name, qint32 vendor1, qint32 vendor2) {
        const qint32 id = b.item({name, vendor1, vendor2, Money::fromWhole(4), 3});
        b.receive(b.orderLine(id, po, 10), 2);
        b.sale(id, invoice);
        return id;
    };
    const auto rowsOfItem = [&](qint32 id) {
        return QList<qint32>{t().items().LocateByID(id), rowsOf(t().orders(), id), rowsOf(t().sales(), id),
                             rowsOf(t().stock(), id), rowsOf(t().received(), id)};
    };
    QList<qint32> primaries;
    for (int i = 0; i < 3; ++i)
        primaries << withHistory(u"P%1"_s.arg(i), doomed, kept);
    const qint32 secondary = withHistory(u"Second"_s, kept, doomed);

    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::Vendor, doomed);
    ASSERT_TRUE(model.checkPrerequisites());
    EXPECT_EQ(model.warning(),
              QStringLiteral(
                  "Removing vendor #%1 will also permanently remove all items, recorded tracking of items, "
                  "and sales associated with this vendor.  This could modify calculated totals for PO's "
                  "and Invoices.\nIt is recomended that you backup the project before continuing.")
                  .arg(FormatRecordId(doomed)));
    // Only the word itself, in any case, confirms.
    for (const QString& typed : {QString(), u"YE"_s, u"YES "_s}) {
        model.setConfirmation(typed);
        EXPECT_EQ(model.save().focus, DeleteRecordModel::Field::Confirmation) << typed.toStdString();
        EXPECT_EQ(prompter.lastText(), u"Must confirm deletion by typing 'YES'."_s);
    }
    EXPECT_TRUE(t().vendors().LocateByID(doomed));
    model.setConfirmation(u"Yes"_s);
    ASSERT_TRUE(model.save().saved);
    EXPECT_FALSE(t().vendors().LocateByID(doomed));
    for (const qint32 id : primaries)
        EXPECT_EQ(rowsOfItem(id), (QList<qint32>{0, 0, 0, 0, 0}));
    // Only the secondary vendor was the doomed one: the item and its history stay untouched.
    EXPECT_EQ(rowsOfItem(secondary), (QList<qint32>{1, 1, 1, 2, 1}));
    EXPECT_EQ(model.changes().ids(ListingKind::Items), primaries);
    EXPECT_TRUE(model.changes().contains(ListingKind::PurchaseOrders, po));
    EXPECT_TRUE(model.changes().contains(ListingKind::Invoices, invoice));

    // An item goes with all its rows.
    DeleteRecordModel item(t(), prompter, DeleteRecordModel::Target::Item, secondary);
    ASSERT_TRUE(item.checkPrerequisites());
    EXPECT_EQ(
        item.warning(),
        QStringLiteral("Removing item #%1 will cause the removal of all recorded tracking of this item and "
                       "sales of this item.This could affect totals for any PO's or Invoices which contain "
                       "this item\nIt is recomended that you backup the project before continuing.")
            .arg(FormatRecordId(secondary)));
    ASSERT_TRUE(confirmAndRun(item));
    EXPECT_EQ(rowsOfItem(secondary), (QList<qint32>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(t().vendors().LocateByID(kept));
}

TEST_F(VendorsItems, OrderLineAndPurchaseOrderDeletion)
{
    EXPECT_FALSE(
        DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::OrderLine, 5).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), u"Unable to locate order record."_s);
    const qint32 vendor = b.vendor(u"Alpha"_s);
    const qint32 bolt = b.item({u"Bolt"_s, vendor});
    const qint32 nut = b.item({u"Nut"_s, vendor});
    const qint32 open = b.po(5002, vendor);
    const qint32 other = b.po(5003, vendor);
    b.orderLine(bolt, open, 10);
    b.orderLine(nut, open, 5);
    b.orderLine(bolt, other, 7);
    const qint32 received = b.orderLine(nut, other, 8);
    b.receive(received, 2);

    // A line goes with nothing else: its receipts and lots stay, Ordered is recounted.
    DeleteRecordModel line(t(), prompter, DeleteRecordModel::Target::OrderLine, received);
    ASSERT_TRUE(line.checkPrerequisites());
    EXPECT_EQ(line.warning(),
              QStringLiteral("Removing order #%1 will permanently remove this order from the list.\n"
                             "It is recomended that you backup the project before continuing.")
                  .arg(FormatRecordId(received)));
    ASSERT_TRUE(confirmAndRun(line));
    EXPECT_FALSE(t().orders().LocateByID(received));
    const CItemsRec after = b.read<CItemsRec>(nut);
    EXPECT_EQ((QList<qint32>{after.Ordered, after.Stocked}), (QList<qint32>{5, 2}));
    EXPECT_EQ(rowsOf(t().received(), nut) + rowsOf(t().stock(), nut), 2);
    EXPECT_TRUE(line.changes().contains(ListingKind::Items, nut));

    // The purchase order is named by its ID and shown by its number. Receipts of a
    // purchase order keep it.
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, other)
                     .checkPrerequisites());
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Items of purchase order #005003 have already been received.\n"
                             "Undo those receipts before deleting the purchase order."));
    EXPECT_FALSE(DeletePurchaseOrder(t(), prompter, other).has_value());
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, 5002)
                     .checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), u"Unable to locate purchase order record."_s);
    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, open);
    ASSERT_TRUE(model.checkPrerequisites());
    EXPECT_EQ(
        model.warning(),
        QStringLiteral("Removing purchase order #005002 will permanently remove it and all of its order "
                       "lines.\nIt is recomended that you backup the project before continuing."));
    ASSERT_TRUE(confirmAndRun(model));
    EXPECT_EQ(b.rows("PO") + b.rows("Order"), 2);
    EXPECT_EQ((QList<qint32>{t().items().GetOrdered(bolt), t().items().GetOrdered(nut)}),
              (QList<qint32>{7, 0}));
    EXPECT_EQ(model.changes().ids(ListingKind::PurchaseOrders), QList<qint32>{open});

    // A line whose item is gone still goes; the user hears about the item.
    const qint32 gone = b.item({u"Gone"_s, vendor});
    const qint32 orphan = b.orderLine(gone, other, 3);
    ASSERT_TRUE(t().items().RecordDelete(gone));
    prompter.clear();
    ASSERT_TRUE(DeleteOrderLine(t(), prompter, orphan).has_value());
    EXPECT_FALSE(t().orders().LocateByID(orphan));
    EXPECT_EQ(prompter.texts(), QStringList{kItemNotFound});
}

} // namespace
