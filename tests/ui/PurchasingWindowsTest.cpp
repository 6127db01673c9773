#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/purchasing/ManagePODialog.h"
#include "ui/purchasing/PurchasingHub.h"

#include "core/sales/ProjectConsistency.h"
#include "core/views/RecordLists.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

// What Manage Purchase Orders, Edit Order Entry and the automated recording add to
// the purchasing engine: which window opens on what, the messages, the controls
// they grey, and the lists following. Stock, order and fill figures are the
// engine's tests'; one figure here shows that an operation ran.
namespace {

using C = MainWindow::Command;

QString Shown(const QWidget& window, const QString& label)
{
    return Child<QLabel>(window, label)->text();
}

// Makes the line of the order `key` (an ID) or of the item `key` (a name) the current one.
bool ChooseLine(QTreeView& list, const QVariant& key)
{
    const QAbstractItemModel& model = *list.model();
    for (int i = 0; i < model.rowCount(); ++i) {
        const QModelIndex cell = model.index(i, 0);
        if (key.typeId() == QMetaType::QString ? cell.data() == key
                                               : cell.data(Qt::UserRole).toInt() == key.toInt()) {
            list.setCurrentIndex(cell);
            return true;
        }
    }
    return false;
}

// An item's Stocked and Ordered as the item list shows them.
QStringList Figures(const RecordList& items, qint32 item)
{
    const qsizetype row = items.positionOfRecord(item);
    return row < 0 ? QStringList() : QStringList{items.cellText(row, 5), items.cellText(row, 6)};
}

class PurchasingWindows : public DesktopFixture
{
protected:
    PurchasingWindows() : DesktopFixture(QDate(2026, 3, 2)) {}
    void TearDown() override
    {
        DesktopFixture::TearDown();
        const ConsistencyReport report = CheckProjectConsistency(tables());
        EXPECT_EQ(report.stock, QStringList());
        EXPECT_EQ(report.chains, QStringList());
    }
    RecordListView& show(ListingKind kind) { return ShowList(window(), kind); }
    ProjectTables& tables() { return project.tables(); }

