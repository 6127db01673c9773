#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordDialog.h"
#include "ui/reports/ReportWizard.h"
#include "ui/views/RecordListModel.h"

#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/reports/ReportFile.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;
using Page = ReportWizardModel::Page;

void Choose(const QWidget& window, const QString& combo, const QString& entry)
{
    QComboBox* box = Child<QComboBox>(window, combo);
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->setCurrentIndex(index);
}

QString Chosen(const QWidget& window, const QString& combo)
{
    return Child<QComboBox>(window, combo)->currentText();
}

bool Shown(const QWidget& window, const QString& name)
{
    return Child<QWidget>(window, name)->isVisibleTo(&window);
}

bool HasFocus(const QWidget& window, const QString& name)
{
    return window.focusWidget() == Child<QWidget>(window, name);
}

// The item names the list shows, one a row, sorted; a row without one of
// `names` shows as "?".
QStringList ItemsShown(const RecordListView& view, const QStringList& names)
{
    QStringList shown;
    const QAbstractItemModel& model = *view.listModel();
    for (int row = 0; row < model.rowCount(); ++row) {
        QString found = u"?"_s;
        for (int column = 0; column < model.columnCount(); ++column) {
            const QString cell = model.data(model.index(row, column)).toString();
            if (names.contains(cell))
                found = cell;
        }
        shown.append(found);
    }
    shown.sort();
    return shown;
}

// The captions of the nodes of one kind under a folder.
QStringList NodesUnder(MainWindow& window, ListingKind kind, NavigationNodeType type)
{
    QStringList captions;
    const auto& folder = window.navigationTree()->tree().folders()[static_cast<size_t>(kind)];
    for (const NavigationNode& node : folder.children) {
        if (node.type == type)
            captions.append(node.caption);
    }
    return captions;
}

class QueryWindows : public DesktopFixture
{
protected:
    QueryWindows() : DesktopFixture(QDate(1999, 4, 2)) {}

    void SetUp() override
    {
        acme = build.vendor(u"Acme Hardware"_s, u"V-1"_s);
        zenith = build.vendor(u"Zenith Tools"_s, u"V-2"_s);
        build.item({.name = u"Bolt"_s, .vendor1 = acme, .stocked = 3});
        build.item({.name = u"Washer"_s, .vendor1 = acme, .stocked = 1});
        build.item({.name = u"Bob's Nut"_s, .vendor1 = zenith, .stocked = 12});
        build.item({.name = u"Gear"_s, .vendor1 = zenith, .stocked = 40});
        launch();
    }

    ProjectDatabase& db() { return *app->project().database(); }
    QStringList reports(const QString& table)
    {
        return ReportFile(ReportFile::pathForDatabase(db().path())).names(table);
    }
    const QStringList itemNames{u"Bolt"_s, u"Washer"_s, u"Bob's Nut"_s, u"Gear"_s};
    qint32 acme = NoID;
    qint32 zenith = NoID;
};

