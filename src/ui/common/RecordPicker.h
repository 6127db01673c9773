#pragma once

#include "core/common/RecordIds.h"
#include "ui/common/RecordPickerModel.h"

#include <QComboBox>
#include <QPointer>

class ProjectTables;
class QLabel;
class QLineEdit;

// A drop-down list of the records of one table: vendors, items, purchase orders,
// invoices or customers. Each entry shows the record's name or number; its ID is
// the entry's item data. Typing part of a name or number narrows the choices to
// the entries that contain it.
//
// selectionChanged() tells the parent dialog of a selection the user made
// (keyboard, mouse, type-ahead or a find button). Filling and selectId() are the
// dialog's own doing and say nothing; the dialog reads currentId() afterwards.
//
// Opening a dialog with a picker over a large table costs one model reset: the
// entries are not measured and the list's rows all have the height of the first.
class RecordPicker final : public QComboBox
{
    Q_OBJECT

public:
    enum class Kind
    {
        Vendor,
        Item,
        PurchaseOrder,
        Invoice,
        Customer
    };

    explicit RecordPicker(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    const RecordPickerModel& entries() const { return m_entries; }

    // Replaces the entries with the engine's entry texts and selects the entry of
    // `id`. When no entry carries it, the purchase-order picker selects its last
    // entry and the others select nothing.
    void setEntries(const QStringList& entryTexts, qint32 id = NoSelection);
    // The entries another picker holds, shared rather than read again (two vendor
    // pickers of one dialog), and the entry of `id` selected as setEntries() does.
    void setEntries(const RecordPicker& other, qint32 id = NoSelection);
    // Fills the picker from the whole table, keeping the selected record when it is
    // still there.
    void reload(ProjectTables& tables);
    // The same, selecting the record of `id`.
    void reload(ProjectTables& tables, qint32 id);

    // The selected record, NoSelection when there is none.
    qint32 currentId() const;
    // Selects the entry of `id` (none when no entry carries it); false when none does.
    bool selectId(qint32 id);
    // Selects the entry of `id` as the user would, e.g. after Find Vendor: tells
    // the parent when the selection changed. False when no entry carries the ID.
    bool chooseId(qint32 id);

    // A field beside the picker that shows the selected record's ID ("000012").
    void setLinkedIdField(QLineEdit* field);
    void setLinkedIdField(QLabel* field);

    // The entry texts of a table, as the engine writes them.
    static QStringList EntriesOf(Kind kind, ProjectTables& tables);

Q_SIGNALS:
    void selectionChanged(qint32 id);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void selectAfterFilling(qint32 id);
    void onCurrentIndexChanged(int row);
    void showLinkedId();

    Kind m_kind;
    RecordPickerModel m_entries;
    bool m_quiet = false;
    QPointer<QLineEdit> m_linkedEdit;
    QPointer<QLabel> m_linkedLabel;
};
