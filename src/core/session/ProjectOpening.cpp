#include "core/session/ProjectOpening.h"

#include "core/common/Clock.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Backup.h"
#include "core/project/PreviousVersion.h"
#include "core/project/Project.h"
#include "core/project/ProjectLock.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/reports/QuickReportSettings.h"
#include "core/sales/InvoiceBalances.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString projectExistsMessage(const QString& path)
{
    return QStringLiteral("A project database \"%1\" already exists.  Open it with Open Existing Project.")
        .arg(QDir::toNativeSeparators(path));
}

// Opens the database `settings` names, offering the conversion of a project of
// the previous version; the settings go to the project once it is open.
int openDatabase(Project& project, std::unique_ptr<CProjectSettings>& settings, Prompter& prompter)
{
    const QString databasePath = settings->databasePath();
    // The project this window has open is opened again under the lock it holds.
    const ProjectLock* held = project.lock();
    const bool reopening = held && held->state() == ProjectLock::State::Held &&
                           QFileInfo(held->databasePath()) == QFileInfo(databasePath);
    // A project open in another window may be written there at any moment: it
    // is refused before anything here reads, converts or writes it.
    std::unique_ptr<ProjectLock> lock;
    if (!reopening) {
        lock = std::make_unique<ProjectLock>(databasePath);
        if (lock->state() == ProjectLock::State::InUse) {
            warn(prompter, lock->refusal());
            return Status::FileNotAccessible;
        }
    }
    int status = project.OpenDatabase(databasePath, settings->inventoryStyle());
    bool converted = false;
    while (status == Status::PreviousVersion &&
           ConvertPreviousVersion(databasePath, prompter) == Status::Success) {
        converted = true;
        status = project.OpenDatabase(databasePath, settings->inventoryStyle());
    }
    if (status != Status::Success) {
        if (!ProjectDatabase::isEngineAvailable())
            prompter.message(ProjectDatabase::missingEngineMessage(), AppTitle(),
                             Prompter::Icon::Exclamation);
        // A project another program is writing says so at once, and so does
        // a disk that fails to read it.
        if (status == Status::FileNotAccessible && !project.openFailure().isEmpty())
            ReportReadFailure(prompter, {status, project.openFailure()});
        else if (status == Status::FileNotAccessible)
            ReportErrorCode(prompter, status);
        // The user agreed to a conversion and waits for the project.
        else if (converted)
            ReportErrorCode(prompter, Status::FileCorrupt);
        return status;
    }
    project.setSettings(std::move(settings));
    // A folder that takes no lock file takes no journal either: nobody can
    // write the project there, but the user should know before trying.
    if (lock) {
        if (lock->state() == ProjectLock::State::Unavailable)
            warn(prompter, lock->refusal());
        project.setLock(std::move(lock));
    }
    // The quick reports and the purchase-order printout take their fonts from a
    // record every project keeps; one that cannot be written leaves them the
    // same fonts from memory.
    QuickReportFonts::ensureStored(project.settings()->reportPath(), prompter, Clock::system());
    return Status::Success;
}

} // namespace

QString ProjectNotFoundMessage(const QString& path)
{
    return QStringLiteral(
               "The project \"%1\" could not be found.  It may have been moved, renamed or deleted.")
        .arg(QDir::toNativeSeparators(path));
}

QString DatabaseNotCreatedMessage(const QString& path)
{
    return QStringLiteral("The project database \"%1\" could not be created.")
        .arg(QDir::toNativeSeparators(path));
}

int OpenProjectFromPath(Project& project, const QString& path, Prompter& prompter, int backupsToKeep)
{
    auto settings = std::make_unique<CProjectSettings>(path);
    // Without its database there is no project, whatever became of its
    // settings file.
    if (settings->status() != Status::InvalidFileName && !QFileInfo(path).isFile()) {
        prompter.message(ProjectNotFoundMessage(path), AppTitle(), Prompter::Icon::Exclamation);
        return Status::FileNotFound;
    }
    if (settings->status() != Status::Success) {
        ReportErrorCode(prompter, settings->status());
        return settings->status();
    }
    const int status = openDatabase(project, settings, prompter);
    if (status != Status::Success)
        return status;
    // The files as they were on the disk, before this session writes a thing.
    // A project this window could not reserve may be written by another.
    const ProjectLock* lock = project.lock();
    if (backupsToKeep > 0 && lock && lock->state() == ProjectLock::State::Held) {
        const QString failure = AutoBackupOnOpen(project.settings()->databasePath(), backupsToKeep);
        if (!failure.isEmpty())
            warn(prompter, failure);
    }
    // Tax rates may have changed and items been deleted since the invoices were
    // written: every amount due follows its sales again before anyone looks.
    if (!UpdateInvoiceBalances(*project.tables()).ok)
        ReportOperationFailure(prompter, *project.database());
    return Status::Success;
}

int CreateProject(Project& project, std::unique_ptr<CProjectSettings> settings, Prompter& prompter)
{
    if (settings->status() != Status::Success) {
        ReportErrorCode(prompter, settings->status());
        return settings->status();
    }
    const QString databasePath = settings->databasePath();
    if (QFileInfo::exists(databasePath)) {
        prompter.message(projectExistsMessage(databasePath), AppTitle(), Prompter::Icon::Exclamation);
        return Status::InvalidName;
    }
    // A settings file without its database is no project; one the user has
    // given statistics is kept all the same.
    const bool keepSettingsFile = settings->statisticCount() > 0;
    const QString settingsPath = settings->settingsPath();
    int status = CreateDatabase(databasePath);
    if (status == Status::Success) {
        status = openDatabase(project, settings, prompter);
        if (status == Status::Success)
            return status;
        ProjectDatabase::removeFile(databasePath);
        // A lock has been reported; anything else means the new file is unusable.
        if (status != Status::FileNotAccessible)
            prompter.message(DatabaseNotCreatedMessage(databasePath), AppTitle(),
                             Prompter::Icon::Exclamation);
    } else {
        // The file system may say why: a name too long or a read-only folder.
        const int cause = WriteFailureStatus(databasePath, Status::FileCorrupt);
        QString message = DatabaseNotCreatedMessage(databasePath);
        if (cause != Status::FileCorrupt)
            message += QStringLiteral("\n\n") + StatusMessage(cause);
        prompter.message(message, AppTitle(), Prompter::Icon::Exclamation);
    }
    if (!keepSettingsFile)
        QFile::remove(settingsPath);
    return status;
}
