#pragma once

#include "Records.h"
#include "TypedTableSet.h"

// Customers: who invoices are made out to.
class CCustomersSet : public CTypedTableSet<CCustomersRec, CCustomersRow>
{
public:
    explicit CCustomersSet(ProjectDatabase& db) : CTypedTableSet(db) {}

    QString GetCompany(qint32 id = -1) { return fieldOf(id, "Company").toString(); }
    QString GetFirst(qint32 id = -1) { return fieldOf(id, "First").toString(); }
    QString GetLast(qint32 id = -1) { return fieldOf(id, "Last").toString(); }
    QString GetNotes(qint32 id = -1) { return fieldOf(id, "Notes").toString(); }
};
