#pragma once

#include "core/common/DialogModel.h"
#include "core/project/Backup.h"

#include <QList>
#include <QLocale>
#include <QStringList>

#include <functional>

class Project;
class Prompter;

// "Restore from Backup": the open project's automatic backups, newest first;
// the one chosen takes the project's place. The project as it is goes into the
// backups first, so a restore can itself be undone.
class RestoreBackupModel final : public DialogModel
{
public:
    using Field = NoField;

    // `releaseProject` runs just before the project closes: whatever holds its
    // tables lets go of them. After save() the project is open again, the
    // restored one or, when the restore failed, the one as it was.
    RestoreBackupModel(Project& project, Prompter& prompter, std::function<void()> releaseProject = {});

    QString caption() const override;
    // Refused, with a message, when the project has no backups.
    bool checkPrerequisites() override;

    // When each backup was taken, as the user reads dates.
    QStringList backupTexts(const QLocale& locale = QLocale()) const;
    int selection() const { return m_selection; }
    void setSelection(int index);

    // Asks, backs the project up, closes it, restores the chosen backup and
    // opens the project again. Refused when nothing is chosen or the user
    // declines; a failed restore leaves the project's files as they were.
    SaveResult<Field> save();

private:
    Project& m_project;
    Prompter& m_prompter;
    std::function<void()> m_releaseProject;
    QList<BackupEntry> m_backups;
    int m_selection = -1;
};
