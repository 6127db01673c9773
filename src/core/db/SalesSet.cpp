#include "SalesSet.h"

CSalesSet::CSalesSet(ProjectDatabase& db, CItemsSet* items, CCustomersSet* customers)
    : CTypedTableSet(db), m_items(items), m_customers(customers),
      m_itemNames(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")})
{
}

void CSalesSet::resolve(CSalesRow& row)
{
    if (const QStringList* item = m_itemNames.findTexts(row.ItemID)) {
        row.ItemName = item->at(0);
        row.ItemNumber = item->at(1);
    }
}
