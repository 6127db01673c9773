#include "PurchasingWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/purchasing/ManagePODialog.h"
#include "ui/purchasing/PurchasingCommands.h"
#include "ui/purchasing/PurchasingHub.h"
#include "ui/views/RecordListView.h"

namespace {

using Action = CommandRegistry::Action;
using Command = CProjectCommands::Command;
using Options = CommandRegistry::WindowOptions;

// The record selected in the list showing, when that list is of `kind`.
qint32 SelectedIn(const CommandRegistry& registry, ListingKind kind, const WindowRequest& r)
{
    const RecordListView* view = registry.listView();
    return view && view->kind() == kind ? r.recordId : NoSelection;
}

// An activity that works only while a list is showing.
Options OnAList(std::optional<Command> enabledAs = std::nullopt)
{
    Options options;
    options.requireList = true;
    options.enabledAs = enabledAs;
    return options;
}

WindowOutcome Changes(ChangeList changes)
{
    return WindowOutcome{std::move(changes), {}};
}

// Manage Purchase Orders, then the printout or history its "View PO" or "View
// Details" asked for, shown by the main window once the window has closed.
WindowOutcome ManagePurchaseOrders(const WindowRequest& r, UserSettings& settings, qint32 poID)
{
    PurchaseOrderViewRequest view;
    ChangeList changes = RunManagePurchaseOrders(r.parent, r.tables, r.services, settings, poID, view);
    if (auto* window = qobject_cast<MainWindow*>(r.parent)) {
        if (view.kind == PurchaseOrderViewRequest::Kind::ViewPO)
            window->showPurchaseOrder(view.poID);
        else if (view.kind == PurchaseOrderViewRequest::Kind::ViewDetails)
            window->showPurchaseOrderHistory(view.poID);
    }
    return Changes(std::move(changes));
}

} // namespace

void RegisterPurchasingWindows(CommandRegistry& registry, UserSettings& settings)
{
    // Modify and Details on the purchase-order list hand over the row's record ID.
    registry.addWindow(Action::ManagePurchaseOrders, [&settings](const WindowRequest& r) {
        return ManagePurchaseOrders(r, settings, r.recordId);
    });
    registry.addWindow(
        MainWindow::ManagePurchaseOrders,
        [&registry, &settings](const WindowRequest& r) {
            const qint32 po = SelectedIn(registry, ListingKind::PurchaseOrders, r);
            return ManagePurchaseOrders(r, settings, po);
        },
        Options{});

    registry.addWindow(
        MainWindow::RecordOrder,
        [&registry](const WindowRequest& r) {
            const qint32 item = SelectedIn(registry, ListingKind::Items, r);
            return Changes(RunRecordOrder(r.parent, r.tables, r.services, item == NoSelection ? NoID : item));
        },
        OnAList(Command::RecordOrder));
    registry.addWindow(
        MainWindow::RecordReceived,
        [](const WindowRequest& r) { return Changes(RunRecordReceived(r.parent, r.tables, r.services)); },
        OnAList());
    registry.addWindow(
        MainWindow::AutoOrder,
        [](const WindowRequest& r) {
            return Changes(RunAutoOrder(r.parent, r.tables, r.services, AutoOrderModel::Mode::Order));
        },
        OnAList());
    registry.addWindow(
        MainWindow::AutoReceive,
        [](const WindowRequest& r) {
            return Changes(RunAutoOrder(r.parent, r.tables, r.services, AutoOrderModel::Mode::Receive));
        },
        OnAList());

    registry.addWindow(
        MainWindow::Purge,
        [&registry](const WindowRequest& r) {
            WindowOutcome outcome = Changes(RunPurgeData(r.parent, r.tables, r.services));
            if (outcome.changes.isEmpty())
                return outcome;
            // Whole purchase orders and invoices went with their lines and
            // payments: those lists are read again, and so is the list showing.
            outcome.reload = {ListingKind::Invoices, ListingKind::PurchaseOrders};
            if (const RecordListView* view = registry.listView();
                view && !outcome.reload.contains(view->kind()))
                outcome.reload.append(view->kind());
            return outcome;
        },
        Options{});
}
