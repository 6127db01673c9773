#include "Money.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr __int128 kMin = std::numeric_limits<qint64>::min();
constexpr __int128 kMax = std::numeric_limits<qint64>::max();

} // namespace

Money Money::fromWide(__int128 count)
{
    if (count < kMin || count > kMax)
        return invalid();
    return fromTenThousandths(static_cast<qint64>(count));
}

Money Money::fromDouble(double units)
{
    const double scaled = std::round(units * kScale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(scaled) || scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
        return invalid();
    return fromTenThousandths(static_cast<qint64>(scaled));
}

Money Money::operator+(Money other) const
{
    if (!isValid() || !other.isValid())
        return invalid();
    return fromWide(static_cast<__int128>(m_count) + other.m_count);
}

Money Money::operator-(Money other) const
{
    if (!isValid() || !other.isValid())
        return invalid();
    return fromWide(static_cast<__int128>(m_count) - other.m_count);
}

Money Money::operator-() const
{
    return Money() - *this;
}

Money Money::operator*(qint64 factor) const
{
    if (!isValid())
        return invalid();
    return fromWide(static_cast<__int128>(m_count) * factor);
}

Money Money::operator/(qint64 divisor) const
{
    if (!isValid() || divisor == 0)
        return invalid();
    // Integer division in C++ truncates toward zero; the wide type keeps MIN / -1 finite.
    return fromWide(static_cast<__int128>(m_count) / divisor);
}

Money MultiplyCurrencyByFactor(Money amount, double factor)
{
    if (!amount.isValid())
        return Money::invalid();
    const double scaled = std::round(factor * 100000.0);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return Money::invalid();
    const __int128 product = static_cast<__int128>(amount.tenThousandths()) * static_cast<qint64>(scaled);
    const __int128 result = product / 100000;
    if (result < kMin || result > kMax)
        return Money::invalid();
    return Money::fromTenThousandths(static_cast<qint64>(result));
}

QLocale UserLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}

