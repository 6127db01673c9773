#include "SaleBench.h"

#include "core/common/Clock.h"
#include "core/purchasing/PurgeDataModel.h"
#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/InvoiceBalances.h"
#include "core/sales/RecordSoldItemsModel.h"

#include <random>
#include <vector>

// The sales operations against the plain statements that read the same figures
// or make the same writes.

namespace {

// --- 1. Re-synchronising every invoice's amount due at open ---------------------

// One statement computing every invoice's total, every row read.
void BM_UpdateInvoiceBalances_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT s.\"SIID\", SUM(s.\"SellingPrice\" * s.\"Quanity\" * "
                                 "(1 + CASE WHEN i.\"Taxable\" <> 0 THEN i.\"TaxRate\" / 100.0 ELSE 0 END)) "
                                 "FROM \"Sales\" s LEFT JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" "
                                 "GROUP BY s.\"SIID\""));
}

// The project's dues are right, so nothing may be rewritten.
void BM_UpdateInvoiceBalances_Ours(benchmark::State& state)
{
    const Target target = Medium();
    YesPrompter prompter;
    BalanceUpdate last;
    TimeOurs(
        state, target.db, prompter,
        [&] {
            last = UpdateInvoiceBalances(target.tables);
            return last.ok;
        },
        [&] { return last.rewritten == 0; }, [] {}, "the balances were not brought up to date");
}

// --- 2. The balance of one invoice ------------------------------------------

constexpr std::size_t kInvoiceKeys = 4096; // a power of two: the index wraps with a mask

const std::vector<qint32>& RandomInvoices()
{
    static std::vector<qint32> ids;
    if (ids.empty()) {
        const QList<qint32> all = IdList(Medium().db, QStringLiteral("SELECT \"ID\" FROM \"SI\""));
        std::mt19937 engine(11);
        for (std::size_t i = 0; i < kInvoiceKeys && !all.isEmpty(); ++i)
            ids.push_back(all.at(static_cast<qsizetype>(engine() % static_cast<quint32>(all.size()))));
    }
    return ids;
}

void BM_InvoiceBalance_Plain(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomInvoices();
    std::optional<QSqlQuery> query = Prepared(
        Medium().db,
        QStringLiteral("SELECT \"Due\", \"Paid\" FROM \"AR\" WHERE \"SIID\" = ? ORDER BY \"ID\""), state);
    if (!query || ids.empty())
        return;
    std::size_t i = 0;
    for (auto _ : state) {
        query->bindValue(0, ids[i++ & (kInvoiceKeys - 1)]);
        if (!query->exec() || !query->next()) {
            state.SkipWithError("the invoice's receivables were not read");
            break;
        }
        const double due = query->value(0).toDouble();
        double paid = query->value(1).toDouble();
        while (query->next())
            paid += query->value(1).toDouble();
        benchmark::DoNotOptimize(due - paid);
    }
}

void BM_InvoiceBalance_Ours(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomInvoices();
    CARSet& receivables = Medium().tables.receivables();
    std::size_t i = 0;
    for (auto _ : state) {
        Money due, paid, balance;
        if (ComputeInvoiceBalance(receivables, ids[i++ & (kInvoiceKeys - 1)], due, paid, balance) != 1) {
            state.SkipWithError("the invoice has no receivable");
            break;
        }
        benchmark::DoNotOptimize(balance);
    }
}

// --- 3. Recording a sale of 100 lines ------------------------------------------

// Ten items of 10,000 lots each and an invoice to sell them on.
constexpr SaleShape kSale{10, 10000, 2, 100, "Sold item %1"};

void BM_RecordSale_Plain(benchmark::State& state)
{
    TimePlainSale(state, kSale);
}

void BM_RecordSale_Ours(benchmark::State& state)
{
    std::optional<RecordSoldItemsModel> model;
    TimeOurSale(state, kSale, [&](ProjectTables& tables, Prompter& prompter, const SaleRecords& r) {
        // Filling the pending sale is the user's typing, not the recording.
        state.PauseTiming();
        model.emplace(tables, prompter);
        model->setInvoice(r.invoiceID);
        bool filled = true;
        for (int line = 0; line < kSale.lines && filled; ++line) {
            model->selectItem(r.items.at(line % kSale.items));
            model->setQuantityText(QString::number(kSale.unitsPerLine()));
            filled = model->addLine().saved;
        }
        state.ResumeTiming();
        return filled && model->save().saved;
    });
}

// --- 4. Purging 100,000 paid invoices ------------------------------------------

