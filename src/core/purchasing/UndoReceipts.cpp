#include "UndoReceipts.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

#include <algorithm>
#include <optional>

namespace {

enum class Check
{
    Ok,
    ReceiptMissing,
    LeftStock
};

// A receipt can be taken back only while its lot is exactly as received.
Check CheckReceipt(ProjectTables& tables, qint32 receiptID, CReceivedRec& receipt)
{
    if (!tables.received().RecordRead(receipt, receiptID))
        return Check::ReceiptMissing;
    CStockRec lot;
    if (!tables.stock().RecordRead(lot, receipt.StockID) || lot.Quanity != receipt.ReceiveQuantity)
        return Check::LeftStock;
    return Check::Ok;
}

void ReportCheck(Prompter& prompter, Check check)
{
    if (check == Check::ReceiptMissing) {
        ReportErrorCode(prompter, Status::RecordNotFound);
    } else {
        warn(prompter,
             QStringLiteral(
                 "Unable to perform this operation. Items from this order have already left stock."));
    }
}

struct Removal
{
    enum class Status
    {
        Done,
        ItemMissing,
        CheckFailed,
        Failed
    };
    Status status = Status::Failed;
    Check check = Check::Ok;
    qint32 orderID = NoID;
    QList<qint32> lots;
    QList<qint32> receipts;
};

// The active backorder of an order line: the line kept for its remainder.
std::optional<COrderRec> ActiveBackorder(ProjectTables& tables, qint32 orderID)
{
    const QList<COrderRec> rows =
        tables.orders().RecordsWhere(QStringLiteral("[BackOrderID] = ? AND [BackOrder] = TRUE"), {orderID});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

// Every write of the undo; the caller's transaction makes them one step.
Removal RemoveReceipts(ProjectTables& tables, qint32 orderID, const QList<qint32>& receiptIDs)
{
    Removal removal;
    CReceivedRec first, last;
    for (qsizetype i = 0; i < receiptIDs.size(); ++i) {
        CReceivedRec receipt;
        removal.check = CheckReceipt(tables, receiptIDs.at(i), receipt);
        if (removal.check != Check::Ok) {
            removal.status = Removal::Status::CheckFailed;
            return removal;
        }
        if (!tables.received().RecordDelete(receipt.ID) || !tables.stock().RecordDelete(receipt.StockID))
            return removal;
        removal.lots.append(receipt.StockID);
        removal.receipts.append(receipt.ID);
        if (i == 0)
            first = receipt;
        last = receipt;
    }

    // The line comes back as it was before its first receipt.
    COrderRec line;
    line.ItemID = first.ItemID;
    line.VendorID = first.VendorID;
    line.Quanity = first.OrderQuantity;
    line.Date = first.OrderDate;
    line.POID = first.POID;
    line.BackOrder = false;
    line.BackOrderID = 0;

    if (const std::optional<COrderRec> backorder = ActiveBackorder(tables, orderID)) {
        // Quantity recorded onto the backorder after the last receipt (the same
        // item ordered again on this purchase order) was never received: it stays
        // on order instead of being overwritten.
        const qint32 leftByLastReceipt = std::max<qint32>(0, last.OrderQuantity - last.ReceiveQuantity);
        line.Quanity += std::max<qint32>(0, backorder->Quanity - leftByLastReceipt);
        line.ID = backorder->ID;
        if (!tables.orders().RecordModify(line))
            return removal;
    } else if (!tables.orders().RecordAdd(line)) {
        return removal;
    }
    removal.orderID = line.ID;

    if (!tables.items().LocateByID(first.ItemID)) {
        removal.status = Removal::Status::ItemMissing;
        return removal;
    }
    removal.status =
        RecomputeItemTotals(tables, first.ItemID) ? Removal::Status::Done : Removal::Status::Failed;
    return removal;
}

} // namespace

UndoReceiptsResult UndoReceipts(ProjectTables& tables, Prompter& prompter, qint32 orderID,
                                ChangeList& changes)
{
    UndoReceiptsResult result;
    result.orderID = orderID;

    if (!prompter.askYesNo(QStringLiteral("You are about to remove all recorded receipts of this order from "
                                          "stock.\n\nAre you sure you wish to do this?"),
                           AppTitle(), Prompter::Icon::Question))
        return result;

    // A receipt or lot that could not be read is neither missing nor drawn on:
    // the user is told that the project could not be read.
    ProjectDatabase& db = tables.database();
    const quint64 readFailures = db.readFailureCount();
    const auto readFailed = [&] {
        const std::optional<ProjectDatabase::ReadFailure> failure = db.readFailureSince(readFailures);
        if (failure)
            ReportReadFailure(prompter, *failure);
        return failure.has_value();
    };
    const QList<qint32> receiptIDs = tables.received().IDsWhere(QStringLiteral("[OrderID] = ?"), {orderID});
    if (receiptIDs.isEmpty()) {
        readFailed();
        return result;
    }

    // Every receipt is checked before anything is touched, so a refusal leaves
    // the order exactly as it was.
    CReceivedRec first;
    for (qsizetype i = 0; i < receiptIDs.size(); ++i) {
        CReceivedRec receipt;
        const Check check = CheckReceipt(tables, receiptIDs.at(i), receipt);
        if (check != Check::Ok) {
            if (!readFailed())
                ReportCheck(prompter, check);
            return result;
        }
        if (i == 0)
            first = receipt;
    }

    Removal removal;
    {
        Transaction transaction(tables.database());
        if (transaction.isActive()) {
            removal = RemoveReceipts(tables, orderID, receiptIDs);
            const bool keep =
                removal.status == Removal::Status::Done || removal.status == Removal::Status::ItemMissing;
            if (keep && !transaction.commit())
                removal.status = Removal::Status::Failed;
        }
    }
    switch (removal.status) {
    case Removal::Status::CheckFailed:
        if (!readFailed())
            ReportCheck(prompter, removal.check);
        return result;
    case Removal::Status::Failed:
        ReportOperationFailure(prompter, tables.database());
        return result;
    case Removal::Status::Done:
    case Removal::Status::ItemMissing:
        break;
    }

    result.changed = true;
    result.orderID = removal.orderID;
    changes.add(ListingKind::PurchaseOrders, first.POID);
    changes.add(ListingKind::Items, first.ItemID);
    for (const qint32 lot : removal.lots)
        changes.add(ListingKind::Stock, lot);
    for (const qint32 receipt : removal.receipts)
        changes.add(UnlistedKind::Receipts, receipt);
    changes.add(UnlistedKind::OrderLines, orderID);
    changes.add(UnlistedKind::OrderLines, removal.orderID);

    if (removal.status == Removal::Status::ItemMissing)
        WarnUnlessDamaged(prompter, tables.database(), QStringLiteral("Item doesn't exist."));
    return result;
}
