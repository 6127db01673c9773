#include "BenchSupport.h"

#include "core/stats/StandardStatistics.h"
#include "core/stats/StatisticEvaluation.h"
#include "core/stats/StatisticValue.h"

#include <cmath>

// Standard statistics evaluated over the whole scale-M project, against one
// plain statement computing the same sum.

namespace {

// A year of the seven the generated project covers.
const DateTime kFrom = Day(2023, 1, 1);
const DateTime kThru = Day(2023, 12, 31);

struct Case
{
    StandardStatistics::Type type;
    const char* sql; // the plain sum; "%1" stands for the date condition
    const char* dateColumn;
};

const Case kGrossSales{StandardStatistics::GrossSalesRevenues,
                       "SELECT SUM(s.\"Quanity\" * s.\"SellingPrice\" * (1 + i.\"TaxRate\" / 100.0)) "
                       "FROM \"Sales\" s JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\"%1",
                       "s.\"Date\""};
const Case kGrossProfit{StandardStatistics::GrossProfit,
                        "SELECT SUM(\"Quanity\" * (\"SellingPrice\" - \"Cost\")) FROM \"Sales\"%1",
                        "\"Date\""};
const Case kInventory{StandardStatistics::CostOfInventory,
                      "SELECT SUM(\"Quanity\" * \"Cost\") FROM \"Stock\"%1", "\"Date\""};

QString PlainSql(const Case& c, bool dated)
{
    const QString condition =
        dated ? QStringLiteral(" WHERE %1 >= ? AND %1 < ?").arg(QLatin1String(c.dateColumn)) : QString();
    return QString::fromLatin1(c.sql).arg(condition);
}

std::optional<double> PlainSum(QSqlQuery& query, bool dated)
{
    if (dated) {
        query.bindValue(0, kFrom.days());
        query.bindValue(1, kThru.days() + 1.0);
    }
    if (!query.exec() || !query.next())
        return std::nullopt;
    const double sum = query.value(0).toDouble();
    query.finish();
    return sum;
}

void Plain(benchmark::State& state, const Case& c, bool dated)
{
    std::optional<QSqlQuery> query = Prepared(Medium().db, PlainSql(c, dated), state);
    if (!query)
        return;
    for (auto _ : state) {
        const std::optional<double> sum = PlainSum(*query, dated);
        if (!sum) {
            state.SkipWithError(qPrintable(query->lastError().text()));
            break;
        }
        benchmark::DoNotOptimize(*sum);
    }
}

void Ours(benchmark::State& state, const Case& c, bool dated)
{
    const Target target = Medium();
    const QList<CStatistic> list =
        StandardStatistics::Build(c.type, QStringLiteral("Measured"), dated, kFrom, kThru);
    const CStatistic& measured = list.last();

    // Untimed: our value is the plain sum but for the rounding of every value
    // to the cent on its way from one statistic to the next.
    QString text;
    int kind = 0;
    std::optional<QSqlQuery> plain = Prepared(target.db, PlainSql(c, dated), state);
    const double expected = plain ? PlainSum(*plain, dated).value_or(-1.0) : -1.0;
    const bool evaluated = EvaluateStatistic(measured, target.tables, list, text, kind) == 1;
    const double ours = evaluated ? ParseCurrency(text).value_or(Money()).toDouble() : -2.0;
    if (expected < 0.0 || std::fabs(ours - expected) > std::max(1.0, expected * 1e-6)) {
        state.SkipWithError(qPrintable(
            QStringLiteral("our value %1 is not the plain sum %2").arg(text).arg(expected, 0, 'f', 4)));
        return;
    }
    state.SetLabel(text.toStdString());

    for (auto _ : state) {
        if (EvaluateStatistic(measured, target.tables, list, text, kind) != 1) {
            state.SkipWithError("the statistic could not be evaluated");
            break;
        }
        benchmark::DoNotOptimize(text);
    }
}

void BM_GrossSalesRevenues_Plain(benchmark::State& state)
{
    Plain(state, kGrossSales, false);
}
void BM_GrossSalesRevenues_Ours(benchmark::State& state)
{
    Ours(state, kGrossSales, false);
}
void BM_GrossSalesRevenuesDated_Plain(benchmark::State& state)
{
    Plain(state, kGrossSales, true);
}
void BM_GrossSalesRevenuesDated_Ours(benchmark::State& state)
{
    Ours(state, kGrossSales, true);
}
void BM_GrossProfit_Plain(benchmark::State& state)
{
    Plain(state, kGrossProfit, false);
}
void BM_GrossProfit_Ours(benchmark::State& state)
{
    Ours(state, kGrossProfit, false);
}
void BM_GrossProfitDated_Plain(benchmark::State& state)
{
    Plain(state, kGrossProfit, true);
}
void BM_GrossProfitDated_Ours(benchmark::State& state)
{
    Ours(state, kGrossProfit, true);
}
void BM_CostOfInventory_Plain(benchmark::State& state)
{
    Plain(state, kInventory, false);
}
void BM_CostOfInventory_Ours(benchmark::State& state)
{
    Ours(state, kInventory, false);
}
void BM_CostOfInventoryDated_Plain(benchmark::State& state)
{
    Plain(state, kInventory, true);
}
void BM_CostOfInventoryDated_Ours(benchmark::State& state)
{
    Ours(state, kInventory, true);
}

} // namespace

#define QM_STATS_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0)
QM_STATS_BENCHMARK(BM_GrossSalesRevenues_Plain);
QM_STATS_BENCHMARK(BM_GrossSalesRevenues_Ours);
QM_STATS_BENCHMARK(BM_GrossSalesRevenuesDated_Plain);
QM_STATS_BENCHMARK(BM_GrossSalesRevenuesDated_Ours);
QM_STATS_BENCHMARK(BM_GrossProfit_Plain);
QM_STATS_BENCHMARK(BM_GrossProfit_Ours);
QM_STATS_BENCHMARK(BM_GrossProfitDated_Plain);
QM_STATS_BENCHMARK(BM_GrossProfitDated_Ours);
QM_STATS_BENCHMARK(BM_CostOfInventory_Plain);
QM_STATS_BENCHMARK(BM_CostOfInventory_Ours);
QM_STATS_BENCHMARK(BM_CostOfInventoryDated_Plain);
QM_STATS_BENCHMARK(BM_CostOfInventoryDated_Ours);
