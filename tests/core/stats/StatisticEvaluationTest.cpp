#include "StatsFixture.h"

#include "core/stats/StandardStatistics.h"
#include "core/stats/StatisticIndex.h"

#include <array>

namespace {

constexpr qint32 kItems = CStatistic::ListingItems;
constexpr qint32 kSales = CStatistic::ListingSales;
constexpr qint32 kStock = CStatistic::ListingStock;
constexpr qint32 kReceived = CStatistic::ListingReceived;
constexpr qint32 kOrders = CStatistic::ListingOrders;

using Evaluation = StatsFixture;

QList<CStatistic> Standard(int type, const char* name)
{
    return StandardStatistics::Build(type, str(name), false, DateTime::null(), DateTime::null());
}

// Sales on 1, 9 and 5 March, in that order: the records outside 2 to 8 March
// come first.
class MarchSales : public StatsFixture
{
protected:
    void SetUp() override
    {
        StatsFixture::SetUp();
        const qint32 widget = item(Dollars(250), Dollars(1000));
        sale(widget, 2, Dollars(1000), day(1997, 3, 1));
        sale(widget, 3, Dollars(2000), day(1997, 3, 9));
        sale(widget, 4, Dollars(3000), day(1997, 3, 5));
    }
    static CStatistic InMarchWeek(CStatistic s)
    {
        return Dated(std::move(s), day(1997, 3, 2), day(1997, 3, 8));
    }
};

} // namespace

