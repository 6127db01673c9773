#pragma once

#include "core/common/RecordIds.h"

#include <QList>
#include <QString>

// What the six record lists are made of: their columns as first defined, the
// settings section each keeps its column layout in, and the texts the lists
// show around their rows.

// How a column's text sits in its cells; the values are the ones stored in the
// user's settings.
enum class ColumnJustification : int
{
    Left = 0,
    Right = 1,
    Center = 2,
};

struct ListColumnDefinition
{
    QString caption;
    ColumnJustification justification = ColumnJustification::Left;
};

// The condition a row is drawn for: each has its own colour.
enum class RowCondition
{
    None,
    StockLow, // an item with no more in stock than its reorder level
    Filled,   // a filled purchase order
    Notes,    // a customer whose record holds notes
};
inline constexpr int kRowConditionCount = 3;

// A cell before its column's value is filled in.
inline constexpr const char* kNotUsedCell = "NOT_USED";

// The kind's columns in definition order.
const QList<ListColumnDefinition>& ListColumnDefinitions(ListingKind kind);
int ListColumnCount(ListingKind kind);

// The settings section of the kind's column layout: "Vendors", "Items", "PO",
// "Sales", "Customers", "Stock".
QString ListSection(ListingKind kind);
// The caption of the kind's folder: "Vendor Information" and its siblings.
QString ListCaption(ListingKind kind);
// What a progress window says while a kind's rows are read again, e.g. "Updating items...".
QString ListUpdatingText(ListingKind kind);
// The status-bar text for a list of `count` rows.
QString DisplayedRecordsText(qsizetype count);
// The status bar's text for a list whose rows could not be read: it claims no count.
QString UnreadableListText();
