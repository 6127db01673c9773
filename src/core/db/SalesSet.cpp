#include "SalesSet.h"

CSalesSet::CSalesSet(ProjectDatabase& db, CItemsSet* items, CCustomersSet* customers)
    : CTypedTableSet(db), m_items(items), m_customers(customers),
      m_itemNames(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")})
{
}

void CSalesSet::resolve(CSalesRow& row)
{
    if (const QVariantList* item = m_itemNames.find(row.ItemID)) {
        row.ItemName = item->at(0).toString();
        row.ItemNumber = item->at(1).toString();
    }
}
