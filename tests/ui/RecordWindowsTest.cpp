#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/app/NavigationTreeWidget.h"
#include "ui/common/RecordPickerModel.h"
#include "ui/records/AddItemDialog.h"
#include "ui/records/RecordCommands.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"
#include "core/records/ImportVersion2.h"
#include "core/views/RecordLists.h"

#include "FileBytes.h"
#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"
#include "Version2Records.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Field = AddItemModel::Field;

class RecordWindows : public ::testing::Test
{
protected:
    TempProject project;
    ProjectBuilder build{project};
    ScriptedPrompter prompter;
    FixedClock clock{QDateTime(QDate(2026, 3, 2), QTime(10, 0))};

    ProjectTables& tables() { return project.tables(); }
};

TEST_F(RecordWindows, NextSavesAVendorAndClearsTheFormThenOkSavesAnother)
{
    WhenModalOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Add A New Vendor"_s);
        Click(dialog, u"nextButton"_s); // no name yet: refused, nothing cleared
        Type(dialog, u"nameEdit"_s, u"Acme"_s);
        Type(dialog, u"city2Edit"_s, u"Springfield"_s);
        Click(dialog, u"nextButton"_s);
        EXPECT_TRUE(Child<QLineEdit>(dialog, u"nameEdit"_s)->text().isEmpty());
        EXPECT_TRUE(Child<QLineEdit>(dialog, u"city2Edit"_s)->text().isEmpty());
        EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, u"nameEdit"_s));
        EXPECT_TRUE(dialog.isVisible());
        Type(dialog, u"nameEdit"_s, u"Bolt"_s);
        Click(dialog, u"okButton"_s);
    });
    const ChangeList added = RunAddVendor(nullptr, tables(), prompter);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::InvalidName)});
    const QList<qint32> vendors = added.ids(ListingKind::Vendors);
    ASSERT_EQ(vendors.size(), 2);
    EXPECT_EQ(build.read<CVendorsRec>(vendors.at(0)).City2, u"Springfield"_s);
    EXPECT_EQ(build.read<CVendorsRec>(vendors.last()).Name, u"Bolt"_s);
    EXPECT_EQ(build.rows("Vendors"), 2);
}

TEST_F(RecordWindows, ModifyingAVendorShowsItAndWritesItBackUnderItsId)
{
    const qint32 acme = build.vendor(u"Acme"_s, u"V-1"_s);
    WhenModalOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Modify Vendor"_s);
        EXPECT_EQ(Child<QLineEdit>(dialog, u"numberEdit"_s)->text(), u"V-1"_s);
        Type(dialog, u"cityEdit"_s, u"Shelbyville"_s);
        Click(dialog, u"okButton"_s);
    });
    const ChangeList changes = RunAddVendor(nullptr, tables(), prompter, acme);
    EXPECT_EQ(changes.ids(ListingKind::Vendors), QList<qint32>{acme});
    EXPECT_EQ(build.read<CVendorsRec>(acme).City, u"Shelbyville"_s);
    EXPECT_EQ(build.rows("Vendors"), 1);
}

