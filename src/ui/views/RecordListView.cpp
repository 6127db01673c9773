#include "RecordListView.h"

#include "ui/common/WaitCursor.h"

#include "RecordListDelegate.h"
#include "RecordListModel.h"
#include "core/views/RecordLists.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

RecordListView::RecordListView(RecordLists& lists, ListingKind kind, QWidget* parent)
    : QTableView(parent), m_lists(lists), m_kind(kind), m_model(new RecordListModel(lists.list(kind), this)),
      m_delegate(new RecordListDelegate(lists.colors(), this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);

    // Every row is one line high, which also spares the view from measuring rows.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionsClickable(true);

    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &RecordListView::rememberSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &RecordListView::restoreSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecordListView::selectedRecordChanged);
    connect(m_model, &RecordListModel::unreadable, this, &RecordListView::rowsUnreadable);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortByColumn(m_model->definitionIndexOf(column)); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &RecordListView::takeColumnWidth);
    applyColumnWidths();
}

RecordListView::~RecordListView() = default;

RecordList& RecordListView::list() const
{
    return m_model->list();
}

int RecordListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

qint32 RecordListView::SelectedID() const
{
    const int row = selectedRow();
    // Qualified: QAbstractItemView has a NoSelection of its own (a selection mode, 0).
    return row < 0 ? ::NoSelection : list().listId(row);
}

qint32 RecordListView::selectedRecordID() const
{
    const int row = selectedRow();
    return row < 0 ? ::NoSelection : list().recordId(row);
}

bool RecordListView::SelectByID(qint32 id)
{
    const qsizetype row = list().positionOfListId(id);
    if (row < 0)
        return false;
    selectRow(static_cast<int>(row));
    return true;
}

bool RecordListView::selectByRecordID(qint32 id)
{
    const qsizetype row = list().positionOfRecord(id);
    if (row < 0)
        return false;
    selectRow(static_cast<int>(row));
    return true;
}

void RecordListView::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
    if (!index.isValid()) {
        // A list without shown columns still knows its rows, but has no cell to select.
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void RecordListView::Reload()
{
    list().Reload();
}

void RecordListView::sortByColumn(int definitionIndex)
{
    // A column without an index orders every row of the table first.
    const WaitCursor wait;
    if (definitionIndex >= 0)
        list().setSortColumn(definitionIndex);
}

void RecordListView::showFound(int row)
{
    selectRow(row);
    setFocus();
}

bool RecordListView::saveColumns()
{
    ListColumnLayout& layout = list().layout();
    for (int column = 0; column < m_model->columnCount(); ++column)
        layout.setWidth(m_model->definitionIndexOf(column), horizontalHeader()->sectionSize(column));
    return m_lists.saveColumns(m_kind);
}

void RecordListView::redraw()
{
    viewport()->update();
}

QString RecordListView::displayedRecordsText() const
{
    return list().readError().isEmpty() ? DisplayedRecordsText(list().count()) : UnreadableListText();
}

void RecordListView::setEmptyHint(const QString& hint)
{
    if (hint == m_emptyHint)
        return;
    m_emptyHint = hint;
    viewport()->update();
}

void RecordListView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_emptyHint.isEmpty() || m_model->rowCount() > 0)
        return;
    // An empty list looks like a project without records; the hint says why it is empty.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_emptyHint);
}

void RecordListView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    Q_EMIT displayedRecordsChanged(displayedRecordsText());
}

void RecordListView::rememberSelection()
{
    m_remembered = selectedRecordID();
    // The header forgets its sections while the model resets; the layout keeps
    // the widths the user gave them.
    m_applyingWidths = true;
}

void RecordListView::restoreSelection()
{
    applyColumnWidths();
    if (m_remembered != ::NoSelection)
        selectByRecordID(m_remembered);
    m_remembered = ::NoSelection;
    Q_EMIT displayedRecordsChanged(displayedRecordsText());
    // A reset drops the selection without saying so; the record may be gone.
    Q_EMIT selectedRecordChanged();
}

void RecordListView::applyColumnWidths()
{
    m_applyingWidths = true;
    const ListColumnLayout& layout = list().layout();
    for (int column = 0; column < m_model->columnCount(); ++column)
        horizontalHeader()->resizeSection(column, layout.column(m_model->definitionIndexOf(column)).width);
    m_applyingWidths = false;
}

void RecordListView::takeColumnWidth(int column, int, int newSize)
{
    const int definition = m_model->definitionIndexOf(column);
    if (!m_applyingWidths && definition >= 0)
        list().layout().setWidth(definition, newSize);
}
