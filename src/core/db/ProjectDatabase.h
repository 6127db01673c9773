#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Prompter;
struct sqlite3;
struct sqlite3_stmt;

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
    // Whether the last failure was a lock another program holds on the file.
    bool lastErrorIsLock() const { return m_lastErrorIsLock; }
    // Whether the last failure was the disk's (an I/O error, a full disk): the
    // file could not be read or written, whatever it holds.
    bool lastErrorIsDisk() const { return m_lastErrorIsDisk; }

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
    // Runs a query of two columns, a record's ID and one value, and hands each
    // row to `row` straight from the engine: the value as the text, or the whole
    // number, a value object of it would give. The text lives only during the
    // call. False, with lastError() set and the failure noted, when the query fails.
    bool streamIdAndTexts(const QString& sql, const std::function<void(qint32 id, QStringView text)>& row);
    bool streamIdAndWholeNumbers(const QString& sql,
                                 const std::function<void(qint32 id, qint32 number)>& row);

    // What the engine's own check of the file at `path` finds, one line a
    // fault; empty when the file is sound, nothing (with `error` set) when the
    // check cannot run. It reads through a read-only connection of its own, so
    // it can run on another thread beside the reads of an open project. The
    // quick check reads every page and record; the full one also proves that
    // every index holds exactly its table's rows, which takes many times
    // longer on a large file.
    enum class IntegrityCheck
    {
        Quick,
        Full,
    };
    static std::optional<QStringList> integrityProblems(const QString& path, IntegrityCheck depth,
                                                        QString* error = nullptr);
    bool tableExists(const QString& table) const;
    bool indexExists(const QString& index) const;
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
    // Commits unless a read has failed since `readFailures` (a count taken when
    // the transaction began) or the file has been found damaged: then the
    // transaction is rolled back and lastError says why.
    bool commitTransactionAfterReads(quint64 readFailures);

    // A read that the engine could not finish (a damaged file, a lock another
    // program holds) must never pass for an empty answer. The record layer notes
    // every failed read here; no transaction commits once a read failed inside
    // it, and once the engine has found the file damaged nothing more is
    // written to it until it is opened again.
    struct ReadFailure
    {
        // 4 for a damaged file, 7 for one another program holds, 2 for a
        // statement the engine refused
        int status = 0;
        QString detail; // the engine's words
    };
    void noteReadFailure(const QSqlError& error) const;
    // The bulk readers of this folder: prepares engine SQL `sql`, hands the
    // statement once to `start` (to bind its values or read its columns) and
    // then to `row` at each of its rows until `row` says false. False, with the
    // failure noted, when it does not prepare or stops with an error.
    bool stepStatement(const QString& sql, const std::function<void(sqlite3_stmt*)>& start,
                       const std::function<bool(sqlite3_stmt*)>& row);
    // After a query was run and its rows read: false, with the failure noted,
    // when the engine stopped with an error. Reads outside the record layer end
    // with this.
    bool readSucceeded(const QSqlQuery& query) const;
    // How many reads have failed since the file was opened.
    quint64 readFailureCount() const { return m_readFailureCount; }
    // The last failed read; status 0 when none has failed.
    const ReadFailure& lastReadFailure() const { return m_lastReadFailure; }
    bool isDamaged() const { return m_damaged; }
    // The read failure to blame for an operation that began when the count of
    // failed reads was `readFailures`: a later one, or the damage found in the
    // file at any time; nothing when neither happened.
    std::optional<ReadFailure> readFailureSince(quint64 readFailures) const;
    // The count of failed reads when the outermost transaction last began.
    quint64 readFailuresAtLastBegin() const { return m_readFailuresAtBegin; }
    // Whether the engine's error says another program holds the file.
    static bool isLockError(const QSqlError& error);
    // A value the record layer refused before writing it (a text longer than
    // its field), and why: what the user is told of the operation that
    // failed on it. Forgotten when the next outermost transaction begins.
    void noteRefusedValue(const QString& message) { m_refusedValue = message; }
    QString refusedValue() const { return m_refusedValue; }

    // Removes a database file that is not wanted any more (one whose making
    // failed, a scratch copy) with the journal beside it: a journal left
    // behind would be played back into the next file made under that name.
    static void removeFile(const QString& path);

    // Rewrites the whole file into a compact copy at `target` (which must not exist).
    bool compactInto(const QString& target);

    // The text of every statement of this connection that is part-way through
    // its rows. Each one holds the file's read lock, which blocks compaction,
    // copying and every other process's writes, so none may outlive the
    // operation or list load that ran it.
    QStringList busyStatements() const;

