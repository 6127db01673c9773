#include "MainWindow.h"

#include "CommandIcons.h"
#include "CommandRegistry.h"
#include "InvoiceWindows.h"
#include "NavigationTreeWidget.h"
#include "ProgressWindow.h"
#include "PurchasingWindows.h"
#include "QueryWindows.h"
#include "RecordWindows.h"
#include "ReportDefinitionWindows.h"
#include "SalesWindows.h"
#include "StatisticWindows.h"

#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/views/ListDefinitions.h"
#include "core/views/NodeDeletion.h"
#include "core/views/RecordLists.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/print/PrintCommands.h"
#include "ui/print/PrintoutPane.h"
#include "ui/views/RecordListView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kShowAll = QStringLiteral("ShowAll");
const QString kPane = QStringLiteral("Pane");
const QString kToolbars = QStringLiteral("Toolbars");
const QString kBarState = QStringLiteral("State");
constexpr int kDefaultPane = 140;

const QString kOnlyForLists = QStringLiteral("This option is only valid for list views.");

} // namespace

QSize MainWindow::initialSize(const QSize& available)
{
    const auto fit = [](int screen, int least) { return std::min(screen, std::max(screen * 4 / 5, least)); };
    return QSize(fit(available.width(), 1024), fit(available.height(), 700));
}

