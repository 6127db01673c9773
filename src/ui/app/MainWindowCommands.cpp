// The runners of the main window's own commands: files, panes, list settings and
// help. The record windows plug in through RegisterRecordWindows.

#include "CommandRegistry.h"
#include "MainWindow.h"
#include "NavigationTreeWidget.h"

#include "core/common/Prompter.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/records/CustomerPurchases.h"
#include "core/session/ProjectRepair.h"
#include "core/session/RestoreBackupModel.h"
#include "core/views/RecordLists.h"
#include "render/reports/ReportFonts.h"
#include "ui/common/DesktopServices.h"
#include "ui/print/ListPrinting.h"
#include "ui/print/PrintCommands.h"
#include "ui/print/PrintoutPane.h"
#include "ui/project/CheckProjectDialog.h"
#include "ui/project/HelpTopics.h"
#include "ui/project/ProjectDialogs.h"
#include "ui/project/RestoreBackupDialog.h"
#include "ui/reports/ReportSettingsDialogs.h"
#include "ui/views/CustomizeColorsDialog.h"
#include "ui/views/CustomizeColumnsDialog.h"
#include "ui/views/FindInListDialog.h"
#include "ui/views/RecordListView.h"
#include "ui/views/SortListDialog.h"

#include <QAction>
#include <QPrinter>
#include <QStackedWidget>
#include <QStatusBar>

#include <array>

