#include "ProjectDatabase.h"

#include "Dialect.h"
#include "core/common/FoldedText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <atomic>
#include <memory>
#include <vector>

#include <sqlite3.h>

namespace {

const QString kDriver = QStringLiteral("QSQLITE");
// Where stored queries are kept; no listing shows it.
const QString kQueryTable = QStringLiteral("qm_stored_queries");
// How long a statement waits for a lock another program holds on the file
// before it fails. Short, so that a project another program is writing is
// reported promptly instead of leaving the window frozen.
constexpr int kLockWaitMs = 2000;

// The engine's primary result code behind an error of Qt's SQLite driver.
int EngineCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : SQLITE_ERROR;
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("qm-project-%1").arg(++counter);
}

} // namespace

ProjectDatabase::ProjectDatabase() : m_connectionName(nextConnectionName()) {}

ProjectDatabase::~ProjectDatabase()
{
    close();
}

bool ProjectDatabase::isEngineAvailable()
{
    return QSqlDatabase::isDriverAvailable(kDriver);
}

QString ProjectDatabase::missingEngineMessage()
{
    return QStringLiteral("Unable to use database. The SQLite driver of Qt SQL (QSQLITE) is not installed.\n\n"
                          "Install the Debian package libqt6sql6-sqlite (apt-get install libqt6sql6-sqlite) "
                          "and start Quillmark again.");
}

bool ProjectDatabase::fail(const QString& message)
{
    m_lastError = message;
    m_lastErrorIsLock = false;
    m_lastErrorIsDisk = false;
    return false;
}

bool ProjectDatabase::fail(const QSqlError& error)
{
    m_lastError = error.text();
    m_lastErrorIsLock = isLockError(error);
    m_lastErrorIsDisk = EngineCode(error) == SQLITE_IOERR || EngineCode(error) == SQLITE_FULL;
    return false;
}

