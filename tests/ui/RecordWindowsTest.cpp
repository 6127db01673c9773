#include "ui/common/RecordPickerModel.h"
#include "ui/records/AddItemDialog.h"
#include "ui/records/RecordCommands.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/records/ImportVersion2.h"

#include "FileBytes.h"
#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"
#include "Version2Records.h"

#include "WidgetDriver.h"

#include <QComboBox>
#include <QListView>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The vendor, item and customer windows as the user drives them: what they show,
// where the focus goes, and which window opens next. What is stored, and what a
// form refuses, is the record models' tests'; the windows as the lists run them
// are the registry's.
namespace {

using Field = AddItemModel::Field;

class RecordWindows : public ::testing::Test
{
protected:
    ProjectTables& tables() { return project.tables(); }
    QLineEdit* edit(const QWidget& dialog, const QString& name) { return Child<QLineEdit>(dialog, name); }

    TempProject project;
    ProjectBuilder build{project};
    ScriptedPrompter prompter;
    FixedClock clock{QDateTime(QDate(2026, 3, 2), QTime(10, 0))};
};

TEST_F(RecordWindows, NextSavesAVendorClearsTheFormAndStartsAgainAtTheName)
{
    WhenModalOpens(u"Add A New Vendor"_s, [this](QDialog& dialog) {
        Click(dialog, u"nextButton"_s); // no name yet: refused, nothing cleared
        Type(dialog, u"nameEdit"_s, u"Acme"_s);
        Type(dialog, u"city2Edit"_s, u"Springfield"_s);
        Click(dialog, u"nextButton"_s);
        EXPECT_TRUE(edit(dialog, u"nameEdit"_s)->text().isEmpty());
        EXPECT_TRUE(edit(dialog, u"city2Edit"_s)->text().isEmpty());
        EXPECT_EQ(dialog.focusWidget(), edit(dialog, u"nameEdit"_s));
        Type(dialog, u"nameEdit"_s, u"Bolt"_s);
        Click(dialog, u"okButton"_s);
    });
    const ChangeList added = RunAddVendor(nullptr, tables(), prompter);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::InvalidName)});
    EXPECT_EQ(added.ids(ListingKind::Vendors).size(), 2);
}

TEST_F(RecordWindows, AddItemPairsTheVendorPickersAndKeepsMarkupAndPriceInStepWithoutRewritingTheTyping)
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
    EXPECT_EQ((QStringList{edit(dialog, u"markupEdit"_s)->text(), edit(dialog, u"priceEdit"_s)->text()}),
              (QStringList{u"50.000"_s, u"15"_s}));
    Type(dialog, u"markupEdit"_s, u"20"_s);
    EXPECT_EQ((QStringList{edit(dialog, u"markupEdit"_s)->text(), edit(dialog, u"priceEdit"_s)->text()}),
              (QStringList{u"20"_s, FormatCurrency(Money::fromWhole(12))}));
    Click(dialog, u"okButton"_s);
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << prompter.lastText().toStdString();
    const CItemsRec item = build.read<CItemsRec>(model.changes().ids(ListingKind::Items).value(0));
    EXPECT_EQ((QList<qint32>{item.VendorID1, item.VendorID2}), (QList<qint32>{bolt, acme}));
}

TEST_F(RecordWindows, ARefusedItemPutsTheFocusOnTheRefusedFieldAndNextStartsAgainAtTheFirst)
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
    ExpectFocusOn(dialog, u"costEdit"_s, u"ten"_s);

    Type(dialog, u"costEdit"_s, u"3"_s);
    Type(dialog, u"reorderLevelEdit"_s, u"7"_s);
    Click(dialog, u"nextButton"_s);
    EXPECT_EQ(build.rows("Items"), 1);
    EXPECT_TRUE(edit(dialog, u"nameEdit"_s)->text().isEmpty());
    EXPECT_EQ(edit(dialog, u"reorderLevelEdit"_s)->text(), u"0"_s);
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldWidget(Field::Name));
}

