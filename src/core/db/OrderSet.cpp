#include "OrderSet.h"

COrderSet::COrderSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items),
      m_names(db)
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
    return quantityByItem(itemID);
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
    m_names.clear();
}

void COrderSet::resolve(COrderRow& row)
{
    m_names.fill(row);
}
