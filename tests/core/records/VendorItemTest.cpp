#include "common/Clock.h"
#include "records/AddItemModel.h"
#include "records/AddVendorModel.h"
#include "records/DeleteRecordModel.h"
#include "records/FindInList.h"
#include "records/FindRecordModel.h"
#include "records/ItemDetailsModel.h"
#include "records/RecordDeletion.h"
#include "records/StockFigures.h"
#include "records/VendorDetailsModel.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <gtest/gtest.h>

namespace {

const QString kTitle = QStringLiteral("Quillmark 3.5");
const QString kInvalidName =
    QStringLiteral("The name specified is not valid.  This is a required field for this "
                   "operation. Please check the value and re-enter it if necessary.");
const QString kNotFound = QStringLiteral("Quillmark was unable to locate the record for this operation.");
const QString kBadQuantity =
    QStringLiteral("The quanity specified is invalid.  This quanity must be a positive "
                   "integer greater than 0.  Please check the value and re-enter it if "
                   "necessary.");
const QDate kToday(2024, 3, 15);

class VendorsItems : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }
    // Whatever a scenario wrote, every item's totals must still match its rows.
    void TearDown() override
    {
        EXPECT_TRUE(CheckStockInvariants(t()).isEmpty())
            << CheckStockInvariants(t()).join(u'\n').toStdString();
    }

    ProjectTables& t() { return project.tables(); }

    qint32 addVendor(const QString& name, const QString& number = QString())
    {
        CVendorsRec v;
        v.Name = name;
        v.Number = number;
        EXPECT_TRUE(t().vendors().RecordAdd(v));
        return v.ID;
    }
    qint32 addItem(const QString& name, qint32 vendor1, qint32 vendor2, const QString& number = QString())
    {
        CItemsRec item;
        item.Name = name;
        item.Number = number;
        item.VendorID1 = vendor1;
        item.VendorID2 = vendor2;
        item.Cost = Money::fromWhole(4);
        EXPECT_TRUE(t().items().RecordAdd(item));
        return item.ID;
    }
    qint32 addPO(qint32 vendor, qint32 number)
    {
        CPORec po;
        po.VendorID = vendor;
        po.Number = number;
        po.Date = DateTime::fromDate(QDate(2024, 1, 2));
        EXPECT_TRUE(t().purchaseOrders().RecordAdd(po));
        return po.ID;
    }
    qint32 addOrder(qint32 item, qint32 po, qint32 quantity)
    {
        COrderRec line;
        line.ItemID = item;
        line.POID = po;
        line.VendorID = t().items().GetVendorID1(item);
        line.Quanity = quantity;
        line.Date = DateTime::fromDate(QDate(2024, 1, 2));
        line.BackOrderID = 0;
        EXPECT_TRUE(t().orders().RecordAdd(line));
        EXPECT_TRUE(RecomputeOrdered(t(), item));
        return line.ID;
    }
    qint32 addLot(qint32 item, qint32 quantity, qint32 order = StockInitial, qint32 po = StockInitial)
    {
        CStockRec lot;
        lot.ItemID = item;
        lot.OrderID = order;
        lot.POID = po;
        lot.Quanity = quantity;
        lot.Date = DateTime::fromDate(QDate(2024, 1, 5));
        EXPECT_TRUE(t().stock().RecordAdd(lot));
        EXPECT_TRUE(RecomputeStocked(t(), item));
        return lot.ID;
    }
    qint32 addReceipt(qint32 item, qint32 order, qint32 po, qint32 lot)
    {
        CReceivedRec r;
        r.ItemID = item;
        r.OrderID = order;
        r.POID = po;
        r.StockID = lot;
        r.ReceiveQuantity = 2;
        EXPECT_TRUE(t().received().RecordAdd(r));
        return r.ID;
    }
    qint32 addSale(qint32 item, qint32 invoice)
    {
        CSalesRec s;
        s.ItemID = item;
        s.SIID = invoice;
        s.Quanity = 1;
        EXPECT_TRUE(t().sales().RecordAdd(s));
        return s.ID;
    }
    // An item with one of every kind of dependent row: an order line on `po`, a
    // receipt with its lot, an initial lot and a sale on `invoice`.
    void giveHistory(qint32 item, qint32 po, qint32 invoice)
    {
        const qint32 order = addOrder(item, po, 10);
        addReceipt(item, order, po, addLot(item, 2, order, po));
        addLot(item, 3);
        addSale(item, invoice);
    }
    qint32 rowsOf(CTableSet& table, qint32 item)
    {
        return table.CountWhere(QStringLiteral("[ItemID] = ?"), {item});
    }
    CItemsRec item(qint32 id)
    {
        CItemsRec rec;
        EXPECT_TRUE(t().items().RecordRead(rec, id));
        return rec;
    }
    // Runs a deletion through its typed confirmation.
    bool deleteConfirmed(DeleteRecordModel::Target target, qint32 id,
                         const QString& typed = QStringLiteral("yes"))
    {
        DeleteRecordModel model(t(), prompter, target, id);
        lastChanges = ChangeList();
        if (!model.prepare() || !model.confirm(typed) || !model.run())
            return false;
        lastChanges = model.changes();
        return true;
    }

    TempProject project;
    ScriptedPrompter prompter;
    FixedClock clock{QDateTime(kToday, QTime(16, 30))};
    ChangeList lastChanges;
};

