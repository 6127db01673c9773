#pragma once

#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QString>

#include <memory>

// The scale-M project every benchmark runs on. It is generated once into a cache
// folder and reused while the stamp written after a complete generation matches
// the generator's version; otherwise it is generated again from scratch.
class BenchProject
{
public:
    // $QM_BENCH_DIR, or /tmp/qm-bench.
    static QString cacheDirectory();

    explicit BenchProject(const QString& directory);
    ~BenchProject();
    BenchProject(const BenchProject&) = delete;
    BenchProject& operator=(const BenchProject&) = delete;

    // Generates the project when the cache holds no complete one, then opens it
    // with all ten tables. False with error() set when either fails.
    bool prepare();
    void close();

    QString databasePath() const;
    QString error() const { return m_error; }
    ProjectDatabase& database() { return m_db; }
    ProjectTables& tables() { return *m_tables; }

    // The project the running benchmarks use; set while one is prepared.
    static BenchProject& current() { return *s_current; }

private:
    QString stampPath() const;
    QString expectedStamp() const;
    bool isCached() const;
    bool generate();
    bool fail(const QString& message);

    QString m_directory;
    QString m_error;
    ProjectDatabase m_db;
    std::unique_ptr<ProjectTables> m_tables;

    static BenchProject* s_current;
};
