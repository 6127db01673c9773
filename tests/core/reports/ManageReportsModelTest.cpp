#include "core/reports/ManageReportsModel.h"

#include "core/common/Clock.h"
#include "core/project/ProjectTables.h"
#include "core/reports/ReportFile.h"

#include "FailDevice.h"
#include "FileBytes.h"
#include "ProjectFixture.h"
#include "Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class ManageReports : public ProjectFixture
{
protected:
    QString path() const { return ReportFile::pathForDatabase(project.path()); }
    ManageReportsModel manage(std::optional<ListingKind> current)
    {
        CStatistic margin;
        margin.Name = str("Margin");
        margin.Listing = CStatistic::ListingItems;
        return ManageReportsModel(t(), path(), {margin}, prompter, clock, current);
    }
    void store(const char* name, const char* table)
    {
        CReportDefinition definition;
        definition.table = str(table);
        ASSERT_EQ(ReportFile(path()).saveAsNew(definition, str(name), prompter, clock),
                  ReportFile::SaveStatus::Saved);
    }
    void expectTold(const char* text)
    {
        EXPECT_EQ(last().text, str(text));
        EXPECT_EQ(last().title, str("Quillmark 3.5"));
        prompter.clear();
    }

    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};
};

TEST_F(ManageReports, ListsAddsModifiesAndDeletesTheReportsOfTheChosenLocation)
{
    ASSERT_TRUE(
        project.db().CreateQueryDef(str("Low stock"), str("SELECT * FROM [Stock] WHERE Quanity < 5")));
    store("Lots", "Stock");
    store("Parts", "Items");
    store("Old lots", "Stock");

    // Without a listing the first location; the stock location is the fourth entry.
    ManageReportsModel none = manage(std::nullopt);
    EXPECT_EQ(none.listing(), ListingKind::Vendors);
    EXPECT_TRUE(none.reports().isEmpty());
    EXPECT_FALSE(none.modify());
    expectTold("You must make a selection from the list.");
    EXPECT_FALSE(none.remove());
    expectTold("You must make a selection from the list.");

    ManageReportsModel model = manage(ListingKind::Stock);
    EXPECT_EQ(model.locationIndex(), 3);
    EXPECT_EQ(model.reports(), strs({"Lots", "Old lots"}));
    EXPECT_FALSE(model.modifyEnabled());
    model.setLocationIndex(1);
    EXPECT_EQ(model.reports(), strs({"Parts"}));
    model.setLocationIndex(3);

    // A new report of the location is offered the location's queries.
    std::unique_ptr<ReportSheetModel> added = model.add();
    EXPECT_EQ(added->queryNames(), strs({"Low stock"}));
    added->setName(str("Recent lots"));
    ASSERT_TRUE(added->save().saved);
    model.refill();
    EXPECT_EQ(model.reports(), strs({"Lots", "Old lots", "Recent lots"}));

    // Modify opens the selected report; a save moves it to the end of the file.
    model.select(0);
    EXPECT_TRUE(model.modifyEnabled() && model.deleteEnabled());
    std::unique_ptr<ReportSheetModel> modified = model.modify();
    ASSERT_TRUE(modified);
    EXPECT_EQ(modified->loadedName(), str("Lots"));
    ASSERT_TRUE(modified->save().saved);
    model.refill();
    EXPECT_EQ(model.reports(), strs({"Old lots", "Recent lots", "Lots"}));

    // A report removed behind the list's back is not opened.
    model.select(0);
    ASSERT_EQ(ReportFile(path()).remove(str("Old lots"), prompter, clock), ReportFile::SaveStatus::Saved);
    EXPECT_FALSE(model.modify());
    expectTold("Unable to locate report.");

    model.refill();
    model.select(1);
    EXPECT_TRUE(model.remove());
    EXPECT_EQ(model.reports(), strs({"Recent lots"}));
    EXPECT_EQ(model.selection(), -1);
    EXPECT_EQ(ReportFile(path()).names(str("Items")), strs({"Parts"}));
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(ManageReports, ADeleteThatCannotRewriteTheFileIsToldAndKeepsTheReport)
{
    store("Lots", "Stock");
    store("Old lots", "Stock");
    ManageReportsModel model = manage(ListingKind::Stock);
    const QString told = str("The specified file could not be accessed.  Be sure disk is not write protected "
                             "or file is not in use by another application.");
    // A folder in the temporary file's place: the new file cannot be written.
    ASSERT_TRUE(QDir().mkpath(ReportFile::temporaryPath(path())));
    model.select(0);
    EXPECT_FALSE(model.remove());
    EXPECT_EQ(last().text, told);
    ASSERT_TRUE(QDir().rmdir(ReportFile::temporaryPath(path())));

    // Neither does a disk that fails at any byte of the new file, which holds "Old lots".
    const QByteArray before = FileBytes(path());
    const qint64 kept = before.size() - ReportFile::parse(before).starts.at(1);
    for (qint64 budget = 0; budget < kept; ++budget) {
        prompter.clear();
        const FailingFileWrites failing(budget);
        model.select(0);
        EXPECT_FALSE(model.remove()) << budget;
        EXPECT_EQ(prompter.texts(), QStringList{told}) << budget;
    }
    EXPECT_EQ(FileBytes(path()), before);
    EXPECT_EQ(QDir(QFileInfo(path()).path()).entryList({str("*.irp*"), str("*.tmp*")}, QDir::Files),
              QStringList{QFileInfo(path()).fileName()});
    EXPECT_EQ(model.reports(), strs({"Lots", "Old lots"}));
}

} // namespace