TEST_F(RecordWindows, AddItemKeepsMarkupCostAndPriceInStepBothWays)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 bolt = build.vendor(u"Bolt"_s);
    AddItemModel model(tables(), prompter, clock);
    ASSERT_TRUE(model.checkPrerequisites());
    AddItemDialog dialog(model);
    auto* primary = Child<QComboBox>(dialog, u"primaryVendorBox"_s);
    auto* secondary = Child<QComboBox>(dialog, u"secondaryVendorBox"_s);
    // The padded ID never shows; it rides along as item data.
    EXPECT_EQ(primary->itemText(1), u"Bolt"_s);
    EXPECT_EQ(primary->itemData(1, RecordPickerModel::IdRole).toInt(), bolt);

    primary->setCurrentIndex(1);
    EXPECT_EQ(secondary->currentText(), u"Bolt"_s);
    secondary->setCurrentIndex(0);
    EXPECT_EQ(primary->currentText(), u"Bolt"_s);

    Type(dialog, u"nameEdit"_s, u"Widget"_s);
    Type(dialog, u"costEdit"_s, u"10"_s);
    Type(dialog, u"priceEdit"_s, u"15"_s);
    EXPECT_EQ(Child<QLineEdit>(dialog, u"markupEdit"_s)->text(), u"50.000"_s);
    EXPECT_EQ(Child<QLineEdit>(dialog, u"priceEdit"_s)->text(), u"15"_s); // not rewritten under the typing

    Type(dialog, u"markupEdit"_s, u"20"_s);
    EXPECT_EQ(Child<QLineEdit>(dialog, u"priceEdit"_s)->text(), FormatCurrency(Money::fromWhole(12, 0)));
    EXPECT_EQ(Child<QLineEdit>(dialog, u"markupEdit"_s)->text(), u"20"_s);

    Type(dialog, u"initialQuantityEdit"_s, u"5"_s);
    Click(dialog, u"okButton"_s);
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompter.lastText().toStdString();
    const qint32 itemId = model.changes().ids(ListingKind::Items).value(0);
    const CItemsRec item = build.read<CItemsRec>(itemId);
    EXPECT_EQ(item.VendorID1, bolt);
    EXPECT_EQ(item.VendorID2, acme);
    EXPECT_EQ(item.SellingPrice, Money::fromWhole(12, 0));
    EXPECT_EQ(item.Stocked, 5);
    EXPECT_EQ(model.changes().ids(ListingKind::Stock).size(), 1);
}

TEST_F(RecordWindows, ARefusedItemPutsTheFocusOnTheRefusedFieldWithItsTextSelected)
{
    build.vendor(u"Acme"_s);
    AddItemModel model(tables(), prompter, clock);
    ASSERT_TRUE(model.checkPrerequisites());
    AddItemDialog dialog(model);
    dialog.show();
    Type(dialog, u"nameEdit"_s, u"Widget"_s);
    Type(dialog, u"costEdit"_s, u"ten"_s);
    Click(dialog, u"okButton"_s);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    auto* refused = Child<QLineEdit>(dialog, u"costEdit"_s);
    EXPECT_EQ(dialog.focusWidget(), refused);
    EXPECT_EQ(refused->selectedText(), u"ten"_s);
    EXPECT_EQ(build.rows("Items"), 0);

    // "&Next >>" saves, empties the form and starts again at its first field.
    Type(dialog, u"costEdit"_s, u"3"_s);
    Type(dialog, u"reorderLevelEdit"_s, u"7"_s);
    Click(dialog, u"nextButton"_s);
    EXPECT_EQ(build.rows("Items"), 1);
    EXPECT_TRUE(Child<QLineEdit>(dialog, u"nameEdit"_s)->text().isEmpty());
    EXPECT_EQ(Child<QLineEdit>(dialog, u"reorderLevelEdit"_s)->text(), u"0"_s);
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldWidget(Field::Name));
}

TEST_F(RecordWindows, ItemWindowsOpenOnlyWithVendorsAndModifyKeepsTheStock)
{
    EXPECT_TRUE(RunAddItem(nullptr, tables(), prompter, clock).isEmpty());
    EXPECT_EQ(prompter.log().size(), 1); // told instead of opened

    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 item = build.item({.name = u"Widget"_s, .vendor1 = acme, .stocked = 4});
    AddItemModel model(tables(), prompter, clock, item);
    ASSERT_TRUE(model.checkPrerequisites());
    AddItemDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), u"Modify Item #%1"_s.arg(FormatRecordId(item)));
    EXPECT_FALSE(Child<QLineEdit>(dialog, u"initialQuantityEdit"_s)->isEnabled());
    EXPECT_FALSE(Child<QAbstractButton>(dialog, u"nextButton"_s)->isEnabled());
    Type(dialog, u"numberEdit"_s, u"W-2"_s);
    Click(dialog, u"okButton"_s);
    EXPECT_EQ(build.read<CItemsRec>(item).Number, u"W-2"_s);
    EXPECT_EQ(build.read<CItemsRec>(item).Stocked, 4);
}

