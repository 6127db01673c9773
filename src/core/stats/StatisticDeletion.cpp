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

int FirstIgnoringCase(const QList<CStatistic>& statistics, const QString& name)
{
    for (int i = 0; i < statistics.size(); ++i) {
        if (statistics.at(i).Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

// The settings delete the first statistic whose name matches in any letter
// case, which would be another one when two names differ only in case: then
// this one first gets a name no other statistic has.
int DeleteStatisticExactly(CProjectSettings& settings, const QString& name)
{
    const int index = settings.FindStatistic(name);
    if (index < 0)
        return Status::Success; // collected along two paths and deleted already
    if (FirstIgnoringCase(settings.statistics(), name) == index)
        return settings.DeleteStatistic(name) ? Status::Success : settings.lastSaveStatus();
    const CStatistic original = settings.statistics().at(index);
    CStatistic renamed = original;
    for (int n = 1; FirstIgnoringCase(settings.statistics(), renamed.Name) >= 0; ++n)
        renamed.Name = original.Name + QStringLiteral("~%1").arg(n);
    if (!settings.ModifyStatistic(index, renamed))
        return settings.lastSaveStatus();
    if (settings.DeleteStatistic(renamed.Name))
        return Status::Success;
    const int status = settings.lastSaveStatus();
    settings.ModifyStatistic(settings.FindStatistic(renamed.Name), original);
    return status;
}

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
    for (const QString& collected : names) {
        const int status = DeleteStatisticExactly(settings, collected);
        if (status != Status::Success) {
            ReportErrorCode(prompter, status);
            return false;
        }
    }
    return true;
}