    DesktopServices services{prompter, files, clock};
};

TEST_F(PurchasingWindows, ManagePOShowsItsLinesTogglesFilledDeletesALineAndKeepsItsColumnWidthsAcrossARestart)
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
    const qint32 boltLine = build.orderLine(bolt, po, 3);
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
        EXPECT_EQ(lines->model()->rowCount(), 2);
        // Amounts stand right, texts left.
        EXPECT_TRUE(lines->model()->index(0, 5).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_FALSE(lines->model()->index(0, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_TRUE(lines->model()->headerData(5, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                    Qt::AlignRight);
        EXPECT_EQ(lines->header()->sectionSize(4), 120); // the default before anything was kept
        EXPECT_TRUE(Enabled(dialog, u"viewPOButton"_s));
        EXPECT_TRUE(Enabled(dialog, u"viewDetailsButton"_s));

        // A filled purchase order is reopened at once; marking it filled asks for the date.
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Not Filled"_s);
        Click(dialog, u"fillButton"_s);
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Filled"_s);
        EXPECT_EQ(Shown(dialog, u"filledText"_s), u"No"_s);
        EXPECT_TRUE(model.changes().contains(ListingKind::PurchaseOrders, po));
        WhenModalOpens(u"Mark PO Filll Date"_s, [](QDialog& fill) {
            EXPECT_EQ(Text(fill, u"dateEdit"_s), day(2026, 3, 2).formatShortDate(UserLocale()));
            Type(fill, u"dateEdit"_s, u"soon"_s);
            Click(fill, u"okButton"_s);
            ExpectFocusOn(fill, u"dateEdit"_s, u"soon"_s);
            Type(fill, u"dateEdit"_s, u"3/25/1997"_s);
            Click(fill, u"okButton"_s);
        });
        Click(dialog, u"fillButton"_s);
        EXPECT_EQ(build.read<CPORec>(po).FilledDate, day(1997, 3, 25));
        EXPECT_EQ(dialog.fillButton()->text(), u"Mark as Not Filled"_s);
        EXPECT_NE(Shown(dialog, u"filledText"_s), u"No"_s);

        // Del needs a line; No keeps it, Yes removes it.
        Click(dialog, u"deleteButton"_s);
        EXPECT_EQ(prompter.lastText(),
                  u"You must select an entry in the list before performing this operation."_s);
        ASSERT_TRUE(ChooseLine(*lines, boltLine));
        for (const bool yes : {false, true}) {
            prompter.answer({yes});
            Click(dialog, u"deleteButton"_s);
            EXPECT_EQ(prompter.lastText(), u"Are you sure you wish to delete this order from the PO?"_s);
            EXPECT_EQ(lines->model()->rowCount(), yes ? 1 : 2);
        }
        EXPECT_TRUE(model.changes().contains(ListingKind::Items, bolt));
        // Something was received on the nut's line: refused, nothing asked.
        ASSERT_TRUE(ChooseLine(*lines, nutLine));
        Click(dialog, u"deleteButton"_s);
        EXPECT_FALSE(prompter.log().constLast().question);
        EXPECT_TRUE(prompter.lastText().startsWith(u"This order has already been received."_s));
        EXPECT_EQ(lines->model()->rowCount(), 1);

        // Choosing the other purchase order shows its one line.
        Child<RecordPicker>(dialog, u"poBox"_s)->chooseId(older);
        EXPECT_EQ(lines->model()->rowCount(), 1);

        lines->header()->resizeSection(2, 77);
        lines->header()->resizeSection(5, 140);
        Click(dialog, u"closeButton"_s);
        EXPECT_FALSE(dialog.isVisible());
    }

    // A restart: another settings object over the same file.
    UserSettings restarted(home.filePath(u"user.ini"_s));
    ManagePOModel model(tables(), prompter);
    ManagePODialog dialog(model, tables(), services, restarted);
    const QHeaderView& header = *dialog.lineList()->header();
    EXPECT_EQ((QList<int>{header.sectionSize(2), header.sectionSize(5), header.sectionSize(0)}),
              (QList<int>{77, 140, 100}));
    EXPECT_EQ(prompter.log().size(), 5); // nothing more than the above
}

TEST_F(PurchasingWindows, AutomatedOrderRecordingShowsItsModeAndTellsWhenThereIsNothingToDo)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({.name = u"Nut"_s, .vendor1 = acme, .stocked = 9, .reorderLevel = 2});
    const qint32 older = build.po(5000, acme);
    build.po(5001, acme);

    // Cancel runs nothing.
    WhenModalOpens(u"Automated Order Recording"_s, [](QDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(RunAutoOrder(nullptr, tables(), services, AutoOrderModel::Mode::Order).isEmpty());
    EXPECT_TRUE(prompter.log().isEmpty());

    // Ordering offers New PO, receiving does not; the purchase order given is the one chosen.
    for (const auto mode : {AutoOrderModel::Mode::Order, AutoOrderModel::Mode::Receive}) {
        const bool ordering = mode == AutoOrderModel::Mode::Order;
        WhenModalOpens([&](QDialog& dialog) {
            EXPECT_TRUE(
                Shown(dialog, u"helpText"_s).contains(ordering ? u"reorder quantity"_s : u"thereceival"_s));
            EXPECT_EQ(Enabled(dialog, u"newPOButton"_s), ordering);
            EXPECT_EQ(Child<RecordPicker>(dialog, u"poBox"_s)->currentId(), older);
            Click(dialog, u"okButton"_s);
        });
        EXPECT_TRUE(RunAutoOrder(nullptr, tables(), services, mode, older).isEmpty());
    }
    EXPECT_EQ(prompter.texts(), (QStringList{u"No items for this vendor require ordering."_s,
                                             u"This command requires existing orders in the database."_s}));
}

TEST_F(PurchasingWindows, ThePurchasingCommandsNeedAListAndModifyOpensTheRowsPurchaseOrder)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    build.item({.name = u"Nut"_s, .vendor1 = acme});
    const qint32 first = build.po(5000, acme);
    build.po(5001, acme);
    launch();

    show(ListingKind::Items);
    for (const int command :
         {C::RecordOrder, C::RecordReceived, C::AutoOrder, C::AutoReceive, C::Purge, C::ManagePurchaseOrders})
        EXPECT_TRUE(window().action(command)->isEnabled()) << command;
    for (const ListingKind kind : {ListingKind::Items, ListingKind::PurchaseOrders, ListingKind::Stock}) {
        const QList<QAction*> popUp = window().contextMenu(kind)->actions();
        EXPECT_TRUE(popUp.contains(window().action(C::RecordReceived)) ||
                    popUp.contains(window().action(C::RecordOrder)))
            << static_cast<int>(kind);
    }

    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    {
        const NoModalMayOpen guard;
        window().action(C::RecordOrder)->trigger();
    }
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);

    // Modify on the purchase-order list, and Manage > Purchase Orders while it
    // shows, open on the row's purchase order, not the newest one.
    ASSERT_TRUE(show(ListingKind::PurchaseOrders).selectByRecordID(first));
    for (const int command : {C::RecordModify, C::ManagePurchaseOrders}) {
        qint32 shown = NoSelection;
        WhenModalOpens(u"Manage Purchase Orders"_s, [&](QDialog& dialog) {
            shown = Child<RecordPicker>(dialog, u"poBox"_s)->currentId();
            Click(dialog, u"closeButton"_s);
        });
        window().action(command)->trigger();
        EXPECT_EQ(shown, first) << command;
    }
    EXPECT_EQ(prompter.log().size(), 1);
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

    // Record Order from the item list starts on the item; New PO raises the
    // purchase order, "&Next >>" keeps the window for the second line.
    qint32 po = NoSelection;
    WhenModalOpens(u"Record Order"_s, [&](QDialog& order) {
        EXPECT_EQ(Child<RecordPicker>(order, u"itemBox"_s)->currentId(), nut);
        WhenModalOpens(u"New Purchase Order"_s, [&](QDialog& newPO) { Click(newPO, u"okButton"_s); });
        Click(order, u"newPOButton"_s);
        po = Child<RecordPicker>(order, u"poBox"_s)->currentId();
        Click(order, u"nextButton"_s);
        EXPECT_TRUE(order.isVisible());
        Child<RecordPicker>(order, u"itemBox"_s)->chooseId(bolt);
        Click(order, u"okButton"_s);
    });
    window().action(C::RecordOrder)->trigger();
    ASSERT_NE(po, NoSelection);
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"0"_s, u"10"_s}));
    EXPECT_EQ(Figures(itemList, bolt), (QStringList{u"0"_s, u"5"_s}));
    EXPECT_EQ(items.selectedRecordID(), bolt);
    EXPECT_GE(app->lists().list(ListingKind::PurchaseOrders).positionOfRecord(po), 0);

    // Four nuts arrive and the rest stays on backorder; the stock list selects the new lot.
    RecordListView& stock = show(ListingKind::Stock);
    EXPECT_EQ(stock.list().count(), 0);
    prompter.answer({true});
    WhenModalOpens(u"Record Received Order"_s, [&](QDialog& receive) {
        EXPECT_EQ(Child<RecordPicker>(receive, u"poBox"_s)->currentId(), po);
        EXPECT_EQ(Child<QComboBox>(receive, u"orderBox"_s)->currentText(), u"Nut"_s);
        Child<QLineEdit>(receive, u"quantityEdit"_s)->setText(u"4"_s);
        Click(receive, u"okButton"_s);
    });
    window().action(C::RecordReceived)->trigger();
    EXPECT_TRUE(prompter.lastText().startsWith(u"The full order was not received."_s));
    ASSERT_EQ(stock.list().count(), 1);
    EXPECT_EQ(stock.selectedRecordID(), stock.list().recordId(0));
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"4"_s, u"6"_s}));

    // In Manage Purchase Orders, Edit Order Entry on the nut's line: the original
    // order cannot be rewritten, the rest is received on that line, and the
    // receipts are taken back out of stock after a Yes.
    ASSERT_TRUE(show(ListingKind::PurchaseOrders).selectByRecordID(po));
    WhenModalOpens(u"Manage Purchase Orders"_s, [&](QDialog& manage) {
        auto* lines = Child<QTreeView>(manage, u"lineList"_s);
        ASSERT_TRUE(ChooseLine(*lines, u"Nut"_s));
        WhenModalOpens(u"Edit Order Entry"_s, [&](QDialog& entry) {
            EXPECT_EQ((QStringList{Shown(entry, u"itemText"_s), Shown(entry, u"poNumberText"_s),
                                   Shown(entry, u"orderedText"_s), Shown(entry, u"receivedText"_s)}),
                      (QStringList{u"Nut"_s, u"005000"_s, u"10"_s, u"4"_s}));
            Click(entry, u"modifyButton"_s);
            EXPECT_TRUE(prompter.lastText().contains(u"Unable to modify the original order."_s));
            WhenModalOpens(u"Record Received Order"_s, [&](QDialog& receive) {
                EXPECT_FALSE(Enabled(receive, u"orderBox"_s));
                EXPECT_FALSE(Enabled(receive, u"nextButton"_s));
                EXPECT_EQ(Child<QLineEdit>(receive, u"quantityEdit"_s)->text(), u"6"_s);
                Click(receive, u"okButton"_s);
            });
            Click(entry, u"receiveButton"_s);
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"10"_s);
            Click(entry, u"undoButton"_s); // No
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"10"_s);
            prompter.answer({true});
            Click(entry, u"undoButton"_s);
            EXPECT_EQ(Shown(entry, u"receivedText"_s), u"0"_s);
            Click(entry, u"doneButton"_s);
        });
        Click(manage, u"editButton"_s);
        ASSERT_TRUE(ChooseLine(*lines, u"Nut"_s));
        const QModelIndex line = lines->currentIndex();
        EXPECT_EQ((QStringList{line.siblingAtColumn(3).data().toString(),
                               line.siblingAtColumn(4).data().toString()}),
                  (QStringList{u"0"_s, u"-"_s}));
        Click(manage, u"closeButton"_s);
    });
    window().action(C::ManagePurchaseOrders)->trigger();
    EXPECT_EQ(Figures(itemList, nut), (QStringList{u"0"_s, u"10"_s}));
    EXPECT_EQ(app->lists().list(ListingKind::Stock).count(), 0);
}

