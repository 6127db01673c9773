#include "core/sales/SaleCommands.h"

#include "core/common/StatusCodes.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"

#include "TotalsFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SaleCommands : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        stapler = b.pricedItem({.name = u"Stapler"_s, .vendor1 = vendor, .stocked = 8, .taxable = true},
                               Money::fromWhole(10), 5.0f);
        clip = b.pricedItem({.name = u"Clip"_s, .vendor1 = vendor, .stocked = 50}, Money::fromWhole(0, 5000));
    }
    // A sale recorded as Record Sold Items records it: 3 staplers and 20 clips,
    // 41.50 owed, 10.00 paid.
    qint32 recordSale()
    {
        const qint32 invoice = b.invoice(customer, t().invoices().NextNumber());
        RecordSoldItemsModel dialog(t(), prompter);
        dialog.setInvoice(invoice);
        for (const auto& [item, quantity] : {std::pair{stapler, 3}, std::pair{clip, 20}}) {
            dialog.selectItem(item);
            dialog.setQuantityText(QString::number(quantity));
            EXPECT_TRUE(dialog.addLine().saved);
        }
        dialog.setAmountPaidText(u"10"_s);
        EXPECT_TRUE(dialog.save().saved) << prompter.lastText().toStdString();
        return invoice;
    }

    qint32 vendor = NoID, customer = NoID, stapler = NoID, clip = NoID;
};

TEST_F(SaleCommands, RecordSaleStartsOnTheItemTheSelectedRowMeans)
{
    const qint32 po = b.po(1, vendor);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::PurchaseOrders), po), NoID); // no line yet
    b.orderLine(clip, po, 4);
    b.orderLine(stapler, po, 2);
    const qint32 lot = t().stock().FirstIDWhere(u"[ItemID] = ?"_s, {stapler});

    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Items), stapler), stapler);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::PurchaseOrders), po), clip);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Stock), lot), stapler);
    // Lists whose rows mean no item, no selection, no list, or a record gone.
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Vendors), vendor), NoID);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Customers), customer), NoID);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Items), NoSelection), NoID);
    EXPECT_EQ(ItemToSellFromList(t(), -1, stapler), NoID);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Items), 999), NoID);
    EXPECT_EQ(ItemToSellFromList(t(), int(ListingKind::Stock), 999), NoID);

    EXPECT_TRUE(UndoSaleAvailable(int(ListingKind::Invoices), 7));
    EXPECT_FALSE(UndoSaleAvailable(int(ListingKind::Invoices), NoSelection));
    EXPECT_FALSE(UndoSaleAvailable(int(ListingKind::Items), 7));
    EXPECT_FALSE(UndoSaleAvailable(-1, 7));
}

TEST_F(SaleCommands, UndoSaleTakesEveryLineOfTheInvoiceBackAfterOneQuestion)
{
    const qint32 invoice = recordSale();
    const qint32 lots = b.rows("Stock");
    prompter.clear();

    // No: nothing changes.
    ChangeList changes;
    EXPECT_FALSE(UndoInvoiceSale(t(), prompter, invoice, changes));
    EXPECT_EQ(prompter.texts(), QStringList{RemoveSaleQuestion()});
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(b.rows("Sales"), 2);

    // A failed write takes back the lines already taken back.
    failEvery("UPDATE", "AR");
    prompter.answer({true});
    EXPECT_FALSE(UndoInvoiceSale(t(), prompter, invoice, changes));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ(b.rows("Sales"), 2);
    EXPECT_EQ(b.rows("Stock"), lots);
    ASSERT_TRUE(project.db().execNative(u"DROP TRIGGER fail_UPDATE_AR"_s));

    prompter.clear();
    prompter.answer({true});
    ASSERT_TRUE(UndoInvoiceSale(t(), prompter, invoice, changes)) << prompter.lastText().toStdString();
    EXPECT_EQ(prompter.texts(), QStringList{RemoveSaleQuestion()}); // asked once for both lines
    EXPECT_EQ(b.rows("Sales"), 0);
    EXPECT_EQ(b.rows("Stock"), lots + 2);
    EXPECT_EQ(t().items().GetStocked(stapler), 8);
    EXPECT_EQ(t().items().GetStocked(clip), 50);
    // The invoice stays with its payment; it owes nothing now.
    EXPECT_EQ(b.rows("SI"), 1);
    EXPECT_EQ(b.dues(invoice), QList<double>{0});
    EXPECT_TRUE(changes.contains(ListingKind::Invoices, invoice));
    EXPECT_TRUE(changes.contains(ListingKind::Items, stapler));
    EXPECT_EQ(changes.ids(ListingKind::Stock).size(), 2);

    // Nothing left to take back: said so, nothing asked.
    prompter.clear();
    EXPECT_FALSE(UndoInvoiceSale(t(), prompter, invoice, changes));
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_FALSE(prompter.log().constFirst().question);
}

} // namespace
