#include "DeleteRecordModel.h"

#include "RecordDeletion.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectTables.h"

DeleteRecordModel::DeleteRecordModel(ProjectTables& tables, Prompter& prompter, Target target, qint32 id)
    : m_tables(tables), m_prompter(prompter), m_target(target), m_recordId(id), m_shownNumber(id)
{
    CPORec order;
    if (target == Target::PurchaseOrder && id > 0 && m_tables.purchaseOrders().RecordRead(order, id))
        m_shownNumber = order.Number;
}

bool DeleteRecordModel::checkPrerequisites()
{
    const auto refuse = [this](const QString& text) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), text);
        return false;
    };
    switch (m_target) {
    case Target::Vendor:
        if (m_recordId <= 0 || !m_tables.vendors().LocateByID(m_recordId))
            return refuse(VendorNotFoundMessage());
        break;
    case Target::Item:
        if (m_recordId <= 0 || !m_tables.items().LocateByID(m_recordId))
            return refuse(ItemNotFoundMessage());
        break;
    case Target::OrderLine:
        if (m_recordId <= 0 || !m_tables.orders().LocateByID(m_recordId))
            return refuse(OrderNotFoundMessage());
        break;
    case Target::PurchaseOrder:
        if (m_recordId <= 0 || !m_tables.purchaseOrders().LocateByID(m_recordId))
            return refuse(PurchaseOrderNotFoundMessage());
        // Told before the user types anything: receipts must be undone first.
        if (PurchaseOrderHasReceipts(m_tables, m_recordId))
            return refuse(PurchaseOrderReceivedMessage(m_shownNumber));
        break;
    }
    m_prepared = true;
    return true;
}

QString DeleteRecordModel::warning() const
{
    switch (m_target) {
    case Target::Vendor:
        return VendorDeletionWarning(m_shownNumber);
    case Target::Item:
        return ItemDeletionWarning(m_shownNumber);
    case Target::OrderLine:
        return OrderLineDeletionWarning(m_shownNumber);
    case Target::PurchaseOrder:
        return PurchaseOrderDeletionWarning(m_shownNumber);
    }
    return QString();
}

DeleteRecordModel::Result DeleteRecordModel::save()
{
    if (!m_prepared)
        return Result::refused();
    if (!ConfirmDeletion(m_confirmation, m_prompter))
        return Result::refused(Field::Confirmation);
    std::optional<ChangeList> done;
    switch (m_target) {
    case Target::Vendor:
        done = DeleteVendor(m_tables, m_prompter, m_recordId);
        break;
    case Target::Item:
        done = DeleteItem(m_tables, m_prompter, m_recordId);
        break;
    case Target::OrderLine:
        done = DeleteOrderLine(m_tables, m_prompter, m_recordId);
        break;
    case Target::PurchaseOrder:
        done = DeletePurchaseOrder(m_tables, m_prompter, m_recordId);
        break;
    }
    if (!done)
        return Result::refused();
    m_changes.merge(*done);
    // Deleted once: a second save would only report the record as missing.
    m_prepared = false;
    return Result::ok();
}
