#include "ui/common/IdListModel.h"

void IdListModel::setEntries(QList<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int IdListModel::rowOfId(qint32 id) const
{
    for (qsizetype row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).id == id)
            return static_cast<int>(row);
    }
    return -1;
}

int IdListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant IdListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_entries.at(index.row()).text;
    case Qt::UserRole:
        return m_entries.at(index.row()).id;
    default:
        return QVariant();
    }
}
