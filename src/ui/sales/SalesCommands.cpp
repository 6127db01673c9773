#include "ui/sales/SalesCommands.h"

// STUB: the windows are not written yet; every runner answers that nothing changed.

ChangeList RunNewSalesInvoice(QWidget*, ProjectTables&, const DesktopServices&, qint32, qint32* created)
{
    if (created)
        *created = NoID;
    return {};
}

ChangeList RunRecordSoldItems(QWidget*, ProjectTables&, const DesktopServices&, qint32, bool, qint32)
{
    return {};
}
