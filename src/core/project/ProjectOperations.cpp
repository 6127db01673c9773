#include "core/project/ProjectOperations.h"

#include "core/common/Archive.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/project/ProjectLock.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <system_error>

#include <unistd.h>

namespace {

const QString kDatabaseExtension = QStringLiteral(".qmp");
const QString kSettingsExtension = QStringLiteral(".qms");
const QString kReportExtension = QStringLiteral(".irp");

// The copy command has always carried the previous release's title.
const QString kCopyFailedTitle = QStringLiteral("Quillmark 3.0");
const QString kCopyFailed = QStringLiteral("Unable to copy files at this time.");
const QString kOverwriteProject =
    QStringLiteral("A project by this name already exists in this location.\n\nDo you wish to overwrite it?");
const QString kCopyOntoItself = QStringLiteral("A project cannot be copied onto itself.\n\n"
                                               "Choose another location or another name for the copy.");
const QString kNameRequired = QStringLiteral("Must specify a project name.");

const QString kCompactQuestion = QStringLiteral(
    "This operation will compact the database file associated to the current project and may take several "
    "minutes depending on the size of your project.  This involves purging outdated and unusable data.\n\n"
    "Due to the nature of this command, it is strongly recommended that \nyou backup your project using the "
    "'Copy Project Files' command before proceeding.\n\nClick 'Yes' to continue compacting the database, or "
    "click 'No' if you do not wish to compact the database at this time.");
const QString kCompactFailed = QStringLiteral("Unable to compact this database.");
const QString kCompacted = QStringLiteral("The project database has been successfully compacted.");
const QString kNotReopened =
    QStringLiteral("The project could not be opened again. Open it once more to go on working with it.");
const QString kScratchDatabase = QStringLiteral("tmp001.qmp");
const QString kCompactedExtension = QStringLiteral("qmt");

const QString kConfirmWord = QStringLiteral("YES");
const QString kConfirmRequired = QStringLiteral("Must confirm deletion by typing 'YES'.");

// Moves `replacement` over `target` in one step; both must be on one file system.
bool replaceFile(const QString& replacement, const QString& target)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(replacement).toStdString()),
                            std::filesystem::path(QFile::encodeName(target).toStdString()), error);
    return !error;
}

// Forces a file's contents to the disk.
bool syncFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

QString withoutTrailingSeparator(const QString& directory)
{
    return directory.endsWith(QLatin1Char('/')) ? directory.chopped(1) : directory;
}

bool isSameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// A name beside `target` that no file has yet.
QString unusedNameBeside(const QString& target)
{
    QTemporaryFile probe(target + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        return QString();
    return probe.fileName(); // the probe removes its file when it goes
}

// The engine writes the copy, so it is a consistent snapshot although the
// application holds the file open; the finished copy then replaces the
// target whole.
bool copyOpenDatabase(ProjectDatabase& database, const QString& target)
{
    const QString staging = unusedNameBeside(target);
    if (staging.isEmpty())
        return false;
    if (database.compactInto(staging) && syncFile(staging) && replaceFile(staging, target))
        return true;
    ProjectDatabase::removeFile(staging);
    return false;
}

// Records appended to the compacted copy and deleted again, so that the next
// order, receivable and invoice IDs are above any those tables ever handed
// out and above the ones compaction took; stock lots and receipts refer to
// order IDs whose records may since have been purged.
struct Placeholders
{
    qint32 order = 0;
    qint32 receivable = 0;
    qint32 invoice = 0;

    bool append(ProjectTables& tables)
    {
        COrderRec orderRec;
        CARRec receivableRec;
        CSIRec invoiceRec;
        if (!tables.orders().RecordAdd(orderRec))
            return false;
        order = orderRec.ID;
        if (!tables.receivables().RecordAdd(receivableRec))
            return false;
        receivable = receivableRec.ID;
        if (!tables.invoices().RecordAdd(invoiceRec))
            return false;
        invoice = invoiceRec.ID;
        return true;
    }

    bool remove(ProjectTables& tables) const
    {
        return tables.orders().RecordDelete(order) && tables.receivables().RecordDelete(receivable) &&
               tables.invoices().RecordDelete(invoice);
    }
};

// The compacted copy is written from a connection of its own, while the
// project is switched away from its file. The project's file is only read:
// a compaction that fails leaves it exactly as it was.
bool compactFile(const QString& source, const QString& target, int inventoryStyle)
{
    ProjectDatabase::removeFile(target); // left over from an interrupted run
    {
        ProjectDatabase database;
        if (!database.open(source) || !database.compactInto(target))
            return false;
    }
    ProjectDatabase compacted;
    if (!compacted.open(target))
        return false;
    bool ok = false;
    {
        ProjectTables tables(compacted, inventoryStyle);
        Transaction transaction(compacted);
        Placeholders placeholders;
        ok = transaction.isActive() && tables.OpenAll() == Status::Success && placeholders.append(tables) &&
             placeholders.remove(tables) && transaction.commit();
    }
    compacted.close();
    return ok && syncFile(target);
}

} // namespace