// ---- vendor entry ----

TEST_F(VendorsItems, VendorEntryStoresSixteenFieldsAndNextEmptiesThem)
{
    AddVendorModel model(t(), prompter);
    EXPECT_EQ(model.caption(), QStringLiteral("Add A New Vendor"));
    model.setName(QStringLiteral("Northwind"));
    model.setNumber(QStringLiteral("V-1"));
    model.setContact(QStringLiteral("Ann"));
    model.setStreet(QStringLiteral("1 Dock Rd"));
    model.setCity(QStringLiteral("Portland"));
    model.setState(QStringLiteral("OR"));
    model.setZip(QStringLiteral("97201"));
    model.setPhone(QStringLiteral("555-0100"));
    model.setFax(QStringLiteral("555-0101"));
    model.setContact2(QStringLiteral("Bob"));
    model.setStreet2(QStringLiteral("2 Mill St"));
    model.setCity2(QStringLiteral("Salem"));
    model.setState2(QStringLiteral("OR"));
    model.setZip2(QStringLiteral("97301"));
    model.setPhone2(QStringLiteral("555-0200"));
    model.setFax2(QStringLiteral("555-0201"));
    const SaveResult result = model.saveAndNext();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("name"));

    CVendorsRec v;
    ASSERT_TRUE(t().vendors().RecordRead(v, model.lastSavedId()));
    const QStringList stored{v.Name, v.Number,   v.Contact, v.Street, v.City,   v.State, v.Zip,    v.Phone,
                             v.Fax,  v.Contact2, v.Street2, v.City2,  v.State2, v.Zip2,  v.Phone2, v.Fax2};
    EXPECT_EQ(stored,
              (QStringList{"Northwind", "V-1", "Ann", "1 Dock Rd", "Portland", "OR", "97201", "555-0100",
                           "555-0101", "Bob", "2 Mill St", "Salem", "OR", "97301", "555-0200", "555-0201"}));
    const QStringList cleared{model.name(),   model.number(),   model.contact(), model.street(),
                              model.city(),   model.state(),    model.zip(),     model.phone(),
                              model.fax(),    model.contact2(), model.street2(), model.city2(),
                              model.state2(), model.zip2(),     model.phone2(),  model.fax2()};
    EXPECT_EQ(cleared, QStringList(16, QString()));
    EXPECT_TRUE(model.changes().contains(ListingKind::Vendors, v.ID));

    // The emptied form cannot be saved as another vendor.
    const SaveResult refused = model.save();
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(refused.focus, QStringLiteral("name"));
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.log().at(0).text, kInvalidName);
    EXPECT_EQ(prompter.log().at(0).title, kTitle);
    EXPECT_EQ(prompter.log().at(0).icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(t().vendors().CountWhere(QStringLiteral("[ID] > 0")), 1);
}

