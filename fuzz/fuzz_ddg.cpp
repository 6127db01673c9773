// The vendor, item and customer files of version 2.0 (.ddg), imported into a
// real project the way the import command does. The first byte picks the file
// kind, the rest is the file. Every import runs inside an outer transaction
// that is rolled back, so each input meets the same empty project. The project
// lives in the scratch folder ($TMPDIR) that fuzz/run clears; it is never
// closed, since Qt SQL's own globals are gone by the time exit would close it.
#include "FuzzSupport.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/ImportVersion2.h"
#include "core/records/ImportWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

struct Project
{
    QTemporaryDir dir;
    ProjectDatabase db;
    std::unique_ptr<ProjectTables> tables;
    QString input;
};

Project* g_project = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startQt();
    g_project = new Project;
    Project& project = *g_project;
    project.dir.setAutoRemove(false);
    const QString path = project.dir.filePath(QStringLiteral("fuzz.qmp"));
    if (!project.dir.isValid() || CreateDatabase(path) != Status::Success || !project.db.open(path))
        std::abort();
    project.tables = std::make_unique<ProjectTables>(project.db, 0);
    if (project.tables->OpenAll() != Status::Success)
        std::abort();
    project.input = project.dir.filePath(QStringLiteral("input.ddg"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A few dozen records are enough to reach every field; more only slows the run.
    if (size == 0 || size > 16 * 1024)
        return 0;
    {
        QFile file(g_project->input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1)) !=
                static_cast<qint64>(size - 1))
            std::abort();
    }
    if (!g_project->db.beginTransaction())
        std::abort();
    ImportWriter writer(*g_project->tables, Clock::system());
    ImportVersion2 import(*g_project->tables, writer);
    switch (data[0] % 3) {
    case 0:
        (void)import.importVendors(g_project->input);
        break;
    case 1:
        (void)import.importItems(g_project->input);
        break;
    default:
        (void)import.importCustomers(g_project->input);
        break;
    }
    if (!g_project->db.rollbackTransaction())
        std::abort();
    return 0;
}
