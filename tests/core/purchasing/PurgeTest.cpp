#include "core/purchasing/PurgeDataModel.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"

#include "TotalsFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Purge : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        item = b.item({u"Ledger"_s, vendor});
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
    }
    qint32 po(qint32 number, DateTime date, bool filled)
    {
        const qint32 id = b.po(number, vendor, date);
        b.change<CPORec>(id, [&](CPORec& rec) { rec.Filled = filled; });
        return id;
    }
    // An invoice dated `date` selling one ledger at $10.00; with `payments`, the
    // amounts paid toward it, the chain owing $10.00 at first.
    qint32 invoice(qint32 number, DateTime date, QList<Money> payments)
    {
        const qint32 id = b.invoice(customer, number);
        b.change<CSIRec>(id, [&](CSIRec& rec) { rec.Date = date; });
        b.sale(item, id, 1, Money::fromWhole(10));
        Money due = Money::fromWhole(10);
        for (const Money paid : payments) {
            b.payment(customer, id, due, paid);
            due -= paid;
        }
        return id;
    }
    PurgeDataModel::Result purge(bool invoices, bool pos, const QString& date = u"6/30/1997"_s)
    {
        PurgeDataModel dialog(t(), prompter, clock);
        dialog.setPurgeInvoices(invoices);
        dialog.setPurgePOs(pos);
        dialog.setDateText(date);
        const PurgeDataModel::Result result = dialog.save();
        purgedInvoices = dialog.purgedInvoiceCount();
        purgedPOs = dialog.purgedPOCount();
        changes = dialog.changes();
        return result;
    }
    QList<qint32> counts()
    {
        return {b.rows("PO"), b.rows("Order"), b.rows("Received"), b.rows("Stock"),
                b.rows("SI"), b.rows("Sales"), b.rows("AR")};
    }

    FixedClock clock{QDateTime(QDate(1997, 7, 20), QTime(9, 30))};
    qint32 vendor = NoID, item = NoID, customer = NoID;
    qint32 purgedInvoices = -1, purgedPOs = -1;
    ChangeList changes;
};

TEST_F(Purge, FilledPurchaseOrdersUpToTheCutOffGoWithTheirLinesAndReceipts)
{
    // Received 6 of 10 on the purged order, the rest still on backorder.
    const qint32 purged = po(5000, day(1997, 3, 1), true);
    ASSERT_TRUE(b.receive(b.orderLine(item, purged, 10), 6));
    const qint32 onCutOff = po(5001, day(1997, 6, 30), true);
    ASSERT_TRUE(b.receive(b.orderLine(item, onCutOff, 4), 4));
    const qint32 later = po(5002, day(1997, 7, 1), true);
    b.orderLine(item, later, 3);
    const qint32 open = po(5003, day(1997, 3, 1), false);
    b.orderLine(item, open, 5);
    const qint32 stocked = t().items().GetStocked(item);
    const QList<qint32> lots = t().stock().IDsWhere(u"[ItemID] = ?"_s, {item});

    prompter.answer({true});
    ASSERT_TRUE(purge(false, true).saved);
    EXPECT_EQ(purgedPOs, 2);
    EXPECT_EQ(t().purchaseOrders().IDsWhere(u"[ID] > 0"_s), (QList<qint32>{later, open}));
    EXPECT_EQ(t().orders().CountWhere(u"[POID] = ? OR [POID] = ?"_s, {purged, onCutOff}), 0);
    EXPECT_EQ(b.rows("Received"), 0);
    // The goods are still on the shelf; what is on order is what is left.
    EXPECT_EQ(t().stock().IDsWhere(u"[ItemID] = ?"_s, {item}), lots);
    EXPECT_EQ(t().items().GetStocked(item), stocked);
    EXPECT_EQ(t().items().GetOrdered(item), 8);
}

