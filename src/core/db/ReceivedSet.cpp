#include "ReceivedSet.h"

CReceivedSet::CReceivedSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items)
    : CTypedTableSet(db), m_vendors(vendors), m_items(items),
      m_names(db)
{
}

void CReceivedSet::beginResolve()
{
    m_names.clear();
}

void CReceivedSet::resolve(CReceivedRow& row)
{
    m_names.fill(row);
}
