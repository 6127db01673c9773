#include "ui/app/MainWindow.h"
#include "ui/print/PrintoutPane.h"

#include "core/common/Clock.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/reports/ReportFile.h"

#include "DesktopDriver.h"
#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"
#include "WidgetDriver.h"

#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

class ReportPane : public DesktopFixture
{
protected:
    PrintoutPane& pane() { return *window().printoutPane(); }

    // Stores a report of every vendor's name and number.
    void saveVendorReport(const QString& name)
    {
        CReportDefinition definition;
        definition.table = u"Vendors"_s;
        definition.title = u"Our Vendors"_s;
        definition.showList = 1;
        definition.pageNumbers = 1;
        definition.sortField = u"Name"_s;
        definition.columns = {{u"Name"_s, u"Name"_s, AlignLeft, 0, ReportColumn::KindField},
                              {u"Number"_s, u"Number"_s, AlignLeft, 0, ReportColumn::KindField}};
        for (ReportFont& font : definition.fonts)
            font = ReportFont::fromPoints(u"Times New Roman"_s, 10);
        ReportFile file(app->project().settings()->reportPath());
        ASSERT_EQ(file.saveAsNew(definition, name, prompter, clock), ReportFile::SaveStatus::Saved);
        window().rebuildTree();
    }
};

TEST_F(ReportPane, ACustomReportChosenInTheTreeIsShownPageByPage)
{
    for (int i = 1; i <= 120; ++i)
        build.vendor(u"Vendor %1"_s.arg(i, 3, 10, QLatin1Char('0')));
    launch();
    saveVendorReport(u"Vendor Listing"_s);

    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Vendor Listing"_s));
    ASSERT_TRUE(pane().hasJob()) << pane().message().toStdString();
    EXPECT_EQ(window().currentKind(), -1);
    EXPECT_EQ(pane().job()->title, u"Our Vendors"_s);
    ASSERT_GE(pane().pageCount(), 3);
    EXPECT_EQ(pane().page(), 1);
    EXPECT_FALSE(window().action(C::ViewPrevPage)->isEnabled());
    window().action(C::ViewNextPage)->trigger();
    EXPECT_EQ(pane().page(), 2);
    EXPECT_EQ(window().statusBar()->currentMessage(), u"Page 2"_s);
    while (window().action(C::ViewNextPage)->isEnabled())
        window().action(C::ViewNextPage)->trigger();
    EXPECT_EQ(pane().page(), pane().pageCount());

    // A definition gone from the report file leaves only its message.
    window().showCustomReport(u"Vendor Listing (old)"_s);
    EXPECT_FALSE(pane().hasJob());
    EXPECT_EQ(pane().message(), u"Report Definition no longer exists."_s);
}

TEST_F(ReportPane, ManagePurchaseOrdersHandsItsPurchaseOrderToTheReportPaneAndCloses)
{
    const qint32 acme = build.vendor(u"Acme"_s, u"AC-1"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 po = build.po(5007, acme);
    build.orderLine(nut, po, 12);
    launch();
    ASSERT_TRUE(ShowList(window(), ListingKind::PurchaseOrders).selectByRecordID(po));

    bool enabled = false;
    WhenModalOpens([&](QDialog& manage) {
        enabled = Child<QPushButton>(manage, u"viewPOButton"_s)->isEnabled() &&
                  Child<QPushButton>(manage, u"viewDetailsButton"_s)->isEnabled();
        Click(manage, u"viewPOButton"_s);
    });
    window().action(C::ManagePurchaseOrders)->trigger();
    EXPECT_TRUE(enabled);
    ASSERT_TRUE(pane().hasJob()) << pane().message().toStdString();
    EXPECT_EQ(window().currentKind(), -1);
    EXPECT_EQ(pane().job()->title, u"PURCHASE ORDER #005007"_s);
    EXPECT_EQ(pane().pageCount(), 1);

    // The folder chosen in the tree no longer stands for the pane: a click on it
    // brings its list back.
    NavigationTreeWidget& tree = *window().navigationTree();
    tree.setCurrentItem(tree.itemAt(tree.tree().folderRef(ListingKind::PurchaseOrders)));
    EXPECT_EQ(window().currentKind(), static_cast<int>(ListingKind::PurchaseOrders));

    ASSERT_TRUE(ShowList(window(), ListingKind::PurchaseOrders).selectByRecordID(po));
    WhenModalOpens([&](QDialog& manage) { Click(manage, u"viewDetailsButton"_s); });
    window().action(C::ManagePurchaseOrders)->trigger();
    ASSERT_TRUE(pane().hasJob());
    EXPECT_EQ(pane().job()->title, u"Purchase Order History"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
}

} // namespace
