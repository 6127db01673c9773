#include "project/PrintMarginsDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PrintMarginsDialog::PrintMarginsDialog(UserSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(settings), m_prompter(prompter),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Print Margins"));
    auto* fields = new QFormLayout;
    for (int index = 0; index < PrintMarginsModel::SideCount; ++index) {
        const auto side = static_cast<PrintMarginsModel::Side>(index);
        auto* edit = new QLineEdit(m_model.text(side), this);
        fields->addRow(PrintMarginsModel::label(side), edit);
        m_edits.append(edit);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Set the margins to use for your printed reports."), this));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &PrintMarginsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintMarginsDialog::confirm()
{
    for (int index = 0; index < PrintMarginsModel::SideCount; ++index)
        m_model.setText(static_cast<PrintMarginsModel::Side>(index), m_edits.at(index)->text());
    if (m_model.accept(m_prompter)) {
        accept();
        return;
    }
    if (const auto refused = m_model.refusedSide()) {
        m_edits.at(*refused)->setFocus();
        m_edits.at(*refused)->selectAll();
    }
}