TEST_F(RecordWindows, DeletingAnItemAfterTypingYesTakesItsLotsAndLinesAlong)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 item = build.item({.name = u"Widget"_s, .vendor1 = acme, .stocked = 5});
    const qint32 other = build.item({.name = u"Gadget"_s, .vendor1 = acme, .stocked = 2});
    const qint32 po = build.po(1, acme);
    ASSERT_TRUE(build.receive(build.orderLine(item, po, 3), 3));
    build.orderLine(other, po, 1);
    build.sale(item, build.invoice(build.customer(QString(), u"Smith"_s, u"Ann"_s), 7));

    // Refused word first: the dialog stays, and nothing goes.
    WhenModalOpens([](QDialog& dialog) {
        auto* word = dialog.findChild<QLineEdit*>();
        QTest::keyClicks(word, u"no"_s);
        QTest::keyClick(word, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        word->clear();
        QTest::keyClicks(word, u"yes"_s);
        QTest::keyClick(word, Qt::Key_Return);
    });
    const ChangeList changes =
        RunDeleteRecord(nullptr, tables(), prompter, DeleteRecordModel::Target::Item, item);
    EXPECT_TRUE(changes.contains(ListingKind::Items, item));
    EXPECT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(build.rows("Items"), 1);
    EXPECT_EQ(build.rows("Stock"), 1); // the other item's lot
    EXPECT_EQ(build.rows("Order"), 1);
    EXPECT_EQ(build.rows("Received"), 0);
    EXPECT_EQ(build.rows("Sales"), 0);

    // A record that is gone is reported and no confirmation is asked.
    EXPECT_TRUE(
        RunDeleteRecord(nullptr, tables(), prompter, DeleteRecordModel::Target::Item, item).isEmpty());
    EXPECT_EQ(prompter.log().size(), 2);
}

