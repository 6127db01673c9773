#include "core/sales/RecordSoldItemsModel.h"

#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectSettingsModel.h"
#include "core/session/ProjectOpening.h"
#include "core/views/RecordLists.h"

#include "TotalsFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class RecordSale : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
    }
    qint32 item(const QString& name, Money price, qint32 stocked, bool taxable = false, float rate = 0.0f)
    {
        return b.pricedItem({.name = name, .vendor1 = vendor, .stocked = stocked, .taxable = taxable}, price,
                            rate);
    }
    // The dialog that sells on `invoiceID`, or on a new invoice of the customer
    // dated 15 May 1997.
    std::unique_ptr<RecordSoldItemsModel> sellOn(qint32 invoiceID = NoID, bool addToExisting = false)
    {
        if (invoiceID == NoID)
            invoiceID = invoice = b.invoice(customer, t().invoices().NextNumber());
        auto dialog = std::make_unique<RecordSoldItemsModel>(t(), prompter);
        dialog->setInvoice(invoiceID);
        dialog->setAddToExistingInvoice(addToExisting);
        return dialog;
    }
    static bool add(RecordSoldItemsModel& dialog, qint32 itemID, qint32 quantity)
    {
        dialog.selectItem(itemID);
        dialog.setQuantityText(QString::number(quantity));
        return dialog.addLine().saved;
    }
    QList<CSalesRec> sales() { return t().sales().RecordsWhere(u"[SIID] = ?"_s, {invoice}); }
    QList<CARRec> receivables() { return t().receivables().RecordsWhere(u"[SIID] = ?"_s, {invoice}); }
    qint32 stocked(qint32 itemID) { return t().items().GetStocked(itemID); }

    qint32 vendor = NoID, customer = NoID, invoice = NoID;
};

TEST_F(RecordSale, FifoAndLifoTakeLotsInTheirOrderAtTheAverageCostOfTheUnitsTaken)
{
    const auto lot = [&](qint32 itemID, Money cost, DateTime date) {
        const qint32 id = b.lot(itemID, 5);
        b.change<CStockRec>(id, [&](CStockRec& rec) {
            rec.Cost = cost;
            rec.Date = date;
        });
        return id;
    };
    // Sells `quantity` of a new item with 5 at 2.00 from 1 March and 5 at 3.00 from 5 March.
    const auto sell = [&](const QString& name, qint32 quantity) {
        const qint32 itemID = item(name, Money::fromWhole(5), 0);
        const QList<qint32> lots = {lot(itemID, Money::fromWhole(2), day(1997, 3, 1)),
                                    lot(itemID, Money::fromWhole(3), day(1997, 3, 5))};
        auto dialog = sellOn();
        EXPECT_TRUE(add(*dialog, itemID, quantity));
        EXPECT_TRUE(dialog->save().saved) << prompter.lastText().toStdString();
        const CSalesRec sale = sales().value(0);
        EXPECT_EQ((QList<qint32>{sale.ItemID, sale.Quanity, stocked(itemID)}),
                  (QList<qint32>{itemID, quantity, 10 - quantity}));
        return std::pair{sale.Cost, lots};
    };

    // FIFO: (5 x 2.00 + 2 x 3.00) / 7, truncated; the older lot is used up.
    const auto [fifoCost, fifoLots] = sell(u"Ledger"_s, 7);
    EXPECT_EQ(fifoCost, Money::fromWhole(2, 2857));
    EXPECT_FALSE(t().stock().LocateByID(fifoLots[0]));
    EXPECT_EQ(b.read<CStockRec>(fifoLots[1]).Quanity, 3);
    // Exactly one lot's quantity deletes that lot and no other.
    const auto [exactCost, exactLots] = sell(u"Folder"_s, 5);
    EXPECT_EQ(exactCost, Money::fromWhole(2));
    EXPECT_FALSE(t().stock().LocateByID(exactLots[0]));
    EXPECT_EQ(b.read<CStockRec>(exactLots[1]).Quanity, 5);

    // LIFO: (5 x 3.00 + 2 x 2.00) / 7; the newer lot is used up.
    ASSERT_TRUE(project.reopen(CStockSet::kLifo));
    const auto [lifoCost, lifoLots] = sell(u"Binder"_s, 7);
    EXPECT_EQ(lifoCost, Money::fromWhole(2, 7142));
    EXPECT_FALSE(t().stock().LocateByID(lifoLots[1]));
    EXPECT_EQ(b.read<CStockRec>(lifoLots[0]).Quanity, 3);
}

