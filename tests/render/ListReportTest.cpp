#include "print/ListReport.h"
#include "print/PrintLayout.h"

#include "common/UserSettings.h"

#include "QtPrinters.h"
#include "RecordingPaintDevice.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// At this resolution a device pixel is a twip.
constexpr int kTwipDpi = 1440;
constexpr double kInch = 1440;
constexpr double kPageWidth = 12240;
constexpr double kPageHeight = 15840;
const QDate kToday(2024, 3, 7);
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

using Drawn = RecordingPaintDevice::Recording;

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

ListReportContent ItemList(int rows)
{
    ListReportContent content;
    content.columns = {{s("Item ID"), 60, ColumnJustification::Left},
                       {s("Item Name"), 180, ColumnJustification::Center},
                       {s("Cost"), 90, ColumnJustification::Left},
                       {s("Stocked"), 120, ColumnJustification::Right}};
    for (int row = 0; row < rows; ++row) {
        content.rows.append({QStringLiteral("%1").arg(row + 1, 6, 10, QLatin1Char('0')),
                             QStringLiteral("Item number %1").arg(row + 1), s("$1.00"),
                             QString::number(row % 40)});
    }
    return content;
}

class ListReportTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(layout.AttachWindow(&window), PrintStatus::Ok); }

    std::vector<Drawn> printAll()
    {
        EXPECT_EQ(layout.Layout(), PrintStatus::Ok);
        std::vector<Drawn> pages;
        for (int page = 1; page <= layout.PageCount(); ++page) {
            RecordingPaintDevice device(kTwipDpi, QSize(int(kPageWidth), int(kPageHeight)));
            QPainter painter(&device);
            layout.SetCurrentPage(page);
            EXPECT_EQ(layout.DrawPage(painter, PrintLayout::Target::Printer), PrintStatus::Ok);
            painter.end();
            pages.push_back(device.recorded);
        }
        return pages;
    }

    const PrintTable* table() const
    {
        for (const PrintCommand& command : layout.commands()) {
            if (command.kind == PrintCommandKind::Table)
                return command.table.get();
        }
        return nullptr;
    }

    RecordingPaintDevice window{kTwipDpi};
    PrintLayout layout;
};

TEST(ListReportColumns, EachColumnTakesItsShareOfTheScreenWidth)
{
    QList<ListReportColumn> columns = ItemList(0).columns;
    columns[2].width = 0;
    const QList<double> widths = ListReport::columnWidths(columns, 7.2);
    ASSERT_EQ(widths.size(), 4);
    EXPECT_DOUBLE_EQ(widths[0], 7.2 * 60 / 360);
    EXPECT_DOUBLE_EQ(widths[1], 7.2 * 180 / 360);
    EXPECT_DOUBLE_EQ(widths[2], 0);
    EXPECT_DOUBLE_EQ(widths[3], 7.2 * 120 / 360);

    // Columns that are all squeezed to nothing on screen still share the paper.
    const QList<ListReportColumn> flat = {{s("A"), 0, {}}, {s("B"), 0, {}}};
    EXPECT_EQ(ListReport::columnWidths(flat, 6), QList<double>({3.0, 3.0}));
    EXPECT_TRUE(ListReport::columnWidths({}, 6).isEmpty());
}

