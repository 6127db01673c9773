#include "render/print/PrintLayout.h"
#include "render/print/ListReport.h"

#include "core/common/UserSettings.h"

#include "QtPrinters.h"
#include "RecordingPaintDevice.h"
#include "Texts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// At this resolution a device pixel is a twip, and device y is minus the page's y.
constexpr int kTwipDpi = 1440;
constexpr double kInch = 1440;
// Letter paper with one-inch margins.
constexpr double kLeft = kInch;
constexpr double kTop = kInch;
constexpr double kRightEdge = 12240 - kInch;
constexpr double kBottomEdge = 15840 - kInch;

using Text = RecordingPaintDevice::Text;
using Drawn = RecordingPaintDevice::Recording;

class PrintLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(layout.AttachWindow(&window), PrintStatus::Ok);
        layout.SetMargins(1, 1, 1, 1);
    }

    Drawn draw(int page, PrintLayout::Target target = PrintLayout::Target::Printer, QPointF offset = {})
    {
        RecordingPaintDevice device(kTwipDpi);
        QPainter painter(&device);
        layout.SetCurrentPage(page);
        EXPECT_EQ(layout.DrawPage(painter, target, offset), PrintStatus::Ok);
        painter.end();
        return device.recorded;
    }
    std::vector<Drawn> drawAll()
    {
        std::vector<Drawn> pages;
        for (int page = 1; page <= layout.PageCount(); ++page)
            pages.push_back(draw(page));
        return pages;
    }
    QFontMetricsF metrics(const QFont& font = PrintLayout::defaultBodyFont()) const
    {
        return QFontMetricsF(font, &window);
    }

    RecordingPaintDevice window{kTwipDpi};
    PrintLayout layout;
};

TEST_F(PrintLayoutTest, RefusesWhatItCannotDoAndChangesNothing)
{
    PrintLayout bare;
    EXPECT_EQ(bare.AttachWindow(nullptr), PrintStatus::NoWindow);
    EXPECT_EQ(bare.Layout(), PrintStatus::NoWindow);
    const QImage noPixels;
    ASSERT_EQ(bare.AttachWindow(&noPixels), PrintStatus::Ok);
    EXPECT_EQ(bare.AddFont(str("Arial"), 10), PrintStatus::NoDevice);
    QPainter notPainting;
    EXPECT_EQ(bare.DrawPage(notPainting), PrintStatus::NoDevice);
    EXPECT_EQ(layout.AddFont(str("Arial"), 0), PrintStatus::FontFailed);

    // 23 inches are 33120 twips, past the 32000 a page may have; 11 inches at
    // 300 % would be 47520 twips high.
    EXPECT_EQ(layout.SetPageSize(23, 11), PrintStatus::OutOfRange);
    EXPECT_EQ(layout.SetZoom(300), PrintStatus::OutOfRange);
    EXPECT_EQ(layout.SetY(-15841), PrintStatus::OutOfRange);
    EXPECT_EQ(std::tuple(layout.pageWidth(), layout.pageHeight(), layout.zoom()),
              std::tuple(12240, 15840, 100));
    EXPECT_TRUE(layout.commands().isEmpty() && bare.commands().isEmpty());
}

TEST_F(PrintLayoutTest, ContentlessEngineHasOnePageAndResetKeepsThePageSetup)
{
    EXPECT_EQ(layout.Layout(), PrintStatus::Ok);
    EXPECT_EQ(layout.PageCount(), 1);
    EXPECT_EQ(layout.SetCurrentPage(7), 1);
    const Drawn empty = draw(1, PrintLayout::Target::Screen);
    EXPECT_TRUE(empty.texts.isEmpty());
    EXPECT_EQ(empty.rects, QList<QRectF>({QRectF(0, 0, 12240, 15840)}));

    ASSERT_EQ(layout.SetPageSize(14, 8.5), PrintStatus::Ok);
    ASSERT_EQ(layout.SetZoom(150), PrintStatus::Ok);
    for (int line = 0; line < 100; ++line)
        layout.AddText(str("Line\n"));
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    ASSERT_GT(layout.PageCount(), 1);
    EXPECT_EQ(layout.SetCurrentPage(0), 1);
    EXPECT_EQ(layout.SetCurrentPage(99), layout.PageCount());

    layout.Reset();
    EXPECT_TRUE(layout.commands().isEmpty());
    EXPECT_EQ(std::tuple(layout.PageCount(), layout.CurrentPage()), std::tuple(1, 1));
    EXPECT_EQ(std::tuple(layout.pageWidth(), layout.zoom()), std::tuple(20160, 150));
}

