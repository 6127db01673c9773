#include "ui/reports/ReportSettingsDialogs.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"

#include "core/common/Clock.h"
#include "core/reports/ReportFile.h"

#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ReportSettingsDialogs : public ::testing::Test
{
protected:
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 3, 17), QTime(9, 0))};
    DesktopServices services{prompter, files, clock};
};

TEST_F(ReportSettingsDialogs, QuickReportSettingsTakeAChosenFontAndKeepItOnlyOnOk)
{
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(u"Shop.irp"_s);
    QList<std::optional<QFont>> answers;
    const FontChooser chooser = [&answers](QWidget*, const QFont&) { return answers.takeFirst(); };
    QFont arial(u"Arial"_s);
    arial.setPointSize(20);
    arial.setBold(true);

    const auto run = [&](bool ok) {
        WhenModalOpens(u"Quick Report Settings"_s, [&](QDialog& dialog) {
            EXPECT_EQ(Text(dialog, u"titleText"_s), u"Times New Roman (Regular) 16 pnt"_s);
            answers = {std::nullopt, arial};
            Click(dialog, u"titleButton"_s); // the chooser cancelled
            EXPECT_EQ(Text(dialog, u"titleText"_s), u"Times New Roman (Regular) 16 pnt"_s);
            Click(dialog, u"titleButton"_s);
            EXPECT_EQ(Text(dialog, u"titleText"_s), u"Arial (Bold) 20 pnt"_s);
            ok ? Click(dialog, u"okButton"_s) : dialog.reject();
        });
        RunQuickReportSettings(nullptr, reportPath, services, chooser);
    };
    run(false);
    EXPECT_FALSE(QFile::exists(reportPath));
    run(false);
    run(true);
    ReportFile file(reportPath);
    ASSERT_TRUE(file.getByName(u"PURCHASE_ORDER"_s));
    EXPECT_EQ(file.readBuffer().fonts[TitleFont].faceName, u"Arial"_s);
    EXPECT_EQ(file.readBuffer().fonts[TitleFont].weight, ReportFont::kBoldWeight);
    EXPECT_TRUE(prompter.texts().isEmpty());
}

// A stored face this machine lacks opens the chooser on the face standing in for
// it, not on an unrelated one; OK untouched keeps the stored face, a new size is
// taken.
TEST_F(ReportSettingsDialogs, TheFontChooserOpensOnTheStoredFaceOrItsStandIn)
{
    QFont stored(u"Times New Roman"_s);
    stored.setPointSize(28);
    const QString offered = QFontInfo(stored).family();
    const auto choose = [&](std::optional<int> size) {
        WhenModalOpens([&](QDialog& dialog) {
            auto& chooser = static_cast<QFontDialog&>(dialog);
            EXPECT_EQ(chooser.currentFont().family(), offered);
            if (size) {
                QFont other = chooser.currentFont();
                other.setPointSize(*size);
                chooser.setCurrentFont(other);
            }
            chooser.accept();
        });
        return ChooseFontWithDialog(nullptr, stored);
    };
    const std::optional<QFont> kept = choose(std::nullopt);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->family(), u"Times New Roman"_s);
    EXPECT_EQ(kept->pointSize(), 28);
    const std::optional<QFont> smaller = choose(14);
    ASSERT_TRUE(smaller);
    EXPECT_EQ(smaller->family(), offered);
    EXPECT_EQ(smaller->pointSize(), 14);
}

TEST_F(ReportSettingsDialogs, DateRangeKeepsTheDialogOnABadDateAndAnswersTheRange)
{
    std::optional<std::pair<DateTime, DateTime>> range;
    WhenModalOpens(u"Date Range"_s, [&](QDialog& dialog) {
        Type(dialog, u"startEdit"_s, u"soon"_s);
        Click(dialog, u"okButton"_s);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), Child<QWidget>(dialog, u"startEdit"_s));
        Type(dialog, u"startEdit"_s, u"2026-03-31"_s);
        Type(dialog, u"endEdit"_s, u"2026-04-01"_s);
        Click(dialog, u"okButton"_s);
    });
    range = AskDateRange(nullptr, services);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->first, DateTime::fromDate(QDate(2026, 3, 31)));
    EXPECT_EQ(range->second, DateTime::fromDate(QDate(2026, 4, 1)));
    EXPECT_EQ(prompter.texts().size(), 1);

    WhenModalOpens(u"Date Range"_s, [](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(AskDateRange(nullptr, services).has_value());
}

TEST_F(ReportSettingsDialogs, AdditionalReportInformationAnswersTheVendorAndTheSorting)
{
    TempProject project;
    ProjectBuilder build(project);
    build.vendor(u"Acme"_s);
    const qint32 brill = build.vendor(u"Brill"_s);
    WhenModalOpens(u"Additional Report Information"_s, [&](QDialog& dialog) {
        Child<RecordPicker>(dialog, u"vendorBox"_s)->chooseId(brill);
        Click(dialog, u"applyBox"_s);
        Click(dialog, u"byNameRadio"_s);
        Click(dialog, u"nextButton"_s);
    });
    const std::optional<ItemCriteria> criteria = AskReportCriteria(nullptr, project.tables(), services);
    ASSERT_TRUE(criteria.has_value());
    EXPECT_EQ(criteria->vendorID, brill);
    EXPECT_TRUE(criteria->appliesVendor);
    EXPECT_EQ(criteria->sorting, ItemSorting::ByName);
}

} // namespace