MainWindow::MainWindow(UserSettings& settings, RecordLists& lists, Project& project,
                       const DesktopServices& services, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_lists(lists), m_project(project), m_services(services),
      m_registry(new CommandRegistry(project, lists, services, this)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    UseDefaultPaper(*m_printer);
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(AppTitle());
    setAcceptDrops(true);
    if (const QScreen* shown = screen())
        resize(initialSize(shown->availableGeometry().size()));
    else
        resize(1024, 700);

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    createPanes();
    createContextMenus();
    registerCommands();
    RegisterRecordWindows(*m_registry);
    RegisterPurchasingWindows(*m_registry, m_settings);
    RegisterSalesWindows(*m_registry, m_services);
    RegisterInvoiceWindows(*m_registry, m_settings);
    RegisterStatisticWindows(*m_registry, m_project, m_settings);
    RegisterReportDefinitionWindows(*m_registry, *this, m_project);
    RegisterQueryWindows(*m_registry, *this, m_services);
    connectCommands();

    m_tree->tree().setShowAll(m_settings.number(kSettings, kShowAll, 0) != 0);
    m_actions.value(DisplayAllRecords)->setChecked(m_tree->tree().showAll());
    restoreState(m_settings.value(kToolbars, kBarState).toByteArray());

    auto* splash = new QLabel(QStringLiteral("<h2>Quillmark 3.5</h2><p>Inventory control</p>"), this,
                              Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setObjectName(QStringLiteral("splash"));
    splash->setAlignment(Qt::AlignCenter);
    splash->setFrameStyle(QFrame::Box);
    splash->resize(320, 160);
    m_splash = splash;

    updateIndicators();
    updateCommands();
}

MainWindow::~MainWindow() = default;

// --- construction -----------------------------------------------------------

QAction* MainWindow::addCommand(int command, const QString& caption, const QString& statusTip,
                                const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    action->setStatusTip(statusTip);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setData(command);
    m_actions.insert(command, action);
    return action;
}

void MainWindow::createActions()
{
    const auto key = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    addCommand(FileNew, QStringLiteral("&New Inventory Project"),
               QStringLiteral("Create a new inventory project or open an existing one"), key("Ctrl+N"));
    addCommand(FileOpen, QStringLiteral("&Open Inventory Project..."),
               QStringLiteral("Open an existing inventory project"), key("Ctrl+O"));
    addCommand(CopyProject, QStringLiteral("&Copy Inventory Project"),
               QStringLiteral("Copy the project's files to another folder or name"), key("Ctrl+B"));
    addCommand(ImportVendors2, QStringLiteral("Quillmark 2.0 Vendors"),
               QStringLiteral("Import vendors from a Quillmark 2.0 backup"));
    addCommand(ImportItems2, QStringLiteral("Quillmark 2.0 Items"),
               QStringLiteral("Import items from a Quillmark 2.0 backup"));
    addCommand(ImportCustomers2, QStringLiteral("Quillmark 2.0 Customers"),
               QStringLiteral("Import customers from a Quillmark 2.0 backup"));
    addCommand(ImportItems3, QStringLiteral("Quillmark 3.x Items"),
               QStringLiteral("Import items from another Quillmark 3.x project"));
    addCommand(ImportVendors3, QStringLiteral("Quillmark 3.x Vendors"),
               QStringLiteral("Import vendors from another Quillmark 3.x project"));
    addCommand(ImportCustomers3, QStringLiteral("Quillmark 3.x Customers"),
               QStringLiteral("Import customers from another Quillmark 3.x project"));
    addCommand(ImportVendorsCsv, QStringLiteral("&Vendors from CSV..."),
               QStringLiteral("Import vendors from a CSV file, such as a spreadsheet saves"));
    addCommand(ImportItemsCsv, QStringLiteral("&Items from CSV..."),
               QStringLiteral("Import items from a CSV file, such as a spreadsheet saves"));
    addCommand(ImportCustomersCsv, QStringLiteral("&Customers from CSV..."),
               QStringLiteral("Import customers from a CSV file, such as a spreadsheet saves"));
    addCommand(FilePrint, QStringLiteral("&Print..."), QStringLiteral("Print the list or report shown"),
               key("Ctrl+P"));
    addCommand(FilePrintPreview, QStringLiteral("Print Pre&view"),
               QStringLiteral("Show the list or report shown as it will be printed"));
    addCommand(FileSaveAsPdf, QStringLiteral("Save as P&DF..."),
               QStringLiteral("Save the list or report shown as a PDF file"));
    addCommand(ExportListCsv, QStringLiteral("Export &List as CSV..."),
               QStringLiteral("Save the list shown, as shown, as a CSV file for a spreadsheet"));
    addCommand(ExportReportCsv, QStringLiteral("Export Repor&t as CSV..."),
               QStringLiteral("Save the quick report shown as a CSV file for a spreadsheet"));
    addCommand(ViewNextPage, QStringLiteral("View Next Page"), QStringLiteral("Show the report's next page"),
               key("Ctrl+PgDown"));
    addCommand(ViewPrevPage, QStringLiteral("View Prev Page"),
               QStringLiteral("Show the report's previous page"), key("Ctrl+PgUp"));
    addCommand(PrintMargins, QStringLiteral("Print &Margins..."),
               QStringLiteral("Set the margins of printouts"));
    addCommand(PrintSetup, QStringLiteral("P&rint Setup..."),
               QStringLiteral("Change the printer and its options"));
    addCommand(CompactDatabase, QStringLiteral("Compact &Database"),
               QStringLiteral("Compact the project's database file"));
    addCommand(CheckProject, QStringLiteral("C&heck Project..."),
               QStringLiteral("Check that the project's figures agree, and repair them"));
    addCommand(RestoreFromBackup, QStringLiteral("Restore from &Backup..."),
               QStringLiteral("Put one of the project's backups in its place"));
    addCommand(AppExit, QStringLiteral("E&xit"), QStringLiteral("Quit the application"));

    addCommand(ViewVendors, QStringLiteral("&Vendors"), QStringLiteral("Show the vendor list"));
    addCommand(ViewItems, QStringLiteral("&Items"), QStringLiteral("Show the item list"));
    addCommand(ViewCustomers, QStringLiteral("&Customers"), QStringLiteral("Show the customer list"));
    addCommand(ViewInvoices, QStringLiteral("I&nvoices"), QStringLiteral("Show the invoice list"));
    addCommand(ViewPurchaseOrders, QStringLiteral("&Purchase Orders"),
               QStringLiteral("Show the purchase order list"));
    addCommand(ViewStock, QStringLiteral("Current &Stock"), QStringLiteral("Show the stock register"));
    addCommand(ViewCustomerInvoices, QStringLiteral("Customer In&voices"),
               QStringLiteral("Show the invoices of the selected customer"));
    addCommand(ViewStatistics, QStringLiteral("S&tatistics..."),
               QStringLiteral("Evaluate the project's statistics"));
    addCommand(ViewRefresh, QStringLiteral("&Refresh"), QStringLiteral("Read the list shown again"),
               key("F5"));
    addCommand(ViewToolbars, QStringLiteral("&Toolbars..."), QStringLiteral("Show or hide the toolbars"));
    QAction* statusBarAction = addCommand(ViewStatusBar, QStringLiteral("&Status Bar"),
                                          QStringLiteral("Show or hide the status bar"));
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);

    addCommand(InsertVendor, QStringLiteral("Insert &Vendor"), QStringLiteral("Add a vendor"));
    addCommand(InsertItem, QStringLiteral("Insert &Item"), QStringLiteral("Add an item"));
    addCommand(InsertCustomer, QStringLiteral("Insert &Customer"), QStringLiteral("Add a customer"));
    addCommand(RecordModify, QStringLiteral("&Modify"), QStringLiteral("Change the selected record"),
               key("Ctrl+M"));
    addCommand(RecordDelete, QStringLiteral("&Delete"), QStringLiteral("Delete the selected record"),
               key("Del"));
    addCommand(RecordDetails, QStringLiteral("D&etails..."),
               QStringLiteral("Show the details of the selected record"), key("Ctrl+D"));
    addCommand(FindInList, QStringLiteral("&Find In List"), QStringLiteral("Find a record in the list shown"),
               key("Alt+F3"));
    addCommand(SortList, QStringLiteral("&Sort List"),
               QStringLiteral("Choose the field the list is sorted by"), key("Alt+L"));

    addCommand(ManagePurchaseOrders, QStringLiteral("&Purchase Orders"),
               QStringLiteral("Manage purchase orders"), key("Alt+P"));
    addCommand(ManageInvoices, QStringLiteral("&Invoices"), QStringLiteral("Manage sales invoices"),
               key("Alt+I"));
    addCommand(ManagePayments, QStringLiteral("Customer Pa&yments"),
               QStringLiteral("Manage customer payments"));
    addCommand(ManageQueries, QStringLiteral("&Queries"), QStringLiteral("Manage the stored queries"));
    addCommand(ManageReports, QStringLiteral("Custom &Reports"), QStringLiteral("Manage the custom reports"));
    addCommand(ManageStatistics, QStringLiteral("&Statistics"), QStringLiteral("Manage the statistics"));
    addCommand(ReportWizard, QStringLiteral("Custom &Reports"),
               QStringLiteral("Build a custom report step by step"));
    addCommand(StatisticWizard, QStringLiteral("&Statistics"),
               QStringLiteral("Build a statistic step by step"));

    addCommand(RecordOrder, QStringLiteral("Record &Order"), QStringLiteral("Order items from a vendor"),
               key("Alt+O"));
    addCommand(RecordReceived, QStringLiteral("Record &Received Order"),
               QStringLiteral("Receive ordered items into stock"), key("Alt+R"));
    addCommand(RecordSale, QStringLiteral("Record &Sale"), QStringLiteral("Sell items from stock"),
               key("Alt+S"));
    addCommand(UndoSale, QStringLiteral("&Undo Sale"),
               QStringLiteral("Undo recording of a sale, add the quanity back into stock"));
    addCommand(AutoOrder, QStringLiteral("Auto &Order..."),
               QStringLiteral("Order every item below its reorder level"));
    addCommand(AutoReceive, QStringLiteral("Auto R&eceive..."),
               QStringLiteral("Receive every outstanding order"));
    addCommand(Purge, QStringLiteral("&Purge..."), QStringLiteral("Remove outdated orders and invoices"));

    addCommand(QuickInvoice, QStringLiteral("Invoice"), QStringLiteral("Print an invoice"));
    addCommand(QuickPaymentsByCustomer, QStringLiteral("Payments by Customer"),
               QStringLiteral("List the payments of each customer"));
    addCommand(QuickCustomerBalances, QStringLiteral("Customer Balances"),
               QStringLiteral("List what each customer owes"));
    addCommand(QuickInvoiceBalances, QStringLiteral("Invoice Balances"),
               QStringLiteral("List what each invoice owes"));
    addCommand(QuickOutstandingOrders, QStringLiteral("Outstanding Orders"),
               QStringLiteral("List the orders not yet received"));
    addCommand(QuickSaleQuantities, QStringLiteral("Sale Quantities by Item"),
               QStringLiteral("List the quantities sold of each item"));
    addCommand(QuickSalesToCustomer, QStringLiteral("Sales to Customer"),
               QStringLiteral("List the sales to a customer"));
    addCommand(QuickDetailedSales, QStringLiteral("Detailed Sales List"), QStringLiteral("List every sale"));
    addCommand(QuickInventorySummary, QStringLiteral("Inventory Summary"),
               QStringLiteral("Summarise the stock and its value"));

    addCommand(ProjectSettings, QStringLiteral("&Project Settings"),
               QStringLiteral("Change the project's settings"));
    addCommand(CompanyInformation, QStringLiteral("&Company Information..."),
               QStringLiteral("Change the company information printed on reports"));
    addCommand(QuickReportSettings, QStringLiteral("&Quick Report Settings"),
               QStringLiteral("Change the fonts of quick reports"));
    addCommand(CustomizeColumns, QStringLiteral("Customize C&olumns"),
               QStringLiteral("Choose the columns of the lists"));
    addCommand(CustomizeColors, QStringLiteral("Customize Co&lors"),
               QStringLiteral("Choose the colours of the lists' conditions"));
    QAction* showAll = addCommand(DisplayAllRecords, QStringLiteral("&Display All Records At Root"),
                                  QStringLiteral("Show every record when a folder is selected"));
    showAll->setCheckable(true);

    addCommand(HelpTopics, QStringLiteral("&Help Topics"), QStringLiteral("List the help topics"));
    addCommand(TechnicalSupport, QStringLiteral("&Technical Support"),
               QStringLiteral("How to get technical support"));
    addCommand(LicenseAgreement, QStringLiteral("&License Agreement"),
               QStringLiteral("Show the license agreement"));
    addCommand(About, QStringLiteral("&About Quillmark 3.5..."),
               QStringLiteral("Show the program's version, memory and free disk space"));

    // Toolbar buttons show only these; menus show them beside the text. Names
    // the icon theme is not expected to have take the bundled icon at once.
    const struct
    {
        int command;
        const char* theme;
        const char* bundled;
    } icons[] = {
        {FileNew, "document-new", "document-new"},
        {FileOpen, "document-open", "document-open"},
        {CopyProject, "edit-copy", nullptr},
        {FilePrint, "document-print", "document-print"},
        {FilePrintPreview, "document-print-preview", "document-print-preview"},
        {FileSaveAsPdf, "document-save-as", nullptr},
        {PrintSetup, "document-page-setup", nullptr},
        {ViewNextPage, "go-next", "go-next"},
        {ViewPrevPage, "go-previous", "go-previous"},
        {AppExit, "application-exit", nullptr},
        {ViewRefresh, "view-refresh", "view-refresh"},
        {InsertVendor, "list-add", "list-add"},
        {InsertItem, "list-add", "list-add"},
        {InsertCustomer, "list-add", "list-add"},
        {RecordModify, "document-edit", "document-properties"},
        {RecordDelete, "edit-delete", "edit-delete"},
        {RecordDetails, "document-properties", "document-properties"},
        {FindInList, "edit-find", "edit-find"},
        {SortList, "view-sort-ascending", "view-sort-ascending"},
        {RecordOrder, "document-send", "document-send"},
        {RecordReceived, "", "stock-receive"},
        {RecordSale, "", "record-sale"},
        {AutoOrder, "", "auto-order"},
        {AutoReceive, "", "auto-receive"},
        {CustomizeColumns, "", "customize-columns"},
        {DisplayAllRecords, "", "display-all"},
        {HelpTopics, "help-contents", nullptr},
        {About, "help-about", nullptr},
    };
    for (const auto& icon : icons) {
        const QString theme = QString::fromLatin1(icon.theme);
        m_actions.value(icon.command)
            ->setIcon(icon.bundled ? CommandIcon(theme, QString::fromLatin1(icon.bundled))
                                   : QIcon::fromTheme(theme));
    }

    for (int i = 0; i < 4; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        recent->setVisible(false);
        recent->setStatusTip(QStringLiteral("Open this project"));
        connect(recent, &QAction::triggered, this,
                [this, recent] { Q_EMIT openProjectRequested(recent->data().toString()); });
        m_recentActions.append(recent);
    }
}

void MainWindow::addCommands(QWidget* target, const QList<int>& commands)
{
    // 0 stands for a separator; menus and toolbars both show a separator action as one.
    for (const int command : commands) {
        if (command != 0) {
            target->addAction(m_actions.value(command));
            continue;
        }
        auto* separator = new QAction(target);
        separator->setSeparator(true);
        target->addAction(separator);
    }
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    addCommands(m_fileMenu, {FileNew, FileOpen, CopyProject});
    QMenu* import = m_fileMenu->addMenu(QStringLiteral("&Import"));
    addCommands(import, {ImportVendors2, ImportItems2, ImportCustomers2, 0, ImportItems3, ImportVendors3,
                         ImportCustomers3, 0, ImportVendorsCsv, ImportItemsCsv, ImportCustomersCsv});
    addCommands(m_fileMenu, {0, FilePrint, FilePrintPreview, FileSaveAsPdf, ExportListCsv, ExportReportCsv,
                             PrintMargins, PrintSetup, 0, CompactDatabase, CheckProject, RestoreFromBackup});
    m_recentSeparator = m_fileMenu->addSeparator();
    m_fileMenu->addActions(m_recentActions);
    addCommands(m_fileMenu, {0, AppExit});

    addCommands(menuBar()->addMenu(QStringLiteral("&View")),
                {ViewVendors, ViewItems, ViewCustomers, ViewInvoices, ViewPurchaseOrders, ViewStock,
                 ViewCustomerInvoices, 0, ViewStatistics, ViewRefresh, 0, ViewToolbars, ViewStatusBar});
    addCommands(menuBar()->addMenu(QStringLiteral("Op&tions")),
                {InsertVendor, InsertItem, InsertCustomer, 0, RecordModify, RecordDelete, RecordDetails, 0,
                 FindInList, SortList});
    QMenu* manage = menuBar()->addMenu(QStringLiteral("&Manage"));
    addCommands(manage, {ManagePurchaseOrders, ManageInvoices, ManagePayments, 0, ManageQueries,
                         ManageReports, ManageStatistics, 0});
    addCommands(manage->addMenu(QStringLiteral("&Wizards")), {ReportWizard, StatisticWizard});
    addCommands(menuBar()->addMenu(QStringLiteral("&Activities")),
                {RecordOrder, RecordReceived, RecordSale, UndoSale, 0, AutoOrder, AutoReceive, Purge});
    addCommands(menuBar()->addMenu(QStringLiteral("&Quick Reports")),
                {QuickInvoice, QuickPaymentsByCustomer, QuickCustomerBalances, QuickInvoiceBalances,
                 QuickOutstandingOrders, QuickSaleQuantities, QuickSalesToCustomer, QuickDetailedSales,
                 QuickInventorySummary});
    addCommands(menuBar()->addMenu(QStringLiteral("Setti&ngs")),
                {ProjectSettings, CompanyInformation, QuickReportSettings, 0, CustomizeColumns,
                 CustomizeColors, DisplayAllRecords});
    addCommands(menuBar()->addMenu(QStringLiteral("&Help")),
                {HelpTopics, TechnicalSupport, LicenseAgreement, 0, About});
}

void MainWindow::createToolBars()
{
    const auto bar = [this](int index, const QString& name, std::initializer_list<int> commands) {
        QToolBar* toolBar = addToolBar(name);
        toolBar->setObjectName(name);
        toolBar->setAllowedAreas(Qt::AllToolBarAreas);
        // Icons only; the command's name shows as its tool tip.
        toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        addCommands(toolBar, commands);
        m_toolBars[static_cast<size_t>(index)] = toolBar;
    };
    bar(0, QStringLiteral("File Operations"), {FileNew, FileOpen, 0, FilePrint, FilePrintPreview});
    bar(1, QStringLiteral("Activities"),
        {RecordOrder, RecordReceived, RecordSale, 0, AutoOrder, AutoReceive});
    bar(2, QStringLiteral("Options"),
        {FindInList, SortList, ViewRefresh, 0, CustomizeColumns, DisplayAllRecords});

    // Not one of the three the user shows and hides: it comes and goes with the printout.
    m_reportBar = new QToolBar(QStringLiteral("Report"), this);
    m_reportBar->setObjectName(QStringLiteral("Report"));
    m_reportBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addCommands(m_reportBar, {ViewPrevPage, ViewNextPage, 0, FilePrint, FilePrintPreview, FileSaveAsPdf});
    addToolBar(Qt::TopToolBarArea, m_reportBar);
    m_reportBar->hide();
}

void MainWindow::createStatusBar()
{
    // The first pane shows the record count; a command's help text covers it
    // while the command is pointed at.
    m_recordsLabel = new QLabel(this);
    m_recordsLabel->setObjectName(QStringLiteral("recordsIndicator"));
    statusBar()->addWidget(m_recordsLabel, 1);
    const std::array<const char*, 3> names = {"projectIndicator", "styleIndicator", "showAllIndicator"};
    for (size_t i = 0; i < m_indicators.size(); ++i) {
        m_indicators[i] = new QLabel(this);
        m_indicators[i]->setObjectName(QString::fromLatin1(names[i]));
        m_indicators[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(m_indicators[i]);
    }
}

void MainWindow::createPanes()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_tree = new NavigationTreeWidget(m_splitter);
    m_stack = new QStackedWidget(m_splitter);
    m_stack->setObjectName(QStringLiteral("rightPane"));
    for (int i = 0; i < kListingKindCount; ++i) {
        auto* view = new RecordListView(m_lists, static_cast<ListingKind>(i), m_stack);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        // Lists not shown change too (an import refreshes its kind's list): the
        // status bar counts the one shown.
        connect(view, &RecordListView::displayedRecordsChanged, this, [this, view](const QString& text) {
            if (view == currentListView())
                setRecordsText(text);
        });
        connect(view, &RecordListView::rowsUnreadable, this, [this, view] {
            setRecordsText(view->displayedRecordsText());
            reportUnreadableList(view->kind());
        });
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            contextMenu(view->kind())->popup(view->viewport()->mapToGlobal(at));
        });
        m_views[static_cast<size_t>(i)] = view;
        m_stack->addWidget(view);
    }
    m_printout = new PrintoutPane(*m_printer, m_services, m_stack);
    m_stack->addWidget(m_printout);
    connect(m_printout, &PrintoutPane::pageShown, this, [this](int page) {
        updateCommands();
        if (page > 0)
            statusBar()->showMessage(QStringLiteral("Page %1").arg(page));
    });
    m_stack->setCurrentWidget(m_printout);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    const int pane = m_settings.number(kSettings, kPane, kDefaultPane);
    m_splitter->setSizes({pane, width() - pane});
    setCentralWidget(m_splitter);

    connect(m_tree, &NavigationTreeWidget::paneRequested, this, &MainWindow::ShowPane);
    connect(m_tree, &NavigationTreeWidget::deleteRequested, this, [this] {
        const CProjectSettings* settings = m_project.settings();
        if (m_project.isOpen() && DeleteSelectedNode(m_tree->tree(), *m_project.database(),
                                                     settings ? settings->reportPath() : QString(),
                                                     m_services.prompter, m_services.clock))
            rebuildTree();
    });
}

