#include "ProjectFixture.h"

#include "core/common/StatusCodes.h"
#include "tools/generator/ProjectGenerator.h"
#include "core/project/Project.h"
#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/InvoiceBalances.h"
#include "core/sales/ProjectConsistency.h"
#include "core/sales/StockConsumption.h"
#include "core/session/ProjectOpening.h"

#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

Money M(qint64 units, qint64 tenThousandths = 0)
{
    return Money::fromWhole(units, tenThousandths);
}

class InvoiceMath : public ProjectFixture
{
protected:
    QList<Money> dues(qint32 invoice)
    {
        QList<Money> result;
        for (const CARRec& rec : t().receivables().RecordsWhere(QStringLiteral("[SIID] = ?"), {invoice}))
            result.append(rec.Due);
        return result;
    }
};

TEST_F(InvoiceMath, TotalsTaxEachLineAtTheItemsCurrentRate)
{
    const qint32 customer = b.customer(QStringLiteral("Acme"), QStringLiteral("Lee"), QStringLiteral("Ann"));
    const qint32 invoice = b.invoice(customer, 5000);
    const qint32 fivePercent = b.pricedItem({.name = QStringLiteral("Bolt"), .taxable = true}, Money(), 5.0f);
    const qint32 zeroRate = b.pricedItem({.name = QStringLiteral("Nut"), .taxable = true}, Money(), 0.0f);
    const qint32 untaxed = b.pricedItem({.name = QStringLiteral("Washer"), .taxable = false}, Money(), 5.0f);
    const qint32 gone = b.pricedItem({.name = QStringLiteral("Gone"), .taxable = true}, Money(), 10.0f);

    EXPECT_EQ(LineTax(M(0, 333), true, 5.0f), M(0, 16)); // 16.65 ten-thousandths, truncated
    EXPECT_EQ(LineTax(M(100), true, 7.25f), M(7, 2500)); // the rate is exact, not 7.2499...

    b.sale(fivePercent, invoice, 1, M(0, 333));
    b.sale(fivePercent, invoice, 2, M(1)); // a second line of the same item
    b.sale(zeroRate, invoice, 1, M(3));
    b.sale(untaxed, invoice, 1, M(4));
    b.sale(gone, invoice, 1, M(5));
    b.remove<CItemsRec>(gone); // its sale still counts, without tax
    EXPECT_EQ(ComputeInvoiceTotal(t(), invoice), M(14, 333) + M(0, 16) + M(0, 1000));
    EXPECT_EQ(ComputeInvoiceTotal(t(), b.invoice(customer, 5001)), M(0));
}

TEST_F(InvoiceMath, PaymentChainFollowsTheFirstDue)
{
    const qint32 customer = b.customer(QStringLiteral("Acme"), QStringLiteral("Lee"), QStringLiteral("Ann"));
    const qint32 invoice = b.invoice(customer, 5000);
    Money due, paid, balance;
    EXPECT_EQ(ComputeInvoiceBalance(t().receivables(), invoice, due, paid, balance), 0);
    EXPECT_EQ(RecomputeInvoiceDues(t().receivables(), &prompter, invoice), 0);
    EXPECT_EQ(last().text, QStringLiteral("Unable to locate initial receival record."));
    EXPECT_EQ(RecomputeInvoiceDues(t().receivables(), &prompter, invoice, M(5)), 0);
    EXPECT_EQ(prompter.log().size(), 1); // with a new total nothing is said
    EXPECT_EQ(ShiftInvoiceDues(t().receivables(), invoice, M(1)), 0);

    // Wrong later dues are put right from the first one.
    b.payment(customer, invoice, M(100), M(20));
    b.payment(customer, invoice, M(1), M(30));
    b.payment(customer, invoice, M(2), M(50));
    EXPECT_EQ(RecomputeInvoiceDues(t().receivables(), &prompter, invoice), 1);
    EXPECT_EQ(dues(invoice), (QList<Money>{M(100), M(80), M(50)}));
    EXPECT_EQ(ComputeInvoiceBalance(t().receivables(), invoice, due, paid, balance), 1);
    EXPECT_EQ((QList<Money>{due, paid, balance}), (QList<Money>{M(100), M(100), M(0)}));

    EXPECT_EQ(RecomputeInvoiceDues(t().receivables(), nullptr, invoice, M(120)), 1);
    EXPECT_EQ(dues(invoice), (QList<Money>{M(120), M(100), M(70)}));
    EXPECT_EQ(ShiftInvoiceDues(t().receivables(), invoice, -M(10, 5000)), 1);
    EXPECT_EQ(dues(invoice), (QList<Money>{M(109, 5000), M(89, 5000), M(59, 5000)}));
    EXPECT_EQ(CheckProjectConsistency(t()).chains, QStringList());
}

