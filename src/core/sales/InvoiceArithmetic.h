#pragma once

#include "core/common/Money.h"

#include <QString>

#include <optional>

class CARSet;
class ChangeList;
class Prompter;
class ProjectTables;

// Invoice arithmetic shared by the sales dialogs, the reports and the balance
// re-synchronisation at open. Tax is never stored: it is always recomputed from
// the items' current Taxable flag and TaxRate.

// The tax of one line amount: the amount times TaxRate / 100 for a taxable item,
// nothing otherwise.
Money LineTax(Money amount, bool taxable, float taxRate);

// Subtotal plus tax over every sale of the invoice, at the items' current rates;
// a sale whose item is gone adds its amount but no tax.
Money ComputeInvoiceTotal(ProjectTables& tables, qint32 invoiceID);

// What the invoice's receivables say: due is the first record's Due, paid the sum
// of every Paid, balance = due - paid. 1 when the invoice has at least one
// receivable; 0 (and all three zero) when it has none.
int ComputeInvoiceBalance(CARSet& receivables, qint32 invoiceID, Money& due, Money& paid, Money& balance);

// Rewrites Due along the invoice's payment chain, oldest receivable first: the
// first carries the new total when one is given (else keeps its Due), and each
// later one owes the first Due minus every earlier payment. 1 when rewritten;
// 0 when the invoice has no receivable (then, without a new total, the user is
// told "Unable to locate initial receival record."); Status::OperationFailed when
// a write failed (the caller rolls its transaction back).
int RecomputeInvoiceDues(CARSet& receivables, Prompter* prompter, qint32 invoiceID,
                         std::optional<Money> newTotal = std::nullopt);

// Moves the Due of every receivable of the invoice by the same amount, so the
// chain stays as it was relative to the first Due. 1 when moved, 0 when the
// invoice has no receivable, Status::OperationFailed when a write failed.
int ShiftInvoiceDues(CARSet& receivables, qint32 invoiceID, Money delta);

// Names every receivable of the invoice in the change list: the dues and payments
// that a change to the invoice's total or payments rewrites.
void AddInvoiceReceivables(CARSet& receivables, qint32 invoiceID, ChangeList& changes);
