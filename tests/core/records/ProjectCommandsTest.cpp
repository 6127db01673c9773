#include "records/ProjectCommands.h"
#include "records/DeleteRecordModel.h"
#include "records/FilterSuspension.h"
#include "records/StockFigures.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <gtest/gtest.h>

namespace {

using Command = CProjectCommands::Command;
using Action = CProjectCommands::Action;

const QString kTitle = QStringLiteral("Quillmark 3.5");
const QString kListsOnly = QStringLiteral("This option is only valid for list views.");
const QString kSelectFirst = QStringLiteral("You must first make a selection from the list.");

constexpr int kVendors = 0, kItems = 1, kPOs = 2, kInvoices = 3, kCustomers = 4, kStock = 5;

class ProjectCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        commands.setTables(&project.tables());
    }
    void TearDown() override { EXPECT_TRUE(CheckStockInvariants(project.tables()).isEmpty()); }

    qint32 addVendor(const QString& name)
    {
        CVendorsRec v;
        v.Name = name;
        EXPECT_TRUE(project.tables().vendors().RecordAdd(v));
        return v.ID;
    }
    void show(int kind, const QString& firstColumn)
    {
        commands.setListKind(kind);
        commands.setSelectedRowText(firstColumn);
    }
    // The log entry a refused command left: text and title.
    std::pair<QString, QString> said() const
    {
        return prompter.log().isEmpty()
                   ? std::pair<QString, QString>()
                   : std::pair(prompter.log().constLast().text, prompter.log().constLast().title);
    }

    TempProject project;
    ScriptedPrompter prompter;
    CProjectCommands commands;
};

TEST(ProjectCommandsRowText, ReadsTheFirstColumnAsAtolDoes)
{
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("000123")), 123);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("  42 Main")), 42);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("12abc")), 12);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("NOT_USED")), 0);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QString()), 0);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("-7")), -7);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("99999999999999")), 2147483647);
    EXPECT_EQ(CProjectCommands::IDFromRowText(QStringLiteral("-99999999999999")), -2147483647 - 1);
}

TEST_F(ProjectCommands, EnablingFollowsListKindAndSelection)
{
    // Columns: Delete, Details, Modify, Sort List for each list kind with a row selected.
    const QList<std::array<bool, 4>> expected{
        {true, true, true, true},    // vendors
        {true, true, true, true},    // items
        {true, true, true, true},    // purchase orders
        {false, false, true, true},  // invoices
        {true, true, true, true},    // customers
        {false, false, false, true}, // stock
    };
    for (int kind = 0; kind < 6; ++kind) {
        show(kind, QStringLiteral("000001"));
        const std::array<bool, 4> got{
            commands.isEnabled(Command::Delete), commands.isEnabled(Command::Details),
            commands.isEnabled(Command::Modify), commands.isEnabled(Command::SortList)};
        EXPECT_EQ(got, expected[kind]) << "kind " << kind;
        commands.clearSelection();
        EXPECT_FALSE(commands.isEnabled(Command::Delete) || commands.isEnabled(Command::Details) ||
                     commands.isEnabled(Command::Modify));
        EXPECT_TRUE(commands.isEnabled(Command::SortList));
    }
    // No list showing: a selection left over from the last list does not count.
    commands.setSelectedID(3);
    commands.setListKind(-1);
    EXPECT_EQ(commands.selectedID(), NoSelection);
    for (const Command c : {Command::Delete, Command::Details, Command::Modify, Command::SortList})
        EXPECT_FALSE(commands.isEnabled(c));
    for (const Command c : {Command::NewVendor, Command::NewItem, Command::RecordOrder})
        EXPECT_TRUE(commands.isEnabled(c));
}

TEST_F(ProjectCommands, ChecksBeforeRunningNameTheCommand)
{
    commands.setListKind(-1);
    EXPECT_EQ(commands.details(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kListsOnly, QStringLiteral("Details")));
    EXPECT_EQ(commands.findInList(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kListsOnly, kTitle));
    EXPECT_EQ(commands.sortList(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kListsOnly, kTitle));
    EXPECT_FALSE(commands.requireListView(prompter));

    commands.setListKind(kVendors);
    commands.clearSelection();
    EXPECT_EQ(commands.modify(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kSelectFirst, QStringLiteral("Modify")));
    EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kSelectFirst, QStringLiteral("Delete")));
    EXPECT_EQ(commands.details(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kSelectFirst, QStringLiteral("Details")));
    EXPECT_EQ(prompter.log().size(), 7);
    for (const auto& entry : prompter.log())
        EXPECT_EQ(entry.icon, Prompter::Icon::Exclamation);
}

