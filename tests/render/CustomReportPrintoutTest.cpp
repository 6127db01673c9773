#include "render/reports/CustomReportPrintout.h"

#include "core/reports/PurchaseOrderReports.h"
#include "core/reports/QuickReportSettings.h"
#include "core/reports/ReportContent.h"

#include "PageDump.h"
#include "ProjectFixture.h"
#include "RecordingPaintDevice.h"
#include "Texts.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int kTwipDpi = 1440;
// Letter paper, one-inch margins: where the list must turn the page.
constexpr double kBottomLimit = 15840 - 1440;
const QDate kToday(2026, 3, 17);

using Drawn = RecordingPaintDevice::Recording;

CompanyInfo Company()
{
    CompanyInfo company;
    company.company = str("Harbour Supply Co.");
    company.address1 = str("12 Quay Street");
    company.address2 = str("Port Ellis, ME 04101");
    company.phone = str("(207) 555-0134");
    company.email = str("orders@harboursupply.example");
    return company;
}

ReportColumn Column(const char* header, const char* field, qint32 alignment = AlignLeft,
                    qint32 kind = ReportColumn::KindField)
{
    return ReportColumn{str(header), str(field), alignment, 0, kind};
}

CReportDefinition Report(const char* name, const char* table, QList<ReportColumn> columns)
{
    CReportDefinition definition = QuickReportFonts::defaults();
    definition.name = str(name);
    definition.title = str(name);
    definition.table = str(table);
    definition.companyInformation = 0;
    definition.showList = 1;
    definition.columns = std::move(columns);
    definition.statisticsTitle = str("Summary");
    definition.fonts[StatisticsTitleFont] = definition.fonts[ColumnHeadersFont];
    return definition;
}

// Content made up without a project: `rows` rows of one text per column.
ReportContent Content(const CReportDefinition& definition, int rows)
{
    ReportContent content;
    content.definition = definition;
    content.columns = definition.columns;
    for (int row = 1; row <= rows; ++row) {
        ReportRow line{row, {}};
        for (qsizetype column = 0; column < definition.columns.size(); ++column)
            line.cells.append(ReportCell{str("Row %1").arg(row), ReportFieldType::Text});
        content.rows.append(line);
    }
    return content;
}

struct Laid
{
    std::unique_ptr<Printout> printout;
    ReportPrintout& report() { return static_cast<ReportPrintout&>(*printout); }

    Drawn page(int number)
    {
        RecordingPaintDevice device(kTwipDpi, QSize(12240, 15840));
        QPainter painter(&device);
        EXPECT_EQ(printout->drawPage(painter, number, PrintLayout::Target::Printer), PrintStatus::Ok);
        painter.end();
        return device.recorded;
    }
};

Laid LayOut(const PrintJob& job)
{
    Laid laid{job.make()};
    RecordingPaintDevice measure(kTwipDpi);
    EXPECT_EQ(laid.printout->layOut(QSizeF(8.5, 11), measure), PrintStatus::Ok);
    return laid;
}

const RecordingPaintDevice::Text* Find(const Drawn& drawn, const QString& text)
{
    for (const auto& t : drawn.texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

// The small project every expected page dump is drawn from: two vendors, five
// items, a stored query, and one purchase order partly received.
class CustomReportPrintoutTest : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        acme = b.vendor(str("Acme Fasteners"), str("AC-100"));
        const qint32 boreal = b.vendor(str("Boreal Tools"), str("BT-220"));
        widget = b.item({str("Widget"), acme, NoID, Money::fromWhole(2, 5000), 40});
        gadget = b.item({str("Gadget"), boreal, acme, Money::fromWhole(10), 3, 0, 0, true});
        b.item({str("Sprocket"), acme, NoID, Money::fromWhole(4, 2500), 12});
        b.item({str("Flange"), boreal, NoID, Money::fromWhole(7), 0});
        b.item({str("Grommet"), acme, NoID, Money::fromWhole(0, 3000), 500});
        ASSERT_TRUE(project.db().CreateQueryDef(
            str("Dear Items"), str("SELECT * FROM [Items] WHERE [Cost] > 3 ORDER BY [Cost] DESC, [Name];")));
        po = b.po(5001, acme);
        const qint32 widgets = b.orderLine(widget, po, 10);
        b.orderLine(gadget, po, 4);
        ASSERT_TRUE(b.receive(widgets, 6));
    }

    qint32 acme = NoID;
    qint32 widget = NoID;
    qint32 gadget = NoID;
    qint32 po = NoID;
};

