#include "QueryWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "ui/reports/ManageQueriesDialog.h"
#include "ui/views/RecordListView.h"

void RegisterQueryWindows(CommandRegistry& registry, MainWindow& window, const DesktopServices&)
{
    // Queries are read and written by name: no table's filter is in the way.
    CommandRegistry::WindowOptions byName;
    byName.suspendFilters = false;
    registry.addWindow(
        MainWindow::ManageQueries,
        [&registry, &window](const WindowRequest& r) {
            const RecordListView* view = registry.listView();
            const std::optional<ListingKind> current =
                view ? std::optional<ListingKind>(view->kind()) : std::nullopt;
            ManageQueriesModel model(r.tables, r.services.prompter, current);
            ManageQueriesDialog dialog(model, r.parent);
            dialog.exec();
            window.rebuildTree();
            return WindowOutcome{};
        },
        byName);
}