void MainWindow::createContextMenus()
{
    const std::array<QList<int>, kListingKindCount> menus = {{
        {InsertVendor, RecordModify, RecordDelete, RecordDetails, 0, FindInList, SortList, 0, RecordOrder,
         AutoOrder, 0, DisplayAllRecords},
        {InsertItem, RecordModify, RecordDelete, RecordDetails, 0, FindInList, SortList, 0, ViewStatistics, 0,
         RecordOrder, RecordSale, AutoOrder, 0, DisplayAllRecords},
        {ManagePurchaseOrders, RecordDelete, RecordDetails, 0, FindInList, SortList, 0, RecordOrder,
         RecordReceived, AutoReceive, 0, DisplayAllRecords},
        {ManageInvoices, RecordDetails, 0, FindInList, SortList, 0, RecordSale, UndoSale, ManagePayments, 0,
         DisplayAllRecords},
        {InsertCustomer, RecordModify, RecordDelete, RecordDetails, 0, FindInList, SortList, 0, RecordSale,
         ManagePayments, 0, ViewStatistics, 0, DisplayAllRecords},
        {RecordDetails, 0, FindInList, SortList, 0, RecordReceived, AutoReceive, 0, DisplayAllRecords},
    }};
    for (int i = 0; i < kListingKindCount; ++i) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("contextMenu%1").arg(i));
        addCommands(menu, menus[static_cast<size_t>(i)]);
        m_contextMenus[static_cast<size_t>(i)] = menu;
    }
}

