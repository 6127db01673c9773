#pragma once

#include "Records.h"
#include "TypedTableSet.h"

// Amounts due and payments on sales invoices.
class CARSet : public CTypedTableSet<CARRec, CARRow>
{
public:
    explicit CARSet(ProjectDatabase& db) : CTypedTableSet(db) {}
};
