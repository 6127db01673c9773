#pragma once

#include "Records.h"
#include "ReferenceCache.h"
#include "TypedTableSet.h"

class CCustomersSet;
class CItemsSet;

// Sold items: the lines of sales invoices.
class CSalesSet : public CTypedTableSet<CSalesRec, CSalesRow>
{
public:
    CSalesSet(ProjectDatabase& db, CItemsSet* items, CCustomersSet* customers);

protected:
    void beginResolve() override { m_itemNames.clear(); }
    void resolve(CSalesRow& row) override;

private:
    CItemsSet* m_items;
    CCustomersSet* m_customers;
    ReferenceCache m_itemNames;
};
