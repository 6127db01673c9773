#include "core/reports/ReportContent.h"
#include "core/reports/ReportFile.h"

#include "core/common/Clock.h"

#include "ProjectFixture.h"
#include "Texts.h"

#include <gtest/gtest.h>

namespace {

ReportColumn Column(const char* field, qint32 kind = ReportColumn::KindField)
{
    return ReportColumn{str(field), str(field), AlignLeft, 0, kind};
}

CReportDefinition Report(const char* table, std::initializer_list<const char*> fields,
                         const char* sortField = "")
{
    CReportDefinition definition;
    definition.table = str(table);
    definition.name = str("Report");
    definition.showList = 1;
    definition.sortField = str(sortField);
    for (const char* field : fields)
        definition.columns.append(Column(field));
    return definition;
}

// The texts of one column, row by row.
QStringList ColumnTexts(const ReportContent& content, int column)
{
    QStringList texts;
    for (const ReportRow& row : content.rows)
        texts.append(row.cells.at(column).text);
    return texts;
}

CStatistic Statistic(const char* name, qint32 listing, qint32 leftType, const char* left, quint8 op,
                     qint32 rightType, const char* right)
{
    CStatistic s;
    s.Name = str(name);
    s.Listing = listing;
    s.LeftType = leftType;
    s.LeftOperand = str(left);
    s.Operator = op;
    s.RightType = rightType;
    s.RightOperand = str(right);
    return s;
}

using ReportContentTest = ProjectFixture;

TEST_F(ReportContentTest, EachFailureGivesItsTextAndNothingElse)
{
    b.item({str("Widget")});
    const QList<CStatistic> none;

    ReportFile file(ReportFile::pathForDatabase(project.path()));
    ReportContent missing = BuildReportContent(t(), file, str("Gone"), none);
    EXPECT_EQ(missing.error, str("Report Definition no longer exists."));

    CReportDefinition queried = Report("Items", {"Name"});
    queried.applyQuery = 1;
    queried.queryName = str("No Such Query");
    EXPECT_EQ(BuildReportContent(t(), queried, none).error,
              str("Unable to locate query specified with report."));

    // A stored query that no longer runs (its column is gone), and a table the
    // project does not have.
    ASSERT_TRUE(project.db().execNative(str("CREATE TABLE Scratch (ID INTEGER)")));
    ASSERT_TRUE(project.db().CreateQueryDef(str("Broken"), str("SELECT * FROM [Scratch];")));
    ASSERT_TRUE(project.db().execNative(str("DROP TABLE Scratch")));
    queried.queryName = str("Broken");
    queried.statistics = strs({"Anything"});
    const ReportContent broken = BuildReportContent(t(), queried, none);
    EXPECT_EQ(broken.error, str("Unable to open records."));
    EXPECT_TRUE(broken.rows.isEmpty());
    EXPECT_TRUE(broken.statistics.isEmpty());
    EXPECT_EQ(BuildReportContent(t(), Report("Parts", {"Name"}), none).error, str("Unable to open records."));

    // The same report read from the file builds.
    CReportDefinition saved = Report("Items", {"Name"});
    ASSERT_EQ(file.saveAsNew(saved, str("Stocked Items"), prompter, Clock::system()),
              ReportFile::SaveStatus::Saved);
    const ReportContent found = BuildReportContent(t(), file, str("Stocked Items"), none);
    EXPECT_EQ(found.error, QString());
    EXPECT_EQ(ColumnTexts(found, 0), strs({"Widget"}));
}

TEST_F(ReportContentTest, CellsShowStoredFieldsByTypeAndLookUpNames)
{
    const qint32 acme = b.vendor(str("Acme"), str("AC-1"));
    const qint32 bolt = b.vendor(str("Bolt Bros"), str("BB-9"));
    const qint32 widget = b.item({str("Widget"), acme, bolt, Money::fromWhole(1234, 5000), 0, 0, 0, true});
    b.change<CItemsRec>(widget, [](CItemsRec& item) { item.TaxRate = 7.25f; });
    const qint32 gadget = b.item({str("Gadget"), bolt, acme});
    // The second vendor vanishes: its columns stay empty.
    b.remove<CVendorsRec>(bolt);

    const ReportContent items =
        BuildReportContent(t(),
                           Report("Items", {"ID", "Name", "VendorID1", "VendorName1", "VendorNumber1",
                                            "VendorName2", "Cost", "TaxRate", "Taxable"}),
                           {});
    ASSERT_EQ(items.rows.size(), 2);
    EXPECT_EQ(items.rows.at(0).recordID, widget);
    const QList<ReportCell>& first = items.rows.at(0).cells;
    EXPECT_EQ(first.at(0).text, QString::number(widget));
    EXPECT_EQ(first.at(2).text, FormatRecordId(acme));
    EXPECT_EQ(first.at(3).text, str("Acme"));
    EXPECT_EQ(first.at(4).text, str("AC-1"));
    EXPECT_EQ(first.at(5).text, QString());
    EXPECT_EQ(first.at(6), (ReportCell{str("$1,234.50"), ReportFieldType::Currency}));
    EXPECT_EQ(first.at(7), (ReportCell{str("7.25"), ReportFieldType::Single}));
    EXPECT_EQ(first.at(8), (ReportCell{str("YES"), ReportFieldType::Boolean}));
    const QList<ReportCell>& second = items.rows.at(1).cells;
    EXPECT_EQ(second.at(3).text, QString());
    EXPECT_EQ(second.at(5).text, str("Acme"));
    EXPECT_EQ(second.at(8).text, str("NO"));
    EXPECT_EQ(items.rows.at(1).recordID, gadget);

    // Stock: the purchase order's number, the origin of stock from no
    // purchase order, "Purged" once the purchase order is gone, and the
    // item's cost rather than the lot's.
    const qint32 po = b.po(42, acme);
    const qint32 purged = b.po(43, acme);
    b.receive(b.orderLine(widget, po, 5), 5);
    b.receive(b.orderLine(widget, purged, 2), 2);
    b.remove<CPORec>(purged);
    b.lot(gadget, 3);
    CStockRec returned;
    returned.ItemID = gadget;
    returned.VendorID = acme;
    returned.OrderID = returned.POID = StockCustomerReturn;
    returned.Quanity = 1;
    returned.Cost = Money::fromWhole(1);
    b.add(returned);
    ASSERT_TRUE(RecomputeItemTotals(t(), gadget));
    const ReportContent stock = BuildReportContent(
        t(), Report("Stock", {"ItemName", "ItemNumber", "POID", "OrderID", "Cost", "VendorName"}), {});
    EXPECT_EQ(ColumnTexts(stock, 0), strs({"Widget", "Widget", "Gadget", "Gadget"}));
    EXPECT_EQ(ColumnTexts(stock, 1), strs({"WID-1", "WID-1", "GAD-1", "GAD-1"}));
    EXPECT_EQ(ColumnTexts(stock, 2), strs({"000042", "Purged", "Initial", "Customer Return"}));
    EXPECT_EQ(ColumnTexts(stock, 3).mid(2), strs({"Initial", "Customer Return"}));
    EXPECT_EQ(ColumnTexts(stock, 4), strs({"$1,234.50", "$1,234.50", "$2.50", "$2.50"}));
    // The initial lot names the item's first vendor, which vanished.
    EXPECT_EQ(ColumnTexts(stock, 5), strs({"Acme", "Acme", "", "Acme"}));

    // Invoices: customers looked up, "NA" for no customer, payment methods by name.
    const qint32 smith = b.customer(str("Smith & Co"), str("Smith"), str("Ann"));
    b.invoice(smith, 1);
    const qint32 walkIn = b.invoice(-1, 2);
    b.change<CSIRec>(walkIn, [](CSIRec& invoice) { invoice.PayMethod = 2; });
    const ReportContent invoices =
        BuildReportContent(t(),
                           Report("SI", {"CustomerID", "Customer-LastName", "Customer-FirstName",
                                         "Customer-Company", "PayMethod", "Date"}),
                           {});
    EXPECT_EQ(ColumnTexts(invoices, 0), QStringList({FormatRecordId(smith), str("NA")}));
    EXPECT_EQ(ColumnTexts(invoices, 1), strs({"Smith", ""}));
    EXPECT_EQ(ColumnTexts(invoices, 2), strs({"Ann", ""}));
    EXPECT_EQ(ColumnTexts(invoices, 3), strs({"Smith & Co", ""}));
    EXPECT_EQ(ColumnTexts(invoices, 4), strs({"Cash", "Charge Card"}));
    EXPECT_EQ(ColumnTexts(invoices, 5), strs({"5/15/1997", "5/15/1997"}));

    // Purchase orders: the fill date, or "-" while not filled.
    b.change<CPORec>(po, [](CPORec& order) { order.Filled = true; });
    b.po(44, acme);
    const ReportContent orders = BuildReportContent(
        t(), Report("PO", {"Number", "VendorName", "VendorNumber", "Filled", "TaxRate"}), {});
    EXPECT_EQ(ColumnTexts(orders, 0), strs({"42", "44"}));
    EXPECT_EQ(ColumnTexts(orders, 2), strs({"AC-1", "AC-1"}));
    EXPECT_EQ(ColumnTexts(orders, 3), strs({"3/1/1997", "-"}));
    EXPECT_EQ(ColumnTexts(orders, 4), strs({"7.25", "7.25"}));
}

TEST_F(ReportContentTest, RowsSortByValueUnlessAQueryOrdersThem)
{
    const qint32 acme = b.vendor(str("Acme"));
    b.item({str("Dear"), acme, NoID, Money::fromWhole(1000)});
    b.item({str("Cheap"), acme, NoID, Money::fromWhole(99)});
    b.item({str("Cheaper"), acme, NoID, Money::fromWhole(5)});
    b.item({str("Also Cheap"), acme, NoID, Money::fromWhole(99)});

    // Amounts as amounts, not as text; equal amounts keep table order.
    const ReportContent byCost = BuildReportContent(t(), Report("Items", {"Name", "Cost"}, "Cost"), {});
    EXPECT_EQ(ColumnTexts(byCost, 0), strs({"Cheaper", "Cheap", "Also Cheap", "Dear"}));
    EXPECT_EQ(ColumnTexts(byCost, 1), strs({"$5.00", "$99.00", "$99.00", "$1,000.00"}));
    EXPECT_EQ(ColumnTexts(BuildReportContent(t(), Report("Items", {"Name"}, "Name"), {}), 0),
              strs({"Also Cheap", "Cheap", "Cheaper", "Dear"}));
    // A sort field no column shows leaves table order.
    EXPECT_EQ(ColumnTexts(BuildReportContent(t(), Report("Items", {"Name"}, "Cost"), {}), 0),
              strs({"Dear", "Cheap", "Cheaper", "Also Cheap"}));

    // Dates across years sort by day, not by their text.
    b.po(1, acme, day(1998, 12, 31));
    b.po(2, acme, day(1999, 1, 1));
    b.po(3, acme, day(1997, 6, 1));
    const ReportContent byDate = BuildReportContent(t(), Report("PO", {"Number", "Date"}, "Date"), {});
    EXPECT_EQ(ColumnTexts(byDate, 0), strs({"3", "1", "2"}));

    // A stored query's order is kept whatever the sort field says.
    ASSERT_TRUE(project.db().CreateQueryDef(
        str("Dear First"), str("SELECT * FROM [Items] WHERE [Cost] > 10 ORDER BY [Cost] DESC, [Name];")));
    CReportDefinition queried = Report("Items", {"Name", "Cost"}, "Name");
    queried.applyQuery = 1;
    queried.queryName = str("Dear First");
    EXPECT_EQ(ColumnTexts(BuildReportContent(t(), queried, {}), 0), strs({"Dear", "Also Cheap", "Cheap"}));
}

TEST_F(ReportContentTest, StatisticColumnsAndTheStatisticsBlock)
{
    const qint32 acme = b.vendor(str("Acme"));
    b.item({str("Widget"), acme, NoID, Money::fromWhole(2, 5000), 40});
    b.item({str("Gadget"), acme, NoID, Money::fromWhole(10), 3});
    const QList<CStatistic> statistics = {
        Statistic("Value", CStatistic::ListingItems, CStatistic::OperandField, "Stocked",
                  CStatistic::OpMultiply, CStatistic::OperandField, "Cost"),
        Statistic("Total Value", CStatistic::ListingItems, CStatistic::OperandNone, "", CStatistic::OpSum,
                  CStatistic::OperandStatistic, "Value"),
    };

    CReportDefinition report = Report("Items", {"Name"}, "Value");
    report.columns.append(Column("Value", ReportColumn::KindStatistic));
    report.columns.append(Column("Retired", ReportColumn::KindStatistic));
    report.statistics = strs({"Total Value", "Retired", "Value"});
    const ReportContent content = BuildReportContent(t(), report, statistics);
    ASSERT_EQ(content.error, QString());
    // Sorted by the statistic's amount: $30.00 before $100.00.
    EXPECT_EQ(ColumnTexts(content, 0), strs({"Gadget", "Widget"}));
    EXPECT_EQ(content.rows.at(0).cells.at(1), (ReportCell{str("$30.00"), ReportFieldType::Currency}));
    EXPECT_EQ(content.rows.at(1).cells.at(1).text, str("$100.00"));
    EXPECT_EQ(ColumnTexts(content, 2), strs({"Deleted", "Deleted"}));
    // A statistic of one record has no record in the block.
    EXPECT_EQ(content.statistics, (QList<ReportStatisticLine>{{str("Total Value"), str("$130.00")},
                                                              {str("Retired"), str("Deleted")},
                                                              {str("Value"), str("N/A")}}));

    // Without its list the report still closes with its statistics.
    report.showList = 0;
    const ReportContent listless = BuildReportContent(t(), report, statistics);
    EXPECT_TRUE(listless.rows.isEmpty());
    EXPECT_EQ(listless.statistics.size(), 3);
}

TEST_F(ReportContentTest, ColumnsAfterTheTwentiethAreLeftOut)
{
    b.item({str("Widget")});
    CReportDefinition wide = Report("Items", {});
    for (int i = 0; i < 22; ++i)
        wide.columns.append(Column(i == 21 ? "Number" : "Name"));
    wide.sortField = str("Number"); // only the dropped column holds it
    const ReportContent content = BuildReportContent(t(), wide, {});
    EXPECT_EQ(content.columns.size(), ReportContent::kMostColumns);
    EXPECT_EQ(content.droppedColumns, 2);
    EXPECT_EQ(content.definition.columns.size(), 22);
    ASSERT_EQ(content.rows.size(), 1);
    EXPECT_EQ(content.rows.at(0).cells.size(), ReportContent::kMostColumns);
}

} // namespace
