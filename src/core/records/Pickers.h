#pragma once

#include <QStringList>

class ProjectTables;

// The entries of the record pickers, one per record in table (ID) order, each the
// visible text, 50 blanks and the ID as six digits; EntryId() reads the ID back.

// Vendors by name.
QStringList VendorPickerEntries(ProjectTables& tables);
// Items by name.
QStringList ItemPickerEntries(ProjectTables& tables);
// Purchase orders by their number, as six digits.
QStringList POPickerEntries(ProjectTables& tables);

// Invoices by their number, as six digits.
QStringList InvoicePickerEntries(ProjectTables& tables);

// Customers as Customer Selection lists them: the name, 50 blanks and "#<id>"
// (see CustomerSelectionEntry), in ID order.
QStringList CustomerPickerEntries(ProjectTables& tables);

// The index of the entry that carries this ID, or -1.
int PickerIndexOf(const QStringList& entries, qint32 id);
