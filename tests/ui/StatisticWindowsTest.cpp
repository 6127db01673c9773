#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/views/RecordListView.h"

#include "core/common/Money.h"
#include "core/common/UserSettings.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StandardStatistics.h"
#include "core/stats/ViewStatisticsModel.h"

#include "DesktopDriver.h"
#include "FileBytes.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>
#include <QWizard>

#include <gtest/gtest.h>

#include <string>

using namespace Qt::StringLiterals;

namespace {

using C = MainWindow::Command;

// A shop with a stapler (seven on the shelf at $2.50, sold at $10.00 taxed at
// 5 %), four pens, and one invoice of three staplers that cost $2.00 each.
class StatisticWindows : public DesktopFixture
{
protected:
    void SetUp() override
    {
        const qint32 vendor = build.vendor(u"Acme Paper"_s);
        pen = build.item({.name = u"Pen"_s, .vendor1 = vendor, .stocked = 4});
        stapler = build.pricedItem({.name = u"Stapler"_s, .vendor1 = vendor, .stocked = 7, .taxable = true},
                                   Money::fromWhole(10), 5.0f);
        const qint32 customer = build.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        build.sale(stapler, build.invoice(customer, 5000), 3, Money::fromWhole(10), Money::fromWhole(2));
        launch();
    }

    CProjectSettings& statistics() { return *app->project().settings(); }
    QStringList names()
    {
        QStringList all;
        for (const CStatistic& s : statistics().statistics())
            all.append(s.Name);
        return all;
    }
    // What the settings file holds, read afresh.
    QList<CStatistic> stored() { return CProjectSettings(project.path()).statistics(); }
    QByteArray settingsFile() { return FileBytes(project.dir() + u"/test.qms"_s); }

    qint32 pen = NoID;
    qint32 stapler = NoID;
};

// The entry showing `text` chosen, or in a box that can be typed into, that text.
void Choose(const QWidget& window, const QString& box, const QString& text)
{
    Child<QComboBox>(window, box)->setCurrentText(text);
}

// Typed into an editable combo box, as the user does.
void TypeInto(const QWidget& window, const QString& box, const QString& text)
{
    auto* combo = Child<QComboBox>(window, box);
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), text);
}

bool HasFocus(const QWidget& window, const QString& name)
{
    const QWidget* field = Child<QWidget>(window, name);
    // The dialog's own focus child: which window the platform has made active
    // is another matter, and offscreen under load it may not be this one yet.
    const QWidget* focus = window.focusWidget();
    return focus != nullptr && (focus == field || field->isAncestorOf(focus));
}

QStringList ListNames(const QWidget& window)
{
    QStringList shown;
    auto* list = Child<QListWidget>(window, u"statisticList"_s);
    for (int row = 0; row < list->count(); ++row)
        shown.append(list->item(row)->text());
    return shown;
}

// "name = value" a line.
std::string Rows(const QWidget& window)
{
    QStringList shown;
    auto* list = Child<QTreeWidget>(window, u"statisticList"_s);
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        shown.append(list->topLevelItem(row)->text(0) + u" = "_s + list->topLevelItem(row)->text(1));
    return shown.join(u'\n').toStdString();
}

// One statistic in Create Statistic; the operands are typed, as a constant must be.
void Define(QDialog& create, const QString& name, const QString& listing, const QString& left,
            const QString& op, const QString& right)
{
    Type(create, u"nameEdit"_s, name);
    Choose(create, u"listingBox"_s, listing);
    Choose(create, u"operatorBox"_s, op);
    if (!left.isEmpty())
        TypeInto(create, u"leftBox"_s, left);
    TypeInto(create, u"rightBox"_s, right);
}

