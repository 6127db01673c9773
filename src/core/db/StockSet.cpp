#include "StockSet.h"

CStockSet::CStockSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items, CPOSet* orders,
                     int inventoryStyle)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items), m_purchaseOrders(orders),
      m_names(db),
      m_poNumbers(db, QStringLiteral("PO"), {QStringLiteral("Number")})
{
    SetInventoryStyle(inventoryStyle);
}

QString CStockSet::SortFor(int inventoryStyle)
{
    return inventoryStyle == kLifo ? QStringLiteral("[Date] DESC, [ID] DESC") : QStringLiteral("[Date] ASC, [ID] ASC");
}

void CStockSet::SetInventoryStyle(int inventoryStyle)
{
    SetSort(SortFor(inventoryStyle));
}

qint32 CStockSet::SumQuantityByItem(qint32 itemID)
{
    return quantityByItem(itemID);
}

void CStockSet::beginResolve()
{
    m_names.clear();
    m_poNumbers.clear();
}

void CStockSet::resolve(CStockRow& row)
{
    m_names.fill(row);
    if (row.OrderID > 0) {
        const QVariantList* po = m_poNumbers.find(row.POID);
        row.Origin = po ? po->at(0).toInt() : kStockOriginPurged;
    } else {
        row.Origin = row.OrderID;
    }
}
