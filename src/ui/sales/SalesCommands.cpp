#include "ui/sales/SalesCommands.h"

#include "ui/common/DesktopServices.h"
#include "ui/sales/NewSalesInvoiceDialog.h"
#include "ui/sales/RecordSoldItemsDialog.h"

#include "core/sales/NewSalesInvoiceModel.h"
#include "core/sales/RecordSoldItemsModel.h"

ChangeList RunNewSalesInvoice(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                              qint32 modifyInvoiceID, qint32* created)
{
    if (created)
        *created = NoID;
    NewSalesInvoiceModel model(tables, services.prompter, services.clock);
    if (modifyInvoiceID != NoID && modifyInvoiceID != NoSelection && !model.loadForModify(modifyInvoiceID))
        return {};
    if (!model.checkPrerequisites())
        return {};
    NewSalesInvoiceDialog dialog(model, tables, services.prompter, services.clock, parent);
    const bool saved = dialog.exec() == QDialog::Accepted;
    // Customers added or modified from "&Customer Information" stay so even
    // when the invoice is cancelled.
    ChangeList changes = dialog.customerChanges();
    changes.merge(model.changes());
    if (created && saved && !model.isModify())
        *created = model.invoiceID();
    return changes;
}

ChangeList RunRecordSoldItems(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                              qint32 invoiceID, bool addsToExisting, qint32 itemID)
{
    RecordSoldItemsModel model(tables, services.prompter);
    model.setInvoice(invoiceID);
    model.setAddToExistingInvoice(addsToExisting);
    if (!model.checkPrerequisites())
        return {};
    if (itemID != NoID && itemID != NoSelection)
        model.selectItem(itemID);
    RecordSoldItemsDialog dialog(model, tables, services.prompter, parent);
    dialog.exec();
    return model.changes();
}

ChangeList RunRecordSale(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                         qint32 itemID)
{
    qint32 invoice = NoID;
    ChangeList changes = RunNewSalesInvoice(parent, tables, services, NoID, &invoice);
    if (invoice == NoID)
        return changes;
    changes.merge(RunRecordSoldItems(parent, tables, services, invoice, false, itemID));
    return changes;
}
