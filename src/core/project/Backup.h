#pragma once

#include "core/common/Clock.h"

#include <QDateTime>
#include <QList>
#include <QString>

class UserSettings;

// Backups of a project's files and the way back from one.
//
// A backup is a folder named by the project and the moment it was taken,
// "<name> yyyy-MM-dd hh-mm-ss" (local time; " (2)", " (3)" ... when two are
// taken within one second), holding "<name>.qmp", "<name>.qms" and, when the
// project has report definitions, "<name>.irp". The folder is filled under a
// hidden name ending ".partial" and gets its real name only once every file
// in it is complete and on the disk, so a folder by that name is always a
// whole backup; a crash leaves only a ".partial" folder that nothing lists.
//
// Automatic backups go into a folder beside the project, "<name> backups".

// The outcome of taking or restoring a backup.
struct BackupResult
{
    bool ok = false;
    // The backup folder made, or the project database restored.
    QString path;
    // What the user is told when it failed.
    QString message;
};

// Copies the project whose database is at `databasePath` into a new backup
// folder in `targetDir` (made when missing). The database is read through a
// connection of its own and copied by the engine page by page, so the copy is
// a consistent state of the file even while the application has the project
// open and writes to it: a write in progress waits for the copy, or the copy
// for the write. Nothing in `targetDir` is touched but the new folder.
BackupResult BackupProject(const QString& databasePath, const QString& targetDir,
                           const Clock& clock = Clock::system());

// Puts the project files of the backup in `backupFolder` into `targetDir` as
// "<name>.qmp|.qms|.irp", replacing the files there; a report file or journal
// there that the backup does not have goes. Refused when another window has
// that project open, or when the backup's database is damaged. Every new file
// is written in full under a temporary name before any of the project's files
// is replaced, and the replacements are undone when one of them fails: a
// failure leaves the project's files byte for byte as they were.
BackupResult RestoreBackup(const QString& backupFolder, const QString& targetDir);

// The folder of the automatic backups of the project at `databasePath`.
QString AutoBackupFolder(const QString& databasePath);

// How many automatic backups a project keeps unless told otherwise, and at most.
inline constexpr int kDefaultBackupsKept = 5;
inline constexpr int kMostBackupsKept = 99;

// The number of automatic backups kept for the project at `databasePath`; 0
// takes none. It is kept in the per-user settings, keyed by the project's
// path, not in the project's settings file: that file's layout is shared with
// the previous release and pinned byte for byte, and a field added at its end
// would be dropped by any build that rewrites the file without knowing it.
// How many copies the disk beside a project can hold is the machine's
// concern rather than the books' anyway.
int BackupsToKeep(const UserSettings& settings, const QString& databasePath);
void SetBackupsToKeep(UserSettings& settings, const QString& databasePath, int count);

// Whether the project at `databasePath` must be left as it is: its database
// file or its folder takes no writes, by its permissions or its medium.
bool IsProjectReadOnly(const QString& databasePath);

// The backup taken when a project opens: into AutoBackupFolder, after which
// only the newest `keep` automatic backups remain. None is taken when `keep`
// is 0 or the project is read-only. Older backups are removed only once the
// new one is complete, so a failed backup costs none of them. Returns what
// the user is warned of when the backup failed; empty otherwise.
QString AutoBackupOnOpen(const QString& databasePath, int keep, const Clock& clock = Clock::system());

struct BackupEntry
{
    QString folder;
    QDateTime taken;
};

// The automatic backups of the project at `databasePath`, newest first.
QList<BackupEntry> ListBackups(const QString& databasePath);
