#include "BenchSupport.h"

#include "sales/InvoiceArithmetic.h"
#include "sales/InvoiceBalances.h"

#include <random>
#include <vector>

// The sales operations against the plain statements that read the same figures
// or make the same writes.

namespace {

// --- 1. Re-synchronising every invoice's amount due at open ---------------------

// One statement computing every invoice's total, every row read.
void BM_UpdateInvoiceBalances_Plain(benchmark::State& state)
{
    std::optional<QSqlQuery> query = Prepared(
        Medium().db,
        QStringLiteral("SELECT s.\"SIID\", SUM(s.\"SellingPrice\" * s.\"Quanity\" * "
                       "(1 + CASE WHEN i.\"Taxable\" <> 0 THEN i.\"TaxRate\" / 100.0 ELSE 0 END)) "
                       "FROM \"Sales\" s LEFT JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" GROUP BY s.\"SIID\""),
        state);
    if (!query)
        return;
    for (auto _ : state) {
        if (!query->exec()) {
            state.SkipWithError(qPrintable(query->lastError().text()));
            break;
        }
        qint64 invoices = 0;
        while (query->next()) {
            QVariant id = query->value(0), total = query->value(1);
            benchmark::DoNotOptimize(id);
            benchmark::DoNotOptimize(total);
            ++invoices;
        }
        benchmark::DoNotOptimize(invoices);
    }
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
        Medium().db, QStringLiteral("SELECT \"Due\", \"Paid\" FROM \"AR\" WHERE \"SIID\" = ? ORDER BY \"ID\""), state);
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

} // namespace

BENCHMARK(BM_UpdateInvoiceBalances_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_UpdateInvoiceBalances_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InvoiceBalance_Plain)->UseRealTime();
BENCHMARK(BM_InvoiceBalance_Ours)->UseRealTime();
