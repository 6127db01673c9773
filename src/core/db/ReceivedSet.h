#pragma once

#include "Records.h"
#include "ReferenceCache.h"
#include "TypedTableSet.h"

class CItemsSet;
class CVendorsSet;

// Receipt history: one receipt against one order line.
class CReceivedSet : public CTypedTableSet<CReceivedRec, CReceivedRow>
{
public:
    CReceivedSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items);

protected:
    void beginResolve() override;
    void resolve(CReceivedRow& row) override;

private:
    CVendorsSet* m_vendors;
    CItemsSet* m_items;
    VendorItemNames m_names;
};