TEST_F(ListReportTest, HeadsTheTableWithTitleDateAndTheShownColumnsInTheirJustification)
{
    ListReport::build(layout, ItemList(2), ListReportMargins{}, kToday, kUs);

    QStringList texts;
    for (const PrintCommand& command : layout.commands()) {
        if (command.kind == PrintCommandKind::Text)
            texts.append(command.text);
    }
    EXPECT_EQ(texts, QStringList({s("Quick Listing Report\n"), s("Date: 3/7/2024\n\n")}));

    const PrintTable* printed = table();
    ASSERT_NE(printed, nullptr);
    ASSERT_EQ(printed->columnCount(), 4);
    ASSERT_EQ(printed->rowCount(), 3);
    EXPECT_EQ(printed->headerRows(), 1);
    // 8.5 inches less two one-inch margins.
    EXPECT_DOUBLE_EQ(printed->columnWidth(1), 6.5 * 180 / 450);
    EXPECT_EQ(printed->columnAlignment(0), CellAlignment::Left);
    EXPECT_EQ(printed->columnAlignment(1), CellAlignment::Center);
    EXPECT_EQ(printed->columnAlignment(3), CellAlignment::Right);
    EXPECT_EQ(printed->cellText(0, 3), s("Stocked"));
    EXPECT_EQ(printed->cellFont(0, 3), PrintLayout::defaultHeadingFont());
    EXPECT_EQ(printed->cellText(2, 1), s("Item number 2"));
    EXPECT_FALSE(printed->cellFont(2, 1).has_value());

    // On paper: the title in the title font, then the date, then the headings.
    const std::vector<Drawn> pages = printAll();
    ASSERT_EQ(pages.size(), 1u);
    const QStringList strings = pages[0].strings();
    ASSERT_GE(strings.size(), 5);
    EXPECT_EQ(strings.mid(0, 5), QStringList({s("Quick Listing Report"), s("Date: 3/7/2024"), s("Item ID"),
                                              s("Item Name"), s("Cost")}));
    EXPECT_EQ(pages[0].texts[0].font, PrintLayout::defaultTitleFont());
    EXPECT_EQ(pages[0].texts[1].font.family(), PrintLayout::defaultBodyFont().family());
}

TEST_F(ListReportTest, ManyRowsRunOverPagesWithNoRowLostOrRepeated)
{
    constexpr int kRows = 400;
    ListReport::build(layout, ItemList(kRows), ListReportMargins{}, kToday, kUs);
    const std::vector<Drawn> pages = printAll();
    ASSERT_GE(pages.size(), 3u);

    int next = 1;
    for (size_t page = 0; page < pages.size(); ++page) {
        const QStringList strings = pages[page].strings();
        EXPECT_EQ(strings.contains(s("Quick Listing Report")), page == 0);
        EXPECT_TRUE(strings.contains(s("Item Name"))) << "headings on page " << page + 1;
        for (const RecordingPaintDevice::Text& text : pages[page].texts) {
            EXPECT_LE(text.position.y(), kPageHeight - kInch);
            if (text.text.startsWith(s("Item number "))) {
                EXPECT_EQ(text.text, QStringLiteral("Item number %1").arg(next));
                ++next;
            }
        }
    }
    EXPECT_EQ(next - 1, kRows);
}

TEST_F(ListReportTest, MarginsComeFromTheSettingsAndAnUnreadableOneIsAnInch)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    UserSettings settings(folder.filePath(s("user.ini")));

    // Never stored: an inch each.
    const ListReportMargins unset = ListReportMargins::load(settings);
    EXPECT_EQ(std::tuple(unset.left, unset.top, unset.right, unset.bottom), std::tuple(1.0, 1.0, 1.0, 1.0));

    PrintMargins typed{s("1.5"), s("abc"), s(" 0.5 "), s("-2")};
    ASSERT_TRUE(typed.save(settings));
    const ListReportMargins margins = ListReportMargins::load(settings);
    EXPECT_EQ(std::tuple(margins.left, margins.top, margins.right, margins.bottom),
              std::tuple(1.5, 0.5, 1.0, 1.0));

    ListReport::build(layout, ItemList(1), margins, kToday, kUs);
    const PrintTable* printed = table();
    ASSERT_NE(printed, nullptr);
    double total = 0;
    for (int column = 0; column < printed->columnCount(); ++column)
        total += printed->columnWidth(column);
    EXPECT_DOUBLE_EQ(total, 8.5 - 1.5 - 1.0);

    const std::vector<Drawn> pages = printAll();
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_GE(pages[0].texts.size(), 2);
    const RecordingPaintDevice::Text& title = pages[0].texts[0];
    EXPECT_DOUBLE_EQ(pages[0].texts[1].position.x(), 1.5 * kInch);
    // Half an inch down to the top of the title's line.
    EXPECT_GT(title.position.y(), 0.5 * kInch);
    EXPECT_LT(title.position.y(), 0.5 * kInch + 400);
}

} // namespace
