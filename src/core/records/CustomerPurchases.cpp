#include "CustomerPurchases.h"

#include "core/common/Prompter.h"
#include "core/common/RecordIds.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

QString CustomerPurchasesFilter(qint32 customerId)
{
    return QStringLiteral("CustomerID = %1").arg(customerId);
}

bool ShowCustomerPurchases(ProjectTables& tables, Prompter& prompter, int currentListKind,
                           qint32 selectedCustomerId)
{
    const QString title = AppTitle();
    if (currentListKind != static_cast<int>(ListingKind::Customers)) {
        prompter.message(QStringLiteral("Invalid operation for this screen."), title,
                         Prompter::Icon::Exclamation);
        return false;
    }
    // IDs start at 1; anything else is an empty selection.
    if (selectedCustomerId <= 0) {
        prompter.message(QStringLiteral("Must first select a customer."), title, Prompter::Icon::Exclamation);
        return false;
    }
    CSISet& invoices = tables.invoices();
    // A lock still waiting for its reopen would make the new filter be ignored.
    if (invoices.oneShot() == 1)
        invoices.Reopen();
    invoices.SetFilter(CustomerPurchasesFilter(selectedCustomerId), 1);
    return true;
}
