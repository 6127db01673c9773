#include "project/CompanyInfoDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CompanyInfoDialog::CompanyInfoDialog(UserSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(settings), m_prompter(prompter),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Company Information"));
    auto* fields = new QFormLayout;
    for (int index = 0; index < CompanyInfoModel::FieldCount; ++index) {
        const auto field = static_cast<CompanyInfoModel::Field>(index);
        auto* edit = new QLineEdit(m_model.text(field), this);
        fields->addRow(CompanyInfoModel::label(field), edit);
        m_edits.append(edit);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Fill in the following information about your company."), this));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CompanyInfoDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CompanyInfoDialog::confirm()
{
    for (int index = 0; index < CompanyInfoModel::FieldCount; ++index)
        m_model.setText(static_cast<CompanyInfoModel::Field>(index), m_edits.at(index)->text());
    if (m_model.accept(m_prompter))
        accept();
}