TEST_F(PrintLayoutTest, LongTextWrapsAtTheLastFittingBlankAndGoesOnAtTheTopOfTheNextPage)
{
    QStringList words;
    for (int i = 0; i < 700; ++i)
        words.append(QStringLiteral("word%1").arg(i * 7));
    layout.AddText(words.join(QLatin1Char(' ')));
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    ASSERT_GE(layout.PageCount(), 2);

    const QFontMetricsF body = metrics();
    QStringList lines;
    for (const Drawn& page : drawAll()) {
        ASSERT_FALSE(page.texts.isEmpty());
        EXPECT_DOUBLE_EQ(page.texts[0].position.y(), kTop + body.ascent());
        for (const Text& line : page.texts) {
            EXPECT_DOUBLE_EQ(line.position.x(), kLeft);
            EXPECT_LE(line.position.y() + body.descent(), kBottomEdge);
            lines.append(line.text);
        }
    }
    // Each line took as many words as fit: the next word would have passed the margin.
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_LE(kLeft + body.horizontalAdvance(lines[i]), kRightEdge + 0.01);
        if (i + 1 < lines.size()) {
            const QString longer = lines[i] + u' ' + lines[i + 1].section(QLatin1Char(' '), 0, 0);
            EXPECT_GT(kLeft + body.horizontalAdvance(longer), kRightEdge) << lines[i].toStdString();
        }
    }
    EXPECT_EQ(lines.join(QLatin1Char(' ')), words.join(QLatin1Char(' ')));
}

TEST_F(PrintLayoutTest, DrawingPageTwoOfThreeEmitsNothingOfPagesOneAndThree)
{
    for (int page = 1; page <= 3; ++page) {
        layout.AddText(QStringLiteral("Text of page %1\n").arg(page));
        layout.AddRule(QPoint(1440, -5000 - page), QPoint(10800, -5000 - page));
        PrintTable table(1, 1);
        table.setCellText(0, 0, QStringLiteral("Row of page %1").arg(page));
        layout.AddTable(table);
        if (page < 3)
            layout.AddPageBreak();
    }
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    ASSERT_EQ(layout.PageCount(), 3);
    for (int page = 1; page <= 3; ++page) {
        const Drawn drawn = draw(page);
        EXPECT_EQ(drawn.strings(), QStringList({QStringLiteral("Text of page %1").arg(page),
                                                QStringLiteral("Row of page %1").arg(page)}));
        ASSERT_EQ(drawn.lines.size(), 1);
        EXPECT_DOUBLE_EQ(drawn.lines[0].y1(), 5000 + page);
    }
    // A trailing page break leaves an empty last page.
    layout.AddPageBreak();
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    EXPECT_EQ(layout.PageCount(), 4);
    EXPECT_TRUE(draw(4).texts.isEmpty());
}