bool ProjectDatabase::isLockError(const QSqlError& error)
{
    const int code = EngineCode(error);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

void ProjectDatabase::noteReadFailure(const QSqlError& error) const
{
    failRead(EngineCode(error), error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

bool ProjectDatabase::readSucceeded(const QSqlQuery& query) const
{
    if (!query.lastError().isValid())
        return true;
    return failRead(query.lastError());
}

bool ProjectDatabase::failRead(const QSqlError& error) const
{
    noteReadFailure(error);
    return false;
}

bool ProjectDatabase::failRead(int code, const QString& text) const
{
    ++m_readFailureCount;
    code &= 0xff;
    const bool damaged =
        code == SQLITE_CORRUPT || code == SQLITE_NOTADB || code == SQLITE_IOERR || code == SQLITE_FORMAT;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        m_lastReadFailure.status = Status::FileNotAccessible;
    else
        m_lastReadFailure.status = damaged ? Status::FileCorrupt : Status::OperationFailed;
    m_lastReadFailure.detail = text;
    m_lastErrorIsDisk = code == SQLITE_IOERR || code == SQLITE_FULL;
    // A lock passes; a file that reads wrong stays wrong.
    if (damaged)
        m_damaged = true;
    m_lastError = text;
    return false;
}

std::optional<ProjectDatabase::ReadFailure> ProjectDatabase::readFailureSince(quint64 readFailures) const
{
    if (m_readFailureCount == readFailures && !m_damaged)
        return std::nullopt;
    return m_lastReadFailure;
}

QString ReadFailureText(const ProjectDatabase::ReadFailure& failure)
{
    const QString message = StatusMessage(failure.status);
    return failure.detail.isEmpty() ? message : message + QStringLiteral("\n\n") + failure.detail;
}

void ReportReadFailure(Prompter& prompter, const ProjectDatabase::ReadFailure& failure)
{
    prompter.message(ReadFailureText(failure), AppTitle(), Prompter::Icon::Exclamation);
}

void WarnUnlessDamaged(Prompter& prompter, const ProjectDatabase& db, const QString& text,
                       const QString& title)
{
    if (db.isDamaged())
        ReportReadFailure(prompter, db.lastReadFailure());
    else
        warn(prompter, text, title.isEmpty() ? AppTitle() : title);
}

void ReportOperationFailure(Prompter& prompter, const ProjectDatabase& db)
{
    QString text;
    if (const std::optional<ProjectDatabase::ReadFailure> failure =
            db.readFailureSince(db.readFailuresAtLastBegin()))
        text = ReadFailureText(*failure);
    else if (db.lastErrorIsLock())
        text = ReadFailureText({Status::FileNotAccessible, db.lastError()});
    else if (!db.refusedValue().isEmpty())
        text = db.refusedValue();
    else if (db.lastErrorIsDisk())
        text = StatusMessage(Status::OperationFailed) + QStringLiteral("\n\n") + db.lastError();
    else
        text = StatusMessage(Status::OperationFailed);
    prompter.message(text, AppTitle(), Prompter::Icon::Exclamation);
}

QSqlDatabase ProjectDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool ProjectDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

bool ProjectDatabase::open(const QString& path)
{
    close();
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return fail(QStringLiteral("The file %1 does not exist.").arg(path));
    if (!connect(path))
        return false;
    if (!configure()) {
        const QString error = m_lastError;
        const bool locked = m_lastErrorIsLock;
        const bool disk = m_lastErrorIsDisk;
        close();
        fail(error);
        m_lastErrorIsLock = locked;
        m_lastErrorIsDisk = disk;
        return false;
    }
    return true;
}

bool ProjectDatabase::create(const QString& path)
{
    if (QFileInfo::exists(path))
        return fail(QStringLiteral("The file %1 exists already.").arg(path));
    close();
    // The engine makes the file as it connects, even when the connection fails.
    if (!connect(path)) {
        removeFile(path);
        return false;
    }
    // SQLite writes nothing until the first statement: make the file exist now.
    if (!configure() || !execNative(QStringLiteral("PRAGMA user_version = 35"))) {
        const QString error = m_lastError;
        close();
        removeFile(path);
        return fail(error);
    }
    return true;
}

void ProjectDatabase::removeFile(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

bool ProjectDatabase::connect(const QString& path)
{
    if (!isEngineAvailable())
        return fail(missingEngineMessage());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitMs));
        if (!db.open()) {
            fail(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            return false;
        }
    }
    m_path = path;
    m_readFailureCount = 0;
    m_lastReadFailure = ReadFailure();
    m_damaged = false;
    return true;
}

sqlite3* ProjectDatabase::engine() const
{
    if (!QSqlDatabase::contains(m_connectionName))
        return nullptr;
    const QVariant handle = connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

QStringList ProjectDatabase::busyStatements() const
{
    QStringList busy;
    sqlite3* sqlite = engine();
    if (sqlite == nullptr)
        return busy;
    for (sqlite3_stmt* statement = sqlite3_next_stmt(sqlite, nullptr); statement != nullptr;
         statement = sqlite3_next_stmt(sqlite, statement)) {
        if (sqlite3_stmt_busy(statement))
            busy.append(QString::fromUtf8(sqlite3_sql(statement)));
    }
    return busy;
}

bool ProjectDatabase::configure()
{
    // SQLite would read a double-quoted name that matches no column as a text
    // value, so a misspelt field would quietly match nothing. Names only, please.
    if (sqlite3* sqlite = engine()) {
        sqlite3_db_config(sqlite, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(sqlite, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        // After some I/O errors (a failed read in the middle of a statement)
        // the engine rolls the whole transaction back by itself. The writes
        // the operation goes on to make would then each commit on their own,
        // half an operation, unless those commits are refused.
        sqlite3_commit_hook(sqlite, &ProjectDatabase::vetoStrayCommit, this);
        // Lists order text by the same comparison wherever they are sorted.
        sqlite3_create_collation_v2(sqlite, kFoldedCollation, SQLITE_UTF16_ALIGNED, nullptr, &compareFolded,
                                    nullptr);
    }
    // A single-file project with a rollback journal; every commit reaches the disk.
    // Reading the schema first proves the file is a database at all.
    return execNative(QStringLiteral("SELECT count(*) FROM sqlite_master"))
        && execNative(QStringLiteral("PRAGMA journal_mode = DELETE"))
        && execNative(QStringLiteral("PRAGMA synchronous = FULL"))
        && execNative(QStringLiteral("PRAGMA cache_size = -65536"))
        && execNative(QStringLiteral("PRAGMA foreign_keys = OFF"));
}

int ProjectDatabase::compareFolded(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    // Lengths are in bytes of native UTF-16.
    return CompareFoldedText(QStringView(static_cast<const char16_t*>(a), lengthA / 2),
                             QStringView(static_cast<const char16_t*>(b), lengthB / 2));
}

int ProjectDatabase::vetoStrayCommit(void* database)
{
    // Our own COMMIT comes once the depth is back at 0; anything that commits
    // while it is above is a statement running outside the transaction it
    // was meant for.
    return static_cast<ProjectDatabase*>(database)->m_transactionDepth > 0 ? 1 : 0;
}

void ProjectDatabase::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen()) {
            while (m_transactionDepth > 0)
                rollbackTransaction();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_transactionDepth = 0;
    m_path.clear();
}

std::optional<QSqlQuery> ProjectDatabase::prepare(const QString& dialectSql)
{
    const TranslatedSql translated = TranslateQuery(dialectSql);
    if (!translated.ok) {
        m_lastError = translated.error;
        return std::nullopt;
    }
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(translated.sql)) {
        m_lastError = query.lastError().text();
        return std::nullopt;
    }
    return query;
}

bool ProjectDatabase::exec(const QString& dialectSql)
{
    std::optional<QSqlQuery> query = prepare(dialectSql);
    if (!query)
        return false;
    if (!query->exec())
        return fail(query->lastError());
    return true;
}

bool ProjectDatabase::execNative(const QString& sql)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return fail(query.lastError());
    return true;
}

bool ProjectDatabase::tableExists(const QString& table) const
{
    return schemaHas(QStringLiteral("table"), table, QStringLiteral(" COLLATE NOCASE"));
}

bool ProjectDatabase::indexExists(const QString& index) const
{
    return schemaHas(QStringLiteral("index"), index, QString());
}

std::optional<QStringList> ProjectDatabase::integrityProblems(const QString& path, IntegrityCheck depth,
                                                              QString* error)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> engine(raw, sqlite3_close_v2);
    const char* pragma = depth == IntegrityCheck::Full ? "PRAGMA integrity_check" : "PRAGMA quick_check";
    sqlite3_stmt* statement = nullptr;
    if (opened != SQLITE_OK || sqlite3_prepare_v2(engine.get(), pragma, -1, &statement, nullptr) != SQLITE_OK) {
        if (error)
            *error = engine ? QString::fromUtf8(sqlite3_errmsg(engine.get()))
                            : QString::fromUtf8(sqlite3_errstr(opened));
        return std::nullopt;
    }
    QStringList problems;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        problems.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(engine.get()));
        return std::nullopt;
    }
    // The engine answers one "ok" when it found nothing.
    if (problems == QStringList{QStringLiteral("ok")})
        problems.clear();
    return problems;
}

