#include "FileBytes.h"
#include "FolderEvents.h"
#include "StatsFixture.h"

#include "core/stats/CreateStatisticModel.h"
#include "core/stats/ManageStatisticsModel.h"
#include "core/stats/StandardStatistics.h"
#include "core/stats/StatisticDeletion.h"

#include <QFileInfo>

namespace {

constexpr qint32 kOrders = CStatistic::ListingOrders;
constexpr qint32 kSales = CStatistic::ListingSales;
constexpr int kSalesEntry = 3;  // "Sales" in the listing list
constexpr int kItemsEntry = 0;  // "Items"
constexpr int kOrdersEntry = 1; // "Orders"

class Definitions : public StatsFixture
{
protected:
    void add(std::initializer_list<CStatistic> statistics)
    {
        for (const CStatistic& s : statistics)
            ASSERT_TRUE(settings->AddStatistic(s)) << s.Name.toStdString();
    }
    QStringList names() const
    {
        QStringList names;
        for (const CStatistic& s : settings->statistics())
            names.append(s.Name);
        return names;
    }
    const CStatistic& named(const char* name) const
    {
        return settings->statistics().at(settings->FindStatistic(str(name)));
    }
};

CStatistic SumOf(const char* name, const char* field)
{
    return Aggregate(name, kSales, CStatistic::OpSum, F(field));
}

} // namespace

