#include "ui/common/RecordPicker.h"
#include "ui/print/PrintoutPane.h"

#include "core/common/Clock.h"
#include "core/common/UserSettings.h"

#include "DesktopDriver.h"
#include "FileBytes.h"
#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"
#include "WidgetDriver.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

// A shop with one vendor, an item on the shelf and one invoice of three
// staplers at $10.00 taxed at 5 %, $10.00 of it paid.
class QuickReportPane : public DesktopFixture
{
protected:
    QuickReportPane() : DesktopFixture(QDate(1997, 5, 20)) {}

    void SetUp() override
    {
        ProjectBuilder& b = build;
        const qint32 vendor = b.vendor(u"Acme Paper"_s);
        const qint32 stapler =
            b.pricedItem({.name = u"Stapler"_s, .vendor1 = vendor, .stocked = 7, .taxable = true},
                         Money::fromWhole(10), 5.0f);
        const qint32 customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        invoice = b.invoice(customer, 5000);
        b.sale(stapler, invoice, 3, Money::fromWhole(10), Money::fromWhole(2));
        b.payment(customer, invoice, Money::fromWhole(31, 5000), Money::fromWhole(10));
        launch();
    }

    PrintoutPane& pane() { return *window().printoutPane(); }

    qint32 invoice = NoID;
};

TEST_F(QuickReportPane, InventorySummaryAsksForItsRangeThenItsCriteriaAndShowsPages)
{
    QStringList asked;
    WhenModalOpens(u"Date Range"_s, [&](QDialog& range) {
        asked.append(range.windowTitle());
        WhenModalOpens(u"Additional Report Information"_s, [&](QDialog& criteria) {
            asked.append(criteria.windowTitle());
            Click(criteria, u"nextButton"_s);
        });
        Type(range, u"startEdit"_s, u"1997-01-01"_s);
        Type(range, u"endEdit"_s, u"1997-12-31"_s);
        Click(range, u"okButton"_s);
    });
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Inventory Summary"_s));
    EXPECT_EQ(asked, (QStringList{u"Date Range"_s, u"Additional Report Information"_s}));
    ASSERT_TRUE(pane().hasJob());
    EXPECT_EQ(pane().pageCount(), 1);
    EXPECT_EQ(pane().page(), 1);
    EXPECT_TRUE(window().action(C::FilePrint)->isEnabled());
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();

    // Cancelling the range shows nothing: no pages, no message, nothing to print.
    WhenModalOpens(u"Date Range"_s, [](QDialog& range) { range.reject(); });
    window().action(C::ViewStock)->trigger();
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Inventory Summary"_s));
    EXPECT_FALSE(pane().hasJob());
    EXPECT_EQ(pane().pageCount(), 0);
    EXPECT_EQ(window().placeholderText(), QString());
    EXPECT_FALSE(window().action(C::FilePrint)->isEnabled());
}

// View Invoice and Print Invoice both close Invoice Manager and show the
// invoice; Print Invoice also prints it at once, without a print dialog.
TEST_F(QuickReportPane, ViewAndPrintInvoiceCloseInvoiceManagerAndShowTheInvoice)
{
    QTemporaryDir dir;
    const QString printed = dir.filePath(u"printed.pdf"_s);
    window().printer().setOutputFormat(QPrinter::PdfFormat);
    window().printer().setOutputFileName(printed);
    ShowList(window(), ListingKind::Invoices);
    for (const QString& button : {u"viewButton"_s, u"printButton"_s}) {
        WhenModalOpens(u"Invoice Manager"_s, [&](QDialog& manager) {
            ASSERT_TRUE(Enabled(manager, button));
            Child<RecordPicker>(manager, u"invoicePicker"_s)->chooseId(invoice);
            Click(manager, button);
            EXPECT_FALSE(manager.isVisible());
        });
        window().action(C::ManageInvoices)->trigger();
        ASSERT_TRUE(pane().hasJob());
        EXPECT_EQ(pane().job()->title, u"INVOICE 5000"_s);
        EXPECT_EQ(pane().pageCount(), 1);
        EXPECT_EQ(window().currentListView(), nullptr);
        EXPECT_TRUE(window().findChild<QToolBar*>(u"Report"_s)->isVisibleTo(&window()));
        EXPECT_EQ(PdfPageCount(printed), button == u"printButton"_s ? 1 : -1) << button.toStdString();
    }
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();
}

} // namespace
