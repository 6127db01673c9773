#pragma once

#include <QString>

struct CCustomersRec;

// How a customer is written in the customer dialogs and lists.

// "City, State Zip", the second address line.
QString CustomerCityLine(const CCustomersRec& customer);

// A Customer Selection entry: "Company   Last, First" (or "Last, First" without a
// company), a run of blanks, and "#<id>".
QString CustomerSelectionEntry(const CCustomersRec& customer);

// A Search for Customer result: "Company Last, First"; an empty company leaves
// the leading blank.
QString CustomerSearchEntry(const CCustomersRec& customer);

// The customer ID a Customer Selection entry carries, after its last "#";
// NoSelection when the entry has no "#".
qint32 CustomerEntryId(const QString& entry);

// "Unable to locate customer record.", shown when a customer has vanished.
QString CustomerMissingMessage();
