#include "ui/records/FindRecordDialog.h"
#include "ui/records/FindRecordButton.h"

#include "ui/common/RecordPicker.h"

#include "ProjectBuilder.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Shop
{
    TempProject project;
    ProjectBuilder build{project};
    ScriptedPrompter prompter;
    qint32 acme = build.vendor(u"Acme"_s, u"V-9"_s);
    qint32 hammer = build.item({.name = u"Hammer"_s, .vendor1 = acme});
    qint32 saw = build.item({.name = u"Saw"_s, .vendor1 = acme});
};

TEST(FindRecordDialog, FindsAnItemByNumberOrIdAndKeepsTheFocusInTheTextOnAMiss)
{
    Shop shop;
    FindRecordDialog dialog(shop.project.tables(), shop.prompter, FindRecordModel::Kind::Item);
    EXPECT_EQ(dialog.windowTitle(), u"Find Item"_s);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.focusWidget(), dialog.textEdit());

    dialog.numberButton()->setChecked(true);
    QTest::keyClicks(dialog.textEdit(), u"HAM-2"_s);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(shop.prompter.texts(), QStringList{u"Unable to find item with Number 'HAM-2'."_s});
    EXPECT_EQ(dialog.focusWidget(), dialog.textEdit());
    EXPECT_EQ(dialog.textEdit()->selectedText(), u"HAM-2"_s);

    // Typing replaces the selected text.
    QTest::keyClicks(dialog.textEdit(), u"SAW-1"_s);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.foundId(), shop.saw);

    FindRecordDialog byId(shop.project.tables(), shop.prompter, FindRecordModel::Kind::Item);
    byId.idButton()->setChecked(true);
    byId.textEdit()->setText(u"%1"_s.arg(shop.hammer));
    byId.okButton()->click();
    EXPECT_EQ(byId.result(), QDialog::Accepted);
    EXPECT_EQ(byId.foundId(), shop.hammer);

    FindRecordDialog vendor(shop.project.tables(), shop.prompter, FindRecordModel::Kind::Vendor);
    EXPECT_EQ(vendor.windowTitle(), u"Find Vendor"_s);
    vendor.textEdit()->setText(u"99"_s);
    vendor.okButton()->click();
    EXPECT_EQ(vendor.result(), QDialog::Rejected);
    EXPECT_EQ(shop.prompter.lastText(), u"Unable to find vendor with ID '000099'."_s);
}

TEST(FindRecordDialog, TheButtonBesideAPickerHasThePickerSelectTheRecordFound)
{
    Shop shop;
    QWidget window;
    auto* picker = new RecordPicker(RecordPicker::Kind::Item, &window);
    picker->reload(shop.project.tables(), shop.hammer);
    QPushButton* find = AddFindButton(*picker, shop.project.tables(), shop.prompter);
    ASSERT_EQ(find->parentWidget(), &window);
    // An item added after the picker was filled is found and selected all the same.
    const qint32 drill = shop.build.item({.name = u"Drill"_s, .vendor1 = shop.acme});
    QSignalSpy changes(picker, &RecordPicker::selectionChanged);

    const auto answer = [](const QString& number, bool ok) {
        QTimer::singleShot(0, [number, ok] {
            auto* dialog = dynamic_cast<FindRecordDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->numberButton()->setChecked(true);
            dialog->textEdit()->setText(number);
            if (ok)
                dialog->okButton()->click();
            else
                dialog->reject();
        });
    };
    answer(u"DRI-1"_s, false);
    find->click();
    EXPECT_EQ(picker->currentId(), shop.hammer);
    answer(u"DRI-1"_s, true);
    find->click();
    EXPECT_EQ(picker->currentId(), drill);
    EXPECT_EQ(picker->currentText(), u"Drill"_s);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), drill);
}

} // namespace
