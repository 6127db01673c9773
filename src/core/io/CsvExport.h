#pragma once

#include <QString>

class ProjectDatabase;
class ProjectTables;
class RecordList;
struct QuickReportParameters;

// Exports to comma-separated files (see Csv.h for the file's form and the
// texts its values take). Each writes a header row of column names and then
// one row a record, and replaces the file at `path` only once every row is
// written: a read or a write that fails leaves the old file as it was and
// gives false with the reason in `error` (when given), never a file cut short.
// The rows are streamed from the database, never held all at once.

// A record list as shown: its shown columns in the user's order under the
// titles the user gave them, its rows in the list's order under its filter.
bool ExportListCsv(const RecordList& list, const QString& path, QString* error);

// A stored query's rows under the query's column names, in the query's order.
bool ExportQueryCsv(ProjectDatabase& db, const QString& queryName, const QString& path, QString* error);

// Every column of a project table (Vendors, Items, Stock, ...) in ID order.
bool ExportTableCsv(ProjectDatabase& db, const QString& table, const QString& path, QString* error);

// A quick report's tables, each under its column headings, one after another
// with an empty line between. Amounts, dates and IDs take the file's texts, not
// the ones the printed report shows.
bool ExportQuickReportCsv(ProjectTables& tables, const QuickReportParameters& parameters, const QString& path,
                          QString* error);