TEST_F(PurchasingWindows, AutoOrderOpensOneRecordOrderPerProposalAndGoesOnPastACancelledOne)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 nut = build.item(
        {.name = u"Nut"_s, .vendor1 = acme, .stocked = 3, .reorderQuantity = 10, .reorderLevel = 3});
    const qint32 bolt =
        build.item({.name = u"Bolt"_s, .vendor1 = acme, .reorderQuantity = 5, .reorderLevel = 1});
    const qint32 po = build.po(5000, acme);
    launch();
    RecordListView& items = show(ListingKind::Items);

    QList<qint32> proposed;
    WhenModalOpens([&](QDialog& automated) {
        EXPECT_EQ(Child<RecordPicker>(automated, u"poBox"_s)->currentId(), po);
        WhenModalOpens([&](QDialog& first) {
            proposed.append(Child<RecordPicker>(first, u"itemBox"_s)->currentId());
            EXPECT_FALSE(Enabled(first, u"itemBox"_s));
            EXPECT_FALSE(Enabled(first, u"nextButton"_s));
            EXPECT_EQ(Child<QLineEdit>(first, u"quantityEdit"_s)->text(), u"10"_s);
            WhenModalOpens([&](QDialog& second) {
                proposed.append(Child<RecordPicker>(second, u"itemBox"_s)->currentId());
                Click(second, u"okButton"_s);
            });
            first.reject();
        });
        Click(automated, u"okButton"_s);
    });
    window().action(C::AutoOrder)->trigger();
    EXPECT_EQ(proposed, (QList<qint32>{nut, bolt}));
    EXPECT_EQ(Figures(items.list(), nut), (QStringList{u"3"_s, u"0"_s}));
    EXPECT_EQ(Figures(items.list(), bolt), (QStringList{u"0"_s, u"5"_s}));
    EXPECT_EQ(items.selectedRecordID(), bolt);
}