TEST_F(Definitions, CreateOffersFieldsThenFittingStatisticsAndEnablesByOperator)
{
    add({SumOf("Units", "Quanity"),
         Stat("Line", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice")),
         Stat("Ordered", kOrders, F("Quanity"), CStatistic::OpMultiply, F("Cost")),
         Stat("Broken", kSales, K("1"), CStatistic::OpAdd, K("2"))});
    CreateStatisticModel model(*settings, prompter, clock);

    // Fields of the listing (identifiers left out, the item's tax rate in),
    // then the totals and the record statistics of the same listing.
    model.setListingIndex(kSalesEntry);
    EXPECT_EQ(model.operandEntries(),
              strs({"Quanity", "SellingPrice", "Cost", "SIID", "TaxRate", "Units", "Line"}));
    model.setListingIndex(kOrdersEntry);
    EXPECT_EQ(model.operandEntries(), strs({"Quanity", "POID", "Cost", "Units", "Ordered"}));

    model.setOperatorIndex(CStatistic::OpAdd);
    EXPECT_TRUE(model.leftEnabled() && !model.datesEnabled());
    model.setApplyDates(true);
    EXPECT_FALSE(model.applyDates());
    model.setOperatorIndex(CStatistic::OpAverage);
    EXPECT_FALSE(model.leftEnabled());
    model.setApplyDates(true);
    EXPECT_TRUE(model.applyDates());
    // Items have no dates: choosing them clears the criteria.
    model.setListingIndex(kItemsEntry);
    EXPECT_FALSE(model.datesEnabled() || model.applyDates());
}

TEST_F(Definitions, CreateValidatesInOrderAndTypesOperandsByTheirText)
{
    add({SumOf("Units", "Quanity")});
    CreateStatisticModel model(*settings, prompter, clock);
    model.setListingIndex(kSalesEntry);
    model.setOperatorIndex(CStatistic::OpMultiply);
    const auto refused = [&](const char* message, CreateStatisticModel::Field focus) {
        const CreateStatisticModel::Result result = model.save();
        EXPECT_FALSE(result.saved) << message;
        EXPECT_EQ(result.focus, focus);
        EXPECT_EQ(last().text, str(message));
    };
    refused("Must specify a name for this statistic.", CreateStatisticModel::Field::Name);
    model.setName(str("Share"));
    refused("This operation requires a left operand.", CreateStatisticModel::Field::LeftOperand);
    model.setLeftOperand(str("Quanity"));
    refused("This operation requires a right operand.", CreateStatisticModel::Field::RightOperand);
    model.setRightOperand(str("Units"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setApplyDates(true);
    model.setThruDate(str("3/45/1997"));
    refused("You must specify a valid Start Date and Thru Date.", CreateStatisticModel::Field::ThruDate);
    EXPECT_EQ(settings->statisticCount(), 1);

    // Typed text that is no entry is a constant. "Next >>" offers the new
    // statistic and clears the name.
    model.setThruDate(str("3/31/1997"));
    model.setOperatorIndex(CStatistic::OpDivide);
    model.setRightOperand(str("2.5"));
    ASSERT_TRUE(model.saveAndNext().saved);
    EXPECT_EQ(model.name(), QString());
    EXPECT_TRUE(model.operandEntries().contains(str("Share")));

    // A name in use keeps the dialog open without a word.
    prompter.clear();
    model.setName(str("Share"));
    EXPECT_EQ(model.save().focus, CreateStatisticModel::Field::Name);
    EXPECT_TRUE(prompter.log().isEmpty());

    // A one-operand operator keeps no left operand.
    model.setName(str("Total"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setRightOperand(str("Share"));
    model.setApplyDates(true);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(names(), strs({"Units", "Share", "Total"}));
    CStatistic share = Dated(Stat("Share", kSales, F("Quanity"), CStatistic::OpDivide, K("2.5")),
                             day(1997, 3, 15), day(1997, 3, 31));
    share.ApplyDates = 0;
    EXPECT_EQ(named("Share"), share);
    EXPECT_EQ(named("Total"), Dated(Aggregate("Total", kSales, CStatistic::OpSum, S("Share")),
                                    day(1997, 3, 15), day(1997, 3, 31)));

    // Every change is in the settings file at once.
    CProjectSettings reread(settings->databasePath());
    ASSERT_EQ(reread.status(), Status::Success);
    EXPECT_EQ(reread.statistics(), settings->statistics());
}

TEST_F(Definitions, SelfReferencesAndMissingStatisticsAreNotValid)
{
    add({SumOf("A", "Quanity"), Stat("B", kSales, S("A"), CStatistic::OpAdd, K("0")),
         SumOf("Units", "Quanity")});
    const QList<CStatistic> before = settings->statistics();

    // A = B + 1 while B = A.
    CreateStatisticModel model(*settings, prompter, clock, str("A"));
    model.setOperatorIndex(CStatistic::OpAdd);
    model.setLeftOperand(str("B"));
    model.setRightOperand(str("1"));
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(last().text, str("Statistic not valid."));
    EXPECT_EQ(settings->statistics(), before);

    // Offered when the dialog opened, deleted since.
    CreateStatisticModel other(*settings, prompter, clock);
    other.setListingIndex(kSalesEntry);
    other.setName(str("C"));
    other.setOperatorIndex(CStatistic::OpAdd);
    other.setLeftOperand(str("Units"));
    other.setRightOperand(str("1"));
    ASSERT_TRUE(settings->DeleteStatistic(str("Units")));
    prompter.clear();
    EXPECT_FALSE(other.save().saved);
    EXPECT_EQ(last().text, str("Statistic not valid."));
    EXPECT_EQ(settings->FindStatistic(str("C")), -1);
}

TEST_F(Definitions, RenamingAStatisticKeepsItsUsersWorking)
{
    sale(item(Dollars(100), Dollars(200)), 3, Dollars(200), day(1997, 3, 3));
    add({SumOf("B", "Quanity"), Stat("P", kSales, S("B"), CStatistic::OpMultiply, K("2"))});
    CreateStatisticModel model(*settings, prompter, clock, str("B"));
    model.setName(str("Units sold"));
    ASSERT_TRUE(model.save().saved);

    EXPECT_EQ(named("Units sold"), SumOf("Units sold", "Quanity"));
    EXPECT_EQ(named("P").LeftOperand, str("Units sold"));
    EXPECT_EQ(value("P", settings->statistics()), str("6.000000"));
}

TEST_F(Definitions, ModifyingAStandardStatisticKeepsTheItemFieldsItReads)
{
    for (const CStatistic& s : StandardStatistics::Build(StandardStatistics::CostOfOrdered, str("Open"),
                                                         false, DateTime::null(), DateTime::null()))
        ASSERT_TRUE(settings->AddStatistic(s));
    const CStatistic before = named("Open_1");
    CreateStatisticModel model(*settings, prompter, clock, str("Open_1"));
    ASSERT_TRUE(model.save().saved);
    // Order lines have no cost of their own; the item's is a field all the same.
    EXPECT_EQ(named("Open_1"), before);
}

TEST_F(Definitions, TheFiveHundredAndFirstStatisticIsRefusedAndNothingWritten)
{
    for (int i = 0; i < CProjectSettings::MaxStatistics; ++i)
        ASSERT_TRUE(settings->AddStatistic(SumOf(qPrintable(QStringLiteral("S%1").arg(i)), "Quanity")));
    const QByteArray file = FileBytes(settings->settingsPath());
    EXPECT_FALSE(settings->AddStatistic(SumOf("One more", "Quanity")));

    CreateStatisticModel model(*settings, prompter, clock);
    model.setListingIndex(kSalesEntry);
    model.setName(str("One more"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setRightOperand(str("Quanity"));
    EXPECT_FALSE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(settings->statisticCount(), CProjectSettings::MaxStatistics);
    EXPECT_EQ(FileBytes(settings->settingsPath()), file);
}

TEST_F(Definitions, DeletingTakesTheDependantsAlongInCollectionOrder)
{
    add({Stat("R", kSales, S("P"), CStatistic::OpAdd, K("1")), SumOf("B", "Quanity"), SumOf("Other", "Cost"),
         Stat("P", kSales, K("2"), CStatistic::OpMultiply, S("B"))});
    EXPECT_EQ(CollectStatisticDependants(settings->statistics(), str("B")), strs({"B", "P", "R"}));

    ManageStatisticsModel model(*settings, prompter);
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(last().text, str("You must make a selection from the list."));

    model.setSelection(1);
    prompter.answer({false});
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(last().text, str("The following statistics are dependent on 'B' and will also be deleted:"
                               "\n\n'P'\n'R'\n\nAre you sure you wish to delete these statistics?"));
    EXPECT_EQ(settings->statisticCount(), 4);

    // One write takes all three: a crash never leaves P without B.
    const QFileInfo file(settings->settingsPath());
    FolderEvents events(file.path());
    prompter.answer({true});
    EXPECT_TRUE(model.deleteSelected());
    EXPECT_EQ(names(), strs({"Other"}));
    EXPECT_EQ(events.replacements(file.fileName()), 1);
    EXPECT_EQ(model.selection(), 0); // the position stays where the list reaches

    prompter.answer({true});
    EXPECT_TRUE(model.deleteSelected());
    EXPECT_EQ(last().text, str("Are you sure you wish to delete statistic 'Other'?"));
    EXPECT_EQ(settings->statisticCount(), 0);
    EXPECT_EQ(model.selection(), -1);

    prompter.clear();
    EXPECT_FALSE(DeleteStatisticWithDependants(*settings, prompter, str("Nowhere")));
    EXPECT_EQ(prompter.texts(), strs({"Unable to locate required statistic."}));
}

TEST_F(Definitions, DeletingRemovesThatStatisticAndNoOtherOfTheSameLetters)
{
    add({SumOf("total", "Quanity"), SumOf("Total", "Cost"),
         Stat("Half", kSales, S("Total"), CStatistic::OpDivide, K("2")),
         Stat("Lower", kSales, S("total"), CStatistic::OpDivide, K("2"))});
    prompter.answer({true});
    ASSERT_TRUE(DeleteStatisticWithDependants(*settings, prompter, str("Total")));
    EXPECT_EQ(names(), strs({"total", "Lower"}));
    EXPECT_EQ(named("total").RightOperand, str("Quanity"));
}
