#include "RecordOrderModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"
#include "core/records/StockFigures.h"

#include <limits>
#include <optional>

RecordOrderModel::RecordOrderModel(ProjectTables& tables, Prompter& prompter)
    : m_tables(tables), m_prompter(prompter)
{
}

bool RecordOrderModel::checkPrerequisites()
{
    if (TableHasRecords(m_tables, "Vendors") && TableHasRecords(m_tables, "Items"))
        return true;
    WarnUnlessDamaged(
        m_prompter, m_tables.database(),
        QStringLiteral("In order to run this command, you must already have valid vendors and "
                       "items.  This command was unable to find all the necessary data to run."));
    return false;
}

void RecordOrderModel::startNew(qint32 itemID, qint32 poID)
{
    m_modifyID = NoID;
    m_itemEnabled = true;
    m_nextEnabled = true;
    m_itemEntries = ItemPickerEntries(m_tables);
    m_itemID = NoSelection;
    if (PickerIndexOf(m_itemEntries, itemID) >= 0)
        m_itemID = itemID;
    else if (!m_itemEntries.isEmpty())
        m_itemID = EntryId(m_itemEntries.constFirst());
    refreshItemFigures(true);
    refillPOs(poID);
}

void RecordOrderModel::startForAutoOrder(qint32 itemID, qint32 poID, qint32 quantity)
{
    startNew(itemID, poID);
    m_itemEnabled = false;
    m_nextEnabled = false;
    m_quantityText = QString::number(quantity);
}

bool RecordOrderModel::startModify(qint32 orderID)
{
    COrderRec order;
    if (!m_tables.orders().RecordRead(order, orderID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return false;
    }
    m_modifyID = order.ID;
    m_itemEnabled = true;
    m_nextEnabled = false;
    m_itemEntries = ItemPickerEntries(m_tables);
    m_itemID = PickerIndexOf(m_itemEntries, order.ItemID) >= 0 ? order.ItemID : NoSelection;
    refreshItemFigures(false);
    m_quantityText = QString::number(order.Quanity);
    // The line stays on its own purchase order unless the user moves it.
    refillPOs(order.POID);
    return true;
}

QString RecordOrderModel::caption() const
{
    return isModify() ? QStringLiteral("Modify Recorded Order #%1").arg(FormatRecordId(m_modifyID))
                      : QStringLiteral("Record Order");
}

QString RecordOrderModel::helpLine() const
{
    return QStringLiteral("Record an order placed for an item in the inventory.");
}

void RecordOrderModel::selectItem(qint32 itemID)
{
    m_itemID = PickerIndexOf(m_itemEntries, itemID) >= 0 ? itemID : NoSelection;
    refreshItemFigures(!isModify());
}

void RecordOrderModel::refreshItemFigures(bool presetQuantity)
{
    CItemsRec item;
    if (m_itemID == NoSelection || !m_tables.items().RecordRead(item, m_itemID)) {
        m_stockedText.clear();
        m_orderedText.clear();
        return;
    }
    m_stockedText = WholeNumberText(item.Stocked);
    m_orderedText = WholeNumberText(item.Ordered);
    if (presetQuantity)
        m_quantityText = QString::number(item.ReorderQuanity);
}

void RecordOrderModel::selectPO(qint32 poID)
{
    m_poID = PickerIndexOf(m_poEntries, poID) >= 0 ? poID : NoSelection;
}

void RecordOrderModel::refillPOs(qint32 selectID)
{
    m_poEntries = POPickerEntries(m_tables);
    if (PickerIndexOf(m_poEntries, selectID) >= 0)
        m_poID = selectID;
    else
        m_poID = m_poEntries.isEmpty() ? NoSelection : EntryId(m_poEntries.constLast());
}

RecordOrderModel::Result RecordOrderModel::save()
{
    return write();
}

RecordOrderModel::Result RecordOrderModel::saveAndNext()
{
    if (!m_nextEnabled)
        return Result::refused();
    const Result result = write();
    if (result.saved) {
        // Ready for the next line of the same purchase order: the totals just
        // changed and the quantity starts again from the reorder quantity.
        refreshItemFigures(true);
    }
    return result;
}

RecordOrderModel::Result RecordOrderModel::write()
{
    const std::optional<qint32> quantity = ParsePositiveQuantity(m_quantityText);
    if (!quantity) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidQuantity));
        return Result::refused(Field::Quantity);
    }
    if (m_poID == NoSelection) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Must add a PO"));
        return Result::refused(Field::PurchaseOrder);
    }
    CPORec po;
    if (!m_tables.purchaseOrders().RecordRead(po, m_poID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Unable to locate PO"));
        return Result::refused(Field::PurchaseOrder);
    }
    // An order line must name an item; without one it would count for nothing.
    if (m_itemID == NoSelection) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("You must select an item."));
        return Result::refused(Field::Item);
    }

    COrderRec line;
    line.POID = po.ID;
    line.ItemID = m_itemID;
    line.VendorID = po.VendorID;
    line.Date = po.Date;
    line.Quanity = *quantity;
    line.BackOrder = false;
    line.BackOrderID = 0;

    COrderRec previous;
    if (isModify()) {
        if (!m_tables.orders().RecordRead(previous, m_modifyID)) {
            WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
            return Result::refused();
        }
        line.ID = m_modifyID;
    } else {
        const QList<COrderRec> same =
            m_tables.orders().RecordsWhere(QStringLiteral("[POID] = ? AND [ItemID] = ?"), {po.ID, m_itemID});
        if (!same.isEmpty()) {
            line = same.constFirst();
            const qint64 total = static_cast<qint64>(line.Quanity) + *quantity;
            if (total > std::numeric_limits<qint32>::max()) {
                WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidQuantity));
                return Result::refused(Field::Quantity);
            }
            line.Quanity = static_cast<qint32>(total);
            WarnUnlessDamaged(m_prompter, m_tables.database(),
                              QStringLiteral("This item is already on the specified PO.\n"
                                             "The quantity specified will be added to the existing entry."));
        }
    }

    const bool itemExists = m_tables.items().LocateByID(m_itemID);
    // Moving a line to another item leaves the old item with less on order.
    const bool oldItemToo =
        isModify() && previous.ItemID != m_itemID && m_tables.items().LocateByID(previous.ItemID);

    Transaction transaction(m_tables.database());
    bool ok = transaction.isActive();
    if (ok)
        ok = line.ID > 0 ? m_tables.orders().RecordModify(line) : m_tables.orders().RecordAdd(line);
    if (ok && itemExists)
        ok = RecomputeOrdered(m_tables, m_itemID);
    if (ok && oldItemToo)
        ok = RecomputeOrdered(m_tables, previous.ItemID);
    if (!ok || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    // The line is stored even so; only the item's total could not follow.
    if (!itemExists) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Unable to locate item record."));
    }

    m_savedOrders.append(line.ID);
    m_changes.add(UnlistedKind::OrderLines, line.ID);
    m_lastItemID = m_itemID;
    m_changes.add(ListingKind::PurchaseOrders, po.ID);
    m_changes.add(ListingKind::Items, m_itemID);
    if (isModify() && previous.POID != po.ID)
        m_changes.add(ListingKind::PurchaseOrders, previous.POID);
    if (oldItemToo)
        m_changes.add(ListingKind::Items, previous.ItemID);
    return Result::ok();
}
