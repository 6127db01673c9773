#include "views/NavigationTree.h"

#include "reports/ReportDefinition.h"
#include "reports/ReportFile.h"

#include "TempProject.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;
using Type = NavigationNodeType;

QStringList captions(const NavigationTree::Folder& folder)
{
    QStringList result;
    for (const NavigationNode& node : folder.children)
        result.append(node.caption);
    return result;
}

const NavigationTree::Folder& folderOf(const NavigationTree& tree, Kind kind)
{
    return tree.folders()[static_cast<size_t>(kind)];
}

CReportDefinition report(const QString& table)
{
    CReportDefinition definition;
    definition.table = table;
    definition.columns = {ReportColumn{u"Item"_s, u"Name"_s, AlignLeft, 0, ReportColumn::KindField}};
    return definition;
}

class Navigation : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }

    QString reportPath() const { return ReportFile::pathForDatabase(project.path()); }
    void addReport(const QString& name, const QString& table)
    {
        CReportDefinition definition = report(table);
        ASSERT_EQ(ReportFile(reportPath()).saveAsNew(definition, name), ReportFile::SaveStatus::Saved);
    }
    bool rebuild() { return tree.Rebuild(&project.db(), reportPath()); }

    TempProject project;
    NavigationTree tree;
};

TEST_F(Navigation, FoldersHoldQueriesThenReportsThenQuickReports)
{
    ASSERT_TRUE(project.db().CreateQueryDef(u"Low items"_s, u"SELECT * FROM [Items] WHERE Stocked < 3"_s));
    ASSERT_TRUE(project.db().CreateQueryDef(u"Plain stock"_s, u"SELECT * FROM Stock"_s));
    ASSERT_TRUE(project.db().CreateQueryDef(
        u"Items of vendors"_s, u"SELECT * FROM Items WHERE VendorID1 IN (SELECT ID FROM [Vendors])"_s));
    // The FROM test minds letter case: "from items" belongs nowhere.
    ASSERT_TRUE(project.db().CreateQueryDef(u"Lower case"_s, u"select * from items"_s));
    addReport(u"Stock report"_s, u"Stock"_s);
    addReport(u"Price list"_s, u"Items"_s);
    rebuild();

    const QStringList expectedCaptions = {u"Vendor Information"_s, u"Item Information"_s,
                                          u"Purchase Orders"_s,    u"Invoices"_s,
                                          u"Customers"_s,          u"Stock Register"_s};
    for (int i = 0; i < kListingKindCount; ++i) {
        const NavigationNode& folder = tree.folders()[static_cast<size_t>(i)].node;
        EXPECT_EQ(folder.caption, expectedCaptions.at(i));
        EXPECT_EQ(folder.type, Type::Folder);
        EXPECT_EQ(static_cast<int>(folder.kind), i);
    }
    EXPECT_EQ(captions(folderOf(tree, Kind::Vendors)), QStringList{u"Items of vendors"_s});
    EXPECT_EQ(captions(folderOf(tree, Kind::Items)),
              (QStringList{u"Low items"_s, u"Items of vendors"_s, u"Price list"_s}));
    EXPECT_EQ(captions(folderOf(tree, Kind::PurchaseOrders)), QStringList{u"Outstanding Orders"_s});
    EXPECT_EQ(captions(folderOf(tree, Kind::Invoices)),
              (QStringList{u"Invoice"_s, u"Invoice Balances"_s, u"Sale Quantities by Item"_s,
                           u"Detailed Sales List"_s}));
    EXPECT_EQ(captions(folderOf(tree, Kind::Customers)),
              (QStringList{u"Payments by Customer"_s, u"Customer Balances"_s, u"Sales to Customer"_s}));
    EXPECT_EQ(captions(folderOf(tree, Kind::Stock)),
              (QStringList{u"Plain stock"_s, u"Stock report"_s, u"Inventory Summary"_s}));

    // Node types and their image pairs.
    const QList<NavigationNode>& stock = folderOf(tree, Kind::Stock).children;
    EXPECT_EQ(folderOf(tree, Kind::Stock).node.image(), 0);
    EXPECT_EQ(folderOf(tree, Kind::Stock).node.selectedImage(), 1);
    EXPECT_EQ(stock.at(0).type, Type::Query);
    EXPECT_EQ(stock.at(0).image(), 2);
    EXPECT_EQ(stock.at(1).type, Type::Report);
    EXPECT_EQ(stock.at(1).selectedImage(), 5);
    EXPECT_EQ(stock.at(2).type, Type::QuickReport);
    EXPECT_EQ(stock.at(2).image(), 6);
    EXPECT_EQ(stock.at(2).quickReportCode, 10);
}

