#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"

struct DesktopServices;
struct InvoiceReportRequest;
class Prompter;
class ProjectTables;
class QWidget;
class UserSettings;

// The invoice windows one function each: build the model, check its
// prerequisites, run the window, and answer every record it wrote (by list kind,
// the record to select last within its kind). The caller suspends the filters
// before and has the lists follow the answer after.

// Invoice Manager, on `invoiceID` when given; the sales list's column widths
// live in `settings`. `report`, when given, receives the invoice printout the
// window was closed for ("View Invoice", "Print Invoice"), if any.
ChangeList RunInvoiceManager(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             UserSettings& settings, qint32 invoiceID = NoSelection,
                             InvoiceReportRequest* report = nullptr);
// Customer Return of one sale; nothing opens unless the project has items and
// sales and the sale is there.
ChangeList RunCustomerReturn(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 saleID);
// Select Invoice: the invoice chosen, NoSelection when the user cancelled.
qint32 RunSelectInvoice(QWidget* parent, ProjectTables& tables, Prompter& prompter);
// Manage Payments, on `invoiceID` when given.
ChangeList RunManagePayments(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 invoiceID = NoSelection);
// Record Customer Payment toward the invoice, or Modify Customer Payment of
// `paymentID`; closes at once when either is gone.
ChangeList RunRecordCustomerPayment(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                    qint32 invoiceID, qint32 paymentID = NoSelection);
