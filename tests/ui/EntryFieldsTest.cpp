#include "ui/common/DateEdit.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/MoneyEdit.h"
#include "ui/common/RecordPicker.h"
#include "ui/common/WholeNumberEdit.h"

#include "core/common/Clock.h"
#include "core/common/RecordIds.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

void LoseFocus(QWidget& field, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(&field, &out);
}

TEST(MoneyEdit, ReadsEveryChangeAndWritesTheCurrencyFormatWhenTheFocusLeaves)
{
    MoneyEdit edit(nullptr, kUs);
    edit.setText(u"1234.5"_s);
    ASSERT_TRUE(edit.value());
    EXPECT_EQ(*edit.value(), Money::fromWhole(1234, 5000));
    LoseFocus(edit, Qt::PopupFocusReason);
    EXPECT_EQ(edit.text(), u"1234.5"_s);
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"$1,234.50"_s);

    edit.setText(u"(3.125)"_s);
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"-$3.125"_s);
    EXPECT_EQ(*edit.value(), -Money::fromWhole(3, 1250));

    // What is not an amount stays for the dialog to refuse.
    edit.setText(u"12x"_s);
    EXPECT_FALSE(edit.value());
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"12x"_s);
}

TEST(DateEdit, StartsTodayAndWritesTheShortFormatWhenTheFocusLeaves)
{
    const FixedClock clock(QDateTime(QDate(2024, 5, 6), QTime(15, 30)));
    DateEdit edit(clock, nullptr, kUs);
    EXPECT_EQ(edit.date(), DateTime::fromDate(QDate(2024, 5, 6)));
    EXPECT_EQ(edit.text(), DateTime::fromDate(QDate(2024, 5, 6)).formatShortDate(kUs));

    edit.setText(u"2023-12-31"_s);
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), DateTime::fromDate(QDate(2023, 12, 31)).formatShortDate(kUs));

    edit.setText(u"31st of never"_s);
    EXPECT_FALSE(edit.date().isValid());
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"31st of never"_s);
}

TEST(WholeNumberEdit, TakesDigitsOnly)
{
    WholeNumberEdit edit;
    QTest::keyClicks(&edit, u"0a1-2 +3.4"_s);
    edit.insert(u"\u0663"_s); // another script's three
    EXPECT_EQ(edit.text(), u"01234"_s);
    EXPECT_EQ(edit.value(), 1234);
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"1234"_s);

    // Too large for a record field: kept as typed, read as nothing.
    edit.setText(u"99999999999"_s);
    EXPECT_FALSE(edit.value());
    LoseFocus(edit);
    EXPECT_EQ(edit.text(), u"99999999999"_s);
}

TEST(FocusRefused, GivesTheFieldTheFocusWithItsWholeTextSelected)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* amount = new MoneyEdit(&dialog, kUs);
    auto* quantity = new WholeNumberEdit(&dialog);
    auto* picker = new RecordPicker(RecordPicker::Kind::Item, &dialog);
    layout->addWidget(amount);
    layout->addWidget(quantity);
    layout->addWidget(picker);
    amount->setText(u"12x"_s);
    quantity->setText(u"40"_s);
    picker->setEntries({PickerEntryText(u"Hammer"_s, 3)}, 3);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    FocusRefused(amount);
    EXPECT_EQ(dialog.focusWidget(), amount);
    EXPECT_EQ(amount->selectedText(), u"12x"_s);
    FocusRefused(picker);
    EXPECT_TRUE(dialog.focusWidget() == picker || dialog.focusWidget() == picker->lineEdit());
    EXPECT_EQ(picker->lineEdit()->selectedText(), u"Hammer"_s);
    FocusRefused(nullptr);
}

} // namespace
