#pragma once

#include "NumberedTableSet.h"
#include "Records.h"
#include "ReferenceCache.h"

class CVendorsSet;

// Purchase orders placed with vendors.
class CPOSet : public CNumberedTableSet<CPORec, CPORow>
{
public:
    CPOSet(ProjectDatabase& db, CVendorsSet* vendors);

    qint32 GetNumber(qint32 id = -1) { return fieldOf(id, "Number").toInt(); }
    int GetFilled(qint32 id = -1) { return fieldOf(id, "Filled").toDouble() != 0.0 ? 1 : 0; }
    qint32 GetVendorID(qint32 id = -1) { return fieldOf(id, "VendorID").toInt(); }

protected:
    void beginResolve() override { m_vendorNames.clear(); }
    void resolve(CPORow& row) override;

private:
    CVendorsSet* m_vendors;
    ReferenceCache m_vendorNames;
};