TEST_F(CustomReportPrintoutTest, ExpectedPages)
{
    const ListReportMargins margins;

    // A stored query picks and orders the records; the company heads the page.
    CReportDefinition queried = Report("Dear Items", "Items",
                                       {Column("Item", "Name"), Column("Number", "Number"),
                                        Column("Cost", "Cost", AlignRight), Column("Vendor", "VendorName1")});
    queried.applyQuery = 1;
    queried.queryName = str("Dear Items");
    queried.companyInformation = 1;
    queried.titleAlignment = AlignLeft;
    ExpectDumpMatches(
        DumpPrintout(
            *CustomReportJob(BuildReportContent(t(), queried, {}), Company(), margins, kToday).make()),
        str("custom/stored-query"));

    // A statistic column and the statistics block under the list.
    CStatistic value;
    value.Name = str("Value");
    value.Listing = CStatistic::ListingItems;
    value.LeftType = CStatistic::OperandField;
    value.LeftOperand = str("Stocked");
    value.Operator = CStatistic::OpMultiply;
    value.RightType = CStatistic::OperandField;
    value.RightOperand = str("Cost");
    CStatistic total = value;
    total.Name = str("Total Value");
    total.LeftType = CStatistic::OperandNone;
    total.LeftOperand.clear();
    total.Operator = CStatistic::OpSum;
    total.RightType = CStatistic::OperandStatistic;
    total.RightOperand = str("Value");
    CReportDefinition valued = Report("Stock Value", "Items",
                                      {Column("Item", "Name"), Column("In Stock", "Stocked", AlignRight),
                                       Column("Value", "Value", AlignRight, ReportColumn::KindStatistic)});
    valued.sortField = str("Name");
    valued.statistics = strs({"Total Value", "Retired"});
    valued.statisticsTitle = str("Inventory Totals");
    valued.statisticsTitleAlignment = AlignLeft;
    ExpectDumpMatches(
        DumpPrintout(
            *CustomReportJob(BuildReportContent(t(), valued, {value, total}), {}, margins, kToday).make()),
        str("custom/statistics"));

    // Longer than two pages, numbered, with every rule and frame.
    for (int i = 1; i <= 60; ++i)
        b.vendor(str("Vendor %1").arg(i, 2, 10, QLatin1Char('0')), str("V-%1").arg(i * 7));
    CReportDefinition vendors =
        Report("Vendors", "Vendors", {Column("Name", "Name"), Column("Number", "Number")});
    vendors.sortField = str("Name");
    vendors.fonts[BodyFont] = ReportFont::fromPoints(str("Arial"), 20);
    vendors.verticalLines = 1;
    vendors.horizontalLines = 1;
    vendors.pageNumbers = 1;
    const QString longDump =
        DumpPrintout(*CustomReportJob(BuildReportContent(t(), vendors, {}), {}, margins, kToday).make());
    EXPECT_TRUE(longDump.contains(str("page 3 of ")));
    ExpectDumpMatches(longDump, str("custom/long-list"));

    const CReportDefinition record = QuickReportFonts::defaults();
    ExpectDumpMatches(
        DumpPrintout(
            *PurchaseOrderJob(BuildPurchaseOrderPrintout(t(), po), record, Company(), margins).make()),
        str("custom/purchase-order"));
    ExpectDumpMatches(
        DumpPrintout(
            *PurchaseOrderHistoryJob(BuildPurchaseOrderHistory(t()), record, Company(), margins).make()),
        str("custom/history"));
}

TEST(ReportPrintoutLayout, PagesTurnAfterTheRowThatCrossesTheBottomAndAreNumbered)
{
    CReportDefinition definition = Report("Rows", "Vendors", {Column("Name", "Name")});
    definition.pageNumbers = 1;
    definition.horizontalLines = 1;
    Laid laid = LayOut(CustomReportJob(Content(definition, 230), {}, {}, kToday));
    ASSERT_EQ(laid.printout->pageCount(), 5);

    // Every page carries its number, drawn without the pages before it.
    for (int page : {5, 2, 1}) {
        const Drawn drawn = laid.page(page);
        EXPECT_TRUE(Find(drawn, str("Page %1/5").arg(page))) << page;
    }

    // The last row of page 1 is the first whose baseline passes the bottom
    // inset; page 2 goes on with the next row from the top margin.
    const Drawn first = laid.page(1);
    const Drawn second = laid.page(2);
    double lastY = 0;
    int last = 0;
    for (const auto& text : first.texts) {
        if (text.text.startsWith(str("Row "))) {
            lastY = text.position.y();
            last = text.text.mid(4).toInt();
        }
    }
    const RecordingPaintDevice::Text* previous = Find(first, str("Row %1").arg(last - 1));
    ASSERT_TRUE(previous);
    EXPECT_GT(lastY, kBottomLimit);
    EXPECT_LE(previous->position.y(), kBottomLimit);
    const RecordingPaintDevice::Text* next = Find(second, str("Row %1").arg(last + 1));
    ASSERT_TRUE(next);
    EXPECT_GT(next->position.y(), 1440);
    EXPECT_LT(next->position.y(), 1440 + 600);
    EXPECT_FALSE(Find(second, str("Row %1").arg(last)));
    // The page-closing row has no rule under it, the others one double rule each.
    const auto rulesBelowTop = [](const Drawn& drawn, double from) {
        return std::count_if(drawn.lines.begin(), drawn.lines.end(), [from](const QLineF& line) {
            return line.y1() == line.y2() && line.y1() > from;
        });
    };
    const double firstRowY = Find(first, str("Row 1"))->position.y();
    EXPECT_EQ(rulesBelowTop(first, firstRowY), 2 * (last - 1));
    // The frame closes each page's part of the table.
    EXPECT_EQ(first.rects.size(), 2);
    EXPECT_NEAR(first.rects.at(0).bottom(), lastY + 45, 1);
}

