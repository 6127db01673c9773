#pragma once

#include <QString>

#include <memory>

class CProjectSettings;
class ProjectDatabase;
class ProjectLock;
class ProjectTables;

// The open inventory project: its database connection, the record access
// objects of its ten tables and its settings. A project is replaced only once
// its replacement has opened completely.
class Project
{
public:
    Project();
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    // Opens the database at `path` and every table in it: 1; 4 when the file
    // cannot be opened as a database; 7 when another program holds the file
    // locked or the disk fails to read it; 8 when a table cannot be opened; 17 when the purchase-order table
    // is missing. On failure the database that was open stays open. The stock
    // lots are consumed and listed in the order of the inventory style of the
    // settings the project holds, read each time it is needed; `inventoryStyle`
    // serves while it holds none. The caller sets the new project's settings
    // right after the open.
    int OpenDatabase(const QString& path, int inventoryStyle);
    // The engine's words when the last OpenDatabase failed because the disk
    // could not be read (it then answered 7); empty otherwise.
    QString openFailure() const { return m_openFailure; }

    // Null while nothing is open.
    ProjectDatabase* database() const { return m_database.get(); }
    ProjectTables* tables() const { return m_tables.get(); }
    CProjectSettings* settings() const { return m_settings.get(); }
    bool isOpen() const;

    void setSettings(std::unique_ptr<CProjectSettings> settings);
    // The lock that keeps the open project to this window, held until the
    // project closes or another takes its place (the one held before goes).
    // Switching the database to a scratch file and back keeps it.
    void setLock(std::unique_ptr<ProjectLock> lock);
    // Null while the open project holds no lock.
    const ProjectLock* lock() const { return m_lock.get(); }
    // Closes the database, forgets the settings and lets go of the lock.
    void close();

private:
    // Record access objects hold statements on the connection: they go first.
    void closeDatabase();

    std::unique_ptr<ProjectDatabase> m_database;
    std::unique_ptr<ProjectTables> m_tables;
    std::unique_ptr<CProjectSettings> m_settings;
    std::unique_ptr<ProjectLock> m_lock;
    QString m_openFailure;
};
