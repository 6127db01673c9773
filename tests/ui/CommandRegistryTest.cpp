#include "ui/app/CommandRegistry.h"

#include "core/project/Project.h"
#include "core/project/ProjectTables.h"
#include "core/views/RecordLists.h"

#include "DesktopDriver.h"
#include "FileBytes.h"
#include "WidgetDriver.h"

#include <QDir>
#include <QPushButton>
#include <QSet>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The record commands as the main window runs them through its registry: which
// are lit for the list and its selection, and how the lists follow what a window
// changed. Where a command leads is the command layer's tests'.
namespace {

using Kind = ListingKind;
using C = MainWindow::Command;

class Registry : public DesktopFixture
{
protected:
    RecordListView& show(Kind kind) { return ShowList(window(), kind); }
    bool lit(int command) { return window().action(command)->isEnabled(); }
};

// Types `word` into the deletion dialog's confirmation and presses Return.
void Confirm(QDialog& dialog, const QString& word)
{
    auto* edit = dialog.findChild<QLineEdit*>();
    edit->clear();
    QTest::keyClicks(edit, word);
    QTest::keyClick(edit, Qt::Key_Return);
}

TEST_F(Registry, DeleteModifyAndDetailsFollowTheListAndItsSelection)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({u"Nut"_s, acme, NoID, Money(), 5}); // with a lot in stock
    launch();
    RecordListView& vendors = show(Kind::Vendors);
    ASSERT_TRUE(vendors.selectByRecordID(acme));
    for (const int command : {C::RecordDelete, C::RecordDetails, C::RecordModify})
        EXPECT_TRUE(lit(command)) << command;
    // The pop-up shows the same command, so it greys and lights with it.
    EXPECT_TRUE(window().contextMenu(Kind::Vendors)->actions().contains(window().action(C::RecordDelete)));

    vendors.clearSelection();
    EXPECT_FALSE(lit(C::RecordDelete));
    EXPECT_FALSE(lit(C::RecordDetails));
    ASSERT_TRUE(vendors.selectByRecordID(acme));

    // The stock list has nothing to delete, even with a lot selected.
    RecordListView& stock = show(Kind::Stock);
    ASSERT_TRUE(stock.selectByRecordID(stock.list().recordId(0)));
    EXPECT_FALSE(lit(C::RecordDelete));
    EXPECT_FALSE(lit(C::RecordDetails));

    // Back on vendors the selection kept there lights Delete again; a report greys it.
    show(Kind::Vendors);
    EXPECT_TRUE(lit(C::RecordDelete));
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    EXPECT_FALSE(lit(C::RecordDelete));
}