TEST_F(VendorsItems, VendorModifyRewritesInPlaceAndNextThenAddsNewVendors)
{
    const qint32 id = addVendor(QStringLiteral("Old name"), QStringLiteral("N1"));
    AddVendorModel model(t(), prompter, id);
    ASSERT_TRUE(model.isOpen());
    EXPECT_EQ(model.caption(), QStringLiteral("Modify Vendor"));
    EXPECT_EQ(model.number(), QStringLiteral("N1"));
    model.setName(QStringLiteral("New name"));
    ASSERT_TRUE(model.saveAndNext().saved);
    EXPECT_EQ(t().vendors().GetName(id), QStringLiteral("New name"));

    // Continuing after a modification must not overwrite the vendor just changed.
    EXPECT_EQ(model.caption(), QStringLiteral("Add A New Vendor"));
    model.setName(QStringLiteral("Another"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_NE(model.lastSavedId(), id);
    EXPECT_EQ(t().vendors().GetName(id), QStringLiteral("New name"));
    EXPECT_EQ(t().vendors().CountWhere(QStringLiteral("[ID] > 0")), 2);

    AddVendorModel missing(t(), prompter, 999);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(prompter.lastText(), kNotFound);
    EXPECT_EQ(prompter.log().constLast().title, kTitle);
}

// ---- item entry ----

TEST_F(VendorsItems, ItemEntryNeedsAVendorAndPairsThePickers)
{
    EXPECT_FALSE(AddItemModel::canOpen(t(), prompter));
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("In order to run this command, you must already have valid "
                             "vendors.  This command was unable to find all the necessary "
                             "data to run."));
    EXPECT_EQ(prompter.log().constLast().title, kTitle);

    const qint32 a = addVendor(QStringLiteral("Alpha"));
    const qint32 b = addVendor(QStringLiteral("Beta"));
    prompter.clear();
    EXPECT_TRUE(AddItemModel::canOpen(t(), prompter));
    EXPECT_TRUE(prompter.log().isEmpty());

    AddItemModel model(t(), prompter, clock);
    EXPECT_EQ(model.caption(), QStringLiteral("Add Inventory Item"));
    EXPECT_EQ(AddItemModel::helpText(),
              QStringLiteral(
                  "Fill in the item form below. Note that you must fill in for both primary and secondary "
                  "vendor.  If there is only one vendor, use the same vendor for both fields."));
    ASSERT_EQ(model.vendorEntries().size(), 2);
    EXPECT_EQ(EntryId(model.vendorEntries().at(1)), b);
    model.setPrimaryVendor(b);
    EXPECT_EQ(model.secondaryVendor(), b);
    model.setSecondaryVendor(a);
    EXPECT_EQ(model.primaryVendor(), b);
    EXPECT_EQ(model.secondaryVendor(), a);
}

TEST_F(VendorsItems, InitialQuantityMakesOneInitialLotDatedToday)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    AddItemModel model(t(), prompter, clock);
    model.setPrimaryVendor(vendor);
    model.setName(QStringLiteral("None in stock"));
    ASSERT_TRUE(model.saveAndNext().saved);
    const qint32 empty = model.lastSavedId();
    EXPECT_EQ(rowsOf(t().stock(), empty), 0);
    EXPECT_TRUE(model.changes().ids(ListingKind::Stock).isEmpty());

    model.setName(QStringLiteral("Five in stock"));
    model.setCostText(QStringLiteral("$2.50"));
    model.setInitialQuantityText(QStringLiteral("5"));
    ASSERT_TRUE(model.save().saved);
    const qint32 five = model.lastSavedId();
    const QList<CStockRec> lots = t().stock().RecordsWhere(QStringLiteral("[ItemID] = ?"), {five});
    ASSERT_EQ(lots.size(), 1);
    EXPECT_EQ(lots[0].Quanity, 5);
    EXPECT_EQ(lots[0].OrderID, -1);
    EXPECT_EQ(lots[0].POID, -1);
    EXPECT_EQ(lots[0].VendorID, vendor);
    EXPECT_EQ(lots[0].Cost, Money::fromWhole(2, 5000));
    EXPECT_EQ(lots[0].Date, DateTime::fromDate(kToday));
    const CItemsRec rec = item(five);
    EXPECT_EQ(rec.Stocked, 5);
    EXPECT_EQ(rec.Ordered, 0);
    EXPECT_EQ(rec.CategoryID, 0);
    EXPECT_EQ(rec.VendorID1, vendor);
    EXPECT_EQ(rec.VendorID2, vendor);
    EXPECT_TRUE(model.changes().contains(ListingKind::Stock, lots[0].ID));
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, empty));
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, five));
}

