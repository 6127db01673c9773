#include "SortListModel.h"

#include "RecordList.h"

SortListModel::SortListModel(RecordList& list) : m_list(list), m_columns(list.layout().visibleColumns())
{
    for (const int column : std::as_const(m_columns))
        m_titles.append(list.layout().column(column).title);
    m_selected = static_cast<int>(m_columns.indexOf(list.sortColumn()));
    if (m_selected < 0 && !m_columns.isEmpty())
        m_selected = 0;
}

QString SortListModel::caption() const
{
    return QStringLiteral("Sort List");
}

QString SortListModel::helpLine() const
{
    return QStringLiteral("Choose the field you wish to sort by.");
}

void SortListModel::selectField(int index)
{
    m_selected = (index >= 0 && index < m_columns.size()) ? index : -1;
}

SortListModel::Result SortListModel::save()
{
    if (m_selected < 0)
        return Result::refused(Field::SortField);
    m_list.setSortColumn(m_columns.at(m_selected));
    return Result::ok();
}
