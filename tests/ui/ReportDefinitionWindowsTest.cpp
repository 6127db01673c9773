#include "ui/app/MainWindow.h"
#include "ui/print/PrintoutPane.h"

#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/reports/ReportFile.h"
#include "core/stats/StandardStatistics.h"
#include "render/reports/ReportFonts.h"

#include "DesktopDriver.h"
#include "FileBytes.h"
#include "WidgetDriver.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

const QString kManage = u"Manage Reports"_s;
const QString kSheet = u"Report Definition"_s;

QStringList Rows(const QWidget& window, const QString& list)
{
    QStringList rows;
    const QListWidget* widget = Child<QListWidget>(window, list);
    for (int row = 0; row < widget->count(); ++row)
        rows.append(widget->item(row)->text());
    return rows;
}

// Selects the row of that text, as a click on it does.
void Pick(const QWidget& window, const QString& list, const QString& text)
{
    QListWidget* widget = Child<QListWidget>(window, list);
    const QList<QListWidgetItem*> found = widget->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    widget->setCurrentItem(found.constFirst());
}

void ShowPage(const QWidget& sheet, int page)
{
    Child<QTabWidget>(sheet, u"pages"_s)->setCurrentIndex(page);
}

class ReportDefinitionWindows : public DesktopFixture
{
protected:
    QString reportPath() const { return app->project().settings()->reportPath(); }
    PrintoutPane& pane() { return *window().printoutPane(); }

    // Opens Manage Reports on the stock list and hands it to `drive`.
    void manageStockReports(std::function<void(QDialog&)> drive)
    {
        ShowList(window(), ListingKind::Stock);
        bool opened = false;
        WhenModalOpens(kManage, [&opened, drive = std::move(drive)](QDialog& manage) {
            opened = true;
            EXPECT_EQ(Child<QComboBox>(manage, u"locationBox"_s)->currentText(), u"Stock"_s);
            drive(manage);
            Click(manage, u"closeButton"_s);
        });
        window().action(C::ManageReports)->trigger();
        EXPECT_TRUE(opened);
    }
};

