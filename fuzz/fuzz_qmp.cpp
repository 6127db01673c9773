// A project whose database is any bytes, opened the way the application opens
// a project: with its lock, its settings beside it and the open-time
// re-synchronisation of invoices, then checked for consistency and read as
// lists are. The project either opens or is refused with a message; nothing
// crashes, hangs or reads out of bounds, whatever the file holds.
#include "FuzzSupport.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/sales/ProjectConsistency.h"
#include "core/session/ProjectOpening.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

// Declines every offer (a conversion, a repair) and counts what it was told.
class DecliningPrompter final : public Prompter
{
public:
    void message(const QString&, const QString&, Icon) override { ++messages; }
    bool askYesNo(const QString&, const QString&, Icon) override { return false; }
    int messages = 0;
};

QString g_database;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startQt();
    // fuzz/run gives each target a scratch folder of its own as the current one.
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("project"));
    QDir().mkpath(folder);
    g_database = folder + QStringLiteral("/Shop.qmp");
    CProjectSettings settings(g_database);
    if (settings.Save() != Status::Success)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // What the last input left behind (a journal, a lock) must not carry over.
    for (const char* suffix : {"-journal", ".lock"})
        QFile::remove(g_database + QLatin1String(suffix));
    if (!writeFile(g_database, fuzz::bytes(data, size)))
        std::abort();

    DecliningPrompter prompter;
    Project project;
    const int status = OpenProjectFromPath(project, g_database, prompter);
    if (status == 1) {
        if (!project.isOpen())
            std::abort();
        // A damaged file may well be inconsistent; it must only be read safely.
        (void)CheckProjectConsistency(*project.tables());
        project.close();
    } else if (project.isOpen()) {
        std::abort();
    } else if (status != Status::FileCorrupt && status != Status::TableOpenFailed &&
               status != Status::PreviousVersion && prompter.messages == 0) {
        // Any other refusal tells the user why; these three let the caller ask
        // for another project instead.
        std::abort();
    }
    return 0;
}
