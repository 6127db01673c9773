#pragma once

#include "ProjectDatabase.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <functional>
#include <optional>

// Reads that callers above the database layer describe by table and column
// names; the statements themselves are made here.

// A column of a numeric read: one of the table read, or one of the item its
// record's ItemID names (NULL when there is no such item).
struct NumericColumn
{
    QString name;
    bool ofItem = false;
};

// Days from fromDay up to, not including, toDay.
struct DayRange
{
    double fromDay = 0;
    double toDay = 0;
};

// Which numeric columns of which records to read, in ID order.
struct NumericRead
{
    QString table;
    // When empty, the records' IDs alone are read: a statistic of constants
    // still counts records.
    QList<NumericColumn> columns;
    // The column holding each record's day, which the ranges below test.
    QString dayColumn;
    // Set: only the records whose day lies in this range.
    std::optional<DayRange> only;
    // After the columns, one more for each of these ranges: 1 when the
    // record's day lies in it, otherwise 0.
    QList<DayRange> tests;
    // Set: only the record with this ID.
    std::optional<qint32> id;
};

// Hands every row of the read to `row` (see ProjectDatabase::streamNumericRows);
// false, with the database's lastError() set, when the read fails.
bool StreamNumericColumns(ProjectDatabase& db, const NumericRead& read,
                          const std::function<bool(const ProjectDatabase::NumericRow&)>& row);

// The number of records of a table; nothing, with lastError() set, when the
// read fails.
std::optional<qint64> CountRecords(ProjectDatabase& db, const QString& table);

// The highest ID of a table; nothing for an empty table, and nothing with
// `failed` set (and lastError()) when the read fails.
std::optional<qint32> HighestId(ProjectDatabase& db, const QString& table, bool& failed);

// Whether the table holds at least one record; reads one row at most. A failed
// read counts as none and is noted as a read failure.
bool TableHasRecords(ProjectDatabase& db, const QString& table);

// Each record's ID beside one column's value, in ID order. Nothing when the
// read fails, which is noted as a read failure; `error` then says why.
std::optional<QList<QPair<qint32, QVariant>>>
ReadIdAndColumn(ProjectDatabase& db, const QString& table, const QString& column, QString* error = nullptr);

// The same read handed to `row` a record at a time as the engine steps through
// them, the value as text or as a whole number (what a value object of it would
// give): for lists over whole tables, which need no value object of every row.
// False when the read fails, which is noted as a read failure.
bool StreamIdAndText(ProjectDatabase& db, const QString& table, const QString& column,
                     const std::function<void(qint32 id, QStringView text)>& row);
bool StreamIdAndWholeNumber(ProjectDatabase& db, const QString& table, const QString& column,
                            const std::function<void(qint32 id, qint32 number)>& row);
