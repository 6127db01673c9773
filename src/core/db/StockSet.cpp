#include "StockSet.h"

CStockSet::CStockSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items, CPOSet* orders,
                     int inventoryStyle)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items), m_purchaseOrders(orders),
      m_vendorNames(db, QStringLiteral("Vendors"), {QStringLiteral("Name")}),
      m_itemNames(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")}),
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
    std::optional<QSqlQuery> query =
        selectFromDynaset(QStringLiteral("TOTAL(\"Quanity\")"), QStringLiteral("\"ItemID\" = ?"), {itemID}, false);
    const qint32 sum = (query && query->next()) ? static_cast<qint32>(query->value(0).toLongLong()) : 0;
    MoveFirst();
    return sum;
}

void CStockSet::beginResolve()
{
    m_vendorNames.clear();
    m_itemNames.clear();
    m_poNumbers.clear();
}

void CStockSet::resolve(CStockRow& row)
{
    if (const QVariantList* vendor = m_vendorNames.find(row.VendorID))
        row.VendorName = vendor->at(0).toString();
    if (const QVariantList* item = m_itemNames.find(row.ItemID)) {
        row.ItemName = item->at(0).toString();
        row.ItemNumber = item->at(1).toString();
    }
    if (row.OrderID > 0) {
        const QVariantList* po = m_poNumbers.find(row.POID);
        row.Origin = po ? po->at(0).toInt() : kStockOriginPurged;
    } else {
        row.Origin = row.OrderID;
    }
}