TEST(ReportPrintoutLayout, AnEmptyListHasItsHeadersAndRulesButNoFrame)
{
    CReportDefinition definition =
        Report("Nothing", "Vendors", {Column("Name", "Name"), Column("Number", "Number")});
    definition.verticalLines = 1;
    definition.horizontalLines = 1;
    Laid laid = LayOut(CustomReportJob(Content(definition, 0), {}, {}, kToday));
    ASSERT_EQ(laid.printout->pageCount(), 1);
    const Drawn drawn = laid.page(1);
    EXPECT_TRUE(Find(drawn, str("Nothing")));
    EXPECT_TRUE(Find(drawn, str("Number")));
    // Two double rules around the title and six under the headers.
    EXPECT_EQ(drawn.lines.size(), 10);
    EXPECT_TRUE(drawn.rects.isEmpty());
}

TEST(ReportPrintoutLayout, AColumnPastTheRightEdgeIsLeftOutWithTheColumnsAfterIt)
{
    CReportDefinition definition = Report("Wide", "Vendors",
                                          {Column("First", "Name"), Column("Second", "Number"),
                                           Column("Third", "Address1"), Column("Fourth", "City")});
    ReportContent content = Content(definition, 3);
    content.rows[1].cells[1].text = QString(200, QLatin1Char('W'));
    Laid laid = LayOut(CustomReportJob(content, {}, {}, kToday));
    EXPECT_EQ(laid.report().columnAnchors(), QList<double>{1440});
    const Drawn drawn = laid.page(1);
    EXPECT_TRUE(Find(drawn, str("First")));
    for (const char* header : {"Second", "Third", "Fourth"})
        EXPECT_FALSE(Find(drawn, str(header))) << header;
    // Each row shows its first cell only.
    EXPECT_EQ(std::count_if(drawn.texts.begin(), drawn.texts.end(),
                            [](const auto& text) { return text.text.startsWith(str("Row ")); }),
              3);

    // Right-aligned columns end where their widest text does.
    definition.columns = {Column("Left", "Name"), Column("Amount", "Cost", AlignRight)};
    ReportContent amounts = Content(definition, 2);
    amounts.rows[0].cells[1].text = str("$1,000.00");
    amounts.rows[1].cells[1].text = str("$5.00");
    Laid right = LayOut(CustomReportJob(amounts, {}, {}, kToday));
    const Drawn page = right.page(1);
    const auto* wide = Find(page, str("$1,000.00"));
    const auto* narrow = Find(page, str("$5.00"));
    ASSERT_TRUE(wide && narrow);
    RecordingPaintDevice measure(kTwipDpi);
    const auto rightEnd = [&measure](const RecordingPaintDevice::Text* text) {
        return text->position.x() + QFontMetricsF(text->font, &measure).horizontalAdvance(text->text);
    };
    EXPECT_GT(narrow->position.x(), wide->position.x());
    EXPECT_NEAR(rightEnd(narrow), rightEnd(wide), 1);
    EXPECT_NEAR(right.report().columnAnchors().at(1), rightEnd(wide), 1);
}

TEST(ReportPrintoutLayout, AnErrorIsAllThePageShows)
{
    ReportContent content;
    content.error = ReportDefinitionMissingText();
    Laid laid = LayOut(CustomReportJob(content, Company(), {}, kToday));
    ASSERT_EQ(laid.printout->pageCount(), 1);
    const Drawn drawn = laid.page(1);
    ASSERT_EQ(drawn.texts.size(), 1);
    EXPECT_EQ(drawn.texts.at(0).text, str("Report Definition no longer exists."));
    EXPECT_TRUE(drawn.lines.isEmpty());
}

} // namespace