bool ProjectDatabase::schemaHas(const QString& type, const QString& name, const QString& collation) const
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = ? AND name = ?") + collation);
    query.addBindValue(type);
    query.addBindValue(name);
    const bool found = query.exec() && query.next();
    readSucceeded(query);
    return found;
}

bool ProjectDatabase::columnExists(const QString& table, const QString& column) const
{
    return connection().record(table).indexOf(column) >= 0;
}

QStringList ProjectDatabase::tableNames() const
{
    QStringList names;
    QSqlQuery query(connection());
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
                              "AND name <> '%1' ORDER BY rowid")
                   .arg(kQueryTable));
    while (query.next())
        names.append(query.value(0).toString());
    readSucceeded(query);
    return names;
}

bool ProjectDatabase::checkQuery(const QString& dialectSql)
{
    return prepare(dialectSql).has_value();
}

bool ProjectDatabase::ensureQueryTable()
{
    return execNative(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                                     "Name TEXT NOT NULL UNIQUE COLLATE NOCASE, SqlText TEXT NOT NULL)")
                          .arg(kQueryTable));
}

bool ProjectDatabase::CreateQueryDef(const QString& name, const QString& sql)
{
    if (name.trimmed().isEmpty())
        return fail(QStringLiteral("A stored query needs a name."));
    if (QueryDefExists(name))
        return fail(QStringLiteral("A stored query named %1 exists already.").arg(name));
    // A query the engine cannot run is refused now, not when a list opens it.
    if (!checkQuery(sql) || !ensureQueryTable())
        return false;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("INSERT INTO %1 (Name, SqlText) VALUES (?, ?)").arg(kQueryTable));
    query.addBindValue(name);
    query.addBindValue(NormalizeStoredQuery(sql));
    if (!query.exec())
        return fail(query.lastError().text());
    return true;
}

