#pragma once

#include "ProjectDatabase.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

// Grouped reads behind the summary reports: one statement per figure, each
// summing over a whole table in the engine, so that a report over every item
// never runs a statement per item. Amounts come in ten-thousandths, summed
// exactly: each value is made a whole number of ten-thousandths before it is
// multiplied and added. Nothing, with the failure noted, when a read fails.

// Per item, the sum of `quantityColumn` over the records of `table` whose day
// in `dayColumn` is at least fromDay and below toDay. Items without such a
// record are absent.
std::optional<QHash<qint32, qint64>> SumQuantityPerItem(ProjectDatabase& db, const QString& table,
                                                        const QString& quantityColumn,
                                                        const QString& dayColumn, double fromDay,
                                                        double toDay);

// An item's sales over a range: quantity, quantity x selling price and
// quantity x recorded cost.
struct ItemSalesRow
{
    qint32 itemID = 0;
    qint64 quantity = 0;
    qint64 revenue = 0;
    qint64 cost = 0;
};
// The sales dated at least fromDay and below toDay, summed per item, in item
// ID order.
std::optional<QList<ItemSalesRow>> ReadSalesPerItem(ProjectDatabase& db, double fromDay, double toDay);

// The sum over every stock lot of quantity x cost.
std::optional<qint64> StockCostTotal(ProjectDatabase& db);
