#include "core/project/ProjectSettingsModel.h"

#include "core/common/StatusCodes.h"
#include "core/project/Backup.h"
#include "core/project/ProjectSettings.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

ProjectSettingsModel::ProjectSettingsModel(CProjectSettings& settings, Prompter& prompter, UserSettings* user)
    : m_settings(settings), m_prompter(prompter), m_inventoryStyle(settings.inventoryStyle()), m_user(user)
{
    if (m_user)
        m_backupsKept = BackupsToKeep(*m_user, settings.databasePath());
}

void ProjectSettingsModel::setBackupsKept(int count)
{
    if (m_user)
        m_backupsKept = std::clamp(count, 0, kMostBackupsKept);
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
    if (m_user && m_backupsKept)
        SetBackupsToKeep(*m_user, m_settings.databasePath(), *m_backupsKept);
    return Result::ok();
}

QString ProjectSettingsModel::formatCreated(quint32 secondsSinceEpoch)
{
    // English day and month names whatever the user's language, as the
    // settings dialog has always shown them.
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toLocalTime();
    return QLocale::c().toString(local, QStringLiteral("dddd, MMMM, dd, yyyy"));
}