void MainWindow::connectCommands()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int command = it.key();
        connect(it.value(), &QAction::triggered, this,
                [this, command](bool checked) { m_registry->run(command, checked); });
    }
    connect(m_registry, &CommandRegistry::availabilityChanged, this, &MainWindow::updateCommands);
    connect(m_registry, &CommandRegistry::reloadRequested, this, [this] {
        if (m_currentKind >= 0 && m_lists.needsReload(static_cast<ListingKind>(m_currentKind)))
            refreshList();
    });
}

// --- panes ------------------------------------------------------------------

RecordListView* MainWindow::currentListView() const
{
    return m_currentKind >= 0 ? m_views[static_cast<size_t>(m_currentKind)] : nullptr;
}

QString MainWindow::recordsText() const
{
    return m_recordsLabel->text();
}

QString MainWindow::placeholderText() const
{
    return m_printout->message();
}

void MainWindow::setRecordsText(const QString& text)
{
    m_recordsLabel->setText(text);
}

void MainWindow::updateIndicators()
{
    const CProjectSettings* settings = m_project.settings();
    m_indicators[0]->setText(settings ? settings->name() : QString());
    m_indicators[1]->setText(
        settings ? (settings->inventoryStyle() == LIFO ? QStringLiteral("LIFO") : QStringLiteral("FIFO"))
                 : QString());
    m_indicators[2]->setText(m_tree->tree().showAll() ? QStringLiteral("ALL") : QString());
    setWindowTitle(settings ? settings->name() + QStringLiteral(" - ") + AppTitle() : AppTitle());
}

