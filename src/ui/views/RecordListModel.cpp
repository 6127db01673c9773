#include "RecordListModel.h"

namespace {

Qt::Alignment alignmentOf(ColumnJustification justification)
{
    switch (justification) {
    case ColumnJustification::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnJustification::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnJustification::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

RecordListModel::RecordListModel(RecordList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_columns(list.layout().visibleColumns())
{
    m_list.addObserver(this);
}

RecordListModel::~RecordListModel()
{
    m_list.removeObserver(this);
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_list.count());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count() || index.column() >= m_columns.size())
        return {};
    const int definition = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_list.cellText(index.row(), definition);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(m_list.layout().column(definition).justification));
    case ConditionRole:
        return static_cast<int>(m_list.condition(index.row()));
    case RecordIdRole:
        return m_list.recordId(index.row());
    case ListIdRole:
        return m_list.listId(index.row());
    default:
        break;
    }
    return {};
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ListColumn& column = m_list.layout().column(m_columns.at(section));
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignmentOf(column.justification));
    return {};
}

int RecordListModel::definitionIndexOf(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column) : -1;
}

int RecordListModel::columnOf(int definitionIndex) const
{
    return static_cast<int>(m_columns.indexOf(definitionIndex));
}

void RecordListModel::rowsAboutToChange()
{
    beginResetModel();
}

void RecordListModel::rowsChanged()
{
    // Columns may have been shown, hidden or retitled along with the rows.
    m_columns = m_list.layout().visibleColumns();
    endResetModel();
}

void RecordListModel::rowsUnreadable()
{
    // Told while a cell was asked for: the model may not change under the view
    // that asked, so the news waits for the event loop.
    QMetaObject::invokeMethod(
        this,
        [this] {
            beginResetModel();
            endResetModel();
            Q_EMIT unreadable();
        },
        Qt::QueuedConnection);
}
