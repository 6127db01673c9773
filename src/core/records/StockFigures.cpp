#include "StockFigures.h"

#include "core/db/ProjectDatabase.h"
#include "core/db/Totals.h"
#include "core/project/ProjectTables.h"

namespace {

// Nothing when the lots or lines could not all be read.
std::optional<qint32> TotalQuantity(ProjectDatabase& db, const char* table, qint32 itemID)
{
    const std::optional<qint64> total = ItemQuantityTotal(db, QLatin1String(table), itemID);
    return total ? std::optional<qint32>(static_cast<qint32>(*total)) : std::nullopt;
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
    const std::optional<QList<ItemTotalsRow>> items = ReadItemTotals(tables.database());
    if (!items)
        return {QStringLiteral("The item totals could not be read: ") + tables.database().lastError()};
    for (const ItemTotalsRow& item : *items) {
        if (item.stocked != item.lots || item.ordered != item.lines) {
            problems.append(QStringLiteral("Item %1: Stocked %2 (lots hold %3), Ordered %4 (lines hold %5)")
                                .arg(item.itemID)
                                .arg(item.stocked)
                                .arg(item.lots)
                                .arg(item.ordered)
                                .arg(item.lines));
        }
    }
    return problems;
}
