#include "SaleCommands.h"

#include "RemoveSale.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

qint32 ItemToSellFromList(ProjectTables& tables, int listKind, qint32 recordID)
{
    if (recordID == NoSelection || recordID == NoID)
        return NoID;
    switch (static_cast<ListingKind>(listKind)) {
    case ListingKind::Items:
        return tables.items().LocateByID(recordID) ? recordID : NoID;
    case ListingKind::PurchaseOrders: {
        // A purchase order may order several items; its first line stands for it.
        const qint32 line = tables.orders().FirstIDWhere(QStringLiteral("[POID] = ?"), {recordID});
        COrderRec order;
        return line != NoSelection && tables.orders().RecordRead(order, line) ? order.ItemID : NoID;
    }
    case ListingKind::Stock: {
        CStockRec lot;
        return tables.stock().RecordRead(lot, recordID) ? lot.ItemID : NoID;
    }
    case ListingKind::Vendors:
    case ListingKind::Invoices:
    case ListingKind::Customers:
        break;
    }
    return NoID;
}

bool UndoSaleAvailable(int listKind, qint32 selectedRecordID)
{
    return listKind == static_cast<int>(ListingKind::Invoices) && selectedRecordID != NoSelection &&
           selectedRecordID != NoID;
}

bool UndoInvoiceSale(ProjectTables& tables, Prompter& prompter, qint32 invoiceID, ChangeList& changes)
{
    const QString title = AppTitle();
    const QList<qint32> sales = tables.sales().IDsWhere(QStringLiteral("[SIID] = ?"), {invoiceID});
    if (sales.isEmpty()) {
        warn(prompter, QStringLiteral("The selected invoice holds no sale to take back into stock."), title);
        return false;
    }
    if (!prompter.askYesNo(RemoveSaleQuestion(), title, Prompter::Icon::Question))
        return false;

    Transaction transaction(tables.database());
    if (!transaction.isActive()) {
        ReportOperationFailure(prompter, tables.database());
        return false;
    }
    ChangeList taken;
    for (const qint32 sale : sales) {
        // Each sale is taken back in a savepoint of its own; the first that fails
        // has said why, and takes every other back with it.
        if (!TakeSaleBack(tables, prompter, sale, taken))
            return false;
    }
    if (!transaction.commit()) {
        ReportOperationFailure(prompter, tables.database());
        return false;
    }
    changes.merge(taken);
    return true;
}
