#include "core/stats/CurrencyText.h"

#include <QHash>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Beyond this many ten-thousandths the parser's own range checks come into
// play, so the text is built and read.
constexpr qint64 kQuickLimit = 10'000'000'000'000; // one billion units

// Amounts the quick paths are checked against: halves, carries, signs and
// large values.
constexpr qint64 kProbes[] = {0,    1,    49,    50,     51,     149,     150,          151,
                              1250, 3750, 6250,  8750,   12345,  99950,   99995,        99999,
                              -50,  -150, -1250, -12345, -99995, 4500050, 123456789012, -987654321098,
                              5,    15,   25,    35,     45,     55,      65,           75};

std::optional<Money> ParsePrinted(const CurrencyText& currency, const char* format, auto value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return currency.parse(QString::fromLatin1(buffer));
}

} // namespace

CurrencyText::CurrencyText(const QLocale& locale) : m_locale(locale)
{
    // What the checks found for a locale holds for as long as the program
    // runs, and evaluations make these objects often.
    struct Found
    {
        int digits;
        qint64 step;
        bool plainNumbers;
    };
    static QHash<QString, Found> found;
    const QString key = locale.name() + QLatin1Char('|') + locale.currencySymbol() + locale.decimalPoint() +
                        locale.groupSeparator() + locale.negativeSign();
    const auto known = found.constFind(key);
    if (known != found.constEnd()) {
        m_digits = known->digits;
        m_step = known->step;
        m_plainNumbers = known->plainNumbers;
        return;
    }
    check();
    found.insert(key, Found{m_digits, m_step, m_plainNumbers});
}

void CurrencyText::check()
{
    // The currency digits: what survives of an amount with four decimals.
    const std::optional<Money> probe = parse(format(Money::fromTenThousandths(11111)));
    const qint64 kept[] = {10000, 11000, 11100, 11110, 11111};
    for (int digits = 0; digits <= 4 && probe; ++digits) {
        if (probe->tenThousandths() == kept[digits])
            m_digits = digits;
    }
    if (m_digits >= 0) {
        m_step = 1;
        for (int i = m_digits; i < 4; ++i)
            m_step *= 10;
    }
    for (qint64 count : kProbes) {
        if (m_digits < 0)
            break;
        const Money amount = Money::fromTenThousandths(count);
        const std::optional<Money> quick = quickRoundTrip(count);
        if (quick && quick != parse(format(amount)))
            m_digits = -1;
    }

    m_plainNumbers = true;
    const qint64 millionths[] = {0, 1, 49, 50, 51, 150, -50, -51, 1234567891, -1234567891, 999999950};
    for (qint64 n : millionths) {
        const double value = static_cast<double>(n) / 1e6;
        m_plainNumbers = m_plainNumbers && parseMillionths(n) == ParsePrinted(*this, "%lf", value);
    }
    const qint64 wholes[] = {0, 7, -7, 1234567, -1234567};
    for (qint64 w : wholes)
        m_plainNumbers =
            m_plainNumbers && parseWhole(w) == ParsePrinted(*this, "%lld", static_cast<long long>(w));
}

std::optional<Money> CurrencyText::roundTrip(Money amount) const
{
    if (!amount.isValid())
        return std::nullopt;
    if (m_digits >= 0) {
        if (std::optional<Money> quick = quickRoundTrip(amount.tenThousandths()))
            return quick;
    }
    return parse(format(amount));
}

std::optional<Money> CurrencyText::quickRoundTrip(qint64 count) const
{
    const qint64 magnitude = count < 0 ? -count : count;
    if (m_digits < 0 || magnitude >= kQuickLimit)
        return std::nullopt;
    const qint64 step = m_step;
    const qint64 rest = magnitude % step;
    // Most amounts have no more decimals than the currency shows.
    if (rest == 0)
        return Money::fromTenThousandths(count);
    // Halves go away from zero, as in the text.
    const qint64 rounded = magnitude - rest + (rest * 2 >= step ? step : 0);
    return Money::fromTenThousandths(count < 0 ? -rounded : rounded);
}

std::optional<Money> CurrencyText::parseMillionths(qint64 millionths) const
{
    const qint64 magnitude = millionths < 0 ? -millionths : millionths;
    if (!m_plainNumbers || magnitude >= kQuickLimit * 100) {
        // The text itself, written from the millionths without a double, with
        // the decimal point "%lf" would use.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%s%lld%s%06lld", millionths < 0 ? "-" : "",
                      static_cast<long long>(magnitude / 1000000), std::localeconv()->decimal_point,
                      static_cast<long long>(magnitude % 1000000));
        return parse(QString::fromLatin1(buffer));
    }
    // Four decimals are kept; the fifth decides, half away from zero.
    const qint64 count = (magnitude + 50) / 100;
    return Money::fromTenThousandths(millionths < 0 ? -count : count);
}

std::optional<Money> CurrencyText::parseWhole(qint64 value) const
{
    const qint64 magnitude = value < 0 ? -value : value;
    if (!m_plainNumbers || magnitude >= kQuickLimit / Money::kScale) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
        return parse(QString::fromLatin1(buffer));
    }
    return Money::fromWhole(value);
}
