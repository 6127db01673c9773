#pragma once

#include "core/project/CompanyInfoModel.h"

#include <QDialog>
#include <QList>

class Prompter;
class QLineEdit;
class QPushButton;

// "Company Information": the company's name and contacts for printouts.
class CompanyInfoDialog final : public QDialog
{
public:
    CompanyInfoDialog(UserSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* edit(CompanyInfoModel::Line line) const { return m_edits.value(line); }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    CompanyInfoModel m_model;
    QList<QLineEdit*> m_edits;
    QPushButton* m_ok = nullptr;
};
