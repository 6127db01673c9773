#pragma once

#include "core/project/PrintMarginsModel.h"

#include <QDialog>
#include <QList>

class Prompter;
class QLineEdit;
class QPushButton;

// "Print Margins": the margins of printed reports, in inches.
class PrintMarginsDialog final : public QDialog
{
public:
    PrintMarginsDialog(UserSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* edit(PrintMarginsModel::Side side) const { return m_edits.value(side); }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    PrintMarginsModel m_model;
    QList<QLineEdit*> m_edits;
    QPushButton* m_ok = nullptr;
};
