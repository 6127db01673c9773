#include "ItemsSet.h"

CItemsSet::CItemsSet(ProjectDatabase& db, CVendorsSet* vendors)
    : CTypedTableSet(db), m_vendors(vendors), m_vendorNames(db, QStringLiteral("Vendors"), {QStringLiteral("Name")})
{
}

void CItemsSet::Link(CStockSet* stock, COrderSet* orders)
{
    m_stock = stock;
    m_orders = orders;
}

Money CItemsSet::money(qint32 id, const char* column)
{
    Money value;
    const QVariant stored = fieldOf(id, column);
    if (!stored.isNull())
        FieldValue::fromVariant(stored, value);
    return value;
}

void CItemsSet::resolve(CItemsRow& row)
{
    if (const QStringList* vendor = m_vendorNames.findTexts(row.VendorID1))
        row.VendorName1 = vendor->at(0);
    if (const QStringList* vendor = m_vendorNames.findTexts(row.VendorID2))
        row.VendorName2 = vendor->at(0);
}

QList<CItemsRec> CItemsSet::ItemsOfPurchaseOrder(qint32 poID, const QStringList& columns)
{
    return RecordsWhere(QStringLiteral("[ID] IN (SELECT [ItemID] FROM [Order] WHERE [POID] = ? "
                                       "UNION SELECT [ItemID] FROM [Received] WHERE [POID] = ?)"),
                        {poID, poID}, QString(), columns);
}
