#include "FolderEvents.h"
#include "StatsFixture.h"

#include <QFileInfo>

#include "core/stats/StandardStatistics.h"
#include "core/stats/StatisticWizardModel.h"
#include "core/stats/ViewStatisticsModel.h"

void PrintTo(const ViewStatisticsModel::Row& row, std::ostream* os)
{
    *os << '{' << row.name.toStdString() << ", " << row.value.toStdString() << '}';
}

namespace {

constexpr qint32 kItems = CStatistic::ListingItems;
constexpr qint32 kSales = CStatistic::ListingSales;
constexpr qint32 kStock = CStatistic::ListingStock;

using Row = ViewStatisticsModel::Row;

Row R(const char* name, const char* value)
{
    return {QString::fromLatin1(name), QString::fromLatin1(value)};
}

class ViewStatistics : public StatsFixture
{
protected:
    void SetUp() override
    {
        StatsFixture::SetUp();
        cheap = item(Dollars(100), Dollars(200), 0.0f, false, 5);
        dear = item(Dollars(300), Dollars(600), 0.0f, false, 7);
        cheapLot = t().stock().IDsWhere(str("[ItemID] = ?"), {cheap}).value(0);
        sale(cheap, 2, Dollars(200), day(1997, 3, 3));
        CStatistic hidden = Aggregate("Hidden", kItems, CStatistic::OpSum, F("Stocked"));
        hidden.Intermediate = 1;
        for (const CStatistic& s :
             {Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity")),
              Stat("Line", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice")), hidden,
              Stat("Worth", kItems, F("Stocked"), CStatistic::OpMultiply, F("Cost")),
              Stat("Lot", kStock, F("Quanity"), CStatistic::OpMultiply, F("Cost")),
              Stat("Broken", kSales, K("1"), CStatistic::OpAdd, K("2"))})
            ASSERT_TRUE(settings->AddStatistic(s));
    }

    qint32 cheap = 0, dear = 0, cheapLot = 0;
};

} // namespace

TEST_F(ViewStatistics, RecordStatisticsNeedARecordOfTheirListing)
{
    // The invoice list holds no listing: only totals have a value.
    ViewStatisticsModel invoices(t(), *settings, ListingKind::Invoices, 7);
    EXPECT_EQ(invoices.rows(), QList<Row>({R("Units", "2.000000"), R("Line", "N/A"), R("Worth", "N/A"),
                                           R("Lot", "N/A"), R("Broken", "N/A")}));
    invoices.setViewIntermediate(true);
    EXPECT_EQ(invoices.rows().value(2), R("Hidden", "12.000000"));

    // A sales statistic of two fields has no value from the item list.
    ViewStatisticsModel items(t(), *settings, ListingKind::Items, dear);
    EXPECT_EQ(items.selectionText(), str("ID %1").arg(dear, 7, 10, QLatin1Char('0')));
    EXPECT_EQ(items.rows(), QList<Row>({R("Units", "2.000000"), R("Line", "N/A"), R("Worth", "$21.00"),
                                        R("Lot", "N/A"), R("Broken", "N/A")}));

    ViewStatisticsModel stock(t(), *settings, ListingKind::Stock, cheapLot);
    EXPECT_EQ(stock.rows().value(3), R("Lot", "$5.00"));
    // Without a selection nothing depends on a record.
    EXPECT_EQ(ViewStatisticsModel(t(), *settings, ListingKind::Items, NoSelection).rows().value(2),
              R("Worth", "N/A"));
}

using Wizard = StatsFixture;

TEST_F(Wizard, DatesAreRequiredOnlyWhereTheStatisticNeedsThem)
{
    StatisticWizardModel wizard(*settings, prompter, clock);
    EXPECT_FALSE(wizard.useDates());
    // Turnover cannot do without dates; switching away keeps them on but free.
    wizard.setType(StandardStatistics::Turnover);
    wizard.setUseDates(false);
    EXPECT_TRUE(wizard.useDates() && !wizard.useDatesEnabled());
    wizard.setType(StandardStatistics::NetSalesRevenues);
    EXPECT_TRUE(wizard.useDates() && wizard.useDatesEnabled());

    wizard.setStartDate(str("13/45/1997"));
    EXPECT_EQ(wizard.datePageNext().focus, StatisticWizardModel::Field::StartDate);
    EXPECT_EQ(last().text, str("Must specify a valid date."));
    wizard.setUseDates(false);
    EXPECT_TRUE(wizard.datePageNext().saved);
    wizard.setUseDates(true);
    wizard.setStartDate(str("3/1/1997"));
    wizard.setThruDate(QString());
    EXPECT_EQ(wizard.datePageNext().focus, StatisticWizardModel::Field::ThruDate);
    wizard.setThruDate(str("3/31/1997"));
    EXPECT_TRUE(wizard.datePageNext().saved);
}

TEST_F(Wizard, NamesMustBeNewAndIntermediateNamesInUseAreReused)
{
    const QString refused = str("The name specified is not valid or already being used.\nPlease "
                                "specify a unique name for the statistic.");
    StatisticWizardModel first(*settings, prompter, clock);
    first.setType(StandardStatistics::GrossProfit);
    EXPECT_FALSE(first.save().saved);
    EXPECT_EQ(last().text, refused);
    first.setName(str("X"));
    // The statistic and its parts reach the settings file in one write, so
    // that a crash leaves all of them or none.
    const QFileInfo file(settings->settingsPath());
    FolderEvents events(file.path());
    ASSERT_TRUE(first.save().saved);
    EXPECT_EQ(first.added(), QStringList({str("X_1"), str("X_2"), str("X")}));
    EXPECT_EQ(events.replacements(file.fileName()), 1);

    StatisticWizardModel again(*settings, prompter, clock);
    again.setName(str("X"));
    EXPECT_EQ(again.save().focus, StatisticWizardModel::Field::Name);
    EXPECT_EQ(last().text, refused);

    // Deleting X leaves its parts, which the next X built of the same parts uses.
    ASSERT_TRUE(settings->DeleteStatistic(str("X")));
    StatisticWizardModel profit(*settings, prompter, clock);
    profit.setType(StandardStatistics::ProfitOnSales);
    profit.setName(str("X"));
    ASSERT_TRUE(profit.save().saved);
    EXPECT_EQ(profit.added(), QStringList({str("X_3"), str("X_4"), str("X_5"), str("X")}));
    EXPECT_EQ(settings->statisticCount(), 6);

    // All or nothing when the list cannot take them all.
    while (settings->statisticCount() < CProjectSettings::MaxStatistics - 2)
        ASSERT_TRUE(settings->AddStatistic(Aggregate(qPrintable(str("F%1").arg(settings->statisticCount())),
                                                     kSales, CStatistic::OpSum, F("Quanity"))));
    StatisticWizardModel full(*settings, prompter, clock);
    full.setType(StandardStatistics::NetSalesRevenues);
    full.setName(str("Net"));
    ASSERT_TRUE(full.save().saved);
    StatisticWizardModel over(*settings, prompter, clock);
    over.setType(StandardStatistics::GrossProfit);
    over.setName(str("Gross"));
    EXPECT_FALSE(over.save().saved);
    EXPECT_EQ(last().text, str("The current operation was unable to be completed."));
    EXPECT_EQ(settings->FindStatistic(str("Gross_1")), -1);
}

// March's figures of one item: two lots (January and March), two sales
// (February and March) and an order line dated 1 March.
TEST_F(Wizard, TheTenStandardStatisticsOverADateRange)
{
    const qint32 vendor = b.vendor(str("Acme"));
    const qint32 part = item(Dollars(200), Dollars(500), 8.5f, false);
    lot(part, 10, Dollars(200), day(1997, 1, 10));
    lot(part, 5, Dollars(220), day(1997, 3, 10));
    sale(part, 2, Dollars(500), day(1997, 2, 1), Dollars(200));
    sale(part, 3, Dollars(400), day(1997, 3, 5), Dollars(210));
    b.orderLine(part, b.po(1, vendor, day(1997, 3, 1)), 4);

    const char* names[] = {"Gross", "Net",     "Profit",   "Margin", "Inventory",
                           "Sold",  "Average", "Turnover", "Tax",    "Ordered"};
    for (int type = 0; type < StandardStatistics::TypeCount; ++type) {
        StatisticWizardModel wizard(*settings, prompter, clock);
        wizard.setType(type);
        wizard.setUseDates(true);
        wizard.setStartDate(str("3/1/1997"));
        wizard.setThruDate(str("3/31/1997"));
        wizard.setName(QString::fromLatin1(names[type]));
        ASSERT_TRUE(wizard.save().saved) << names[type];
    }
    StatisticWizardModel undated(*settings, prompter, clock);
    undated.setName(str("All gross"));
    ASSERT_TRUE(undated.save().saved);

    const ViewStatisticsModel view(t(), *settings, std::nullopt, NoSelection);
    EXPECT_EQ(view.rows(), QList<Row>({R("Gross", "$13.02"), R("Net", "$12.00"), R("Profit", "$5.70"),
                                       R("Margin", "0.475"), R("Inventory", "$11.00"), R("Sold", "$6.30"),
                                       R("Average", "$25.50"), R("Turnover", "0.2471"), R("Tax", "$1.02"),
                                       R("Ordered", "$8.00"), R("All gross", "$23.87")}));
}
