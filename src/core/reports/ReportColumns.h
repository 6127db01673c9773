#pragma once

#include "core/common/RecordIds.h"
#include "core/project/Statistic.h"
#include "core/reports/ReportDefinition.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What a custom report of each listing can show: its table, the columns it may
// pick from and the statistics that may close it. A statistic belongs to the
// listing whose code its Listing holds: items 1, order lines 2 (purchase
// orders), sales 3 (invoices), stock 5.

// "Vendors", "Items", "PO", "SI", "Customers" or "Stock".
QString ReportTableName(ListingKind listing);
// The listing a report's table belongs to; nothing for an unknown table.
std::optional<ListingKind> ReportListingOfTable(const QString& table);

// Whether a statistic's value depends on the record it is evaluated for
// (rather than aggregating the whole listing).
using StatisticDependsOnRecord = std::function<bool(const CStatistic&)>;

// The listing's columns in the order the List page offers them, header equal
// to the field name and left-aligned unless a figure; the item and stock lists
// end with one right-aligned statistic column for each statistic of their
// listing whose value depends on the record (`dependsOnRecord` when given,
// else well-formed and not row-independent).
QList<ReportColumn> AvailableReportColumns(ListingKind listing, const QList<CStatistic>& statistics = {},
                                           const StatisticDependsOnRecord& dependsOnRecord = {});

// The statistics a report of this listing may include: those of its listing
// that are not intermediate calculations, in the project's order.
QStringList ReportStatisticNames(ListingKind listing, const QList<CStatistic>& statistics);
