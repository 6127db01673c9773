#include "core/sales/InvoiceManagerModel.h"
#include "core/sales/NewSalesInvoiceModel.h"
#include "core/sales/RemoveSale.h"
#include "core/sales/SelectInvoiceModel.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"

#include "TotalsFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Invoices : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        otherCustomer = b.customer(QString(), u"Moss"_s, u"Ben"_s);
    }
    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(10, 30))};
    qint32 vendor = NoID, customer = NoID, otherCustomer = NoID;
};

TEST_F(Invoices, NewInvoicesAreNumberedOnAndModifyingMovesEveryReceivableToTheNewCustomer)
{
    NewSalesInvoiceModel first(t(), prompter, clock);
    EXPECT_EQ(first.numberText(), u"5000"_s);
    first.setCustomer(customer);
    first.setDateText(u"2/1/2024"_s);
    first.setPayMethod(3);
    ASSERT_TRUE(first.save().saved);
    const qint32 invoiceID = first.invoiceID();
    const CSIRec saved = b.read<CSIRec>(invoiceID);
    EXPECT_EQ((QList<qint32>{saved.Number, saved.CustomerID, saved.PayMethod}),
              (QList<qint32>{5000, customer, 3}));
    EXPECT_EQ(saved.Date, day(2024, 2, 1));

    // The next number follows the newest invoice; a customer that cannot be read
    // is saved as none.
    NewSalesInvoiceModel second(t(), prompter, clock);
    second.setNumberText(u"7000"_s);
    second.setCustomer(4711);
    ASSERT_TRUE(second.save().saved);
    EXPECT_EQ(b.read<CSIRec>(second.invoiceID()).CustomerID, NoSelection);
    EXPECT_EQ(NewSalesInvoiceModel(t(), prompter, clock).numberText(), u"7001"_s);

    // Modifying keeps the number; what is owed on the invoice moves with it.
    b.payment(customer, invoiceID, Money(), Money());
    b.payment(customer, invoiceID, Money(), Money());
    const qint32 untouched = b.payment(customer, second.invoiceID(), Money(), Money());
    NewSalesInvoiceModel modify(t(), prompter, clock);
    ASSERT_TRUE(modify.loadForModify(invoiceID));
    modify.setCustomer(otherCustomer);
    modify.setNumberText(u"9999"_s);
    ASSERT_TRUE(modify.save().saved);
    EXPECT_EQ((QList<qint32>{b.read<CSIRec>(invoiceID).Number, b.read<CSIRec>(invoiceID).CustomerID}),
              (QList<qint32>{5000, otherCustomer}));
    for (const CARRec& rec : t().receivables().RecordsWhere(u"[SIID] = ?"_s, {invoiceID}))
        EXPECT_EQ(rec.CustomerID, otherCustomer);
    EXPECT_EQ(b.read<CARRec>(untouched).CustomerID, customer);
    // A failed write takes the invoice's own change back with the receivables'.
    failEvery("UPDATE", "AR");
    modify.setCustomer(NoSelection);
    EXPECT_FALSE(modify.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to modify invoice at this time."_s);
    EXPECT_EQ(b.read<CSIRec>(invoiceID).CustomerID, otherCustomer);
    EXPECT_FALSE(NewSalesInvoiceModel(t(), prompter, clock).loadForModify(invoiceID + 100));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));

    // A number in use is refused, even while the list shows other invoices.
    t().invoices().SetFilter(u"[Number] = 7000"_s);
    t().invoices().Reopen();
    NewSalesInvoiceModel duplicate(t(), prompter, clock);
    duplicate.setNumberText(u"5000"_s);
    EXPECT_EQ(duplicate.save().focus, NewSalesInvoiceModel::Field::Number);
    EXPECT_EQ(prompter.lastText(),
              u"Invoice number 5000 is already in use.  Please enter a different number."_s);
    duplicate.setDateText(u"13/45/2024"_s);
    EXPECT_EQ(duplicate.save().focus, NewSalesInvoiceModel::Field::Date);
    EXPECT_EQ(prompter.lastText(), u"You must specify a valid date."_s);
    EXPECT_EQ(b.rows("SI"), 2);
}

