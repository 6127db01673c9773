#include "StockFigures.h"

#include "db/ProjectDatabase.h"
#include "project/ProjectTables.h"

#include <QSqlQuery>

namespace {

// Nothing when the lots or lines could not all be read.
std::optional<qint32> TotalQuantity(ProjectDatabase& db, const char* table, qint32 itemID)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT TOTAL(\"Quanity\") FROM \"%1\" WHERE \"ItemID\" = ?").arg(QLatin1String(table)));
    query.addBindValue(itemID);
    if (query.exec() && query.next())
        return static_cast<qint32>(query.value(0).toLongLong());
    db.readSucceeded(query);
    return std::nullopt;
}

bool Rewrite(ProjectTables& tables, qint32 itemID, bool stocked, bool ordered)
{
    CItemsRec item;
    if (!tables.items().RecordRead(item, itemID))
        return false;
    if (stocked) {
        const std::optional<qint32> total = TotalQuantity(tables.database(), "Stock", itemID);
        if (!total)
            return false;
        item.Stocked = *total;
    }
    if (ordered) {
        const std::optional<qint32> total = TotalQuantity(tables.database(), "Order", itemID);
        if (!total)
            return false;
        item.Ordered = *total;
    }
    return tables.items().RecordModify(item);
}

} // namespace

bool RecomputeStocked(ProjectTables& tables, qint32 itemID)
{
    return Rewrite(tables, itemID, true, false);
}

bool RecomputeOrdered(ProjectTables& tables, qint32 itemID)
{
    return Rewrite(tables, itemID, false, true);
}

bool RecomputeItemTotals(ProjectTables& tables, qint32 itemID)
{
    return Rewrite(tables, itemID, true, true);
}

QStringList CheckStockInvariants(ProjectTables& tables)
{
    QStringList problems;
    QSqlQuery query(tables.database().connection());
    query.setForwardOnly(true);
    query.exec(QStringLiteral(
        "SELECT i.\"ID\", i.\"Stocked\", i.\"Ordered\", "
        "(SELECT TOTAL(s.\"Quanity\") FROM \"Stock\" s WHERE s.\"ItemID\" = i.\"ID\"), "
        "(SELECT TOTAL(o.\"Quanity\") FROM \"Order\" o WHERE o.\"ItemID\" = i.\"ID\") FROM \"Items\" i"));
    while (query.next()) {
        const qint64 stocked = query.value(1).toLongLong(), ordered = query.value(2).toLongLong();
        const qint64 lots = query.value(3).toLongLong(), lines = query.value(4).toLongLong();
        if (stocked != lots || ordered != lines) {
            problems.append(QStringLiteral("Item %1: Stocked %2 (lots hold %3), Ordered %4 (lines hold %5)")
                                .arg(query.value(0).toInt())
                                .arg(stocked)
                                .arg(lots)
                                .arg(ordered)
                                .arg(lines));
        }
    }
    return problems;
}