// Tax is truncated line by line: each stamp at $0.0333 with 5 % tax adds $0.0016,
// so 500 of them owe 500 x $0.0349, not the $17.4825 of one tax on the subtotal.
TEST_F(RecordSale, ASaleHoldsAtMostFiveHundredLinesEachTaxedOnItsOwn)
{
    const qint32 stamp = item(u"Stamp"_s, Money::fromTenThousandths(333), 600, true, 5.0f);
    auto dialog = sellOn();
    dialog->selectItem(stamp);
    // The price shown is the price sold at.
    EXPECT_EQ(dialog->priceText(), u"$0.0333"_s);
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(dialog->addLine().saved) << i;
    EXPECT_FALSE(dialog->addLine().saved);
    EXPECT_EQ(prompter.lastText(),
              u"A sale may hold at most 500 lines.  Record this sale and add the remaining "
              u"items with Add to Invoice."_s);
    EXPECT_EQ(dialog->totals().tax, Money::fromTenThousandths(500 * 16));
    ASSERT_TRUE(dialog->save().saved);
    EXPECT_EQ(receivables().value(0).Due, Money::fromTenThousandths(500 * 349));
}

TEST_F(RecordSale, ALineTheLotsCannotCoverIsSkippedAndTheInvoiceOwesOnlyWhatWasSold)
{
    // The ledger carries a rate but is not taxable.
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), 2, false, 8.25f);
    const qint32 pencil = item(u"Pencil"_s, Money::fromWhole(1), 5, true, 5.0f);
    auto dialog = sellOn();
    ASSERT_TRUE(add(*dialog, ledger, 2));
    ASSERT_TRUE(add(*dialog, pencil, 3));
    dialog->setAmountPaidText(u"$10.00"_s);
    EXPECT_EQ(
        (QStringList{dialog->subtotalText(), dialog->taxText(), dialog->totalText(), dialog->balanceText()}),
        (QStringList{u"$23.00"_s, u"$0.15"_s, u"$23.15"_s, u"$13.15"_s}));

    // A ledger left stock after the line was added.
    const qint32 ledgerLot = t().stock().IDsWhere(u"[ItemID] = ?"_s, {ledger}).value(0);
    b.change<CStockRec>(ledgerLot, [](CStockRec& rec) { rec.Quanity = 1; });
    prompter.clear();
    ASSERT_TRUE(dialog->save().saved);
    EXPECT_EQ(prompter.texts(),
              QStringList{u"Unable to record sale for item #%1.  This item is not enough in stock."_s.arg(
                  FormatRecordId(ledger))});
    EXPECT_EQ(b.read<CStockRec>(ledgerLot).Quanity, 1);
    ASSERT_EQ((QList<qsizetype>{sales().size(), receivables().size()}), (QList<qsizetype>{1, 1}));
    EXPECT_EQ((QList<qint32>{sales()[0].ItemID, stocked(pencil)}), (QList<qint32>{pencil, 2}));
    EXPECT_EQ((QList<Money>{receivables()[0].Due, receivables()[0].Paid}),
              (QList<Money>{Money::fromWhole(3, 1500), Money::fromWhole(10)}));
}

TEST_F(RecordSale, AddingToAnInvoiceMovesEveryDueAlikeOrStartsItsFirstReceivable)
{
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(10), 20, true, 5.0f);
    // Record Sale was cancelled after the invoice was made: nothing is owed yet,
    // and nothing paid whatever the hidden field holds.
    auto first = sellOn(NoID, true);
    first->setAmountPaidText(u"$99.00"_s);
    ASSERT_TRUE(add(*first, ledger, 3));
    ASSERT_TRUE(first->save().saved);
    EXPECT_EQ(receivables().value(0).Paid, Money());
    // The sale names what it wrote beyond the lists: its new receivable and its line.
    EXPECT_EQ(first->changes().ids(UnlistedKind::Receivables), QList<qint32>{receivables().value(0).ID});
    EXPECT_EQ(first->changes().ids(UnlistedKind::SoldItems), QList<qint32>{sales().value(0).ID});
    EXPECT_TRUE(first->changes().contains(ListingKind::Invoices, invoice));
    b.change<CARRec>(receivables().value(0).ID, [](CARRec& rec) { rec.Paid = Money::fromWhole(10); });
    // Two payments later, more is sold on the invoice.
    b.payment(customer, invoice, Money::fromWhole(21, 5000), Money::fromWhole(5));
    b.payment(customer, invoice, Money::fromWhole(16, 5000), Money::fromWhole(6, 5000));

    auto more = sellOn(invoice, true);
    ASSERT_TRUE(add(*more, ledger, 2));
    ASSERT_TRUE(more->save().saved);
    EXPECT_EQ(b.dues(invoice), QList<double>({52.5, 42.5, 37.5}));
    EXPECT_EQ(receivables().value(0).Paid, Money::fromWhole(10));
    // Every receivable whose due moved is named.
    QList<qint32> moved;
    for (const CARRec& receivable : receivables())
        moved.append(receivable.ID);
    EXPECT_EQ(more->changes().ids(UnlistedKind::Receivables), moved);
}