TEST_F(Purge, OnceConfirmedInvoicesWithinACentOfPaidUpToTheCutOffGo)
{
    const Money almost = Money::fromTenThousandths(99960); // leaves 0.004 owing
    const Money short1 = Money::fromTenThousandths(99900); // leaves 0.01
    const qint32 paid = invoice(5000, day(1997, 5, 15), {Money::fromWhole(4), Money::fromWhole(6)});
    const qint32 nearly = invoice(5001, day(1997, 5, 15), {almost});
    const qint32 cent = invoice(5002, day(1997, 5, 15), {short1});
    const qint32 over = invoice(5003, day(1997, 6, 30), {Money::fromTenThousandths(100040)});
    const qint32 overCent = invoice(5004, day(1997, 5, 15), {Money::fromTenThousandths(100100)});
    const qint32 never = invoice(5005, day(1997, 5, 15), {});
    const qint32 later = invoice(5006, day(1997, 7, 1), {Money::fromWhole(10)});
    const qint32 owing = invoice(5007, day(1997, 5, 15), {Money::fromWhole(2)});
    // An order filled long ago stays when only invoices are purged.
    const qint32 filled = po(5000, day(1997, 3, 1), true);

    // The date comes first; neither box does nothing, and No keeps everything.
    EXPECT_EQ(purge(true, true, u"13/45/1997"_s).focus, PurgeDataModel::Field::Date);
    EXPECT_EQ(prompter.lastText(), u"You must enter a valid date."_s);
    prompter.clear();
    EXPECT_TRUE(purge(false, false).saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    prompter.answer({false});
    EXPECT_FALSE(purge(true, true).saved);
    EXPECT_EQ(last().text, u"You are about to permanently remove records from the database. It is strongly "
                           u"recommended that you run the Copy Project command to create a backup before "
                           u"purging.\n\n  Are you sure you wish to continue?"_s);
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0, 0, 8, 8, 8}));

    prompter.answer({true});
    ASSERT_TRUE(purge(true, false).saved);
    EXPECT_EQ(purgedInvoices, 4);
    EXPECT_EQ(t().invoices().IDsWhere(u"[ID] > 0"_s), (QList<qint32>{cent, overCent, later, owing}));
    // Their sold items and payments went with them.
    EXPECT_EQ(counts().mid(5), QList<qint32>({4, 4}));
    EXPECT_TRUE(t().purchaseOrders().LocateByID(filled));
    EXPECT_EQ(changes.ids(ListingKind::Invoices), (QList<qint32>{paid, nearly, over, never}));
}

TEST_F(Purge, ManyInvoicesGoInBatchesAndAFailureTakesEverythingBack)
{
    constexpr int kPaid = 1203;
    {
        Transaction transaction(project.db());
        for (int i = 0; i < kPaid; ++i)
            invoice(6000 + i, day(1997, 4, 1), {Money::fromWhole(10)});
        ASSERT_TRUE(transaction.commit());
    }
    const qint32 owing = invoice(9000, day(1997, 4, 1), {Money::fromWhole(1)});
    const qint32 filled = po(5000, day(1997, 3, 1), true);

    // Purchase orders go first; the invoices then fail, and the orders come back too.
    failEvery("DELETE", "SI");
    prompter.answer({true});
    EXPECT_FALSE(purge(true, true).saved);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ(counts(), QList<qint32>({1, 0, 0, 0, kPaid + 1, kPaid + 1, kPaid + 1}));

    ASSERT_TRUE(project.db().execNative(u"DROP TRIGGER fail_DELETE_SI"_s));
    prompter.answer({true});
    ASSERT_TRUE(purge(true, true).saved);
    EXPECT_EQ((QList<qint32>{purgedInvoices, purgedPOs}), (QList<qint32>{kPaid, 1}));
    EXPECT_EQ(counts(), QList<qint32>({0, 0, 0, 0, 1, 1, 1}));
    EXPECT_TRUE(t().invoices().LocateByID(owing));
    EXPECT_FALSE(t().purchaseOrders().LocateByID(filled));
    EXPECT_EQ(changes.ids(ListingKind::Invoices).size(), ChangeList::kMaxPerKind);
}

} // namespace
