#include "ui/app/CommandRegistry.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/purchasing/ManagePODialog.h"
#include "ui/purchasing/PurchasingHub.h"

#include "core/common/Clock.h"
#include "core/common/UserSettings.h"
#include "core/sales/ProjectConsistency.h"
#include "core/views/RecordLists.h"

#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

QString Shown(const QWidget& window, const QString& label)
{
    return Child<QLabel>(window, label)->text();
}

// The cell texts of a line list, row by row.
QList<QStringList> Rows(const QTreeView& list)
{
    const QAbstractItemModel& model = *list.model();
    QList<QStringList> rows;
    for (int i = 0; i < model.rowCount(); ++i) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.append(model.index(i, column).data().toString());
        rows.append(cells);
    }
    return rows;
}

// The text of the current line's cell in `column`.
QString CurrentCell(const QTreeView& list, int column)
{
    return list.currentIndex().siblingAtColumn(column).data().toString();
}

// Makes the line of `orderID` the current one, as a click on it does.
bool ChooseLine(QTreeView& list, qint32 orderID)
{
    const QAbstractItemModel& model = *list.model();
    for (int i = 0; i < model.rowCount(); ++i) {
        if (model.index(i, 0).data(Qt::UserRole).toInt() == orderID) {
            list.setCurrentIndex(model.index(i, 0));
            return true;
        }
    }
    return false;
}

class PurchasingWindows : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CloseApp(app);
        const ConsistencyReport report = CheckProjectConsistency(project.tables());
        EXPECT_EQ(report.stock, QStringList());
        EXPECT_EQ(report.chains, QStringList());
    }

    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    MainWindow& window() { return app->mainWindow(); }
    RecordListView& show(ListingKind kind) { return ShowList(window(), kind); }

    ProjectTables& tables() { return project.tables(); }
    QString settingsPath() const { return home.filePath(u"user.ini"_s); }

    TempProject project;
    ProjectBuilder build{project};
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 3, 2), QTime(10, 0))};
    DesktopServices services{prompter, files, clock};
    QTemporaryDir home;
    UserSettings settings{settingsPath()};
    std::unique_ptr<Application> app;
};

