#include "core/project/ProjectSettingsModel.h"

#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"

#include <QDateTime>
#include <QLocale>

ProjectSettingsModel::ProjectSettingsModel(CProjectSettings& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter), m_inventoryStyle(settings.inventoryStyle())
{
}

QString ProjectSettingsModel::projectPath() const
{
    return m_settings.directory();
}

QString ProjectSettingsModel::projectTitle() const
{
    return m_settings.name();
}

QString ProjectSettingsModel::dateCreated() const
{
    return formatCreated(m_settings.created());
}

void ProjectSettingsModel::setInventoryStyle(int style)
{
    m_inventoryStyle = style == LIFO ? LIFO : FIFO;
}

ProjectSettingsModel::Result ProjectSettingsModel::save()
{
    const int status = m_settings.SetInventoryStyle(m_inventoryStyle);
    if (status != Status::Success) {
        warn(m_prompter, StatusMessage(status));
        return Result::refused();
    }
    return Result::ok();
}

QString ProjectSettingsModel::formatCreated(quint32 secondsSinceEpoch)
{
    // English day and month names whatever the user's language, as the
    // settings dialog has always shown them.
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toLocalTime();
    return QLocale::c().toString(local, QStringLiteral("dddd, MMMM, dd, yyyy"));
}
