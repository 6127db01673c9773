#pragma once

#include <QDialog>

class Prompter;
class QComboBox;
class QLineEdit;
class RecordListView;

// Find In List: a field of the shown list and the text to look for in it. OK
// selects the next row holding the text; when none does, the user is told and
// the dialog stays open.
class FindInListDialog : public QDialog
{
    Q_OBJECT

public:
    FindInListDialog(RecordListView& view, Prompter& prompter, QWidget* parent = nullptr);

    QComboBox* fieldCombo() const { return m_field; }
    QLineEdit* textEdit() const { return m_text; }

    // OK: true when a row was found and selected.
    bool find();

private:
    RecordListView& m_view;
    Prompter& m_prompter;
    QComboBox* m_field;
    QLineEdit* m_text;
};
