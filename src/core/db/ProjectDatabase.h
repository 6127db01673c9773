#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One open project database: a SQLite file reached through its own Qt SQL
// connection. Everything written in the application's query dialect passes through
// the dialect translation here. Stored queries live in a table of their own inside
// the file, created when the first one is stored.
class ProjectDatabase
{
public:
    ProjectDatabase();
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    // Whether Qt's SQLite driver can be loaded on this machine.
    static bool isEngineAvailable();
    // What to tell the user when it cannot.
    static QString missingEngineMessage();

    // Opens an existing database file; false (see lastError) when the file is
    // missing or is not a database.
    bool open(const QString& path);
    // Creates a new, empty database file; false when it exists already or cannot
    // be created.
    bool create(const QString& path);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }
    QString lastError() const { return m_lastError; }

    QSqlDatabase connection() const;

    // A statement prepared from application-dialect text (square-bracketed names,
    // #m/d/y# dates, TRUE/FALSE, TOP n). Nothing when it does not translate or prepare.
    std::optional<QSqlQuery> prepare(const QString& dialectSql);
    // Runs application-dialect text that returns no rows.
    bool exec(const QString& dialectSql);
    // Runs SQLite text as it stands (for the engine's own statements).
    bool execNative(const QString& sql);

    // One row of a numeric stream: every column as a real, and whether it was NULL.
    struct NumericRow
    {
        const double* values = nullptr;
        const bool* nulls = nullptr;
        int columns = 0;
    };
    // Runs a query whose columns are all numbers and hands each row to `row`
    // straight from the engine, without making a value object of every column:
    // the bulk read behind aggregates over millions of records. `row` returns
    // false to stop early. False, with lastError() set, when the query fails.
    bool streamNumericRows(const QString& sql, const QList<double>& values,
                           const std::function<bool(const NumericRow&)>& row);

    bool tableExists(const QString& table) const;
    bool columnExists(const QString& table, const QString& column) const;
    // The project tables in the file, without the engine's and our own
    // bookkeeping tables.
    QStringList tableNames() const;

    // Stored queries. Their text is kept in a normalised form: one clause a line,
    // each line ended by CR LF, the last clause followed by ";" CR LF.
    bool CreateQueryDef(const QString& name, const QString& sql);
    bool QueryDefExists(const QString& name) const;
    std::optional<QString> QueryDefSql(const QString& name) const;
    bool SetQueryDefSql(const QString& name, const QString& sql);
    bool DeleteQueryDef(const QString& name);
    // In the order they were stored.
    QStringList QueryDefNames() const;

    // Transactions nest: the outermost is a database transaction, inner ones are
    // savepoints. Prefer the Transaction guard.
    bool beginTransaction();
    bool commitTransaction();
    bool rollbackTransaction();
    int transactionDepth() const { return m_transactionDepth; }

    // Rewrites the whole file into a compact copy at `target` (which must not exist).
    bool compactInto(const QString& target);

private:
    bool connect(const QString& path);
    bool configure();
    bool ensureQueryTable();
    bool fail(const QString& message);
    // Checks that the text translates and the engine accepts it.
    bool checkQuery(const QString& dialectSql);

    QString m_connectionName;
    QString m_path;
    mutable QString m_lastError;
    int m_transactionDepth = 0;
};

// The transaction of one user operation: begun on construction, rolled back on
// destruction unless committed. A crash in the middle leaves the file as before.
class [[nodiscard]] Transaction
{
public:
    explicit Transaction(ProjectDatabase& db) : m_db(db), m_active(db.beginTransaction()) {}
    ~Transaction()
    {
        if (m_active)
            m_db.rollbackTransaction();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit()
    {
        if (!m_active)
            return false;
        m_active = false;
        return m_db.commitTransaction();
    }

private:
    ProjectDatabase& m_db;
    bool m_active;
};
