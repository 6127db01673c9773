#include "AutoOrderModel.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"

#include "RecordOrderModel.h"
#include "RecordReceivedModel.h"

#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"

AutoOrderModel::AutoOrderModel(ProjectTables& tables, Prompter& prompter, Mode mode, qint32 poID)
    : m_tables(tables), m_prompter(prompter), m_mode(mode)
{
    m_poEntries = POPickerEntries(m_tables);
    if (PickerIndexOf(m_poEntries, poID) >= 0)
        m_poID = poID;
    else
        m_poID = m_poEntries.isEmpty() ? NoSelection : EntryId(m_poEntries.constLast());
}

QString AutoOrderModel::caption() const
{
    return QStringLiteral("Automated Order Recording");
}

QString AutoOrderModel::helpLine() const
{
    if (m_mode == Mode::Order) {
        return QStringLiteral("This feature can be used to record orders for items which are at or below the "
                              "reorder quantity specified for the item.\nTo begin, select a PO and hit OK.");
    }
    return QStringLiteral("This feature can be used to automate recording for thereceival of orders for "
                          "outstanding for a specified vendor.\nTo begin, select a PO and hit OK.");
}

void AutoOrderModel::selectPO(qint32 poID)
{
    m_poID = PickerIndexOf(m_poEntries, poID) >= 0 ? poID : NoSelection;
}

void AutoOrderModel::poCreated(qint32 poID)
{
    m_poEntries = POPickerEntries(m_tables);
    m_changes.add(ListingKind::PurchaseOrders, poID);
    selectPO(poID);
}

QList<AutoOrderStep> AutoOrderModel::orderSteps()
{
    QList<AutoOrderStep> steps;
    if (!TableHasRecords(m_tables, "Items")) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("This command requires existing items in the database."));
        return steps;
    }
    CPORec po;
    if (m_poID == NoSelection || !m_tables.purchaseOrders().RecordRead(po, m_poID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Unable to locate PO"));
        return steps;
    }
    // Only the primary vendor counts: an item is reordered from its first vendor.
    const QList<CItemsRec> items =
        m_tables.items().RecordsWhere(QStringLiteral("[VendorID1] = ?"), {po.VendorID});
    for (const CItemsRec& item : items) {
        // Equality counts: an item at its reorder level is due.
        if (static_cast<qint64>(item.Stocked) + item.Ordered <= item.ReorderLevel)
            steps.append({item.ID, item.ReorderQuanity});
    }
    if (steps.isEmpty())
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("No items for this vendor require ordering."));
    return steps;
}

void AutoOrderModel::prepareOrderStep(RecordOrderModel& dialog, const AutoOrderStep& step) const
{
    dialog.startForAutoOrder(step.itemID, m_poID, step.quantity);
}

QList<qint32> AutoOrderModel::receiveSteps()
{
    if (!TableHasRecords(m_tables, "Order")) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("This command requires existing orders in the database."));
        return {};
    }
    const QList<qint32> orders = m_tables.orders().IDsWhere(QStringLiteral("[POID] = ?"), {m_poID});
    if (orders.isEmpty())
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("There are no pending orders for this Purchase Order."));
    return orders;
}

bool AutoOrderModel::prepareReceiveStep(RecordReceivedModel& dialog, qint32 orderID) const
{
    return dialog.preset(m_poID, orderID).checkPrerequisites();
}

void AutoOrderModel::stepFinished(const ChangeList& changes)
{
    m_changes.merge(changes);
}

void AutoOrderModel::addReceipts(const QList<qint32>& receiptIDs)
{
    for (const qint32 id : receiptIDs) {
        if (!m_receipts.contains(id) && m_receipts.size() < ChangeList::kMaxPerKind)
            m_receipts.append(id);
    }
}
