#include "core/reports/QuickReportSettings.h"
#include "core/reports/ReportFile.h"
#include "core/reports/ReportPrompts.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/session/ProjectOpening.h"

#include "FileBytes.h"
#include "ProjectBuilder.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using QuickReportFonts::Line;

namespace {

const FixedClock kClock{QDateTime(QDate(2026, 3, 17), QTime(9, 0))};

// --- The reserved record: made when a project opens without it, kept by the dialog --

class QuickReportRecord : public ::testing::Test
{
protected:
    void SetUp() override
    {
        databasePath = CProjectSettings(dir.path(), u"Shop"_s).databasePath();
        ASSERT_EQ(CreateDatabase(databasePath), Status::Success);
        reportPath = ReportFile::pathForDatabase(databasePath);
    }
    int open()
    {
        Project project;
        return OpenProjectFromPath(project, databasePath, prompter);
    }

    QTemporaryDir dir;
    QString databasePath, reportPath;
    ScriptedPrompter prompter;
};

TEST_F(QuickReportRecord, OpeningStoresTheDefaultsOnceAndKeepsTheUsersReports)
{
    CReportDefinition custom;
    custom.table = u"Items"_s;
    custom.fonts = QuickReportFonts::defaults().fonts;
    ASSERT_EQ(ReportFile(reportPath).saveAsNew(custom, u"Stock Value"_s, prompter, kClock),
              ReportFile::SaveStatus::Saved);

    ASSERT_EQ(open(), Status::Success);
    ASSERT_EQ(open(), Status::Success);
    const ReportFile::Contents contents = ReportFile(reportPath).read();
    ASSERT_EQ(contents.records.size(), 2);
    EXPECT_EQ(contents.records.at(0).name, u"Stock Value"_s);
    const CReportDefinition& stored = contents.records.at(1);
    EXPECT_EQ(stored.name, u"PURCHASE_ORDER"_s);
    EXPECT_EQ(stored, QuickReportFonts::defaults());
    QStringList fields;
    for (const ReportColumn& column : stored.columns)
        fields.append(column.field);
    EXPECT_EQ(fields,
              (QStringList{u"ItemName"_s, u"ItemNumber"_s, u"Quanity"_s, u"Cost"_s, u"EXTENDED_COST"_s}));
    EXPECT_EQ(stored.fonts[TitleFont].faceName, u"Times New Roman"_s);
    EXPECT_TRUE(prompter.texts().isEmpty());
}

TEST_F(QuickReportRecord, ADamagedReportFileIsLeftAsItIsAndTheDefaultsServe)
{
    CReportDefinition custom = QuickReportFonts::defaults();
    ASSERT_EQ(ReportFile(reportPath).saveAsNew(custom, u"Orders"_s, prompter, kClock),
              ReportFile::SaveStatus::Saved);
    QByteArray bytes = FileBytes(reportPath);
    // A control code in the report's name: no record can be read past it.
    const qsizetype name = bytes.indexOf("Orders");
    ASSERT_GT(name, 0);
    bytes[name] = '\x01';
    ASSERT_TRUE(WriteFileBytes(reportPath, bytes));

    ASSERT_EQ(open(), Status::Success);
    EXPECT_EQ(FileBytes(reportPath), bytes);
    EXPECT_EQ(QuickReportFonts::load(reportPath).fonts, QuickReportFonts::defaults().fonts);
}

TEST_F(QuickReportRecord, SettingsThatCannotBeWrittenSaySoAndKeepTheOldRecord)
{
    ASSERT_EQ(open(), Status::Success);
    const QByteArray before = FileBytes(reportPath);
    QuickReportSettingsModel model(reportPath, prompter, kClock);
    model.setFont(Line::Title, ReportFont::fromPoints(u"Arial"_s, 20));
    // The file is written through a temporary file beside it: a folder in its
    // place makes that write fail.
    ASSERT_TRUE(QDir().mkpath(ReportFile::temporaryPath(reportPath) + u"/blocked"_s));
    EXPECT_FALSE(model.save().saved);
    ASSERT_EQ(prompter.texts().size(), 1);
    EXPECT_TRUE(prompter.texts().constFirst().contains(u"could not be saved"_s));
    EXPECT_EQ(FileBytes(reportPath), before);
}

// --- Date Range and Additional Report Information ----------------------------------

TEST(ReportPrompts, DateRangeStartsWithThisMonthAndRefusesABadOrBackwardRange)
{
    ScriptedPrompter prompter;
    DateRangeModel range(prompter, kClock);
    EXPECT_EQ(DateTime::parseDate(range.startText(), UserLocale()), DateTime::fromDate(QDate(2026, 3, 1)));
    EXPECT_EQ(DateTime::parseDate(range.endText(), UserLocale()), DateTime::fromDate(QDate(2026, 3, 17)));

    range.setStartText(u"31st of March"_s);
    EXPECT_EQ(range.save(), DateRangeModel::Result::refused(DateRangeModel::Field::Start));
    range.setStartText(u"2026-04-01"_s);
    range.setEndText(u"2026-03-31"_s);
    EXPECT_EQ(range.save(), DateRangeModel::Result::refused(DateRangeModel::Field::End));
    EXPECT_EQ(prompter.texts().size(), 2);

    range.setEndText(u"2026-04-01"_s);
    ASSERT_TRUE(range.save().saved);
    EXPECT_EQ(range.start(), range.end());
}

TEST(ReportPrompts, AVendorCriterionNeedsAVendor)
{
    TempProject project;
    ProjectBuilder build(project);
    const qint32 acme = build.vendor(u"Acme"_s);
    build.vendor(u"Brill"_s);
    ScriptedPrompter prompter;
    ReportCriteriaModel criteria(project.tables(), prompter);
    EXPECT_EQ(criteria.vendorID(), acme);
    EXPECT_EQ(criteria.vendorEntries().size(), 2);

    criteria.selectVendor(9999);
    EXPECT_TRUE(criteria.save().saved); // no criterion, no vendor needed
    criteria.setAppliesVendor(true);
    EXPECT_EQ(criteria.save(), ReportCriteriaModel::Result::refused(ReportCriteriaModel::Field::Vendor));
    criteria.selectVendor(acme);
    EXPECT_TRUE(criteria.save().saved);
}

} // namespace
