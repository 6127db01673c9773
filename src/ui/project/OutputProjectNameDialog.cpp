#include "ui/project/OutputProjectNameDialog.h"

#include "ui/common/DialogButtons.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectOperations.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OutputProjectNameDialog::OutputProjectNameDialog(const QString& proposedName, Prompter& prompter,
                                                 QWidget* parent)
    : QDialog(parent), m_proposed(proposedName), m_prompter(prompter), m_name(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Output Project Name"));
    m_name->setMaxLength(MaxNameLength);
    m_name->setText(proposedName);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name:"), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("If you wish, you can specify a new name for the project."), this));
    layout->addLayout(fields);
    m_ok = AddOkCancel(
        *this, *layout, [this] { confirm(); }, false);
}

QString OutputProjectNameDialog::chosenName() const
{
    return result() == QDialog::Accepted ? m_name->text() : m_proposed;
}

void OutputProjectNameDialog::confirm()
{
    const QString problem = ValidateOutputProjectName(m_name->text());
    if (!problem.isEmpty()) {
        m_prompter.message(problem, AppTitle(), Prompter::Icon::Exclamation);
        m_name->setFocus();
        return;
    }
    accept();
}
