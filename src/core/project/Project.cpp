#include "core/project/Project.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectLock.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"

Project::Project() = default;

Project::~Project()
{
    close();
}

int Project::OpenDatabase(const QString& path, int inventoryStyle)
{
    m_openFailure.clear();
    auto database = std::make_unique<ProjectDatabase>();
    // A disk that fails to read the file says nothing about what the file
    // holds: it is reported, not taken for a file that is no project.
    const auto diskFailed = [&] {
        if (database->lastErrorIsDisk())
            m_openFailure = database->lastError();
        return database->lastErrorIsDisk();
    };
    if (!database->open(path))
        return database->lastErrorIsLock() || diskFailed() ? Status::FileNotAccessible : Status::FileCorrupt;
    auto tables = std::make_unique<ProjectTables>(*database, inventoryStyle);
    int status = tables->OpenAll();
    if (status != Status::Success) {
        if (database->lastReadFailure().status == Status::FileNotAccessible || diskFailed())
            status = Status::FileNotAccessible;
        tables.reset();
        database->close();
        return status;
    }
    // Sales and the stock list read the style when they need it, so a change
    // made in Project Settings holds from then on.
    tables->stock().SetInventoryStyleSource(
        [this, inventoryStyle] { return m_settings ? m_settings->inventoryStyle() : inventoryStyle; });
    closeDatabase();
    m_database = std::move(database);
    m_tables = std::move(tables);
    return Status::Success;
}

bool Project::isOpen() const
{
    return m_database && m_tables && m_database->isOpen();
}

void Project::setSettings(std::unique_ptr<CProjectSettings> settings)
{
    m_settings = std::move(settings);
}

void Project::setLock(std::unique_ptr<ProjectLock> lock)
{
    m_lock = std::move(lock);
}

void Project::close()
{
    closeDatabase();
    m_settings.reset();
    // Only once the file is closed may another window open it.
    m_lock.reset();
}

void Project::closeDatabase()
{
    m_tables.reset();
    if (m_database)
        m_database->close();
    m_database.reset();
}