TEST_F(PurchasingWindows, ManagePOShowsItsLinesTogglesFilledAndKeepsItsColumnWidthsAcrossARestart)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 bolt = build.item({.name = u"Bolt"_s, .vendor1 = acme});
    const qint32 older = build.po(5000, acme);
    const qint32 po = build.po(5001, acme);
    build.change<CPORec>(po, [](CPORec& rec) {
        rec.Filled = true;
        rec.FilledDate = day(1997, 3, 20);
    });
    const qint32 nutLine = build.orderLine(nut, po, 10);
    ASSERT_TRUE(build.receive(nutLine, 4));
    build.orderLine(bolt, po, 3);
    build.orderLine(bolt, older, 1);

    {
        ManagePOModel model(tables(), prompter);
        ASSERT_TRUE(model.preselect(po));
        ManagePODialog dialog(model, tables(), services, settings);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), u"Manage Purchase Orders"_s);
        EXPECT_EQ(Child<RecordPicker>(dialog, u"poBox"_s)->currentId(), po);
        EXPECT_EQ(Shown(dialog, u"vendorText"_s), u"Acme"_s);
        QTreeView* lines = dialog.lineList();
        QStringList captions;
        for (int column = 0; column < lines->model()->columnCount(); ++column)
            captions.append(lines->model()->headerData(column, Qt::Horizontal).toString());
        EXPECT_EQ(captions, ManagePOModel::columnCaptions());
        // The received quantity and the backorder make one line of what was ordered.
        const QList<QStringList> rows = Rows(*lines);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(rows.at(0).at(0), u"Nut"_s);
        EXPECT_EQ(rows.at(0).at(1), build.read<CItemsRec>(nut).Number);
        EXPECT_EQ(rows.at(0).mid(2, 2), (QStringList{u"10"_s, u"4"_s}));
        EXPECT_EQ(rows.at(1).at(0), u"Bolt"_s);
        EXPECT_EQ(rows.at(1).mid(2, 2), (QStringList{u"3"_s, u"0"_s}));
        EXPECT_EQ(rows.at(1).at(4), u"-"_s);
        EXPECT_TRUE(lines->model()->index(0, 5).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_FALSE(lines->model()->index(0, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_TRUE(lines->model()->headerData(5, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_EQ(lines->header()->sectionSize(4), 120); // the default before anything was kept

        // With a purchase order chosen it can be shown in the report pane.
        EXPECT_TRUE(Child<QAbstractButton>(dialog, u"viewPOButton"_s)->isEnabled());
        EXPECT_TRUE(Child<QAbstractButton>(dialog, u"viewDetailsButton"_s)->isEnabled());

        // A filled purchase order is reopened at once, keeping its fill date.
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Not Filled"_s);
        EXPECT_NE(Shown(dialog, u"filledText"_s), u"No"_s);
        Click(dialog, u"fillButton"_s);
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Filled"_s);
        EXPECT_EQ(Shown(dialog, u"filledText"_s), u"No"_s);
        EXPECT_FALSE(build.read<CPORec>(po).Filled);
        EXPECT_EQ(build.read<CPORec>(po).FilledDate, day(1997, 3, 20));
        EXPECT_TRUE(model.changes().contains(ListingKind::PurchaseOrders, po));
        // Marking it filled again asks for the date.
        WhenModalOpens([](QDialog& fill) {
            EXPECT_EQ(fill.windowTitle(), u"Mark PO Filll Date"_s);
            Child<QLineEdit>(fill, u"dateEdit"_s)->setText(u"3/25/1997"_s);
            Click(fill, u"okButton"_s);
        });
        Click(dialog, u"fillButton"_s);
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Not Filled"_s);
        EXPECT_TRUE(build.read<CPORec>(po).Filled);
        EXPECT_EQ(build.read<CPORec>(po).FilledDate, day(1997, 3, 25));
        EXPECT_NE(Shown(dialog, u"filledText"_s), u"No"_s);

        // Choosing the other purchase order shows its data and its one line.
        Child<RecordPicker>(dialog, u"poBox"_s)->chooseId(older);
        EXPECT_EQ(Rows(*lines).size(), 1);

        lines->header()->resizeSection(2, 77);
        lines->header()->resizeSection(5, 140);
        Click(dialog, u"closeButton"_s);
        EXPECT_FALSE(dialog.isVisible());
    }

    // A restart: another settings object over the same file.
    UserSettings restarted(settingsPath());
    ManagePOModel model(tables(), prompter);
    ManagePODialog dialog(model, tables(), services, restarted);
    EXPECT_EQ(dialog.lineList()->header()->sectionSize(2), 77);
    EXPECT_EQ(dialog.lineList()->header()->sectionSize(5), 140);
    EXPECT_EQ(dialog.lineList()->header()->sectionSize(0), 100);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(PurchasingWindows, DelRemovesALineWithNothingReceivedAndRefusesOneWithReceipts)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 bolt = build.item({.name = u"Bolt"_s, .vendor1 = acme});
    const qint32 po = build.po(5000, acme);
    const qint32 nutLine = build.orderLine(nut, po, 10);
    ASSERT_TRUE(build.receive(nutLine, 4));
    const qint32 boltLine = build.orderLine(bolt, po, 3);
    ASSERT_EQ(build.read<CItemsRec>(bolt).Ordered, 3);

    ManagePOModel model(tables(), prompter);
    ManagePODialog dialog(model, tables(), services, settings);
    QTreeView* lines = dialog.lineList();
    ASSERT_EQ(lines->model()->rowCount(), 2);

    // No line chosen: told so.
    Click(dialog, u"deleteButton"_s);
    EXPECT_EQ(prompter.lastText(),
              u"You must select an entry in the list before performing this operation."_s);

    // Answering No keeps the line; Yes removes it and the item's ordered total.
    ASSERT_TRUE(ChooseLine(*lines, boltLine));
    EXPECT_EQ(model.selectedOrderID(), boltLine);
    Click(dialog, u"deleteButton"_s);
    EXPECT_EQ(prompter.lastText(), u"Are you sure you wish to delete this order from the PO?"_s);
    EXPECT_EQ(lines->model()->rowCount(), 2);
    prompter.answer({true});
    Click(dialog, u"deleteButton"_s);
    EXPECT_EQ(lines->model()->rowCount(), 1);
    EXPECT_EQ(build.rows("Order"), 1); // the nut's backorder
    EXPECT_EQ(build.read<CItemsRec>(bolt).Ordered, 0);
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, bolt));

    // Something was received on the nut's line: refused, nothing asked or deleted.
    ASSERT_TRUE(ChooseLine(*lines, nutLine));
    const qsizetype asked = prompter.log().size();
    Click(dialog, u"deleteButton"_s);
    EXPECT_EQ(prompter.log().size(), asked + 1);
    EXPECT_FALSE(prompter.log().constLast().question);
    EXPECT_TRUE(prompter.lastText().startsWith(u"This order has already been received."_s));
    EXPECT_EQ(lines->model()->rowCount(), 1);
    EXPECT_EQ(build.rows("Order"), 1);
    EXPECT_EQ(build.read<CItemsRec>(nut).Ordered, 6);
}

TEST_F(PurchasingWindows, UndoingAReceiptFromEditOrderEntryPutsTheStockBackAndBothWindowsFollow)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 po = build.po(5000, acme);
    const qint32 line = build.orderLine(nut, po, 10);
    ASSERT_TRUE(build.receive(line, 4));
    ASSERT_EQ(build.read<CItemsRec>(nut).Stocked, 4);

    ManagePOModel model(tables(), prompter);
    ManagePODialog dialog(model, tables(), services, settings);
    dialog.show();
    ASSERT_TRUE(ChooseLine(*dialog.lineList(), line));

    bool driven = false;
    WhenModalOpens([&](QDialog& entry) {
        driven = true;
        EXPECT_EQ(entry.windowTitle(), u"Edit Order Entry"_s);
        EXPECT_EQ(Shown(entry, u"itemText"_s), u"Nut"_s);
        EXPECT_EQ(Shown(entry, u"poNumberText"_s), u"005000"_s);
        EXPECT_EQ(Shown(entry, u"orderedText"_s), u"10"_s);
        EXPECT_EQ(Shown(entry, u"receivedText"_s), u"4"_s);

        // With something received the original order cannot be rewritten.
        Click(entry, u"modifyButton"_s);
        EXPECT_TRUE(prompter.lastText().contains(u"Unable to modify the original order."_s));

        // No to the question changes nothing; Yes takes the lot back out.
        Click(entry, u"undoButton"_s);
        EXPECT_EQ(Shown(entry, u"receivedText"_s), u"4"_s);
        EXPECT_EQ(build.read<CItemsRec>(nut).Stocked, 4);
        prompter.answer({true});
        Click(entry, u"undoButton"_s);
        EXPECT_EQ(Shown(entry, u"receivedText"_s), u"0"_s);
        EXPECT_EQ(Shown(entry, u"orderedText"_s), u"10"_s);
        Click(entry, u"doneButton"_s);
    });
    Click(dialog, u"editButton"_s);
    EXPECT_TRUE(driven);

    const CItemsRec item = build.read<CItemsRec>(nut);
    EXPECT_EQ(item.Stocked, 0);
    EXPECT_EQ(item.Ordered, 10);
    EXPECT_EQ(build.rows("Stock"), 0);
    EXPECT_EQ(build.rows("Received"), 0);
    const QList<QStringList> rows = Rows(*dialog.lineList());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).mid(2, 3), (QStringList{u"10"_s, u"0"_s, u"-"_s}));
    EXPECT_TRUE(model.changes().contains(ListingKind::Items, nut));
}

