#include "sales/InvoiceManagerModel.h"
#include "sales/NewSalesInvoiceModel.h"
#include "sales/ProjectConsistency.h"
#include "sales/RemoveSale.h"
#include "sales/SelectInvoiceModel.h"

#include "common/Clock.h"
#include "common/StatusCodes.h"
#include "common/UserSettings.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Invoices : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        otherCustomer = b.customer(QString(), u"Moss"_s, u"Ben"_s);
    }
    void TearDown() override
    {
        const ConsistencyReport report = CheckProjectConsistency(t());
        EXPECT_EQ(report.chains, QStringList());
        if (!taxRateChanged) {
            EXPECT_EQ(report.staleTotals, QStringList());
        }
        ProjectFixture::TearDown();
    }

    qint32 item(const QString& name, Money price, bool taxable, float rate, qint32 stocked)
    {
        const qint32 id = b.item({name, vendor, NoID, Money::fromWhole(2), stocked});
        b.change<CItemsRec>(id, [&](CItemsRec& rec) {
            rec.SellingPrice = price;
            rec.Taxable = taxable;
            rec.TaxRate = rate;
        });
        return id;
    }
    qint32 sale(qint32 itemID, qint32 invoiceID, qint32 quantity, Money price,
                Money cost = Money::fromWhole(2))
    {
        CSalesRec rec;
        rec.ItemID = itemID;
        rec.SIID = invoiceID;
        rec.Quanity = quantity;
        rec.SellingPrice = price;
        rec.Cost = cost;
        rec.Date = day(1997, 5, 15);
        return b.add(rec);
    }
    QList<CARRec> receivables(qint32 invoiceID)
    {
        return t().receivables().RecordsWhere(u"[SIID] = ?"_s, {invoiceID});
    }

    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(10, 30))};
    qint32 vendor = NoID, customer = NoID, otherCustomer = NoID;
    bool taxRateChanged = false;
};

TEST_F(Invoices, NewInvoicesAreNumberedOnAndADuplicateNumberOrBadDateIsRefused)
{
    NewSalesInvoiceModel first(t(), prompter, clock);
    EXPECT_EQ(
        (QStringList{first.numberText(), first.dateText(), first.customerText(), first.customerIdText()}),
        (QStringList{u"5000"_s, u"3/15/2024"_s, u"N/A"_s, u"N/A"_s}));
    first.setCustomer(customer);
    EXPECT_EQ((QStringList{first.customerText(), first.customerIdText()}),
              (QStringList{u"Harbor Books  Ada Lind"_s, FormatRecordId(customer)}));
    first.setNotes(u"Rush"_s);
    first.setPayMethod(3);
    ASSERT_TRUE(first.save().saved);
    EXPECT_TRUE(first.changes().contains(ListingKind::Invoices, first.invoiceID()));
    const CSIRec saved = b.read<CSIRec>(first.invoiceID());
    EXPECT_EQ((QList<qint32>{saved.Number, saved.CustomerID, saved.PayMethod}),
              (QList<qint32>{5000, customer, 3}));
    EXPECT_EQ(saved.Date, day(2024, 3, 15));
    EXPECT_EQ(saved.Notes, u"Rush"_s);

    // The next number follows the newest invoice; a customer that cannot be read
    // is saved as none.
    NewSalesInvoiceModel second(t(), prompter, clock);
    EXPECT_EQ(second.numberText(), u"5001"_s);
    second.setNumberText(u"7000"_s);
    second.setCustomer(4711);
    EXPECT_EQ(second.customerText(), u"N/A"_s);
    ASSERT_TRUE(second.save().saved);
    EXPECT_EQ(b.read<CSIRec>(second.invoiceID()).CustomerID, NoSelection);
    EXPECT_EQ(NewSalesInvoiceModel(t(), prompter, clock).numberText(), u"7001"_s);

    // A number in use is refused, even while the list shows other invoices.
    t().invoices().SetFilter(u"[Number] = 7000"_s);
    t().invoices().Reopen();
    NewSalesInvoiceModel duplicate(t(), prompter, clock);
    duplicate.setNumberText(u"5000"_s);
    EXPECT_EQ(duplicate.save().focus, u"number"_s);
    EXPECT_EQ(prompter.lastText(),
              u"Invoice number 5000 is already in use.  Please enter a different number."_s);
    EXPECT_EQ(last().title, u"Quillmark 3.5"_s);
    for (const QString& bad : {u"13/45/2024"_s, QString()}) {
        duplicate.setDateText(bad);
        EXPECT_EQ(duplicate.save().focus, u"date"_s);
        EXPECT_EQ(prompter.lastText(), u"You must specify a valid date."_s);
    }
    EXPECT_EQ(b.rows("SI"), 2);
}

