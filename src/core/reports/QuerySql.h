#pragma once

#include "QueryFields.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class ProjectDatabase;

enum class QueryConnector
{
    And = 0,
    Or = 1
};

// One "field operator value" row of a query sentence.
struct QueryCriterion
{
    int field = 0; // index in the listing's fields
    int op = 0;    // index in the operator phrases; -1 for none
    QString value; // as the user typed it
};

inline constexpr int kQueryCriterionCount = 3;

// The fill-in-the-blanks sentence a stored query is built from ("SHOW ALL / TOP n
// ... RECORDS IN WHICH field operator value ..."). A default sentence holds the
// query dialog's start values.
struct QuerySentence
{
    bool top = false;
    QString count = QStringLiteral("10");
    bool percent = true;
    int orderBy = 0; // index in the listing's fields
    bool descending = false;
    std::array<QueryCriterion, kQueryCriterionCount> criteria;
    // connectors[0] joins rows 1 and 2, connectors[1] rows 2 and 3.
    std::array<QueryConnector, kQueryCriterionCount - 1> connectors{QueryConnector::And, QueryConnector::And};
};

// The TOP count as typed: its leading whole number, 0 when it has none.
int QueryTopCount(const QString& countText);

// Whether a row takes part in the query: it has an operator and a value.
bool CriterionApplies(const QueryCriterion& criterion);

// A typed value in the form the query text holds it: a currency amount as a plain
// number with a "." ("1234.5"), a date as month/day/year, numbers and TRUE/FALSE
// as typed (without surrounding blanks), text exactly as typed (never with a
// line break or a NUL, which would cut its clause short). Nothing when the value
// is not of the field's type, so that no typed text can change what the query
// means.
std::optional<QString> NormalizeQueryValue(QueryFieldType type, const QString& value,
                                           const QLocale& locale = UserLocale());

// The query text of a sentence over the listing's table. Text values are quoted
// with their quotes doubled, dates are written between "#", other values bare;
// ORDER BY only with TOP. Nothing when a row's field is unknown or a taking-part
// row's value is not of its field's type.
std::optional<QString> BuildQuerySql(ListingKind listing, const QuerySentence& sentence,
                                     const QLocale& locale = UserLocale());

// Reads stored query text (one clause a line, CR LF) back into a sentence. The
// reading stops at the first thing it does not recognise, leaving the rest at
// the start values. Quoted values are read whole, doubled quotes restored;
// dates and amounts come back in the user's own format.
QuerySentence ParseQuerySql(ListingKind listing, const QString& storedSql,
                            const QLocale& locale = UserLocale());

// Whether a query's text selects from the listing's table: the table name after
// "FROM ", in brackets or bare. A query can belong to several listings.
bool QueryBelongsToListing(const QString& sql, ListingKind listing);

// The names of the stored queries that belong to the listing, in the order they
// were stored.
QStringList QueriesOfListing(const ProjectDatabase& db, ListingKind listing);
