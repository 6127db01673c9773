#include "core/project/Backup.h"

#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectLock.h"
#include "core/project/GatheringFileSystem.h"
#include "core/project/ProjectOperations.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const QString kDatabaseExtension = QStringLiteral(".qmp");
const QString kSettingsExtension = QStringLiteral(".qms");
const QString kReportExtension = QStringLiteral(".irp");
const QString kJournalSuffix = QStringLiteral("-journal");
const QString kStampFormat = QStringLiteral("yyyy-MM-dd hh-mm-ss");
const QString kBackupsSection = QStringLiteral("Backups");
// A project being written takes its lock only for a moment per commit; the
// copy waits this long for one before it gives up.
constexpr int kLockWaitMs = 10000;
// A ".partial" folder this old belongs to no backup still in progress.
constexpr qint64 kAbandonedAfterSecs = 3600;

struct CloseEngine
{
    void operator()(sqlite3* engine) const { sqlite3_close_v2(engine); }
};
using Engine = std::unique_ptr<sqlite3, CloseEngine>;

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString projectName(const QString& databasePath)
{
    return QFileInfo(databasePath).completeBaseName();
}

QString sibling(const QString& databasePath, const QString& extension)
{
    const QFileInfo info(databasePath);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + extension;
}

QString engineError(sqlite3* engine, int code)
{
    return engine != nullptr ? QString::fromUtf8(sqlite3_errmsg(engine))
                             : QString::fromUtf8(sqlite3_errstr(code));
}

Engine openEngine(const QString& path, int flags, QString& error, const char* fileSystem = nullptr)
{
    sqlite3* raw = nullptr;
    const int code = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, fileSystem);
    Engine engine(raw);
    if (code != SQLITE_OK) {
        error = engineError(raw, code);
        return nullptr;
    }
    return engine;
}

// Forces a file's or a folder's contents to the disk.
bool syncPath(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool renamePath(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    return !error;
}

// The engine copies the database from a read-only connection of its own: it
// holds the file's read lock for the copy, so the copy is one committed state
// of the file whatever other connections write. The target is a new file that
// only this copy sees until it is renamed, so it needs no journal; it is
// written in long blocks, as a file copy is, and forced to the disk once, at
// the end.
bool copyDatabase(const QString& source, const QString& target, QString& error)
{
    const Engine from = openEngine(source, SQLITE_OPEN_READONLY, error);
    if (!from)
        return false;
    sqlite3_busy_timeout(from.get(), kLockWaitMs);
    // The pages are read straight from the mapped file instead of a read
    // call for each.
    sqlite3_exec(from.get(), "PRAGMA mmap_size = 4294967296", nullptr, nullptr, nullptr);
    // Declared first, so that it outlives the connection that writes through it.
    const GatheringFileSystem gathering;
    const Engine to = openEngine(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error, gathering.name());
    if (!to)
        return false;
    // The pages only pass through the target's cache on their way to the
    // file: a small one stays in the processor's cache and makes the copy
    // faster than a large one.
    sqlite3_exec(to.get(),
                 "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE; "
                 "PRAGMA cache_size = -128",
                 nullptr, nullptr, nullptr);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (backup == nullptr) {
        error = engineError(to.get(), SQLITE_ERROR);
        return false;
    }
    // Every page in one step: nothing else waits on this connection, and a
    // copy made in steps would start over each time the project is written.
    const QDeadlineTimer deadline(kLockWaitMs);
    int code = SQLITE_OK;
    while ((code = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || code == SQLITE_LOCKED) {
        if (deadline.hasExpired())
            break;
        sqlite3_sleep(20);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (code != SQLITE_DONE || finished != SQLITE_OK) {
        error = engineError(to.get(), code != SQLITE_DONE ? code : finished);
        return false;
    }
    // The last block is still gathered: asking the file's size writes it, and
    // a failed write shows here rather than being lost as the file closes.
    sqlite3_file* written = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(to.get(), "main", SQLITE_FCNTL_FILE_POINTER, &written) != SQLITE_OK ||
        written == nullptr || written->pMethods == nullptr) {
        error = engineError(to.get(), SQLITE_ERROR);
        return false;
    }
    if (const int sized = written->pMethods->xFileSize(written, &size); sized != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errstr(sized));
        return false;
    }
    return true;
}

// "name yyyy-MM-dd hh-mm-ss", or with " (n)" when two fell in one second.
struct BackupName
{
    QDateTime taken;
    int sequence = 1;
};

std::optional<BackupName> parseBackupName(const QString& folderName, const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.*) (\\d{4}-\\d{2}-\\d{2} \\d{2}-\\d{2}-\\d{2})(?: \\((\\d+)\\))?$"));
    const QRegularExpressionMatch match = pattern.match(folderName);
    if (!match.hasMatch() || match.captured(1) != name)
        return std::nullopt;
    BackupName parsed;
    parsed.taken = QDateTime::fromString(match.captured(2), kStampFormat);
    if (!parsed.taken.isValid())
        return std::nullopt;
    if (match.hasCaptured(3))
        parsed.sequence = match.captured(3).toInt();
    return parsed;
}