TEST_F(PurchasingWindows, AutomatedOrderRecordingShowsItsModeAndTellsWhenThereIsNothingToDo)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({.name = u"Nut"_s, .vendor1 = acme, .stocked = 9, .reorderLevel = 2});
    const qint32 older = build.po(5000, acme);
    build.po(5001, acme);

    // Receiving: no New PO; the purchase order given is the one chosen.
    WhenModalOpens([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Automated Order Recording"_s);
        EXPECT_TRUE(Shown(dialog, u"helpText"_s).contains(u"thereceival"_s));
        EXPECT_FALSE(Child<QAbstractButton>(dialog, u"newPOButton"_s)->isEnabled());
        EXPECT_EQ(Child<RecordPicker>(dialog, u"poBox"_s)->currentId(), older);
        Click(dialog, u"okButton"_s);
    });
    EXPECT_TRUE(RunAutoOrder(nullptr, tables(), services, AutoOrderModel::Mode::Receive, older).isEmpty());
    EXPECT_EQ(prompter.lastText(), u"This command requires existing orders in the database."_s);

    // Ordering: New PO is there; Cancel runs nothing.
    WhenModalOpens([&](QDialog& dialog) {
        EXPECT_TRUE(Shown(dialog, u"helpText"_s).contains(u"reorder quantity"_s));
        EXPECT_TRUE(Child<QAbstractButton>(dialog, u"newPOButton"_s)->isEnabled());
        dialog.reject();
    });
    EXPECT_TRUE(RunAutoOrder(nullptr, tables(), services, AutoOrderModel::Mode::Order).isEmpty());
    EXPECT_EQ(prompter.log().size(), 1);

    // OK with nothing under its reorder level says so.
    WhenModalOpens([&](QDialog& dialog) { Click(dialog, u"okButton"_s); });
    EXPECT_TRUE(RunAutoOrder(nullptr, tables(), services, AutoOrderModel::Mode::Order).isEmpty());
    EXPECT_EQ(prompter.lastText(), u"No items for this vendor require ordering."_s);
}