// Each page starts where layout left it; walking from the very start must agree.
// Table rows stay whole and the heading rows repeat on every page the table reaches.
TEST_F(PrintLayoutTest, EveryPageDrawsTheSameResumedOrWalkedFromTheStart)
{
    layout.SetTabStops({4000, 7000});
    layout.AddParagraphFlag(PrintLayout::kTitleParagraph);
    layout.AddFont(PrintLayout::defaultTitleFont());
    layout.AddText(str("Inventory Summary\n"));
    layout.AddParagraphFlag(PrintLayout::kBodyParagraph);
    layout.AddFont(PrintLayout::defaultBodyFont());
    for (int i = 0; i < 40; ++i)
        layout.AddText(QStringLiteral("Paragraph %1 runs on long enough to wrap over the right margin of the "
                                      "page at least once\tthen\ttabs\n")
                           .arg(i));
    PrintTable table(1, 3);
    table.setHeaderRows(1);
    for (int column = 0; column < 3; ++column) {
        table.setColumn(column, 1.0 + column * 0.25);
        table.setCellText(0, column, QStringLiteral("Head %1").arg(column));
        table.setCellFont(0, column, PrintLayout::defaultHeadingFont());
    }
    for (int item = 0; item < 120; ++item) {
        const int row = table.appendRow();
        table.setCellText(row, 0, QStringLiteral("Item %1").arg(item, 3, 10, QLatin1Char('0')));
        table.setCellText(row, 1, item % 5 ? str("first\nsecond") : str("a note that wraps in here"));
        table.setCellText(row, 2, QString::number(item * 1.25, 'f', 2));
    }
    layout.AddTable(table);
    layout.AddText(str("After the table\n"));
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    ASSERT_GE(layout.PageCount(), 3);

    const std::vector<Drawn> resumed = drawAll();
    layout.AddColor(Qt::black); // changes the content, so drawing walks from the start
    const std::vector<Drawn> walked = drawAll();
    ASSERT_EQ(walked.size(), resumed.size());
    const auto placed = [](const Drawn& drawn) {
        QList<std::pair<QString, QPointF>> texts;
        for (const Text& text : drawn.texts) {
            EXPECT_LT(text.position.y(), kBottomEdge);
            texts.append({text.text, text.position});
        }
        return texts;
    };
    int items = 0;
    for (size_t page = 0; page < resumed.size(); ++page) {
        EXPECT_EQ(placed(resumed[page]), placed(walked[page])) << "page " << page + 1;
        const QStringList strings = resumed[page].strings();
        if (items > 0 && items < 120) {
            EXPECT_EQ(strings.mid(0, 3), strs({"Head 0", "Head 1", "Head 2"})) << "page " << page + 1;
        }
        for (int i = 0; i < strings.size(); ++i) {
            if (!strings[i].startsWith(QLatin1String("Item ")))
                continue;
            EXPECT_EQ(strings[i], QStringLiteral("Item %1").arg(items, 3, 10, QLatin1Char('0')));
            if (items++ % 5) {
                EXPECT_EQ(strings.mid(i + 1, 2), strs({"first", "second"})) << strings[i].toStdString();
            }
        }
    }
    EXPECT_EQ(items, 120);
    EXPECT_EQ(resumed.back().strings().last(), str("After the table"));

    // Laid out only as far as asked, in any order, the pages are the same.
    layout.SetCurrentPage(1);
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    const int last = int(resumed.size());
    EXPECT_EQ(placed(draw(3)), placed(resumed[2]));
    EXPECT_EQ(placed(draw(2)), placed(resumed[1]));
    EXPECT_FALSE(layout.HasPage(last + 1));
    EXPECT_EQ(placed(draw(last)), placed(resumed.back()));
    EXPECT_EQ(layout.PageCount(), last);
}

TEST_F(PrintLayoutTest, WordWiderThanTheLineIsNotSetAndTheWalkGoesOn)
{
    const QString wide(400, QLatin1Char('W'));
    layout.AddText(wide + str(" never set"));
    layout.AddText(str("Next"));
    EXPECT_EQ(layout.Layout(), PrintStatus::Ok);
    const QFontMetricsF body = metrics();
    const Drawn drawn = draw(1);
    ASSERT_EQ(drawn.strings(), strs({"Next"}));
    EXPECT_EQ(drawn.texts[0].position, QPointF(kLeft, kTop + body.ascent()));
}

