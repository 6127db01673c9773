#include "POSet.h"

CPOSet::CPOSet(ProjectDatabase& db, CVendorsSet* vendors)
    : CNumberedTableSet(db), m_vendors(vendors), m_vendorNames(db, QStringLiteral("Vendors"), {QStringLiteral("Name")})
{
}

void CPOSet::resolve(CPORow& row)
{
    if (const QStringList* vendor = m_vendorNames.findTexts(row.VendorID))
        row.VendorName = vendor->at(0);
}
