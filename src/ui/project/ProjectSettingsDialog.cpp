#include "ui/project/ProjectSettingsDialog.h"

#include "ui/common/DialogButtons.h"

#include "core/project/Backup.h"
#include "core/project/ProjectSettings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

ProjectSettingsDialog::ProjectSettingsDialog(CProjectSettings& settings, Prompter& prompter,
                                             UserSettings* user, QWidget* parent)
    : QDialog(parent), m_model(settings, prompter, user),
      m_fifo(new QRadioButton(QStringLiteral("FIFO"), this)),
      m_lifo(new QRadioButton(QStringLiteral("LIFO"), this))
{
    setWindowTitle(m_model.caption());
    auto* fields = new QFormLayout;
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("Project Path:"), m_model.projectPath()},
        {QStringLiteral("Project Title:"), m_model.projectTitle()},
        {QStringLiteral("Date Created:"), m_model.dateCreated()},
    };
    for (const auto& [label, text] : rows) {
        auto* value = new QLabel(text, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fields->addRow(label, value);
        m_values.append({label, value});
    }

    auto* style = new QGroupBox(QStringLiteral("Inventory Style"), this);
    auto* styleLayout = new QHBoxLayout(style);
    styleLayout->addWidget(m_fifo);
    styleLayout->addWidget(m_lifo);
    (m_model.inventoryStyle() == LIFO ? m_lifo : m_fifo)->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(style);
    if (const std::optional<int> kept = m_model.backupsKept()) {
        m_backups = new QSpinBox(this);
        m_backups->setObjectName(QStringLiteral("backupsSpin"));
        m_backups->setRange(0, kMostBackupsKept);
        m_backups->setValue(*kept);
        auto* backups = new QFormLayout;
        backups->addRow(QStringLiteral("Backups kept, one taken at each open (0: none):"), m_backups);
        layout->addLayout(backups);
    }
    m_ok = AddOkCancel(*this, *layout, [this] { confirm(); });
}

QString ProjectSettingsDialog::shownText(const QString& label) const
{
    for (const auto& [shownLabel, value] : m_values) {
        if (shownLabel == label)
            return value->text();
    }
    return QString();
}

void ProjectSettingsDialog::confirm()
{
    m_model.setInventoryStyle(m_lifo->isChecked() ? LIFO : FIFO);
    if (m_backups)
        m_model.setBackupsKept(m_backups->value());
    if (m_model.save().saved)
        accept();
}