TEST_F(Invoices, ModifyingKeepsTheNumberAndMovesEveryReceivableToTheNewCustomerOrNothing)
{
    const qint32 invoiceID = b.invoice(customer, 5000);
    const qint32 other = b.invoice(customer, 5001);
    b.payment(customer, invoiceID, Money(), Money());
    b.payment(customer, invoiceID, Money(), Money());
    const qint32 untouched = b.payment(customer, other, Money(), Money());

    NewSalesInvoiceModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.loadForModify(invoiceID));
    EXPECT_FALSE(dialog.numberEnabled());
    EXPECT_EQ((QStringList{dialog.numberText(), dialog.dateText(), dialog.customerText()}),
              (QStringList{u"5000"_s, u"5/15/1997"_s, u"Harbor Books  Ada Lind"_s}));
    dialog.setCustomer(otherCustomer);
    dialog.setNumberText(u"9999"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(b.read<CSIRec>(invoiceID).Number, 5000);
    EXPECT_EQ(b.read<CSIRec>(invoiceID).CustomerID, otherCustomer);
    for (const CARRec& rec : receivables(invoiceID))
        EXPECT_EQ(rec.CustomerID, otherCustomer);
    EXPECT_EQ(b.read<CARRec>(untouched).CustomerID, customer);

    // A failed write takes the invoice's own change back with the receivables'.
    failEvery("UPDATE", "AR");
    NewSalesInvoiceModel failing(t(), prompter, clock);
    ASSERT_TRUE(failing.loadForModify(invoiceID));
    failing.setCustomer(NoSelection);
    EXPECT_FALSE(failing.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to modify invoice at this time."_s);
    EXPECT_EQ(b.read<CSIRec>(invoiceID).CustomerID, otherCustomer);

    EXPECT_FALSE(NewSalesInvoiceModel(t(), prompter, clock).loadForModify(invoiceID + 100));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::RecordNotFound));
}

TEST_F(Invoices, SelectInvoiceNeedsAChoice)
{
    b.invoice(customer, 5000);
    const qint32 second = b.invoice(customer, 5001);
    SelectInvoiceModel dialog(t(), prompter);
    EXPECT_EQ(dialog.save().focus, u"invoice"_s);
    EXPECT_EQ(prompter.lastText(), u"You must select an invoice from the list."_s);
    dialog.selectInvoice(second);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(dialog.selectedInvoice(), second);
}

TEST_F(Invoices, ManagerShowsTheInvoiceAndWhatItsSalesComeToNow)
{
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), true, 5.0f, 10);
    const qint32 pencil = item(u"Pencil"_s, Money::fromWhole(0, 3500), false, 8.0f, 10);
    const qint32 invoiceID = b.invoice(customer, 5000);
    b.change<CSIRec>(invoiceID, [](CSIRec& rec) {
        rec.Notes = u"Rush order"_s;
        rec.PayMethod = 2;
    });
    const qint32 ledgerSale = sale(ledger, invoiceID, 3, Money::fromWhole(10));
    sale(pencil, invoiceID, 4, Money::fromWhole(0, 3500));
    b.payment(customer, invoiceID, Money::fromWhole(32, 9000), Money::fromWhole(10));
    const qint32 unpaid = b.invoice(otherCustomer, 5001);
    sale(pencil, unpaid, 2, Money::fromWhole(0, 5000));

    InvoiceManagerModel manager(t(), prompter, invoiceID);
    EXPECT_EQ(
        (QStringList{manager.customerText(), manager.dateText(), manager.notes(), manager.payMethodText(),
                     manager.amountDueText(), manager.amountPaidText(), manager.balanceText()}),
        (QStringList{u"Harbor Books, Ada Lind"_s, u"5/15/1997"_s, u"Rush order"_s, u"Charge Card"_s,
                     u"$32.90"_s, u"$10.00"_s, u"$22.90"_s}));
    ASSERT_EQ(manager.rows().size(), 2);
    EXPECT_EQ(manager.rows()[0].saleID, ledgerSale);
    EXPECT_EQ(manager.rows()[0].texts(),
              (QStringList{u"Ledger"_s, u"LED-1"_s, u"3"_s, u"$10.00"_s, u"$30.00"_s, u"$1.50"_s}));
    EXPECT_EQ(manager.rows()[1].texts(),
              (QStringList{u"Pencil"_s, u"PEN-1"_s, u"4"_s, u"$0.35"_s, u"$1.40"_s, u"$0.00"_s}));

    // The tax rate went up since: the window shows the new total, the receivable
    // keeps its own until the project is opened again.
    taxRateChanged = true;
    b.change<CItemsRec>(ledger, [](CItemsRec& rec) { rec.TaxRate = 10.0f; });
    manager.refresh();
    EXPECT_EQ((QStringList{manager.amountDueText(), manager.amountPaidText(), manager.balanceText()}),
              (QStringList{u"$34.40"_s, u"$10.00"_s, u"$24.40"_s}));
    EXPECT_EQ(receivables(invoiceID).value(0).Due, Money::fromWhole(32, 9000));

    // Without receivables the invoice owes what its sales come to.
    manager.selectInvoice(unpaid);
    EXPECT_EQ((QStringList{manager.customerText(), manager.amountDueText(), manager.balanceText()}),
              (QStringList{u"Ben Moss"_s, u"$1.00"_s, u"$1.00"_s}));
    // No selection leaves the display as it was.
    manager.selectInvoice(NoSelection);
    EXPECT_EQ(manager.customerText(), u"Ben Moss"_s);
}

