#include "ProjectConsistency.h"

#include "InvoiceArithmetic.h"
#include "InvoiceBalances.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

namespace {

QStringList BrokenChains(ProjectTables& tables)
{
    const std::optional<QList<ChainBreak>> breaks = FindBrokenChains(tables);
    if (!breaks)
        return {QStringLiteral("The receivables could not be read: ") + tables.database().lastError()};
    QStringList problems;
    for (const ChainBreak& chainBreak : *breaks) {
        problems.append(QStringLiteral("Invoice %1: receivable %2 owes %3, the chain says %4")
                            .arg(chainBreak.invoiceID)
                            .arg(chainBreak.receivableID)
                            .arg(chainBreak.due.toDouble(), 0, 'f', 4)
                            .arg(chainBreak.owed.toDouble(), 0, 'f', 4));
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

std::optional<QList<ChainBreak>> FindBrokenChains(ProjectTables& tables)
{
    const quint64 readFailures = tables.database().readFailureCount();
    const QList<CARRec> records = tables.receivables().RecordsWhere(
        QString(), {}, QStringLiteral("[SIID], [ID]"), {QStringLiteral("SIID"), QStringLiteral("Paid"), QStringLiteral("Due")});
    if (tables.database().readFailureCount() != readFailures)
        return std::nullopt;
    QList<ChainBreak> breaks;
    qint32 invoice = NoID;
    Money owed;
    for (const CARRec& record : records) {
        if (record.SIID != invoice) {
            invoice = record.SIID;
            owed = record.Due;
        } else if (record.Due != owed) {
            breaks.append(ChainBreak{invoice, record.ID, record.Due, owed});
        }
        owed -= record.Paid;
    }
    return breaks;
}

ConsistencyReport CheckProjectConsistency(ProjectTables& tables)
{
    ConsistencyReport report;
    report.stock = CheckStockInvariants(tables);
    report.chains = BrokenChains(tables);
    report.staleTotals = StaleTotals(tables);
    return report;
}
