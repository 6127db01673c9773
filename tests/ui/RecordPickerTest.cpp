#include "ui/common/RecordPicker.h"

#include "core/common/RecordIds.h"

#include "ProjectBuilder.h"
#include "TempProject.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QStringList kVendors{PickerEntryText(u"Acme Tools"_s, 12), PickerEntryText(u"Bolt & Nut #2"_s, 7),
                           PickerEntryText(u"Carbon Works"_s, 31)};

// Every text a view can show of a row.
QStringList ShownTexts(const QAbstractItemModel& model, int row)
{
    QStringList texts;
    for (int role : {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Qt::StatusTipRole, Qt::WhatsThisRole})
        texts.append(model.data(model.index(row, 0), role).toString());
    return texts;
}

QList<qint32> Ids(const QSignalSpy& spy)
{
    QList<qint32> ids;
    for (const QList<QVariant>& call : spy)
        ids.append(call.at(0).toInt());
    return ids;
}

TEST(RecordPicker, ShowsOnlyTheVisibleTextEvenInAWidePopupAndKeepsTheIdAsItemData)
{
    RecordPicker picker(RecordPicker::Kind::Vendor);
    QAbstractItemModelTester tester(const_cast<RecordPickerModel*>(&picker.entries()));
    picker.setEntries(kVendors, 7);
    picker.view()->setMinimumWidth(4000);
    picker.resize(4000, picker.sizeHint().height());
    picker.show();
    picker.showPopup();

    const QStringList visible{u"Acme Tools"_s, u"Bolt & Nut #2"_s, u"Carbon Works"_s};
    const QList<qint32> ids{12, 7, 31};
    ASSERT_EQ(picker.count(), 3);
    for (int row = 0; row < picker.count(); ++row) {
        EXPECT_EQ(picker.itemText(row), visible.at(row));
        EXPECT_EQ(picker.itemData(row).toInt(), ids.at(row));
        for (const QString& shown : ShownTexts(*picker.view()->model(), row)) {
            EXPECT_FALSE(shown.contains(FormatRecordId(ids.at(row)))) << shown.toStdString();
            EXPECT_FALSE(shown.endsWith(u' ')) << shown.toStdString();
        }
    }
    EXPECT_EQ(picker.currentText(), u"Bolt & Nut #2"_s);
    EXPECT_EQ(picker.lineEdit()->text(), u"Bolt & Nut #2"_s);
}

TEST(RecordPicker, ReadsTheIdAfterTheLastBlankOrHashAndShowsWhatComesBefore)
{
    RecordPickerModel model;
    model.setEntries({PickerEntryText(u"Low"_s, std::numeric_limits<qint32>::min()),
                      PickerEntryText(u"High"_s, std::numeric_limits<qint32>::max()), u"Signed  +15"_s,
                      u"Padded   00000000042"_s, u"Too big  2147483648"_s, u"Not digits  12a"_s,
                      u"Ends in a blank "_s, CustomerEntryText(u"Doe, Jane  "_s, 9), u"-"_s});
    const QList<qint32> ids{std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max(),
                            15,
                            42,
                            NoSelection,
                            NoSelection,
                            NoSelection,
                            9,
                            NoSelection};
    const QStringList shown{u"Low"_s,
                            u"High"_s,
                            u"Signed"_s,
                            u"Padded"_s,
                            u"Too big  2147483648"_s,
                            u"Not digits  12a"_s,
                            u"Ends in a blank "_s,
                            u"Doe, Jane"_s,
                            u"-"_s};
    ASSERT_EQ(model.ids(), ids);
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_EQ(model.textAt(row), shown.at(row)) << row;
}