TEST_F(VendorsItems, MarkupFollowsCostAndPriceBothWays)
{
    addVendor(QStringLiteral("Alpha"));
    AddItemModel model(t(), prompter, clock);
    model.setCostText(QStringLiteral("$10.00"));
    model.setPriceText(QStringLiteral("$15.00"));
    EXPECT_EQ(model.markupText(), QStringLiteral("50.000"));
    model.setMarkupText(QStringLiteral("25"));
    EXPECT_EQ(model.priceText(), QStringLiteral("$12.50"));
    model.setCostText(QStringLiteral("8"));
    EXPECT_EQ(model.markupText(), QStringLiteral("56.250"));
    // A half-typed amount leaves the markup alone.
    model.setPriceText(QStringLiteral("$1x"));
    EXPECT_EQ(model.markupText(), QStringLiteral("56.250"));

    // Over a zero cost there is no markup, and a typed markup cannot set a price.
    model.setPriceText(QStringLiteral("$15.00"));
    model.setCostText(QStringLiteral("$0.00"));
    EXPECT_EQ(model.markupText(), QString());
    model.setMarkupText(QStringLiteral("40"));
    EXPECT_EQ(model.priceText(), QStringLiteral("$15.00"));
    EXPECT_EQ(AddItemModel::markupFor(Money(), Money::fromWhole(3)), std::nullopt);
}

TEST_F(VendorsItems, ItemSaveRefusesBadInputAndWritesNothing)
{
    addVendor(QStringLiteral("Alpha"));
    AddItemModel model(t(), prompter, clock);
    model.setInitialQuantityText(QStringLiteral("-3"));
    model.setCostText(QStringLiteral("ten"));
    SaveResult result = model.save();
    EXPECT_EQ(result.focus, QStringLiteral("name"));
    EXPECT_EQ(prompter.lastText(), kInvalidName);

    model.setName(QStringLiteral("Widget"));
    result = model.save();
    EXPECT_EQ(result.focus, QStringLiteral("cost"));
    EXPECT_EQ(prompter.lastText(), AddItemModel::invalidAmountMessage());
    EXPECT_EQ(prompter.log().constLast().title, kTitle);

    model.setCostText(QStringLiteral("$1.00"));
    result = model.save();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("initialQuantity"));
    EXPECT_EQ(prompter.lastText(), kBadQuantity);
    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("2.5"), QStringLiteral("99999999999")}) {
        model.setInitialQuantityText(bad);
        EXPECT_EQ(model.save().focus, QStringLiteral("initialQuantity")) << bad.toStdString();
    }
    model.setInitialQuantityText(QStringLiteral("0"));
    model.setReorderLevelText(QStringLiteral("x"));
    EXPECT_EQ(model.save().focus, QStringLiteral("reorderLevel"));
    EXPECT_EQ(t().items().CountWhere(QStringLiteral("[ID] > 0")), 0);
    EXPECT_EQ(t().stock().CountWhere(QStringLiteral("[ID] > 0")), 0);
    EXPECT_TRUE(model.changes().isEmpty());
}

