#include "QueryWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"
#include "NavigationTreeWidget.h"

#include "ui/common/DesktopServices.h"
#include "ui/reports/ManageQueriesDialog.h"
#include "ui/reports/ReportWizard.h"
#include "ui/views/RecordListView.h"

#include "core/records/FilterSuspension.h"

namespace {

// Selects the report's node under its folder, which shows it; straight into the
// pane when the tree has no such node.
void ShowNewReport(MainWindow& window, const QString& name)
{
    NavigationTreeWidget& tree = *window.navigationTree();
    const auto& folders = tree.tree().folders();
    for (int folder = 0; folder < static_cast<int>(folders.size()); ++folder) {
        const QList<NavigationNode>& children = folders[static_cast<size_t>(folder)].children;
        for (int child = 0; child < children.size(); ++child) {
            const NavigationNode& node = children.at(child);
            if (node.type != NavigationNodeType::Report || node.caption != name)
                continue;
            if (QTreeWidgetItem* item = tree.itemAt(NavigationRef{folder, child})) {
                tree.setCurrentItem(item);
                return;
            }
        }
    }
    window.showCustomReport(name);
}

} // namespace

void RegisterQueryWindows(CommandRegistry& registry, MainWindow& window, const DesktopServices& services)
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

    // The vendor page's picker and Find Vendor see every vendor; the lists'
    // filters are back before the tree is read again and the report is laid out.
    registry.addCommand(
        MainWindow::ReportWizard,
        [&registry, &window, &services](bool) {
            ProjectTables* tables = registry.commands().tables();
            if (!tables)
                return;
            QString created;
            {
                const std::unique_ptr<FilterSuspension> suspended = registry.commands().suspendFilters();
                ReportWizardModel model(*tables, services.prompter, services.clock);
                ReportWizard wizard(model, *tables, services, &window);
                if (wizard.exec() != QDialog::Accepted)
                    return;
                created = model.createdReport();
            }
            window.rebuildTree();
            if (!created.isEmpty())
                ShowNewReport(window, created);
        },
        [&registry] { return registry.commands().tables() != nullptr; });
}