TEST_F(MarchSales, DateCriteriaCountOnlyTheRecordsInRange)
{
    const CStatistic line = Stat("Line", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice"));
    const CStatistic plusOne = Stat("PlusOne", kSales, F("Quanity"), CStatistic::OpAdd, K("1.0"));
    const QList<CStatistic> list = {
        line,
        plusOne,
        InMarchWeek(Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity"))),
        InMarchWeek(Aggregate("AvgUnits", kSales, CStatistic::OpAverage, F("Quanity"))),
        InMarchWeek(Aggregate("Revenue", kSales, CStatistic::OpSum, S("Line"))),
        // Records outside the range are still counted by an average of a statistic.
        InMarchWeek(Aggregate("AvgRevenue", kSales, CStatistic::OpAverage, S("Line"))),
        // An out-of-range record reads 0.0 in every field, yet 0.0 + 1.0 is 1.
        InMarchWeek(Aggregate("PlusOnes", kSales, CStatistic::OpSum, S("PlusOne"))),
        Aggregate("AllRevenue", kSales, CStatistic::OpSum, S("Line")),
    };
    EXPECT_EQ(value("Units", list), str("4.000000"));
    EXPECT_EQ(value("AvgUnits", list), str("4.000000"));
    EXPECT_EQ(value("Revenue", list), str("$120.00"));
    EXPECT_EQ(value("AvgRevenue", list), str("$40.00"));
    EXPECT_EQ(value("PlusOnes", list), str("7.000000"));
    EXPECT_EQ(value("AllRevenue", list), str("$200.00"));
    // Alone, a statistic of one record has no record to read.
    EXPECT_EQ(value("Line", list), str("N/A"));
}

TEST_F(MarchSales, AParentsDatesOverrideEveryDateInTheChildChain)
{
    // The child chain keeps dates of its own: all of 1997, and 9 March only.
    const CStatistic line =
        Dated(Stat("Line", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice")), day(1997, 1, 1),
              day(1997, 12, 31));
    const CStatistic onNinth = Dated(Stat("OnNinth", kSales, S("Line"), CStatistic::OpMultiply, K("1")),
                                     day(1997, 3, 9), day(1997, 3, 9));
    const QList<CStatistic> list = {
        line,
        onNinth,
        Aggregate("ChildDates", kSales, CStatistic::OpSum, S("OnNinth")),
        InMarchWeek(Aggregate("ParentDates", kSales, CStatistic::OpSum, S("OnNinth"))),
        InMarchWeek(Aggregate("ParentOverLine", kSales, CStatistic::OpSum, S("Line"))),
    };
    EXPECT_EQ(value("ChildDates", list), str("$60.00"));
    EXPECT_EQ(value("ParentDates", list), str("$120.00"));
    EXPECT_EQ(value("ParentOverLine", list), str("$120.00"));

    // A parent imposing dates from the top, as a report or another statistic does.
    StatisticEvaluator evaluator(t(), list);
    const std::optional<StatisticValue> imposed =
        evaluator.evaluate(list.at(2), day(1997, 3, 1), day(1997, 3, 1));
    ASSERT_TRUE(imposed);
    EXPECT_EQ(evaluator.text(*imposed), str("$20.00"));
}

TEST_F(Evaluation, ItemsIgnoreDateCriteriaAndEmptyListingsGiveZero)
{
    item(Dollars(100), Dollars(200), 0.0f, false, 5);
    item(Dollars(300), Dollars(400), 0.0f, false, 7);
    const auto in1990 = [](CStatistic s) { return Dated(std::move(s), day(1990, 1, 1), day(1990, 1, 2)); };
    const QList<CStatistic> list = {
        in1990(Aggregate("Stocked", kItems, CStatistic::OpSum, F("Stocked"))),
        in1990(Stat("Worth", kItems, F("Stocked"), CStatistic::OpMultiply, F("Cost"))),
        in1990(Aggregate("ItemsWorth", kItems, CStatistic::OpSum, S("Worth"))),
        Aggregate("NoReceipts", kReceived, CStatistic::OpAverage, F("ReceiveQuantity")),
        in1990(Aggregate("NoLotCost", kStock, CStatistic::OpAverage, F("Cost"))),
    };
    EXPECT_EQ(value("Stocked", list), str("12.000000"));
    EXPECT_EQ(value("ItemsWorth", list), str("$26.00"));
    // No record at all: "0.0"; records, none of them in range: zero as the kind writes it.
    EXPECT_EQ(value("NoReceipts", list), str("0.0"));
    EXPECT_EQ(value("NoLotCost", list), str("$0.00"));
}

// One lot of 3 at $2.50 is the current record; the operators' rules for
// plain numbers and amounts.
TEST_F(Evaluation, OperatorTableFollowsTheCurrencyRules)
{
    const qint32 widget = item(Dollars(250), Dollars(400));
    const qint32 lotID = lot(widget, 3, Dollars(250), day(1997, 3, 1));
    const QList<CStatistic> helpers = {
        Stat("Short", kStock, F("Cost"), CStatistic::OpSubtract, F("Quanity")),
        Stat("Third", kStock, K("1"), CStatistic::OpDivide, K("3")),
        Stat("Seventh", kStock, K("1"), CStatistic::OpDivide, K("7")),
        Stat("Marked", kStock, F("Cost"), CStatistic::OpMultiply, K("1.0062")),
    };
    StatisticEvaluator evaluator(t(), helpers);
    ASSERT_TRUE(evaluator.setCurrentRecord(kStock, lotID));

    // What, operands and operator, the text (nullptr: cannot be evaluated) and kind.
    const std::tuple<const char*, Op, quint8, Op, const char*, int> cases[] = {
        {"plain sum", K("1.5"), CStatistic::OpAdd, K("2.25"), "3.750000", 7},
        {"whole numbers add as reals", F("Quanity"), CStatistic::OpAdd, F("Quanity"), "6.000000", 7},
        {"amount plus number", F("Cost"), CStatistic::OpAdd, K("1"), "$3.50", 5},
        {"number times amount", F("Quanity"), CStatistic::OpMultiply, F("Cost"), "$7.50", 5},
        {"amount times amount", F("Cost"), CStatistic::OpMultiply, F("Cost"), "6.25", 7},
        {"amount over amount", F("Cost"), CStatistic::OpDivide, F("Cost"), "1", 7},
        {"amount over number", F("Cost"), CStatistic::OpDivide, K("3"), "$0.83", 5},
        // Half a cent goes away from zero, whichever side of it the nearest double lies.
        {"half a cent", F("Cost"), CStatistic::OpMultiply, K("1.07"), "$2.68", 5},
        {"half a cent below zero", S("Short"), CStatistic::OpMultiply, K("5.35"), "-$2.68", 5},
        // -0.044950 is kept to four decimals, -0.0450, before it shows as cents.
        {"four decimals first", S("Short"), CStatistic::OpMultiply, K("0.0899"), "-$0.05", 5},
        {"amount over zero", F("Cost"), CStatistic::OpDivide, K("0"), nullptr, 0},
        {"number over zero", K("1"), CStatistic::OpDivide, K("0"), nullptr, 0},
        {"amount to a power", F("Cost"), CStatistic::OpPower, K("2"), "6.250000", 7},
        {"power of an amount", K("2"), CStatistic::OpPower, F("Cost"), nullptr, 0},
        {"amounts compare", F("Cost"), CStatistic::OpGreater, K("2.4"), "1", 1},
        {"numbers differ", K("0.1"), CStatistic::OpLessOrEqual, K("0.09"), "0", 1},
        {"absolute amount", Op{}, CStatistic::OpAbsolute, S("Short"), "$0.50", 5},
        {"root of an amount", Op{}, CStatistic::OpSquareRoot, F("Cost"), "1.581139", 7},
        {"root of a negative number", Op{}, CStatistic::OpSquareRoot, K("-4"), nullptr, 0},
        {"no operator", K("1"), CStatistic::NoOperator, K("2"), nullptr, 0},
        // Every value passes as its text: six decimals for numbers...
        {"a third passed on", S("Third"), CStatistic::OpMultiply, K("3"), "0.999999", 7},
        // ...read as an amount to four decimals where an amount is involved...
        {"a seventh read as an amount", F("Cost"), CStatistic::OpDivide, S("Seventh"), "$17.49", 5},
        // ...and amounts to the currency's cents: $2.5155 passes as $2.52.
        {"an amount passed on", S("Marked"), CStatistic::OpDivide, F("Cost"), "1.008", 7},
    };
    for (const auto& [what, left, op, right, text, kind] : cases) {
        const std::optional<StatisticValue> result =
            evaluator.evaluate(Stat("Tried", kStock, left, op, right));
        ASSERT_EQ(result.has_value(), text != nullptr) << what;
        if (result) {
            EXPECT_EQ(evaluator.text(*result), str(text)) << what;
            EXPECT_EQ(result->kind(), kind) << what;
        }
    }
}

TEST_F(Evaluation, OrderLinesAndSalesReadTheirItemsCurrentValues)
{
    const qint32 vendor = b.vendor(str("Acme"));
    const qint32 bolt = item(Dollars(250), Dollars(1000), 7.25f, false);
    const qint32 po = b.po(1, vendor);
    b.orderLine(bolt, po, 10);
    sale(bolt, 2, Dollars(1000), day(1997, 3, 3));

    // The tax rate applies whether or not the item is taxable.
    const QList<CStatistic> list = Standard(StandardStatistics::CostOfOrdered, "Ordered") +
                                   Standard(StandardStatistics::SalesTax, "Tax");
    EXPECT_EQ(value("Ordered", list), str("$25.00"));
    EXPECT_EQ(value("Tax", list), str("$1.45"));

    b.change<CItemsRec>(bolt, [](CItemsRec& rec) {
        rec.Cost = Dollars(300);
        rec.TaxRate = 5.0f;
    });
    EXPECT_EQ(value("Ordered", list), str("$30.00"));
    EXPECT_EQ(value("Tax", list), str("$1.00"));

    // A line whose item is gone cannot be evaluated.
    b.add(COrderRec{.ItemID = 999999, .Quanity = 1, .Date = day(1997, 3, 1), .POID = po});
    EXPECT_EQ(value("Ordered", list), str("N/A"));
}

TEST_F(Evaluation, SalesTaxRoundsEachLinesHalfCentAwayFromZero)
{
    // 7 % of $2.50 is $0.175 on each line, which the sum takes as $0.18.
    const qint32 pen = item(Dollars(100), Dollars(250), 7.0f);
    for (int i = 0; i < 3; ++i)
        sale(pen, 1, Dollars(250), day(1997, 3, 3));
    const QList<CStatistic> list = Standard(StandardStatistics::SalesTax, "Tax");
    EXPECT_EQ(value("Tax", list), str("$0.54"));
}

TEST_F(Evaluation, AggregatesInsideRecordStatisticsAreComputedOnce)
{
    const qint32 nut = item(Dollars(100), Dollars(200));
    for (int quantity : {2, 3, 4})
        sale(nut, quantity, Dollars(200), day(1997, 3, 3));
    const QList<CStatistic> list = {
        Aggregate("Total", kSales, CStatistic::OpSum, F("Quanity")),
        Stat("Share", kSales, F("Quanity"), CStatistic::OpDivide, S("Total")),
        Aggregate("AvgShare", kSales, CStatistic::OpAverage, S("Share")),
        Stat("Twice", kSales, S("Total"), CStatistic::OpAdd, S("Total")),
    };
    // 0.222222 + 0.333333 + 0.444444 = 0.999999, over three records.
    EXPECT_EQ(value("AvgShare", list), str("0.333333"));
    EXPECT_EQ(value("Twice", list), str("18.000000"));
}

TEST_F(Evaluation, LoopsAndMissingStatisticsCannotBeEvaluated)
{
    const QList<CStatistic> list = {
        Stat("A", kSales, S("B"), CStatistic::OpAdd, K("1")),
        Stat("B", kSales, S("A"), CStatistic::OpAdd, K("1")),
        Stat("Gone", kSales, S("Deleted"), CStatistic::OpAdd, K("1")),
        // Uses statistics that loop between themselves, not through it.
        Aggregate("Outer", kSales, CStatistic::OpAbsolute, S("C")),
        Stat("C", kSales, S("D"), CStatistic::OpAdd, K("1")),
        Stat("D", kSales, S("C"), CStatistic::OpAdd, K("1")),
        Aggregate("Fine", kSales, CStatistic::OpSum, F("Quanity")),
    };
    for (const char* name : {"A", "B", "Gone", "Outer", "C"}) {
        EXPECT_TRUE(
            ReferencesItselfOrMissing(list.at(StatisticIndex(list).find(QString::fromLatin1(name))), list))
            << name;
        EXPECT_EQ(value(name, list), str("N/A")) << name;
    }
    EXPECT_FALSE(ReferencesItselfOrMissing(list.last(), list));
    EXPECT_EQ(value("Fine", list), str("0.0"));
}

TEST_F(Evaluation, RowIndependenceFollowsWhatTheOperandsRead)
{
    const QList<CStatistic> list = {
        Aggregate("Sum", kSales, CStatistic::OpSum, F("Quanity")),
        Stat("Row", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice")),
    };
    // The flag; -1: malformed.
    const std::tuple<Op, quint8, Op, int> cases[] = {
        {K("1"), CStatistic::OpAdd, K("2"), -1},
        {Op{}, CStatistic::OpSum, K("2"), -1},
        {K("1"), CStatistic::OpAdd, F("Quanity"), 0},
        {K("1"), CStatistic::OpAdd, S("Sum"), 1},
        {S("Sum"), CStatistic::OpAdd, Op{}, 1},
        {S("Row"), CStatistic::OpAdd, Op{}, -1},
        // The value reads the record through the right operand.
        {S("Sum"), CStatistic::OpMultiply, F("Quanity"), 0},
        {S("Row"), CStatistic::OpAdd, S("Sum"), 0},
        {Op{}, CStatistic::OpSum, F("Quanity"), 1},
        {Op{}, CStatistic::OpAbsolute, F("Quanity"), 0},
        // The absolute value of a total is a total too.
        {Op{}, CStatistic::OpAbsolute, S("Sum"), 1},
        // A one-operand operator ignores whatever its left operand holds.
        {K("5"), CStatistic::OpSum, F("Quanity"), 1},
        {S("Missing"), CStatistic::OpAdd, K("1"), -1},
    };
    for (const auto& [left, op, right, expected] : cases) {
        int flag = -1;
        const bool ok = IsRowIndependent(Stat("Tried", kSales, left, op, right), list, flag);
        EXPECT_EQ(ok ? flag : -1, expected)
            << left.text.toStdString() << ' ' << CStatistic::OperatorText(op).toStdString() << ' '
            << right.text.toStdString();
    }
}

// Computing the sums and averages ahead, each listing read once for all of
// them, gives every statistic the very text evaluating it alone gives.
TEST_F(Evaluation, SumsComputedTogetherEqualThoseComputedOneByOne)
{
    const qint32 vendor = b.vendor(str("Acme"));
    const qint32 po = b.po(1, vendor);
    const std::array<qint32, 3> items = {item(Dollars(137), Dollars(299), 7.25f, true, 4),
                                         item(Dollars(1005), Dollars(1999), 8.5f, false, 9),
                                         item(Dollars(33), Dollars(71), 0.0f, true, 2)};
    for (int i = 0; i < 40; ++i) {
        const qint32 it = items.at(static_cast<size_t>(i % 3));
        const DateTime on = day(1997, 1 + (i * 7) % 12, 1 + (i * 11) % 28);
        sale(it, 1 + i % 5, Dollars(71 + 13 * i), on, Dollars(33 + 7 * i));
        if (i % 2 == 0)
            lot(it, 2 + i % 4, Dollars(29 + 3 * i), on);
        if (i % 3 == 0)
            b.add(COrderRec{.ItemID = it, .Quanity = 1 + i % 7, .Date = on, .POID = po});
    }
    for (qint32 it : items)
        ASSERT_TRUE(RecomputeItemTotals(t(), it));

    const DateTime from = day(1997, 3, 1);
    const DateTime thru = day(1997, 8, 31);
    const auto inside = [&](CStatistic s) { return Dated(std::move(s), from, thru); };
    const auto outside = [](CStatistic s) { return Dated(std::move(s), day(1990, 1, 1), day(1990, 12, 31)); };
    QList<CStatistic> list;
    for (int type = 0; type < StandardStatistics::TypeCount; ++type)
        list += StandardStatistics::Build(type, StandardStatistics::Names().at(type), true, from, thru);
    list += {
        inside(Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity"))),
        inside(Aggregate("AvgPrice", kSales, CStatistic::OpAverage, F("SellingPrice"))),
        outside(Aggregate("NoPrice", kSales, CStatistic::OpAverage, F("SellingPrice"))),
        inside(Aggregate("Rates", kItems, CStatistic::OpSum, F("TaxRate"))),
        Aggregate("AvgLotCost", kStock, CStatistic::OpAverage, F("Cost")),
        Aggregate("NoReceipts", kReceived, CStatistic::OpSum, F("ReceiveQuantity")),
        // An aggregate inside the records of another, and one whose records
        // outside the dates still add something.
        Aggregate("AllUnits", kSales, CStatistic::OpSum, F("Quanity")),
        Stat("Share", kSales, F("Quanity"), CStatistic::OpDivide, S("AllUnits")),
        inside(Aggregate("AvgShare", kSales, CStatistic::OpAverage, S("Share"))),
        Stat("PlusOne", kSales, F("Quanity"), CStatistic::OpAdd, K("1.0")),
        inside(Aggregate("PlusOnes", kSales, CStatistic::OpSum, S("PlusOne"))),
        // The same sum under its own dates and under a parent's.
        inside(Stat("UnitsAndOne", kSales, S("AllUnits"), CStatistic::OpAdd, K("1"))),
        outside(Aggregate("OrderedUnits", kOrders, CStatistic::OpSum, F("Quanity"))),
    };
    QList<const CStatistic*> all;
    for (const CStatistic& s : list)
        all.append(&s);

    StatisticEvaluator alone(t(), list);
    StatisticEvaluator together(t(), list);
    ASSERT_TRUE(together.prepare(all));
    int computed = 0;
    for (const CStatistic& s : list) {
        const std::optional<StatisticValue> one = alone.evaluate(s);
        const std::optional<StatisticValue> shared = together.evaluate(s);
        const QString oneText = one ? alone.text(*one) : str("N/A");
        EXPECT_EQ(shared ? together.text(*shared) : str("N/A"), oneText) << qPrintable(s.Name);
        computed += oneText != str("N/A") ? 1 : 0;
    }
    // Only the statistics of single records have no value here.
    EXPECT_GE(computed, 30);
}
