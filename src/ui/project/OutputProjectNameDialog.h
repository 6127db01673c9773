#pragma once

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;

// "Output Project Name": the name the copy of a project gets.
class OutputProjectNameDialog final : public QDialog
{
public:
    static constexpr int MaxNameLength = 255;

    OutputProjectNameDialog(const QString& proposedName, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }
    // The typed name once closed with OK, otherwise the proposed one.
    QString chosenName() const;

private:
    void confirm();

    QString m_proposed;
    Prompter& m_prompter;
    QLineEdit* m_name;
    QPushButton* m_ok = nullptr;
};
