#include "Receiving.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

namespace {

enum class WriteResult
{
    Done,
    ItemMissing,
    Failed
};

// Every write of one receipt. The caller's transaction makes them one step.
WriteResult WriteReceipt(ProjectTables& tables, const COrderRec& order, const ReceiptInput& input,
                         bool keepRemainder, ReceiptOutcome& outcome)
{
    CStockRec lot;
    lot.ItemID = order.ItemID;
    lot.VendorID = order.VendorID;
    lot.POID = order.POID;
    lot.OrderID = order.ID;
    lot.Quanity = input.quantity;
    lot.Cost = input.cost;
    lot.Date = input.date;
    if (!tables.stock().RecordAdd(lot))
        return WriteResult::Failed;

    CReceivedRec receipt;
    receipt.ItemID = order.ItemID;
    receipt.VendorID = order.VendorID;
    receipt.POID = order.POID;
    receipt.OrderID = order.ID;
    receipt.StockID = lot.ID;
    receipt.OrderQuantity = order.Quanity;
    receipt.OrderDate = order.Date;
    receipt.ReceiveQuantity = input.quantity;
    receipt.ReceiveDate = input.date;
    if (!tables.received().RecordAdd(receipt))
        return WriteResult::Failed;

    outcome.stockID = lot.ID;
    outcome.receiptID = receipt.ID;

    if (keepRemainder) {
        // The line keeps its ID, so later receipts and an undo still find it
        // under the order number the user knows.
        COrderRec backorder = order;
        backorder.Quanity = order.Quanity - input.quantity;
        backorder.BackOrder = true;
        backorder.BackOrderID = order.ID;
        if (!tables.orders().RecordModify(backorder))
            return WriteResult::Failed;
        outcome.backordered = true;
    } else if (!tables.orders().RecordDelete(order.ID)) {
        return WriteResult::Failed;
    }

    // The lot and the receipt stand even when the item has gone; only its totals
    // cannot be rewritten then.
    if (!tables.items().LocateByID(order.ItemID))
        return WriteResult::ItemMissing;
    return RecomputeItemTotals(tables, order.ItemID) ? WriteResult::Done : WriteResult::Failed;
}

} // namespace

QString BackorderQuestion(qint32 remaining)
{
    return QStringLiteral(
               "The full order was not received. Choose 'Yes' \nto keep this order active and place the "
               "remaining\n%1 items on backorder.  Choose 'No' if you wish to\ndiscard the remainder of "
               "the order.\n\n")
        .arg(remaining);
}

ReceiptOutcome ReceiveOrderLine(ProjectTables& tables, Prompter& prompter, const ReceiptInput& input,
                                ChangeList& changes, QList<qint32>* receipts)
{
    ReceiptOutcome outcome;
    outcome.orderID = input.orderID;
    if (input.quantity < 1 || !input.cost.isValid() || !input.date.isValid())
        return outcome;

    COrderRec order;
    const quint64 readFailures = tables.database().readFailureCount();
    if (input.orderID <= 0 || !tables.orders().RecordRead(order, input.orderID)) {
        // A line that could not be read is not a line that has gone.
        if (tables.database().readFailureSince(readFailures)) {
            outcome.status = ReceiptOutcome::Status::Failed;
            ReportOperationFailure(prompter, tables.database());
        } else {
            outcome.status = ReceiptOutcome::Status::OrderMissing;
        }
        return outcome;
    }
    outcome.itemID = order.ItemID;
    outcome.poID = order.POID;

    // Receiving more than is outstanding is accepted: the whole quantity goes
    // into the lot and the line is done.
    bool keepRemainder = false;
    if (input.quantity < order.Quanity) {
        keepRemainder = prompter.askYesNo(BackorderQuestion(order.Quanity - input.quantity), AppTitle(),
                                          Prompter::Icon::Question);
    }

    WriteResult written = WriteResult::Failed;
    {
        Transaction transaction(tables.database());
        if (transaction.isActive()) {
            // Another program may have received against the line since it was
            // read: what stays on backorder goes by the line as it is now.
            if (tables.orders().RecordRead(order, input.orderID)) {
                written = WriteReceipt(tables, order, input, keepRemainder && input.quantity < order.Quanity,
                                       outcome);
            } else if (!tables.database().readFailureSince(readFailures)) {
                outcome.status = ReceiptOutcome::Status::OrderMissing;
                return outcome;
            }
            if (written != WriteResult::Failed && !transaction.commit())
                written = WriteResult::Failed;
        }
    }
    if (written == WriteResult::Failed) {
        outcome.status = ReceiptOutcome::Status::Failed;
        outcome.stockID = NoID;
        outcome.receiptID = NoID;
        outcome.backordered = false;
        ReportOperationFailure(prompter, tables.database());
        return outcome;
    }

    outcome.status = ReceiptOutcome::Status::Received;
    changes.add(ListingKind::PurchaseOrders, order.POID);
    changes.add(ListingKind::Items, order.ItemID);
    changes.add(ListingKind::Stock, outcome.stockID);
    changes.add(UnlistedKind::OrderLines, order.ID);
    changes.add(UnlistedKind::Receipts, outcome.receiptID);
    if (receipts && receipts->size() < ChangeList::kMaxPerKind && !receipts->contains(outcome.receiptID))
        receipts->append(outcome.receiptID);

    if (written == WriteResult::ItemMissing)
        WarnUnlessDamaged(prompter, tables.database(), QStringLiteral("Unable to locate item record."));
    return outcome;
}
