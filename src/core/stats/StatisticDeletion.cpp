#include "core/stats/StatisticDeletion.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StatisticIndex.h"

namespace {

constexpr qsizetype kMaxCollected = 500;

QString Title()
{
    return AppTitle();
}

bool Uses(const CStatistic& statistic, const QString& name)
{
    if (StatisticIndex::leftTypeOf(statistic) == CStatistic::OperandStatistic &&
        statistic.LeftOperand == name)
        return true;
    return statistic.RightType == CStatistic::OperandStatistic && statistic.RightOperand == name;
}

} // namespace

QStringList CollectStatisticDependants(const QList<CStatistic>& statistics, const QString& name)
{
    QStringList names{name};
    for (qsizetype i = 0; i < names.size() && names.size() < kMaxCollected; ++i) {
        const QString current = names.at(i);
        for (const CStatistic& statistic : statistics) {
            if (names.size() >= kMaxCollected)
                break;
            if (Uses(statistic, current))
                names.append(statistic.Name);
        }
    }
    return names;
}

bool DeleteStatisticWithDependants(CProjectSettings& settings, Prompter& prompter, const QString& name)
{
    if (settings.FindStatistic(name) < 0) {
        warn(prompter, QStringLiteral("Unable to locate required statistic."), Title());
        return false;
    }
    const QStringList names = CollectStatisticDependants(settings.statistics(), name);
    QString question;
    if (names.size() == 1) {
        question = QStringLiteral("Are you sure you wish to delete statistic '%1'?").arg(name);
    } else {
        question =
            QStringLiteral("The following statistics are dependent on '%1' and will also be deleted:\n\n")
                .arg(name);
        for (qsizetype i = 1; i < names.size(); ++i)
            question += QLatin1Char('\'') + names.at(i) + QStringLiteral("'\n");
        question += QStringLiteral("\nAre you sure you wish to delete these statistics?");
    }
    if (!prompter.askYesNo(question, Title(), Prompter::Icon::Question))
        return false;
    // One write takes them all, so no statistic is ever left behind without
    // one it is computed from.
    if (!settings.DeleteStatisticsExactly(names)) {
        ReportErrorCode(prompter, settings.lastSaveStatus());
        return false;
    }
    return true;
}
