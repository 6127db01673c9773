#include "ReceivedSet.h"

CReceivedSet::CReceivedSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items),
      m_vendorNames(db, QStringLiteral("Vendors"), {QStringLiteral("Name")}),
      m_itemNames(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")})
{
}

void CReceivedSet::beginResolve()
{
    m_vendorNames.clear();
    m_itemNames.clear();
}

void CReceivedSet::resolve(CReceivedRow& row)
{
    if (const QVariantList* vendor = m_vendorNames.find(row.VendorID))
        row.VendorName = vendor->at(0).toString();
    if (const QVariantList* item = m_itemNames.find(row.ItemID)) {
        row.ItemName = item->at(0).toString();
        row.ItemNumber = item->at(1).toString();
    }
}