void MainWindow::projectOpened()
{
    updateIndicators();
    // The vendor folder is selected before the tree is read, so that no query of
    // the previous project is run against this one.
    m_tree->tree().select(m_tree->tree().folderRef(ListingKind::Vendors));
    rebuildTree();
    m_tree->SelectFolder(ListingKind::Vendors);
}

void MainWindow::rebuildTree()
{
    const CProjectSettings* settings = m_project.settings();
    m_tree->Rebuild(m_project.database(), settings ? settings->reportPath() : QString());
}

void MainWindow::ShowPane(const PaneChoice& choice)
{
    if (choice.mode != PaneChoice::Mode::List) {
        leaveList();
        if (choice.mode == PaneChoice::Mode::CustomReport)
            showCustomReport(choice.reportName);
        else
            showQuickReport(choice.quickReportCode);
        return;
    }

    if (RecordListView* leaving = currentListView())
        leaving->saveColumns();
    m_reportBar->hide();
    const ListingKind kind = choice.kind;
    RecordListView* view = m_views[static_cast<size_t>(kind)];
    if (static_cast<int>(kind) != m_currentKind) {
        m_currentKind = static_cast<int>(kind);
        m_stack->setCurrentWidget(view);
    }
    m_registry->setListView(view);
    view->setEmptyHint(m_tree->tree().EmptyListHint());
    if (m_lists.needsReload(kind) || choice.fromQuery) {
        ProgressWindow progress(this);
        const bool read = m_lists.ReloadList(kind, m_tree->tree().SelectionFilter(), &progress);
        // The next plain selection of the folder reads the list without the query.
        if (choice.fromQuery)
            m_lists.markForReload(kind);
        setRecordsText(view->displayedRecordsText());
        if (!read)
            reportUnreadableList(kind);
    }
    setRecordsText(view->displayedRecordsText());
    updateCommands();
}

