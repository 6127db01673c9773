#pragma once

#include "NumberedTableSet.h"
#include "Records.h"
#include "ReferenceCache.h"

class CCustomersSet;

// Sales invoices.
class CSISet : public CNumberedTableSet<CSIRec, CSIRow>
{
public:
    CSISet(ProjectDatabase& db, CCustomersSet* customers);

protected:
    void beginResolve() override { m_customerNames.clear(); }
    void resolve(CSIRow& row) override;

private:
    CCustomersSet* m_customers;
    ReferenceCache m_customerNames;
};
