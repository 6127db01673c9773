#pragma once

#include "core/common/Money.h"
#include "core/common/RecordIds.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The field type codes a stored query's sentence knows; the codes are those the
// listings' field tables have always carried.
enum class QueryFieldType : int
{
    Boolean = 1,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    Date = 8,
    Text = 10,
};

// One field a query sentence can test: the column name and its type.
struct QueryField
{
    QString name;
    QueryFieldType type;
};

// The fields a listing offers to its queries, in the order the field combos list them.
const QList<QueryField>& QueryFieldsOf(ListingKind listing);
// Index of a field in the listing's table, letter case not counted; -1 when absent.
int QueryFieldIndex(ListingKind listing, const QString& name);

// The table a listing's records come from ("Vendors", "Items", "PO", "SI",
// "Customers", "Stock").
QString ListingTableName(ListingKind listing);

// The "Location" combo lists the listings in the order Vendors, Items, Purchase
// Orders, Stock, Invoices, Customers, so its indices are not the listing codes.
QStringList QueryLocationEntries();
// The listing at a combo index; Vendors for an index outside the combo.
ListingKind ListingAtLocation(int comboIndex);
int LocationIndexOf(ListingKind listing);

// The operator combo's phrases, "is equal to" first.
QStringList QueryOperatorPhrases();
// The SQL text of an operator (" = ", " != ", ...); empty for no selection.
QString QueryOperatorSql(int index);
inline constexpr int kQueryOperatorCount = 6;

// The hint shown beside a criterion for a field of this type; nothing for the
// real-number types, whose rows keep whatever hint they showed before.
std::optional<QString> QueryFormatHint(QueryFieldType type, const QLocale& locale = UserLocale());
