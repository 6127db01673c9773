#include "ProjectConsistency.h"

#include "InvoiceArithmetic.h"
#include "InvoiceBalances.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

namespace {

QStringList BrokenChains(ProjectTables& tables)
{
    QStringList problems;
    const quint64 readFailures = tables.database().readFailureCount();
    const QList<CARRec> records = tables.receivables().RecordsWhere(
        QString(), {}, QStringLiteral("[SIID], [ID]"), {QStringLiteral("SIID"), QStringLiteral("Paid"), QStringLiteral("Due")});
    if (tables.database().readFailureCount() != readFailures)
        return {QStringLiteral("The receivables could not be read: ") + tables.database().lastError()};
    qint32 invoice = NoID;
    Money owed;
    for (const CARRec& record : records) {
        if (record.SIID != invoice) {
            invoice = record.SIID;
            owed = record.Due;
        } else if (record.Due != owed) {
            problems.append(QStringLiteral("Invoice %1: receivable %2 owes %3, the chain says %4")
                                .arg(invoice)
                                .arg(record.ID)
                                .arg(record.Due.toDouble(), 0, 'f', 4)
                                .arg(owed.toDouble(), 0, 'f', 4));
        }
        owed -= record.Paid;
    }
    return problems;
}

QStringList StaleTotals(ProjectTables& tables)
{
    QStringList problems;
    bool ok = false;
    const QList<StaleInvoiceDue> stale = FindStaleInvoiceDues(tables, &ok);
    if (!ok)
        problems.append(QStringLiteral("The invoice totals could not be read: ") + tables.database().lastError());
    for (const StaleInvoiceDue& invoice : stale) {
        const Money total = ComputeInvoiceTotal(tables, invoice.invoiceID);
        if (total != invoice.due) {
            problems.append(QStringLiteral("Invoice %1: first receivable owes %2, the sales total %3")
                                .arg(invoice.invoiceID)
                                .arg(invoice.due.toDouble(), 0, 'f', 4)
                                .arg(total.toDouble(), 0, 'f', 4));
        }
    }
    return problems;
}

} // namespace

ConsistencyReport CheckProjectConsistency(ProjectTables& tables)
{
    ConsistencyReport report;
    report.stock = CheckStockInvariants(tables);
    report.chains = BrokenChains(tables);
    report.staleTotals = StaleTotals(tables);
    return report;
}
