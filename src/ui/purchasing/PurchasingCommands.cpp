#include "ui/purchasing/PurchasingCommands.h"

// STUB: the windows are not written yet; every runner answers that nothing changed.

ChangeList RunNewPO(QWidget*, ProjectTables&, const DesktopServices&, qint32, qint32* created)
{
    if (created)
        *created = NoID;
    return {};
}

ChangeList RunRecordOrder(QWidget*, ProjectTables&, const DesktopServices&, qint32, qint32)
{
    return {};
}

ChangeList RunModifyRecordedOrder(QWidget*, ProjectTables&, const DesktopServices&, qint32)
{
    return {};
}

ChangeList RunRecordOrder(QWidget*, RecordOrderModel&, const DesktopServices&)
{
    return {};
}

ChangeList RunRecordReceived(QWidget*, ProjectTables&, const DesktopServices&, qint32, qint32)
{
    return {};
}

ChangeList RunRecordReceived(QWidget*, RecordReceivedModel&, const DesktopServices&)
{
    return {};
}

ChangeList RunMarkPOFillDate(QWidget*, ProjectTables&, const DesktopServices&, qint32)
{
    return {};
}

ChangeList RunPurgeData(QWidget*, ProjectTables&, const DesktopServices&)
{
    return {};
}