TEST_F(PurchasingWindows, ThePurchasingCommandsAreLitAsTheCommandLayerSaysAndNeedAList)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 first = build.po(5000, acme);
    build.po(5001, acme);
    launch();
    CommandRegistry& registry = window().commands();
    const int purchasing[] = {C::RecordOrder, C::RecordReceived, C::AutoOrder,
                              C::AutoReceive, C::Purge,          C::ManagePurchaseOrders};

    show(ListingKind::Items);
    for (const int command : purchasing) {
        EXPECT_TRUE(registry.isRegistered(command)) << command;
        EXPECT_TRUE(window().action(command)->isEnabled()) << command;
    }
    EXPECT_EQ(window().action(C::RecordOrder)->isEnabled(),
              registry.commands().isEnabled(CProjectCommands::Command::RecordOrder));
    for (const ListingKind kind : {ListingKind::Items, ListingKind::PurchaseOrders, ListingKind::Stock}) {
        const QList<QAction*> popUp = window().contextMenu(kind)->actions();
        EXPECT_TRUE(popUp.contains(window().action(C::RecordReceived)) ||
                    popUp.contains(window().action(C::RecordOrder)))
            << static_cast<int>(kind);
    }

    // Without a list the activities say why and open nothing.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    EXPECT_TRUE(window().action(C::RecordOrder)->isEnabled());
    window().action(C::RecordOrder)->trigger();
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Modify on the purchase-order list opens Manage Purchase Orders on the row's
    // purchase order, not the newest one.
    RecordListView& orders = show(ListingKind::PurchaseOrders);
    ASSERT_TRUE(orders.selectByRecordID(first));
    ASSERT_TRUE(window().action(C::RecordModify)->isEnabled());
    QString title;
    qint32 shown = NoSelection;
    WhenModalOpens([&](QDialog& dialog) {
        title = dialog.windowTitle();
        shown = Child<RecordPicker>(dialog, u"poBox"_s)->currentId();
        Click(dialog, u"closeButton"_s);
    });
    window().action(C::RecordModify)->trigger();
    EXPECT_EQ(title, u"Manage Purchase Orders"_s);
    EXPECT_EQ(shown, first);

    // So does Manage > Purchase Orders while the list shows with that row selected.
    shown = NoSelection;
    WhenModalOpens([&](QDialog& dialog) {
        shown = Child<RecordPicker>(dialog, u"poBox"_s)->currentId();
        Click(dialog, u"closeButton"_s);
    });
    window().action(C::ManagePurchaseOrders)->trigger();
    EXPECT_EQ(shown, first);
    EXPECT_EQ(prompter.log().size(), 1);
}

// An item's Stocked and Ordered as the item list shows them.
QStringList Figures(const RecordList& items, qint32 item)
{
    const qsizetype row = items.positionOfRecord(item);
    if (row < 0)
        return {};
    return {items.cellText(row, 5), items.cellText(row, 6)};
}

