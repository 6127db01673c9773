#pragma once

#include "core/common/Money.h"

#include <QLocale>
#include <QString>

#include <optional>

// Amounts as statistics pass them on: written in the locale's currency format
// and read back. The text keeps only the locale's currency digits, so an amount
// that goes through it is rounded to them. Statistics do this for every value of
// every record, so the usual cases are computed without building the text; each
// shortcut is checked against the real text when the object is made and left
// unused for a locale where it does not hold.
class CurrencyText
{
public:
    explicit CurrencyText(const QLocale& locale = UserLocale());

    const QLocale& locale() const { return m_locale; }

    QString format(Money amount) const { return FormatCurrency(amount, m_locale); }
    std::optional<Money> parse(const QString& text) const { return ParseCurrency(text, m_locale); }

    // parse(format(amount)); nothing for an amount that is not valid.
    std::optional<Money> roundTrip(Money amount) const;
    // What parse() gives for the "%lf" text of a number that has six decimals,
    // given as that number times 1,000,000.
    std::optional<Money> parseMillionths(qint64 millionths) const;
    // What parse() gives for the "%ld" text of a whole number.
    std::optional<Money> parseWhole(qint64 value) const;

    // Whether the shortcuts are in use; for tests.
    bool roundsQuickly() const { return m_digits >= 0; }
    bool readsNumbersQuickly() const { return m_plainNumbers; }

private:
    // Finds the currency digits and tries each shortcut against the real text.
    void check();
    std::optional<Money> quickRoundTrip(qint64 count) const;

    QLocale m_locale;
    int m_digits = -1; // currency digits of the locale; -1: always build the text
    qint64 m_step = 1; // ten-thousandths in the smallest amount the text shows
    bool m_plainNumbers = false;
};
