#include "ui/project/ProjectSettingsDialog.h"

#include "ui/common/DialogButtons.h"

#include "core/project/ProjectSettings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ProjectSettingsDialog::ProjectSettingsDialog(CProjectSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(settings, prompter), m_fifo(new QRadioButton(QStringLiteral("FIFO"), this)),
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
    if (m_model.save().saved)
        accept();
}