// Invoice 5000: 3 ledgers at $10.00 with 5 % tax and 4 untaxed pencils at $0.35,
// $10.00 paid; invoice 5001: 2 pencils at $0.50 and no receivable.
TEST_F(Invoices, AddToInvoiceNeedsAnItemToSell)
{
    InvoiceManagerModel manager(t(), prompter, b.invoice(customer, 5000));
    EXPECT_FALSE(manager.invoiceForAdd());
    EXPECT_TRUE(prompter.lastText().contains(u"valid items and invoices setup"_s));
}

TEST_F(Invoices, ManagerShowsWhatTheSalesComeToNowAndActsOnlyOnAChosenInvoiceAndSale)
{
    const qint32 taxed =
        b.pricedItem({.name = u"Ledger"_s, .vendor1 = vendor, .taxable = true}, Money::fromWhole(10), 5.0f);
    const qint32 pencil = b.pricedItem({.name = u"Pencil"_s, .vendor1 = vendor}, Money(), 8.0f);
    const qint32 invoiceID = b.invoice(customer, 5000);
    b.change<CSIRec>(invoiceID, [](CSIRec& rec) { rec.PayMethod = 2; });
    b.sale(taxed, invoiceID, 3, Money::fromWhole(10));
    const qint32 pencilSale = b.sale(pencil, invoiceID, 4, Money::fromWhole(0, 3500));
    b.payment(customer, invoiceID, Money::fromWhole(32, 9000), Money::fromWhole(10));
    const qint32 unpaid = b.invoice(otherCustomer, 5001);
    const qint32 unpaidSale = b.sale(pencil, unpaid, 2, Money::fromWhole(0, 5000));

    SelectInvoiceModel select(t(), prompter);
    EXPECT_EQ(select.save().focus, SelectInvoiceModel::Field::Invoice);
    EXPECT_EQ(prompter.lastText(), u"You must select an invoice from the list."_s);
    select.selectInvoice(invoiceID);
    EXPECT_TRUE(select.save().saved);

    prompter.clear();
    InvoiceManagerModel manager(t(), prompter);
    EXPECT_FALSE(manager.invoiceForAction());
    EXPECT_FALSE(manager.invoiceForAdd());
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_FALSE(manager.saleForReturn());
    EXPECT_EQ(prompter.texts(), QStringList(4, u"You must select a valid invoice from the list."_s));

    manager.selectInvoice(invoiceID);
    EXPECT_EQ((QStringList{manager.payMethodText(), manager.amountDueText(), manager.balanceText()}),
              (QStringList{u"Charge Card"_s, u"$32.90"_s, u"$22.90"_s}));
    ASSERT_EQ(manager.rows().size(), 2);
    EXPECT_EQ(manager.rows()[0].texts(),
              (QStringList{u"Ledger"_s, u"LED-1"_s, u"3"_s, u"$10.00"_s, u"$30.00"_s, u"$1.50"_s}));
    EXPECT_EQ(manager.invoiceForAdd(), invoiceID);
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(prompter.lastText(),
              u"You must select an entry in the sales list before performing this operation."_s);
    EXPECT_FALSE(manager.saleForReturn());
    manager.selectRow(1);
    EXPECT_EQ(manager.saleForReturn(), pencilSale);

    // The tax rate went up since: the window shows the new total, the receivable
    // keeps its own until the project is opened again.
    checkTotals = false;
    b.change<CItemsRec>(taxed, [](CItemsRec& rec) { rec.TaxRate = 10.0f; });
    manager.refresh();
    EXPECT_EQ((QStringList{manager.amountDueText(), manager.balanceText()}),
              (QStringList{u"$34.40"_s, u"$24.40"_s}));
    EXPECT_EQ(b.dues(invoiceID), QList<double>{32.9});

    // Without receivables the invoice owes what its sales come to.
    manager.selectInvoice(unpaid);
    EXPECT_EQ((QStringList{manager.customerText(), manager.balanceText()}),
              (QStringList{u"Ben Moss"_s, u"$1.00"_s}));
    // A row whose sale went away meanwhile is no sale to act on.
    b.remove<CSalesRec>(unpaidSale);
    manager.selectRow(0);
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(prompter.lastText(), u"Invalid sale selected."_s);
}