TEST_F(VendorsItems, TaxRateIsStoredOnlyForTaxableItemsAndNextClearsTheForm)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    AddItemModel model(t(), prompter, clock);
    model.setPrimaryVendor(vendor);
    model.setName(QStringLiteral("Untaxed"));
    model.setNumber(QStringLiteral("U-1"));
    model.setDescription(QStringLiteral("desc"));
    model.setCostText(QStringLiteral("$3.00"));
    model.setPriceText(QStringLiteral("$6.00"));
    model.setTaxRateText(QStringLiteral("7.25"));
    model.setReorderLevelText(QStringLiteral("4"));
    model.setReorderQuantityText(QStringLiteral("12"));
    model.setInitialQuantityText(QStringLiteral("2"));
    const SaveResult result = model.saveAndNext();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("name"));
    const CItemsRec untaxed = item(model.lastSavedId());
    EXPECT_EQ(untaxed.TaxRate, 0.0f);
    EXPECT_EQ(untaxed.ReorderLevel, 4);
    EXPECT_EQ(untaxed.ReorderQuanity, 12);
    EXPECT_EQ(untaxed.SellingPrice, Money::fromWhole(6));

    const QStringList cleared{model.name(),
                              model.number(),
                              model.description(),
                              model.costText(),
                              model.priceText(),
                              model.markupText(),
                              model.taxRateText(),
                              model.reorderLevelText(),
                              model.reorderQuantityText(),
                              model.initialQuantityText()};
    EXPECT_EQ(cleared, (QStringList{"", "", "", "$0.00", "$0.00", "", "", "0", "0", "0"}));
    EXPECT_EQ(model.primaryVendor(), vendor);

    model.setName(QStringLiteral("Taxed"));
    model.setTaxable(true);
    model.setTaxRateText(QStringLiteral("7.25"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_FLOAT_EQ(item(model.lastSavedId()).TaxRate, 7.25f);
}

TEST_F(VendorsItems, ItemModifyKeepsStockFiguresAndOffersNoNext)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    const qint32 other = addVendor(QStringLiteral("Beta"));
    const qint32 id = addItem(QStringLiteral("Bolt"), vendor, other);
    CItemsRec rec = item(id);
    rec.Cost = Money::fromWhole(10);
    rec.SellingPrice = Money::fromWhole(15);
    rec.Taxable = true;
    rec.TaxRate = 7.25f;
    rec.ReorderLevel = 3;
    ASSERT_TRUE(t().items().RecordModify(rec));
    addLot(id, 6);
    addOrder(id, addPO(vendor, 5000), 9);

    AddItemModel model(t(), prompter, clock, id);
    ASSERT_TRUE(model.isOpen());
    EXPECT_EQ(model.caption(), QStringLiteral("Modify Item #%1").arg(FormatRecordId(id)));
    EXPECT_FALSE(model.initialQuantityEnabled());
    EXPECT_FALSE(model.nextEnabled());
    EXPECT_EQ(model.taxRateText(), QStringLiteral("7.250"));
    EXPECT_EQ(model.markupText(), QStringLiteral("50.000"));
    EXPECT_EQ(model.costText(), QStringLiteral("$10.00"));
    EXPECT_EQ(model.secondaryVendor(), other);
    EXPECT_EQ(model.reorderLevelText(), QStringLiteral("3"));

    // The initial quantity field plays no part in a modification.
    model.setInitialQuantityText(QStringLiteral("40"));
    model.setName(QStringLiteral("Hex bolt"));
    model.setTaxable(false);
    ASSERT_TRUE(model.save().saved);
    const CItemsRec after = item(id);
    EXPECT_EQ(after.Name, QStringLiteral("Hex bolt"));
    EXPECT_EQ(after.Stocked, 6);
    EXPECT_EQ(after.Ordered, 9);
    EXPECT_EQ(after.TaxRate, 0.0f);
    EXPECT_EQ(after.CategoryID, 0);
    EXPECT_EQ(rowsOf(t().stock(), id), 1);
    EXPECT_EQ(t().items().CountWhere(QStringLiteral("[ID] > 0")), 1);

    AddItemModel missing(t(), prompter, clock, 4242);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(prompter.lastText(), kNotFound);
}

// ---- details ----

TEST_F(VendorsItems, DetailsTexts)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"), QStringLiteral("A-9"));
    VendorDetailsModel vendorDetails(t(), prompter, vendor);
    ASSERT_TRUE(vendorDetails.isOpen());
    EXPECT_EQ(vendorDetails.idText(), FormatRecordId(vendor));
    EXPECT_EQ(vendorDetails.vendor().Number, QStringLiteral("A-9"));

    const qint32 id = addItem(QStringLiteral("Bolt"), vendor, 12);
    CItemsRec rec = item(id);
    rec.Cost = Money::fromWhole(1234, 5000);
    rec.SellingPrice = Money::fromWhole(2);
    rec.Taxable = true;
    rec.TaxRate = 7.25f;
    rec.ReorderQuanity = 20;
    rec.ReorderLevel = 5;
    ASSERT_TRUE(t().items().RecordModify(rec));
    addLot(id, 7);

    ItemDetailsModel details(t(), prompter, id);
    ASSERT_TRUE(details.isOpen());
    const QStringList texts{
        details.idText(),      details.primaryVendorText(),   details.secondaryVendorText(),
        details.costText(),    details.sellingPriceText(),    details.taxableText(),
        details.taxRateText(), details.reorderQuantityText(), details.reorderLevelText(),
        details.stockedText(), details.orderedText()};
    EXPECT_EQ(texts, (QStringList{FormatRecordId(id), FormatRecordId(vendor), "000012", "$1,234.50", "$2.00",
                                  "YES", "7.25%", "20", "5", "7", "0"}));
    rec = item(id);
    rec.Taxable = false;
    ASSERT_TRUE(t().items().RecordModify(rec));
    ItemDetailsModel untaxed(t(), prompter, id);
    EXPECT_EQ(untaxed.taxableText(), QStringLiteral("NO"));
    EXPECT_EQ(untaxed.taxRateText(), QStringLiteral("N/A"));

    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_FALSE(VendorDetailsModel(t(), prompter, 77).isOpen());
    EXPECT_EQ(prompter.log().constLast().title, QStringLiteral("Vendor Details"));
    EXPECT_EQ(prompter.lastText(), kNotFound);
    EXPECT_FALSE(ItemDetailsModel(t(), prompter, 77).isOpen());
    EXPECT_EQ(prompter.log().constLast().title, QStringLiteral("Item Details"));
    EXPECT_EQ(prompter.lastText(), kNotFound);
}

