#include "core/stats/StatisticEvaluation.h"

#include "core/stats/StatisticEvaluator.h"
#include "core/stats/StatisticIndex.h"

int EvaluateStatistic(const CStatistic& statistic, ProjectTables& tables, const QList<CStatistic>& statistics,
                      QString& text, int& kind, int overrideFlag, const DateTime& overrideStart,
                      const DateTime& overrideThru)
{
    StatisticEvaluator evaluator(tables, statistics);
    return EvaluateStatistic(statistic, evaluator, text, kind, overrideFlag, overrideStart, overrideThru);
}

int EvaluateStatistic(const CStatistic& statistic, StatisticEvaluator& evaluator, QString& text, int& kind,
                      int overrideFlag, const DateTime& overrideStart, const DateTime& overrideThru)
{
    const std::optional<StatisticValue> value =
        overrideFlag != 0 ? evaluator.evaluate(statistic, overrideStart, overrideThru)
                          : evaluator.evaluate(statistic);
    if (!value)
        return 0;
    text = evaluator.text(*value);
    kind = value->kind();
    return 1;
}

bool IsRowIndependent(const CStatistic& statistic, const QList<CStatistic>& statistics, int& flag)
{
    const std::optional<bool> independent = StatisticIndex(statistics).rowIndependence(statistic);
    if (!independent)
        return false;
    flag = *independent ? 1 : 0;
    return true;
}

bool ReferencesItselfOrMissing(const CStatistic& statistic, const QList<CStatistic>& statistics)
{
    return StatisticIndex(statistics).referencesItselfOrMissing(statistic);
}
