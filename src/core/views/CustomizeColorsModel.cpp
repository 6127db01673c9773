#include "CustomizeColorsModel.h"

#include "RecordLists.h"

#include "core/common/StatusCodes.h"

CustomizeColorsModel::CustomizeColorsModel(RecordLists& lists, Prompter& prompter)
    : m_lists(lists), m_prompter(prompter), m_colors(lists.colors())
{
}

QString CustomizeColorsModel::helpLine() const
{
    return QStringLiteral(
        "Choose the colors to be displayed for the following conditions in their respective lists.");
}

QList<RowCondition> CustomizeColorsModel::conditions()
{
    return {RowCondition::StockLow, RowCondition::Filled, RowCondition::Notes};
}

CustomizeColorsModel::Result CustomizeColorsModel::save()
{
    if (!m_colors.save(m_lists.settings())) {
        warn(m_prompter, StatusMessage(Status::OperationFailed));
        return Result::refused();
    }
    m_lists.colors() = m_colors;
    return Result::ok();
}
