#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;

// "Delete": the user confirms a deletion by typing the word it asks for.
class DeleteConfirmDialog final : public QDialog
{
public:
    DeleteConfirmDialog(const QString& warning, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* wordEdit() const { return m_word; }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    Prompter& m_prompter;
    QLineEdit* m_word;
    QPushButton* m_ok = nullptr;
};