TEST_F(PurchasingWindows, AutoReceiveOfTwoLinesAndABackorderOpensThreeFixedReceipts)
{
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 po = build.po(5000, acme);
    ASSERT_TRUE(build.receive(build.orderLine(build.item({.name = u"Nut"_s, .vendor1 = acme}), po, 10), 4));
    const qint32 bolt = build.item({.name = u"Bolt"_s, .vendor1 = acme});
    build.orderLine(bolt, po, 5);
    build.orderLine(build.item({.name = u"Washer"_s, .vendor1 = acme}), po, 3);
    build.po(5001, acme);
    launch();
    RecordListView& stock = show(ListingKind::Stock);
    ASSERT_EQ(stock.list().count(), 1);

    // Each step fixes the purchase order and its line; the bolt comes in part,
    // and its remainder is dropped.
    QStringList received;
    std::function<void(QDialog&)> step = [&](QDialog& receive) {
        for (const QString& fixed : {u"poBox"_s, u"orderBox"_s, u"nextButton"_s})
            EXPECT_FALSE(Enabled(receive, fixed)) << fixed.toStdString();
        EXPECT_EQ(Child<RecordPicker>(receive, u"poBox"_s)->currentId(), po);
        received.append(Child<QComboBox>(receive, u"orderBox"_s)->currentText());
        if (received.size() < 3)
            WhenModalOpens(step);
        if (received.constLast() == u"Bolt"_s)
            Child<QLineEdit>(receive, u"quantityEdit"_s)->setText(u"2"_s);
        Click(receive, u"okButton"_s);
    };
    prompter.answer({false});
    WhenModalOpens([&](QDialog& automated) {
        Child<RecordPicker>(automated, u"poBox"_s)->chooseId(po); // not the newest
        WhenModalOpens(step);
        Click(automated, u"okButton"_s);
    });
    window().action(C::AutoReceive)->trigger();
    EXPECT_EQ(received, (QStringList{u"Nut"_s, u"Bolt"_s, u"Washer"_s}));
    EXPECT_EQ(build.read<CItemsRec>(bolt).Stocked, 2);
    EXPECT_EQ(stock.list().count(), 4);
}

