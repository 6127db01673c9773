#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/RecordIds.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProjectTables;

// One line of a purchase order as Manage Purchase Orders and the purchase-order
// printout show it: what was ordered on one order line and what has been
// received against it so far.
struct POLine
{
    qint32 orderID = NoID;
    qint32 itemID = NoID;
    bool itemFound = false;
    QString itemName;
    QString itemNumber;
    qint64 ordered = 0;
    qint64 received = 0;
    // Null while nothing has been received.
    DateTime lastReceiveDate = DateTime::null();
    // The item's current cost, not what was paid for it.
    Money unitPrice;
    bool taxable = false;

    QString orderedText() const;
    QString receivedText() const;
    // The date, or "-" while nothing has been received.
    QString lastReceiveText() const;
    // Empty when the item no longer exists.
    QString unitPriceText() const;
    Money extendedCost() const { return unitPrice * ordered; }
};

// The figures of every line of a purchase order. Receipts come first, in the
// order they were recorded: a line's ordered quantity is the outstanding
// quantity at its first receipt, and its receipts add up. Then the outstanding
// order lines: a line nothing was received on yet is added with its quantity,
// a line already received on adds its quantity unless it is a backorder (whose
// quantity the first receipt already counted). A fixed handful of queries,
// whatever the number of lines.
QList<POLine> ComputePOLines(ProjectTables& tables, qint32 poID);

// Money totals of a purchase order's lines at their unit prices; tax applies to
// the taxable items' extended costs at the purchase order's rate (percent).
struct POTotals
{
    Money subtotal;
    Money tax;
    Money total;
};
POTotals ComputePOTotals(const QList<POLine>& lines, double taxRatePercent);

// The lines as the purchase-order printout takes them, six texts each: item
// name, item number, quantity ordered, unit price, "Y" or "N" for a taxable
// item, and extended cost.
QList<QStringList> POPrintoutLines(const QList<POLine>& lines);
