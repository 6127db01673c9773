#include "ui/common/RecordPicker.h"

#include "core/common/RecordIds.h"
#include "core/project/ProjectTables.h"
#include "core/records/Pickers.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScopedValueRollback>

namespace {

// Wide enough for a name or a six-digit number; the entries themselves are never
// measured, which over 100,000 of them would take longer than the dialog's opening.
constexpr int kContentsLength = 24;

} // namespace

RecordPicker::RecordPicker(Kind kind, QWidget* parent) : QComboBox(parent), m_kind(kind), m_entries(this)
{
    setModel(&m_entries);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(kContentsLength);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);

    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    auto* completer = new QCompleter(&m_entries, this);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setModelSorting(QCompleter::UnsortedModel);
    if (auto* list = qobject_cast<QListView*>(completer->popup()))
        list->setUniformItemSizes(true);
    setCompleter(completer);

    connect(this, &QComboBox::currentIndexChanged, this, &RecordPicker::onCurrentIndexChanged);
}

QStringList RecordPicker::EntriesOf(Kind kind, ProjectTables& tables)
{
    switch (kind) {
    case Kind::Vendor:
        return VendorPickerEntries(tables);
    case Kind::Item:
        return ItemPickerEntries(tables);
    case Kind::PurchaseOrder:
        return POPickerEntries(tables);
    case Kind::Invoice:
        return InvoicePickerEntries(tables);
    case Kind::Customer:
        break;
    }
    return CustomerPickerEntries(tables);
}

void RecordPicker::setEntries(const QStringList& entryTexts, qint32 id)
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_entries.setEntries(entryTexts);
    selectAfterFilling(id);
}

void RecordPicker::setEntries(const RecordPicker& other, qint32 id)
{
    const QScopedValueRollback quiet(m_quiet, true);
    m_entries.setEntries(other.m_entries);
    selectAfterFilling(id);
}

void RecordPicker::selectAfterFilling(qint32 id)
{
    int row = m_entries.rowOfId(id);
    if (row < 0 && m_kind == Kind::PurchaseOrder)
        row = m_entries.rowCount() - 1;
    // The text shown first: a combo box whose text changes with its row hands
    // the new text to the completer as its prefix, which over a large table
    // means matching every entry; typing sets the prefix anyway.
    if (lineEdit() != nullptr)
        lineEdit()->setText(m_entries.textAt(row));
    setCurrentIndex(row);
    // The reset may leave the row where it was while its record changed.
    setEditText(m_entries.textAt(row));
    showLinkedId();
}

void RecordPicker::reload(ProjectTables& tables)
{
    reload(tables, currentId());
}

void RecordPicker::reload(ProjectTables& tables, qint32 id)
{
    setEntries(EntriesOf(m_kind, tables), id);
}

qint32 RecordPicker::currentId() const
{
    return m_entries.idAt(currentIndex());
}

bool RecordPicker::selectId(qint32 id)
{
    const int row = m_entries.rowOfId(id);
    const QScopedValueRollback quiet(m_quiet, true);
    setCurrentIndex(row);
    return row >= 0;
}

bool RecordPicker::chooseId(qint32 id)
{
    const int row = m_entries.rowOfId(id);
    if (row >= 0)
        setCurrentIndex(row);
    return row >= 0;
}

void RecordPicker::setLinkedIdField(QLineEdit* field)
{
    m_linkedEdit = field;
    showLinkedId();
}

void RecordPicker::setLinkedIdField(QLabel* field)
{
    m_linkedLabel = field;
    showLinkedId();
}

void RecordPicker::onCurrentIndexChanged(int row)
{
    showLinkedId();
    if (!m_quiet)
        Q_EMIT selectionChanged(m_entries.idAt(row));
}

void RecordPicker::showLinkedId()
{
    const qint32 id = currentId();
    const QString text = id == NoSelection ? QString() : FormatRecordId(id);
    if (m_linkedEdit)
        m_linkedEdit->setText(text);
    if (m_linkedLabel)
        m_linkedLabel->setText(text);
}

void RecordPicker::focusOutEvent(QFocusEvent* event)
{
    // Typed text that picked nothing gives way to the selected entry again; a
    // popup opening is not the focus leaving.
    if (event->reason() != Qt::PopupFocusReason && lineEdit() != nullptr &&
        lineEdit()->text() != m_entries.textAt(currentIndex()))
        setEditText(m_entries.textAt(currentIndex()));
    QComboBox::focusOutEvent(event);
}
