#include "FindInListModel.h"

#include "RecordList.h"

#include "records/FindInList.h"

FindInListModel::FindInListModel(const RecordList& list)
    : m_list(list), m_columns(list.layout().visibleColumns())
{
    for (const int column : std::as_const(m_columns))
        m_titles.append(list.layout().column(column).title);
    if (!m_columns.isEmpty())
        m_selected = 0;
}

QString FindInListModel::title() const
{
    return FindInListTitle(m_list.kind());
}

QString FindInListModel::help() const
{
    return FindInListHelp(m_list.kind());
}

QString FindInListModel::textLabel()
{
    return QStringLiteral("Find What:");
}

QString FindInListModel::fieldLabel()
{
    return QStringLiteral("In Field:");
}

QString FindInListModel::findNextLabel()
{
    return QStringLiteral("Find &Next");
}

void FindInListModel::selectField(int index)
{
    m_selected = (index >= 0 && index < m_columns.size()) ? index : -1;
}

int FindInListModel::findNext(int selectedRow, Prompter& prompter) const
{
    // Without a field there is nothing to match: the search reports no entry.
    const QStringList texts = m_selected < 0 ? QStringList() : m_list.columnTexts(m_columns.at(m_selected));
    return FindInList(texts, selectedRow, m_text, prompter);
}
