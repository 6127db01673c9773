// Query text: the dialect translator and the stored form over any text, and
// the stored-query reader over any stored text. A stored query reads back into
// a sentence whose own query text the translator accepts.
#include "FuzzSupport.h"

#include "core/db/Dialect.h"
#include "core/reports/QuerySql.h"

#include <QLocale>

#include <cstdlib>

QM_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 4096)
        return 0;
    // The first byte picks the listing, the rest is the text.
    const ListingKind listing = static_cast<ListingKind>(data[0] % kListingKindCount);
    const QString text = fuzz::text(data + 1, size - 1);

    const TranslatedSql translated = TranslateQuery(text);
    if (!translated.ok && translated.error.isEmpty())
        std::abort();

    // The stored form of a query the translator accepts is its own stored form
    // (text left inside an unterminated literal has no stored form to keep).
    const QString stored = NormalizeStoredQuery(text);
    if (translated.ok && NormalizeStoredQuery(stored) != stored)
        std::abort();
    (void)ApplySortToStoredQuery(stored, QStringLiteral("[Name] DESC"));
    (void)ApplySortToStoredQuery(QStringLiteral("SELECT * FROM [Items];"), text);
    (void)QueryBelongsToListing(text, listing);

    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QuerySentence sentence = ParseQuerySql(listing, stored, locale);
    if (const std::optional<QString> rebuilt = BuildQuerySql(listing, sentence, locale)) {
        if (!TranslateQuery(*rebuilt).ok)
            std::abort();
    }
    return 0;
}
