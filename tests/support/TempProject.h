#pragma once

#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QTemporaryDir>

#include <memory>

// A fresh project database in a temporary folder, open, with its ten tables.
class TempProject
{
public:
    explicit TempProject(int inventoryStyle = CStockSet::kFifo, const QString& name = QStringLiteral("test"));

    bool isValid() const { return m_tables != nullptr; }
    QString dir() const { return m_dir.path(); }
    QString path() const { return m_path; }
    ProjectDatabase& db() { return m_db; }
    ProjectTables& tables() { return *m_tables; }

    // Closes and reopens the database, as a restart of the application would.
    bool reopen(int inventoryStyle = CStockSet::kFifo);
    // Lets go of the file, e.g. to change its bytes before reopen().
    void close();

private:
    QTemporaryDir m_dir;
    QString m_path;
    ProjectDatabase m_db;
    std::unique_ptr<ProjectTables> m_tables;
};
