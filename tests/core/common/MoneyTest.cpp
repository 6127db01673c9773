#include "core/common/Money.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Money M(qint64 count)
{
    return Money::fromTenThousandths(count);
}

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

TEST(Money, ArithmeticIsExactAndDivisionTruncatesTowardZero)
{
    EXPECT_EQ(M(1) + M(2), M(3));
    EXPECT_EQ(M(5) - M(7), M(-2));
    EXPECT_EQ(M(333) * 3, M(999));
    EXPECT_EQ(M(-10) / 3, M(-3)); // toward zero, not toward minus infinity
    EXPECT_EQ(M(10) / -3, M(-3));
    EXPECT_FALSE((M(10) / 0).isValid());
}

TEST(Money, OverflowGivesInvalidInsteadOfWrapping)
{
    const Money top = M(std::numeric_limits<qint64>::max());
    EXPECT_FALSE((top + M(1)).isValid());
    EXPECT_FALSE((top * 2).isValid());
    EXPECT_FALSE((M(std::numeric_limits<qint64>::min()) / -1).isValid());
    EXPECT_FALSE((Money::invalid() + M(1)).isValid());
    EXPECT_FALSE(Money::fromDouble(1e300).isValid());
}

struct TaxCase
{
    qint64 amount;
    double factor;
    qint64 expected;
};

TEST(Money, MultiplyCurrencyByFactor)
{
    const TaxCase cases[] = {
        {10000, 0.05, 500},                            // 1.00 at 5 % is 0.05
        {333, 0.05, 16},                               // 0.0333 at 5 % is 0.0016: the product truncates
        {-333, 0.05, -16},                             // toward zero for negatives too
        {10000000, 7.25 / 100, 725000},                // 1000.00 at 7.25 % is 72.50, not 72.49
        {10000000, 6.85 / 100, 685000},                // 6.85 % likewise
        {10000000, double(7.25f) / 100, 725000},       // a single-precision rate as stored
        {10000000, double(6.85f) / 100, 685000},
        {10000000, double(8.875f) / 100, 887500},      // three decimals stay exact
        {123456789, 0.0, 0},
    };
    for (const TaxCase& c : cases) {
        EXPECT_EQ(MultiplyCurrencyByFactor(M(c.amount), c.factor), M(c.expected))
            << c.amount << " x " << c.factor;
    }
    EXPECT_FALSE(MultiplyCurrencyByFactor(M(std::numeric_limits<qint64>::max()), 2.0).isValid());
}