// What is purged, and what stays, is the engine's (its purge tests); the window
// refuses a bad date at its field, asks once, restores the cursor, and the open
// list follows.
TEST_F(PurchasingWindows, PurgeRefusesABadDateAtItsFieldThenAsksAndTheOpenListFollows)
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

    WhenModalOpens(u"Purge Data"_s, [&](QDialog& purge) {
        Child<QCheckBox>(purge, u"posBox"_s)->setChecked(true);
        Child<QCheckBox>(purge, u"invoicesBox"_s)->setChecked(false);
        Type(purge, u"dateEdit"_s, u"12/32/1997"_s);
        Click(purge, u"okButton"_s);
        ExpectFocusOn(purge, u"dateEdit"_s, u"12/32/1997"_s);
        EXPECT_EQ(build.rows("PO"), 2);
        Type(purge, u"dateEdit"_s, u"12/31/1997"_s);
        prompter.answer({true});
        Click(purge, u"okButton"_s);
    });
    window().action(C::Purge)->trigger();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(prompter.log().size(), 2); // the bad date, then the confirmation
    EXPECT_TRUE(prompter.log().constLast().question);
    ASSERT_EQ(orders.list().count(), 1);
    EXPECT_EQ(orders.list().recordId(0), open);
}

} // namespace
