#include "project/DeleteConfirmDialog.h"

#include "project/ProjectOperations.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DeleteConfirmDialog::DeleteConfirmDialog(const QString& warning, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_word(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Delete"));
    auto* warningText = new QLabel(warning, this);
    warningText->setWordWrap(true);
    m_word->setMaxLength(3);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warningText);
    layout->addWidget(new QLabel(QStringLiteral("Confirm deletion by typing 'YES'"), this));
    layout->addWidget(m_word);
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &DeleteConfirmDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
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