TEST_F(RecordSale, PendingLinesShareTheirItemsStockAndNothingIsRecordedOnBadInputOrAFailedWrite)
{
    EXPECT_FALSE(RecordSoldItemsModel(t(), prompter).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), u"In order to run this command, you must already have valid items and "
                                   u"invoices setup.  This command was unable to find all the necessary data "
                                   u"to run."_s);
    const qint32 ledger = item(u"Ledger"_s, Money::fromWhole(4, 2500), 10);
    const qint32 pencil = item(u"Pencil"_s, Money::fromWhole(1), 5);
    auto dialog = sellOn();
    ASSERT_TRUE(add(*dialog, ledger, 6));
    EXPECT_EQ(dialog->stockedText(), u"4"_s);
    EXPECT_FALSE(add(*dialog, ledger, 5));
    EXPECT_EQ(prompter.lastText(),
              u"Unable to perform this operation.\nThe quanity specified is greater than quanity stocked."_s);
    // Exactly what is left is fine; a typed price goes on the line.
    dialog->setQuantityText(u"4"_s);
    dialog->setPriceText(u"$3.99"_s);
    ASSERT_TRUE(dialog->addLine().saved);
    EXPECT_EQ(dialog->lineTexts(), (QStringList{u"6 x $4.25 (Ledger)"_s, u"4 x $3.99 (Ledger)"_s}));
    EXPECT_EQ(dialog->subtotalText(), u"$41.46"_s);
    for (const QString& bad : {u"0"_s, u"-2"_s, u"1.5"_s, QString()}) {
        dialog->setQuantityText(bad);
        EXPECT_EQ(dialog->addLine().focus, RecordSoldItemsModel::Field::Quantity) << bad.toStdString();
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
    }
    // Removing a line gives its units back.
    EXPECT_TRUE(dialog->removeLine(0));
    EXPECT_FALSE(dialog->removeLine(1));
    EXPECT_EQ(dialog->stockedText(), u"6"_s);
    dialog->setQuantityText(u"1"_s);
    dialog->setPriceText(u"cheap"_s);
    EXPECT_EQ(dialog->addLine().focus, RecordSoldItemsModel::Field::Price);
    EXPECT_EQ(prompter.lastText(), u"The selling price specified is invalid.  Please check the value and "
                                   u"re-enter it if necessary."_s);
    ASSERT_TRUE(add(*dialog, pencil, 5));

    dialog->setInvoice(invoice + 100);
    EXPECT_FALSE(dialog->save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to locate current invoice."_s);
    dialog->setInvoice(invoice);
    dialog->setAmountPaidText(u"lots"_s);
    EXPECT_EQ(dialog->save().focus, RecordSoldItemsModel::Field::AmountPaid);
    EXPECT_EQ(prompter.lastText(), u"The amount paid specified is invalid.  Please check the value and "
                                   u"re-enter it if necessary."_s);
    // The receivable is written last: the sales and lots before it go back too,
    // and the pending lines stay for another try.
    dialog->setAmountPaidText(u"$5.00"_s);
    failEvery("INSERT", "AR");
    EXPECT_FALSE(dialog->save().saved);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ((QList<qint32>{b.rows("Sales"), b.rows("Stock"), stocked(ledger), stocked(pencil)}),
              (QList<qint32>{0, 2, 10, 5}));
    EXPECT_TRUE(dialog->changes().isEmpty());
    ASSERT_TRUE(project.db().execNative(u"DROP TRIGGER fail_INSERT_AR"_s));
    ASSERT_TRUE(dialog->save().saved);
    EXPECT_EQ((QList<qint32>{b.rows("Sales"), stocked(ledger), stocked(pencil)}), (QList<qint32>{2, 6, 0}));
    EXPECT_EQ(sales().value(0).SellingPrice, Money::fromWhole(3, 9900));
    // Recorded lines are not there to be recorded twice.
    EXPECT_TRUE(dialog->lines().isEmpty());
}

