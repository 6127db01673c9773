#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"

struct DesktopServices;
class ProjectTables;
class QWidget;

// The invoice windows that Record Sale and Invoice Manager share, one function
// each: build the model, check its prerequisites, run the window, and answer
// every record it wrote. The caller suspends the filters before and has the
// lists follow the answer after; an empty answer changes nothing.

// New Sales Invoice, or the same window modifying `modifyInvoiceID`. `created`,
// when given, receives the new invoice's ID (NoID when none was made).
ChangeList RunNewSalesInvoice(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                              qint32 modifyInvoiceID = NoID, qint32* created = nullptr);

// Record Sold Items on an invoice. `addsToExisting`: Invoice Manager's "Add to
// Invoice" on an invoice already recorded (the totals are hidden); `itemID`, when
// given, is the item preselected.
ChangeList RunRecordSoldItems(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                              qint32 invoiceID, bool addsToExisting, qint32 itemID = NoID);

// Record Sale: New Sales Invoice, then Record Sold Items on the new invoice with
// `itemID` (when given) preselected. Cancelling the second step leaves the
// invoice without sales.
ChangeList RunRecordSale(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                         qint32 itemID = NoID);
