#include "ui/purchasing/POLineListModel.h"

POLineListModel::POLineListModel(QObject* parent)
    : QAbstractTableModel(parent), m_captions(ManagePOModel::columnCaptions())
{
}

void POLineListModel::setLines(const QList<POLine>& lines)
{
    beginResetModel();
    m_lines = lines;
    endResetModel();
}

int POLineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int POLineListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ManagePOModel::kColumnCount;
}

QVariant POLineListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return QVariant();
    const POLine& line = m_lines.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return ManagePOModel::lineTexts(line).value(index.column());
    case Qt::TextAlignmentRole:
        return ManagePOModel::columnRightAligned(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                 : QVariant();
    case OrderIdRole:
        return line.orderID;
    default:
        return QVariant();
    }
}

QVariant POLineListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_captions.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return m_captions.at(section);
    case Qt::TextAlignmentRole:
        return ManagePOModel::columnRightAligned(section) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                          : QVariant();
    default:
        return QVariant();
    }
}

Qt::ItemFlags POLineListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

int POLineListModel::rowOfOrder(qint32 orderID) const
{
    for (int row = 0; row < m_lines.size(); ++row) {
        if (m_lines.at(row).orderID == orderID)
            return row;
    }
    return -1;
}

qint32 POLineListModel::orderIdAt(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).orderID : NoSelection;
}
