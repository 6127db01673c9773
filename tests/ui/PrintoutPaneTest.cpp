#include "ui/print/PrintoutPane.h"
#include "ui/common/DesktopServices.h"

#include "core/common/Clock.h"
#include "core/common/UserSettings.h"
#include "render/print/PrintJob.h"

#include "DesktopDriver.h"
#include "FileBytes.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QAction>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

// A printout of `rows` one-line rows, long enough for several pages.
PrintJob Rows(int rows)
{
    ListReportContent content;
    content.columns = {{u"Item"_s, 100, ColumnJustification::Left}};
    for (int row = 1; row <= rows; ++row)
        content.rows.append(QStringList{u"Row %1"_s.arg(row)});
    return ListPrintJob(content, ListReportMargins{}, QDate(2026, 3, 17));
}

class Printout : public DesktopFixture
{
protected:
    void SetUp() override { launch(); }

    bool enabled(int command) { return window().action(command)->isEnabled(); }
    QString status() { return window().statusBar()->currentMessage(); }
};

TEST_F(Printout, PagesAreShownOneAtATimeAndPrintedOrSavedWhole)
{
    PrintoutPane& pane = *window().printoutPane();
    pane.showJob(Rows(150));
    window().showPrintout();
    ASSERT_GE(pane.pageCount(), 3);
    EXPECT_TRUE(window().findChild<QToolBar*>(u"Report"_s)->isVisibleTo(&window()));

    // First page: no way back; the status bar names the page.
    EXPECT_EQ(pane.page(), 1);
    EXPECT_FALSE(enabled(C::ViewPrevPage));
    EXPECT_TRUE(enabled(C::ViewNextPage));
    window().action(C::ViewNextPage)->trigger();
    EXPECT_EQ(status(), u"Page 2"_s);
    EXPECT_TRUE(enabled(C::ViewPrevPage));
    while (enabled(C::ViewNextPage))
        window().action(C::ViewNextPage)->trigger();
    EXPECT_EQ(pane.page(), pane.pageCount());
    window().action(C::ViewPrevPage)->trigger();
    EXPECT_EQ(status(), u"Page %1"_s.arg(pane.pageCount() - 1));

    // Save as PDF takes every page and leaves the page shown alone.
    const int shown = pane.page();
    const QString path = home.filePath(u"rows.pdf"_s);
    files.answer({path});
    ASSERT_TRUE(enabled(C::FileSaveAsPdf));
    window().action(C::FileSaveAsPdf)->trigger();
    EXPECT_EQ(files.requests().constLast().directory, u"Quick Listing Report.pdf"_s);
    EXPECT_EQ(PdfPageCount(path), pane.pageCount());
    EXPECT_EQ(pane.page(), shown);
    EXPECT_TRUE(prompter.texts().isEmpty());

    // Back on a list, the report's toolbar and page commands go.
    ShowList(window(), ListingKind::Items);
    EXPECT_FALSE(window().findChild<QToolBar*>(u"Report"_s)->isVisibleTo(&window()));
    EXPECT_FALSE(enabled(C::ViewNextPage));
    EXPECT_TRUE(enabled(C::FilePrint));
}

TEST_F(Printout, MarginsWithoutRoomShowWhyInsteadOfPages)
{
    PrintJob job = Rows(3);
    job.margins = ListReportMargins{5, 1, 5, 1};
    PrintoutPane& pane = *window().printoutPane();
    pane.showJob(job);
    window().showPrintout();
    EXPECT_EQ(pane.pageCount(), 0);
    EXPECT_TRUE(pane.message().contains(u"leave no room"_s)) << pane.message().toStdString();
    EXPECT_FALSE(enabled(C::ViewNextPage));
}

} // namespace
