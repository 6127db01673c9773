#include "TableReads.h"

#include "Dialect.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// "t" is the table read, "i" the item a record refers to.
QString qualified(const NumericColumn& column)
{
    return (column.ofItem ? QStringLiteral("i.") : QStringLiteral("t.")) + SqlName(column.name);
}

// The single number a query gives; nothing when it fails.
std::optional<double> singleNumber(ProjectDatabase& db, const QString& sql, bool& null)
{
    std::optional<double> number;
    const bool ran = db.streamNumericRows(sql, {}, [&](const ProjectDatabase::NumericRow& row) {
        number = row.values[0];
        null = row.nulls[0];
        return false;
    });
    return ran && number ? number : std::nullopt;
}

// Whether few of the table's records have their day in the range: an eighth
// at most, counted through the day's index against the highest ID. When the
// count fails, the read itself will tell.
bool inFewRecords(ProjectDatabase& db, const QString& table, const QString& day, const DayRange& range)
{
    const QString sql = QStringLiteral("SELECT (SELECT COUNT(*) FROM ") + SqlName(table) +
                        QStringLiteral(" t WHERE ") + day + QStringLiteral(" >= ? AND ") + day +
                        QStringLiteral(" < ?), (SELECT MAX(\"ID\") FROM ") + SqlName(table) +
                        QStringLiteral(")");
    bool few = true;
    db.streamNumericRows(sql, {range.fromDay, range.toDay}, [&](const ProjectDatabase::NumericRow& row) {
        few = row.values[0] * 8.0 <= row.values[1];
        return false;
    });
    return few;
}

} // namespace

bool StreamNumericColumns(ProjectDatabase& db, const NumericRead& read,
                          const std::function<bool(const ProjectDatabase::NumericRow&)>& row)
{
    QStringList selected;
    bool joinItem = false;
    for (const NumericColumn& column : read.columns) {
        selected.append(qualified(column));
        joinItem = joinItem || column.ofItem;
    }
    QList<double> values;
    const QString day = read.dayColumn.isEmpty() ? QString() : qualified({read.dayColumn, false});
    if (!day.isEmpty()) {
        for (const DayRange& range : read.tests) {
            selected.append(QStringLiteral("(") + day + QStringLiteral(" >= ? AND ") + day +
                            QStringLiteral(" < ?)"));
            values << range.fromDay << range.toDay;
        }
    }
    if (selected.isEmpty())
        selected.append(QStringLiteral("t.\"ID\""));

    QString sql = QStringLiteral("SELECT ") + selected.join(QLatin1Char(',')) + QStringLiteral(" FROM ") +
                  SqlName(read.table) + QStringLiteral(" t");
    if (joinItem)
        sql += QStringLiteral(" LEFT JOIN \"Items\" i ON i.\"ID\" = t.\"ItemID\"");
    QStringList conditions;
    if (read.only && !day.isEmpty()) {
        // The day's index finds the records of a short range quickly, but
        // costs several times a plain read per record and leaves them to be
        // sorted by ID; a range holding a good part of the table is read
        // faster by going through the whole table in ID order.
        const QString tested = inFewRecords(db, read.table, day, *read.only) ? day : QLatin1Char('+') + day;
        conditions.append(tested + QStringLiteral(" >= ? AND ") + tested + QStringLiteral(" < ?"));
        values << read.only->fromDay << read.only->toDay;
    }
    if (read.id) {
        conditions.append(QStringLiteral("t.\"ID\" = ?"));
        values << *read.id;
    }
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY t.\"ID\"");
    return db.streamNumericRows(sql, values, row);
}

std::optional<qint64> CountRecords(ProjectDatabase& db, const QString& table)
{
    bool null = false;
    const std::optional<double> count =
        singleNumber(db, QStringLiteral("SELECT COUNT(*) FROM ") + SqlName(table), null);
    return count ? std::optional<qint64>(static_cast<qint64>(*count)) : std::nullopt;
}

std::optional<qint32> HighestId(ProjectDatabase& db, const QString& table, bool& failed)
{
    bool null = false;
    const std::optional<double> highest =
        singleNumber(db, QStringLiteral("SELECT MAX(\"ID\") FROM ") + SqlName(table), null);
    failed = !highest;
    if (!highest || null)
        return std::nullopt;
    return static_cast<qint32>(*highest);
}

bool TableHasRecords(ProjectDatabase& db, const QString& table)
{
    bool found = false;
    db.streamNumericRows(QStringLiteral("SELECT 1 FROM ") + SqlName(table) + QStringLiteral(" LIMIT 1"), {},
                         [&](const ProjectDatabase::NumericRow&) {
                             found = true;
                             return false;
                         });
    return found;
}

namespace {

QString IdAndColumnSql(const QString& table, const QString& column)
{
    return QStringLiteral("SELECT \"ID\", %1 FROM %2 ORDER BY \"ID\"").arg(SqlName(column), SqlName(table));
}

} // namespace

bool StreamIdAndText(ProjectDatabase& db, const QString& table, const QString& column,
                     const std::function<void(qint32 id, QStringView text)>& row)
{
    return db.streamIdAndTexts(IdAndColumnSql(table, column), row);
}

bool StreamIdAndWholeNumber(ProjectDatabase& db, const QString& table, const QString& column,
                            const std::function<void(qint32 id, qint32 number)>& row)
{
    return db.streamIdAndWholeNumbers(IdAndColumnSql(table, column), row);
}

std::optional<QList<QPair<qint32, QVariant>>> ReadIdAndColumn(ProjectDatabase& db, const QString& table,
                                                              const QString& column, QString* error)
{
    QList<QPair<qint32, QVariant>> rows;
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (query.exec(IdAndColumnSql(table, column))) {
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1)});
    }
    if (db.readSucceeded(query))
        return rows;
    if (error)
        *error = query.lastError().text();
    return std::nullopt;
}
