#include "InvoiceBalances.h"

#include "InvoiceArithmetic.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/Totals.h"
#include "core/project/ProjectTables.h"

QList<StaleInvoiceDue> FindStaleInvoiceDues(ProjectTables& tables, bool* ok)
{
    QList<StaleInvoiceDue> stale;
    const std::optional<QList<InvoiceDueRow>> rows = ReadStaleInvoiceDues(tables.database());
    if (rows) {
        for (const InvoiceDueRow& row : *rows) {
            stale.append({row.invoiceID, Money::fromTenThousandths(row.due),
                          Money::fromTenThousandths(row.salesTotal)});
        }
    }
    if (ok)
        *ok = rows.has_value();
    return stale;
}

BalanceUpdate UpdateInvoiceBalances(ProjectTables& tables)
{
    BalanceUpdate result;
    Transaction transaction(tables.database());
    bool ok = false;
    const QList<StaleInvoiceDue> stale = FindStaleInvoiceDues(tables, &ok);
    if (!transaction.isActive() || !ok) {
        result.error = tables.database().lastError();
        return result;
    }
    for (const StaleInvoiceDue& invoice : stale) {
        // The money arithmetic of the dialogs has the last word on the total.
        const Money total = ComputeInvoiceTotal(tables, invoice.invoiceID);
        if (total == invoice.due)
            continue;
        if (RecomputeInvoiceDues(tables.receivables(), nullptr, invoice.invoiceID, total) != 1) {
            result.error = tables.receivables().lastError();
            return result;
        }
        ++result.rewritten;
    }
    result.ok = transaction.commit();
    if (!result.ok)
        result.error = tables.database().lastError();
    return result;
}