// 3 ledgers at $10.00 with 5 % tax on invoice 5000 ($31.50), paid $10.00 and then
// $5.00; invoice 5001 has no receivable yet.
TEST_F(Invoices, RemovingASalePutsItBackAtItsCostAndLowersEveryDueOrChangesNothing)
{
    const qint32 item = b.pricedItem({.name = u"Ledger"_s, .vendor1 = vendor, .stocked = 7, .taxable = true},
                                     Money::fromWhole(10), 5.0f);
    const qint32 invoiceID = b.invoice(customer, 5000);
    const qint32 saleID = b.sale(item, invoiceID, 3, Money::fromWhole(10), Money::fromWhole(2, 2857));
    // Recorded after the invoice's day: the lot put back still takes the invoice's date.
    b.change<CSalesRec>(saleID, [](CSalesRec& rec) { rec.Date = day(1997, 6, 2); });
    b.payment(customer, invoiceID, Money::fromWhole(31, 5000), Money::fromWhole(10));
    b.payment(customer, invoiceID, Money::fromWhole(21, 5000), Money::fromWhole(5));
    const qint32 unowed = b.invoice(otherCustomer, 5001);
    const qint32 unowedSale = b.sale(item, unowed, 2, Money::fromWhole(10));
    const qint32 strayInvoice = b.sale(item, unowed + 100, 1, Money::fromWhole(10));
    const qint32 strayItem = b.sale(item + 100, unowed, 1, Money::fromWhole(10));

    ChangeList changes;
    const auto refused = [&](qint32 id, const QString& message) {
        prompter.answer({true});
        EXPECT_FALSE(RemoveSale(t(), prompter, id, changes));
        EXPECT_EQ(prompter.lastText(), message);
    };
    refused(saleID + 1000, StatusMessage(Status::RecordNotFound));
    refused(strayInvoice, u"Unable to locate invoice containing sale transaction!"_s);
    refused(strayItem, StatusMessage(Status::RecordNotFound));
    // Dues that cannot be lowered take the lot and the sale back too.
    failEvery("UPDATE", "AR");
    refused(saleID, StatusMessage(Status::OperationFailed));
    EXPECT_EQ((QList<qint32>{b.rows("Sales"), b.rows("Stock"), t().items().GetStocked(item)}),
              (QList<qint32>{4, 1, 7}));
    EXPECT_TRUE(changes.isEmpty());
    ASSERT_TRUE(project.db().execNative(u"DROP TRIGGER fail_UPDATE_AR"_s));

    InvoiceManagerModel manager(t(), prompter, invoiceID);
    manager.selectRow(0);
    prompter.answer({false});
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(last().text,
              u"You are about to remove the selected sale from your records, \n and place the sale "
              u"quantity back into stock.\nAre you sure you wish to do this?"_s);
    EXPECT_EQ(b.rows("Stock"), 1);

    prompter.answer({true});
    ASSERT_TRUE(manager.deleteFromInvoice());
    EXPECT_EQ(t().items().GetStocked(item), 10);
    const CStockRec back = b.read<CStockRec>(manager.changes().ids(ListingKind::Stock).value(0));
    EXPECT_EQ((QList<qint32>{back.ItemID, back.OrderID, back.POID, back.VendorID, back.Quanity}),
              (QList<qint32>{item, StockOther, StockOther, vendor, 3}));
    EXPECT_EQ(back.Cost, Money::fromWhole(2, 2857));
    EXPECT_EQ(back.Date, day(1997, 5, 15));
    // 3 x 10.00 and 5 % tax off every Due; a balance below zero is allowed.
    EXPECT_EQ(b.dues(invoiceID), QList<double>({0, -10}));
    EXPECT_EQ(manager.balanceText(), u"-$15.00"_s);

    // Nothing owed yet: the sale is removed all the same.
    prompter.answer({true});
    ASSERT_TRUE(RemoveSale(t(), prompter, unowedSale, changes));
    EXPECT_EQ(t().items().GetStocked(item), 12);
}

} // namespace