TEST_F(InvoiceMath, ConsumptionTakesLotsInStyleOrderAndOnlyWhenEnough)
{
    const qint32 item = b.item({.name = QStringLiteral("Bolt")});
    const auto lot = [&](DateTime date, qint32 quantity, Money cost) {
        return b.add(CStockRec{.ItemID = item,
                               .OrderID = StockInitial,
                               .POID = StockInitial,
                               .Quanity = quantity,
                               .Cost = cost,
                               .Date = date});
    };
    const qint32 march1 = lot(day(2024, 3, 1), 5, M(2));
    const qint32 march5 = lot(day(2024, 3, 5), 5, M(3));
    const qint32 march5b = lot(day(2024, 3, 5), 4, M(4));

    // Not enough: nothing moves.
    EXPECT_EQ(ConsumeStock(t(), item, 15).outcome, StockConsumption::Outcome::NotEnough);
    EXPECT_EQ(ConsumeStock(t(), item, 0).outcome, StockConsumption::Outcome::NotEnough);
    EXPECT_EQ(t().stock().CountWhere(QStringLiteral("[ItemID] = ?"), {item}), 3);

    // FIFO: the oldest lot, then the first lot entered on the next day.
    const StockConsumption fifo = ConsumeStock(t(), item, 7);
    ASSERT_EQ(fifo.outcome, StockConsumption::Outcome::Consumed);
    EXPECT_EQ(fifo.unitCost, M(2, 2857));
    EXPECT_EQ(fifo.lots, (QList<qint32>{march1, march5}));
    EXPECT_FALSE(t().stock().LocateByID(march1));
    EXPECT_EQ(b.read<CStockRec>(march5).Quanity, 3);

    // LIFO on a day of two lots takes the one entered last first.
    t().stock().SetInventoryStyle(CStockSet::kLifo);
    const StockConsumption lifo = ConsumeStock(t(), item, 4);
    ASSERT_EQ(lifo.outcome, StockConsumption::Outcome::Consumed);
    EXPECT_EQ(lifo.lots, QList<qint32>{march5b});
    EXPECT_EQ(lifo.unitCost, M(4));
    EXPECT_FALSE(t().stock().LocateByID(march5b));
    EXPECT_TRUE(RecomputeStocked(t(), item));
}

// The set-based totals behind the open-time re-synchronisation must agree with
// the dialogs' money arithmetic on every invoice, awkward rates included.
TEST(InvoiceBalances, OpenResynchronisesExactlyTheInvoicesThatChanged)
{
    QTemporaryDir dir;
    GeneratorScale scale = GeneratorScale::small();
    scale.invoices = 300;
    scale.salesLines = 1500;
    const GeneratorResult generated = ProjectGenerator(scale).generate(dir.path(), QStringLiteral("sync"));
    ASSERT_TRUE(generated.ok) << generated.error.toStdString();
    const QString path = dir.filePath(QStringLiteral("sync.qmp"));

    ScriptedPrompter prompter;
    Project project;
    ASSERT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
    ProjectTables& tables = *project.tables();
    EXPECT_TRUE(FindStaleInvoiceDues(tables).isEmpty()); // generated dues are right already

    // New rates on some items, one item gone, one payment chain broken by hand.
    QSqlQuery edit(tables.database().connection());
    ASSERT_TRUE(edit.exec(QStringLiteral("UPDATE Items SET TaxRate = 8.375, Taxable = 1 WHERE ID % 7 = 0")));
    ASSERT_TRUE(edit.exec(QStringLiteral("UPDATE Items SET TaxRate = 0.333 WHERE ID % 11 = 0")));
    ASSERT_TRUE(edit.exec(QStringLiteral("DELETE FROM Items WHERE ID = 3")));
    QSet<qint32> expected;
    for (qint32 invoice : tables.invoices().IDsWhere(QString())) {
        Money due, paid, balance;
        if (ComputeInvoiceBalance(tables.receivables(), invoice, due, paid, balance) == 1 &&
            due != ComputeInvoiceTotal(tables, invoice))
            expected.insert(invoice);
    }
    ASSERT_FALSE(expected.isEmpty());
    QSet<qint32> flagged;
    for (const StaleInvoiceDue& stale : FindStaleInvoiceDues(tables))
        flagged.insert(stale.invoiceID);
    EXPECT_EQ(flagged, expected);
    EXPECT_EQ(CheckProjectConsistency(tables).staleTotals.size(), expected.size());
    project.close();

    ASSERT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
    const ConsistencyReport after = CheckProjectConsistency(*project.tables());
    EXPECT_TRUE(after.isConsistent()) << after.all().join(u'\n').toStdString();
    EXPECT_TRUE(prompter.log().isEmpty());

    // A second open finds nothing to do and writes nothing.
    project.close();
    {
        ProjectDatabase db;
        ASSERT_TRUE(db.open(path));
        ASSERT_TRUE(db.execNative(QStringLiteral(
            "CREATE TRIGGER no_writes BEFORE UPDATE ON AR BEGIN SELECT RAISE(ABORT, 'written'); END")));
    }
    ASSERT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(UpdateInvoiceBalances(*project.tables()).rewritten, 0);
}

} // namespace