void MainWindow::registerCommands()
{
    CommandRegistry& r = *m_registry;
    Prompter& prompter = m_services.prompter;
    const auto open = [this] { return m_project.isOpen(); };
    const auto listShown = [this] { return currentListView() != nullptr; };
    // The runner of a command that works on the list shown, which tells the user
    // when there is none.
    const auto onList = [this](auto&& run) {
        return [this, run = std::forward<decltype(run)>(run)](bool) {
            if (requireList())
                run(*currentListView());
        };
    };

    r.addCommand(FileNew, [this](bool) { Q_EMIT newProjectRequested(); });
    r.addCommand(FileOpen, [this](bool) { openFileDialog(); });
    r.addCommand(
        CopyProject, [this](bool) { RunCopyProject(this, m_project, m_services); }, open);
    // Lists print in the project's quick-report fonts.
    const auto listFonts = [this] {
        const CProjectSettings* settings = m_project.settings();
        return ListFontsFromReportFile(settings ? settings->reportPath() : QString());
    };
    // Print, Print Preview and Save as PDF go to the printout when the pane shows
    // one, otherwise to the list shown.
    const auto printoutShown = [this] {
        return m_stack->currentWidget() == m_printout && m_printout->hasJob();
    };
    const auto printable = [listShown, printoutShown] { return listShown() || printoutShown(); };
    const auto toPrintoutOrList = [this, printoutShown, onList](auto&& onPrintout, auto&& onListShown) {
        return [printoutShown, onPrintout, list = onList(onListShown)](bool checked) {
            if (printoutShown())
                onPrintout();
            else
                list(checked);
        };
    };
    r.addCommand(FilePrint,
                 toPrintoutOrList([this] { m_printout->print(); },
                                  [this, listFonts](RecordListView& view) {
                                      PrintList(this, view, m_settings, m_services, *m_printer, listFonts());
                                  }),
                 printable);
    r.addCommand(FilePrintPreview,
                 toPrintoutOrList([this] { m_printout->preview(); },
                                  [this, listFonts](RecordListView& view) {
                                      PreviewList(this, view, m_settings, m_services, *m_printer,
                                                  listFonts());
                                  }),
                 printable);
    r.addCommand(FileSaveAsPdf,
                 toPrintoutOrList([this] { m_printout->saveAsPdf(m_printout->job()->title + u".pdf"); },
                                  [this, listFonts](RecordListView& view) {
                                      SaveListAsPdf(view, m_settings, m_services, listFonts());
                                  }),
                 printable);
    r.addCommand(ExportListCsv, onList([this](RecordListView& view) { ExportListAsCsv(view, m_services); }),
                 listShown);
    r.addCommand(
        ExportReportCsv, [this](bool) { m_printout->exportCsv(m_printout->job()->title + u".csv"); },
        [this, printoutShown] { return printoutShown() && m_printout->canExportCsv(); });
    r.addCommand(
        ViewNextPage, [this](bool) { m_printout->nextPage(); },
        [this, printoutShown] { return printoutShown() && m_printout->canGoNext(); });
    r.addCommand(
        ViewPrevPage, [this](bool) { m_printout->previousPage(); },
        [this, printoutShown] { return printoutShown() && m_printout->canGoPrevious(); });
    r.addCommand(PrintSetup, [this](bool) {
        RunPrintSetup(this, *m_printer);
        // The screen shows the pages of the paper chosen.
        m_printout->followPaper();
    });
    r.addCommand(PrintMargins, [this, &prompter](bool) { RunPrintMargins(this, m_settings, prompter); });
    r.addCommand(
        CompactDatabase,
        [this, &prompter](bool) {
            RunCompactDatabase(this, m_project, prompter);
            // The project's tables were opened anew: the lists let go of the old ones.
            m_lists.setTables(m_project.tables());
            rebuildTree();
        },
        open);
    r.addWindow(
        CheckProject,
        DialogWindow(
            [](const WindowRequest& request) {
                return std::make_unique<CheckProjectModel>(request.tables, request.services.prompter);
            },
            [](CheckProjectModel& model, const WindowRequest& request) {
                return std::make_unique<CheckProjectDialog>(model, request.parent);
            }),
        CommandRegistry::WindowOptions{.suspendFilters = false, .requireList = false, .enabledAs = {}});
    r.addCommand(
        RestoreFromBackup,
        [this, &prompter](bool) {
            RestoreBackupModel model(m_project, prompter, [this] { m_lists.setTables(nullptr); });
            if (!model.checkPrerequisites())
                return;
            RestoreBackupDialog dialog(model, this);
            dialog.exec();
            // The project was opened again, restored or as it was: everything is read anew.
            m_lists.markAllForReload();
            m_lists.setTables(m_project.tables());
            projectOpened();
        },
        open);
    r.addCommand(AppExit, [this](bool) { close(); });

    const std::array<std::pair<int, ListingKind>, kListingKindCount> folders = {{
        {ViewVendors, ListingKind::Vendors},
        {ViewItems, ListingKind::Items},
        {ViewCustomers, ListingKind::Customers},
        {ViewInvoices, ListingKind::Invoices},
        {ViewPurchaseOrders, ListingKind::PurchaseOrders},
        {ViewStock, ListingKind::Stock},
    }};
    for (const auto& [command, kind] : folders) {
        const ListingKind folder = kind;
        r.addCommand(command, [this, folder](bool) { m_tree->SelectFolder(folder); });
    }
    r.addCommand(
        ViewCustomerInvoices, [this](bool) { showCustomerInvoices(); }, open);
    r.addCommand(ViewRefresh, onList([this](RecordListView&) { refreshList(); }));
    r.addCommand(ViewToolbars, [this](bool) { showToolbarsDialog(); });
    r.addCommand(ViewStatusBar, [this](bool shown) { statusBar()->setVisible(shown); });

    r.addRouted(InsertVendor, CommandRegistry::Routed::InsertVendor);
    r.addRouted(InsertItem, CommandRegistry::Routed::InsertItem);
    r.addRouted(RecordModify, CommandRegistry::Routed::Modify);
    r.addRouted(RecordDelete, CommandRegistry::Routed::Delete);
    r.addRouted(RecordDetails, CommandRegistry::Routed::Details);
    r.addCommand(FindInList, onList([this, &prompter](RecordListView& view) {
                     FindInListDialog dialog(view, prompter, this);
                     dialog.exec();
                 }));
    r.addCommand(SortList, onList([this](RecordListView& view) {
                     SortListDialog dialog(view.list(), this);
                     if (dialog.exec() == QDialog::Accepted)
                         view.Reload();
                 }),
                 [this] { return m_registry->commands().isEnabled(CProjectCommands::Command::SortList); });

    r.addCommand(
        ProjectSettings,
        [this, &prompter](bool) {
            CProjectSettings* settings = m_project.settings();
            const int style = settings ? settings->inventoryStyle() : FIFO;
            if (settings)
                RunProjectSettings(this, *settings, prompter, m_settings);
            updateIndicators();
            // The stock list is read in the order of the inventory style.
            if (settings && settings->inventoryStyle() != style) {
                m_lists.markForReload(ListingKind::Stock);
                if (m_currentKind == static_cast<int>(ListingKind::Stock))
                    refreshList();
            }
        },
        open);
    r.addCommand(CompanyInformation,
                 [this, &prompter](bool) { RunCompanyInformation(this, m_settings, prompter); });
    // Each quick report is shown by selecting its node, whose caption is the command's text.
    for (const int quick : {QuickInvoice, QuickPaymentsByCustomer, QuickCustomerBalances,
                            QuickInvoiceBalances, QuickOutstandingOrders, QuickSaleQuantities,
                            QuickSalesToCustomer, QuickDetailedSales, QuickInventorySummary}) {
        r.addCommand(
            quick,
            [this, quick](bool) { m_tree->selectCaption(action(quick)->text().remove(QLatin1Char('&'))); },
            open);
    }
    r.addCommand(
        QuickReportSettings,
        [this](bool) {
            if (const CProjectSettings* settings = m_project.settings())
                RunQuickReportSettings(this, settings->reportPath(), m_services);
        },
        open);
    r.addCommand(CustomizeColumns, onList([this, &prompter](RecordListView& view) {
                     view.saveColumns();
                     CustomizeColumnsDialog dialog(m_lists, prompter, view.kind(), this);
                     if (dialog.exec() == QDialog::Accepted)
                         view.Reload();
                 }));
    r.addCommand(CustomizeColors, onList([this, &prompter](RecordListView& view) {
                     CustomizeColorsDialog dialog(m_lists, prompter, this);
                     if (dialog.exec() == QDialog::Accepted)
                         view.redraw();
                 }));
    r.addCommand(DisplayAllRecords, [this](bool checked) { setShowAll(checked); });

    // The support and license pages are help contexts 102 and 103.
    r.addCommand(HelpTopics, [&prompter](bool) { ShowHelpTopic(prompter, 0); });
    r.addCommand(TechnicalSupport, [&prompter](bool) { ShowHelpTopic(prompter, 102); });
    r.addCommand(LicenseAgreement, [&prompter](bool) { ShowHelpTopic(prompter, 103); });
    r.addCommand(About, [this](bool) { ShowAboutBox(this, m_project); });
}

void MainWindow::showCustomerInvoices()
{
    ProjectTables* tables = m_project.tables();
    RecordListView* customers = currentListView();
    const qint32 customer = customers ? customers->selectedRecordID() : NoSelection;
    if (!tables || !ShowCustomerPurchases(*tables, m_services.prompter, m_currentKind, customer))
        return;
    // The invoice table keeps the customer's filter through the next reload, so
    // the folder's own filter does not replace it.
    m_lists.markForReload(ListingKind::Invoices);
    m_tree->SelectFolder(ListingKind::Invoices);
    // The list is the customer's invoices, not the folder's: no hint about the folder.
    listView(ListingKind::Invoices)->setEmptyHint(QString());
    // The folder's next selection lists the invoices without the customer.
    m_lists.markForReload(ListingKind::Invoices);
}
