#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/project/Statistic.h"
#include "core/session/ProjectOpening.h"

#include "ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kCreated(QDate(2004, 5, 6), QTime(9, 0), Qt::LocalTime);

class ProjectCreation : public ::testing::Test
{
protected:
    void TearDown() override { project.close(); }

    // What the New Inventory Project dialog hands over after OK: the new
    // project's settings, their file written.
    std::unique_ptr<CProjectSettings> typed(const QString& name, int style = FIFO)
    {
        auto settings = std::make_unique<CProjectSettings>(dir.path(), name, clock);
        EXPECT_EQ(settings->status(), Status::Success);
        EXPECT_EQ(settings->SetInventoryStyle(style), Status::Success);
        return settings;
    }
    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    FixedClock clock{kCreated};
    ScriptedPrompter prompter;
    Project project;
};

TEST_F(ProjectCreation, MakesTheDatabaseAndOpensTheNewProjectInPlaceOfTheOpenOne)
{
    ASSERT_EQ(CreateProject(project, typed(u"first"_s), prompter), Status::Success);
    ASSERT_EQ(CreateProject(project, typed(u"shop"_s, LIFO), prompter), Status::Success);
    EXPECT_TRUE(prompter.log().isEmpty());
    ASSERT_TRUE(project.isOpen());
    EXPECT_EQ(project.settings()->databasePath(), file(u"shop.qmp"_s));
    EXPECT_EQ(project.settings()->inventoryStyle(), LIFO);
    EXPECT_EQ(project.tables()->vendors().CountWhere(QString()), 0);

    // The new project opens again from its path like any other, once the
    // window that has it open lets go.
    project.close();
    Project again;
    EXPECT_EQ(OpenProjectFromPath(again, file(u"shop.qmp"_s), prompter), Status::Success);
    EXPECT_EQ(again.settings()->inventoryStyle(), LIFO);
}

TEST_F(ProjectCreation, NeverReplacesAnExistingDatabase)
{
    ASSERT_EQ(CreateProject(project, typed(u"shop"_s), prompter), Status::Success);
    CVendorsRec vendor;
    vendor.Name = u"Kept"_s;
    ASSERT_TRUE(project.tables()->vendors().RecordAdd(vendor));

    auto settings = std::make_unique<CProjectSettings>(dir.path(), u"shop"_s, clock);
    EXPECT_NE(CreateProject(project, std::move(settings), prompter), Status::Success);
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_TRUE(prompter.lastText().contains(QDir::toNativeSeparators(file(u"shop.qmp"_s))));
    EXPECT_EQ(project.tables()->vendors().CountWhere(QString()), 1);
}

// A link into a folder that does not exist keeps the database from being made,
// whoever runs the test (permissions would not stop root).
TEST_F(ProjectCreation, AFailedCreationSaysSoAndLeavesNothingThatStopsTheNextTry)
{
    ASSERT_EQ(CreateProject(project, typed(u"open"_s), prompter), Status::Success);
    const QString blocked = file(u"shop.qmp"_s);
    ASSERT_TRUE(QFile::link(file(u"missing/shop.qmp"_s), blocked));

    EXPECT_NE(CreateProject(project, typed(u"shop"_s), prompter), Status::Success);
    EXPECT_EQ(prompter.texts(), QStringList{DatabaseNotCreatedMessage(blocked)});
    EXPECT_EQ(project.settings()->databasePath(), file(u"open.qmp"_s));
    EXPECT_TRUE(project.isOpen());

    // Once the cause is gone the same name goes through: no file of the
    // failed attempt makes it look like an existing project.
    QFile::remove(blocked);
    EXPECT_TRUE(QDir(dir.path()).entryList({u"shop*"_s}, QDir::Files | QDir::System).isEmpty());
    prompter.clear();
    EXPECT_EQ(CreateProject(project, typed(u"shop"_s), prompter), Status::Success);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(project.settings()->databasePath(), blocked);

    // A settings file holding the user's statistics outlives a failed creation.
    auto kept = typed(u"stats"_s);
    CStatistic statistic;
    statistic.Name = u"Total"_s;
    ASSERT_TRUE(kept->AddStatistic(statistic));
    ASSERT_TRUE(QFile::link(file(u"missing/stats.qmp"_s), file(u"stats.qmp"_s)));
    EXPECT_NE(CreateProject(project, std::move(kept), prompter), Status::Success);
    EXPECT_TRUE(QFileInfo::exists(file(u"stats.qms"_s)));
}

} // namespace
