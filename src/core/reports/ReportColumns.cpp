#include "core/reports/ReportColumns.h"

#include "core/stats/StatisticEvaluation.h"

#include <array>
#include <initializer_list>

namespace {

struct ColumnLayout
{
    const char* field;
    qint32 alignment = AlignLeft;
    const char* header = nullptr; // the field name unless given
};

constexpr std::array<const char*, kListingKindCount> kTables = {"Vendors", "Items",     "PO",
                                                                "SI",      "Customers", "Stock"};

QList<ReportColumn> columnsOf(std::initializer_list<ColumnLayout> layouts)
{
    QList<ReportColumn> columns;
    for (const ColumnLayout& layout : layouts) {
        ReportColumn column;
        column.field = QString::fromLatin1(layout.field);
        column.header = layout.header ? QString::fromLatin1(layout.header) : column.field;
        column.alignment = layout.alignment;
        columns.append(column);
    }
    return columns;
}

QList<ReportColumn> fieldColumns(ListingKind listing)
{
    switch (listing) {
    case ListingKind::Vendors:
        return columnsOf({{"ID"},
                          {"Name"},
                          {"Number"},
                          {"Contact"},
                          {"Street"},
                          {"City"},
                          {"State"},
                          {"Zip"},
                          {"Phone"},
                          {"Fax"},
                          {"Contact2"},
                          {"Street2"},
                          {"City2"},
                          {"State2"},
                          {"Zip2"},
                          {"Phone2"},
                          {"Fax2"}});
    case ListingKind::Items:
        return columnsOf({{"ID"},
                          {"Name"},
                          {"Number"},
                          {"VendorID1"},
                          {"VendorName1"},
                          {"VendorNumber1"},
                          {"VendorID2"},
                          {"VendorName2"},
                          {"VendorNumber2"},
                          {"Description"},
                          {"Cost", AlignRight},
                          {"SellingPrice", AlignRight},
                          {"TaxRate", AlignRight},
                          {"Taxable"},
                          {"Stocked"},
                          {"Ordered"},
                          {"ReorderQuanity"},
                          {"ReorderLevel"}});
    case ListingKind::PurchaseOrders:
        return columnsOf({{"Number"},
                          {"VendorID"},
                          {"VendorName"},
                          {"VendorNumber"},
                          {"Date"},
                          {"RequiredDate"},
                          {"Filled"},
                          {"FilledDate"},
                          {"TaxRate", AlignRight},
                          {"Notes"}});
    case ListingKind::Invoices:
        return columnsOf({{"ID"},
                          {"CustomerID"},
                          {"Customer-LastName"},
                          {"Customer-FirstName"},
                          {"Customer-Company"},
                          {"Date"},
                          {"PayMethod"}});
    case ListingKind::Customers:
        return columnsOf({{"ID"},
                          {"Company"},
                          {"Last"},
                          {"First"},
                          {"Address"},
                          {"City"},
                          {"State"},
                          {"Zip"},
                          {"Phone"},
                          {"EMail"}});
    case ListingKind::Stock:
        return columnsOf({{"ID"},
                          {"ItemID"},
                          {"ItemName"},
                          {"ItemNumber"},
                          {"POID", AlignLeft, "PO Number"},
                          {"VendorID"},
                          {"VendorName"},
                          {"VendorNumber"},
                          {"Quanity"},
                          {"Cost", AlignRight},
                          {"Date"}});
    }
    return {};
}

} // namespace

QString ReportTableName(ListingKind listing)
{
    const int index = static_cast<int>(listing);
    if (index < 0 || index >= kListingKindCount)
        return QString();
    return QString::fromLatin1(kTables[static_cast<size_t>(index)]);
}

std::optional<ListingKind> ReportListingOfTable(const QString& table)
{
    for (int index = 0; index < kListingKindCount; ++index) {
        if (table == QLatin1String(kTables[static_cast<size_t>(index)]))
            return static_cast<ListingKind>(index);
    }
    return std::nullopt;
}

QList<ReportColumn> AvailableReportColumns(ListingKind listing, const QList<CStatistic>& statistics,
                                           const StatisticDependsOnRecord& dependsOnRecord)
{
    QList<ReportColumn> columns = fieldColumns(listing);
    // Only the item and stock lists can evaluate a statistic row by row.
    if (listing != ListingKind::Items && listing != ListingKind::Stock)
        return columns;
    const auto perRecord = [&](const CStatistic& statistic) {
        if (dependsOnRecord)
            return dependsOnRecord(statistic);
        int independent = 1;
        return IsRowIndependent(statistic, statistics, independent) && independent == 0;
    };
    for (const CStatistic& statistic : statistics) {
        if (statistic.Listing != static_cast<qint32>(listing) || !perRecord(statistic))
            continue;
        ReportColumn column;
        column.header = statistic.Name;
        column.field = statistic.Name;
        column.alignment = AlignRight;
        column.kind = ReportColumn::KindStatistic;
        columns.append(column);
    }
    return columns;
}

QStringList ReportStatisticNames(ListingKind listing, const QList<CStatistic>& statistics)
{
    QStringList names;
    for (const CStatistic& statistic : statistics) {
        if (statistic.Listing == static_cast<qint32>(listing) && !statistic.Intermediate)
            names.append(statistic.Name);
    }
    return names;
}