TEST_F(StatisticWindows, ChainOfThreeIsMadeWithNextAndDeletedWithItsDependants)
{
    WhenModalOpens(u"Manage Statistics"_s, [&](QDialog& manage) {
        EXPECT_FALSE(Enabled(manage, u"modifyButton"_s));
        EXPECT_FALSE(Enabled(manage, u"deleteButton"_s));
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& create) {
            Choose(create, u"listingBox"_s, u"Sales"_s);
            Choose(create, u"operatorBox"_s, u"(SUM)"_s);
            // One operand: no left; a sum off Sales may take dates, one off Items not.
            EXPECT_FALSE(Enabled(create, u"leftBox"_s));
            EXPECT_TRUE(Enabled(create, u"applyDatesCheck"_s));
            Choose(create, u"listingBox"_s, u"Items"_s);
            EXPECT_FALSE(Enabled(create, u"applyDatesCheck"_s));
            EXPECT_FALSE(Enabled(create, u"startEdit"_s));

            Define(create, u"Units"_s, u"Sales"_s, {}, u"(SUM)"_s, u"Quanity"_s);
            Click(create, u"nextButton"_s);
            EXPECT_TRUE(create.isVisible());
            EXPECT_EQ(Text(create, u"nameEdit"_s), QString());
            EXPECT_TRUE(HasFocus(create, u"nameEdit"_s));
            // The statistic just made is offered as an operand.
            EXPECT_GE(Child<QComboBox>(create, u"leftBox"_s)->findText(u"Units"_s), 0);

            Define(create, u"Double"_s, u"Sales"_s, u"Units"_s, u"*"_s, u"2"_s);
            EXPECT_TRUE(Enabled(create, u"leftBox"_s));
            EXPECT_FALSE(Enabled(create, u"applyDatesCheck"_s));
            Click(create, u"nextButton"_s);
            Define(create, u"Triple"_s, u"Sales"_s, u"Double"_s, u"+"_s, u"1"_s);
            Click(create, u"okButton"_s);
            EXPECT_FALSE(create.isVisible());
        });
        Click(manage, u"addButton"_s);
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& create) {
            Define(create, u"Spare"_s, u"Items"_s, u"Stocked"_s, u"*"_s, u"Cost"_s);
            Click(create, u"okButton"_s);
        });
        Click(manage, u"addButton"_s);
        EXPECT_EQ(ListNames(manage), (QStringList{u"Units"_s, u"Double"_s, u"Triple"_s, u"Spare"_s}));

        // The bottom of the chain takes the two above it along.
        Child<QListWidget>(manage, u"statisticList"_s)->setCurrentRow(0);
        EXPECT_TRUE(Enabled(manage, u"deleteButton"_s));
        prompter.answer({true});
        Click(manage, u"deleteButton"_s);
        EXPECT_EQ(ListNames(manage), QStringList{u"Spare"_s});
        // The selected position is kept: the statistic now in it is selected.
        EXPECT_EQ(Child<QListWidget>(manage, u"statisticList"_s)->currentRow(), 0);
        EXPECT_TRUE(Enabled(manage, u"modifyButton"_s));
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageStatistics)->trigger();

    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_TRUE(prompter.log().first().question);
    EXPECT_EQ(prompter.lastText().toStdString(),
              "The following statistics are dependent on 'Units' and will also be deleted:\n\n'Double'\n"
              "'Triple'\n\nAre you sure you wish to delete these statistics?");
    EXPECT_EQ(names(), QStringList{u"Spare"_s});
    const QList<CStatistic> left = stored();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().LeftType, CStatistic::OperandField);
}

// Typed text that is no entry is a constant; an entry is a field or a statistic.
TEST_F(StatisticWindows, OperandsTypedOrChosenKeepTheirKinds)
{
    WhenModalOpens(u"Manage Statistics"_s, [&](QDialog& manage) {
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& create) {
            Define(create, u"Units"_s, u"Sales"_s, {}, u"(SUM)"_s, u"Quanity"_s);
            Click(create, u"nextButton"_s);
            Define(create, u"Half"_s, u"Sales"_s, u"Units"_s, u"/"_s, u"2.5"_s);
            Click(create, u"okButton"_s);
        });
        Click(manage, u"addButton"_s);
        // Modify shows the operands as they were given.
        Child<QListWidget>(manage, u"statisticList"_s)->setCurrentRow(1);
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& modify) {
            EXPECT_EQ(Text(modify, u"nameEdit"_s), u"Half"_s);
            EXPECT_EQ(Child<QComboBox>(modify, u"leftBox"_s)->currentText(), u"Units"_s);
            EXPECT_EQ(Child<QComboBox>(modify, u"rightBox"_s)->currentText(), u"2.5"_s);
            EXPECT_FALSE(Enabled(modify, u"nextButton"_s));
            modify.reject();
        });
        Click(manage, u"modifyButton"_s);
        EXPECT_EQ(Child<QListWidget>(manage, u"statisticList"_s)->currentRow(), 1);
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageStatistics)->trigger();
    const QList<CStatistic> all = stored();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).RightType, CStatistic::OperandField);
    EXPECT_EQ(all.at(0).LeftType, CStatistic::OperandNone);
    EXPECT_EQ(all.at(1).LeftType, CStatistic::OperandStatistic);
    EXPECT_EQ(all.at(1).RightType, CStatistic::OperandConstant);
    EXPECT_EQ(all.at(1).Operator, CStatistic::OpDivide);
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();
}

