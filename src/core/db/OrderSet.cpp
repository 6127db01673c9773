#include "OrderSet.h"

COrderSet::COrderSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items),
      m_vendorNames(db, QStringLiteral("Vendors"), {QStringLiteral("Name")}),
      m_itemNames(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")})
{
}

DateTime COrderSet::GetDate(qint32 id)
{
    DateTime date = DateTime::null();
    FieldValue::fromVariant(fieldOf(id, "Date"), date);
    return date;
}

qint32 COrderSet::SumQuantityByItem(qint32 itemID)
{
    std::optional<QSqlQuery> query =
        selectFromDynaset(QStringLiteral("TOTAL(\"Quanity\")"), QStringLiteral("\"ItemID\" = ?"), {itemID}, false);
    const qint32 sum = (query && query->next()) ? static_cast<qint32>(query->value(0).toLongLong()) : 0;
    MoveFirst();
    return sum;
}

bool COrderSet::FindBackorderOf(qint32 orderID, qint32& id)
{
    if (!findFirst(QStringLiteral("\"BackOrderID\" = ? AND \"BackOrder\" <> 0"), {orderID}))
        return false;
    id = CurrentID();
    return true;
}

void COrderSet::beginResolve()
{
    m_vendorNames.clear();
    m_itemNames.clear();
}

void COrderSet::resolve(COrderRow& row)
{
    if (const QVariantList* vendor = m_vendorNames.find(row.VendorID))
        row.VendorName = vendor->at(0).toString();
    if (const QVariantList* item = m_itemNames.find(row.ItemID)) {
        row.ItemName = item->at(0).toString();
        row.ItemNumber = item->at(1).toString();
    }
}