TEST_F(ReportDefinitionWindows, AReportDesignedOnTheFourPagesRendersAndReadsBackFieldForField)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.lot(build.item({.name = u"Bolt"_s, .vendor1 = acme}), 40);
    build.lot(build.item({.name = u"Nut"_s, .vendor1 = acme}), 25);
    ASSERT_TRUE(
        project.db().CreateQueryDef(u"Lots in stock"_s, u"SELECT * FROM [Stock] WHERE Quanity > 0"_s));
    launch();
    for (const CStatistic& statistic : StandardStatistics::Build(
             StandardStatistics::CostOfInventory, u"Stock Cost"_s, false, DateTime::null(), DateTime::null()))
        ASSERT_TRUE(app->project().settings()->AddStatistic(statistic));
    // A face the font chooser offers in bold.
    QString face;
    for (const QString& family : QFontDatabase::families()) {
        if (face.isEmpty() && QFontDatabase::styles(family).contains(u"Bold"_s))
            face = family;
    }
    ASSERT_FALSE(face.isEmpty());

    QString titleFont;
    QStringList listed;
    manageStockReports([&](QDialog& manage) {
        EXPECT_TRUE(Rows(manage, u"reportList"_s).isEmpty());
        EXPECT_FALSE(Enabled(manage, u"modifyButton"_s));
        EXPECT_FALSE(Enabled(manage, u"deleteButton"_s));
        WhenModalOpens(kSheet, [&](QDialog& sheet) {
            Type(sheet, u"nameEdit"_s, u"Lots on hand"_s);
            Type(sheet, u"titleEdit"_s, u"Lots on Hand"_s);
            Click(sheet, u"titleCenterRadio"_s);
            WhenModalOpens([&](QDialog& chooser) {
                auto* fonts = qobject_cast<QFontDialog*>(&chooser);
                ASSERT_NE(fonts, nullptr);
                QFont chosen(face, 20);
                chosen.setBold(true);
                fonts->setCurrentFont(chosen);
                fonts->accept();
            });
            Click(sheet, u"titleFontButton"_s);
            titleFont = Text(sheet, u"titleFontText"_s);

            // Two columns, the second moved above the first.
            ShowPage(sheet, 1);
            Click(sheet, u"showListBox"_s);
            Pick(sheet, u"availableFieldsList"_s, u"Quanity"_s);
            Click(sheet, u"addFieldButton"_s);
            Pick(sheet, u"availableFieldsList"_s, u"ItemName"_s);
            Click(sheet, u"addFieldButton"_s);
            Click(sheet, u"moveFieldUpButton"_s);
            EXPECT_EQ(Rows(sheet, u"includedFieldsList"_s), QStringList({u"ItemName"_s, u"Quanity"_s}));
            EXPECT_FALSE(Rows(sheet, u"availableFieldsList"_s).contains(u"ItemName"_s));

            // The quantity column renamed and right-aligned, and the rows sorted by it.
            ShowPage(sheet, 2);
            Click(sheet, u"applyQueryBox"_s);
            auto* query = Child<QComboBox>(sheet, u"queryCombo"_s);
            EXPECT_EQ(query->currentText(), u"Lots in stock"_s);
            auto* columns = Child<QComboBox>(sheet, u"columnCombo"_s);
            columns->setCurrentIndex(1);
            EXPECT_EQ(Text(sheet, u"originalNameText"_s), u"Quanity"_s);
            Type(sheet, u"headerEdit"_s, u"On Hand"_s);
            Click(sheet, u"columnRightRadio"_s);
            Click(sheet, u"applyButton"_s);
            EXPECT_EQ(columns->itemText(1), u"On Hand"_s);
            Click(sheet, u"sortByButton"_s);
            EXPECT_EQ(Text(sheet, u"sortEdit"_s), u"On Hand"_s);
            Click(sheet, u"horizontalLinesBox"_s);

            ShowPage(sheet, 3);
            EXPECT_EQ(Rows(sheet, u"availableStatisticsList"_s), QStringList({u"Stock Cost"_s}));
            Pick(sheet, u"availableStatisticsList"_s, u"Stock Cost"_s);
            Click(sheet, u"addStatisticButton"_s);
            EXPECT_EQ(Rows(sheet, u"includedStatisticsList"_s), QStringList({u"Stock Cost"_s}));
            Click(sheet, u"okButton"_s);
            EXPECT_FALSE(sheet.isVisible());
        });
        Click(manage, u"addButton"_s);
        listed = Rows(manage, u"reportList"_s);
    });
    EXPECT_EQ(listed, QStringList({u"Lots on hand"_s}));
    EXPECT_EQ(titleFont, u"%1 (Bold) 20 pnt"_s.arg(face));
    EXPECT_TRUE(prompter.log().isEmpty()) << prompter.lastText().toStdString();

    // The tree was rebuilt with the report under the stock folder, and it renders.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Lots on hand"_s));
    ASSERT_TRUE(pane().hasJob()) << pane().message().toStdString();
    EXPECT_EQ(pane().job()->title, u"Lots on Hand"_s);
    EXPECT_GE(pane().pageCount(), 1);

    ReportFile file(reportPath());
    ASSERT_TRUE(file.getByName(u"Lots on hand"_s));
    const CReportDefinition& saved = file.readBuffer();
    EXPECT_EQ(saved.table, u"Stock"_s);
    EXPECT_EQ(saved.title, u"Lots on Hand"_s);
    EXPECT_EQ(saved.statisticsTitle, u"Statistics"_s);
    EXPECT_EQ(saved.titleAlignment, AlignCenter);
    EXPECT_EQ(saved.statisticsTitleAlignment, AlignLeft);
    const QFont title = ToQFont(saved.fonts[TitleFont]);
    EXPECT_EQ(title.family(), face);
    EXPECT_TRUE(title.bold());
    EXPECT_EQ(title.pointSize(), 20);
    EXPECT_EQ(saved.fonts[BodyFont].description(), u"Times New Roman (Regular) 10 pnt"_s);
    EXPECT_EQ(saved.pageNumbers, 1);
    EXPECT_EQ(saved.companyInformation, 0);
    EXPECT_EQ(saved.showList, 1);
    EXPECT_EQ(saved.applyQuery, 1);
    EXPECT_EQ(saved.queryName, u"Lots in stock"_s);
    EXPECT_EQ(saved.horizontalLines, 1);
    EXPECT_EQ(saved.verticalLines, 0);
    EXPECT_EQ(saved.showRecordNumbers, 0);
    EXPECT_EQ(saved.sortField, u"Quanity"_s);
    ASSERT_EQ(saved.columns.size(), 2);
    EXPECT_EQ(saved.columns[0].header, u"ItemName"_s);
    EXPECT_EQ(saved.columns[0].field, u"ItemName"_s);
    EXPECT_EQ(saved.columns[0].alignment, AlignLeft);
    EXPECT_EQ(saved.columns[1].header, u"On Hand"_s);
    EXPECT_EQ(saved.columns[1].field, u"Quanity"_s);
    EXPECT_EQ(saved.columns[1].alignment, AlignRight);
    EXPECT_EQ(saved.columns[1].kind, ReportColumn::KindField);
    EXPECT_EQ(saved.statistics, QStringList({u"Stock Cost"_s}));
}

