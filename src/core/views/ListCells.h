#pragma once

#include "ListDefinitions.h"
#include "core/db/Records.h"

#include <QSet>
#include <QString>
#include <QVariant>

// The cells of the record lists, built from the rows the record layer reads:
// the text of each column, what the row sorts by, its colour condition, the
// number its first column shows and the records it refers to. Everything comes
// from the row itself, so drawing or sorting a list never goes back to the
// database.

// What a cell sorts by. Keys compare by `whole`, then `real`, then `text`
// ignoring case; each column type fills the parts it needs and leaves the
// others alone.
struct ListSortKey
{
    // Longs, amounts in ten-thousandths, numbers; origins: numbers before labels;
    // text: its first characters case-folded, so most comparisons of text are
    // settled here.
    qint64 whole = 0;
    double real = 0.0; // dates as day numbers, an empty date below all others
    QString text;
};

// -1, 0 or 1.
int CompareListSortKeys(const ListSortKey& a, const ListSortKey& b);

// The first four UTF-16 units of the case-folded text, high to low, as a number
// that orders texts as they compare ignoring case wherever they differ there.
qint64 FoldedTextPrefix(QStringView text);

// A stock lot's "PO Number" cell: the purchase order's number, or the label of
// its origin ("Initial", "Customer Return", "Other", "Purged").
QString StockOriginText(qint32 origin);

// A cell's text and what it sorts by, for the rows of any of the six lists;
// a column the kind does not have shows as not used.
template <typename Row> QString ListCellText(const Row& row, int definitionIndex);
template <typename Row> ListSortKey ListSortKeyOf(const Row& row, int definitionIndex);
// The value a cell's text shows, typed for a program to read rather than
// formatted for the user: QString, int (IDs and numbers unpadded), Money or
// DateTime; an empty value where the cell shows nothing (no date, an amount
// that cannot be shown) or the column is not used. A lot's "PO Number" is the
// order's number, or its origin's label.
template <typename Row> QVariant ListCellValue(const Row& row, int definitionIndex);

RowCondition ListRowCondition(const CVendorsRow& row);
RowCondition ListRowCondition(const CItemsRow& row);
RowCondition ListRowCondition(const CPORow& row);
RowCondition ListRowCondition(const CSIRow& row);
RowCondition ListRowCondition(const CCustomersRow& row);
RowCondition ListRowCondition(const CStockRow& row);

// The number the first column shows: the record ID, except on the purchase-order
// and invoice lists, which show the document's number.
qint32 ListIdOf(const CVendorsRow& row);
qint32 ListIdOf(const CItemsRow& row);
qint32 ListIdOf(const CPORow& row);
qint32 ListIdOf(const CSIRow& row);
qint32 ListIdOf(const CCustomersRow& row);
qint32 ListIdOf(const CStockRow& row);

// Whether the row refers to any of these records of kind `kind`: an item to its
// vendors, a lot to its item and vendor, a purchase order to its vendor, an
// invoice to its customer.
bool ListRowRefersTo(const CVendorsRow& row, ListingKind kind, const QSet<qint32>& ids);
bool ListRowRefersTo(const CItemsRow& row, ListingKind kind, const QSet<qint32>& ids);
bool ListRowRefersTo(const CPORow& row, ListingKind kind, const QSet<qint32>& ids);
bool ListRowRefersTo(const CSIRow& row, ListingKind kind, const QSet<qint32>& ids);
bool ListRowRefersTo(const CCustomersRow& row, ListingKind kind, const QSet<qint32>& ids);
bool ListRowRefersTo(const CStockRow& row, ListingKind kind, const QSet<qint32>& ids);