TEST_F(Registry, AWindowsChangesShowInTheListAndItsLastRecordIsSelected)
{
    const qint32 acme = build.vendor(u"Acme"_s, u"V-1"_s);
    const qint32 bolt = build.vendor(u"Bolt"_s);
    ASSERT_TRUE(project.db().CreateQueryDef(u"Every vendor"_s, u"SELECT * FROM [Vendors]"_s));
    launch();
    window().setShowAll(false);
    // The list comes from a stored query, which the window must not see.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Every vendor"_s));
    RecordListView& vendors = *window().currentListView();
    ASSERT_EQ(vendors.list().count(), 2);
    ASSERT_TRUE(vendors.selectByRecordID(acme));

    // Modify from the pop-up shows the selected vendor and renames it; the row
    // shows the new name, still selected.
    QString filterSeen = u"(no window)"_s;
    WhenModalOpens(u"Modify Vendor"_s, [&](QDialog& dialog) {
        filterSeen = app->project().tables()->vendors().filter();
        EXPECT_EQ(Child<QLineEdit>(dialog, u"numberEdit"_s)->text(), u"V-1"_s);
        Type(dialog, u"nameEdit"_s, u"Acme Works"_s);
        Click(dialog, u"okButton"_s);
    });
    PopUpCommand(window(), Kind::Vendors, C::RecordModify)->trigger();
    EXPECT_EQ(filterSeen, QString());
    EXPECT_EQ(vendors.list().cellText(vendors.list().positionOfRecord(acme), 1), u"Acme Works"_s);
    EXPECT_EQ(vendors.selectedRecordID(), acme);

    // Insert Vendor adds a row even with another selected, and selects the new one.
    ASSERT_TRUE(vendors.selectByRecordID(bolt));
    WhenModalOpens(u"Add A New Vendor"_s, [](QDialog& dialog) {
        Type(dialog, u"nameEdit"_s, u"Cog"_s);
        Click(dialog, u"okButton"_s);
    });
    window().action(C::InsertVendor)->trigger();
    ASSERT_EQ(vendors.list().count(), 3);
    EXPECT_EQ(build.read<CVendorsRec>(vendors.selectedRecordID()).Name, u"Cog"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(Registry, ADeletionAfterTypingYesTakesTheRowAndTheRowsThatReferredToIt)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.vendor(u"Bolt"_s);
    build.item({.name = u"Nut"_s, .vendor1 = acme, .stocked = 5});
    launch();
    const RecordList& items = show(Kind::Items).list();
    const RecordList& stock = show(Kind::Stock).list();
    ASSERT_EQ(stock.count(), 1);
    RecordListView& vendors = show(Kind::Vendors);
    ASSERT_TRUE(vendors.selectByRecordID(acme));
    // A word other than yes is refused and keeps the dialog.
    WhenModalOpens([](QDialog& dialog) {
        Confirm(dialog, u"no"_s);
        EXPECT_TRUE(dialog.isVisible());
        Confirm(dialog, u"yes"_s);
    });
    PopUpCommand(window(), Kind::Vendors, C::RecordDelete)->trigger();
    EXPECT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(vendors.list().count(), 1);
    EXPECT_EQ(vendors.list().positionOfRecord(acme), -1);
    EXPECT_EQ(items.count(), 0);
    EXPECT_EQ(stock.count(), 0);
    EXPECT_FALSE(lit(C::RecordDelete));
}

TEST_F(Registry, CustomerInvoicesListsTheSelectedCustomersInvoicesOnly)
{
    const qint32 ann = build.customer(u"Ann's"_s, u"Smith"_s, u"Ann"_s);
    const qint32 first = build.invoice(ann, 101);
    const qint32 second = build.invoice(ann, 102);
    build.invoice(build.customer(QString(), u"Jones"_s, u"Bob"_s), 103);
    launch();

    // Only from the customer list, with a customer selected.
    RecordListView& customers = show(Kind::Customers);
    customers.clearSelection();
    window().action(C::ViewCustomerInvoices)->trigger();
    EXPECT_EQ(prompter.lastText(), u"Must first select a customer."_s);
    EXPECT_EQ(window().currentKind(), static_cast<int>(Kind::Customers));

    ASSERT_TRUE(customers.selectByRecordID(ann));
    window().action(C::ViewCustomerInvoices)->trigger();
    ASSERT_EQ(window().currentKind(), static_cast<int>(Kind::Invoices));
    const RecordList& invoices = app->lists().list(Kind::Invoices);
    ASSERT_EQ(invoices.count(), 2);
    EXPECT_EQ((QSet<qint32>{invoices.recordId(0), invoices.recordId(1)}), (QSet<qint32>{first, second}));
    EXPECT_EQ(window().recordsText(), u"Displayed Records: 2"_s);

    // The folder itself lists every invoice again.
    show(Kind::Invoices);
    EXPECT_EQ(invoices.count(), 3);
}

// Items imported from CSV join their list while another is shown, whose count
// the status bar keeps; a quick report shown exports its table.
TEST_F(Registry, CsvImportsFillTheirListAndTheReportShownExports)
{
    build.vendor(u"Acme"_s, u"V-1"_s);
    const QString csv = QDir(project.dir()).filePath(u"items.csv"_s);
    ASSERT_TRUE(WriteFileBytes(csv, "Item Name,Vendor Number,Cost\nNut,V-1,0.10\nBolt,V-1,0.20\n"));
    launch();
    show(Kind::Vendors);
    const QString counted = window().recordsText();
    files.answer({csv});
    WhenModalOpens([](QDialog& dialog) { dialog.findChild<QPushButton*>(u"importButton"_s)->click(); });
    window().action(C::ImportItemsCsv)->trigger();
    EXPECT_EQ(prompter.lastText(), u"2 items were imported."_s);
    EXPECT_EQ(window().recordsText(), counted);
    EXPECT_EQ(show(Kind::Items).list().count(), 2);

    EXPECT_FALSE(lit(C::ExportReportCsv));
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    ASSERT_TRUE(lit(C::ExportReportCsv));
    const QString report = QDir(project.dir()).filePath(u"balances"_s);
    files.answer({report});
    window().action(C::ExportReportCsv)->trigger();
    EXPECT_TRUE(FileBytes(report + u".csv"_s).startsWith("ID,Company,")) << "the suffix is added";
}

// The toolbars show icons, from the theme or the bundled set, and no text.
TEST_F(Registry, EveryToolbarButtonHasAnIcon)
{
    launch();
    for (int bar = 0; bar < 3; ++bar) {
        QToolBar* toolBar = window().toolBar(bar);
        EXPECT_EQ(toolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        for (QAction* action : toolBar->actions()) {
            if (action->isSeparator())
                continue;
            EXPECT_FALSE(action->icon().pixmap(24, 24).isNull()) << action->text().toStdString();
            EXPECT_FALSE(action->toolTip().isEmpty());
        }
    }
}

} // namespace