// ---- find vendor / find item ----

TEST_F(VendorsItems, FindByIdOrExactNumber)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"), QStringLiteral("O'Brien-7"));
    addVendor(QStringLiteral("Beta"), QStringLiteral("O'Brien-77"));
    FindRecordModel find(t(), prompter, FindRecordModel::Kind::Vendor);
    EXPECT_EQ(find.helpText(), QStringLiteral("Locate a vendor quickly by Vendor Number or ID"));

    find.setText(QStringLiteral(" %1xyz").arg(vendor));
    ASSERT_TRUE(find.find().saved);
    EXPECT_EQ(find.foundId(), vendor);
    find.setText(QStringLiteral("42"));
    SaveResult result = find.find();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("text"));
    EXPECT_EQ(find.foundId(), NoSelection);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to find vendor with ID '000042'."));

    // A number is matched whole, quotes and all; part of a number is not enough.
    find.setSearchBy(FindRecordModel::SearchBy::Number);
    find.setText(QStringLiteral("O'Brien-7"));
    ASSERT_TRUE(find.find().saved);
    EXPECT_EQ(find.foundId(), vendor);
    find.setText(QStringLiteral("O'Brien"));
    EXPECT_FALSE(find.find().saved);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to find vendor with Number 'O'Brien'."));
    find.setText(QStringLiteral("x' OR '1'='1"));
    EXPECT_FALSE(find.find().saved);

    const qint32 id = addItem(QStringLiteral("Bolt"), vendor, vendor, QStringLiteral("B-1"));
    FindRecordModel findItem(t(), prompter, FindRecordModel::Kind::Item);
    EXPECT_EQ(findItem.helpText(), QStringLiteral("Locate an item quickly by Item Number or ID"));
    findItem.setText(QStringLiteral("abc"));
    EXPECT_FALSE(findItem.find().saved);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to find item with ID '000000'."));
    findItem.setSearchBy(FindRecordModel::SearchBy::Number);
    findItem.setText(QStringLiteral("B-1"));
    ASSERT_TRUE(findItem.find().saved);
    EXPECT_EQ(findItem.foundId(), id);
    findItem.setText(QStringLiteral("B-2"));
    EXPECT_FALSE(findItem.find().saved);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to find item with Number 'B-2'."));
}

// ---- find in list ----

