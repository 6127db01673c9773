#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"
#include "core/records/DeleteRecordModel.h"
#include "core/records/ImportModel.h"

class Clock;
class FileChooser;
class ProjectTables;
class Prompter;
class QWidget;

// The record commands of the vendor, item, purchase-order and customer lists and
// of the Import menu, one function each: build the model, check its
// prerequisites, run its window, and answer every record the command wrote, by
// list kind, the record to select last within its kind. The caller suspends the
// filters before and refreshes the lists after; an empty answer changes nothing.

// Insert Vendor (NoSelection) or Modify on the vendor list.
ChangeList RunAddVendor(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                        qint32 vendorId = NoSelection);
// Insert Item (NoSelection) or Modify on the item list.
ChangeList RunAddItem(QWidget* parent, ProjectTables& tables, Prompter& prompter, const Clock& clock,
                      qint32 itemId = NoSelection);
// Insert Customer (NoSelection) or Modify on the customer list.
ChangeList RunAddCustomer(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                          qint32 customerId = NoSelection);

// Details on the vendor, item and customer lists; they write nothing.
void RunVendorDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 vendorId);
void RunItemDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 itemId);
void RunCustomerDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId);

// Delete on the vendor, item and purchase-order lists (a purchase order by its
// record ID), after the typed confirmation.
ChangeList RunDeleteRecord(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                           DeleteRecordModel::Target target, qint32 id);
// Delete on the customer list.
ChangeList RunDeleteCustomer(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId);

// Customer Selection: the chosen customer, NoSelection when cancelled. `changes`,
// when given, receives the customers added or modified on the way.
qint32 RunCustomerSelection(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                            qint32 initialCustomerId = NoSelection, ChangeList* changes = nullptr);

// One of the six Import commands: asks for the file, then imports it under a
// wait cursor.
ChangeList RunImport(ProjectTables& tables, Prompter& prompter, FileChooser& files, const Clock& clock,
                     ImportModel::Source source);
