#include "RecordDeletion.h"

#include "StockFigures.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QSet>

namespace {

const QString kItemCondition = QStringLiteral("[ItemID] = ?");
const QString kPOCondition = QStringLiteral("[POID] = ?");

// Removes the item and every row that refers to it; false when a write failed.
bool RemoveItemRows(ProjectTables& tables, qint32 itemID, ChangeList& changes)
{
    // What the lists must show afresh is read before the rows go: the purchase
    // orders and invoices whose lines disappear, and the lots.
    const QList<COrderRec> lines = tables.orders().RecordsWhere(kItemCondition, {itemID});
    const QList<CSalesRec> sales = tables.sales().RecordsWhere(kItemCondition, {itemID});
    const QList<qint32> lots = tables.stock().IDsWhere(kItemCondition, {itemID});

    if (!tables.items().RecordDelete(itemID))
        return false;
    if (tables.orders().DeleteWhere(kItemCondition, {itemID}) < 0 ||
        tables.sales().DeleteWhere(kItemCondition, {itemID}) < 0 ||
        tables.stock().DeleteWhere(kItemCondition, {itemID}) < 0 ||
        tables.received().DeleteWhere(kItemCondition, {itemID}) < 0)
        return false;

    changes.add(ListingKind::Items, itemID);
    for (const COrderRec& line : lines) {
        if (line.POID > 0)
            changes.add(ListingKind::PurchaseOrders, line.POID);
    }
    for (const CSalesRec& sale : sales) {
        if (sale.SIID > 0)
            changes.add(ListingKind::Invoices, sale.SIID);
    }
    for (const qint32 lot : lots)
        changes.add(ListingKind::Stock, lot);
    return true;
}

// Commits, or reports the failure; the guard undoes everything on the way out.
std::optional<ChangeList> Finish(Transaction& transaction, Prompter& prompter, bool written,
                                 ChangeList changes)
{
    if (written && transaction.commit())
        return changes;
    ReportOperationFailure(prompter, transaction.database());
    return std::nullopt;
}

} // namespace

std::optional<ChangeList> DeleteVendor(ProjectTables& tables, Prompter& prompter, qint32 vendorID)
{
    if (vendorID <= 0 || !tables.vendors().LocateByID(vendorID)) {
        WarnUnlessDamaged(prompter, tables.database(), VendorNotFoundMessage());
        return std::nullopt;
    }
    Transaction transaction(tables.database());
    ChangeList changes;
    bool written = transaction.isActive() && tables.vendors().RecordDelete(vendorID);
    if (written) {
        changes.add(ListingKind::Vendors, vendorID);
        const QList<qint32> items = tables.items().IDsWhere(QStringLiteral("[VendorID1] = ?"), {vendorID});
        for (const qint32 item : items) {
            if (!(written = RemoveItemRows(tables, item, changes)))
                break;
        }
    }
    return Finish(transaction, prompter, written, changes);
}

std::optional<ChangeList> DeleteItem(ProjectTables& tables, Prompter& prompter, qint32 itemID)
{
    if (itemID <= 0 || !tables.items().LocateByID(itemID)) {
        WarnUnlessDamaged(prompter, tables.database(), ItemNotFoundMessage());
        return std::nullopt;
    }
    Transaction transaction(tables.database());
    ChangeList changes;
    const bool written = transaction.isActive() && RemoveItemRows(tables, itemID, changes);
    return Finish(transaction, prompter, written, changes);
}

std::optional<ChangeList> DeleteOrderLine(ProjectTables& tables, Prompter& prompter, qint32 orderID)
{
    COrderRec line;
    if (orderID <= 0 || !tables.orders().RecordRead(line, orderID)) {
        WarnUnlessDamaged(prompter, tables.database(), OrderNotFoundMessage());
        return std::nullopt;
    }
    Transaction transaction(tables.database());
    ChangeList changes;
    bool written = transaction.isActive() && tables.orders().RecordDelete(orderID);
    const bool itemExists = tables.items().LocateByID(line.ItemID);
    if (written && itemExists) {
        written = RecomputeOrdered(tables, line.ItemID);
        changes.add(ListingKind::Items, line.ItemID);
    }
    if (line.POID > 0)
        changes.add(ListingKind::PurchaseOrders, line.POID);
    std::optional<ChangeList> result = Finish(transaction, prompter, written, changes);
    // The line is gone all the same; there is just no item total to put right.
    if (result && !itemExists)
        WarnUnlessDamaged(prompter, tables.database(), ItemNotFoundMessage());
    return result;
}

