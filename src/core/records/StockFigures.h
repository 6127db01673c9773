#pragma once

#include <QStringList>
#include <QtGlobal>

class ProjectTables;

// An item's Stocked is always the sum of Quanity over its stock lots and its
// Ordered the sum over its order lines; they are rewritten from those sums after
// every change, never adjusted by increments. The sums run over the whole table,
// whatever a list has filtered.

// Rewrites the item's Stocked; false when the item does not exist or the write fails.
bool RecomputeStocked(ProjectTables& tables, qint32 itemID);
// Rewrites the item's Ordered.
bool RecomputeOrdered(ProjectTables& tables, qint32 itemID);
// Both.
bool RecomputeItemTotals(ProjectTables& tables, qint32 itemID);

// Every item whose stored totals differ from its lots and order lines, one line
// of text each; empty when the project is consistent. A read that fails is a
// line of its own.
QStringList CheckStockInvariants(ProjectTables& tables);
