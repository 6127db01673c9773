#pragma once

#include "core/common/ChangeList.h"

#include <QString>

#include <optional>

class Prompter;
class ProjectTables;

// Deleting vendors, items, order lines and purchase orders together with the
// records that depend on them. Nothing here asks: the typed confirmation comes
// first (DeleteRecordModel). Each Delete* is one transaction; a record that
// cannot be found is told to the user and nothing is deleted, a failed write is
// reported and undoes the whole deletion. The result lists what was deleted or
// changed, by list kind; nothing when nothing was deleted.

// The vendor and every item whose primary vendor it is, with everything of those
// items. Items that have it only as their secondary vendor stay as they are.
std::optional<ChangeList> DeleteVendor(ProjectTables& tables, Prompter& prompter, qint32 vendorID);
// The item with its order lines, sales, stock lots and receipts.
std::optional<ChangeList> DeleteItem(ProjectTables& tables, Prompter& prompter, qint32 itemID);
// One order line; its receipts and lots stay. The item's Ordered is rewritten.
std::optional<ChangeList> DeleteOrderLine(ProjectTables& tables, Prompter& prompter, qint32 orderID);
// A purchase order and its order lines, refused while any of its lines has a
// receipt. The Ordered of each item on it is rewritten.
std::optional<ChangeList> DeletePurchaseOrder(ProjectTables& tables, Prompter& prompter, qint32 poID);

// Whether anything has been received against the purchase order.
bool PurchaseOrderHasReceipts(ProjectTables& tables, qint32 poID);

// The warnings shown before each deletion.
QString VendorDeletionWarning(qint32 vendorID);
QString ItemDeletionWarning(qint32 itemID);
QString OrderLineDeletionWarning(qint32 orderID);
QString PurchaseOrderDeletionWarning(qint32 poNumber);

// What the user is told when a deletion cannot go ahead.
QString VendorNotFoundMessage();
QString ItemNotFoundMessage();
QString OrderNotFoundMessage();
QString PurchaseOrderNotFoundMessage();
QString PurchaseOrderReceivedMessage(qint32 poNumber);
