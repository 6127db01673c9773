#include "core/views/NavigationTree.h"
#include "core/views/NodeDeletion.h"

#include "core/common/Clock.h"
#include "core/reports/ReportDefinition.h"
#include "core/reports/ReportFile.h"

#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;

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
        ASSERT_EQ(ReportFile(reportPath()).saveAsNew(definition, name, prompter, Clock::system()),
                  ReportFile::SaveStatus::Saved);
    }
    bool rebuild() { return tree.Rebuild(&project.db(), reportPath()); }

    TempProject project;
    NavigationTree tree;
    ScriptedPrompter prompter;
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

    EXPECT_EQ(captions(folderOf(tree, Kind::Vendors)), QStringList{u"Items of vendors"_s});
    EXPECT_EQ(captions(folderOf(tree, Kind::Items)),
              (QStringList{u"Low items"_s, u"Items of vendors"_s, u"Price list"_s}));
    EXPECT_EQ(captions(folderOf(tree, Kind::Stock)),
              (QStringList{u"Plain stock"_s, u"Stock report"_s, u"Inventory Summary"_s}));
    EXPECT_EQ(folderOf(tree, Kind::Stock).children.at(2).quickReportCode, 10);
    // A quick report kept out of every folder still has its code; an unknown caption none.
    EXPECT_EQ(NavigationTree::quickReportCode(u"Customer Activity"_s), 2);
    EXPECT_EQ(NavigationTree::quickReportCode(u"Unknown"_s), -1);
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
    EXPECT_EQ(tree.selectedPane(), (PaneChoice{PaneChoice::Mode::List, Kind::Items, QString(), -1, false}));

    tree.select(tree.findByCaption(u"Cheap"_s));
    EXPECT_EQ(tree.SelectionFilter(), u"Cheap"_s);
    EXPECT_EQ(tree.selectedPane(), (PaneChoice{PaneChoice::Mode::List, Kind::Items, QString(), -1, true}));

    // A report node filters no list: it gives the no-records filter.
    tree.select(tree.findByCaption(u"Price list"_s));
    EXPECT_EQ(tree.SelectionFilter(), u"ID = 999999"_s);
    EXPECT_EQ(tree.selectedPane(),
              (PaneChoice{PaneChoice::Mode::CustomReport, Kind::Items, u"Price list"_s, -1, false}));

    tree.select(tree.findByCaption(u"Sales to Customer"_s));
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

    // Another query ahead of it moves the node: the caption finds it again.
    EXPECT_TRUE(tree.Rebuild(
        [](Kind kind) {
            return kind == Kind::Items ? QStringList{u"Another"_s, u"Cheap"_s} : QStringList();
        },
        [](Kind) { return QStringList(); }));
    EXPECT_EQ(tree.selected(), (NavigationRef{1, 1}));
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

TEST_F(Navigation, DeletingANodeRemovesItsQueryOrReportAfterAYesAndNothingElse)
{
    ASSERT_TRUE(project.db().CreateQueryDef(u"Low items"_s, u"SELECT * FROM [Items] WHERE Stocked < 3"_s));
    addReport(u"Price list"_s, u"Items"_s);
    addReport(u"Stock report"_s, u"Stock"_s);
    rebuild();
    const auto remove = [&](const QString& caption) {
        tree.select(tree.findByCaption(caption));
        return DeleteSelectedNode(tree, project.db(), reportPath(), prompter, Clock::system());
    };

    // Folders and quick reports are not the user's to delete: nothing is asked.
    EXPECT_FALSE(remove(u"Item Information"_s));
    EXPECT_FALSE(remove(u"Inventory Summary"_s));
    EXPECT_TRUE(prompter.texts().isEmpty());

    prompter.answer({false, true});
    EXPECT_FALSE(remove(u"Price list"_s));
    EXPECT_TRUE(remove(u"Price list"_s));
    EXPECT_EQ(prompter.texts().constLast(), u"Delete the custom report \"Price list\"?"_s);
    EXPECT_EQ(ReportFile(reportPath()).names(u"Items"_s), QStringList());
    EXPECT_EQ(ReportFile(reportPath()).names(u"Stock"_s), QStringList{u"Stock report"_s});

    prompter.answer({true});
    EXPECT_TRUE(remove(u"Low items"_s));
    EXPECT_FALSE(project.db().QueryDefExists(u"Low items"_s));

    // Gone already (another window deleted it): the user is told, nothing else changes.
    prompter.answer({true});
    EXPECT_FALSE(remove(u"Low items"_s));
    EXPECT_TRUE(prompter.texts().constLast().contains(u"could not be deleted"_s));

    // The tree reads what is left; the folder of the deleted node is selected.
    EXPECT_FALSE(rebuild());
    EXPECT_EQ(captions(folderOf(tree, Kind::Items)), QStringList());
    EXPECT_EQ(tree.selected(), tree.folderRef(Kind::Items));
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
