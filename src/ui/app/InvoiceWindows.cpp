#include "InvoiceWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/sales/InvoiceCommands.h"
#include "ui/views/RecordListView.h"

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
            return WindowOutcome{
                RunInvoiceManager(r.parent, r.tables, r.services, settings, SelectedInvoice(registry, r)),
                {}};
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