TEST(Money, FormatsInTheLocaleWithALeadingMinus)
{
    EXPECT_EQ(FormatCurrency(M(12345678), kUs), QStringLiteral("$1,234.57"));
    EXPECT_EQ(FormatCurrency(M(-50000), kUs), QStringLiteral("-$5.00"));
    EXPECT_EQ(FormatCurrency(M(0), kUs), QStringLiteral("$0.00"));
    const QString german = FormatCurrency(M(-12345000), QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(german.startsWith(QLatin1Char('-'))) << german.toStdString();
    EXPECT_FALSE(german.contains(QLatin1Char('(')));
}

TEST(Money, RoundsDecimalHalvesAwayFromZero)
{
    struct Case
    {
        qint64 count;
        const char* text;
    };
    // Amounts whose half cent lies below or above it in binary alike.
    const Case cases[] = {
        {26750, "$2.68"},
        {-26750, "-$2.68"},
        {5250, "$0.53"},
        {43350, "$4.34"},
        {37500750, "$3,750.08"},
        {30566250, "$3,056.63"},
        {-50, "-$0.01"},
        {49, "$0.00"},
        {-49, "$0.00"}, // shows as zero, so no sign
        {99950, "$10.00"},
        {std::numeric_limits<qint64>::max(), "$922,337,203,685,477.58"},
        {std::numeric_limits<qint64>::min(), "-$922,337,203,685,477.58"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCurrency(M(c.count), kUs), QString::fromUtf8(c.text)) << c.count;

    const QLocale japan(QLocale::Japanese, QLocale::Japan); // no decimals
    EXPECT_EQ(FormatCurrency(M(25000), japan), FormatCurrency(M(30000), japan));
    EXPECT_EQ(FormatCurrency(M(-12345675000), japan),
              QStringLiteral("-") + japan.toCurrencyString(1234568.0));
    EXPECT_EQ(FormatCurrency(M(-4999), japan), japan.toCurrencyString(0.0));
    const QLocale germany(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatCurrency(M(26750), germany), germany.toCurrencyString(2.68));
    EXPECT_EQ(FormatCurrency(M(-26750), germany), QStringLiteral("-") + germany.toCurrencyString(2.68));
}

TEST(Money, KeepsEveryLocalesSymbolGroupingDecimalPointAndDigits)
{
    // Amounts exact in binary and unambiguous at 0, 2 or 3 decimals, where the
    // locale's own formatter is the reference.
    const double amounts[] = {0.0, 12.75, 1234567.25, 987654321.5};
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    for (const QLocale& locale : locales) {
        for (double amount : amounts) {
            const QString expected = locale.toCurrencyString(amount);
            ASSERT_EQ(FormatCurrency(Money::fromDouble(amount), locale), expected)
                << locale.name().toStdString();
            if (amount != 0.0) {
                // Parentheses or not, a negative amount is the same text after a minus.
                ASSERT_EQ(FormatCurrency(Money::fromDouble(-amount), locale), QLatin1Char('-') + expected)
                    << locale.name().toStdString();
            }
        }
    }
}

TEST(Money, FieldTextShowsEveryDecimalHeldAndReadsBackExactly)
{
    EXPECT_EQ(FormatCurrencyField(M(17903), kUs), QStringLiteral("$1.7903"));
    EXPECT_EQ(FormatCurrencyField(M(31000), kUs), QStringLiteral("$3.10"));
    EXPECT_EQ(FormatCurrencyField(M(-18450), kUs), QStringLiteral("-$1.845"));
    EXPECT_EQ(FormatCurrencyField(M(0), kUs), QStringLiteral("$0.00"));
    const QLocale japan(QLocale::Japanese, QLocale::Japan);
    EXPECT_EQ(FormatCurrencyField(M(17900000), japan), japan.toCurrencyString(1790.0));
    EXPECT_EQ(FormatCurrencyField(M(17903000), japan), japan.toCurrencyString(1790.3, QString(), 1));

    const QLocale locales[] = {kUs, QLocale(QLocale::German, QLocale::Germany),
                               QLocale(QLocale::French, QLocale::France), japan};
    for (const QLocale& locale : locales) {
        for (qint64 count : {1LL, -1LL, 17903LL, 30953LL, 18454LL, 99999999LL, -123456789012345LL}) {
            EXPECT_EQ(ParseCurrency(FormatCurrencyField(M(count), locale), locale), M(count))
                << locale.name().toStdString() << ' ' << count;
        }
    }
}

TEST(Money, ParsesTypedAmounts)
{
    EXPECT_EQ(ParseCurrency(QStringLiteral("$1,234.56"), kUs), M(12345600));
    EXPECT_EQ(ParseCurrency(QStringLiteral("-5"), kUs), M(-50000));
    EXPECT_EQ(ParseCurrency(QStringLiteral("($5.00)"), kUs), M(-50000));
    EXPECT_EQ(ParseCurrency(QStringLiteral("0.00005"), kUs), M(1)); // fifth decimal rounds
    EXPECT_EQ(ParseCurrency(QStringLiteral(".5"), kUs), M(5000));
    EXPECT_EQ(ParseCurrency(QStringLiteral("1.234,5"), QLocale(QLocale::German, QLocale::Germany)),
              M(12345000));
    EXPECT_EQ(ParseCurrency(FormatCurrency(M(-98765432), kUs), kUs), M(-98765400));
    for (const char* bad : {"", "abc", "1.2.3", "$", "12a", "99999999999999999999"})
        EXPECT_FALSE(ParseCurrency(QString::fromLatin1(bad), kUs).has_value()) << bad;
}

TEST(Money, RoundTripsThroughDoubleToTheNearestTenThousandth)
{
    for (const qint64 count : {1LL, -1LL, 123456789LL, -99999999999LL})
        EXPECT_EQ(Money::fromDouble(M(count).toDouble()), M(count));
}

} // namespace
