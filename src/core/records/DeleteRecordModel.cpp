#include "DeleteRecordModel.h"

#include "RecordDeletion.h"
#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "project/ProjectOperations.h"
#include "project/ProjectTables.h"

DeleteRecordModel::DeleteRecordModel(ProjectTables& tables, Prompter& prompter, Target target, qint32 id)
    : m_tables(tables), m_prompter(prompter), m_target(target), m_shownId(id),
      m_recordId(target == Target::PurchaseOrder ? NoSelection : id)
{
}

bool DeleteRecordModel::prepare()
{
    const auto refuse = [this](const QString& text) {
        m_prompter.message(text, AppTitle(), Prompter::Icon::Exclamation);
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
    case Target::PurchaseOrder: {
        // Asked of the whole table, whatever the purchase-order list has filtered.
        const QList<qint32> ids =
            m_tables.purchaseOrders().IDsWhere(QStringLiteral("[Number] = ?"), {m_shownId});
        if (ids.isEmpty())
            return refuse(PurchaseOrderNotFoundMessage());
        m_recordId = ids.constFirst();
        // Told before the user types anything: receipts must be undone first.
        if (PurchaseOrderHasReceipts(m_tables, m_recordId))
            return refuse(PurchaseOrderReceivedMessage(m_shownId));
        break;
    }
    }
    m_prepared = true;
    return true;
}

QString DeleteRecordModel::title()
{
    return QStringLiteral("Delete");
}

QString DeleteRecordModel::prompt()
{
    return QStringLiteral("Confirm deletion by typing 'YES'");
}

QString DeleteRecordModel::warning() const
{
    switch (m_target) {
    case Target::Vendor:
        return VendorDeletionWarning(m_shownId);
    case Target::Item:
        return ItemDeletionWarning(m_shownId);
    case Target::OrderLine:
        return OrderLineDeletionWarning(m_shownId);
    case Target::PurchaseOrder:
        return PurchaseOrderDeletionWarning(m_shownId);
    }
    return QString();
}

bool DeleteRecordModel::confirm(const QString& typed)
{
    m_confirmed = ConfirmDeletion(typed, m_prompter);
    return m_confirmed;
}

bool DeleteRecordModel::run()
{
    if (!m_prepared || !m_confirmed)
        return false;
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
        return false;
    m_changes.merge(*done);
    // Deleted once: a second run would only report the record as missing.
    m_confirmed = false;
    return true;
}