TEST_F(Navigation, QuickReportCodes)
{
    const std::vector<std::pair<QString, int>> codes = {{u"Invoice"_s, 0},
                                                        {u"Customer Activity"_s, 2},
                                                        {u"Payments by Customer"_s, 3},
                                                        {u"Sales to Customer"_s, 4},
                                                        {u"Customer Balances"_s, 5},
                                                        {u"Invoice Balances"_s, 6},
                                                        {u"Outstanding Orders"_s, 7},
                                                        {u"Detailed Sales List"_s, 8},
                                                        {u"Sale Quantities by Item"_s, 9},
                                                        {u"Inventory Summary"_s, 10},
                                                        {u"Unknown"_s, -1}};
    for (const auto& [caption, code] : codes)
        EXPECT_EQ(NavigationTree::quickReportCode(caption), code) << caption.toStdString();
}

TEST_F(Navigation, WithoutAProjectOrReportFileOnlyQuickReportsSitUnderFolders)
{
    tree.Rebuild(nullptr, QString());
    EXPECT_TRUE(folderOf(tree, Kind::Vendors).children.isEmpty());
    EXPECT_EQ(folderOf(tree, Kind::Customers).children.size(), 3);
    // A missing report file holds no reports.
    tree.Rebuild(&project.db(), project.dir() + u"/absent.irp"_s);
    EXPECT_EQ(folderOf(tree, Kind::Items).children.size(), 0);
}

TEST_F(Navigation, SelectionFilterAndPane)
{
    ASSERT_TRUE(project.db().CreateQueryDef(u"Cheap"_s, u"SELECT * FROM [Items] WHERE Cost < 1"_s));
    addReport(u"Price list"_s, u"Items"_s);
    rebuild();

    // Nothing selected: the vendor folder's kind, and no records while show-all is off.
    EXPECT_EQ(tree.SelectedFolderKind(), Kind::Vendors);
    EXPECT_EQ(tree.SelectionFilter(), u"ID = 999999"_s);

    tree.select(tree.folderRef(Kind::Items));
    EXPECT_EQ(tree.SelectionFilter(), u"ID = 999999"_s);
    EXPECT_EQ(tree.selectedPane(), (PaneChoice{PaneChoice::Mode::List, Kind::Items, QString(), -1, false}));

    tree.select(tree.findByCaption(u"Cheap"_s));
    EXPECT_EQ(tree.SelectionFilter(), u"Cheap"_s);
    EXPECT_EQ(tree.selectedPane(), (PaneChoice{PaneChoice::Mode::List, Kind::Items, QString(), -1, true}));

    tree.setShowAll(true);
    EXPECT_EQ(tree.SelectionFilter(), u"Cheap"_s); // a query is a query either way
    tree.select(tree.folderRef(Kind::Items));
    EXPECT_EQ(tree.SelectionFilter(), QString());

    // A report node filters no list: off, it still gives the no-records filter.
    tree.setShowAll(false);
    tree.select(tree.findByCaption(u"Price list"_s));
    EXPECT_EQ(tree.SelectionFilter(), u"ID = 999999"_s);
    EXPECT_EQ(tree.selectedPane(),
              (PaneChoice{PaneChoice::Mode::CustomReport, Kind::Items, u"Price list"_s, -1, false}));

    tree.select(tree.findByCaption(u"Sales to Customer"_s));
    EXPECT_EQ(tree.SelectedFolderKind(), Kind::Customers);
    EXPECT_EQ(tree.selectedPane(),
              (PaneChoice{PaneChoice::Mode::QuickReport, Kind::Customers, QString(), 4, false}));

    tree.select(NavigationRef{2, 99});
    EXPECT_FALSE(tree.selected().isValid());
}