TEST_F(StatisticWindows, RefusalsKeepTheDialogAndTheFocusAndWriteNothing)
{
    CStatistic units;
    units.Name = u"Units"_s;
    units.Listing = CStatistic::ListingSales;
    units.Operator = CStatistic::OpSum;
    units.RightType = CStatistic::OperandField;
    units.RightOperand = u"Quanity"_s;
    CStatistic twice = units;
    twice.Name = u"Twice"_s;
    twice.LeftType = CStatistic::OperandStatistic;
    twice.LeftOperand = u"Units"_s;
    twice.Operator = CStatistic::OpMultiply;
    twice.RightType = CStatistic::OperandConstant;
    twice.RightOperand = u"2"_s;
    ASSERT_TRUE(statistics().AddStatistic(units));
    ASSERT_TRUE(statistics().AddStatistic(twice));
    const QByteArray before = settingsFile();
    ASSERT_FALSE(before.isEmpty());

    const auto refused = [&](QDialog& dialog, const QString& field, const QString& message) {
        EXPECT_EQ(prompter.lastText(), message);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(HasFocus(dialog, field)) << field.toStdString();
    };
    WhenModalOpens(u"Manage Statistics"_s, [&](QDialog& manage) {
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& create) {
            Click(create, u"okButton"_s);
            refused(create, u"nameEdit"_s, u"Must specify a name for this statistic."_s);
            Define(create, u"Odd"_s, u"Sales"_s, {}, u"+"_s, u"Quanity"_s);
            Click(create, u"okButton"_s);
            refused(create, u"leftBox"_s, u"This operation requires a left operand."_s);
            Choose(create, u"operatorBox"_s, u"(SUM)"_s);
            TypeInto(create, u"rightBox"_s, QString());
            Click(create, u"nextButton"_s);
            refused(create, u"rightBox"_s, u"This operation requires a right operand."_s);
            TypeInto(create, u"rightBox"_s, u"Quanity"_s);
            Child<QCheckBox>(create, u"applyDatesCheck"_s)->setChecked(true);
            Type(create, u"startEdit"_s, u"someday"_s);
            Click(create, u"okButton"_s);
            refused(create, u"startEdit"_s, u"You must specify a valid Start Date and Thru Date."_s);
            create.reject();
        });
        Click(manage, u"addButton"_s);
        // Units may not be made of Twice, which is made of Units.
        Child<QListWidget>(manage, u"statisticList"_s)->setCurrentRow(0);
        WhenModalOpens(u"Create Statistic"_s, [&](QDialog& modify) {
            Choose(modify, u"operatorBox"_s, u"+"_s);
            Choose(modify, u"leftBox"_s, u"Twice"_s);
            TypeInto(modify, u"rightBox"_s, u"1"_s);
            Click(modify, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(), u"Statistic not valid."_s);
            EXPECT_TRUE(modify.isVisible());
            modify.reject();
        });
        Click(manage, u"modifyButton"_s);
        EXPECT_EQ(ListNames(manage), (QStringList{u"Units"_s, u"Twice"_s}));
        Click(manage, u"okButton"_s);
    });
    window().action(C::ManageStatistics)->trigger();
    EXPECT_EQ(prompter.log().size(), 5);
    EXPECT_EQ(settingsFile(), before);

    // The wizard refuses a bad date, then a name in use, and stays on its page.
    WhenModalOpens(u"Statistic Wizard"_s, [&](QDialog& dialog) {
        auto& wizard = static_cast<QWizard&>(dialog);
        wizard.next();
        Child<QCheckBox>(wizard, u"useDatesCheck"_s)->setChecked(true);
        Type(wizard, u"thruEdit"_s, u"13/45/2020"_s);
        wizard.next();
        refused(wizard, u"thruEdit"_s, u"Must specify a valid date."_s);
        EXPECT_EQ(wizard.currentId(), 1);
        Child<QCheckBox>(wizard, u"useDatesCheck"_s)->setChecked(false);
        wizard.next();
        Type(wizard, u"nameEdit"_s, u"Twice"_s);
        wizard.button(QWizard::FinishButton)->click();
        refused(wizard, u"nameEdit"_s,
                u"The name specified is not valid or already being used.\nPlease specify a unique name for "
                u"the statistic."_s);
        EXPECT_EQ(wizard.currentId(), 2);
        wizard.reject();
    });
    window().action(C::StatisticWizard)->trigger();
    EXPECT_EQ(prompter.log().size(), 7);
    EXPECT_EQ(settingsFile(), before);
}

