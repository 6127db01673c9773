#include "RemoveSale.h"

#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/StockConsumption.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

QString RemoveSaleQuestion()
{
    return QStringLiteral("You are about to remove the selected sale from your records, \n and place the "
                          "sale quantity back into stock.\nAre you sure you wish to do this?");
}

bool RemoveSale(ProjectTables& tables, Prompter& prompter, qint32 saleID, ChangeList& changes,
                QList<qint32>* removedSales)
{
    if (!prompter.askYesNo(RemoveSaleQuestion(), AppTitle(), Prompter::Icon::Question))
        return false;
    return TakeSaleBack(tables, prompter, saleID, changes, removedSales);
}

bool TakeSaleBack(ProjectTables& tables, Prompter& prompter, qint32 saleID, ChangeList& changes,
                  QList<qint32>* removedSales)
{
    const QString title = AppTitle();
    CSalesRec sale;
    if (!tables.sales().RecordRead(sale, saleID)) {
        WarnUnlessDamaged(prompter, tables.database(), StatusMessage(Status::RecordNotFound));
        return false;
    }
    CSIRec invoice;
    if (!tables.invoices().RecordRead(invoice, sale.SIID)) {
        WarnUnlessDamaged(prompter, tables.database(),
                          QStringLiteral("Unable to locate invoice containing sale transaction!"), title);
        return false;
    }
    // Without its item the sale could neither be stocked again nor priced with
    // tax; checking first leaves no half-removed sale behind.
    CItemsRec item;
    if (!tables.items().RecordRead(item, sale.ItemID)) {
        WarnUnlessDamaged(prompter, tables.database(), StatusMessage(Status::RecordNotFound));
        return false;
    }

    const Money amount = sale.SellingPrice * sale.Quanity;
    const Money removed = amount + LineTax(amount, item.Taxable, item.TaxRate);

    Transaction transaction(tables.database());
    qint32 lotID = 0;
    bool ok = transaction.isActive();
    if (ok) {
        lotID = PutSaleBackIntoStock(tables, sale, invoice.Date, sale.Quanity, StockOther);
        ok = lotID > 0;
    }
    ok = ok && tables.sales().RecordDelete(sale.ID) && RecomputeStocked(tables, item.ID);
    // No receivable means nothing is owed on the invoice yet: nothing to lower.
    ok = ok && ShiftInvoiceDues(tables.receivables(), invoice.ID, -removed) != Status::OperationFailed;
    if (!ok || !transaction.commit()) {
        ReportOperationFailure(prompter, tables.database());
        return false;
    }

    changes.add(ListingKind::Items, item.ID);
    changes.add(ListingKind::Stock, lotID);
    changes.add(ListingKind::Invoices, invoice.ID);
    changes.add(UnlistedKind::SoldItems, sale.ID);
    AddInvoiceReceivables(tables.receivables(), invoice.ID, changes);
    if (removedSales && removedSales->size() < ChangeList::kMaxPerKind)
        removedSales->append(sale.ID);
    return true;
}
