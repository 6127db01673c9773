#include "render/reports/ReportFonts.h"

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
