#include "FindInListModel.h"

#include "RecordList.h"

#include "core/records/FindInList.h"

FindInListModel::FindInListModel(const RecordList& list, Prompter& prompter)
    : m_list(list), m_prompter(prompter), m_columns(list.layout().visibleColumns())
{
    for (const int column : std::as_const(m_columns))
        m_titles.append(list.layout().column(column).title);
    if (!m_columns.isEmpty())
        m_selected = 0;
}

QString FindInListModel::caption() const
{
    return FindInListTitle(m_list.kind());
}

QString FindInListModel::helpLine() const
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

FindInListModel::Result FindInListModel::save()
{
    // Without a field there is nothing to match: the search reports no entry.
    const int column = m_selected < 0 ? -1 : m_columns.at(m_selected);
    const ListScan scan = [this, column](qsizetype from, qsizetype to, const auto& matches) {
        return column < 0 ? qsizetype(-1) : m_list.findInColumn(column, from, to, matches);
    };
    const int hit = FindInList(m_list.count(), scan, m_selectedRow, m_text, m_prompter);
    if (hit < 0)
        return Result::refused(m_selected < 0 && !m_text.isEmpty() ? Field::SearchField : Field::Text);
    m_found = hit;
    return Result::ok();
}

int FindInListModel::findNext(int selectedRow)
{
    setSelectedRow(selectedRow);
    return save().saved ? m_found : -1;
}