// Makes the line of `itemName` the current one.
bool ChooseLineOf(QTreeView& list, const QString& itemName)
{
    const QModelIndexList found =
        list.model()->match(list.model()->index(0, 0), Qt::DisplayRole, itemName, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list.setCurrentIndex(found.constFirst());
    return true;
}

TEST_F(PurchasingWindows, APurchaseOrderIsRaisedReceivedInPartsAndTakenBackWithTheListsFollowing)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme, .reorderQuantity = 10});
    const qint32 bolt = build.item({.name = u"Bolt"_s, .vendor1 = acme, .reorderQuantity = 5});
    launch();
    const RecordList& itemList = app->lists().list(ListingKind::Items);
    RecordListView& items = show(ListingKind::Items);
    ASSERT_TRUE(items.selectByRecordID(nut));

    // Record Order from the item list: the item comes preset, New PO raises the
    // purchase order, "&Next >>" keeps the window for the second line.
    qint32 po = NoSelection;
    WhenModalOpens([&](QDialog& order) {
        EXPECT_EQ(order.windowTitle(), u"Record Order"_s);
        EXPECT_EQ(Child<RecordPicker>(order, u"itemBox"_s)->currentId(), nut);
        WhenModalOpens([&](QDialog& newPO) {
            EXPECT_EQ(newPO.windowTitle(), u"New Purchase Order"_s);
            EXPECT_EQ(Child<QLineEdit>(newPO, u"numberEdit"_s)->text(), u"5000"_s);
            Click(newPO, u"okButton"_s);
        });
        Click(order, u"newPOButton"_s);
        po = Child<RecordPicker>(order, u"poBox"_s)->currentId();
        EXPECT_EQ(Child<QLineEdit>(order, u"quantityEdit"_s)->text(), u"10"_s);
        Click(order, u"nextButton"_s);
        EXPECT_TRUE(order.isVisible());
        EXPECT_EQ(Shown(order, u"orderedText"_s), u"10"_s);
        Child<RecordPicker>(order, u"itemBox"_s)->chooseId(bolt);
        EXPECT_EQ(Shown(order, u"stockedText"_s), u"0"_s);
        EXPECT_EQ(Shown(order, u"orderedText"_s), u"0"_s);
        EXPECT_EQ(Child<QLineEdit>(order, u"quantityEdit"_s)->text(), u"5"_s);
        Click(order, u"okButton"_s);
    });
    window().action(C::RecordOrder)->trigger();
    ASSERT_NE(po, NoSelection);
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"0"_s, u"10"_s}));
    EXPECT_EQ(Figures(itemList, bolt), (QStringList{u"0"_s, u"5"_s}));
    EXPECT_EQ(items.selectedRecordID(), bolt);
    EXPECT_GE(app->lists().list(ListingKind::PurchaseOrders).positionOfRecord(po), 0);

    // Four nuts arrive; the other six stay on backorder.
    RecordListView& stock = show(ListingKind::Stock);
    EXPECT_EQ(stock.list().count(), 0);
    prompter.answer({true});
    WhenModalOpens([&](QDialog& receive) {
        EXPECT_EQ(receive.windowTitle(), u"Record Received Order"_s);
        EXPECT_EQ(Child<RecordPicker>(receive, u"poBox"_s)->currentId(), po);
        EXPECT_EQ(Child<QComboBox>(receive, u"orderBox"_s)->currentText(), u"Nut"_s);
        EXPECT_EQ(Child<QLineEdit>(receive, u"quantityEdit"_s)->text(), u"10"_s);
        Child<QLineEdit>(receive, u"quantityEdit"_s)->setText(u"4"_s);
        Click(receive, u"okButton"_s);
    });
    window().action(C::RecordReceived)->trigger();
    EXPECT_TRUE(prompter.lastText().startsWith(u"The full order was not received."_s));
    ASSERT_EQ(stock.list().count(), 1);
    EXPECT_EQ(stock.selectedRecordID(), stock.list().recordId(0));
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"4"_s, u"6"_s}));

    // In Manage Purchase Orders: the rest from Edit Order Entry, then the
    // receipts taken back out of stock.
    RecordListView& orders = show(ListingKind::PurchaseOrders);
    ASSERT_TRUE(orders.selectByRecordID(po));
    WhenModalOpens([&](QDialog& manage) {
        auto* lines = Child<QTreeView>(manage, u"lineList"_s);
        ASSERT_TRUE(ChooseLineOf(*lines, u"Nut"_s));
        EXPECT_EQ(CurrentCell(*lines, 2), u"10"_s);
        EXPECT_EQ(CurrentCell(*lines, 3), u"4"_s);
        WhenModalOpens([&](QDialog& entry) {
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"4"_s);
            WhenModalOpens([&](QDialog& receive) {
                EXPECT_FALSE(Child<QWidget>(receive, u"orderBox"_s)->isEnabled());
                EXPECT_FALSE(Child<QWidget>(receive, u"nextButton"_s)->isEnabled());
                EXPECT_EQ(Child<QLineEdit>(receive, u"quantityEdit"_s)->text(), u"6"_s);
                Click(receive, u"okButton"_s);
            });
            Click(entry, u"receiveButton"_s);
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"10"_s);
            EXPECT_EQ(build.read<CItemsRec>(nut).Stocked, 10);
            EXPECT_EQ(build.read<CItemsRec>(nut).Ordered, 0);
            prompter.answer({true});
            Click(entry, u"undoButton"_s);
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"0"_s);
            EXPECT_EQ(Shown(entry, u"orderedText"_s), u"10"_s);
            Click(entry, u"doneButton"_s);
        });
        Click(manage, u"editButton"_s);
        ASSERT_TRUE(ChooseLineOf(*lines, u"Nut"_s));
        EXPECT_EQ(CurrentCell(*lines, 3), u"0"_s);
        EXPECT_EQ(CurrentCell(*lines, 4), u"-"_s);
        Click(manage, u"closeButton"_s);
    });
    window().action(C::ManagePurchaseOrders)->trigger();
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"0"_s, u"10"_s}));
    EXPECT_EQ(Figures(itemList, bolt), (QStringList{u"0"_s, u"5"_s}));
    EXPECT_EQ(app->lists().list(ListingKind::Stock).count(), 0);
    EXPECT_EQ(build.rows("Received"), 0);
}

