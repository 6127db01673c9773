#pragma once

#include <QLocale>
#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

// A currency amount: a signed count of ten-thousandths of the currency unit,
// with a validity state. Arithmetic is exact; a result that does not fit in
// 64 bits, or a division by zero, gives an invalid amount instead of wrapping.
class Money
{
public:
    enum class Status { Valid, Invalid, Null };

    static constexpr qint64 kScale = 10000;

    constexpr Money() = default;

    static constexpr Money fromTenThousandths(qint64 count) { return Money(count, Status::Valid); }
    static constexpr Money fromWhole(qint64 units, qint64 tenThousandths = 0)
    {
        return Money(units * kScale + tenThousandths, Status::Valid);
    }
    // The nearest ten-thousandth of a real amount; invalid when it cannot be represented.
    static Money fromDouble(double units);
    static constexpr Money invalid() { return Money(0, Status::Invalid); }
    static constexpr Money null() { return Money(0, Status::Null); }

    constexpr qint64 tenThousandths() const { return m_count; }
    constexpr Status status() const { return m_status; }
    constexpr bool isValid() const { return m_status == Status::Valid; }
    double toDouble() const { return static_cast<double>(m_count) / kScale; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    Money operator*(qint64 factor) const;
    // Truncates toward zero.
    Money operator/(qint64 divisor) const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

    friend constexpr bool operator==(Money a, Money b) = default;
    friend constexpr std::strong_ordering operator<=>(Money a, Money b)
    {
        return a.m_count <=> b.m_count;
    }

private:
    constexpr Money(qint64 count, Status status) : m_count(count), m_status(status) {}
    static Money fromWide(__int128 count);

    qint64 m_count = 0;
    Status m_status = Status::Valid;
};

// The sales-tax product: amount × factor, where the factor is first made a whole
// number of hundred-thousandths (rounded, so 7.25 % is exact) and the product is
// truncated toward zero.
Money MultiplyCurrencyByFactor(Money amount, double factor);

// The locale the user works in for amounts and dates. The bare C/POSIX locale has
// no currency sign, so it falls back to English (United States).
QLocale UserLocale();

// The amount in the locale's currency format, rounded to the currency's digits
// half away from zero; a negative amount always carries a leading minus sign,
// never parentheses, and one that shows as zero carries none.
QString FormatCurrency(Money amount, const QLocale& locale = UserLocale());

// The text of an amount field: the locale's currency format with every decimal
// the amount holds (at least the currency's digits, at most four), so that
// reading the text back gives the amount itself.
QString FormatCurrencyField(Money amount, const QLocale& locale = UserLocale());

// A typed amount in the locale's format, with or without the currency sign and
// group separators; parentheses or a leading minus make it negative. Digits beyond
// the fourth decimal are rounded half away from zero. Nothing for text that is not
// an amount.
std::optional<Money> ParseCurrency(const QString& text, const QLocale& locale = UserLocale());