private:
    bool connect(const QString& path);
    bool configure();
    // The engine's commit hook: vetoes a commit made while one of our
    // transactions is open (see configure).
    static int vetoStrayCommit(void* database);
    bool schemaHas(const QString& type, const QString& name, const QString& collation) const;
    static int compareFolded(void*, int lengthA, const void* a, int lengthB, const void* b);
    bool rollbackOutermost();
    bool ensureQueryTable();
    bool fail(const QString& message);
    bool fail(const QSqlError& error);
    // Notes a failed read (the engine's result code and words) and fails with it.
    bool failRead(int code, const QString& text) const;
    bool failRead(const QSqlError& error) const;
    // The engine's connection; null while nothing is open.
    sqlite3* engine() const;

    // Checks that the text translates and the engine accepts it.
    bool checkQuery(const QString& dialectSql);

    QString m_connectionName;
    QString m_path;
    mutable QString m_lastError;
    bool m_lastErrorIsLock = false;
    mutable bool m_lastErrorIsDisk = false;
    int m_transactionDepth = 0;
    // Reads of stored queries and of the schema note their failures too.
    mutable quint64 m_readFailureCount = 0;
    quint64 m_readFailuresAtBegin = 0;
    QString m_refusedValue;
    mutable ReadFailure m_lastReadFailure;
    mutable bool m_damaged = false;
};

// The text that tells the user about a failed read: the status message, then the
// engine's words.
QString ReadFailureText(const ProjectDatabase::ReadFailure& failure);

// Tells the user about a read that did not finish, found with readFailureSince:
// a list or record it left short must not pass for what the project holds.
void ReportReadFailure(Prompter& prompter, const ProjectDatabase::ReadFailure& failure);

// Warns the user with `text`, unless the engine has found the file damaged
// (a read failed on it): then a record or list that read short must not be
// taken for one that is missing or empty, and the user is told of the
// failure instead. Nothing can be saved to the file then anyway.
void WarnUnlessDamaged(Prompter& prompter, const ProjectDatabase& db, const QString& text,
                       const QString& title = QString());

// Tells the user that an operation on the project failed: that the file is
// damaged or held by another program when a read or lock stopped the
// operation, which value did not fit its field when that stopped it, else
// that the operation could not be completed (with the engine's words when
// the disk failed).
void ReportOperationFailure(Prompter& prompter, const ProjectDatabase& db);

// The transaction of one user operation: begun on construction, rolled back on
// destruction unless committed. A crash in the middle leaves the file as before.
class [[nodiscard]] Transaction
{
public:
    explicit Transaction(ProjectDatabase& db)
        : m_db(db), m_readFailures(db.readFailureCount()), m_active(db.beginTransaction())
    {
    }
    ~Transaction()
    {
        if (m_active)
            m_db.rollbackTransaction();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    ProjectDatabase& database() const { return m_db; }
    // Refused (and rolled back) when a read failed since the transaction began:
    // nothing is written on the strength of a read that did not finish.
    bool commit()
    {
        if (!m_active)
            return false;
        m_active = false;
        return m_db.commitTransactionAfterReads(m_readFailures);
    }

private:
    ProjectDatabase& m_db;
    quint64 m_readFailures;
    bool m_active;
};
