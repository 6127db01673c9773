#include "QuickReportReads.h"

#include "Dialect.h"

#include <QSqlQuery>

namespace {

QString wholeTenThousandths(const QString& column)
{
    return SqlRoundedWhole(column + QStringLiteral(" * 10000"));
}

} // namespace

std::optional<QHash<qint32, qint64>> SumQuantityPerItem(ProjectDatabase& db, const QString& table,
                                                        const QString& quantityColumn,
                                                        const QString& dayColumn, double fromDay,
                                                        double toDay)
{
    const QString day = SqlName(dayColumn);
    const QString sql =
        QStringLiteral("SELECT \"ItemID\", SUM(%1) FROM %2 WHERE %3 >= ? AND %3 < ? GROUP BY \"ItemID\"")
            .arg(SqlName(quantityColumn), SqlName(table), day);
    QHash<qint32, qint64> sums;
    const bool ran = db.streamNumericRows(sql, {fromDay, toDay}, [&](const ProjectDatabase::NumericRow& row) {
        sums.insert(static_cast<qint32>(row.values[0]), static_cast<qint64>(row.values[1]));
        return true;
    });
    if (!ran)
        return std::nullopt;
    return sums;
}

std::optional<QList<ItemSalesRow>> ReadSalesPerItem(ProjectDatabase& db, double fromDay, double toDay)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT \"ItemID\", SUM(\"Quanity\"), SUM(%1 * \"Quanity\"), "
                       "SUM(%2 * \"Quanity\") FROM \"Sales\" WHERE \"Date\" >= ? AND \"Date\" < ? "
                       "GROUP BY \"ItemID\" ORDER BY \"ItemID\"")
            .arg(wholeTenThousandths(QStringLiteral("\"SellingPrice\"")),
                 wholeTenThousandths(QStringLiteral("\"Cost\"")));
    QList<ItemSalesRow> rows;
    bool ran = query.prepare(sql);
    if (ran) {
        query.addBindValue(fromDay);
        query.addBindValue(toDay);
        ran = query.exec();
    }
    if (ran) {
        while (query.next()) {
            rows.append({query.value(0).toInt(), query.value(1).toLongLong(), query.value(2).toLongLong(),
                         query.value(3).toLongLong()});
        }
    }
    ran = db.readSucceeded(query) && ran;
    if (!ran)
        return std::nullopt;
    return rows;
}

std::optional<qint64> StockCostTotal(ProjectDatabase& db)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    std::optional<qint64> total;
    if (query.exec(QStringLiteral("SELECT COALESCE(SUM(%1 * \"Quanity\"), 0) FROM \"Stock\"")
                       .arg(wholeTenThousandths(QStringLiteral("\"Cost\"")))) &&
        query.next())
        total = query.value(0).toLongLong();
    if (!db.readSucceeded(query))
        return std::nullopt;
    return total;
}