TEST_F(PurchasingWindows, AutoOrderProposesTheItemsAtTheirReorderLevelAndGoesOnPastACancelledOne)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 other = build.vendor(u"Other"_s);
    const qint32 nut = build.item(
        {.name = u"Nut"_s, .vendor1 = acme, .stocked = 3, .reorderQuantity = 10, .reorderLevel = 3});
    const qint32 bolt =
        build.item({.name = u"Bolt"_s, .vendor1 = acme, .reorderQuantity = 5, .reorderLevel = 1});
    build.item({.name = u"Washer"_s, .vendor1 = acme, .stocked = 9, .reorderQuantity = 5, .reorderLevel = 2});
    build.item(
        {.name = u"Cog"_s, .vendor1 = other, .vendor2 = acme, .reorderQuantity = 5, .reorderLevel = 9});
    const qint32 po = build.po(5000, acme);
    launch();
    RecordListView& items = show(ListingKind::Items);

    QList<qint32> proposed;
    WhenModalOpens([&](QDialog& automated) {
        EXPECT_EQ(Child<RecordPicker>(automated, u"poBox"_s)->currentId(), po);
        WhenModalOpens([&](QDialog& first) {
            proposed.append(Child<RecordPicker>(first, u"itemBox"_s)->currentId());
            EXPECT_FALSE(Child<QWidget>(first, u"itemBox"_s)->isEnabled());
            EXPECT_FALSE(Child<QWidget>(first, u"nextButton"_s)->isEnabled());
            EXPECT_EQ(Child<QLineEdit>(first, u"quantityEdit"_s)->text(), u"10"_s);
            WhenModalOpens([&](QDialog& second) {
                proposed.append(Child<RecordPicker>(second, u"itemBox"_s)->currentId());
                EXPECT_EQ(Child<QLineEdit>(second, u"quantityEdit"_s)->text(), u"5"_s);
                Click(second, u"okButton"_s);
            });
            first.reject();
        });
        Click(automated, u"okButton"_s);
    });
    window().action(C::AutoOrder)->trigger();
    EXPECT_EQ(proposed, (QList<qint32>{nut, bolt}));
    EXPECT_EQ(build.rows("Order"), 1);
    const RecordList& itemList = items.list();
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"3"_s, u"0"_s}));
    EXPECT_EQ(Figures(itemList, bolt), (QStringList{u"0"_s, u"5"_s}));
    EXPECT_EQ(items.selectedRecordID(), bolt);
}

