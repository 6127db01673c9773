#include "ui/sales/InvoiceCommands.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/RunWindow.h"
#include "ui/sales/InvoiceDialogs.h"
#include "ui/sales/PaymentDialogs.h"

ChangeList RunInvoiceManager(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             UserSettings& settings, qint32 invoiceID, InvoiceReportRequest* report)
{
    InvoiceManagerModel model(tables, services.prompter, invoiceID);
    if (!model.checkPrerequisites())
        return {};
    InvoiceManagerDialog window(model, tables, services, settings, parent);
    window.exec();
    if (report)
        *report = window.reportRequest();
    return model.changes();
}

ChangeList RunCustomerReturn(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 saleID)
{
    CustomerReturnModel model(tables, prompter);
    model.setSale(saleID);
    return RunWindow<CustomerReturnDialog>(model, parent);
}

qint32 RunSelectInvoice(QWidget* parent, ProjectTables& tables, Prompter& prompter)
{
    SelectInvoiceModel model(tables, prompter);
    if (!model.checkPrerequisites())
        return NoSelection;
    SelectInvoiceDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted ? model.selectedInvoice() : NoSelection;
}

ChangeList RunManagePayments(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 invoiceID)
{
    ManagePaymentsModel model(tables, services.prompter, invoiceID);
    return RunWindow<ManagePaymentsDialog>(model, tables, services, parent);
}

ChangeList RunRecordCustomerPayment(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                    qint32 invoiceID, qint32 paymentID)
{
    RecordCustomerPaymentModel model(tables, services.prompter, services.clock);
    model.setPayment(invoiceID, paymentID);
    return RunWindow<RecordCustomerPaymentDialog>(model, services, parent);
}