void MainWindow::leaveList()
{
    if (RecordListView* leaving = currentListView())
        leaving->saveColumns();
    m_currentKind = -1;
    m_registry->setListView(nullptr);
}

void MainWindow::showPrintout()
{
    leaveList();
    // Shown from a window rather than from the tree: the folder still selected
    // there no longer stands for the pane, so a click on it shows its list again.
    if (m_tree->tree().selectedPane().mode == PaneChoice::Mode::List)
        m_tree->clearChoice();
    m_stack->setCurrentWidget(m_printout);
    m_reportBar->show();
    setRecordsText(QString());
    updateCommands();
}

void MainWindow::refreshList()
{
    RecordListView* view = currentListView();
    if (!view)
        return;
    ProgressWindow progress(this);
    const bool read = m_lists.ReloadList(view->kind(), m_tree->tree().SelectionFilter(), &progress);
    setRecordsText(view->displayedRecordsText());
    if (!read)
        reportUnreadableList(view->kind());
}

void MainWindow::reportUnreadableList(ListingKind kind)
{
    // The list stays empty and is read again when next shown.
    m_lists.markForReload(kind);
    const QString error = m_lists.list(kind).readError();
    if (!error.isEmpty())
        m_services.prompter.message(error, AppTitle(), Prompter::Icon::Exclamation);
}