TEST_F(RecordWindows, CustomerSelectionModifiesThenChoosesThroughTheSearch)
{
    const qint32 smith = build.customer(u"Acme Co"_s, u"Smith"_s, u"Ann"_s, u"555-1234"_s);
    const qint32 jones = build.customer(QString(), u"Jones"_s, u"Bob"_s, u"555-9876"_s);

    WhenModalOpens([=](QDialog& selection) {
        auto* list = Child<QListView>(selection, u"customerList"_s);
        const QModelIndex second = list->model()->index(1, 0);
        EXPECT_EQ(list->model()->data(second).toString(), u"Jones, Bob"_s);
        EXPECT_EQ(list->model()->data(second, RecordPickerModel::IdRole).toInt(), jones);
        EXPECT_EQ(Child<QLabel>(selection, u"companyText"_s)->text(), u"Acme Co"_s);

        list->setCurrentIndex(second);
        EXPECT_EQ(Child<QLabel>(selection, u"lastNameText"_s)->text(), u"Jones"_s);
        WhenModalOpens([](QDialog& modify) {
            EXPECT_EQ(Child<QLineEdit>(modify, u"lastNameEdit"_s)->text(), u"Jones"_s);
            Type(modify, u"notesEdit"_s, u"Pays cash"_s);
            Click(modify, u"okButton"_s);
        });
        Click(selection, u"modifyButton"_s);
        EXPECT_EQ(list->currentIndex().row(), 1);
        EXPECT_EQ(Child<QLabel>(selection, u"notesText"_s)->text(), u"Pays cash"_s);

        list->setCurrentIndex(list->model()->index(0, 0));
        WhenModalOpens([](QDialog& search) {
            EXPECT_EQ(search.windowTitle(), u"Search for Customer"_s);
            Click(search, u"telephoneButton"_s);
            Type(search, u"searchEdit"_s, u"9876"_s);
            Click(search, u"goButton"_s);
            auto* results = Child<QListWidget>(search, u"resultList"_s);
            EXPECT_EQ(results->count(), 1);
            EXPECT_EQ(results->currentRow(), 0);
            Click(search, u"okButton"_s);
        });
        Click(selection, u"searchButton"_s);
    });
    ChangeList changes;
    EXPECT_EQ(RunCustomerSelection(nullptr, tables(), prompter, NoSelection, &changes), jones);
    EXPECT_EQ(changes.ids(ListingKind::Customers), QList<qint32>{jones});
    EXPECT_EQ(build.read<CCustomersRec>(jones).Notes, u"Pays cash"_s);
    EXPECT_EQ(build.read<CCustomersRec>(smith).Notes, QString());
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(RecordWindows, ImportingAVersion2ItemFileAsksForItAndBringsItsVendor)
{
    const QString path = project.dir() + u"/items01.ddg"_s;
    const QByteArray record = RecordBytes(ImportVersion2::kItemRecordLength)
                                  .text(0, "Widget")
                                  .text(90, "Acme")
                                  .number(160, 2.5)
                                  .number(168, 4.0)
                                  .number(208, 6)
                                  .bytes();
    ASSERT_TRUE(WriteFileBytes(path, record));

    ScriptedFileChooser files;
    EXPECT_TRUE(RunImport(tables(), prompter, files, clock, ImportModel::Source::Version2Items).isEmpty());
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_EQ(files.requests().constFirst().filter, u"Quillmark 2.0 Items (items*.ddg)"_s);
    EXPECT_EQ(files.requests().constFirst().defaultSuffix, u"ddg"_s);

    files.answer({path});
    const ChangeList changes =
        RunImport(tables(), prompter, files, clock, ImportModel::Source::Version2Items);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(changes.ids(ListingKind::Items).size(), 1);
    const CItemsRec item = build.read<CItemsRec>(changes.ids(ListingKind::Items).constFirst());
    EXPECT_EQ(item.Name, u"Widget"_s);
    EXPECT_EQ(item.Stocked, 6);
    EXPECT_EQ(build.read<CVendorsRec>(item.VendorID1).Name, u"Acme"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
}

// The record windows as the desktop runs them: from the lists' commands, with
// the lists following.
class RecordCommandsOnLists : public RecordWindows
{
protected:
    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    void TearDown() override { CloseApp(app); }
    RecordListView& show(ListingKind kind) { return ShowList(app->mainWindow(), kind); }
    QAction* popUpCommand(ListingKind kind, MainWindow::Command command)
    {
        return PopUpCommand(app->mainWindow(), kind, command);
    }

    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    ScriptedFileChooser files;
    std::unique_ptr<Application> app;
};

TEST_F(RecordCommandsOnLists, ModifyingAVendorFromThePopUpChangesItsRowWhichStaysSelected)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.vendor(u"Bolt"_s);
    launch();
    RecordListView& vendors = show(ListingKind::Vendors);
    ASSERT_TRUE(vendors.selectByRecordID(acme));
    WhenModalOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Modify Vendor"_s);
        Type(dialog, u"nameEdit"_s, u"Acme Works"_s);
        Click(dialog, u"okButton"_s);
    });
    popUpCommand(ListingKind::Vendors, MainWindow::RecordModify)->trigger();
    const qsizetype row = vendors.list().positionOfRecord(acme);
    ASSERT_GE(row, 0);
    EXPECT_EQ(vendors.list().cellText(row, 1), u"Acme Works"_s);
    EXPECT_EQ(vendors.selectedRecordID(), acme);
    EXPECT_EQ(vendors.list().count(), 2);

    // Insert adds a vendor even with a row selected, and selects the new one.
    WhenModalOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Add A New Vendor"_s);
        Type(dialog, u"nameEdit"_s, u"Cog"_s);
        Click(dialog, u"okButton"_s);
    });
    app->mainWindow().action(MainWindow::InsertVendor)->trigger();
    EXPECT_EQ(vendors.list().count(), 3);
    EXPECT_EQ(build.read<CVendorsRec>(acme).Name, u"Acme Works"_s);
    EXPECT_EQ(build.read<CVendorsRec>(vendors.selectedRecordID()).Name, u"Cog"_s);
}

TEST_F(RecordCommandsOnLists, DeletingAnItemTakesItsLotsFromTheStockList)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme, .stocked = 5});
    build.item({.name = u"Bolt"_s, .vendor1 = acme, .stocked = 2});
    launch();
    const RecordList& stock = show(ListingKind::Stock).list();
    ASSERT_EQ(stock.count(), 2);
    RecordListView& items = show(ListingKind::Items);
    ASSERT_TRUE(items.selectByRecordID(nut));
    WhenModalOpens([](QDialog& dialog) {
        auto* word = dialog.findChild<QLineEdit*>();
        QTest::keyClicks(word, u"yes"_s);
        QTest::keyClick(word, Qt::Key_Return);
    });
    popUpCommand(ListingKind::Items, MainWindow::RecordDelete)->trigger();
    EXPECT_EQ(items.list().count(), 1);
    EXPECT_EQ(items.list().positionOfRecord(nut), -1);
    EXPECT_EQ(stock.count(), 1);
    EXPECT_TRUE(prompter.log().isEmpty());
}

} // namespace
