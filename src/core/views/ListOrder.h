#pragma once

#include "core/common/RecordIds.h"

#include <QString>
#include <QStringList>

// How the database orders a record list by one of its columns, with the same
// typed comparisons the list cells define (ListSortKeyOf): whole numbers and
// amounts by value, dates by day with an empty date first, text without case
// through the engine's folded collation, stock origins with purchase-order
// numbers before the origin labels. The list's rows are the table's rows
// aliased "r"; the key may need other tables, joined by `joins`.
struct ListOrderKey
{
    // LEFT JOINs after "FROM <table> AS r" (empty when the key is r's own).
    QString joins;
    // The key's parts, compared in turn, each ascending with NULL lowest.
    QStringList parts;
    // An index of the table delivers r's rows in this key's order, so that a
    // screenful is read without sorting the table. Columns without one are
    // ordered once into a scratch table of positions.
    bool indexed = false;
    // The index it needs, which the schema creates with the table.
    QString index;
};

ListOrderKey ListOrderFor(ListingKind kind, int definitionIndex);

// The order of rows whose keys are equal: the order the table's rows are read
// in. For stock that is the inventory style's (date then ID, ascending for
// FIFO and descending for LIFO); for the others the record ID.
struct ListTieBreak
{
    QStringList parts;
    bool descending = false;
};
ListTieBreak ListReadOrder(ListingKind kind, bool lifo);

// The table behind each list.
QString ListTable(ListingKind kind);