void MainWindow::setShowAll(bool on)
{
    m_tree->tree().setShowAll(on);
    m_actions.value(DisplayAllRecords)->setChecked(on);
    updateIndicators();
    m_lists.markAllForReload();
    rebuildTree();
}

void MainWindow::updateCommands()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_registry->isEnabled(it.key()));
}

bool MainWindow::requireList()
{
    if (currentListView())
        return true;
    m_services.prompter.message(kOnlyForLists, AppTitle(), Prompter::Icon::Exclamation);
    return false;
}

void MainWindow::setRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* recent = m_recentActions.at(i);
        const bool used = i < paths.size();
        recent->setVisible(used);
        if (used) {
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(paths.at(i)));
            recent->setData(paths.at(i));
        }
    }
    m_recentSeparator->setVisible(!paths.isEmpty());
}

// --- dialogs ----------------------------------------------------------------

void MainWindow::openFileDialog()
{
    const QString path =
        m_services.files.openFile(QStringLiteral("Open Inventory Project"), QString(),
                                  QStringLiteral("Quillmark 3.5 Files (*.qmp)"), QStringLiteral("qmp"));
    if (!path.isEmpty())
        Q_EMIT openProjectRequested(path);
}

void MainWindow::showToolbarsDialog()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("toolbarsDialog"));
    dialog.setWindowTitle(QStringLiteral("Toolbars"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QStringLiteral("Place a check next to the toolbars you wish to display."), &dialog));
    QList<QCheckBox*> checks;
    for (QToolBar* bar : m_toolBars) {
        auto* check = new QCheckBox(bar->windowTitle(), &dialog);
        check->setChecked(bar->isVisible());
        layout->addWidget(check);
        checks.append(check);
    }
    AddOkCancel(dialog, *layout, [&dialog] { dialog.accept(); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    for (size_t i = 0; i < m_toolBars.size(); ++i)
        m_toolBars[i]->setVisible(checks.at(static_cast<qsizetype>(i))->isChecked());
}

// --- window events ----------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    const int pane = m_settings.number(kSettings, kPane, kDefaultPane);
    m_splitter->setSizes({pane, std::max(1, m_splitter->width() - pane)});
    m_splash->move(geometry().center() - m_splash->rect().center());
    m_splash->show();
    QTimer::singleShot(1000, this, [this] {
        if (m_splash) {
            m_splash->deleteLater();
            m_splash = nullptr;
        }
    });
}

void MainWindow::saveLayout()
{
    if (RecordListView* view = currentListView())
        view->saveColumns();
    const QList<int> sizes = m_splitter->sizes();
    if (m_shownOnce && !sizes.isEmpty())
        m_settings.setValue(kSettings, kPane, sizes.constFirst());
    m_settings.setValue(kSettings, kShowAll, m_tree->tree().showAll() ? 1 : 0);
    m_settings.setValue(kToolbars, kBarState, saveState());
    m_settings.sync();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveLayout();
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            // One project at a time: the first file dropped is the one opened.
            Q_EMIT openProjectRequested(url.toLocalFile());
            return;
        }
    }
}