QList<std::pair<BackupEntry, int>> backupsIn(const QString& folder, const QString& name)
{
    QList<std::pair<BackupEntry, int>> found;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const std::optional<BackupName> parsed = parseBackupName(entry.fileName(), name);
        if (!parsed || !QFileInfo(entry.absoluteFilePath() + QLatin1Char('/') + name + kDatabaseExtension).isFile())
            continue;
        found.append({BackupEntry{entry.absoluteFilePath(), parsed->taken}, parsed->sequence});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.taken != b.first.taken ? a.first.taken > b.first.taken : a.second > b.second;
    });
    return found;
}

// Removes a backup folder under a hidden name first, so that one whose removal
// is cut short is never listed as a backup.
void removeBackup(const QString& folder, const QString& name)
{
    const QFileInfo info(folder);
    const QString doomed = info.absolutePath() + QStringLiteral("/.") + name + QStringLiteral(".removing-") +
                           info.fileName().mid(name.size() + 1);
    if (QDir().rename(folder, doomed))
        QDir(doomed).removeRecursively();
}

// What interrupted backups and removals left in `folder`.
void removeLeftovers(const QString& folder, const QString& name)
{
    const QString partial = QLatin1Char('.') + name + QStringLiteral(".partial-");
    const QString removing = QLatin1Char('.') + name + QStringLiteral(".removing-");
    const QDateTime now = QDateTime::currentDateTime();
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString fileName = entry.fileName();
        const bool abandoned =
            fileName.startsWith(partial) && entry.lastModified().secsTo(now) > kAbandonedAfterSecs;
        if (abandoned || fileName.startsWith(removing))
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

QString backupFailed(const QString& databasePath, const QString& targetDir, const QString& detail)
{
    return QStringLiteral("The project \"%1\" could not be backed up into \"%2\".\n\n%3")
        .arg(nativePath(databasePath), nativePath(targetDir), detail);
}

QString restoreFailed(const QString& backupFolder, const QString& detail)
{
    return QStringLiteral("The backup \"%1\" could not be restored.  The project was not changed.\n\n%2")
        .arg(nativePath(backupFolder), detail);
}

QString writeFailure(const QString& path)
{
    return StatusMessage(WriteFailureStatus(path, Status::FileNotAccessible));
}

// Whether the database at `path` reads as a whole project database.
bool isSoundDatabase(const QString& path, QString& detail)
{
    ProjectDatabase database;
    if (!database.open(path)) {
        detail = database.lastError();
        return false;
    }
    QSqlQuery check(database.connection());
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()) {
        detail = check.lastError().text();
        return false;
    }
    detail = check.value(0).toString();
    return detail == QStringLiteral("ok") && database.tableExists(QStringLiteral("Items"));
}

// One project file replaced during a restore: by `replacement`, or removed
// when that is empty. The file it replaced is kept under `kept` until every
// replacement is done, to be put back should a later one fail.
struct Replacement
{
    QString target;
    QString replacement;
    QString kept;
    bool done = false;
};

// A second name for the file at `path`, taken without copying when the file
// system allows it.
bool keepBeside(const QString& path, const QString& kept)
{
    QFile::remove(kept);
    std::error_code error;
    const std::filesystem::path from(QFile::encodeName(path).toStdString());
    const std::filesystem::path to(QFile::encodeName(kept).toStdString());
    std::filesystem::create_hard_link(from, to, error);
    return !error || QFile::copy(path, kept);
}

