#include "ui/project/CompanyInfoDialog.h"

#include "ui/common/DialogButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CompanyInfoDialog::CompanyInfoDialog(UserSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(settings, prompter)
{
    setWindowTitle(m_model.caption());
    auto* fields = new QFormLayout;
    for (int index = 0; index < CompanyInfoModel::LineCount; ++index) {
        const auto field = static_cast<CompanyInfoModel::Line>(index);
        auto* edit = new QLineEdit(m_model.text(field), this);
        fields->addRow(CompanyInfoModel::label(field), edit);
        m_edits.append(edit);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_model.helpLine(), this));
    layout->addLayout(fields);
    m_ok = AddOkCancel(*this, *layout, [this] { confirm(); });
}

void CompanyInfoDialog::confirm()
{
    for (int index = 0; index < CompanyInfoModel::LineCount; ++index)
        m_model.setText(static_cast<CompanyInfoModel::Line>(index), m_edits.at(index)->text());
    if (m_model.save().saved)
        accept();
}
