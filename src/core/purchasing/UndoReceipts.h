#pragma once

#include "core/common/ChangeList.h"

class Prompter;
class ProjectTables;

// What undoing the receipts of an order line did.
struct UndoReceiptsResult
{
    bool changed = false;
    // The order line's ID afterwards: its backorder's ID, a new ID, or the one
    // given when nothing changed.
    qint32 orderID = NoID;
};

// Takes every receipt of an order line back out of stock, all or nothing: asks
// first, refuses when any lot has been drawn on, restores the order line as it was
// before its first receipt (onto its active backorder, keeping anything ordered
// onto that since, or as a new line), and rewrites the item's totals. Nothing is
// asked or shown while its one transaction is open; changed records are added to
// `changes`.
UndoReceiptsResult UndoReceipts(ProjectTables& tables, Prompter& prompter, qint32 orderID, ChangeList& changes);