TEST_F(PurchasingWindows, AutoReceiveOfTwoLinesAndABackorderOpensThreeReceipts)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 bolt = build.item({.name = u"Bolt"_s, .vendor1 = acme});
    const qint32 po = build.po(5000, acme);
    ASSERT_TRUE(build.receive(build.orderLine(nut, po, 10), 4)); // six on backorder
    build.orderLine(bolt, po, 5);
    const qint32 washer = build.item({.name = u"Washer"_s, .vendor1 = acme});
    build.orderLine(washer, po, 3);
    launch();
    RecordListView& stock = show(ListingKind::Stock);
    ASSERT_EQ(stock.list().count(), 1);

    // Each step fixes the purchase order and its line; the bolt comes in part,
    // and its remainder is dropped.
    QStringList received;
    std::function<void(QDialog&)> step = [&](QDialog& receive) {
        EXPECT_FALSE(Child<QWidget>(receive, u"poBox"_s)->isEnabled());
        EXPECT_FALSE(Child<QWidget>(receive, u"orderBox"_s)->isEnabled());
        EXPECT_FALSE(Child<QWidget>(receive, u"nextButton"_s)->isEnabled());
        const QString item = Child<QComboBox>(receive, u"orderBox"_s)->currentText();
        received.append(item);
        if (received.size() < 3)
            WhenModalOpens(step);
        if (item == u"Bolt"_s)
            Child<QLineEdit>(receive, u"quantityEdit"_s)->setText(u"2"_s);
        Click(receive, u"okButton"_s);
    };
    prompter.answer({false});
    WhenModalOpens([&](QDialog& automated) {
        EXPECT_EQ(Child<RecordPicker>(automated, u"poBox"_s)->currentId(), po);
        WhenModalOpens(step);
        Click(automated, u"okButton"_s);
    });
    window().action(C::AutoReceive)->trigger();
    EXPECT_EQ(received, (QStringList{u"Nut"_s, u"Bolt"_s, u"Washer"_s}));
    EXPECT_EQ(build.rows("Order"), 0);
    EXPECT_EQ(build.read<CItemsRec>(nut).Stocked, 10);
    EXPECT_EQ(build.read<CItemsRec>(bolt).Stocked, 2);
    EXPECT_EQ(build.read<CItemsRec>(bolt).Ordered, 0);
    EXPECT_EQ(build.read<CItemsRec>(washer).Stocked, 3);
    EXPECT_EQ(stock.list().count(), 4);
}

TEST_F(PurchasingWindows, PurgeTakesFilledPurchaseOrdersAndTheOpenListFollows)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 filled = build.po(5000, acme, day(1997, 3, 1));
    ASSERT_TRUE(build.receive(build.orderLine(nut, filled, 10), 10));
    build.change<CPORec>(filled, [](CPORec& rec) { rec.Filled = true; });
    const qint32 open = build.po(5001, acme, day(1997, 3, 2));
    build.orderLine(nut, open, 3);
    launch();
    RecordListView& orders = show(ListingKind::PurchaseOrders);
    ASSERT_EQ(orders.list().count(), 2);

    prompter.answer({true});
    WhenModalOpens([&](QDialog& purge) {
        EXPECT_EQ(purge.windowTitle(), u"Purge Data"_s);
        Child<QCheckBox>(purge, u"posBox"_s)->setChecked(true);
        Child<QCheckBox>(purge, u"invoicesBox"_s)->setChecked(false);
        Child<QLineEdit>(purge, u"dateEdit"_s)->setText(u"12/31/1997"_s);
        Click(purge, u"okButton"_s);
    });
    window().action(C::Purge)->trigger();
    ASSERT_EQ(orders.list().count(), 1);
    EXPECT_EQ(orders.list().recordId(0), open);
    // The lot stays, and so do the nut's totals.
    EXPECT_EQ(build.rows("Stock"), 1);
    EXPECT_EQ(build.read<CItemsRec>(nut).Stocked, 10);
    EXPECT_EQ(build.read<CItemsRec>(nut).Ordered, 3);
}

} // namespace
