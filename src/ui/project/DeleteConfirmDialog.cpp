#include "ui/project/DeleteConfirmDialog.h"

#include "ui/common/DialogButtons.h"

#include "core/project/ProjectOperations.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DeleteConfirmDialog::DeleteConfirmDialog(const QString& warning, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_word(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Delete"));
    auto* warningText = new QLabel(warning, this);
    warningText->setWordWrap(true);
    m_word->setMaxLength(3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warningText);
    layout->addWidget(new QLabel(QStringLiteral("Confirm deletion by typing 'YES'"), this));
    layout->addWidget(m_word);
    m_ok = AddOkCancel(*this, *layout, [this] { confirm(); });
    // The user types at once, without reaching for the mouse.
    m_word->setFocus();
}

void DeleteConfirmDialog::confirm()
{
    if (ConfirmDeletion(m_word->text(), m_prompter)) {
        accept();
        return;
    }
    m_word->setFocus();
    m_word->selectAll();
}
