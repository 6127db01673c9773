#pragma once

#include "core/common/Money.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class CurrencyText;

// A computed statistic value: a text and its kind. Values pass from one
// statistic to the next as text, so whoever takes a value reads it back from
// that text: as a real number the way the C library's atof does, as an amount
// the way the locale's currency parser does. A value keeps what its text reads
// back as instead of the text itself (reading it costs too much on a million
// records) and builds the text only when it is shown.
class StatisticValue
{
public:
    enum Kind : quint8
    {
        KindNone = 0, // the empty text of a missing operand
        KindBoolean = 1,
        KindInteger = 4,
        KindCurrency = 5,
        KindReal = 7,
    };

    // The empty text.
    StatisticValue() = default;

    // Text as it stands (a constant typed by the user, or "0.0"). The value
    // refers to the text, which must outlive it.
    static StatisticValue fromText(const QString& text, Kind kind, const CurrencyText& currency);
    // "0.0" of the given kind.
    static StatisticValue zeroText(Kind kind, const CurrencyText& currency);
    // "%lf", kind real unless another is given (an aggregate keeps the kind of
    // what it added up).
    static StatisticValue real(double value, Kind kind = KindReal);
    // "%ld", kind integer.
    static StatisticValue whole(qint64 value);
    // "1" or "0", kind boolean.
    static StatisticValue boolean(bool value);
    // The amount in the locale's currency format, kind currency; nothing for an
    // amount that is not valid or whose text cannot be read back.
    static std::optional<StatisticValue> currency(Money amount, const CurrencyText& currency);
    // An amount written as a plain number (no currency sign, no grouping, up to
    // four decimals without trailing zeros), kind real: a ratio of two amounts.
    static StatisticValue plainAmount(Money amount);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_form == Form::Empty; }
    // What atof gives for the text.
    double number() const { return m_number; }
    // What the locale's currency parser gives for the text.
    std::optional<Money> amount(const CurrencyText& currency) const;
    // The amount a currency value was written from (as its text reads back);
    // nothing for a value of any other form.
    std::optional<Money> exactAmount() const
    {
        return m_form == Form::Currency ? std::optional<Money>(Money::fromTenThousandths(m_count))
                                        : std::nullopt;
    }
    QString text(const CurrencyText& currency) const;

    // The "%lf" text of a number.
    static QString realText(double value);

private:
    enum class Form : quint8
    {
        Empty,
        Text,
        Real,
        Whole,
        Currency,
        PlainAmount
    };

    double m_number = 0.0;
    double m_raw = 0.0; // Real: the number before "%lf" rounded it
    qint64 m_count = 0; // Real: millionths; Whole: the value; Text, Currency, PlainAmount: the amount
    const QString* m_text = nullptr;
    Kind m_kind = KindNone;
    Form m_form = Form::Empty;
    bool m_countKnown = false; // Real: the millionths are known; Text: the text reads as an amount
};
