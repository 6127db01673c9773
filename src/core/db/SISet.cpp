#include "SISet.h"

CSISet::CSISet(ProjectDatabase& db, CCustomersSet* customers)
    : CNumberedTableSet(db), m_customers(customers),
      m_customerNames(db, QStringLiteral("Customers"),
                      {QStringLiteral("Company"), QStringLiteral("Last"), QStringLiteral("First")})
{
}

void CSISet::resolve(CSIRow& row)
{
    if (const QVariantList* customer = m_customerNames.find(row.CustomerID)) {
        row.Company = customer->at(0).toString();
        row.Last = customer->at(1).toString();
        row.First = customer->at(2).toString();
    }
}
