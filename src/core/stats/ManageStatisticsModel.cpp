#include "core/stats/ManageStatisticsModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StatisticDeletion.h"

ManageStatisticsModel::ManageStatisticsModel(CProjectSettings& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter)
{
    refresh();
}

void ManageStatisticsModel::setSelection(int index)
{
    m_selection = index >= 0 && index < m_names.size() ? index : -1;
}

bool ManageStatisticsModel::requireSelection()
{
    if (m_selection >= 0)
        return true;
    warn(m_prompter, QStringLiteral("You must make a selection from the list."));
    return false;
}

std::optional<QString> ManageStatisticsModel::statisticToModify()
{
    if (!requireSelection())
        return std::nullopt;
    return m_names.at(m_selection);
}

bool ManageStatisticsModel::deleteSelected()
{
    if (!requireSelection())
        return false;
    const bool deleted = DeleteStatisticWithDependants(m_settings, m_prompter, m_names.at(m_selection));
    refresh();
    return deleted;
}

void ManageStatisticsModel::refresh()
{
    m_names.clear();
    for (const CStatistic& statistic : m_settings.statistics())
        m_names.append(statistic.Name);
    if (m_selection >= m_names.size())
        m_selection = static_cast<int>(m_names.size()) - 1;
}