TEST_F(PrintLayoutTest, TabsPositionsAndTitleParagraphsDecideWhereTextStarts)
{
    layout.SetTabStops({2880, 4320, 0, 9000});
    layout.AddFont(PrintLayout::defaultTitleFont());
    layout.AddParagraphFlag(PrintLayout::kTitleParagraph);
    layout.AddText(str("Quick Listing Report\n"));
    layout.AddParagraphFlag(PrintLayout::kBodyParagraph);
    layout.AddFont(PrintLayout::defaultBodyFont());
    layout.AddColor(Qt::darkBlue);
    layout.AddText(str("A\tB\tC\tD"));
    ASSERT_EQ(layout.SetY(-8000), PrintStatus::Ok);
    ASSERT_EQ(layout.SetX(5000), PrintStatus::Ok);
    layout.AddText(str("There"));
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);

    const Drawn drawn = draw(1);
    const QFontMetricsF body = metrics();
    const QFontMetricsF title = metrics(PrintLayout::defaultTitleFont());
    ASSERT_EQ(drawn.strings(), strs({"Quick Listing Report", "A", "B", "C", "D", "There"}));
    EXPECT_NEAR(drawn.texts[0].position.x() + title.horizontalAdvance(drawn.texts[0].text) / 2,
                (kLeft + kRightEdge) / 2, 0.01);
    EXPECT_EQ(std::tuple(drawn.texts[1].position, drawn.texts[1].color),
              std::tuple(QPointF(kLeft, kTop + title.lineSpacing() + body.ascent()), QColor(Qt::darkBlue)));
    EXPECT_EQ(std::tuple(drawn.texts[2].position.x(), drawn.texts[3].position.x()),
              std::tuple(2880.0, 4320.0));
    // Past the last stop a tab is a blank.
    EXPECT_NEAR(drawn.texts[4].position.x(),
                4320 + body.horizontalAdvance(str("C")) + body.horizontalAdvance(QLatin1Char(' ')), 0.01);
    EXPECT_EQ(drawn.texts[5].position, QPointF(5000, 8000 + body.ascent()));
}

TEST_F(PrintLayoutTest, TableCellsSitInTheirColumnsWithTheirAlignmentFontAndColour)
{
    PrintTable table(2, 3);
    table.setColumn(0, 1.0, CellAlignment::Left);
    table.setColumn(1, 2.0, CellAlignment::Center);
    table.setColumn(2, 1.5, CellAlignment::Right);
    table.setCellText(0, 0, str("Name"));
    table.setCellText(0, 1, str("Mid"));
    table.setCellText(0, 2, str("12.50"));
    table.setCellColor(0, 2, Qt::red);
    table.setCellText(1, 0, str("alpha beta gamma delta epsilon"));
    table.setCellText(1, 2, str("Pneumonoultramicroscopicsilicovolcanoconiosis"));
    layout.AddTable(table);
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);

    const Drawn drawn = draw(1);
    const QFontMetricsF body = metrics();
    auto rightEnd = [&](const Text& text) { return text.position.x() + body.horizontalAdvance(text.text); };
    const QList<Text>& texts = drawn.texts;
    ASSERT_GE(texts.size(), 6);
    EXPECT_EQ(drawn.strings().mid(0, 3), strs({"Name", "Mid", "12.50"}));
    EXPECT_NEAR(texts[0].position.x(), kLeft + 50, 50);
    EXPECT_NEAR((texts[1].position.x() + rightEnd(texts[1])) / 2, kLeft + 2 * kInch, 0.01);
    EXPECT_NEAR(rightEnd(texts[2]), kLeft + 4.5 * kInch - 50, 50);
    EXPECT_EQ(texts[2].color, QColor(Qt::red));

    // A long text wraps inside its column; a word too wide for its column is cut.
    QStringList wrapped;
    for (const Text& text : texts.mid(3)) {
        if (text.position.x() < kLeft + kInch) {
            EXPECT_LE(rightEnd(text), kLeft + kInch);
            wrapped.append(text.text);
        } else {
            EXPECT_TRUE(text.text.endsWith(QLatin1String("...")));
            EXPECT_LE(rightEnd(text), kLeft + 4.5 * kInch);
        }
    }
    EXPECT_EQ(wrapped.join(QLatin1Char(' ')), str("alpha beta gamma delta epsilon"));
}

