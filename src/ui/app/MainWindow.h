#pragma once

#include "core/views/NavigationTree.h"

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

class CommandRegistry;
struct DesktopServices;
class NavigationTreeWidget;
class Project;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class PrintoutPane;
class QSplitter;
class QStackedWidget;
class QToolBar;
class RecordListView;
class RecordLists;
class UserSettings;

// The application's single main window: the navigation tree on the left, on
// the right the record list, custom report or quick report chosen in it; the
// menus, three toolbars and the status bar. Opening another project is the
// application's business: the window asks for it through its signals.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Command numbers of the menu items, toolbar buttons and context menus.
    enum Command : int
    {
        FileNew = 57600,
        FileOpen = 57601,
        CopyProject = 32844,
        ImportVendors2 = 32868,
        ImportItems2 = 32867,
        ImportCustomers2 = 32869,
        ImportItems3 = 32902,
        ImportVendors3 = 32903,
        ImportCustomers3 = 32904,
        FilePrint = 57607,
        FilePrintPreview = 57609,
        FileSaveAsPdf = 32950,
        PrintMargins = 32884,
        PrintSetup = 57606,
        CompactDatabase = 32913,
        CheckProject = 33100,
        ExportListCsv = 33101,
        RestoreFromBackup = 33102,
        ImportVendorsCsv = 33103,
        ImportItemsCsv = 33104,
        ImportCustomersCsv = 33105,
        ExportReportCsv = 33106,
        RecentFile1 = 57616,
        AppExit = 57665,
        ViewVendors = 32796,
        ViewItems = 32797,
        ViewCustomers = 32798,
        ViewInvoices = 32799,
        ViewPurchaseOrders = 32800,
        ViewStock = 32847,
        ViewCustomerInvoices = 32832,
        ViewStatistics = 32873,
        ViewRefresh = 32865,
        ViewToolbars = 32864,
        ViewNextPage = 32870,
        ViewPrevPage = 32871,
        ViewStatusBar = 59393,
        InsertVendor = 32785,
        InsertItem = 32782,
        InsertCustomer = 32781,
        RecordModify = 32804,
        RecordDelete = 32805,
        RecordDetails = 32806,
        FindInList = 32803,
        SortList = 32809,
        ManagePurchaseOrders = 32888,
        ManageInvoices = 32892,
        ManagePayments = 32914,
        ManageQueries = 32876,
        ManageReports = 32874,
        ManageStatistics = 32875,
        ReportWizard = 32886,
        StatisticWizard = 32887,
        RecordOrder = 32839,
        RecordReceived = 32840,
        RecordSale = 32841,
        UndoSale = 32860,
        AutoOrder = 32822,
        AutoReceive = 32823,
        Purge = 32882,
        QuickInvoice = 32920,
        QuickPaymentsByCustomer = 32894,
        QuickCustomerBalances = 32899,
        QuickInvoiceBalances = 32918,
        QuickOutstandingOrders = 32919,
        QuickSaleQuantities = 32897,
        QuickSalesToCustomer = 32893,
        QuickDetailedSales = 32898,
        QuickInventorySummary = 32921,
        ProjectSettings = 32836,
        CompanyInformation = 32829,
        QuickReportSettings = 32889,
        CustomizeColumns = 32826,
        CustomizeColors = 32862,
        DisplayAllRecords = 32912,
        HelpTopics = 57667,
        TechnicalSupport = 32890,
        LicenseAgreement = 32891,
        About = 57664,
    };

    // The commands of the table above, each with its runner in the registry; a
    // command without one is shown greyed.
    MainWindow(UserSettings& settings, RecordLists& lists, Project& project, const DesktopServices& services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The size the window opens with on a screen of `available` size: four fifths
    // of it, but no less than 1024 x 700 where the screen has room for that.
    static QSize initialSize(const QSize& available);

    QAction* action(int command) const { return m_actions.value(command); }
    // Where every command is run and enabled; windows plug in here.
    CommandRegistry& commands() const { return *m_registry; }
    QMenu* contextMenu(ListingKind kind) const { return m_contextMenus[static_cast<size_t>(kind)]; }
    QToolBar* toolBar(int index) const { return m_toolBars[static_cast<size_t>(index)]; }
    NavigationTreeWidget* navigationTree() const { return m_tree; }
    QSplitter* splitter() const { return m_splitter; }
    RecordListView* listView(ListingKind kind) const { return m_views[static_cast<size_t>(kind)]; }
    // The list shown; null while a report is shown.
    RecordListView* currentListView() const;
    // The kind of the list shown; -1 while a report is shown.
    int currentKind() const { return m_currentKind; }
    // The first pane of the status bar.
    QString recordsText() const;
    // What the right pane shows while a report is chosen.
    QString placeholderText() const;
    // The printout shown in the right pane in place of a list (custom and
    // quick reports), and showing one there.
    PrintoutPane* printoutPane() const { return m_printout; }
    // The printer every printout goes to.
    QPrinter& printer() const { return *m_printer; }
    void showPrintout();

    // The reports the right pane shows (ReportPanes.cpp and QuickReportPane.cpp).
    // A custom report by its definition's name.
    void showCustomReport(const QString& name);
    // The printout of one purchase order, and the history of one (Manage
    // Purchase Orders' "View PO" and "View Details").
    void showPurchaseOrder(qint32 poID);
    void showPurchaseOrderHistory(qint32 poID);
    // A quick report by its code; `invoiceID` given when known (Invoice
    // Manager), and printed at once when `printAtOnce`.
    void showQuickReport(int code, qint32 invoiceID = NoSelection, bool printAtOnce = false);

    // A project was opened (or its database reopened): the tree is read again
    // with the vendor folder selected.
    void projectOpened();
    // Rebuilds the tree keeping its selection, after queries or reports changed.
    void rebuildTree();
    // Shows the list, custom report or quick report a tree node stands for.
    void ShowPane(const PaneChoice& choice);
    // Reads the shown list again.
    void refreshList();
    // Customer Invoices: the invoice list narrowed to the customer selected in
    // the customer list; otherwise the user is told why not.
    void showCustomerInvoices();
    // Tells the user why the list of this kind could not be read.
    void reportUnreadableList(ListingKind kind);
    // Display All Records At Root: every list is read again when next shown.
    void setShowAll(bool on);
    // The recently used projects in the File menu.
    void setRecentFiles(const QStringList& paths);
    // The splash window, removed one second after the window is first shown.
    QWidget* splash() const { return m_splash; }

Q_SIGNALS:
    // File > New Inventory Project.
    void newProjectRequested();
    // File > Open, a recent file or a dropped file.
    void openProjectRequested(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    // Adds the commands to a menu or toolbar in order.
    void addCommands(QWidget* target, const QList<int>& commands);
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createPanes();
    void createContextMenus();
    QAction* addCommand(int command, const QString& caption, const QString& statusTip,
                        const QKeySequence& shortcut = QKeySequence());
    // The runners of the window's own commands.
    void registerCommands();
    void connectCommands();
    // Every command enabled as the registry says.
    void updateCommands();
    // The list shown leaves the pane (its columns saved), and its commands with it.
    void leaveList();
    // Project name, inventory style and show-all in the status bar, and the title.
    void updateIndicators();
    // True when a list is shown; otherwise tells the user.
    bool requireList();
    void setRecordsText(const QString& text);
    void saveLayout();
    void showToolbarsDialog();
    void openFileDialog();

    UserSettings& m_settings;
    RecordLists& m_lists;
    Project& m_project;
    const DesktopServices& m_services;
    CommandRegistry* m_registry = nullptr;
    // Every printout goes to this printer, as Print Setup leaves it for the session.
    std::unique_ptr<QPrinter> m_printer;

    QHash<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    std::array<QToolBar*, 3> m_toolBars{};
    std::array<QMenu*, kListingKindCount> m_contextMenus{};
    QLabel* m_recordsLabel = nullptr;
    std::array<QLabel*, 3> m_indicators{};
    QSplitter* m_splitter = nullptr;
    NavigationTreeWidget* m_tree = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::array<RecordListView*, kListingKindCount> m_views{};
    PrintoutPane* m_printout = nullptr;
    // Paging and printing of a printout, shown while the pane shows one.
    QToolBar* m_reportBar = nullptr;
    QWidget* m_splash = nullptr;
    int m_currentKind = -1;
    bool m_shownOnce = false;
};