// The style is read when a sale is recorded and when the stock list is read, so
// a change made in Project Settings holds from the next sale and the next read,
// with the project left open.
TEST(RecordSaleInventoryStyle, AStyleChangedInProjectSettingsHoldsForTheNextSaleAndListRead)
{
    QTemporaryDir dir;
    const QString path = CProjectSettings(dir.path(), u"Shop"_s).databasePath();
    ASSERT_EQ(CreateDatabase(path), Status::Success);
    ScriptedPrompter prompter;
    Project project;
    ASSERT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
    ProjectTables& t = *project.tables();

    CItemsRec item;
    item.Name = u"Ledger"_s;
    item.SellingPrice = Money::fromWhole(9);
    ASSERT_TRUE(t.items().RecordAdd(item));
    const auto lot = [&](int dayOfMarch, qint64 cost) {
        CStockRec rec;
        rec.ItemID = item.ID;
        rec.OrderID = rec.POID = StockInitial;
        rec.Quanity = 5;
        rec.Cost = Money::fromWhole(cost);
        rec.Date = day(1997, 3, dayOfMarch);
        EXPECT_TRUE(t.stock().RecordAdd(rec) && RecomputeStocked(t, item.ID));
        return rec.ID;
    };
    const qint32 first = lot(1, 2), second = lot(2, 3), third = lot(3, 4);
    CSIRec invoice;
    invoice.Number = 5000;
    invoice.Date = day(1997, 5, 15);
    ASSERT_TRUE(t.invoices().RecordAdd(invoice));

    // The unit cost of the sale; the lots' quantities afterwards.
    const auto sell = [&](qint32 quantity) {
        RecordSoldItemsModel dialog(t, prompter);
        dialog.setInvoice(invoice.ID);
        dialog.setAddToExistingInvoice(true);
        dialog.selectItem(item.ID);
        dialog.setQuantityText(QString::number(quantity));
        EXPECT_TRUE(dialog.addLine().saved && dialog.save().saved) << prompter.lastText().toStdString();
        return t.sales().RecordsWhere(u"[SIID] = ?"_s, {invoice.ID}).constLast().Cost;
    };
    const auto lotsLeft = [&] {
        QList<std::pair<qint32, qint32>> left;
        for (const CStockRec& rec : t.stock().RecordsWhere(u"[ItemID] = ?"_s, {item.ID}))
            left.append({rec.ID, rec.Quanity});
        return left;
    };
    const auto switchTo = [&](int style) {
        ProjectSettingsModel settings(*project.settings(), prompter);
        settings.setInventoryStyle(style);
        EXPECT_TRUE(settings.save().saved);
    };
    QTemporaryDir userDir;
    UserSettings user(userDir.filePath(u"user.ini"_s));
    RecordLists lists(user);
    lists.setTables(&t);
    // The stock list sorted by item name: all equal, so in the stock's own order.
    const auto listed = [&] {
        EXPECT_TRUE(lists.ReloadList(ListingKind::Stock, QString()));
        RecordList& stock = lists.list(ListingKind::Stock);
        stock.setSortColumn(2);
        QList<qint32> ids;
        for (qsizetype row = 0; row < stock.count(); ++row)
            ids.append(stock.recordId(row));
        return ids;
    };

    EXPECT_EQ(listed(), (QList<qint32>{first, second, third}));
    EXPECT_EQ(sell(6), Money::fromWhole(2, 1666)); // (5 x 2 + 3) / 6
    EXPECT_EQ(lotsLeft(), (QList<std::pair<qint32, qint32>>{{second, 4}, {third, 5}}));

    switchTo(LIFO);
    EXPECT_EQ(listed(), (QList<qint32>{third, second}));
    EXPECT_EQ(sell(6), Money::fromWhole(3, 8333)); // (5 x 4 + 3) / 6
    EXPECT_EQ(lotsLeft(), (QList<std::pair<qint32, qint32>>{{second, 3}}));

    const qint32 fourth = lot(4, 5);
    switchTo(FIFO);
    EXPECT_EQ(listed(), (QList<qint32>{second, fourth}));
    EXPECT_EQ(sell(4), Money::fromWhole(3, 5000)); // (3 x 3 + 5) / 4
    EXPECT_EQ(lotsLeft(), (QList<std::pair<qint32, qint32>>{{fourth, 4}}));
    EXPECT_EQ(CheckProjectConsistency(t).stock, QStringList());
}

} // namespace