// Each type through the wizard's three pages, chosen after "Turnover" (which
// ticks and locks the date box), then shown by View Statistics.
TEST_F(StatisticWindows, WizardMakesTheTenStandardStatistics)
{
    struct Case
    {
        int type;
        int made; // statistics added, the intermediate ones included
        QString value;
    };
    const Case cases[] = {
        {StandardStatistics::GrossSalesRevenues, 5, FormatCurrency(Money::fromWhole(31, 5000))},
        {StandardStatistics::NetSalesRevenues, 2, FormatCurrency(Money::fromWhole(30))},
        {StandardStatistics::GrossProfit, 3, FormatCurrency(Money::fromWhole(24))},
        {StandardStatistics::ProfitOnSales, 6, u"0.8"_s}, // a ratio of amounts, to four decimals
        {StandardStatistics::CostOfInventory, 2, FormatCurrency(Money::fromWhole(27, 5000))},
        {StandardStatistics::CostOfSold, 2, FormatCurrency(Money::fromWhole(6))},
        {StandardStatistics::AvgCostOfInventory, 5, FormatCurrency(Money::fromWhole(13, 7500))},
        {StandardStatistics::Turnover, 8, u"0.4364"_s},
        {StandardStatistics::SalesTax, 4, FormatCurrency(Money::fromWhole(1, 5000))},
        {StandardStatistics::CostOfOrdered, 2, u"0.0"_s},
    };
    QStringList expected;
    for (const Case& c : cases) {
        const QString name = u"Standard %1"_s.arg(c.type);
        const qsizetype before = statistics().statistics().size();
        WhenModalOpens(u"Statistic Wizard"_s, [&](QDialog& dialog) {
            auto& wizard = static_cast<QWizard&>(dialog);
            Click(wizard, u"typeRadio7"_s);
            Click(wizard, u"typeRadio%1"_s.arg(c.type));
            EXPECT_EQ(Text(wizard, u"descriptionText"_s), StandardStatistics::Description(c.type));
            wizard.next();
            // Turnover ticked the box; the dated types keep it locked.
            EXPECT_TRUE(Child<QCheckBox>(wizard, u"useDatesCheck"_s)->isChecked());
            EXPECT_EQ(Enabled(wizard, u"useDatesCheck"_s), !StandardStatistics::NeedsDates(c.type));
            Type(wizard, u"startEdit"_s, u"1997-01-01"_s);
            Type(wizard, u"thruEdit"_s, u"1997-12-31"_s);
            wizard.next();
            Type(wizard, u"nameEdit"_s, name);
            wizard.button(QWizard::FinishButton)->click();
            EXPECT_FALSE(wizard.isVisible());
        });
        window().action(C::StatisticWizard)->trigger();
        EXPECT_EQ(statistics().statistics().size() - before, c.made) << name.toStdString();
        expected.append(name + u" = "_s + c.value);
    }
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();
    EXPECT_EQ(stored().size(), statistics().statistics().size());

    ShowList(window(), ListingKind::Invoices);
    WhenModalOpens(u"View Statistics"_s, [&](QDialog& view) {
        EXPECT_EQ(Rows(view), expected.join(u'\n').toStdString());
        Click(view, u"doneButton"_s);
    });
    window().action(C::ViewStatistics)->trigger();
}