bool replace(Replacement& step)
{
    if (QFileInfo::exists(step.target)) {
        step.kept = step.target + QStringLiteral(".before-restore");
        if (!keepBeside(step.target, step.kept))
            return false;
    }
    step.done = step.replacement.isEmpty() ? QFile::remove(step.target) : renamePath(step.replacement, step.target);
    return step.done;
}

void undo(const Replacement& step)
{
    if (!step.done)
        return;
    if (!step.kept.isEmpty())
        renamePath(step.kept, step.target);
    else
        QFile::remove(step.target);
}

} // namespace

BackupResult BackupProject(const QString& databasePath, const QString& targetDir, const Clock& clock)
{
    const QString name = projectName(databasePath);
    const QString settingsPath = sibling(databasePath, kSettingsExtension);
    const QString reportPath = sibling(databasePath, kReportExtension);
    BackupResult result;
    const auto fail = [&](const QString& detail) {
        result.message = backupFailed(databasePath, targetDir, detail);
        return result;
    };
    if (!QFileInfo(databasePath).isFile())
        return fail(StatusMessage(Status::FileNotFound));
    if (!QFileInfo(settingsPath).isFile())
        return fail(StatusMessage(Status::SettingsFileMissing));
    if (!QDir().mkpath(targetDir))
        return fail(writeFailure(targetDir + QStringLiteral("/") + name));

    QTemporaryDir staging(targetDir + QStringLiteral("/.") + name + QStringLiteral(".partial-XXXXXX"));
    if (!staging.isValid())
        return fail(writeFailure(targetDir + QStringLiteral("/.") + name));
    const QString stagedDatabase = staging.filePath(name + kDatabaseExtension);
    QString detail;
    if (!copyDatabase(databasePath, stagedDatabase, detail))
        return fail(detail);
    if (!syncPath(stagedDatabase))
        return fail(writeFailure(stagedDatabase));
    if (!CopyFileReplacing(settingsPath, staging.filePath(name + kSettingsExtension)))
        return fail(writeFailure(staging.filePath(name + kSettingsExtension)));
    if (QFileInfo::exists(reportPath) && !CopyFileReplacing(reportPath, staging.filePath(name + kReportExtension)))
        return fail(writeFailure(staging.filePath(name + kReportExtension)));
    if (!syncPath(staging.path()))
        return fail(writeFailure(staging.path()));

    // Only now does the backup get a name a listing shows.
    const QString stem = targetDir + QLatin1Char('/') + name + QLatin1Char(' ') + clock.now().toString(kStampFormat);
    QString folder = stem;
    for (int sequence = 2; QFileInfo::exists(folder); ++sequence)
        folder = stem + QStringLiteral(" (%1)").arg(sequence);
    if (!QDir().rename(staging.path(), folder))
        return fail(writeFailure(folder));
    staging.setAutoRemove(false);
    syncPath(targetDir);
    result.ok = true;
    result.path = QDir::cleanPath(folder);
    return result;
}