TEST_F(Invoices, ManagerColumnWidthsStayInTheirColumns)
{
    UserSettings settings(project.dir() + u"/user.ini"_s);
    using Widths = std::array<int, InvoiceManagerModel::kColumnCount>;
    EXPECT_EQ(InvoiceManagerModel::loadColumnWidths(settings), (Widths{100, 100, 60, 100, 100, 120}));
    // Subtotal (column 4) is kept as "Width6", Tax (column 5) as "Width5".
    InvoiceManagerModel::saveColumnWidths(settings, {11, 12, 13, 14, 15, 16});
    EXPECT_EQ(settings.number(u"SIManage"_s, u"Width6"_s), 15);
    EXPECT_EQ(settings.number(u"SIManage"_s, u"Width5"_s), 16);
    EXPECT_EQ(InvoiceManagerModel::loadColumnWidths(settings), (Widths{11, 12, 13, 14, 15, 16}));
}

TEST_F(Invoices, ManagerButtonsNeedAnInvoiceAndASaleRow)
{
    const QString selectInvoice = u"You must select a valid invoice from the list."_s;
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), false, 0.0f, 10);
    const qint32 invoiceID = b.invoice(customer, 5000);
    const qint32 first = sale(ledger, invoiceID, 1, Money::fromWhole(10));
    const qint32 second = sale(ledger, invoiceID, 2, Money::fromWhole(10));

    InvoiceManagerModel manager(t(), prompter);
    EXPECT_FALSE(manager.invoiceForAction());
    EXPECT_FALSE(manager.invoiceNumberForAdd());
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_FALSE(manager.saleForReturn());
    EXPECT_EQ(prompter.texts(), QStringList(4, selectInvoice));

    manager.selectInvoice(invoiceID);
    EXPECT_EQ(manager.invoiceNumberForAdd(), 5000);
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(prompter.lastText(),
              u"You must select an entry in the sales list before performing this operation."_s);
    EXPECT_FALSE(manager.saleForReturn());
    EXPECT_EQ(prompter.lastText(),
              u"You must select an entry in the list before performing this operation."_s);
    manager.selectRow(1);
    EXPECT_EQ(manager.saleForReturn(), second);

    // A row whose sale went away meanwhile is no sale to act on.
    b.remove<CSalesRec>(first);
    manager.selectRow(0);
    prompter.clear();
    EXPECT_FALSE(manager.saleForReturn());
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(prompter.texts(), QStringList(2, u"Invalid sale selected."_s));

    const qint32 created = b.invoice(otherCustomer, 5001);
    manager.invoiceCreated(created);
    EXPECT_EQ(manager.invoiceID(), created);
    EXPECT_TRUE(manager.rows().isEmpty());
}

