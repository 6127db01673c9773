#include "render/reports/ReportFonts.h"
#include "render/print/PrintLayout.h"
#include "render/print/PrintStatus.h"

#include "core/common/Archive.h"
#include "core/reports/QuickReportSettings.h"

#include "RecordingPaintDevice.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ReportFonts, AChosenFontComesBackAsItWasChosen)
{
    QFont chosen(u"DejaVu Serif"_s);
    chosen.setPointSize(14);
    chosen.setWeight(QFont::Bold);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    const ReportFont stored = FromQFont(chosen);
    EXPECT_EQ(stored.description(), u"DejaVu Serif (Bold / Italic) 14 pnt"_s);

    const QFont drawn = ToQFont(stored);
    EXPECT_EQ(drawn.family(), chosen.family());
    EXPECT_DOUBLE_EQ(drawn.pointSizeF(), 14.0);
    EXPECT_EQ(drawn.weight(), QFont::Bold);
    EXPECT_TRUE(drawn.italic());
    EXPECT_TRUE(drawn.underline());
    EXPECT_FALSE(drawn.strikeOut());
}

TEST(ReportFonts, AFontOfNoSizeOrWeightDrawsAtTenPointsRegular)
{
    ReportFont empty;
    empty.height = 0;
    empty.weight = 0;
    const QFont drawn = ToQFont(empty);
    EXPECT_DOUBLE_EQ(drawn.pointSizeF(), 10.0);
    EXPECT_EQ(drawn.weight(), QFont::Normal);
}

// A printed list takes the title, column headers and body of the project's
// quick-report settings when the report file holds them.
TEST(ReportFonts, ListsPrintInTheStoredQuickReportFontsOrTheEnginesOwn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Shop.irp"_s);
    EXPECT_EQ(ListFontsFromReportFile(path).title, ListReportFonts::defaults().title);

    CReportDefinition record = QuickReportFonts::defaults();
    record.fonts[TitleFont] = ReportFont::fromPoints(u"DejaVu Sans"_s, 20);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ArchiveWriter archive(file);
    record.Write(archive);
    file.close();

    const ListReportFonts fonts = ListFontsFromReportFile(path);
    EXPECT_EQ(fonts.title.family(), u"DejaVu Sans"_s);
    EXPECT_DOUBLE_EQ(fonts.title.pointSizeF(), 20.0);
    EXPECT_EQ(fonts.heading.weight(), QFont::Bold);
    EXPECT_EQ(fonts.body.family(), u"Times New Roman"_s);

    // The fonts reach the printout: the title is drawn in the stored one.
    RecordingPaintDevice window(1440);
    PrintLayout layout;
    ASSERT_EQ(layout.AttachWindow(&window), PrintStatus::Ok);
    ListReport::build(layout, ListReportContent{{{u"Item"_s, 100, ColumnJustification::Left}}, {{u"Nut"_s}}, 0, {}},
                      ListReportMargins{}, QDate(2026, 3, 17), QLocale(QLocale::English), fonts);
    ASSERT_EQ(layout.Layout(), PrintStatus::Ok);
    RecordingPaintDevice page(1440);
    QPainter painter(&page);
    layout.SetCurrentPage(1);
    ASSERT_EQ(layout.DrawPage(painter, PrintLayout::Target::Printer), PrintStatus::Ok);
    painter.end();
    ASSERT_EQ(page.recorded.strings().mid(0, 1), QStringList{u"Quick Listing Report"_s});
    EXPECT_EQ(page.recorded.texts.first().font.family(), u"DejaVu Sans"_s);
}