TEST(FindInListTest, ScansBelowTheSelectionThenFromTheTop)
{
    ScriptedPrompter prompter;
    const QStringList rows{"Anvil", "Bracket", "anvil stand", "Clamp", "Drill"};
    // Below the selection first: row 2 rather than row 0.
    EXPECT_EQ(FindInList(rows, 0, QStringLiteral("ANV"), prompter), 2);
    // The only match lies above the selection: the second scan finds it.
    EXPECT_EQ(FindInList(rows, 3, QStringLiteral("brack"), prompter), 1);
    // No selection, or the last row selected, starts at row 0.
    EXPECT_EQ(FindInList(rows, -1, QStringLiteral("anvil"), prompter), 0);
    EXPECT_EQ(FindInList(rows, 4, QStringLiteral("anvil"), prompter), 0);
    EXPECT_EQ(FindInList(rows, 2, QStringLiteral("anvil"), prompter), 0);
    EXPECT_TRUE(prompter.log().isEmpty());

    EXPECT_EQ(FindInList(rows, 1, QString(), prompter), -1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Invalid search string."));
    EXPECT_EQ(prompter.log().constLast().title, QStringLiteral("Quillmark 3.5"));
    EXPECT_EQ(FindInList(rows, 1, QStringLiteral("saw"), prompter), -1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to find a matching entry."));
    EXPECT_EQ(FindInList({}, -1, QStringLiteral("x"), prompter), -1);
    EXPECT_EQ(prompter.log().size(), 3);
}

// ---- deletions ----

TEST_F(VendorsItems, VendorDeletionTakesItsPrimaryItemsWithAllTheirRows)
{
    const qint32 doomed = addVendor(QStringLiteral("Doomed"));
    const qint32 kept = addVendor(QStringLiteral("Kept"));
    const qint32 po = addPO(doomed, 5000);
    CSIRec si;
    si.Number = 7000;
    ASSERT_TRUE(t().invoices().RecordAdd(si));
    QList<qint32> primaries;
    for (int i = 0; i < 3; ++i) {
        primaries.append(addItem(QStringLiteral("P%1").arg(i), doomed, kept));
        giveHistory(primaries.last(), po, si.ID);
    }
    const qint32 secondary = addItem(QStringLiteral("Second"), kept, doomed);
    giveHistory(secondary, po, si.ID);

    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::Vendor, doomed);
    ASSERT_TRUE(model.prepare());
    EXPECT_EQ(DeleteRecordModel::title(), QStringLiteral("Delete"));
    EXPECT_EQ(DeleteRecordModel::prompt(), QStringLiteral("Confirm deletion by typing 'YES'"));
    EXPECT_EQ(model.warning(),
              QStringLiteral(
                  "Removing vendor #%1 will also permanently remove all items, recorded tracking of items, "
                  "and sales associated with this vendor.  This could modify calculated totals for PO's "
                  "and Invoices.\nIt is recomended that you backup the project before continuing.")
                  .arg(FormatRecordId(doomed)));
    EXPECT_FALSE(model.run()); // not confirmed yet
    ASSERT_TRUE(model.confirm(QStringLiteral("Yes")));
    ASSERT_TRUE(model.run());

    EXPECT_FALSE(t().vendors().LocateByID(doomed));
    for (const qint32 id : primaries) {
        EXPECT_FALSE(t().items().LocateByID(id));
        for (CTableSet* table :
             std::initializer_list<CTableSet*>{&t().orders(), &t().sales(), &t().stock(), &t().received()})
            EXPECT_EQ(rowsOf(*table, id), 0) << table->tableName().toStdString();
        EXPECT_TRUE(model.changes().contains(ListingKind::Items, id));
    }
    // Only the secondary vendor was the doomed one: the item and its history stay untouched.
    const CItemsRec survivor = item(secondary);
    EXPECT_EQ(survivor.VendorID2, doomed);
    EXPECT_EQ(rowsOf(t().orders(), secondary), 1);
    EXPECT_EQ(rowsOf(t().sales(), secondary), 1);
    EXPECT_EQ(rowsOf(t().stock(), secondary), 2);
    EXPECT_EQ(rowsOf(t().received(), secondary), 1);
    EXPECT_TRUE(t().vendors().LocateByID(kept));

    const ChangeList& changes = model.changes();
    EXPECT_EQ(changes.ids(ListingKind::Vendors), QList<qint32>{doomed});
    EXPECT_TRUE(changes.contains(ListingKind::PurchaseOrders, po));
    EXPECT_TRUE(changes.contains(ListingKind::Invoices, si.ID));
    EXPECT_EQ(changes.ids(ListingKind::Stock).size(), 6);
    EXPECT_FALSE(changes.contains(ListingKind::Items, secondary));
}

TEST_F(VendorsItems, DeletionNeedsTheRecordAndTheTypedWord)
{
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::Vendor, 5).prepare());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to locate vendor record."));
    EXPECT_EQ(prompter.log().constLast().title, kTitle);
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::Item, 5).prepare());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to locate item record."));
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::OrderLine, 5).prepare());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to locate order record."));

    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    const qint32 id = addItem(QStringLiteral("Bolt"), vendor, vendor);
    addLot(id, 4);
    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::Item, id);
    ASSERT_TRUE(model.prepare());
    EXPECT_EQ(
        model.warning(),
        QStringLiteral("Removing item #%1 will cause the removal of all recorded tracking of this item and "
                       "sales of this item.This could affect totals for any PO's or Invoices which contain "
                       "this item\nIt is recomended that you backup the project before continuing.")
            .arg(FormatRecordId(id)));
    EXPECT_FALSE(model.confirm(QStringLiteral("no")));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Must confirm deletion by typing 'YES'."));
    EXPECT_FALSE(model.run());
    EXPECT_TRUE(t().items().LocateByID(id));
    EXPECT_EQ(rowsOf(t().stock(), id), 1);

    ASSERT_TRUE(model.confirm(QStringLiteral("YES")));
    ASSERT_TRUE(model.run());
    EXPECT_FALSE(t().items().LocateByID(id));
    EXPECT_EQ(rowsOf(t().stock(), id), 0);
    EXPECT_TRUE(t().vendors().LocateByID(vendor));
    EXPECT_EQ(model.changes().ids(ListingKind::Items), QList<qint32>{id});
}