bool ProjectDatabase::QueryDefExists(const QString& name) const
{
    return QueryDefSql(name).has_value();
}

std::optional<QString> ProjectDatabase::QueryDefSql(const QString& name) const
{
    if (!tableExists(kQueryTable))
        return std::nullopt;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT SqlText FROM %1 WHERE Name = ?").arg(kQueryTable));
    query.addBindValue(name);
    if (!query.exec() || !query.next()) {
        readSucceeded(query);
        return std::nullopt;
    }
    return query.value(0).toString();
}

bool ProjectDatabase::SetQueryDefSql(const QString& name, const QString& sql)
{
    if (!QueryDefExists(name))
        return fail(QStringLiteral("There is no stored query named %1.").arg(name));
    if (!checkQuery(sql))
        return false;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("UPDATE %1 SET SqlText = ? WHERE Name = ?").arg(kQueryTable));
    query.addBindValue(NormalizeStoredQuery(sql));
    query.addBindValue(name);
    if (!query.exec())
        return fail(query.lastError().text());
    return true;
}

bool ProjectDatabase::DeleteQueryDef(const QString& name)
{
    if (!QueryDefExists(name))
        return fail(QStringLiteral("There is no stored query named %1.").arg(name));
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE Name = ?").arg(kQueryTable));
    query.addBindValue(name);
    if (!query.exec())
        return fail(query.lastError().text());
    return true;
}

QStringList ProjectDatabase::QueryDefNames() const
{
    QStringList names;
    if (!tableExists(kQueryTable))
        return names;
    QSqlQuery query(connection());
    query.exec(QStringLiteral("SELECT Name FROM %1 ORDER BY Seq").arg(kQueryTable));
    while (query.next())
        names.append(query.value(0).toString());
    readSucceeded(query);
    return names;
}

bool ProjectDatabase::beginTransaction()
{
    if (!isOpen())
        return fail(QStringLiteral("No database is open."));
    const bool ok = m_transactionDepth == 0
        ? execNative(QStringLiteral("BEGIN IMMEDIATE"))
        : execNative(QStringLiteral("SAVEPOINT qm_sp%1").arg(m_transactionDepth));
    if (ok && m_transactionDepth == 0) {
        m_readFailuresAtBegin = m_readFailureCount;
        m_lastErrorIsLock = false;
        m_refusedValue.clear();
    }
    if (ok)
        ++m_transactionDepth;
    return ok;
}

bool ProjectDatabase::commitTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("No transaction is open."));
    --m_transactionDepth;
    if (m_transactionDepth > 0)
        return execNative(QStringLiteral("RELEASE SAVEPOINT qm_sp%1").arg(m_transactionDepth));
    if (execNative(QStringLiteral("COMMIT")))
        return true;
    // A failed commit (full disk) must not leave the transaction half open.
    const QString error = m_lastError;
    const bool disk = m_lastErrorIsDisk;
    rollbackOutermost();
    fail(error);
    m_lastErrorIsDisk = disk;
    return false;
}

bool ProjectDatabase::commitTransactionAfterReads(quint64 readFailures)
{
    if (const std::optional<ReadFailure> failure = readFailureSince(readFailures)) {
        rollbackTransaction();
        return fail(ReadFailureText(*failure));
    }
    return commitTransaction();
}

bool ProjectDatabase::rollbackTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("No transaction is open."));
    --m_transactionDepth;
    if (m_transactionDepth > 0) {
        return execNative(QStringLiteral("ROLLBACK TO SAVEPOINT qm_sp%1").arg(m_transactionDepth))
            && execNative(QStringLiteral("RELEASE SAVEPOINT qm_sp%1").arg(m_transactionDepth));
    }
    return rollbackOutermost();
}

bool ProjectDatabase::rollbackOutermost()
{
    // After some I/O errors the engine has rolled the transaction back by
    // itself; a ROLLBACK then would only put its own complaint in place of
    // the error the user is to be told.
    sqlite3* sqlite = engine();
    if (sqlite != nullptr && sqlite3_get_autocommit(sqlite) != 0)
        return true;
    return execNative(QStringLiteral("ROLLBACK"));
}

