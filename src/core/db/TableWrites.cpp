#include "TableWrites.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <QSqlError>

bool DeleteAllRecords(ProjectDatabase& db, const QString& table)
{
    return db.execNative(QStringLiteral("DELETE FROM ") + SqlName(table));
}

bool ReplaceOrderedStockOrigin(ProjectDatabase& db, qint32 origin)
{
    const QString replaced =
        QStringLiteral("CASE WHEN \"OrderID\" > 0 THEN %1 ELSE \"OrderID\" END").arg(origin);
    return db.execNative(
        QStringLiteral("UPDATE \"Stock\" SET \"OrderID\" = %1, \"POID\" = %1").arg(replaced));
}

std::optional<QSqlQuery> PrepareInsert(ProjectDatabase& db, const QString& table, const QStringList& columns,
                                       QString* error)
{
    QStringList names, marks;
    for (const QString& column : columns) {
        names.append(SqlName(column));
        marks.append(QStringLiteral("?"));
    }
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(SqlName(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))) {
        if (error)
            *error = query.lastError().text();
        return std::nullopt;
    }
    return query;
}
