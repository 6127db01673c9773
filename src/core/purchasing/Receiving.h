#pragma once

#include "core/common/ChangeList.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"

#include <QList>

class Prompter;
class ProjectTables;

// What arrived against one order line.
struct ReceiptInput
{
    qint32 orderID = NoSelection;
    qint32 quantity = 0;
    Money cost;
    DateTime date = DateTime::null();
};

// What receiving did.
struct ReceiptOutcome
{
    enum class Status
    {
        Received,     // lot and receipt written
        OrderMissing, // the order line no longer exists; nothing written, nothing shown
        Refused, // the input cannot be received (quantity below 1, invalid cost or date); nothing written
        Failed,  // a write failed and was rolled back; already reported to the user
    };

    Status status = Status::Refused;
    qint32 orderID = NoID;
    qint32 itemID = NoID;
    qint32 poID = NoID;
    qint32 stockID = NoID;
    qint32 receiptID = NoID;
    // The order line is still outstanding as a backorder.
    bool backordered = false;

    bool received() const { return status == Status::Received; }
};

// Receives goods against an order line: a new stock lot at the cost entered, a
// receipt pointing to it, the order line removed or, when less than outstanding
// arrived and the user wants it, kept as a backorder of the remainder, and the
// item's totals rewritten from their sums. The backorder question is asked before
// anything is written, so the single transaction holding every write is never left
// open while the user decides. Changed records go into `changes`, the new receipt's
// ID into `receipts`.
ReceiptOutcome ReceiveOrderLine(ProjectTables& tables, Prompter& prompter, const ReceiptInput& input,
                                ChangeList& changes, QList<qint32>* receipts = nullptr);

// The question asked when fewer items arrived than were outstanding.
QString BackorderQuestion(qint32 remaining);