TEST_F(VendorsItems, OrderLineDeletionKeepsReceiptsAndLotsAndRecountsOrdered)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    const qint32 id = addItem(QStringLiteral("Bolt"), vendor, vendor);
    const qint32 po = addPO(vendor, 5001);
    const qint32 first = addOrder(id, po, 10);
    addOrder(id, po, 4);
    const qint32 lot = addLot(id, 2, first, po);
    addReceipt(id, first, po, lot);
    ASSERT_EQ(item(id).Ordered, 14);

    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::OrderLine, first);
    ASSERT_TRUE(model.prepare());
    EXPECT_EQ(model.warning(),
              QStringLiteral("Removing order #%1 will permanently remove this order from the list.\n"
                             "It is recomended that you backup the project before continuing.")
                  .arg(FormatRecordId(first)));
    ASSERT_TRUE(model.confirm(QStringLiteral("yes")));
    ASSERT_TRUE(model.run());
    EXPECT_FALSE(t().orders().LocateByID(first));
    EXPECT_EQ(item(id).Ordered, 4);
    EXPECT_EQ(item(id).Stocked, 2);
    EXPECT_EQ(rowsOf(t().received(), id), 1);
    EXPECT_TRUE(t().stock().LocateByID(lot));
    EXPECT_TRUE(model.changes().contains(ListingKind::PurchaseOrders, po));
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, id));

    // A line whose item is gone still goes; the user hears about the item.
    const qint32 orphan = addOrder(addItem(QStringLiteral("Gone"), vendor, vendor), po, 3);
    COrderRec line;
    ASSERT_TRUE(t().orders().RecordRead(line, orphan));
    ASSERT_TRUE(t().items().RecordDelete(line.ItemID));
    prompter.clear();
    ASSERT_TRUE(DeleteOrderLine(t(), prompter, orphan).has_value());
    EXPECT_FALSE(t().orders().LocateByID(orphan));
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("Unable to locate item record.")});
}

TEST_F(VendorsItems, PurchaseOrderDeletionTakesItsLinesUnlessSomethingWasReceived)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    const qint32 bolt = addItem(QStringLiteral("Bolt"), vendor, vendor);
    const qint32 nut = addItem(QStringLiteral("Nut"), vendor, vendor);
    const qint32 open = addPO(vendor, 5002);
    const qint32 other = addPO(vendor, 5003);
    addOrder(bolt, open, 10);
    addOrder(nut, open, 5);
    addOrder(bolt, other, 7);
    const qint32 received = addOrder(nut, other, 8);
    addReceipt(nut, received, other, addLot(nut, 2, received, other));

    // The list shows purchase order numbers; the deletion finds the record by it.
    DeleteRecordModel refused(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, 5003);
    EXPECT_FALSE(refused.prepare());
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Items of purchase order #005003 have already been received.\n"
                             "Undo those receipts before deleting the purchase order."));
    EXPECT_FALSE(DeletePurchaseOrder(t(), prompter, other).has_value());
    EXPECT_TRUE(t().purchaseOrders().LocateByID(other));
    EXPECT_FALSE(DeleteRecordModel(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, 4999).prepare());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to locate purchase order record."));

    DeleteRecordModel model(t(), prompter, DeleteRecordModel::Target::PurchaseOrder, 5002);
    ASSERT_TRUE(model.prepare());
    EXPECT_EQ(model.recordId(), open);
    EXPECT_EQ(
        model.warning(),
        QStringLiteral("Removing purchase order #005002 will permanently remove it and all of its order "
                       "lines.\nIt is recomended that you backup the project before continuing."));
    ASSERT_TRUE(model.confirm(QStringLiteral("yes")));
    ASSERT_TRUE(model.run());
    EXPECT_FALSE(t().purchaseOrders().LocateByID(open));
    EXPECT_EQ(t().orders().CountWhere(QStringLiteral("[POID] = ?"), {open}), 0);
    EXPECT_EQ(t().orders().CountWhere(QStringLiteral("[POID] = ?"), {other}), 2);
    EXPECT_EQ(item(bolt).Ordered, 7);
    EXPECT_EQ(item(nut).Ordered, 8);
    EXPECT_EQ(model.changes().ids(ListingKind::PurchaseOrders), QList<qint32>{open});
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, bolt));
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, nut));
}

} // namespace