bool CopyFileReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const int written = writeFileSafely(target, [&in](QIODevice& out) {
        constexpr qint64 kChunk = 1 << 16;
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(kChunk);
            if (chunk.isEmpty() || out.write(chunk) != chunk.size())
                return Status::FileNotAccessible;
        }
        return in.error() == QFileDevice::NoError ? Status::Success : Status::FileNotAccessible;
    });
    return written == Status::Success;
}

QString ValidateOutputProjectName(const QString& name)
{
    return name.isEmpty() ? kNameRequired : QString();
}

bool CopyProject(Project& open, const QString& destinationDir, const QString& destinationName,
                 Prompter& prompter)
{
    const CProjectSettings* settings = open.settings();
    if (!open.isOpen() || settings == nullptr) {
        prompter.message(kCopyFailed, kCopyFailedTitle, Prompter::Icon::Exclamation);
        return false;
    }
    const QString stem = withoutTrailingSeparator(destinationDir) + QLatin1Char('/') + destinationName;
    const QString targetDatabase = stem + kDatabaseExtension;
    const QString targetSettings = stem + kSettingsExtension;
    const QString targetReports = stem + kReportExtension;

    // Copying a file onto itself would truncate the source first.
    if (isSameFile(settings->databasePath(), targetDatabase) ||
        isSameFile(settings->settingsPath(), targetSettings) ||
        isSameFile(settings->reportPath(), targetReports)) {
        prompter.message(kCopyOntoItself, AppTitle(), Prompter::Icon::Exclamation);
        return false;
    }
    // A window that has the target open would go on writing into a file the
    // copy has replaced, and everything it saved from then on would be lost.
    // Holding the target's lock also keeps it from being opened mid-copy.
    const ProjectLock targetLock(targetDatabase);
    if (targetLock.state() == ProjectLock::State::InUse) {
        warn(prompter, targetLock.refusal());
        return false;
    }
    if (QFileInfo::exists(targetDatabase) &&
        !prompter.askYesNo(kOverwriteProject, AppTitle(), Prompter::Icon::Question))
        return false;

    // A project without report definitions replaces one that had some: the
    // old definitions are not the copy's.
    const bool copied = copyOpenDatabase(*open.database(), targetDatabase) &&
                        CopyFileReplacing(settings->settingsPath(), targetSettings) &&
                        (QFileInfo::exists(settings->reportPath())
                             ? CopyFileReplacing(settings->reportPath(), targetReports)
                             : !QFileInfo::exists(targetReports) || QFile::remove(targetReports));
    if (!copied) {
        prompter.message(kCopyFailed, kCopyFailedTitle, Prompter::Icon::Exclamation);
        return false;
    }
    return true;
}

bool CompactDatabase(Project& project, Prompter& prompter)
{
    if (!project.isOpen())
        return false;
    if (!prompter.askYesNo(kCompactQuestion, AppTitle(), Prompter::Icon::Question))
        return false;

    const QString databasePath = project.database()->path();
    const qsizetype dot = databasePath.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString compactedPath = databasePath.left(dot + 1) + kCompactedExtension;
    const QString scratchPath = QDir::current().absoluteFilePath(kScratchDatabase);
    const int style = project.settings() != nullptr ? project.settings()->inventoryStyle() : FIFO;

    auto fail = [&prompter] {
        prompter.message(kCompactFailed, AppTitle(), Prompter::Icon::Exclamation);
        return false;
    };

    ProjectDatabase::removeFile(scratchPath);
    if (CreateDatabase(scratchPath) != Status::Success)
        return fail();

    // Switching to the scratch database lets go of the project's file.
    if (project.OpenDatabase(scratchPath, style) != Status::Success) {
        ProjectDatabase::removeFile(scratchPath);
        return fail();
    }

    // The compacted file takes the place of the project file in one step: at
    // every moment the project file is either the old database or the new one.
    const bool compacted =
        compactFile(databasePath, compactedPath, style) && replaceFile(compactedPath, databasePath);
    if (!compacted)
        ProjectDatabase::removeFile(compactedPath);

    if (project.OpenDatabase(databasePath, style) != Status::Success) {
        // Nothing may be entered into the scratch database, which is about to go.
        project.close();
        ProjectDatabase::removeFile(scratchPath);
        // The file may have been compacted all the same: the user is told which.
        prompter.message((compacted ? kCompacted : kCompactFailed) + QStringLiteral("\n\n") + kNotReopened,
                         AppTitle(), Prompter::Icon::Exclamation);
        return compacted;
    }
    ProjectDatabase::removeFile(scratchPath);
    if (!compacted)
        return fail();
    prompter.message(kCompacted, AppTitle(), Prompter::Icon::Information);
    return true;
}

bool ConfirmDeletion(const QString& typed, Prompter& prompter)
{
    if (typed.compare(kConfirmWord, Qt::CaseInsensitive) == 0)
        return true;
    prompter.message(kConfirmRequired, AppTitle(), Prompter::Icon::Exclamation);
    return false;
}
