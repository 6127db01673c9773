#include "RecordStream.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <QSqlDriver>
#include <QSqlError>

#include <memory>
#include <optional>

#include <sqlite3.h>

namespace {

sqlite3* EngineOf(const ProjectDatabase& db)
{
    if (!db.isOpen())
        return nullptr;
    const QVariant handle = db.connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool NoteFailure(const ProjectDatabase& db, int code, const QString& text)
{
    db.noteReadFailure(QSqlError(QString(), text, QSqlError::StatementError, QString::number(code)));
    return false;
}

// Prepares SQLite text, hands the column names to `columns` and every row to
// `row`; false, with the failure noted, when it does not prepare or stops.
bool StepRows(ProjectDatabase& db, const QString& sql, std::optional<qint32> key,
              const std::function<void(const QStringList&)>& columns, const StreamedRowHandler& row,
              qint64 mostRows = -1)
{
    sqlite3* engine = EngineOf(db);
    if (engine == nullptr)
        return NoteFailure(db, SQLITE_MISUSE, QStringLiteral("The project database is not open."));
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* prepared = nullptr;
    const int prepareStatus =
        sqlite3_prepare_v2(engine, text.constData(), static_cast<int>(text.size()), &prepared, nullptr);
    if (prepareStatus != SQLITE_OK)
        return NoteFailure(db, prepareStatus, QString::fromUtf8(sqlite3_errmsg(engine)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(prepared, sqlite3_finalize);
    if (key)
        sqlite3_bind_int(prepared, 1, *key);
    if (columns) {
        QStringList names;
        const int count = sqlite3_column_count(prepared);
        for (int c = 0; c < count; ++c)
            names.append(QString::fromUtf8(sqlite3_column_name(prepared, c)));
        columns(names);
    }
    const StreamedRow current(prepared);
    int status = SQLITE_ROW;
    for (qint64 done = 0; mostRows < 0 || done < mostRows; ++done) {
        if ((status = sqlite3_step(prepared)) != SQLITE_ROW)
            break;
        if (row)
            row(current);
    }
    if (status == SQLITE_ROW)
        return true;
    return status == SQLITE_DONE || NoteFailure(db, status, QString::fromUtf8(sqlite3_errmsg(engine)));
}

QString SelectColumns(const QString& table, const QStringList& columns)
{
    QString sql = QStringLiteral("SELECT \"ID\"");
    for (const QString& column : columns)
        sql += QLatin1Char(',') + SqlName(column);
    return sql + QStringLiteral(" FROM ") + SqlName(table);
}

} // namespace

bool StreamedRow::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 StreamedRow::whole(int column) const
{
    // A real in a whole-number column is taken to its nearest whole number.
    if (sqlite3_column_type(m_statement, column) == SQLITE_FLOAT)
        return qRound64(sqlite3_column_double(m_statement, column));
    return sqlite3_column_int64(m_statement, column);
}

double StreamedRow::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QStringView StreamedRow::textView(int column) const
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(m_statement, column));
    if (text == nullptr)
        return QStringView();
    return QStringView(text, sqlite3_column_bytes16(m_statement, column) / qsizetype(sizeof(char16_t)));
}

RecordStreamStatus StreamReportRecords(ProjectDatabase& db, const QString& table, const QString& queryName,
                                       const std::function<void(const QStringList& columns)>& columns,
                                       const StreamedRowHandler& row, qint64 mostRows)
{
    QString sql;
    if (queryName.isEmpty()) {
        sql = QStringLiteral("SELECT * FROM ") + SqlName(table) + QStringLiteral(" ORDER BY \"ID\"");
    } else {
        const std::optional<QString> stored = db.QueryDefSql(queryName);
        if (!stored)
            return RecordStreamStatus::QueryMissing;
        const TranslatedSql translated = TranslateQuery(*stored);
        if (!translated.ok)
            return RecordStreamStatus::Failed;
        sql = translated.sql;
    }
    return StepRows(db, sql, std::nullopt, columns, row, mostRows) ? RecordStreamStatus::Read
                                                                   : RecordStreamStatus::Failed;
}

bool StreamTableColumns(ProjectDatabase& db, const QString& table, const QStringList& columns,
                        const StreamedRowHandler& row)
{
    return StepRows(db, SelectColumns(table, columns) + QStringLiteral(" ORDER BY \"ID\""), std::nullopt, {},
                    row);
}

bool StreamTableColumnsWhere(ProjectDatabase& db, const QString& table, const QStringList& columns,
                             const QString& keyColumn, qint32 key, const StreamedRowHandler& row)
{
    return StepRows(db,
                    SelectColumns(table, columns) + QStringLiteral(" WHERE ") + SqlName(keyColumn) +
                        QStringLiteral(" = ? ORDER BY \"ID\""),
                    key, {}, row);
}