TEST_F(ProjectCommands, CommandsRouteByListKind)
{
    const QList<std::array<Action, 3>> expected{
        {Action::ModifyVendor, Action::DeleteVendor, Action::VendorDetails},
        {Action::ModifyItem, Action::DeleteItem, Action::ItemDetails},
        {Action::ManagePurchaseOrders, Action::DeletePurchaseOrder, Action::ManagePurchaseOrders},
        {Action::None, Action::None, Action::None},
        {Action::ModifyCustomer, Action::DeleteCustomer, Action::CustomerDetails},
        {Action::None, Action::None, Action::None},
    };
    const QStringList titles{"Find Vendor", "Find Item",     "Find Order",
                             "Find Sold",   "Find Customer", "Find Stock"};
    const QStringList helps{"a vendor", "an item", "an order", "a sold item", "a customer", "a stock entry"};
    for (int kind = 0; kind < 6; ++kind) {
        show(kind, QStringLiteral("005000"));
        const std::array<Action, 3> got{commands.modify(prompter).action,
                                        commands.deleteSelection(prompter).action,
                                        commands.details(prompter).action};
        EXPECT_EQ(got, expected[kind]) << "kind " << kind;
        EXPECT_EQ(commands.modify(prompter).id, expected[kind][0] == Action::None ? NoSelection : 5000);
        const CProjectCommands::Route find = commands.findInList(prompter);
        EXPECT_EQ(find.action, Action::FindInList);
        EXPECT_EQ(find.title, titles[kind]);
        EXPECT_EQ(find.help,
                  QStringLiteral("Fill in the following criteria for finding %1.").arg(helps[kind]));
        EXPECT_EQ(commands.sortList(prompter).action, Action::SortList);
    }
    // Delete on the invoice and stock lists does nothing, without a word.
    for (const int kind : {kInvoices, kStock}) {
        commands.setListKind(kind);
        commands.clearSelection();
        EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    }
    EXPECT_TRUE(prompter.log().isEmpty());

    // Without an open project nothing is routed.
    commands.setTables(nullptr);
    show(kCustomers, QStringLiteral("000001"));
    EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    EXPECT_EQ(commands.insertVendor().action, Action::None);
    EXPECT_EQ(commands.suspendFilters(), nullptr);
}

TEST_F(ProjectCommands, InsertItemWaitsForAVendor)
{
    EXPECT_EQ(commands.insertVendor().action, Action::AddVendor);
    EXPECT_EQ(commands.insertItem(prompter).action, Action::None);
    EXPECT_EQ(prompter.log().size(), 1);
    addVendor(QStringLiteral("Alpha"));
    EXPECT_EQ(commands.insertItem(prompter).action, Action::AddItem);
    EXPECT_EQ(prompter.log().size(), 1);
}

TEST_F(ProjectCommands, DeleteOnThePurchaseOrderListRemovesThePurchaseOrderItsRowShows)
{
    const qint32 vendor = addVendor(QStringLiteral("Alpha"));
    CPORec po;
    po.VendorID = vendor;
    po.Number = 5123;
    ASSERT_TRUE(project.tables().purchaseOrders().RecordAdd(po));
    show(kPOs, QStringLiteral("005123"));
    const CProjectCommands::Route route = commands.deleteSelection(prompter);
    ASSERT_EQ(route.action, Action::DeletePurchaseOrder);
    DeleteRecordModel model(project.tables(), prompter, DeleteRecordModel::Target::PurchaseOrder, route.id);
    ASSERT_TRUE(model.prepare());
    ASSERT_TRUE(model.confirm(QStringLiteral("YES")));
    ASSERT_TRUE(model.run());
    EXPECT_FALSE(project.tables().purchaseOrders().LocateByID(po.ID));
}

TEST_F(ProjectCommands, FilterSuspensionShowsEveryRecordThenRestoresTheListsFilters)
{
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        addVendor(QString::fromLatin1(name));
    CVendorsSet& vendors = project.tables().vendors();
    const QString filter = QStringLiteral("[Name] = 'Beta'");
    vendors.SetFilter(filter);
    vendors.Reopen();
    ASSERT_EQ(vendors.RecordCount(), 1);
    CItemsSet& items = project.tables().items();
    // A one-shot filter waiting for its re-query must not keep the table filtered.
    items.SetFilter(QStringLiteral("[Name] = 'none'"), 1);

    {
        const std::unique_ptr<FilterSuspension> suspended = commands.suspendFilters();
        ASSERT_NE(suspended, nullptr);
        EXPECT_EQ(vendors.filter(), QString());
        EXPECT_EQ(vendors.RecordCount(), 3);
        EXPECT_EQ(items.filter(), QString());
        EXPECT_EQ(items.oneShot(), 0);
        // A vendor added meanwhile shows once the filter is back only if it matches.
        addVendor(QStringLiteral("Delta"));
        EXPECT_EQ(vendors.RecordCount(), 4);
    }
    EXPECT_EQ(vendors.filter(), filter);
    EXPECT_EQ(vendors.RecordCount(), 1);
    ASSERT_TRUE(vendors.MoveFirst());
    EXPECT_EQ(vendors.GetName(), QStringLiteral("Beta"));
}

} // namespace
