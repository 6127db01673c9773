#include "Money.h"

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

QString FormatCurrency(Money amount, const QLocale& locale)
{
    if (!amount.isValid())
        return QString();
    const bool negative = amount.tenThousandths() < 0;
    // Format the magnitude and put the sign in front ourselves, so locales that
    // write negatives in parentheses still read "-".
    const double magnitude = std::fabs(amount.toDouble());
    QString text = locale.toCurrencyString(magnitude);
    if (negative && text != locale.toCurrencyString(0.0))
        text.prepend(QLatin1Char('-'));
    return text;
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
