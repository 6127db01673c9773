#include "core/stats/StatisticValue.h"

#include "core/common/NumberText.h"
#include "core/stats/CurrencyText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Below this magnitude a double still resolves millionths, so the six
// decimals of "%lf" can be found without printing.
constexpr double kQuickLimit = 2147483648.0;

// The value of the "%lf" text of x in millionths: x times a million rounded to
// a whole number the way printf rounds, half to even on exact halves.
bool Millionths(double x, qint64& millionths)
{
    const double magnitude = std::fabs(x);
    if (!(magnitude < kQuickLimit))
        return false;
    const double product = magnitude * 1e6;
    // The product's rounding error, exactly: together they are the exact product.
    const double error = std::fma(magnitude, 1e6, -product);
    const double whole = std::floor(product);
    const double beyondHalf = (product - whole - 0.5) + error;
    qint64 n = static_cast<qint64>(whole);
    if (beyondHalf > 0.0 || (beyondHalf == 0.0 && (n & 1) != 0))
        ++n;
    millionths = std::signbit(x) ? -n : n;
    return true;
}

const QString& EmptyText()
{
    static const QString text;
    return text;
}

const QString& ZeroText()
{
    static const QString text = QStringLiteral("0.0");
    return text;
}

} // namespace

StatisticValue StatisticValue::fromText(const QString& text, Kind kind, const CurrencyText& currency)
{
    StatisticValue value;
    value.m_form = Form::Text;
    value.m_kind = kind;
    value.m_text = &text;
    value.m_number = LeadingRealNumber(text);
    if (const std::optional<Money> amount = currency.parse(text)) {
        value.m_count = amount->tenThousandths();
        value.m_countKnown = true;
    }
    return value;
}

StatisticValue StatisticValue::zeroText(Kind kind, const CurrencyText& currency)
{
    return fromText(ZeroText(), kind, currency);
}

StatisticValue StatisticValue::real(double number, Kind kind)
{
    StatisticValue value;
    value.m_form = Form::Real;
    value.m_kind = kind;
    value.m_raw = number;
    if (Millionths(number, value.m_count)) {
        value.m_countKnown = true;
        const double magnitude =
            static_cast<double>(value.m_count < 0 ? -value.m_count : value.m_count) / 1e6;
        // "-0.000000" reads back as a negative zero.
        value.m_number = std::signbit(number) ? -magnitude : magnitude;
    } else {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%lf", number);
        value.m_number = std::strtod(buffer, nullptr);
    }
    return value;
}

StatisticValue StatisticValue::whole(qint64 number)
{
    StatisticValue value;
    value.m_form = Form::Whole;
    value.m_kind = KindInteger;
    value.m_count = number;
    value.m_number = static_cast<double>(number);
    return value;
}

StatisticValue StatisticValue::boolean(bool flag)
{
    StatisticValue value = whole(flag ? 1 : 0);
    value.m_kind = KindBoolean;
    return value;
}

std::optional<StatisticValue> StatisticValue::currency(Money amount, const CurrencyText& currency)
{
    const std::optional<Money> readBack = currency.roundTrip(amount);
    if (!readBack)
        return std::nullopt;
    StatisticValue value;
    value.m_form = Form::Currency;
    value.m_kind = KindCurrency;
    value.m_count = readBack->tenThousandths();
    value.m_number = readBack->toDouble();
    return value;
}

StatisticValue StatisticValue::plainAmount(Money amount)
{
    StatisticValue value;
    value.m_form = Form::PlainAmount;
    value.m_kind = KindReal;
    value.m_count = amount.tenThousandths();
    value.m_number = amount.toDouble();
    return value;
}

std::optional<Money> StatisticValue::amount(const CurrencyText& currency) const
{
    switch (m_form) {
    case Form::Empty:
        return currency.parse(EmptyText());
    case Form::Text:
        if (!m_countKnown)
            return std::nullopt;
        return Money::fromTenThousandths(m_count);
    case Form::Real:
        if (m_countKnown)
            return currency.parseMillionths(m_count);
        return currency.parse(text(currency));
    case Form::Whole:
        return currency.parseWhole(m_count);
    case Form::Currency:
        return Money::fromTenThousandths(m_count);
    case Form::PlainAmount:
        if (currency.readsNumbersQuickly())
            return Money::fromTenThousandths(m_count);
        return currency.parse(text(currency));
    }
    return std::nullopt;
}

QString StatisticValue::text(const CurrencyText& currency) const
{
    switch (m_form) {
    case Form::Empty:
        return QString();
    case Form::Text:
        return *m_text;
    case Form::Real:
        return realText(m_raw);
    case Form::Whole:
        return QString::number(m_count);
    case Form::Currency:
        return currency.format(Money::fromTenThousandths(m_count));
    case Form::PlainAmount: {
        const qint64 magnitude = m_count < 0 ? -m_count : m_count;
        QString out = QString::number(magnitude / Money::kScale);
        qint64 fraction = magnitude % Money::kScale;
        if (fraction != 0) {
            QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
            while (digits.endsWith(QLatin1Char('0')))
                digits.chop(1);
            out += QLatin1Char('.') + digits;
        }
        return m_count < 0 ? QLatin1Char('-') + out : out;
    }
    }
    return QString();
}

QString StatisticValue::realText(double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%lf", value);
    return QString::fromLatin1(buffer);
}