TEST_F(StatisticWindows, ViewStatisticsOnAnItemShowsItsValuesAndKeepsTheColumnWidths)
{
    CStatistic worth;
    worth.Name = u"Worth"_s;
    worth.Listing = CStatistic::ListingItems;
    worth.LeftType = worth.RightType = CStatistic::OperandField;
    worth.LeftOperand = u"Stocked"_s;
    worth.Operator = CStatistic::OpMultiply;
    worth.RightOperand = u"Cost"_s;
    CStatistic units = worth;
    units.Name = u"Units"_s;
    units.Listing = CStatistic::ListingSales;
    units.LeftType = CStatistic::OperandNone;
    units.LeftOperand.clear();
    units.Operator = CStatistic::OpSum;
    units.RightOperand = u"Quanity"_s;
    CStatistic hidden = units;
    hidden.Name = u"Hidden"_s;
    hidden.Intermediate = 1;
    for (const CStatistic& s : {worth, hidden, units})
        ASSERT_TRUE(statistics().AddStatistic(s));
    settings.setValue(u"Stats"_s, u"StatWidth"_s, 150);

    RecordListView& items = ShowList(window(), ListingKind::Items);
    ASSERT_TRUE(items.selectByRecordID(stapler));
    WhenModalOpens(u"View Statistics"_s, [&](QDialog& view) {
        EXPECT_EQ(Text(view, u"listingText"_s), u"Item"_s);
        EXPECT_EQ(Text(view, u"selectionText"_s), u"ID %1"_s.arg(stapler, 7, 10, QLatin1Char('0')));
        const QString worthText = FormatCurrency(Money::fromWhole(17, 5000));
        EXPECT_EQ(Rows(view), "Worth = " + worthText.toStdString() + "\nUnits = 3.000000");
        Child<QCheckBox>(view, u"intermediateCheck"_s)->setChecked(true);
        EXPECT_EQ(Rows(view), "Worth = " + worthText.toStdString() + "\nHidden = 3.000000\nUnits = 3.000000");
        auto* list = Child<QTreeWidget>(view, u"statisticList"_s);
        EXPECT_EQ(list->columnWidth(0), 150);
        EXPECT_EQ(list->columnWidth(1), 200);
        list->setColumnWidth(1, 120);
        Click(view, u"doneButton"_s);
    });
    PopUpCommand(window(), ListingKind::Items, C::ViewStatistics)->trigger();
    EXPECT_EQ(settings.number(u"Stats"_s, u"StatWidth2"_s, 0), 120);
    EXPECT_EQ(settings.number(u"Stats"_s, u"StatWidth"_s, 0), 150);

    // From the customer list no record of a listing is selected.
    ShowList(window(), ListingKind::Customers);
    WhenModalOpens(u"View Statistics"_s, [&](QDialog& view) {
        EXPECT_EQ(Text(view, u"listingText"_s), u"N/A"_s);
        EXPECT_EQ(Rows(view), "Worth = N/A\nUnits = 3.000000");
        Click(view, u"doneButton"_s);
    });
    PopUpCommand(window(), ListingKind::Customers, C::ViewStatistics)->trigger();
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.lastText().toStdString();
}

// Cancelling the progress stops the filling: nothing half computed shows, and
// the next filling computes every value afresh.
TEST_F(StatisticWindows, StoppedFillingLeavesNothingBehind)
{
    for (const CStatistic& s :
         StandardStatistics::Build(StandardStatistics::GrossProfit, u"Profit"_s, false, {}, {}))
        ASSERT_TRUE(statistics().AddStatistic(s));
    bool stop = true;
    int asked = 0;
    const auto progress = [&](int, int) {
        ++asked;
        return !stop;
    };
    ViewStatisticsModel stopped(project.tables(), statistics(), ListingKind::Items, stapler, progress);
    EXPECT_FALSE(stopped.checkPrerequisites());
    EXPECT_TRUE(stopped.rows().isEmpty());

    stop = false;
    ViewStatisticsModel view(project.tables(), statistics(), ListingKind::Items, stapler, progress);
    ASSERT_TRUE(view.checkPrerequisites());
    stop = true;
    EXPECT_FALSE(view.setViewIntermediate(true));
    EXPECT_FALSE(view.viewIntermediate());
    ASSERT_EQ(view.rows().size(), 1);
    stop = false;
    ASSERT_TRUE(view.setViewIntermediate(true));
    EXPECT_EQ(view.rows().size(), 3);
    EXPECT_EQ(view.rows().last().value, FormatCurrency(Money::fromWhole(24)));
    EXPECT_GT(asked, 4);
}

} // namespace
