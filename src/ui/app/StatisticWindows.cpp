#include "StatisticWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "ui/stats/ManageStatisticsDialog.h"
#include "ui/stats/StatisticWizard.h"
#include "ui/stats/ViewStatisticsDialog.h"
#include "ui/views/RecordListView.h"

#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StatisticWizardModel.h"

void RegisterStatisticWindows(CommandRegistry& registry, Project& project, UserSettings& settings)
{
    // Statistics are kept in the settings file, not as records: no list changes.
    CommandRegistry::WindowOptions own;
    own.suspendFilters = false;

    registry.addWindow(
        MainWindow::ManageStatistics,
        [&project](const WindowRequest& r) {
            if (CProjectSettings* statistics = project.settings()) {
                ManageStatisticsModel model(*statistics, r.services.prompter);
                if (model.checkPrerequisites())
                    ManageStatisticsDialog(model, *statistics, r.services, r.parent).exec();
            }
            return WindowOutcome{};
        },
        own);

    registry.addWindow(
        MainWindow::StatisticWizard,
        [&project](const WindowRequest& r) {
            if (CProjectSettings* statistics = project.settings()) {
                StatisticWizardModel model(*statistics, r.services.prompter, r.services.clock);
                if (model.checkPrerequisites())
                    StatisticWizard(model, r.services.clock, r.parent).exec();
            }
            return WindowOutcome{};
        },
        own);

    // Against the list showing and its selection; with a report showing, no
    // listing and no selection.
    registry.addWindow(
        MainWindow::ViewStatistics,
        [&registry, &project, &settings](const WindowRequest& r) {
            if (const CProjectSettings* statistics = project.settings()) {
                const RecordListView* view = registry.listView();
                const std::optional<ListingKind> list =
                    view ? std::optional<ListingKind>(view->kind()) : std::nullopt;
                const qint32 selected = view ? view->selectedRecordID() : NoSelection;
                RunViewStatistics(r.parent, r.tables, *statistics, settings, list, selected);
            }
            return WindowOutcome{};
        },
        own);
}