// The user's question as a sentence: "SHOW the first 10 RECORDS of Items IN
// WHICH Stocked is less than 5", stored, listed under the item folder, run as
// the list, then widened with a name that holds a blank and a quote.
TEST_F(QueryWindows, AQueryDefinedAsASentenceIsListedRunAndModifiedWithItsValuesWhole)
{
    ShowList(window(), ListingKind::Items);
    WhenModalOpens(u"Manage Queries"_s, [&](QDialog& manage) {
        EXPECT_EQ(Chosen(manage, u"locationBox"_s), u"Items"_s);
        EXPECT_FALSE(Enabled(manage, u"modifyButton"_s));
        EXPECT_FALSE(Enabled(manage, u"deleteButton"_s));
        WhenModalOpens(u"Query Definition"_s, [&](QDialog& query) {
            // SHOW ALL: "RECORDS IN WHICH ..." follows, the TOP controls hide.
            EXPECT_TRUE(Shown(query, u"recordsInWhichLabel"_s));
            for (const QString& top : {u"countEdit"_s, u"unitBox"_s, u"orderedByLabel"_s, u"orderByBox"_s,
                                       u"directionBox"_s, u"whereLabel"_s})
                EXPECT_FALSE(Shown(query, top)) << top.toStdString();
            Choose(query, u"showBox"_s, u"TOP"_s);
            EXPECT_FALSE(Shown(query, u"recordsInWhichLabel"_s));
            EXPECT_TRUE(Shown(query, u"countEdit"_s) && Shown(query, u"whereLabel"_s));

            Type(query, u"nameEdit"_s, u"Low stock"_s);
            EXPECT_EQ(Text(query, u"countEdit"_s), u"10"_s);
            Choose(query, u"unitBox"_s, u"RECORDS"_s);
            EXPECT_EQ(Text(query, u"hint1Label"_s), u"Format : Simple Text"_s);
            Choose(query, u"field1Box"_s, u"Stocked"_s);
            EXPECT_EQ(Text(query, u"hint1Label"_s), u"Format : Simple Integer"_s);
            Choose(query, u"field2Box"_s, u"Taxable"_s);
            EXPECT_EQ(Text(query, u"hint2Label"_s), u"Format : TRUE/FALSE"_s);
            Choose(query, u"operator1Box"_s, u"is less than"_s);
            Type(query, u"value1Edit"_s, u"5"_s);
            Click(query, u"okButton"_s);
            EXPECT_FALSE(query.isVisible());
        });
        Click(manage, u"addButton"_s);
        QListWidget* list = Child<QListWidget>(manage, u"queryList"_s);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->currentItem()->text(), u"Low stock"_s);
        EXPECT_TRUE(Enabled(manage, u"modifyButton"_s));
        // The tree follows once the window closes.
        EXPECT_TRUE(NodesUnder(window(), ListingKind::Items, NavigationNodeType::Query).isEmpty());
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageQueries)->trigger();
    EXPECT_EQ(NodesUnder(window(), ListingKind::Items, NavigationNodeType::Query),
              QStringList{u"Low stock"_s});

    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Low stock"_s));
    ASSERT_NE(window().currentListView(), nullptr);
    RecordListView& items = *window().currentListView();
    EXPECT_EQ(ItemsShown(items, itemNames), (QStringList{u"Bolt"_s, u"Washer"_s}));

    // Modify: the sentence comes back, and a second row joined by Or takes a
    // name with a blank and a quote.
    WhenModalOpens(u"Manage Queries"_s, [&](QDialog& manage) {
        Child<QListWidget>(manage, u"queryList"_s)->setCurrentRow(0);
        WhenModalOpens(u"Query Definition"_s, [&](QDialog& query) {
            EXPECT_EQ(Text(query, u"nameEdit"_s), u"Low stock"_s);
            EXPECT_EQ(Chosen(query, u"showBox"_s), u"TOP"_s);
            EXPECT_EQ(Chosen(query, u"unitBox"_s), u"RECORDS"_s);
            EXPECT_EQ(Chosen(query, u"field1Box"_s), u"Stocked"_s);
            EXPECT_EQ(Chosen(query, u"operator1Box"_s), u"is less than"_s);
            EXPECT_EQ(Text(query, u"value1Edit"_s), u"5"_s);
            EXPECT_TRUE(Child<QRadioButton>(query, u"and2Radio"_s)->isChecked());
            Click(query, u"or2Radio"_s);
            Choose(query, u"field2Box"_s, u"Name"_s);
            Type(query, u"value2Edit"_s, u"Bob's Nut"_s);
            Click(query, u"okButton"_s);
            EXPECT_FALSE(query.isVisible());
        });
        Click(manage, u"modifyButton"_s);
        WhenModalOpens(u"Query Definition"_s, [&](QDialog& query) {
            EXPECT_EQ(Text(query, u"value2Edit"_s), u"Bob's Nut"_s);
            EXPECT_TRUE(Child<QRadioButton>(query, u"or2Radio"_s)->isChecked());
            query.reject();
        });
        Click(manage, u"modifyButton"_s);
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageQueries)->trigger();
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Low stock"_s));
    EXPECT_EQ(ItemsShown(*window().currentListView(), itemNames),
              (QStringList{u"Bob's Nut"_s, u"Bolt"_s, u"Washer"_s}));
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();
}

// Each refusal names what to fix, keeps the window where it was with the
// focus on that control, and stores nothing.
TEST_F(QueryWindows, RefusalsKeepTheWindowAndTheFocusAndWriteNothing)
{
    WhenModalOpens(u"Manage Queries"_s, [&](QDialog& manage) {
        Choose(manage, u"locationBox"_s, u"Stock"_s);
        WhenModalOpens(u"Query Definition"_s, [&](QDialog& query) {
            EXPECT_EQ(Text(query, u"tableText"_s), u"Stock"_s);
            Click(query, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(), u"Must specify query name."_s);
            EXPECT_TRUE(query.isVisible());
            EXPECT_TRUE(HasFocus(query, u"nameEdit"_s));

            Type(query, u"nameEdit"_s, u"Recent"_s);
            Click(query, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(), u"Must specify query criteria."_s);
            EXPECT_TRUE(HasFocus(query, u"value1Edit"_s));

            Choose(query, u"showBox"_s, u"TOP"_s);
            Type(query, u"countEdit"_s, u"101"_s);
            Click(query, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(),
                      u"Must specify a range between 0 and 100 percent as an integer."_s);
            EXPECT_TRUE(HasFocus(query, u"countEdit"_s));
            EXPECT_EQ(Child<QLineEdit>(query, u"countEdit"_s)->selectedText(), u"101"_s);

            Type(query, u"countEdit"_s, u"5"_s);
            Choose(query, u"field1Box"_s, u"Date"_s);
            Type(query, u"value1Edit"_s, u"someday"_s);
            Click(query, u"okButton"_s);
            EXPECT_TRUE(HasFocus(query, u"value1Edit"_s));
            EXPECT_TRUE(query.isVisible());
            query.reject();
        });
        Click(manage, u"addButton"_s);
        EXPECT_EQ(Child<QListWidget>(manage, u"queryList"_s)->count(), 0);
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageQueries)->trigger();
    EXPECT_TRUE(db().QueryDefNames().isEmpty());
    EXPECT_EQ(prompter.texts().size(), 4);

    prompter.clear();
    WhenModalOpens(u"Report Wizard"_s, [&](QDialog& dialog) {
        auto& wizard = static_cast<ReportWizard&>(dialog);
        wizard.next();
        ASSERT_EQ(wizard.currentId(), static_cast<int>(Page::Vendor));
        Child<QCheckBox>(wizard, u"applyVendorBox"_s)->setChecked(true);
        wizard.next();
        EXPECT_EQ(wizard.currentId(), static_cast<int>(Page::Vendor));
        EXPECT_EQ(prompter.lastText(), u"You must select a vendor to apply vendor criteria."_s);
        EXPECT_TRUE(HasFocus(wizard, u"vendorPicker"_s));
        Child<QCheckBox>(wizard, u"applyVendorBox"_s)->setChecked(false);
        wizard.next();
        ASSERT_EQ(wizard.currentId(), static_cast<int>(Page::Name));
        wizard.button(QWizard::FinishButton)->click();
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_EQ(prompter.lastText(), u"You must enter a name for the report."_s);
        EXPECT_TRUE(HasFocus(wizard, u"nameEdit"_s));
        wizard.reject();
    });
    window().action(C::ReportWizard)->trigger();
    EXPECT_TRUE(reports(u"Items"_s).isEmpty());
    EXPECT_TRUE(db().QueryDefNames().isEmpty());
    EXPECT_EQ(prompter.texts().size(), 2);
}

struct WizardCase
{
    int type;
    QList<Page> pages; // after the type page
    bool criterion;    // Apply Vendor Criteria or Use date specification
    ListingKind folder;
    QString table;
    QString query; // the stored query as the database gives it back; empty: no query
};

class ReportWizardTypes : public QueryWindows, public ::testing::WithParamInterface<WizardCase>
{
};

// Start to finish through the pages the type takes, Back and Next and Finish
// where the model puts them; the report (and its query) shows under its folder
// and in the pane, or nothing at all for the sales tax report.
TEST_P(ReportWizardTypes, RunFromStartToFinish)
{
    const WizardCase& c = GetParam();
    const QString name = u"Report %1"_s.arg(c.type);
    QList<int> visited;
    WhenModalOpens(u"Report Wizard"_s, [&](QDialog& dialog) {
        auto& wizard = static_cast<ReportWizard&>(dialog);
        const auto buttonShown = [&](QWizard::WizardButton which) {
            return wizard.button(which)->isVisibleTo(&wizard) && wizard.button(which)->isEnabled();
        };
        EXPECT_EQ(wizard.currentId(), static_cast<int>(Page::Type));
        EXPECT_FALSE(buttonShown(QWizard::BackButton));
        EXPECT_TRUE(buttonShown(QWizard::NextButton));
        EXPECT_FALSE(buttonShown(QWizard::FinishButton));
        if (c.type < ReportWizardModel::kRadioCount) {
            static const QStringList radios = {u"itemListingRadio"_s, u"vendorListingRadio"_s,
                                               u"customerListingRadio"_s, u"invoiceListingRadio"_s,
                                               u"reorderReportRadio"_s};
            Click(wizard, radios.at(c.type));
        } else {
            wizard.chooseType(c.type);
        }
        EXPECT_EQ(Text(wizard, u"descriptionText"_s), ReportWizardModel::typeDescription(c.type));

        for (const Page page : c.pages) {
            wizard.next();
            visited.append(wizard.currentId());
            ASSERT_EQ(wizard.currentId(), static_cast<int>(page));
            const bool last = page == Page::Name;
            EXPECT_TRUE(buttonShown(QWizard::BackButton));
            EXPECT_EQ(buttonShown(QWizard::NextButton), !last);
            EXPECT_EQ(buttonShown(QWizard::FinishButton), last);
            if (page == Page::Vendor && c.criterion) {
                // Find Vendor selects the vendor in the picker, and its ID shows.
                WhenModalOpens(u"Find Vendor"_s, [](QDialog& find) {
                    auto& finder = static_cast<FindRecordDialog&>(find);
                    finder.numberButton()->setChecked(true);
                    QTest::keyClicks(finder.textEdit(), u"V-2"_s);
                    finder.okButton()->click();
                });
                Click(wizard, u"findVendorButton"_s);
                EXPECT_EQ(Child<RecordPicker>(wizard, u"vendorPicker"_s)->currentId(), zenith);
                EXPECT_EQ(Text(wizard, u"vendorIdText"_s), FormatRecordId(zenith));
                Child<QCheckBox>(wizard, u"applyVendorBox"_s)->setChecked(true);
            }
            if (page == Page::Date && c.criterion) {
                Child<QCheckBox>(wizard, u"useDatesBox"_s)->setChecked(true);
                Type(wizard, u"startEdit"_s, u"1999-03-01"_s);
                Type(wizard, u"thruEdit"_s, u"1999-03-31"_s);
            }
        }
        // Back leads where the model says, and Next comes back.
        wizard.back();
        EXPECT_EQ(wizard.currentId(), static_cast<int>(*wizard.model().previousPage(Page::Name)));
        wizard.next();
        Type(wizard, u"nameEdit"_s, name);
        wizard.button(QWizard::FinishButton)->click();
        EXPECT_FALSE(wizard.isVisible());
    });
    window().action(C::ReportWizard)->trigger();

    QList<int> expected;
    for (const Page page : c.pages)
        expected.append(static_cast<int>(page));
    EXPECT_EQ(visited, expected);
    if (c.table.isEmpty()) {
        for (const QString& table : {u"Items"_s, u"Vendors"_s, u"Customers"_s, u"SI"_s})
            EXPECT_TRUE(reports(table).isEmpty());
        EXPECT_TRUE(db().QueryDefNames().isEmpty());
        EXPECT_TRUE(prompter.texts().isEmpty());
        EXPECT_NE(window().currentListView(), nullptr);
        return;
    }
    EXPECT_EQ(reports(c.table), QStringList{name});
    const QString query = c.query.contains(u"%1"_s) ? c.query.arg(zenith) : c.query;
    EXPECT_EQ(db().QueryDefSql(name).value_or(QString()).simplified().toStdString(), query.toStdString());
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.log().constFirst().title, u"Report Wizard"_s);
    EXPECT_TRUE(prompter.lastText().contains(u"'%1'"_s.arg(name)));
    EXPECT_EQ(NodesUnder(window(), c.folder, NavigationNodeType::Report), QStringList{name});
    EXPECT_EQ(NodesUnder(window(), c.folder, NavigationNodeType::Query),
              c.query.isEmpty() ? QStringList() : QStringList{name});
    // The new report is chosen in the tree and shows in the pane.
    EXPECT_EQ(window().currentListView(), nullptr);
    const NavigationNode* chosen =
        window().navigationTree()->tree().node(window().navigationTree()->tree().selected());
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->type, NavigationNodeType::Report);
    EXPECT_EQ(chosen->caption, name);
}

