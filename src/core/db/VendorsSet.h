#pragma once

#include "Records.h"
#include "TypedTableSet.h"

// Vendors: the suppliers items are bought from.
class CVendorsSet : public CTypedTableSet<CVendorsRec, CVendorsRow>
{
public:
    explicit CVendorsSet(ProjectDatabase& db) : CTypedTableSet(db) {}

    QString GetName(qint32 id = -1) { return fieldOf(id, "Name").toString(); }
    QString GetNumber(qint32 id = -1) { return fieldOf(id, "Number").toString(); }
    // Empty for an ID of 0 or less, without a lookup.
    QString VendorNameByID(qint32 id) { return id <= 0 ? QString() : GetName(id); }
};
