#pragma once

#include <QComboBox>

class EntryListModel;

// A drop-down of record entries that answers in record IDs. Several boxes may
// share one EntryListModel. Filling it makes no call per entry, and its width
// does not depend on the entries, so a box over thousands of records opens at
// once.
class RecordChoiceBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit RecordChoiceBox(EntryListModel& entries, QWidget* parent = nullptr);

    // NoSelection when nothing is selected.
    qint32 selectedId() const;
    // Selects the entry of this ID, or nothing when no entry carries it; emits
    // nothing, as the caller already knows.
    void selectId(qint32 id);

Q_SIGNALS:
    // The user chose another entry.
    void chosen(qint32 id);

private:
    EntryListModel& m_entries;
    bool m_selecting = false;
};
