#pragma once

#include <QString>
#include <QtGlobal>

// An in-memory ID member that refers to no record.
inline constexpr qint32 NoID = -9999;
// What a list or picker selection holding nothing reads as.
inline constexpr qint32 NoSelection = -1;

// Where a stock lot came from when it did not come from a purchase order; held in
// Stock.OrderID and Stock.POID.
enum StockOrigin : qint32 {
    StockInitial = -1,
    StockCustomerReturn = -2,
    StockOther = -3,
};

// The label of an origin code ("Initial", "Customer Return", "Other"); empty for
// anything else.
QString StockOriginLabel(qint32 code);

// The kinds of record list. The same codes index tree folders, list views,
// stored queries and report definitions.
enum class ListingKind : int {
    Vendors = 0,
    Items = 1,
    PurchaseOrders = 2,
    Invoices = 3,
    Customers = 4,
    Stock = 5,
};
inline constexpr int kListingKindCount = 6;

// A record ID as shown to the user: six digits with leading zeros.
QString FormatRecordId(qint32 id);

// Picker entries: the visible text, 50 spaces, and the ID as six digits.
QString PickerEntryText(QStringView visible, qint32 id);
// The same for a record shown by its number as six digits: PickerEntryText(FormatRecordId(number), id).
QString NumberedPickerEntryText(qint32 number, qint32 id);
// The customer list's variant: the visible text and "#<id>".
QString CustomerEntryText(const QString& visible, qint32 id);
// The ID of an entry: the number after its last space (a leading "#" allowed);
// NoSelection when there is none.
qint32 EntryId(const QString& entry);