constexpr int kPurgedInvoices = 100000;

// Every invoice paid in full at the counter, and the date up to which the first
// 100,000 of them (by date) fall.
std::optional<DateTime> PayEveryInvoice(Fixture& fixture)
{
    QSqlQuery edit(fixture.db().connection());
    const bool paid =
        edit.exec(QStringLiteral("UPDATE \"AR\" SET \"Paid\" = \"Due\" WHERE \"ID\" IN "
                                 "(SELECT MIN(\"ID\") FROM \"AR\" GROUP BY \"SIID\")")) &&
        edit.exec(QStringLiteral("UPDATE \"AR\" SET \"Paid\" = 0, \"Due\" = 0 WHERE \"ID\" NOT IN "
                                 "(SELECT MIN(\"ID\") FROM \"AR\" GROUP BY \"SIID\")")) &&
        edit.exec(QStringLiteral("SELECT \"Date\" FROM \"SI\" ORDER BY \"Date\" LIMIT 1 OFFSET %1")
                      .arg(kPurgedInvoices - 1)) &&
        edit.next();
    if (!paid) {
        fixture.fail(edit.lastError().text());
        return std::nullopt;
    }
    return DateTime::fromDays(edit.value(0).toDouble());
}

qint32 InvoicesThrough(ProjectDatabase& db, const DateTime& cutoff)
{
    QSqlQuery count(db.connection());
    count.prepare(QStringLiteral("SELECT COUNT(*) FROM \"SI\" WHERE \"Date\" <= ?"));
    count.addBindValue(cutoff.days());
    return count.exec() && count.next() ? count.value(0).toInt() : -1;
}

// The purgeable invoices gathered by one statement into a temporary table, then
// three set-wise deletions: their sales, their payments, the invoices.
void BM_PurgeInvoices_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<DateTime> cutoff = PayEveryInvoice(fixture);
    ProjectDatabase& db = target.db;
    if (!cutoff || !fixture.ok() ||
        !db.execNative(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS purged (\"ID\" INTEGER PRIMARY KEY)")))
        return;
    PlainStep step(db, state);
    std::optional<QSqlQuery> gather = Prepared(
        db,
        QStringLiteral(
            "INSERT INTO temp.purged SELECT si.\"ID\" FROM \"SI\" si WHERE si.\"Date\" <= ? AND ABS("
            "(SELECT a.\"Due\" FROM \"AR\" a WHERE a.\"SIID\" = si.\"ID\" ORDER BY a.\"ID\" LIMIT 1) - "
            "(SELECT TOTAL(a.\"Paid\") FROM \"AR\" a WHERE a.\"SIID\" = si.\"ID\")) < 0.01"),
        state);
    if (!step.ready() || !gather)
        return;
    const QStringList deletions = {
        QStringLiteral("DELETE FROM \"Sales\" WHERE \"SIID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM \"AR\" WHERE \"SIID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM \"SI\" WHERE \"ID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM temp.purged")};
    const auto purge = [&] {
        gather->bindValue(0, cutoff->days());
        if (!step.begin->exec() || !gather->exec())
            return false;
        QSqlQuery statement(db.connection());
        for (const QString& sql : deletions) {
            if (!statement.exec(sql))
                return false;
        }
        return step.end->exec();
    };
    TimeRounds(
        state, db, purge, [&] { return InvoicesThrough(db, *cutoff) == 0; }, [] {}, "nothing was purged");
}

void BM_PurgeInvoices_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<DateTime> cutoff = PayEveryInvoice(fixture);
    if (!cutoff || !fixture.ok())
        return;
    YesPrompter prompter;
    const FixedClock clock(cutoff->toQDateTime());
    const auto purge = [&] {
        PurgeDataModel model(target.tables, prompter, clock);
        model.setPurgeInvoices(true);
        model.setDateText(cutoff->formatShortDate(UserLocale()));
        return model.save().saved && model.purgedInvoiceCount() >= kPurgedInvoices;
    };
    TimeOurs(
        state, target.db, prompter, purge, [&] { return InvoicesThrough(target.db, *cutoff) == 0; }, [] {},
        "nothing was purged");
}

} // namespace

BENCHMARK(BM_UpdateInvoiceBalances_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_UpdateInvoiceBalances_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InvoiceBalance_Plain)->UseRealTime();
BENCHMARK(BM_InvoiceBalance_Ours)->UseRealTime();
BENCHMARK(BM_RecordSale_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSale_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PurgeInvoices_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PurgeInvoices_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
