#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"

struct DesktopServices;
class ProjectTables;
class QWidget;
class RecordOrderModel;
class RecordReceivedModel;

// The single-line purchasing windows, one function each: build the model (or
// take one already set up), check its prerequisites, run the window, and answer
// every record it wrote. The caller suspends the filters before and has the
// lists follow the answer after; an empty answer changes nothing.

// New Purchase Order, or the same window modifying `modifyPOID`. `created`, when
// given, receives the new purchase order's ID (NoID when none was made).
ChangeList RunNewPO(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                    qint32 modifyPOID = NoID, qint32* created = nullptr);

// Record Order for a new line: the item and purchase order given are preselected
// (NoID: the model's own choice).
ChangeList RunRecordOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                          qint32 itemID = NoID, qint32 poID = NoID);
// "Modify Recorded Order #000123": rewrites an existing order line.
ChangeList RunModifyRecordedOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                  qint32 orderID);
// Record Order over a model the caller has set up (one step of Auto Order).
ChangeList RunRecordOrder(QWidget* parent, RecordOrderModel& model, const DesktopServices& services);

// Record Received Order; a purchase order given, and an order line, are fixed
// (their boxes and "&Next >>" disabled).
ChangeList RunRecordReceived(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 poID = NoSelection, qint32 orderID = NoSelection);
// Record Received Order over a model the caller has set up (one step of Auto Receive).
ChangeList RunRecordReceived(QWidget* parent, RecordReceivedModel& model, const DesktopServices& services);

// "Mark PO Filll Date" for a purchase order.
ChangeList RunMarkPOFillDate(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 poID);

// Purge Data, under a wait cursor while it deletes.
ChangeList RunPurgeData(QWidget* parent, ProjectTables& tables, const DesktopServices& services);
