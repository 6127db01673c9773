#pragma once

#include "core/common/DateTime.h"
#include "core/project/Statistic.h"

#include <QList>
#include <QString>
#include <QStringList>

// The ten ready-made statistics the statistic wizard creates, each built from
// intermediate statistics named after it.
namespace StandardStatistics {

enum Type
{
    GrossSalesRevenues = 0,
    NetSalesRevenues,
    GrossProfit,
    ProfitOnSales,
    CostOfInventory,
    CostOfSold,
    AvgCostOfInventory,
    Turnover,
    SalesTax,
    CostOfOrdered,
    TypeCount
};

// The types' names in Type order.
QStringList Names();
// What the type computes; empty for an unknown type.
QString Description(int type);
// Types whose statistics cannot do without a date range.
bool NeedsDates(int type);

// The statistics of a type for the name N, in the order they are added: the
// intermediate ones N_1, N_2, ... first, N last. applyDates, start and thru are
// the wizard's date criteria, given to the statistics that take them.
QList<CStatistic> Build(int type, const QString& name, bool applyDates, const DateTime& start,
                        const DateTime& thru);

} // namespace StandardStatistics