namespace {

// Where a locale puts the number within its currency text, and how many
// decimals it shows.
struct CurrencyPattern
{
    QString prefix;
    QString suffix;
    int digits = 2;
    QLocale decimals; // the locale without grouping, for the digits after the point
};

constexpr quint64 kPowersOfTen[] = {1, 10, 100, 1000, 10000};

QLocale WithoutGrouping(const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain;
}

// The magnitude rounded to `digits` decimals (at most four), half away from zero,
// in the locale's digits, grouping and decimal point.
QString NumberText(quint64 magnitude, int digits, const QLocale& locale, const QLocale& decimals)
{
    const quint64 step = kPowersOfTen[4 - digits];
    const quint64 rounded = magnitude / step + (magnitude % step * 2 >= step ? 1 : 0);
    const quint64 unit = kPowersOfTen[digits];
    QString text = locale.toString(static_cast<qulonglong>(rounded / unit));
    if (digits == 0)
        return text;
    const quint64 fraction = rounded % unit;
    text += locale.decimalPoint();
    int shown = 1;
    for (quint64 f = fraction; f >= 10; f /= 10)
        ++shown;
    for (int i = shown; i < digits; ++i)
        text += locale.zeroDigit();
    return text + decimals.toString(static_cast<qulonglong>(fraction));
}

// The locale's own currency text of a whole amount (exact in binary, so no
// rounding is involved) tells where the number goes and how many decimals the
// currency has.
CurrencyPattern PatternOf(const QLocale& locale)
{
    constexpr qint64 kProbe = 1234567;
    const QString text = locale.toCurrencyString(static_cast<double>(kProbe));
    const QLocale decimals = WithoutGrouping(locale);
    for (int digits = 4; digits >= 0; --digits) {
        const QString number =
            NumberText(static_cast<quint64>(kProbe) * Money::kScale, digits, locale, decimals);
        const qsizetype at = text.indexOf(number);
        if (at >= 0)
            return CurrencyPattern{text.left(at), text.mid(at + number.size()), digits, decimals};
    }
    return CurrencyPattern{QString(), QLatin1Char(' ') + locale.currencySymbol(), 2, decimals};
}

const CurrencyPattern& CachedPatternOf(const QLocale& locale)
{
    // Amounts are formatted by the thousand in the same locale.
    thread_local QLocale last;
    thread_local CurrencyPattern pattern;
    thread_local bool known = false;
    if (!known || last != locale) {
        pattern = PatternOf(locale);
        last = locale;
        known = true;
    }
    return pattern;
}

QString AmountText(Money amount, int digits, const CurrencyPattern& pattern, const QLocale& locale)
{
    const qint64 count = amount.tenThousandths();
    // The magnitude of the most negative count still fits unsigned.
    const quint64 magnitude = count < 0 ? 0 - static_cast<quint64>(count) : static_cast<quint64>(count);
    const quint64 step = kPowersOfTen[4 - digits];
    const bool showsZero = magnitude / step + (magnitude % step * 2 >= step ? 1 : 0) == 0;
    QString text = pattern.prefix + NumberText(magnitude, digits, locale, pattern.decimals) + pattern.suffix;
    // Our own sign in front, so locales that write negatives in parentheses
    // still read "-"; an amount that shows as zero has none.
    if (count < 0 && !showsZero)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace

QString FormatCurrency(Money amount, const QLocale& locale)
{
    if (!amount.isValid())
        return QString();
    const CurrencyPattern& pattern = CachedPatternOf(locale);
    return AmountText(amount, pattern.digits, pattern, locale);
}

QString FormatCurrencyField(Money amount, const QLocale& locale)
{
    if (!amount.isValid())
        return QString();
    const CurrencyPattern& pattern = CachedPatternOf(locale);
    int held = 4;
    for (qint64 count = amount.tenThousandths(); held > 0 && count % 10 == 0; count /= 10)
        --held;
    return AmountText(amount, std::max(held, pattern.digits), pattern, locale);
}

std::optional<Money> ParseCurrency(const QString& text, const QLocale& locale)
{
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString isoCode = locale.currencySymbol(QLocale::CurrencyIsoCode);
    const QString minus = locale.negativeSign();
    auto takeMinus = [&] {
        if (s.startsWith(QLatin1Char('-')) || (!minus.isEmpty() && s.startsWith(minus))) {
            s = s.mid(s.startsWith(QLatin1Char('-')) ? 1 : minus.size()).trimmed();
            negative = !negative;
        }
    };
    takeMinus();
    if (!symbol.isEmpty())
        s.remove(symbol);
    if (!isoCode.isEmpty())
        s.remove(isoCode);
    s = s.trimmed();
    takeMinus();
    if (s.endsWith(QLatin1Char('-'))) {
        s.chop(1);
        negative = !negative;
    }

    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    bool seenDecimal = false;
    bool seenDigit = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isDigit()) {
            seenDigit = true;
            const int digit = c.digitValue();
            if (!seenDecimal) {
                if (whole > (std::numeric_limits<qint64>::max() / Money::kScale - 9) / 10)
                    return std::nullopt;
                whole = whole * 10 + digit;
            } else if (fractionDigits < 4) {
                fraction = fraction * 10 + digit;
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = digit >= 5;
                ++fractionDigits;
            }
        } else if (!seenDecimal && s.mid(i).startsWith(decimal)) {
            seenDecimal = true;
            i += decimal.size() - 1;
        } else if (!seenDecimal && !group.isEmpty() && s.mid(i).startsWith(group)) {
            i += group.size() - 1;
        } else if (c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F)) {
            continue; // some locales group with a (narrow) no-break space
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    for (int i = std::min(fractionDigits, 4); i < 4; ++i)
        fraction *= 10;
    qint64 count = whole * Money::kScale + fraction + (roundUp ? 1 : 0);
    return Money::fromTenThousandths(negative ? -count : count);
}
