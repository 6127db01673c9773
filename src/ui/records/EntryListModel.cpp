#include "records/EntryListModel.h"

#include "common/RecordIds.h"

void EntryListModel::setEntries(const QStringList& entries)
{
    beginResetModel();
    m_entries = entries;
    m_ids.clear();
    m_ids.reserve(entries.size());
    for (const QString& entry : entries)
        m_ids.append(EntryId(entry));
    endResetModel();
}

qint32 EntryListModel::idAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : NoSelection;
}

int EntryListModel::rowOf(qint32 id) const
{
    return id == NoSelection ? -1 : static_cast<int>(m_ids.indexOf(id));
}

int EntryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return visibleText(m_entries.at(index.row()));
    case IdRole:
        return m_ids.at(index.row());
    default:
        return {};
    }
}

QString EntryListModel::visibleText(const QString& entry)
{
    const qsizetype lastBlank = entry.lastIndexOf(u' ');
    if (lastBlank < 0)
        return entry;
    qsizetype end = lastBlank;
    while (end > 0 && entry.at(end - 1) == u' ')
        --end;
    return entry.left(end);
}
