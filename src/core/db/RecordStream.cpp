#include "RecordStream.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <optional>

#include <sqlite3.h>

namespace {

// Prepares SQLite text, hands the column names to `columns` and every row, up
// to `mostRows` when that is 0 or more, to `row`; false, with the failure
// noted, when it does not prepare or stops.
bool StepRows(ProjectDatabase& db, const QString& sql, std::optional<qint32> key,
              const std::function<void(const QStringList&)>& columns, const StreamedRowHandler& row,
              qint64 mostRows = -1)
{
    const auto start = [&](sqlite3_stmt* statement) {
        if (key)
            sqlite3_bind_int(statement, 1, *key);
        if (columns) {
            QStringList names;
            const int count = sqlite3_column_count(statement);
            for (int c = 0; c < count; ++c)
                names.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
            columns(names);
        }
    };
    qint64 done = 0;
    return db.stepStatement(sql, start, [&](sqlite3_stmt* statement) {
        if (mostRows >= 0 && done >= mostRows)
            return false;
        ++done;
        if (row)
            row(StreamedRow(statement));
        return true;
    });
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
