#include "core/session/RestoreBackupModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/session/ProjectOpening.h"

#include <QFileInfo>

RestoreBackupModel::RestoreBackupModel(Project& project, Prompter& prompter,
                                       std::function<void()> releaseProject)
    : m_project(project), m_prompter(prompter), m_releaseProject(std::move(releaseProject))
{
    if (const CProjectSettings* settings = project.settings())
        m_backups = ListBackups(settings->databasePath());
    if (!m_backups.isEmpty())
        m_selection = 0;
}

QString RestoreBackupModel::caption() const
{
    return QStringLiteral("Restore from Backup");
}

bool RestoreBackupModel::checkPrerequisites()
{
    if (!m_backups.isEmpty())
        return true;
    m_prompter.message(
        QStringLiteral("There are no backups of this project yet.  A backup is taken each time the "
                       "project is opened."),
        caption(), Prompter::Icon::Information);
    return false;
}

QStringList RestoreBackupModel::backupTexts(const QLocale& locale) const
{
    QStringList texts;
    for (const BackupEntry& backup : m_backups)
        texts.append(locale.toString(backup.taken, QLocale::LongFormat));
    return texts;
}

void RestoreBackupModel::setSelection(int index)
{
    m_selection = index >= 0 && index < m_backups.size() ? index : -1;
}

SaveResult<RestoreBackupModel::Field> RestoreBackupModel::save()
{
    const CProjectSettings* settings = m_project.settings();
    if (m_selection < 0 || !settings)
        return SaveResult<Field>::refused();
    const BackupEntry chosen = m_backups.at(m_selection);
    if (!m_prompter.askYesNo(
            QStringLiteral("Replace the project with the backup taken %1?  The project as it is "
                           "now is backed up first.")
                .arg(QLocale().toString(chosen.taken, QLocale::LongFormat)),
            caption()))
        return SaveResult<Field>::refused();

    const QString database = settings->databasePath();
    const BackupResult now = BackupProject(database, AutoBackupFolder(database));
    if (!now.ok) {
        m_prompter.message(now.message, caption(), Prompter::Icon::Exclamation);
        return SaveResult<Field>::refused();
    }
    if (m_releaseProject)
        m_releaseProject();
    m_project.close();
    const BackupResult restored = RestoreBackup(chosen.folder, QFileInfo(database).absolutePath());
    // Restored or not, the project opens again; a failed restore left its files as they were.
    const int reopened = OpenProjectFromPath(m_project, database, m_prompter);
    if (!restored.ok) {
        m_prompter.message(restored.message, caption(), Prompter::Icon::Exclamation);
        return SaveResult<Field>::refused();
    }
    if (reopened != Status::Success)
        return SaveResult<Field>::refused();
    return SaveResult<Field>::ok();
}