TEST_F(Navigation, RebuildKeepsExpandedFoldersAndTheSelectedCaption)
{
    ASSERT_TRUE(project.db().CreateQueryDef(u"Cheap"_s, u"SELECT * FROM [Items] WHERE Cost < 1"_s));
    rebuild();
    tree.setExpanded(Kind::Items, true);
    tree.setExpanded(Kind::Stock, true);
    tree.select(tree.findByCaption(u"Cheap"_s));
    ASSERT_EQ(tree.selected(), (NavigationRef{1, 0}));

    // Another query ahead of it moves the node: the caption finds it again.
    EXPECT_TRUE(tree.Rebuild(
        [](Kind kind) {
            return kind == Kind::Items ? QStringList{u"Another"_s, u"Cheap"_s} : QStringList();
        },
        [](Kind) { return QStringList(); }));
    EXPECT_EQ(tree.selected(), (NavigationRef{1, 1}));
    EXPECT_TRUE(tree.isExpanded(Kind::Items));
    EXPECT_TRUE(tree.isExpanded(Kind::Stock));
    EXPECT_FALSE(tree.isExpanded(Kind::Vendors));

    // The selected query is gone: its folder is selected instead.
    EXPECT_FALSE(tree.Rebuild([](Kind) { return QStringList(); }, [](Kind) { return QStringList(); }));
    EXPECT_EQ(tree.selected(), tree.folderRef(Kind::Items));

    // A query listed under two folders is found again under the first.
    ASSERT_TRUE(project.db().CreateQueryDef(
        u"Both"_s, u"SELECT * FROM [Stock] WHERE ItemID IN (SELECT ID FROM Items)"_s));
    rebuild();
    tree.select(NavigationRef{static_cast<int>(Kind::Stock), 0});
    ASSERT_EQ(tree.node(tree.selected())->caption, u"Both"_s);
    EXPECT_TRUE(rebuild());
    EXPECT_EQ(tree.selected(), (NavigationRef{static_cast<int>(Kind::Items), 1}));
}

TEST(Startup, CommandLineThenRecentFileThenAsk)
{
    const auto exists = [](const QString& path) { return path == u"/p/here.qmp"_s; };
    using Action = StartupChoice::Action;
    EXPECT_EQ(ChooseStartupProject({u"/p/named.qmp"_s}, u"/p/here.qmp"_s, exists),
              (StartupChoice{Action::OpenCommandLine, u"/p/named.qmp"_s}));
    EXPECT_EQ(ChooseStartupProject({}, u"/p/here.qmp"_s, exists),
              (StartupChoice{Action::OpenRecent, u"/p/here.qmp"_s}));
    EXPECT_EQ(ChooseStartupProject({}, u"/p/gone.qmp"_s, exists),
              (StartupChoice{Action::AskForProject, QString()}));
    EXPECT_EQ(ChooseStartupProject({}, QString(), exists), (StartupChoice{Action::AskForProject, QString()}));
}

TEST(Startup, RecentFilesKeepFourWithTheLatestFirst)
{
    QStringList recent;
    for (const QString& path : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s})
        recent = WithRecentFile(recent, path);
    EXPECT_EQ(recent, (QStringList{u"e"_s, u"d"_s, u"c"_s, u"b"_s}));
    recent = WithRecentFile(recent, u"c"_s);
    EXPECT_EQ(recent, (QStringList{u"c"_s, u"e"_s, u"d"_s, u"b"_s}));
    EXPECT_EQ(WithRecentFile(recent, QString()), recent);
}

} // namespace
