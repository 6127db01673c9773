#include "ReportDefinitionWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "ui/reports/ManageReportsDialog.h"

#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/reports/ManageReportsModel.h"

void RegisterReportDefinitionWindows(CommandRegistry& registry, MainWindow& window, const Project& project,
                                     FontChooser chooser)
{
    // Reports are not records: the lists' filters stay as they are.
    CommandRegistry::WindowOptions options;
    options.suspendFilters = false;
    registry.addWindow(
        MainWindow::ManageReports,
        [&window, &project, chooser = std::move(chooser)](const WindowRequest& r) {
            const CProjectSettings* settings = project.settings();
            if (settings == nullptr)
                return WindowOutcome{};
            std::optional<ListingKind> current;
            if (window.currentKind() >= 0)
                current = static_cast<ListingKind>(window.currentKind());
            ManageReportsModel model(r.tables, settings->reportPath(), settings->statistics(),
                                     r.services.prompter, r.services.clock, current);
            ManageReportsDialog dialog(model, chooser, r.parent);
            dialog.exec();
            window.rebuildTree();
            return WindowOutcome{};
        },
        options);
}