TEST_F(RecordWindows, ItemWindowsOpenOnlyWithVendorsAndModifyOffersNoInitialQuantityNorNext)
{
    EXPECT_TRUE(RunAddItem(nullptr, tables(), prompter, clock).isEmpty());
    EXPECT_EQ(prompter.log().size(), 1); // told instead of opened

    const qint32 item = build.item({.name = u"Widget"_s, .vendor1 = build.vendor(u"Acme"_s), .stocked = 4});
    AddItemModel model(tables(), prompter, clock, item);
    ASSERT_TRUE(model.checkPrerequisites());
    AddItemDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), u"Modify Item #%1"_s.arg(FormatRecordId(item)));
    EXPECT_FALSE(Enabled(dialog, u"initialQuantityEdit"_s));
    EXPECT_FALSE(Enabled(dialog, u"nextButton"_s));
    Type(dialog, u"numberEdit"_s, u"W-2"_s);
    Click(dialog, u"okButton"_s);
    EXPECT_EQ(build.read<CItemsRec>(item).Number, u"W-2"_s);
}

TEST_F(RecordWindows, CustomerSelectionModifiesThenChoosesThroughTheSearch)
{
    build.customer(u"Acme Co"_s, u"Smith"_s, u"Ann"_s, u"555-1234"_s);
    const qint32 jones = build.customer(QString(), u"Jones"_s, u"Bob"_s, u"555-9876"_s);

    WhenModalOpens([=](QDialog& selection) {
        auto* list = Child<QListView>(selection, u"customerList"_s);
        const QModelIndex second = list->model()->index(1, 0);
        EXPECT_EQ(list->model()->data(second).toString(), u"Jones, Bob"_s);
        EXPECT_EQ(Text(selection, u"companyText"_s), u"Acme Co"_s);
        list->setCurrentIndex(second);
        EXPECT_EQ(Text(selection, u"lastNameText"_s), u"Jones"_s);

        // Modify opens on the selected customer; the selection shows what it wrote.
        WhenModalOpens([](QDialog& modify) {
            EXPECT_EQ(Text(modify, u"lastNameEdit"_s), u"Jones"_s);
            Type(modify, u"notesEdit"_s, u"Pays cash"_s);
            Click(modify, u"okButton"_s);
        });
        Click(selection, u"modifyButton"_s);
        EXPECT_EQ(list->currentIndex().row(), 1);
        EXPECT_EQ(Text(selection, u"notesText"_s), u"Pays cash"_s);

        // A customer found by telephone closes the selection with that customer.
        list->setCurrentIndex(list->model()->index(0, 0));
        WhenModalOpens(u"Search for Customer"_s, [](QDialog& search) {
            Click(search, u"telephoneButton"_s);
            Type(search, u"searchEdit"_s, u"9876"_s);
            Click(search, u"goButton"_s);
            EXPECT_EQ(Child<QListWidget>(search, u"resultList"_s)->currentRow(), 0);
            Click(search, u"okButton"_s);
        });
        Click(selection, u"searchButton"_s);
    });
    ChangeList changes;
    EXPECT_EQ(RunCustomerSelection(nullptr, tables(), prompter, NoSelection, &changes), jones);
    EXPECT_EQ(changes.ids(ListingKind::Customers), QList<qint32>{jones});
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(RecordWindows, ImportingAVersion2ItemFileAsksForItThenBringsItsItems)
{
    const QString path = project.dir() + u"/items01.ddg"_s;
    ASSERT_TRUE(WriteFileBytes(path, RecordBytes(ImportVersion2::kItemRecordLength)
                                         .text(0, "Widget")
                                         .text(90, "Acme")
                                         .number(208, 6)
                                         .bytes()));

    // Cancelled: nothing imported.
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
    EXPECT_EQ(build.read<CItemsRec>(changes.ids(ListingKind::Items).constFirst()).Name, u"Widget"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
}

} // namespace
