#include "EditOrderEntryModel.h"

#include "core/common/StatusCodes.h"

#include "UndoReceipts.h"

#include "core/common/Prompter.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

namespace {

const char* const kReceivedInFull =
    "This order has already been received in full. \n"
    "To make changes, you can choose to modify the received quantity.\n"
    "If the 'received' quantity does not match the 'order' quantity, the \n"
    "remaining portion of the order was not kept active, and therefore discarded.";

} // namespace

EditOrderEntryModel::EditOrderEntryModel(ProjectTables& tables, Prompter& prompter, qint32 orderID)
    : m_tables(tables), m_prompter(prompter), m_orderID(orderID)
{
    refresh();
}

QString EditOrderEntryModel::caption() const
{
    return QStringLiteral("Edit Order Entry");
}

QString EditOrderEntryModel::helpLine() const
{
    return QStringLiteral(
        "Choose one of the following options to make changes for this entry in the purchase order.");
}

QString EditOrderEntryModel::orderedText() const
{
    return WholeNumberText(m_ordered);
}

QString EditOrderEntryModel::receivedText() const
{
    return WholeNumberText(m_received);
}

void EditOrderEntryModel::refresh()
{
    m_poID = NoID;
    m_itemID = NoID;
    m_ordered = 0;
    m_received = 0;

    // Once something was received, the first receipt remembers the line as it
    // was ordered; the order row may be gone or hold only the backorder.
    const QList<CReceivedRec> receipts =
        m_tables.received().RecordsWhere(QStringLiteral("[OrderID] = ?"), {m_orderID});
    if (!receipts.isEmpty()) {
        const CReceivedRec& first = receipts.constFirst();
        m_itemID = first.ItemID;
        m_poID = first.POID;
        m_ordered = first.OrderQuantity;
        for (const CReceivedRec& receipt : receipts)
            m_received += receipt.ReceiveQuantity;
    } else {
        COrderRec order;
        if (m_tables.orders().RecordRead(order, m_orderID)) {
            m_itemID = order.ItemID;
            m_poID = order.POID;
            m_ordered = order.Quanity;
        }
    }
    m_itemName = m_itemID == NoID ? QString() : m_tables.items().GetName(m_itemID);
    const qint32 number = m_poID == NoID ? -1 : m_tables.purchaseOrders().NumberOf(m_poID);
    m_poNumberText = number < 0 ? QString() : FormatRecordId(number);
}

void EditOrderEntryModel::childClosed(const ChangeList& changes)
{
    m_changes.merge(changes);
    refresh();
}

bool EditOrderEntryModel::undoReceived()
{
    const UndoReceiptsResult result = UndoReceipts(m_tables, m_prompter, m_orderID, m_changes);
    if (!result.changed)
        return false;
    m_orderID = result.orderID;
    refresh();
    return true;
}

bool EditOrderEntryModel::refuseWhenReceivedInFull()
{
    if (m_tables.orders().LocateByID(m_orderID))
        return false;
    warn(m_prompter, QString::fromLatin1(kReceivedInFull));
    return true;
}

EditOrderEntryAction EditOrderEntryModel::modifyOriginal()
{
    // Decide on what the tables hold now, not on what was shown.
    refresh();
    if (m_received > 0) {
        warn(m_prompter,
             QStringLiteral("   Unable to modify the original order. \n\n"
                            "The order has been either partially or completely filled. If you\n"
                            "wish to modify the original order quantity anyway, you must first 'undo'\n"
                            "the received order."));
        return {};
    }
    if (refuseWhenReceivedInFull())
        return {};
    return {EditOrderEntryAction::Kind::ModifyOrder, m_poID, m_orderID};
}

EditOrderEntryAction EditOrderEntryModel::recordReceived()
{
    refresh();
    if (refuseWhenReceivedInFull())
        return {};
    return {EditOrderEntryAction::Kind::RecordReceived, m_poID, m_orderID};
}
