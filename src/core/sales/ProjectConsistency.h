#pragma once

#include "core/common/Money.h"

#include <QList>
#include <QStringList>

#include <optional>

class ProjectTables;

// The figures that must agree across the tables, each problem one line of text.
struct ConsistencyReport
{
    // Items whose Stocked or Ordered differ from their lots and order lines.
    QStringList stock;
    // Invoices whose later receivables do not owe the first Due minus the earlier
    // payments.
    QStringList chains;
    // Invoices whose first Due is not their current total. Right after a sales
    // operation or an open this is a fault; after an item's tax rate changed or an
    // item was deleted it is expected until the project is opened again.
    QStringList staleTotals;

    // Whether nothing is wrong; stale totals count only when asked.
    bool isConsistent(bool withTotals = true) const
    {
        return stock.isEmpty() && chains.isEmpty() && (!withTotals || staleTotals.isEmpty());
    }
    // Every problem, for a test's failure message.
    QStringList all() const { return stock + chains + staleTotals; }
};

// Checks the whole project; for tests, crash tests and a repair command.
ConsistencyReport CheckProjectConsistency(ProjectTables& tables);

// A receivable that does not owe what its invoice's chain says: the first Due
// less every payment recorded before it.
struct ChainBreak
{
    qint32 invoiceID = 0;
    qint32 receivableID = 0;
    Money due;  // what the receivable says
    Money owed; // what the chain says
};

// Every break in every invoice's chain, oldest receivable first; nothing when
// the receivables cannot be read.
std::optional<QList<ChainBreak>> FindBrokenChains(ProjectTables& tables);
