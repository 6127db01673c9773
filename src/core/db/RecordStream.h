#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <functional>

class ProjectDatabase;
struct sqlite3_stmt;

// One row of a streamed read, straight from the engine: each column read as a
// whole number, a real or text without a value object per column. Valid only
// during the call it is handed to.
class StreamedRow
{
public:
    explicit StreamedRow(sqlite3_stmt* statement) : m_statement(statement) {}

    bool isNull(int column) const;
    qint64 whole(int column) const;
    double real(int column) const;
    // The text lives only during the call.
    QStringView textView(int column) const;
    QString text(int column) const { return textView(column).toString(); }

private:
    sqlite3_stmt* m_statement;
};

using StreamedRowHandler = std::function<void(const StreamedRow&)>;

// How a read of a report's records ended.
enum class RecordStreamStatus
{
    Read,
    QueryMissing, // no stored query of that name
    Failed,       // the table or the query could not be opened or read
};

// Every record of `table` in table order, or, when `queryName` is not empty,
// every row of that stored query in its own order. `columns` receives the
// names of the result's columns before the first row. A read that stops on an
// error is noted with the database and gives Failed; the rows handed over
// until then are not the report. With `mostRows` at 0 or above, the read stops
// after that many rows (0: only whether the records can be opened).
RecordStreamStatus StreamReportRecords(ProjectDatabase& db, const QString& table, const QString& queryName,
                                       const std::function<void(const QStringList& columns)>& columns,
                                       const StreamedRowHandler& row, qint64 mostRows = -1);

// The ID and the given columns of every record of a table, in ID order: the
// lookups of a long listing, read once. False when the read fails.
bool StreamTableColumns(ProjectDatabase& db, const QString& table, const QStringList& columns,
                        const StreamedRowHandler& row);

// The ID and the given columns of the records of a table whose `keyColumn`
// equals `key`, in ID order. False when the read fails.
bool StreamTableColumnsWhere(ProjectDatabase& db, const QString& table, const QStringList& columns,
                             const QString& keyColumn, qint32 key, const StreamedRowHandler& row);