TEST_F(Invoices, RemovingASalePutsItBackAtItsCostAndLowersEveryDue)
{
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), true, 5.0f, 7);
    const qint32 invoiceID = b.invoice(customer, 5000);
    const qint32 saleID = sale(ledger, invoiceID, 3, Money::fromWhole(10), Money::fromWhole(2, 2857));
    b.payment(customer, invoiceID, Money::fromWhole(31, 5000), Money::fromWhole(10));
    b.payment(customer, invoiceID, Money::fromWhole(21, 5000), Money::fromWhole(5));

    InvoiceManagerModel manager(t(), prompter, invoiceID);
    manager.selectRow(0);
    prompter.answer({false});
    EXPECT_FALSE(manager.deleteFromInvoice());
    EXPECT_EQ(last().text, RemoveSaleQuestion());
    EXPECT_EQ(last().icon, Prompter::Icon::Question);
    EXPECT_EQ(b.rows("Stock"), 1);

    prompter.answer({true});
    ASSERT_TRUE(manager.deleteFromInvoice());
    EXPECT_FALSE(t().sales().LocateByID(saleID));
    EXPECT_EQ(t().items().GetStocked(ledger), 10);
    const QList<CStockRec> back =
        t().stock().RecordsWhere(u"[OrderID] = ?"_s, {static_cast<qint32>(StockOther)});
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ((QList<qint32>{back[0].ItemID, back[0].POID, back[0].VendorID, back[0].Quanity}),
              (QList<qint32>{ledger, StockOther, vendor, 3}));
    EXPECT_EQ(back[0].Cost, Money::fromWhole(2, 2857));
    EXPECT_EQ(back[0].Date, day(1997, 5, 15));
    // 3 x 10.00 and 5 % tax off every Due; a balance below zero is allowed.
    const QList<CARRec> ar = receivables(invoiceID);
    EXPECT_EQ((QList<Money>{ar.value(0).Due, ar.value(1).Due}),
              (QList<Money>{Money(), Money::fromWhole(-10)}));
    EXPECT_TRUE(manager.changes().contains(ListingKind::Stock, back[0].ID));
    EXPECT_EQ(manager.removedSales(), QList<qint32>{saleID});
    EXPECT_TRUE(manager.rows().isEmpty());
    EXPECT_EQ(manager.balanceText(), u"-$15.00"_s);
}

TEST_F(Invoices, RemovingASaleWithoutReceivablesCountsAndNothingChangesWhenItCannotBeDone)
{
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), false, 0.0f, 2);
    const qint32 invoiceID = b.invoice(customer, 5000);
    const qint32 saleID = sale(ledger, invoiceID, 4, Money::fromWhole(10));
    const qint32 strayInvoice = sale(ledger, invoiceID + 100, 1, Money::fromWhole(10));
    const qint32 strayItem = sale(ledger + 100, invoiceID, 1, Money::fromWhole(10));
    ChangeList changes;
    QList<qint32> removed;

    const struct
    {
        qint32 saleID;
        QString message;
    } cases[] = {
        {saleID + 1000, StatusMessage(Status::RecordNotFound)},
        {strayInvoice, u"Unable to locate invoice containing sale transaction!"_s},
        {strayItem, StatusMessage(Status::RecordNotFound)},
    };
    for (const auto& c : cases) {
        prompter.answer({true});
        EXPECT_FALSE(RemoveSale(t(), prompter, c.saleID, changes));
        EXPECT_EQ(prompter.lastText(), c.message);
    }
    EXPECT_EQ((QList<qint32>{b.rows("Sales"), b.rows("Stock")}), (QList<qint32>{3, 1}));

    // With a receivable that cannot be written the lot and the sale go back too.
    const qint32 receivable = b.payment(customer, invoiceID, Money::fromWhole(50), Money());
    failEvery("UPDATE", "AR");
    prompter.answer({true});
    EXPECT_FALSE(RemoveSale(t(), prompter, saleID, changes));
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ((QList<qint32>{b.rows("Sales"), b.rows("Stock"), t().items().GetStocked(ledger)}),
              (QList<qint32>{3, 1, 2}));
    EXPECT_TRUE(changes.isEmpty());

    // Nothing owed yet: the sale is removed all the same.
    ASSERT_TRUE(t().receivables().RecordDelete(receivable));
    prompter.answer({true});
    ASSERT_TRUE(RemoveSale(t(), prompter, saleID, changes, &removed));
    EXPECT_EQ(removed, QList<qint32>{saleID});
    EXPECT_TRUE(changes.contains(ListingKind::Items, ledger));
    EXPECT_EQ(t().items().GetStocked(ledger), 6);
}

} // namespace
