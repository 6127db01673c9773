#include "session/ProjectOpening.h"

#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "db/ProjectDatabase.h"
#include "project/PreviousVersion.h"
#include "project/Project.h"
#include "project/ProjectSettings.h"
#include "project/ProjectTables.h"
#include "sales/InvoiceBalances.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

QString ProjectNotFoundMessage(const QString& path)
{
    return QStringLiteral(
               "The project \"%1\" could not be found.  It may have been moved, renamed or deleted.")
        .arg(QDir::toNativeSeparators(path));
}

int OpenProjectFromPath(Project& project, const QString& path, Prompter& prompter)
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
    const QString databasePath = settings->databasePath();
    int status = project.OpenDatabase(databasePath, settings->inventoryStyle());
    while (status == Status::PreviousVersion &&
           ConvertPreviousVersion(databasePath, prompter) == Status::Success) {
        status = project.OpenDatabase(databasePath, settings->inventoryStyle());
    }
    if (status != Status::Success) {
        if (!ProjectDatabase::isEngineAvailable())
            prompter.message(ProjectDatabase::missingEngineMessage(), AppTitle(),
                             Prompter::Icon::Exclamation);
        // A project another program is writing says so at once.
        if (status == Status::FileNotAccessible)
            ReportErrorCode(prompter, status);
        return status;
    }
    project.setSettings(std::move(settings));
    // Tax rates may have changed and items been deleted since the invoices were
    // written: every amount due follows its sales again before anyone looks.
    if (!UpdateInvoiceBalances(*project.tables()).ok)
        ReportOperationFailure(prompter, *project.database());
    return Status::Success;
}
