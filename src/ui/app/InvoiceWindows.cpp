#include "InvoiceWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/sales/InvoiceCommands.h"
#include "ui/sales/InvoiceDialogs.h"
#include "ui/views/RecordListView.h"

#include "core/reports/QuickReports.h"

namespace {

// The invoice selected in the invoice list; none from any other list.
qint32 SelectedInvoice(const CommandRegistry& registry, const WindowRequest& r)
{
    const RecordListView* view = registry.listView();
    return view && view->kind() == ListingKind::Invoices ? r.recordId : NoSelection;
}

} // namespace

void RegisterInvoiceWindows(CommandRegistry& registry, UserSettings& settings)
{
    registry.addWindow(
        MainWindow::ManageInvoices,
        [&registry, &settings](const WindowRequest& r) {
            InvoiceReportRequest report;
            WindowOutcome outcome{RunInvoiceManager(r.parent, r.tables, r.services, settings,
                                                    SelectedInvoice(registry, r), &report),
                                  {}};
            // "View Invoice" and "Print Invoice" leave the invoice's printout to the
            // main window, the parent of every window a command opens.
            if (report.invoiceID != NoSelection) {
                if (auto* window = qobject_cast<MainWindow*>(r.parent))
                    window->showQuickReport(int(QuickReportKind::Invoice), report.invoiceID, report.print);
            }
            return outcome;
        },
        CommandRegistry::WindowOptions{});
    registry.addWindow(
        MainWindow::ManagePayments,
        [&registry](const WindowRequest& r) {
            return WindowOutcome{
                RunManagePayments(r.parent, r.tables, r.services, SelectedInvoice(registry, r)), {}};
        },
        CommandRegistry::WindowOptions{});
}