INSTANTIATE_TEST_SUITE_P(
    QueryWindows, ReportWizardTypes,
    ::testing::Values(
        WizardCase{0,
                   {Page::Vendor, Page::Name},
                   true,
                   ListingKind::Items,
                   u"Items"_s,
                   u"SELECT TOP 100 PERCENT * FROM [Items] WHERE VendorID1 = %1 ORDER BY Name;"_s},
        WizardCase{1, {Page::Name}, false, ListingKind::Vendors, u"Vendors"_s, QString()},
        WizardCase{2, {Page::Name}, false, ListingKind::Customers, u"Customers"_s, QString()},
        WizardCase{3,
                   {Page::Date, Page::Name},
                   true,
                   ListingKind::Invoices,
                   u"SI"_s,
                   u"SELECT TOP 100 PERCENT * FROM [SI] WHERE Date >= #3/1/1999# AND Date <= #3/31/1999# "
                   u"ORDER BY Date;"_s},
        WizardCase{
            4,
            {Page::Vendor, Page::Name},
            false,
            ListingKind::Items,
            u"Items"_s,
            u"SELECT TOP 100 PERCENT * FROM [Items] WHERE Stocked <= ReorderLevel-Ordered ORDER BY Name;"_s},
        WizardCase{5, {Page::Date, Page::Name}, true, ListingKind::Invoices, QString(), QString()}),
    [](const ::testing::TestParamInfo<WizardCase>& row) { return "Type" + std::to_string(row.param.type); });

} // namespace
