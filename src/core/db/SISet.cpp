#include "SISet.h"

CSISet::CSISet(ProjectDatabase& db, CCustomersSet* customers)
    : CNumberedTableSet(db), m_customers(customers),
      m_customerNames(db, QStringLiteral("Customers"),
                      {QStringLiteral("Company"), QStringLiteral("Last"), QStringLiteral("First")})
{
}

void CSISet::resolve(CSIRow& row)
{
    if (const QStringList* customer = m_customerNames.findTexts(row.CustomerID)) {
        row.Company = customer->at(0);
        row.Last = customer->at(1);
        row.First = customer->at(2);
    }
}
