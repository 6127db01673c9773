#pragma once

#include "core/common/Money.h"
#include "core/project/Statistic.h"
#include "core/reports/QueryFields.h"
#include "core/reports/ReportDefinition.h"

#include <QList>
#include <QLocale>
#include <QString>

class ProjectTables;
class ReportFile;

// What a custom report shows, built from its definition and the project's
// records, with nothing drawn: the rows of its list, the statistics that close
// it, or the one error text the pane shows instead.

// A cell's type, by the database engine's field type codes (those a stored
// query's fields carry). It decides how a row is compared when the list is
// sorted; a statistic column takes the kind of each value.
using ReportFieldType = QueryFieldType;

struct ReportCell
{
    QString text;
    ReportFieldType type = ReportFieldType::Text;

    friend bool operator==(const ReportCell&, const ReportCell&) = default;
};

// One record of the list: one cell for each of the report's columns.
struct ReportRow
{
    qint32 recordID = 0;
    QList<ReportCell> cells;
};

// One line of a statistics block: the name and its value as shown.
struct ReportStatisticLine
{
    QString name;
    QString value;

    friend bool operator==(const ReportStatisticLine&, const ReportStatisticLine&) = default;
};

struct ReportContent
{
    // A row holds at most this many cells: columns after the twentieth are left
    // out of the list (the definition keeps them).
    static constexpr int kMostColumns = 20;

    // When not empty the pane shows this and nothing else.
    QString error;
    // The definition the report was built from: titles, fonts, alignments and
    // flags for the layout.
    CReportDefinition definition;
    // The columns of the list, in order; at most kMostColumns. Each row has a
    // cell for every one of them.
    QList<ReportColumn> columns;
    // How many columns of the definition did not fit in a row.
    int droppedColumns = 0;
    // Empty when the definition does not show its list.
    QList<ReportRow> rows;
    // One line for each statistic the definition includes, in its order.
    QList<ReportStatisticLine> statistics;
};

// Error texts.
QString ReportDefinitionMissingText();  // "Report Definition no longer exists."
QString ReportQueryMissingText();       // "Unable to locate query specified with report."
QString ReportRecordsUnavailableText(); // "Unable to open records."

// The value text of a statistic the report includes but the project no longer
// has, and of a statistic column's cells when its statistic is gone.
QString DeletedStatisticText(); // "Deleted"
// A statistic that cannot be evaluated, in the block or in a cell.
QString UnavailableStatisticText(); // "N/A"

// Builds the report: its records are the table's, in table order and then
// sorted by the sort field (by value, a stable sort: equal keys keep table
// order), or those of its stored query in the query's order. Lookup columns
// (vendor, item and customer names and numbers, a stock lot's item cost, a
// purchase order's fill date, a lot's purchase-order number or "Purged") are
// resolved from lookups read once. Statistic columns are evaluated for each
// record, the statistics block over all records.
ReportContent BuildReportContent(ProjectTables& tables, const CReportDefinition& definition,
                                 const QList<CStatistic>& statistics, const QLocale& locale = UserLocale());

// The same for the report of that name in the report file; the error says the
// definition no longer exists when the file has no record of that name.
ReportContent BuildReportContent(ProjectTables& tables, ReportFile& file, const QString& reportName,
                                 const QList<CStatistic>& statistics, const QLocale& locale = UserLocale());
