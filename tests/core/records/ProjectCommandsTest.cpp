#include "core/records/ProjectCommands.h"
#include "core/records/FilterSuspension.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

namespace {

using Command = CProjectCommands::Command;
using Action = CProjectCommands::Action;

const QString kListsOnly = QStringLiteral("This option is only valid for list views.");
const QString kSelectFirst = QStringLiteral("You must first make a selection from the list.");

class ProjectCommands : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        commands.setTables(&project.tables());
    }
    // A list showing, with the row whose first column reads `firstColumn` selected.
    void show(ListingKind kind, const QString& firstColumn = QString())
    {
        commands.setListKind(static_cast<int>(kind));
        commands.clearSelection();
        if (!firstColumn.isEmpty())
            commands.setSelectedRowText(firstColumn);
    }
    // Delete, Details, Modify and Sort List, in that order.
    QList<bool> listCommands() const
    {
        return {commands.isEnabled(Command::Delete), commands.isEnabled(Command::Details),
                commands.isEnabled(Command::Modify), commands.isEnabled(Command::SortList)};
    }
    std::pair<QString, QString> said() const { return {last().text, last().title}; }

    CProjectCommands commands;
};

TEST(ProjectCommandsRowText, ReadsTheFirstColumnAsAtolDoes)
{
    QList<qint32> ids;
    for (const char* text :
         {"000123", "  42 Main", "12abc", "NOT_USED", "", "-7", "99999999999999", "-99999999999999"})
        ids << CProjectCommands::IDFromRowText(QString::fromLatin1(text));
    EXPECT_EQ(ids, (QList<qint32>{123, 42, 12, 0, 0, -7, 2147483647, -2147483647 - 1}));
}

TEST_F(ProjectCommands, EnablingAndRoutingFollowTheListAndItsSelection)
{
    show(ListingKind::Vendors, QStringLiteral("000007"));
    EXPECT_EQ(listCommands(), (QList<bool>{true, true, true, true}));
    EXPECT_EQ(commands.modify(prompter).id, 7);
    commands.clearSelection();
    EXPECT_EQ(listCommands(), (QList<bool>{false, false, false, true}));
    // Invoices can be modified from their list but not deleted; stock lots only sorted.
    show(ListingKind::Invoices, QStringLiteral("000001"));
    EXPECT_EQ(listCommands(), (QList<bool>{false, false, true, true}));
    show(ListingKind::Stock, QStringLiteral("000001"));
    EXPECT_EQ(listCommands(), (QList<bool>{false, false, false, true}));
    // A purchase order's row shows its number; both Modify and Details manage it.
    show(ListingKind::PurchaseOrders, QStringLiteral("005000"));
    EXPECT_EQ((QList<Action>{commands.modify(prompter).action, commands.details(prompter).action,
                             commands.deleteSelection(prompter).action}),
              (QList<Action>{Action::ManagePurchaseOrders, Action::ManagePurchaseOrders,
                             Action::DeletePurchaseOrder}));
    EXPECT_EQ(commands.deleteSelection(prompter).id, 5000);
    // Delete on the invoice and stock lists does nothing, without a word.
    for (const ListingKind kind : {ListingKind::Invoices, ListingKind::Stock}) {
        show(kind);
        EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    }
    EXPECT_TRUE(prompter.log().isEmpty());

    // No list showing: a selection left over from the last list does not count.
    commands.setSelectedID(3);
    commands.setListKind(-1);
    EXPECT_EQ(commands.selectedID(), NoSelection);
    EXPECT_EQ(listCommands(), (QList<bool>{false, false, false, false}));
    for (const Command c : {Command::NewVendor, Command::NewItem, Command::RecordOrder})
        EXPECT_TRUE(commands.isEnabled(c));

    // Without an open project nothing is routed.
    commands.setTables(nullptr);
    show(ListingKind::Customers, QStringLiteral("000001"));
    EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    EXPECT_EQ(commands.insertVendor().action, Action::None);
    EXPECT_EQ(commands.suspendFilters(), nullptr);
}

TEST_F(ProjectCommands, RefusalsNameTheCommand)
{
    commands.setListKind(-1);
    EXPECT_EQ(commands.details(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kListsOnly, QStringLiteral("Details")));
    EXPECT_EQ(commands.findInList(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kListsOnly, QStringLiteral("Quillmark 3.5")));
    EXPECT_FALSE(commands.requireListView(prompter));

    show(ListingKind::Vendors);
    EXPECT_EQ(commands.modify(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kSelectFirst, QStringLiteral("Modify")));
    EXPECT_EQ(commands.deleteSelection(prompter).action, Action::None);
    EXPECT_EQ(said(), std::pair(kSelectFirst, QStringLiteral("Delete")));
    EXPECT_EQ(prompter.log().size(), 5);
    for (const auto& entry : prompter.log())
        EXPECT_EQ(entry.icon, Prompter::Icon::Exclamation);

    // New Item routes to Add Item, whose own check waits for a vendor.
    prompter.clear();
    EXPECT_EQ(commands.insertVendor().action, Action::AddVendor);
    EXPECT_EQ(commands.insertItem().action, Action::AddItem);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(ProjectCommands, FilterSuspensionShowsEveryRecordThenRestoresTheListsFilters)
{
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        b.vendor(QString::fromLatin1(name));
    CVendorsSet& vendors = t().vendors();
    const QString filter = QStringLiteral("[Name] = 'Beta'");
    vendors.SetFilter(filter);
    vendors.Reopen();
    ASSERT_EQ(vendors.RecordCount(), 1);
    // A one-shot filter waiting for its re-query must not keep the table filtered.
    t().items().SetFilter(QStringLiteral("[Name] = 'none'"), 1);
    {
        const std::unique_ptr<FilterSuspension> suspended = commands.suspendFilters();
        ASSERT_NE(suspended, nullptr);
        EXPECT_EQ(vendors.filter() + t().items().filter(), QString());
        EXPECT_EQ(vendors.RecordCount(), 3);
        EXPECT_EQ(t().items().oneShot(), 0);
        b.vendor(QStringLiteral("Delta"));
        EXPECT_EQ(vendors.RecordCount(), 4);
    }
    // A vendor added meanwhile shows once the filter is back only if it matches.
    EXPECT_EQ(vendors.filter(), filter);
    EXPECT_EQ(vendors.RecordCount(), 1);
    ASSERT_TRUE(vendors.MoveFirst());
    EXPECT_EQ(vendors.GetName(), QStringLiteral("Beta"));
}

} // namespace