TEST_F(PrintLayoutTest, ScreenPagesHaveBackgroundFrameAndZoomWhilePrintedPagesStartAtThePaperEdge)
{
    layout.SetBackground(Qt::yellow, 0.25);
    ASSERT_EQ(layout.SetZoom(50), PrintStatus::Ok);
    layout.AddText(str("Zoomed"));
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);

    const Drawn screen = draw(1, PrintLayout::Target::Screen);
    ASSERT_EQ(screen.fills.size(), 1);
    EXPECT_EQ(std::tuple(screen.fills[0].rect, screen.fills[0].color),
              std::tuple(QRectF(0, 0, 6120, 7920), QColor(Qt::yellow)));
    EXPECT_TRUE(screen.rects.contains(QRectF(180, 180, 6120 - 360, 7920 - 360)));
    ASSERT_EQ(screen.texts.size(), 1);
    EXPECT_EQ(std::tuple(screen.texts[0].position.x(), screen.texts[0].font.pointSizeF()),
              std::tuple(kLeft / 2, 5.0));

    const Drawn printed = draw(1, PrintLayout::Target::Printer, QPointF(100, 200));
    EXPECT_TRUE(printed.fills.isEmpty() && printed.rects.isEmpty());
    ASSERT_EQ(printed.texts.size(), 1);
    EXPECT_EQ(printed.texts[0].position, QPointF(kLeft - 100, kTop + metrics().ascent() - 200));
}

// The items list as the screen shows it: four columns, one of each justification.
ListReportContent itemList(int rows)
{
    ListReportContent content;
    content.columns = {{str("Item ID"), 60, ColumnJustification::Left},
                       {str("Item Name"), 180, ColumnJustification::Center},
                       {str("Cost"), 90, ColumnJustification::Left},
                       {str("Stocked"), 120, ColumnJustification::Right}};
    for (int row = 1; row <= rows; ++row)
        content.rows.append(
            {QString::number(row), QStringLiteral("Item number %1").arg(row), str("$1.00"), str("4")});
    return content;
}

const PrintTable* firstTable(const PrintLayout& layout)
{
    for (const PrintCommand& command : layout.commands()) {
        if (command.kind == PrintCommandKind::Table)
            return command.table.get();
    }
    return nullptr;
}

const QDate kToday(2024, 3, 7);
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

TEST_F(PrintLayoutTest, AListReportHeadsItsTableWithTitleAndDateWithinTheMarginsFromTheSettings)
{
    QTemporaryDir folder;
    UserSettings settings(folder.filePath(str("user.ini")));
    // An unreadable margin is an inch.
    PrintMargins typed{str("1.5"), str("abc"), str(" 0.5 "), str("-2")};
    ASSERT_TRUE(typed.save(settings));
    const ListReportMargins margins = ListReportMargins::load(settings);
    // Each column takes its share of the screen width; columns all squeezed to nothing
    // on screen still share the paper.
    QList<ListReportColumn> columns = itemList(0).columns;
    columns[2].width = 0;
    EXPECT_EQ(ListReport::columnWidths(columns, 9), QList<double>({1.5, 4.5, 0.0, 3.0}));
    EXPECT_EQ(ListReport::columnWidths({{str("A"), 0, {}}, {str("B"), 0, {}}}, 6), QList<double>({3.0, 3.0}));
    EXPECT_TRUE(ListReport::columnWidths({}, 6).isEmpty());
    EXPECT_EQ(std::tuple(margins.left, margins.top, margins.right, margins.bottom),
              std::tuple(1.5, 0.5, 1.0, 1.0));

    ListReport::build(layout, itemList(2), margins, kToday, kUs);
    const PrintTable* printed = firstTable(layout);
    ASSERT_NE(printed, nullptr);
    EXPECT_EQ(std::tuple(printed->rowCount(), printed->headerRows()), std::tuple(3, 1));
    EXPECT_EQ(std::tuple(printed->columnAlignment(1), printed->columnAlignment(3)),
              std::tuple(CellAlignment::Center, CellAlignment::Right));
    double total = 0;
    for (int column = 0; column < printed->columnCount(); ++column)
        total += printed->columnWidth(column);
    EXPECT_DOUBLE_EQ(total, 8.5 - 1.5 - 1.0);

    // On paper: the title in the title font, then the date, then the headings.
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    const Drawn page = draw(1);
    EXPECT_EQ(page.strings().mid(0, 5),
              strs({"Quick Listing Report", "Date: 3/7/2024", "Item ID", "Item Name", "Cost"}));
    EXPECT_EQ(page.texts[0].font, PrintLayout::defaultTitleFont());
    EXPECT_DOUBLE_EQ(page.texts[1].position.x(), 1.5 * kInch);
    // Half an inch down to the top of the title's line.
    EXPECT_NEAR(page.texts[0].position.y(), 0.5 * kInch + 200, 200);
}

