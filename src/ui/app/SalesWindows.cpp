#include "SalesWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "ui/sales/SalesCommands.h"
#include "ui/views/RecordListView.h"

#include "core/records/FilterSuspension.h"
#include "core/sales/SaleCommands.h"

void RegisterSalesWindows(CommandRegistry& registry, const DesktopServices& services)
{
    // Record Sale starts on the item the list showing points at.
    CommandRegistry::WindowOptions onAList;
    onAList.requireList = true;
    registry.addWindow(
        MainWindow::RecordSale,
        [&registry](const WindowRequest& r) {
            const RecordListView* view = registry.listView();
            const qint32 item =
                view ? ItemToSellFromList(r.tables, static_cast<int>(view->kind()), r.recordId) : NoID;
            return WindowOutcome{RunRecordSale(r.parent, r.tables, r.services, item), {}};
        },
        onAList);

    const auto available = [&registry] {
        const RecordListView* view = registry.listView();
        return view && registry.commands().tables() &&
               UndoSaleAvailable(static_cast<int>(view->kind()), view->selectedRecordID());
    };
    registry.addCommand(
        MainWindow::UndoSale,
        [&registry, &services, available](bool) {
            if (!available())
                return;
            ProjectTables& tables = *registry.commands().tables();
            std::unique_ptr<FilterSuspension> suspended = registry.commands().suspendFilters();
            WindowOutcome outcome;
            UndoInvoiceSale(tables, services.prompter, registry.listView()->selectedRecordID(),
                            outcome.changes);
            suspended.reset();
            registry.followOutcome(outcome, false);
        },
        available);
}
