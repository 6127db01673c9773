#include "ui/project/PrintMarginsDialog.h"

#include "ui/common/DialogButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PrintMarginsDialog::PrintMarginsDialog(UserSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(settings, prompter)
{
    setWindowTitle(m_model.caption());
    auto* fields = new QFormLayout;
    for (int index = 0; index < PrintMarginsModel::SideCount; ++index) {
        const auto side = static_cast<PrintMarginsModel::Side>(index);
        auto* edit = new QLineEdit(m_model.text(side), this);
        fields->addRow(PrintMarginsModel::label(side), edit);
        m_edits.append(edit);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_model.helpLine(), this));
    layout->addLayout(fields);
    m_ok = AddOkCancel(*this, *layout, [this] { confirm(); });
}

void PrintMarginsDialog::confirm()
{
    for (int index = 0; index < PrintMarginsModel::SideCount; ++index)
        m_model.setText(static_cast<PrintMarginsModel::Side>(index), m_edits.at(index)->text());
    const PrintMarginsModel::Result result = m_model.save();
    if (result.saved) {
        accept();
        return;
    }
    if (const auto refused = PrintMarginsModel::side(result.focus)) {
        m_edits.at(*refused)->setFocus();
        m_edits.at(*refused)->selectAll();
    }
}