// A list read as it prints sets the same pages as one whose rows are held, and
// reads no row past the pages walked.
TEST_F(PrintLayoutTest, AListReadAsItPrintsSetsTheSamePagesAndReadsOnlyWhatItSets)
{
    const ListReportContent held = itemList(300);
    ListReportContent read;
    read.columns = held.columns;
    read.rowCount = held.rows.size();
    qsizetype furthest = -1;
    read.cell = [&held, &furthest](qsizetype row, int column) {
        furthest = std::max(furthest, row);
        return held.rows.at(row).at(column);
    };
    const ListReportMargins margins;
    ListReport::build(layout, held, margins, kToday, kUs);
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    const int pages = layout.PageCount();
    ASSERT_GT(pages, 3);
    QList<QStringList> expected;
    for (int page = 1; page <= pages; ++page)
        expected << draw(page).strings();

    ListReport::build(layout, read, margins, kToday, kUs);
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    // The first page is set without reading the rows of the ones after it.
    EXPECT_LT(furthest, held.rows.size() / 3);
    EXPECT_EQ(draw(1).strings(), expected.at(0));
    EXPECT_EQ(layout.PageCount(), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(draw(page).strings(), expected.at(page - 1)) << page;
}

TEST_F(PrintLayoutTest, MarginsThatLeaveNoRoomMakeNoPagesAndNameThemselves)
{
    // Five inches either side of Letter paper leave less than nothing across it;
    // every row used to come out as a blank page of its own.
    ListReport::build(layout, itemList(100), ListReportMargins{5, 1, 5, 1}, kToday, kUs);
    EXPECT_EQ(layout.Layout(), PrintStatus::NoRoom);
    EXPECT_EQ(std::tuple(layout.PageCount(), layout.SetCurrentPage(1)), std::tuple(0, 0));
    RecordingPaintDevice device(kTwipDpi);
    QPainter painter(&device);
    EXPECT_EQ(layout.DrawPage(painter, PrintLayout::Target::Printer), PrintStatus::NoRoom);
    painter.end();
    EXPECT_TRUE(device.recorded.texts.isEmpty() && device.recorded.lines.isEmpty() &&
                device.recorded.fills.isEmpty());
    EXPECT_EQ(
        layout.NoRoomMessage(str("Letter")),
        str("The margins (left 5.00\", right 5.00\") leave no room to print on Letter paper (8.50\" wide). "
            "Change them with File > Print Margins."));

    layout.SetMargins(1, 6, 1, 5.5);
    EXPECT_EQ(layout.Layout(), PrintStatus::NoRoom);
    EXPECT_EQ(
        layout.NoRoomMessage(QString()),
        str("The margins (top 6.00\", bottom 5.50\") leave no room to print on this paper (11.00\" high). "
            "Change them with File > Print Margins."));
    layout.SetMargins(4.5, 6, 4, 5.5);
    EXPECT_TRUE(layout.NoRoomMessage(str("A4")).contains(
        str("(left 4.50\", right 4.00\", top 6.00\", bottom 5.50\") leave no room to print on A4 paper "
            "(8.50\" by 11.00\")")));

    // A sixth of an inch across and down is room enough; a twip less is not.
    const double sixth = 240.0 / kInch;
    layout.SetMargins(4, 5, 8.5 - 4 - sixth, 11 - 5 - sixth);
    EXPECT_EQ(layout.Layout(), PrintStatus::Ok);
    EXPECT_EQ(std::tuple(layout.PageCount() > 0, layout.CurrentPage(), layout.NoRoomMessage(str("Letter"))),
              std::tuple(true, 1, QString()));
    layout.SetMargins(4, 5, 8.5 - 4 - sixth + 1 / kInch, 11 - 5 - sixth);
    EXPECT_EQ(layout.Layout(), PrintStatus::NoRoom);
}

} // namespace