bool ProjectDatabase::compactInto(const QString& target)
{
    if (QFileInfo::exists(target))
        return fail(QStringLiteral("The file %1 exists already.").arg(target));
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(target);
    if (!query.exec())
        return fail(query.lastError().text());
    return true;
}

namespace {

// The value of a column as the SQLite driver hands it out, for the rare kinds
// the streamed reads do not convert themselves.
QVariant DriverValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    default:
        return QString(static_cast<const QChar*>(sqlite3_column_text16(statement, column)),
                       sqlite3_column_bytes16(statement, column) / static_cast<int>(sizeof(QChar)));
    }
}

} // namespace

bool ProjectDatabase::stepStatement(const QString& sql, const std::function<void(sqlite3_stmt*)>& start,
                                    const std::function<bool(sqlite3_stmt*)>& row)
{
    sqlite3* engine = this->engine();
    if (engine == nullptr)
        return fail(QStringLiteral("The project database is not open."));
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* prepared = nullptr;
    const int prepareStatus =
        sqlite3_prepare_v2(engine, text.constData(), static_cast<int>(text.size()), &prepared, nullptr);
    if (prepareStatus != SQLITE_OK)
        return failRead(prepareStatus, QString::fromUtf8(sqlite3_errmsg(engine)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(prepared, sqlite3_finalize);
    start(prepared);
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(prepared)) == SQLITE_ROW) {
        if (!row(prepared))
            return true;
    }
    return status == SQLITE_DONE || failRead(status, QString::fromUtf8(sqlite3_errmsg(engine)));
}

bool ProjectDatabase::streamIdAndTexts(const QString& sql,
                                       const std::function<void(qint32 id, QStringView text)>& row)
{
    return stepStatement(sql, [](sqlite3_stmt*) {}, [&row](sqlite3_stmt* statement) {
        const qint32 id = sqlite3_column_int(statement, 0);
        const int type = sqlite3_column_type(statement, 1);
        if (type == SQLITE_TEXT) {
            const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, 1));
            row(id, QStringView(text, sqlite3_column_bytes16(statement, 1) / qsizetype(sizeof(char16_t))));
        } else if (type == SQLITE_NULL) {
            row(id, QStringView());
        } else {
            row(id, DriverValue(statement, 1).toString());
        }
        return true;
    });
}

bool ProjectDatabase::streamIdAndWholeNumbers(const QString& sql,
                                              const std::function<void(qint32 id, qint32 number)>& row)
{
    return stepStatement(sql, [](sqlite3_stmt*) {}, [&row](sqlite3_stmt* statement) {
        const qint32 id = sqlite3_column_int(statement, 0);
        const int type = sqlite3_column_type(statement, 1);
        if (type == SQLITE_INTEGER)
            row(id, static_cast<qint32>(sqlite3_column_int64(statement, 1)));
        else if (type == SQLITE_NULL)
            row(id, 0);
        else
            row(id, DriverValue(statement, 1).toInt());
        return true;
    });
}

bool ProjectDatabase::streamNumericRows(const QString& sql, const QList<double>& values,
                                        const std::function<bool(const NumericRow&)>& row)
{
    std::vector<double> numbers;
    std::unique_ptr<bool[]> nulls;
    NumericRow current{nullptr, nullptr, 0};
    const auto start = [&](sqlite3_stmt* statement) {
        for (qsizetype i = 0; i < values.size(); ++i)
            sqlite3_bind_double(statement, static_cast<int>(i + 1), values.at(i));
        const int columns = sqlite3_column_count(statement);
        numbers.resize(static_cast<size_t>(columns));
        nulls.reset(new bool[static_cast<size_t>(columns)]);
        current = NumericRow{numbers.data(), nulls.get(), columns};
    };
    return stepStatement(sql, start, [&](sqlite3_stmt* statement) {
        for (int c = 0; c < current.columns; ++c) {
            nulls[static_cast<size_t>(c)] = sqlite3_column_type(statement, c) == SQLITE_NULL;
            numbers[static_cast<size_t>(c)] = sqlite3_column_double(statement, c);
        }
        return row(current);
    });
}
