#include "ui/project/RestoreBackupDialog.h"

#include "core/session/RestoreBackupModel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

RestoreBackupDialog::RestoreBackupDialog(RestoreBackupModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_backups(new QListWidget(this))
{
    setWindowTitle(model.caption());
    m_backups->setObjectName(QStringLiteral("backupList"));
    m_backups->addItems(model.backupTexts());
    m_backups->setCurrentRow(model.selection());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("restoreButton"));
    restore->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Backups of the project, newest first:"), this));
    layout->addWidget(m_backups, 1);
    layout->addWidget(buttons);
    resize(420, 320);

    connect(m_backups, &QListWidget::currentRowChanged, this, [this](int row) { m_model.setSelection(row); });
    connect(m_backups, &QListWidget::itemDoubleClicked, restore, &QPushButton::click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_model.save().saved)
            accept();
    });
}
