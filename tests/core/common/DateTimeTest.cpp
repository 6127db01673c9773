#include "core/common/DateTime.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);

TEST(DateTime, CountsDaysFromTheEpoch)
{
    EXPECT_EQ(DateTime::fromDate(QDate(1900, 1, 1)).days(), 2.0);
    EXPECT_EQ(DateTime::fromDate(QDate(1997, 5, 15)).days(), 35565.0);
    EXPECT_EQ(DateTime::fromDays(35565.5).toQDateTime(), QDateTime(QDate(1997, 5, 15), QTime(12, 0)));
    // Before the epoch the fraction still counts forward within the day.
    const DateTime early = DateTime::fromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(early.days(), -1.25);
    EXPECT_EQ(early.toQDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(DateTime, ParsesDateOnlyTextInTheUsersLocale)
{
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("5/15/1997"), kUs).date(), QDate(1997, 5, 15));
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("15/5/1997"), kUk).date(), QDate(1997, 5, 15));
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("1/2/05"), kUs).date(), QDate(2005, 1, 2));
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("1997-05-15"), kUs).date(), QDate(1997, 5, 15));
    // A year below 500 is taken as 1900 plus the year.
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("5/15/097"), kUs).date(), QDate(1997, 5, 15));
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("5/15/499"), kUs).date(), QDate(2399, 5, 15));
    EXPECT_EQ(DateTime::parseDate(QStringLiteral("5/15/500"), kUs).date(), QDate(500, 5, 15));

    EXPECT_TRUE(DateTime::parseDate(QStringLiteral("  "), kUs).isNull());
    for (const char* bad : {"2/30/1997", "hello", "5/15", "1/1/1/1"})
        EXPECT_EQ(DateTime::parseDate(QString::fromLatin1(bad), kUs).status(), DateTime::Status::Invalid) << bad;
}

TEST(DateTime, FormatsForScreenAndQueryText)
{
    const DateTime day = DateTime::fromDate(QDate(1997, 5, 15));
    EXPECT_EQ(day.formatShortDate(kUs), QStringLiteral("5/15/1997"));
    EXPECT_EQ(day.queryLiteral(), QStringLiteral("#5/15/1997#"));
    EXPECT_EQ(DateTime::null().formatShortDate(kUs), QString());
    EXPECT_EQ(DateTime::parseDate(day.formatShortDate(kUk), kUk), day);
}

} // namespace