TEST(RecordPicker, TellsThePickedIdOncePerUserChangeAndNothingWhenTheDialogSelects)
{
    RecordPicker picker(RecordPicker::Kind::Vendor);
    QLabel linked;
    picker.setLinkedIdField(&linked);
    QSignalSpy changes(&picker, &RecordPicker::selectionChanged);

    picker.setEntries(kVendors, 7);
    EXPECT_EQ(picker.currentId(), 7);
    EXPECT_EQ(linked.text(), u"000007"_s);
    EXPECT_TRUE(picker.selectId(31));
    EXPECT_FALSE(picker.selectId(99));
    EXPECT_EQ(picker.currentId(), NoSelection);
    EXPECT_EQ(linked.text(), QString());
    picker.setEntries(kVendors, 12);
    EXPECT_EQ(changes.count(), 0);

    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_TRUE(picker.chooseId(31));
    EXPECT_TRUE(picker.chooseId(31));
    EXPECT_FALSE(picker.chooseId(99));
    EXPECT_EQ(Ids(changes), (QList<qint32>{7, 31}));
    EXPECT_EQ(linked.text(), u"000031"_s);

    // An ID no entry carries selects nothing, except in the purchase-order picker,
    // which selects its last entry after every fill.
    picker.setEntries(kVendors, 99);
    EXPECT_EQ(picker.currentId(), NoSelection);
    RecordPicker orders(RecordPicker::Kind::PurchaseOrder);
    orders.setEntries({PickerEntryText(u"000100"_s, 1), PickerEntryText(u"000101"_s, 2)});
    EXPECT_EQ(orders.currentId(), 2);
    EXPECT_EQ(orders.currentText(), u"000101"_s);
    orders.setEntries({PickerEntryText(u"000100"_s, 1), PickerEntryText(u"000101"_s, 2)}, 1);
    EXPECT_EQ(orders.currentId(), 1);
    EXPECT_EQ(changes.count(), 2);
}

TEST(RecordPicker, TypingPartOfANameNarrowsTheChoicesAndPickingOneSelectsIt)
{
    QWidget window;
    auto* picker = new RecordPicker(RecordPicker::Kind::Vendor, &window);
    auto* other = new QLineEdit(&window);
    other->move(0, 60);
    picker->setEntries(kVendors + QStringList{PickerEntryText(u"Nutmeg Farms"_s, 40)}, 12);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy changes(picker, &RecordPicker::selectionChanged);

    picker->setFocus();
    picker->lineEdit()->selectAll();
    QTest::keyClicks(picker->lineEdit(), u"NUT"_s);
    QAbstractItemModel* choices = picker->completer()->completionModel();
    ASSERT_EQ(choices->rowCount(), 2);
    EXPECT_EQ(choices->index(0, 0).data().toString(), u"Bolt & Nut #2"_s);
    EXPECT_EQ(choices->index(1, 0).data().toString(), u"Nutmeg Farms"_s);
    EXPECT_EQ(changes.count(), 0);

    QAbstractItemView* popup = picker->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    popup->setCurrentIndex(choices->index(1, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(picker->currentId(), 40);
    EXPECT_EQ(Ids(changes), QList<qint32>{40});

    // Text that picked nothing gives way to the selection when the focus leaves.
    picker->setFocus();
    picker->lineEdit()->setText(u"zzz"_s);
    other->setFocus();
    EXPECT_EQ(picker->lineEdit()->text(), u"Nutmeg Farms"_s);
    EXPECT_EQ(changes.count(), 1);
}

TEST(RecordPicker, ReloadsFromTheProjectKeepingTheSelectedRecord)
{
    TempProject project;
    ASSERT_TRUE(project.isValid());
    ProjectBuilder build(project);
    const qint32 acme = build.vendor(u"Acme"_s);
    const qint32 bolt = build.vendor(u"Bolt"_s);
    const qint32 hammer = build.item({.name = u"Hammer"_s, .vendor1 = acme});
    build.po(500, acme);
    const qint32 laterPO = build.po(501, bolt);
    build.customer(u"Deli"_s, u"Doe"_s, u"Jane"_s);

    RecordPicker vendors(RecordPicker::Kind::Vendor);
    vendors.reload(project.tables(), bolt);
    EXPECT_EQ(vendors.currentText(), u"Bolt"_s);
    const qint32 cargo = build.vendor(u"Cargo"_s);
    vendors.reload(project.tables());
    EXPECT_EQ(vendors.count(), 3);
    EXPECT_EQ(vendors.currentId(), bolt);
    EXPECT_EQ(vendors.itemData(2).toInt(), cargo);

    RecordPicker items(RecordPicker::Kind::Item);
    items.reload(project.tables(), hammer);
    EXPECT_EQ(items.currentText(), u"Hammer"_s);

    RecordPicker orders(RecordPicker::Kind::PurchaseOrder);
    orders.reload(project.tables());
    EXPECT_EQ(orders.currentId(), laterPO);
    EXPECT_EQ(orders.currentText(), u"000501"_s);

    // The customer entries end in "#id" behind the blanks.
    RecordPicker customers(RecordPicker::Kind::Customer);
    customers.reload(project.tables());
    ASSERT_EQ(customers.count(), 1);
    EXPECT_EQ(customers.itemText(0), u"Deli   Doe, Jane"_s);
}

} // namespace
