#pragma once

#include "core/common/Money.h"

#include <QList>

class ProjectTables;

// What consuming stock for one sold line did.
struct StockConsumption
{
    enum class Outcome {
        Consumed,   // the lots gave the quantity; see unitCost and lots
        NotEnough,  // the item's lots hold less than the quantity; nothing changed
        Failed,     // a database write failed; the caller rolls back
    };
    Outcome outcome = Outcome::Failed;
    // The average unit cost of exactly the units taken, truncated to a ten-thousandth.
    Money unitCost;
    // Every lot emptied (deleted) or reduced, in consumption order; the last is the
    // one reduced or deleted last.
    QList<qint32> lots;
};

// Takes `quantity` units of an item out of its lots in the project's consumption
// order (FIFO: oldest first; LIFO: newest first; lots of one day in the order
// they were entered, reversed under LIFO). Emptied lots are deleted, the last lot
// reached keeps what is left of it. First checks that the lots hold enough, so a
// line that cannot be filled changes nothing. Only the lots needed are read.
// Does not rewrite the item's Stocked: the caller does that once it is done.
StockConsumption ConsumeStock(ProjectTables& tables, qint32 itemID, qint32 quantity);

struct CSalesRec;
class DateTime;

// Puts `quantity` units of a sale back into stock as a new lot of the sale's item,
// at the sale's unit cost, dated with the invoice's date (so FIFO and LIFO take
// it in the position of that date), from the item's primary vendor, its OrderID
// and POID the origin code (StockOther for a removed sale,
// StockCustomerReturn for a return). The new lot's ID, or 0 when it could
// not be written. Does not rewrite the item's Stocked.
qint32 PutSaleBackIntoStock(ProjectTables& tables, const CSalesRec& sale, const DateTime& invoiceDate,
                            qint32 quantity, qint32 origin);