std::optional<ChangeList> DeletePurchaseOrder(ProjectTables& tables, Prompter& prompter, qint32 poID)
{
    if (poID <= 0 || !tables.purchaseOrders().LocateByID(poID)) {
        WarnUnlessDamaged(prompter, tables.database(), PurchaseOrderNotFoundMessage());
        return std::nullopt;
    }
    if (PurchaseOrderHasReceipts(tables, poID)) {
        WarnUnlessDamaged(prompter, tables.database(),
                          PurchaseOrderReceivedMessage(tables.purchaseOrders().NumberOf(poID)));
        return std::nullopt;
    }
    Transaction transaction(tables.database());
    ChangeList changes;
    QSet<qint32> items;
    for (const COrderRec& line : tables.orders().RecordsWhere(kPOCondition, {poID}))
        items.insert(line.ItemID);
    bool written = transaction.isActive() && tables.orders().DeleteWhere(kPOCondition, {poID}) >= 0 &&
                   tables.purchaseOrders().RecordDelete(poID);
    changes.add(ListingKind::PurchaseOrders, poID);
    for (const qint32 item : std::as_const(items)) {
        if (!written)
            break;
        // An order line may outlive its item; there is then no total to rewrite.
        if (!tables.items().LocateByID(item))
            continue;
        written = RecomputeOrdered(tables, item);
        changes.add(ListingKind::Items, item);
    }
    return Finish(transaction, prompter, written, changes);
}

bool PurchaseOrderHasReceipts(ProjectTables& tables, qint32 poID)
{
    return tables.received().CountWhere(kPOCondition, {poID}) > 0;
}

QString VendorDeletionWarning(qint32 vendorID)
{
    return QStringLiteral(
               "Removing vendor #%1 will also permanently remove all items, recorded tracking of items, "
               "and sales associated with this vendor.  This could modify calculated totals for PO's and "
               "Invoices.\nIt is recomended that you backup the project before continuing.")
        .arg(FormatRecordId(vendorID));
}

QString ItemDeletionWarning(qint32 itemID)
{
    return QStringLiteral(
               "Removing item #%1 will cause the removal of all recorded tracking of this item and sales "
               "of this item.This could affect totals for any PO's or Invoices which contain this item\n"
               "It is recomended that you backup the project before continuing.")
        .arg(FormatRecordId(itemID));
}

QString OrderLineDeletionWarning(qint32 orderID)
{
    return QStringLiteral("Removing order #%1 will permanently remove this order from the list.\n"
                          "It is recomended that you backup the project before continuing.")
        .arg(FormatRecordId(orderID));
}

QString PurchaseOrderDeletionWarning(qint32 poNumber)
{
    return QStringLiteral(
               "Removing purchase order #%1 will permanently remove it and all of its order lines.\n"
               "It is recomended that you backup the project before continuing.")
        .arg(FormatRecordId(poNumber));
}

QString VendorNotFoundMessage()
{
    return QStringLiteral("Unable to locate vendor record.");
}

QString ItemNotFoundMessage()
{
    return QStringLiteral("Unable to locate item record.");
}

QString OrderNotFoundMessage()
{
    return QStringLiteral("Unable to locate order record.");
}

QString PurchaseOrderNotFoundMessage()
{
    return QStringLiteral("Unable to locate purchase order record.");
}

QString PurchaseOrderReceivedMessage(qint32 poNumber)
{
    return QStringLiteral("Items of purchase order #%1 have already been received.\n"
                          "Undo those receipts before deleting the purchase order.")
        .arg(FormatRecordId(poNumber));
}
