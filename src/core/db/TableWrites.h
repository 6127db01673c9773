#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class ProjectDatabase;

// Writes over whole tables that callers above the database layer describe by
// table and column names; the statements themselves are made here.

// Removes every record of the table.
bool DeleteAllRecords(ProjectDatabase& db, const QString& table);

// Every stock lot that came from an order line (an OrderID above 0) gets
// `origin` as its OrderID; every lot's POID becomes its OrderID.
bool ReplaceOrderedStockOrigin(ProjectDatabase& db, qint32 origin);

// A reusable statement appending one record to `table`, its values bound to
// `columns` in their order; the database gives the ID. Nothing, with `error`
// set, when it cannot be prepared.
std::optional<QSqlQuery> PrepareInsert(ProjectDatabase& db, const QString& table, const QStringList& columns,
                                       QString* error = nullptr);
