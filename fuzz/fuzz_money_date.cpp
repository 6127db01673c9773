// Typed amounts and dates, in the locales a user works in: any text either
// reads or is refused, and what reads formats back to text that reads again to
// the same value.
#include "FuzzSupport.h"

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/NumberText.h"

#include <QLocale>

#include <array>
#include <cstdlib>

QM_FUZZ_INITIALIZE

namespace {

const std::array<QLocale, 4>& locales()
{
    static const std::array<QLocale, 4> all{
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::Switzerland), QLocale(QLocale::Japanese, QLocale::Japan)};
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale, the rest is the typed text.
    const QLocale& locale = locales()[data[0] % locales().size()];
    const QString text = fuzz::text(data + 1, size - 1);

    if (const std::optional<Money> amount = ParseCurrency(text, locale); amount && amount->isValid()) {
        const std::optional<Money> again = ParseCurrency(FormatCurrencyField(*amount, locale), locale);
        if (!again || *again != *amount)
            std::abort();
        (void)FormatCurrency(*amount, locale);
        (void)MultiplyCurrencyByFactor(*amount, 0.0725);
    }

    const DateTime date = DateTime::parseDate(text, locale);
    if (date.isValid()) {
        (void)date.queryLiteral();
        const QString shown = date.formatShortDate(locale);
        if (shown.isEmpty())
            std::abort();
    }

    (void)ParseWholeNumber(text);
    (void)LeadingWholeNumber(text);
    (void)LeadingRealNumber(text);
    return 0;
}
