#include "StatsFixture.h"

#include "common/Archive.h"
#include "stats/CreateStatisticModel.h"
#include "stats/ManageStatisticsModel.h"
#include "stats/StandardStatistics.h"
#include "stats/StatisticDeletion.h"

#include <QBuffer>

namespace {

constexpr qint32 kOrders = CStatistic::ListingOrders;
constexpr qint32 kSales = CStatistic::ListingSales;
constexpr int kSalesEntry = 3;  // "Sales" in the listing list
constexpr int kItemsEntry = 0;  // "Items"
constexpr int kOrdersEntry = 1; // "Orders"

using Definitions = StatsFixture;

QStringList Names(const CProjectSettings& settings)
{
    QStringList names;
    for (const CStatistic& s : settings.statistics())
        names.append(s.Name);
    return names;
}

const CStatistic& Named(const CProjectSettings& settings, const char* name)
{
    return settings.statistics().at(settings.FindStatistic(QString::fromLatin1(name)));
}

} // namespace

TEST_F(Definitions, CreateOffersFieldsThenFittingStatisticsAndEnablesByOperator)
{
    ASSERT_TRUE(settings->AddStatistic(Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity"))));
    ASSERT_TRUE(settings->AddStatistic(
        Stat("Line", kSales, F("Quanity"), CStatistic::OpMultiply, F("SellingPrice"))));
    ASSERT_TRUE(
        settings->AddStatistic(Stat("Ordered", kOrders, F("Quanity"), CStatistic::OpMultiply, F("Cost"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("Broken", kSales, K("1"), CStatistic::OpAdd, K("2"))));

    CreateStatisticModel model(*settings, prompter, clock);
    EXPECT_EQ(CreateStatisticModel::listingEntries(),
              QStringList({QStringLiteral("Items"), QStringLiteral("Orders"), QStringLiteral("Stock"),
                           QStringLiteral("Sales"), QStringLiteral("Received Orders")}));
    EXPECT_EQ(CreateStatisticModel::operatorEntries().join(QLatin1Char(' ')),
              QStringLiteral("+ - * / ^ = < > <= >= (SUM) (AVG) (ABS) (SQR)"));
    EXPECT_EQ(model.startDate(), QStringLiteral("3/15/1997"));
    EXPECT_TRUE(model.nextEnabled());

    // Fields of the listing (identifiers left out, the item's tax rate in),
    // then the totals and the record statistics of the same listing.
    model.setListingIndex(kSalesEntry);
    EXPECT_EQ(model.operandEntries(),
              QStringList({QStringLiteral("Quanity"), QStringLiteral("SellingPrice"), QStringLiteral("Cost"),
                           QStringLiteral("SIID"), QStringLiteral("TaxRate"), QStringLiteral("Units"),
                           QStringLiteral("Line")}));
    model.setListingIndex(kOrdersEntry);
    EXPECT_EQ(model.operandEntries(),
              QStringList({QStringLiteral("Quanity"), QStringLiteral("POID"), QStringLiteral("Cost"),
                           QStringLiteral("Units"), QStringLiteral("Ordered")}));

    model.setOperatorIndex(CStatistic::OpAdd);
    EXPECT_TRUE(model.leftEnabled());
    EXPECT_FALSE(model.datesEnabled());
    model.setApplyDates(true);
    EXPECT_FALSE(model.applyDates());
    model.setOperatorIndex(CStatistic::OpAverage);
    EXPECT_FALSE(model.leftEnabled());
    EXPECT_TRUE(model.datesEnabled());
    model.setApplyDates(true);
    EXPECT_TRUE(model.applyDates());
    // Items have no dates: choosing them clears the criteria.
    model.setListingIndex(kItemsEntry);
    EXPECT_FALSE(model.datesEnabled());
    EXPECT_FALSE(model.applyDates());
}

TEST_F(Definitions, CreateValidatesInOrderAndTypesOperandsByTheirText)
{
    ASSERT_TRUE(settings->AddStatistic(Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity"))));
    CreateStatisticModel model(*settings, prompter, clock);
    model.setListingIndex(kSalesEntry);
    model.setOperatorIndex(CStatistic::OpMultiply);

    struct Step
    {
        std::function<void()> change;
        const char* message;
        const char* focus;
    };
    const Step steps[] = {
        {[] {}, "Must specify a name for this statistic.", "name"},
        {[&] { model.setName(QStringLiteral("Share")); }, "This operation requires a left operand.",
         "leftOperand"},
        {[&] { model.setLeftOperand(QStringLiteral("Quanity")); }, "This operation requires a right operand.",
         "rightOperand"},
    };
    for (const Step& step : steps) {
        step.change();
        const SaveResult result = model.save();
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.focus, QString::fromLatin1(step.focus));
        EXPECT_EQ(last().text, QString::fromLatin1(step.message));
        EXPECT_EQ(last().title, QStringLiteral("Quillmark 3.5"));
        EXPECT_EQ(last().icon, Prompter::Icon::Exclamation);
    }
    model.setRightOperand(QStringLiteral("Units"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setApplyDates(true);
    model.setThruDate(QStringLiteral("3/45/1997"));
    SaveResult result = model.save();
    EXPECT_EQ(result.focus, QStringLiteral("thruDate"));
    EXPECT_EQ(last().text, QStringLiteral("You must specify a valid Start Date and Thru Date."));
    EXPECT_EQ(settings->statisticCount(), 1);

    // Typed text that is no entry is a constant. "Next >>" offers the new
    // statistic and clears the name.
    model.setThruDate(QStringLiteral("3/31/1997"));
    model.setOperatorIndex(CStatistic::OpDivide);
    model.setRightOperand(QStringLiteral("2.5"));
    result = model.saveAndNext();
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("name"));
    EXPECT_EQ(model.name(), QString());
    EXPECT_TRUE(model.operandEntries().contains(QStringLiteral("Share")));

    // A name in use keeps the dialog open without a word.
    prompter.clear();
    model.setName(QStringLiteral("Share"));
    result = model.save();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.focus, QStringLiteral("name"));
    EXPECT_TRUE(prompter.log().isEmpty());

    // A one-operand operator keeps no left operand.
    model.setName(QStringLiteral("Total"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setRightOperand(QStringLiteral("Share"));
    model.setApplyDates(true);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(Names(*settings),
              QStringList({QStringLiteral("Units"), QStringLiteral("Share"), QStringLiteral("Total")}));

    const CStatistic& share = Named(*settings, "Share");
    EXPECT_EQ(share.LeftType, CStatistic::OperandField);
    EXPECT_EQ(share.LeftOperand, QStringLiteral("Quanity"));
    EXPECT_EQ(share.Operator, CStatistic::OpDivide);
    EXPECT_EQ(share.RightType, CStatistic::OperandConstant);
    EXPECT_EQ(share.RightOperand, QStringLiteral("2.5"));
    EXPECT_EQ(share.Listing, kSales);
    EXPECT_EQ(share.ApplyDates, 0);
    const CStatistic& total = Named(*settings, "Total");
    EXPECT_EQ(total.LeftType, CStatistic::OperandNone);
    EXPECT_EQ(total.LeftOperand, QString());
    EXPECT_EQ(total.RightType, CStatistic::OperandStatistic);
    EXPECT_EQ(total.ApplyDates, 1);
    EXPECT_EQ(total.StartDate, day(1997, 3, 15));
    EXPECT_EQ(total.ThruDate, day(1997, 3, 31));

    // Every change is in the settings file at once.
    CProjectSettings reread(settings->databasePath());
    ASSERT_EQ(reread.status(), Status::Success);
    EXPECT_EQ(reread.statistics(), settings->statistics());
}

TEST_F(Definitions, SelfReferencesAndMissingStatisticsAreNotValid)
{
    ASSERT_TRUE(settings->AddStatistic(Aggregate("A", kSales, CStatistic::OpSum, F("Quanity"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("B", kSales, S("A"), CStatistic::OpAdd, K("0"))));
    ASSERT_TRUE(settings->AddStatistic(Aggregate("Units", kSales, CStatistic::OpSum, F("Quanity"))));
    const QList<CStatistic> before = settings->statistics();

    // A = B + 1 while B = A.
    CreateStatisticModel model(*settings, prompter, clock, QStringLiteral("A"));
    model.setOperatorIndex(CStatistic::OpAdd);
    model.setLeftOperand(QStringLiteral("B"));
    model.setRightOperand(QStringLiteral("1"));
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(last().text, QStringLiteral("Statistic not valid."));
    EXPECT_EQ(last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(settings->statistics(), before);

    // Offered when the dialog opened, deleted since.
    CreateStatisticModel other(*settings, prompter, clock);
    other.setListingIndex(kSalesEntry);
    other.setName(QStringLiteral("C"));
    other.setOperatorIndex(CStatistic::OpAdd);
    other.setLeftOperand(QStringLiteral("Units"));
    other.setRightOperand(QStringLiteral("1"));
    ASSERT_TRUE(settings->DeleteStatistic(QStringLiteral("Units")));
    prompter.clear();
    EXPECT_FALSE(other.save().saved);
    EXPECT_EQ(last().text, QStringLiteral("Statistic not valid."));
    EXPECT_EQ(settings->FindStatistic(QStringLiteral("C")), -1);
}

TEST_F(Definitions, RenamingAStatisticKeepsItsUsersWorking)
{
    const qint32 nut = item(Dollars(100), Dollars(200));
    sale(nut, 3, Dollars(200), day(1997, 3, 3));
    ASSERT_TRUE(settings->AddStatistic(Aggregate("B", kSales, CStatistic::OpSum, F("Quanity"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("P", kSales, S("B"), CStatistic::OpMultiply, K("2"))));
    EXPECT_EQ(value("P", settings->statistics()), QStringLiteral("6.000000"));

    CreateStatisticModel model(*settings, prompter, clock, QStringLiteral("B"));
    ASSERT_TRUE(model.isModify());
    EXPECT_FALSE(model.nextEnabled());
    EXPECT_EQ(model.listingIndex(), kSalesEntry);
    EXPECT_EQ(model.operatorIndex(), CStatistic::OpSum);
    EXPECT_EQ(model.rightOperand(), QStringLiteral("Quanity"));
    model.setName(QStringLiteral("Units sold"));
    ASSERT_TRUE(model.save().saved);

    EXPECT_EQ(Names(*settings), QStringList({QStringLiteral("Units sold"), QStringLiteral("P")}));
    EXPECT_EQ(Named(*settings, "P").LeftOperand, QStringLiteral("Units sold"));
    EXPECT_EQ(value("P", settings->statistics()), QStringLiteral("6.000000"));
}

TEST_F(Definitions, ModifyingAStandardStatisticKeepsTheItemFieldsItReads)
{
    for (const CStatistic& s :
         StandardStatistics::Build(StandardStatistics::CostOfOrdered, QStringLiteral("Open"), false,
                                   DateTime::null(), DateTime::null()))
        ASSERT_TRUE(settings->AddStatistic(s));
    const CStatistic before = Named(*settings, "Open_1");
    CreateStatisticModel model(*settings, prompter, clock, QStringLiteral("Open_1"));
    EXPECT_EQ(model.leftOperand(), QStringLiteral("Quanity"));
    EXPECT_EQ(model.rightOperand(), QStringLiteral("Cost"));
    ASSERT_TRUE(model.save().saved);
    // Order lines have no cost of their own; the item's is a field all the same.
    EXPECT_EQ(Named(*settings, "Open_1"), before);
}

TEST_F(Definitions, TheFiveHundredAndFirstStatisticIsRefused)
{
    for (int i = 0; i < CProjectSettings::MaxStatistics; ++i)
        ASSERT_TRUE(settings->AddStatistic(
            Aggregate(qPrintable(QStringLiteral("S%1").arg(i)), kSales, CStatistic::OpSum, F("Quanity"))));
    EXPECT_FALSE(settings->AddStatistic(Aggregate("One more", kSales, CStatistic::OpSum, F("Quanity"))));

    CreateStatisticModel model(*settings, prompter, clock);
    model.setListingIndex(kSalesEntry);
    model.setName(QStringLiteral("One more"));
    model.setOperatorIndex(CStatistic::OpSum);
    model.setRightOperand(QStringLiteral("Quanity"));
    EXPECT_FALSE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(settings->statisticCount(), CProjectSettings::MaxStatistics);
}

TEST_F(Definitions, DeletingTakesTheDependantsAlongInCollectionOrder)
{
    ASSERT_TRUE(settings->AddStatistic(Stat("R", kSales, S("P"), CStatistic::OpAdd, K("1"))));
    ASSERT_TRUE(settings->AddStatistic(Aggregate("B", kSales, CStatistic::OpSum, F("Quanity"))));
    ASSERT_TRUE(settings->AddStatistic(Aggregate("Other", kSales, CStatistic::OpSum, F("Cost"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("P", kSales, K("2"), CStatistic::OpMultiply, S("B"))));
    EXPECT_EQ(CollectStatisticDependants(settings->statistics(), QStringLiteral("B")),
              QStringList({QStringLiteral("B"), QStringLiteral("P"), QStringLiteral("R")}));

    ManageStatisticsModel model(*settings, prompter);
    EXPECT_FALSE(model.deleteEnabled());
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(last().text, QStringLiteral("You must make a selection from the list."));
    EXPECT_EQ(model.statisticToModify(), std::nullopt);

    model.setSelection(1);
    EXPECT_EQ(model.statisticToModify(), QStringLiteral("B"));
    const QString question =
        QStringLiteral("The following statistics are dependent on 'B' and will also be deleted:"
                       "\n\n'P'\n'R'\n\nAre you sure you wish to delete these statistics?");
    prompter.answer({false});
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(last().text, question);
    EXPECT_TRUE(last().question);
    EXPECT_EQ(settings->statisticCount(), 4);

    prompter.answer({true});
    EXPECT_TRUE(model.deleteSelected());
    EXPECT_EQ(Names(*settings), QStringList({QStringLiteral("Other")}));
    EXPECT_EQ(model.names(), QStringList({QStringLiteral("Other")}));
    EXPECT_EQ(model.selection(), 0); // the position stays where the list reaches

    prompter.answer({true});
    EXPECT_TRUE(model.deleteSelected());
    EXPECT_EQ(last().text, QStringLiteral("Are you sure you wish to delete statistic 'Other'?"));
    EXPECT_EQ(settings->statisticCount(), 0);
    EXPECT_EQ(model.selection(), -1);

    prompter.clear();
    EXPECT_FALSE(DeleteStatisticWithDependants(*settings, prompter, QStringLiteral("Nowhere")));
    EXPECT_EQ(prompter.texts(), QStringList({QStringLiteral("Unable to locate required statistic.")}));
}

TEST_F(Definitions, DeletingRemovesThatStatisticAndNoOtherOfTheSameLetters)
{
    ASSERT_TRUE(settings->AddStatistic(Aggregate("total", kSales, CStatistic::OpSum, F("Quanity"))));
    ASSERT_TRUE(settings->AddStatistic(Aggregate("Total", kSales, CStatistic::OpSum, F("Cost"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("Half", kSales, S("Total"), CStatistic::OpDivide, K("2"))));
    ASSERT_TRUE(settings->AddStatistic(Stat("Lower", kSales, S("total"), CStatistic::OpDivide, K("2"))));
    prompter.answer({true});
    ASSERT_TRUE(DeleteStatisticWithDependants(*settings, prompter, QStringLiteral("Total")));
    EXPECT_EQ(Names(*settings), QStringList({QStringLiteral("total"), QStringLiteral("Lower")}));
    EXPECT_EQ(Named(*settings, "total").RightOperand, QStringLiteral("Quanity"));
    EXPECT_EQ(Named(*settings, "Lower").LeftOperand, QStringLiteral("total"));
}

TEST_F(Definitions, StatisticRecordsReadBackWholeAndRefuseCutRecords)
{
    CStatistic written = Dated(Stat("Gross", kSales, S("Left"), CStatistic::OpDivide, K("2.0")),
                               day(1997, 1, 1), day(1997, 12, 31));
    written.Name = QString::fromUtf8("Gross \xc3\xa9t\xc3\xa9");
    written.Intermediate = 1;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter writer(buffer);
    written.Write(writer);
    ASSERT_FALSE(writer.hasError());
    const QByteArray bytes = buffer.data();

    for (qsizetype size = 0; size <= bytes.size(); ++size) {
        QByteArray part = bytes.left(size);
        QBuffer in(&part);
        in.open(QIODevice::ReadOnly);
        ArchiveReader reader(in);
        CStatistic read = Aggregate("Untouched", kOrders, CStatistic::OpSum, F("Quanity"));
        const CStatistic before = read;
        const bool ok = read.Read(reader);
        EXPECT_EQ(ok, size == bytes.size()) << size;
        EXPECT_EQ(read, ok ? written : before) << size;
    }

    // A name claiming two billion characters is an error, not an allocation.
    QByteArray absurd;
    QBuffer out(&absurd);
    out.open(QIODevice::WriteOnly);
    ArchiveWriter header(out);
    header.writeDouble(3.51);
    header.writeByte(255);
    header.writeUInt16(65535);
    header.writeUInt32(0x7FFFFFFF);
    out.close();
    absurd.append(bytes.mid(9)); // the rest of a record, far too short for that name
    QBuffer in(&absurd);
    in.open(QIODevice::ReadOnly);
    ArchiveReader reader(in);
    CStatistic read;
    EXPECT_FALSE(read.Read(reader));
    EXPECT_EQ(read, CStatistic());
}
