#pragma once

#include "core/views/CustomizeColumnsModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

// Customize Columns: for any of the six lists, each column's title,
// justification and whether it is shown. The edits are the model's; OK stores
// them for every list.
class CustomizeColumnsDialog : public QDialog
{
    Q_OBJECT

public:
    CustomizeColumnsDialog(RecordLists& lists, Prompter& prompter, ListingKind current,
                           QWidget* parent = nullptr);

    CustomizeColumnsModel& model() { return m_model; }
    QComboBox* listCombo() const { return m_list; }
    QListWidget* columnList() const { return m_columns; }
    QLineEdit* titleEdit() const { return m_title; }
    QComboBox* justificationCombo() const { return m_justification; }
    QCheckBox* displayCheck() const { return m_display; }

    // OK: true when the layouts were stored.
    bool apply();

private:
    void showList();
    void showColumn();

    CustomizeColumnsModel m_model;
    QComboBox* m_list;
    QListWidget* m_columns;
    QLineEdit* m_title;
    QComboBox* m_justification;
    QCheckBox* m_display;
    bool m_showing = false;
};
