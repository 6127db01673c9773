#include "core/stats/CurrencyText.h"
#include "core/stats/StatisticValue.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

// Values pass between statistics as text. The quick paths that spare building
// that text must give exactly what building and reading it gives.

namespace {

QString Printed(double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%lf", value);
    return QString::fromLatin1(buffer);
}

double ReadBack(const QString& text)
{
    return std::strtod(text.toLatin1().constData(), nullptr);
}

void ExpectSameAsText(double x, const CurrencyText& currency)
{
    const StatisticValue value = StatisticValue::real(x);
    const QString text = Printed(x);
    ASSERT_EQ(value.text(currency), text) << x;
    const double expected = ReadBack(text);
    EXPECT_EQ(value.number(), expected) << text.toStdString();
    EXPECT_EQ(std::signbit(value.number()), std::signbit(expected)) << text.toStdString();
    EXPECT_EQ(value.amount(currency), ParseCurrency(text)) << text.toStdString();
}

} // namespace

TEST(StatisticText, RealsReadBackAsTheirSixDecimalText)
{
    const CurrencyText currency;
    ASSERT_TRUE(currency.readsNumbersQuickly());
    // Halves exact in binary round to even, near-halves by their binary value;
    // tiny negatives print as "-0.000000"; large values take the long way.
    for (double x :
         {0.0, -0.0, 0.0078125, 0.0234375, -0.0078125, 5e-7, 2.5e-7, 1.0000005, 0.072500000000000009, 1.0725,
          -1e-9, 123456.7890125, 2147483647.9999996, 2147483648.5, 1e15 + 0.3, -3e20})
        ExpectSameAsText(x, currency);

    std::mt19937_64 engine(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(engine() % 13) - 3);
        ExpectSameAsText(unit(engine) * scale, currency);
    }
    // Exactly half a millionth in binary: odd multiples of 2^-7, both signs.
    for (int j = 0; j < 40; ++j) {
        ExpectSameAsText((2 * j + 1) * 0.0078125, currency);
        ExpectSameAsText(-(2 * j + 1) * 0.0078125, currency);
    }
}

TEST(StatisticText, AmountsKeepTheLocaleCurrencyDigits)
{
    const QLocale locales[] = {
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France), QLocale(QLocale::Japanese, QLocale::Japan)};
    for (const QLocale& locale : locales) {
        const CurrencyText currency(locale);
        ASSERT_TRUE(currency.roundsQuickly()) << locale.name().toStdString();
        const auto slow = [&](qint64 count) {
            return ParseCurrency(FormatCurrency(Money::fromTenThousandths(count), locale), locale);
        };
        for (qint64 count :
             {0LL, 1LL, 49LL, 50LL, 51LL, 10050LL, 1250LL, 3750LL, 6250LL, 8750LL, -1250LL, -10050LL,
              999950LL, 99999950LL, 1234567890050LL, -1234567890050LL, 99999999999999LL})
            EXPECT_EQ(currency.roundTrip(Money::fromTenThousandths(count)), slow(count)) << count;
        std::mt19937_64 engine(11);
        for (int i = 0; i < 5000; ++i) {
            const qint64 magnitude = static_cast<qint64>(engine() % 2000000000000ULL);
            // Every fourth one on a half of the currency's smallest step.
            const qint64 half = magnitude / 10000 * 10000 + (i % 8 == 0 ? 5000 : 50);
            const qint64 count = (i % 4 == 0 ? half : magnitude) * (i % 3 == 0 ? -1 : 1);
            ASSERT_EQ(currency.roundTrip(Money::fromTenThousandths(count)), slow(count)) << count;
        }
    }
    // Halves go away from zero: $2.675 reads back as $2.68 and -$0.525 as -$0.53.
    const CurrencyText dollars;
    EXPECT_EQ(dollars.roundTrip(Money::fromTenThousandths(26750)), Money::fromTenThousandths(26800));
    EXPECT_EQ(dollars.roundTrip(Money::fromTenThousandths(-5250)), Money::fromTenThousandths(-5300));
    EXPECT_EQ(dollars.roundTrip(Money::invalid()), std::nullopt);
}

TEST(StatisticText, EachFormWritesAndReadsLikeItsText)
{
    const CurrencyText currency;
    const QString typed = QStringLiteral("2.5 units");
    const StatisticValue constant = StatisticValue::fromText(typed, StatisticValue::KindReal, currency);
    EXPECT_EQ(constant.text(currency), typed);
    EXPECT_EQ(constant.number(), 2.5); // as atof reads it
    EXPECT_EQ(constant.amount(currency), std::nullopt);

    const StatisticValue whole = StatisticValue::whole(-42);
    EXPECT_EQ(whole.text(currency), QStringLiteral("-42"));
    EXPECT_EQ(whole.amount(currency), Money::fromWhole(-42));

    const std::optional<StatisticValue> amount =
        StatisticValue::currency(Money::fromTenThousandths(-12345678), currency);
    ASSERT_TRUE(amount);
    EXPECT_EQ(amount->text(currency), QStringLiteral("-$1,234.57"));
    EXPECT_EQ(amount->amount(currency), Money::fromTenThousandths(-12345700));
    EXPECT_EQ(amount->number(), -1234.57);

    // A ratio of two amounts: a plain number with at most four decimals.
    EXPECT_EQ(StatisticValue::plainAmount(Money::fromTenThousandths(-31416)).text(currency),
              QStringLiteral("-3.1416"));
}
