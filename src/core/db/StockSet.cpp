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
    m_styleSource = nullptr;
    m_inventoryStyle = inventoryStyle;
    SetSort(SortFor(inventoryStyle));
}

void CStockSet::SetInventoryStyleSource(std::function<int()> source)
{
    m_styleSource = std::move(source);
}

int CStockSet::inventoryStyle() const
{
    return m_styleSource ? m_styleSource() : m_inventoryStyle;
}

int CStockSet::Reopen()
{
    SetSort(SortFor(inventoryStyle()));
    return CTableSet::Reopen();
}

qint32 CStockSet::SumQuantityByItem(qint32 itemID)
{
    return quantityByItem(itemID);
}

QList<CStockRec> CStockSet::LotsInConsumptionOrder(qint32 itemID, qint64 quantity, bool* ok)
{
    QList<CStockRec> lots;
    // The (ItemID, Date) index delivers the lots in this order, so the walk stops
    // after the few it needs however many the item holds.
    std::optional<QSqlQuery> query =
        selectWhere(QStringLiteral("\"ID\",\"Quanity\",\"Cost\""), QStringLiteral("[ItemID] = ?"), {itemID},
                    SortFor(inventoryStyle()));
    if (ok)
        *ok = query.has_value();
    if (!query)
        return lots;
    qint64 held = 0;
    while (held < quantity && query->next()) {
        CStockRec lot;
        lot.ID = query->value(0).toInt();
        lot.ItemID = itemID;
        lot.Quanity = query->value(1).toInt();
        FieldValue::fromVariant(query->value(2), lot.Cost);
        held += lot.Quanity;
        lots.append(lot);
    }
    if (!endRead(*query) && ok)
        *ok = false;
    return lots;
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
