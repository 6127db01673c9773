#include "InvoiceTexts.h"

#include "core/common/RecordIds.h"
#include "core/project/ProjectTables.h"

#include <QStringList>

QString PayMethodText(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Check");
    case 2:
        return QStringLiteral("Charge Card");
    case 3:
        return QStringLiteral("Account");
    default:
        return QStringLiteral("Cash");
    }
}

QString InvoiceCustomerText(ProjectTables& tables, qint32 customerID)
{
    CCustomersRec customer;
    if (customerID <= 0 || !tables.customers().RecordRead(customer, customerID))
        return QString();
    const bool named = !customer.First.isEmpty() || !customer.Last.isEmpty();
    const QString person = customer.First + QLatin1Char(' ') + customer.Last;
    if (customer.Company.isEmpty())
        return person;
    return named ? customer.Company + QStringLiteral(", ") + person : customer.Company;
}