BackupResult RestoreBackup(const QString& backupFolder, const QString& targetDir)
{
    BackupResult result;
    const auto fail = [&](const QString& detail) {
        result.message = restoreFailed(backupFolder, detail);
        return result;
    };
    const QStringList databases =
        QDir(backupFolder).entryList({QStringLiteral("*") + kDatabaseExtension}, QDir::Files);
    if (databases.size() != 1)
        return fail(QStringLiteral("The folder holds no backup of a project."));
    const QString name = projectName(databases.constFirst());
    const QString source = QDir(backupFolder).filePath(name);
    const QString target = QDir(targetDir).absoluteFilePath(name);
    if (!QFileInfo(source + kSettingsExtension).isFile())
        return fail(StatusMessage(Status::SettingsFileMissing));
    QString detail;
    if (!isSoundDatabase(source + kDatabaseExtension, detail))
        return fail(QStringLiteral("Its project database is damaged: %1").arg(detail));

    // Held until the restore is over, so that nobody opens the project half
    // restored.
    const ProjectLock lock(target + kDatabaseExtension);
    if (lock.state() == ProjectLock::State::InUse)
        return fail(lock.refusal());

    // A journal left beside the old database would be played back into the
    // restored one: it goes first, and the database right after it.
    QList<Replacement> steps;
    const QString journalExtension = kDatabaseExtension + kJournalSuffix;
    for (const QString& extension : {journalExtension, kDatabaseExtension, kSettingsExtension, kReportExtension}) {
        Replacement step;
        step.target = target + extension;
        if (QFileInfo::exists(source + extension))
            step.replacement = target + extension + QStringLiteral(".restoring");
        if (step.replacement.isEmpty() && !QFileInfo::exists(step.target))
            continue;
        steps.append(step);
    }
    const auto removeStaged = [&steps] {
        for (const Replacement& step : steps) {
            if (!step.replacement.isEmpty() && !step.done)
                QFile::remove(step.replacement);
        }
    };
    // Every new file is complete on the disk before any old one is touched.
    for (const Replacement& step : steps) {
        if (step.replacement.isEmpty())
            continue;
        const QString from = source + step.target.mid(target.size());
        if (!CopyFileReplacing(from, step.replacement)) {
            const QString cause = writeFailure(step.target);
            removeStaged();
            return fail(cause);
        }
    }
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (replace(steps[i]))
            continue;
        const QString cause = writeFailure(steps[i].target);
        for (qsizetype j = i; j >= 0; --j)
            undo(steps[j]);
        removeStaged();
        for (const Replacement& step : steps)
            QFile::remove(step.kept);
        return fail(cause);
    }
    for (const Replacement& step : steps) {
        if (!step.kept.isEmpty())
            QFile::remove(step.kept);
    }
    syncPath(QFileInfo(target).absolutePath());
    result.ok = true;
    result.path = target + kDatabaseExtension;
    return result;
}

QString AutoBackupFolder(const QString& databasePath)
{
    const QFileInfo info(databasePath);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(" backups");
}

namespace {

// Per-user settings keys are paths of groups: the project's path is kept
// percent-encoded as one key.
QString backupsKey(const QString& databasePath)
{
    const QFileInfo info(databasePath);
    const QString path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return QString::fromLatin1(QUrl::toPercentEncoding(path));
}

} // namespace

int BackupsToKeep(const UserSettings& settings, const QString& databasePath)
{
    return std::max(0, settings.number(kBackupsSection, backupsKey(databasePath), kDefaultBackupsKept));
}

void SetBackupsToKeep(UserSettings& settings, const QString& databasePath, int count)
{
    settings.setValue(kBackupsSection, backupsKey(databasePath), std::max(0, count));
}

bool IsProjectReadOnly(const QString& databasePath)
{
    const QFileInfo file(databasePath);
    const QString folder = file.absolutePath();
    // Permission bits first: they say what the user meant even to a user
    // whom they do not stop.
    const auto ownerWrites = [](const QString& path) {
        return QFile::permissions(path).testFlag(QFileDevice::WriteOwner);
    };
    if (!ownerWrites(databasePath) || !ownerWrites(folder))
        return true;
    struct statvfs medium = {};
    if (::statvfs(QFile::encodeName(folder).constData(), &medium) == 0 && (medium.f_flag & ST_RDONLY) != 0)
        return true;
    return ::access(QFile::encodeName(databasePath).constData(), W_OK) != 0 ||
           ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0;
}

QString AutoBackupOnOpen(const QString& databasePath, int keep, const Clock& clock)
{
    if (keep <= 0 || IsProjectReadOnly(databasePath))
        return QString();
    const QString folder = AutoBackupFolder(databasePath);
    const QString name = projectName(databasePath);
    const BackupResult made = BackupProject(databasePath, folder, clock);
    removeLeftovers(folder, name);
    if (!made.ok)
        return made.message + QStringLiteral("\n\nThe earlier backups of the project are kept.");
    // The new backup stays whatever its date says (a clock set back); of the
    // others the newest remain.
    qsizetype kept = 1;
    for (const auto& [backup, sequence] : backupsIn(folder, name)) {
        if (backup.folder == made.path)
            continue;
        if (kept < keep)
            ++kept;
        else
            removeBackup(backup.folder, name);
    }
    return QString();
}

QList<BackupEntry> ListBackups(const QString& databasePath)
{
    QList<BackupEntry> entries;
    for (const auto& [entry, sequence] : backupsIn(AutoBackupFolder(databasePath), projectName(databasePath)))
        entries.append(entry);
    return entries;
}
