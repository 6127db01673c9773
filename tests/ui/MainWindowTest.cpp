#include "app/MainWindow.h"
#include "app/NavigationTreeWidget.h"

#include "common/UserSettings.h"
#include "project/Project.h"
#include "views/RecordLists.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

// The window over no project, with the user's settings in a temporary folder.
class MainWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    RecordLists lists{settings};
    Project project;
    ScriptedPrompter prompter;
    MainWindow window{settings, lists, project, prompter};

    QStringList captions(const QMenu* menu) const
    {
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isVisible())
                texts.append(action->text());
        }
        return texts;
    }
};

TEST_F(MainWindowTest, OpensTitledWithTheApplication)
{
    window.show();
    EXPECT_EQ(window.windowTitle(), u"Quillmark 3.5"_s);
    EXPECT_EQ(window.objectName(), u"mainWindow"_s);
    ASSERT_NE(window.splash(), nullptr);
    EXPECT_TRUE(window.splash()->isVisible());
}

TEST_F(MainWindowTest, MenusCarryEveryCommandWithItsAcceleratorAndHelpText)
{
    QStringList menus;
    for (const QAction* menu : window.menuBar()->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, (QStringList{u"&File"_s, u"&View"_s, u"&Options"_s, u"&Manage"_s, u"&Activities"_s,
                                  u"&Quick Reports"_s, u"&Settings"_s, u"&Help"_s}));

    const std::vector<std::pair<int, const char*>> accelerators = {
        {C::FileNew, "Ctrl+N"},
        {C::FileOpen, "Ctrl+O"},
        {C::CopyProject, "Ctrl+B"},
        {C::FilePrint, "Ctrl+P"},
        {C::ViewRefresh, "F5"},
        {C::RecordModify, "Ctrl+M"},
        {C::RecordDelete, "Del"},
        {C::RecordDetails, "Ctrl+D"},
        {C::FindInList, "Alt+F3"},
        {C::SortList, "Alt+L"},
        {C::ManagePurchaseOrders, "Alt+P"},
        {C::ManageInvoices, "Alt+I"},
        {C::RecordOrder, "Alt+O"},
        {C::RecordReceived, "Alt+R"},
        {C::RecordSale, "Alt+S"},
    };
    for (const auto& [command, keys] : accelerators) {
        ASSERT_NE(window.action(command), nullptr) << command;
        EXPECT_EQ(window.action(command)->shortcut(), QKeySequence(QString::fromLatin1(keys))) << command;
    }
    // Every command is in a menu, with a status-bar text.
    const QList<QAction*> all = window.findChildren<QAction*>();
    int commands = 0;
    for (const QAction* action : all) {
        if (!action->data().isValid() || !action->objectName().startsWith(u"command"_s))
            continue;
        ++commands;
        EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
        EXPECT_FALSE(action->associatedObjects().isEmpty()) << action->text().toStdString();
    }
    EXPECT_EQ(commands, 68);

    const QMenu* quick = window.menuBar()->actions().at(5)->menu();
    EXPECT_EQ(captions(quick),
              (QStringList{u"Invoice"_s, u"Payments by Customer"_s, u"Customer Balances"_s,
                           u"Invoice Balances"_s, u"Outstanding Orders"_s, u"Sale Quantities by Item"_s,
                           u"Sales to Customer"_s, u"Detailed Sales List"_s, u"Inventory Summary"_s}));
}

TEST_F(MainWindowTest, CommandsWithoutTheirWindowsAreDisabled)
{
    for (const int command :
         {C::RecordOrder,         C::RecordReceived,  C::RecordSale,           C::AutoOrder,
          C::AutoReceive,         C::Purge,           C::ManagePurchaseOrders, C::ManageInvoices,
          C::ManagePayments,      C::ManageQueries,   C::ManageReports,        C::ManageStatistics,
          C::ReportWizard,        C::StatisticWizard, C::InsertVendor,         C::InsertItem,
          C::InsertCustomer,      C::RecordModify,    C::RecordDelete,         C::RecordDetails,
          C::ImportItems2,        C::ImportItems3,    C::QuickInvoice,         C::QuickInventorySummary,
          C::QuickReportSettings, C::ViewStatistics,  C::ViewCustomerInvoices})
        EXPECT_FALSE(window.action(command)->isEnabled()) << command;
    for (const int command :
         {C::FileNew, C::FileOpen, C::FindInList, C::SortList, C::ViewRefresh, C::CustomizeColumns,
          C::CustomizeColors, C::DisplayAllRecords, C::About, C::AppExit})
        EXPECT_TRUE(window.action(command)->isEnabled()) << command;
    // No project and no list yet.
    EXPECT_FALSE(window.action(C::CompactDatabase)->isEnabled());
    EXPECT_FALSE(window.action(C::FilePrint)->isEnabled());
    window.action(C::SortList)->trigger();
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);
}

TEST_F(MainWindowTest, ToolbarsStatusBarAndContextMenus)
{
    QStringList bars;
    for (int i = 0; i < 3; ++i)
        bars.append(window.toolBar(i)->windowTitle());
    EXPECT_EQ(bars, (QStringList{u"File Operations"_s, u"Activities"_s, u"Options"_s}));
    // The records pane and three indicators.
    EXPECT_EQ(window.statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly).size(), 4);

    // Each list kind's menu offers its own commands.
    EXPECT_TRUE(captions(window.contextMenu(ListingKind::Vendors)).contains(u"Insert &Vendor"_s));
    EXPECT_FALSE(captions(window.contextMenu(ListingKind::Vendors)).contains(u"Record &Sale"_s));
    EXPECT_TRUE(captions(window.contextMenu(ListingKind::Invoices)).contains(u"Record &Sale"_s));
    EXPECT_TRUE(
        captions(window.contextMenu(ListingKind::PurchaseOrders)).contains(u"Record &Received Order"_s));
    for (int kind = 0; kind < kListingKindCount; ++kind) {
        const QStringList items = captions(window.contextMenu(static_cast<ListingKind>(kind)));
        EXPECT_TRUE(items.contains(u"&Find In List"_s)) << kind;
        EXPECT_TRUE(items.contains(u"&Display All Records At Root"_s)) << kind;
    }

    // The recently used projects show in the File menu, numbered.
    window.setRecentFiles({u"/p/a.qmp"_s, u"/p/b.qmp"_s});
    const QStringList file = captions(window.menuBar()->actions().at(0)->menu());
    EXPECT_TRUE(file.contains(u"&1 /p/a.qmp"_s));
    EXPECT_TRUE(file.contains(u"&2 /p/b.qmp"_s));
}

TEST_F(MainWindowTest, TreeIconsAreTwentyPixelPairs)
{
    for (const NavigationNodeType type : {NavigationNodeType::Folder, NavigationNodeType::Query,
                                          NavigationNodeType::Report, NavigationNodeType::QuickReport}) {
        const QIcon icon = NavigationTreeWidget::nodeIcon(type);
        EXPECT_EQ(icon.pixmap(20, 20, QIcon::Normal).size(), QSize(20, 20));
        EXPECT_NE(icon.pixmap(20, 20, QIcon::Normal).toImage(),
                  icon.pixmap(20, 20, QIcon::Selected).toImage());
    }
}

} // namespace
