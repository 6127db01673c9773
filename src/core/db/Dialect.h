#pragma once

#include <QString>
#include <QStringList>

// The application's query dialect: the one place where query text written by
// callers and stored in projects becomes SQL that SQLite runs, plus the
// normalised form stored queries are kept in and safe quoting of values.

struct TranslatedSql
{
    bool ok = false;
    QString sql;
    QString error;
};

// Application dialect -> SQLite: [name] identifiers, #m/d/y# dates, TRUE/FALSE,
// SELECT TOP n [PERCENT], "text" literals and a final ';'. Fails with a message
// on an impossible date, an unterminated literal or more than one statement.
[[nodiscard]] TranslatedSql TranslateQuery(const QString& text);

// A single-quoted text literal with inner quotes doubled; always safe to splice
// into query text.
[[nodiscard]] QString SqlTextLiteral(const QString& value);

// [name] in the application dialect; a ']' inside the name is dropped since it
// would end the identifier early.
[[nodiscard]] QString SqlIdentifier(const QString& name);

// "name": a table or column name as SQLite reads it, an inner '"' doubled, so
// that any name stays one name. The only place SQLite names are quoted.
[[nodiscard]] QString SqlName(const QString& name);

// The stored form of a query: one clause a line, each line ended by "\r\n", the
// last clause followed by ";\r\n". Clauses start at top-level SELECT, FROM,
// WHERE, GROUP BY, HAVING and ORDER BY; whitespace runs outside literals
// collapse to one blank. Empty text gives an empty string.
[[nodiscard]] QString NormalizeStoredQuery(const QString& text);

// Sets or replaces the ORDER BY of a stored query; this is how a list view
// re-sorts a stored query. A query that takes its TOP rows keeps its own ORDER
// BY, which decides the rows it takes, and becomes a subquery that the sort
// orders from outside. A blank sort leaves the text as it is.
[[nodiscard]] QString ApplySortToStoredQuery(const QString& storedSql, const QString& sort);

// A real-valued expression rounded half away from zero to a 64-bit whole number,
// for exact arithmetic inside a query, e.g. on currency held as real units.
[[nodiscard]] QString SqlRoundedWhole(const QString& expression);

// The name of the engine's collation that orders text as the record lists do
// (CompareFoldedText); every connection registers it.
inline constexpr const char* kFoldedCollation = "qm_fold";
// `expression` ordered and compared by that collation.
[[nodiscard]] QString SqlFolded(const QString& expression);
// An ORDER BY term: ascending or descending, a NULL below every value either way.
[[nodiscard]] QString SqlOrderTerm(const QString& expression, bool descending);
// Makes (afresh) a scratch table of this connection holding record IDs in a
// given order: columns "pos" (1, 2, ... in the order rows are inserted) and
// "id". Gone when the project closes.
[[nodiscard]] QStringList SqlScratchPositionsTable(const QString& name);