TEST_F(ReportDefinitionWindows, AnEmptyOrTakenNameKeepsTheSheetAndWritesNothing)
{
    launch();
    CReportDefinition existing;
    existing.table = u"Stock"_s;
    ASSERT_EQ(ReportFile(reportPath()).saveAsNew(existing, u"Lots"_s, prompter, clock),
              ReportFile::SaveStatus::Saved);
    const QByteArray before = FileBytes(reportPath());

    QStringList afterDelete;
    manageStockReports([&](QDialog& manage) {
        EXPECT_EQ(Rows(manage, u"reportList"_s), QStringList({u"Lots"_s}));
        WhenModalOpens(kSheet, [&](QDialog& sheet) {
            ShowPage(sheet, 1);
            Type(sheet, u"nameEdit"_s, QString());
            Click(sheet, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(),
                      u"The report name must be unique.  Check that the name you have specified is not a "
                      "duplicate."_s);
            EXPECT_EQ(prompter.log().constLast().title, kSheet);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(Child<QTabWidget>(sheet, u"pages"_s)->currentIndex(), 0);
            EXPECT_EQ(sheet.focusWidget(), Child<QWidget>(sheet, u"nameEdit"_s));

            Type(sheet, u"nameEdit"_s, u"Lots"_s);
            Click(sheet, u"okButton"_s);
            EXPECT_EQ(
                prompter.lastText(),
                u"A report by this name already exists.  Please specify a unique name for the report."_s);
            EXPECT_EQ(prompter.log().constLast().title, u"Quillmark 3.5"_s);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(FileBytes(reportPath()), before);
            sheet.reject();
        });
        Click(manage, u"addButton"_s);
        EXPECT_EQ(Rows(manage, u"reportList"_s), QStringList({u"Lots"_s}));

        // Modify opens the sheet on the report chosen.
        Pick(manage, u"reportList"_s, u"Lots"_s);
        QString modified;
        WhenModalOpens(kSheet, [&](QDialog& sheet) {
            modified = Text(sheet, u"nameEdit"_s);
            sheet.reject();
        });
        Click(manage, u"modifyButton"_s);
        EXPECT_EQ(modified, u"Lots"_s);
        Pick(manage, u"reportList"_s, u"Lots"_s);
        Click(manage, u"deleteButton"_s);
        afterDelete = Rows(manage, u"reportList"_s);
        EXPECT_FALSE(Enabled(manage, u"deleteButton"_s));
    });
    EXPECT_EQ(prompter.log().size(), 2);
    EXPECT_TRUE(afterDelete.isEmpty());
    EXPECT_TRUE(ReportFile(reportPath()).names(u"Stock"_s).isEmpty());
}

} // namespace
