#pragma once

#include "core/views/FindInListModel.h"

#include <QDialog>

class Prompter;
class QComboBox;
class QLineEdit;
class QPushButton;
class RecordListView;

// Find In List: the text to look for and the field of the shown list to look
// in. Each hit is selected in the list; OK then closes the dialog, Find Next
// keeps it open with the same text and field for the following hit. When
// nothing matches, the user is told and the dialog stays open.
class FindInListDialog : public QDialog
{
    Q_OBJECT

public:
    FindInListDialog(RecordListView& view, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* textEdit() const { return m_text; }
    QComboBox* fieldCombo() const { return m_field; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* findNextButton() const { return m_findNext; }

private:
    // True when a row was found and selected.
    bool find();

    RecordListView& m_view;
    FindInListModel m_model;
    QLineEdit* m_text;
    QComboBox* m_field;
    QPushButton* m_ok;
    QPushButton* m_findNext;
};
