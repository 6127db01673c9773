#pragma once

#include "core/views/SortListModel.h"

#include <QDialog>

class QComboBox;
class RecordList;

// Sort List: the column the shown list is ordered by.
class SortListDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SortListDialog(RecordList& list, QWidget* parent = nullptr);

    QComboBox* fieldCombo() const { return m_field; }
    SortListModel& model() { return m_model; }

    // OK: true when the list was ordered by the chosen column.
    bool apply();

private:
    SortListModel m_model;
    QComboBox* m_field;
};
