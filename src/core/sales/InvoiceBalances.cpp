#include "InvoiceBalances.h"

#include "InvoiceArithmetic.h"
#include "db/Dialect.h"
#include "project/ProjectTables.h"

#include <QSqlError>

namespace {

// Every invoice's first receivable against the total of its sales, in one
// statement over the SIID indexes. The total follows ComputeInvoiceTotal's
// arithmetic in ten-thousandths: each line's tax is the line amount times the
// rate made a whole number of hundred-thousandths, truncated toward zero.
QString StaleDueQuery()
{
    const QString price = SqlRoundedWhole(QStringLiteral("s.[SellingPrice] * 10000"));
    const QString factor = SqlRoundedWhole(QStringLiteral("i.[TaxRate] / 100.0 * 100000"));
    const QString amount = price + QStringLiteral(" * s.[Quanity]");
    const QString line = amount + QStringLiteral(" + CASE WHEN i.[Taxable] <> 0 THEN (") + amount + QStringLiteral(" * ") +
                         factor + QStringLiteral(") / 100000 ELSE 0 END");
    const QString due = SqlRoundedWhole(QStringLiteral("a.[Due] * 10000"));
    return QStringLiteral("SELECT a.[SIID], ") + due + QStringLiteral(", COALESCE(t.[Total], 0) FROM [AR] a ") +
           QStringLiteral("LEFT JOIN (SELECT s.[SIID], SUM(") + line +
           QStringLiteral(") AS [Total] FROM [Sales] s LEFT JOIN [Items] i ON i.[ID] = s.[ItemID] GROUP BY s.[SIID]) t "
                          "ON t.[SIID] = a.[SIID] "
                          "WHERE a.[ID] IN (SELECT MIN([ID]) FROM [AR] GROUP BY [SIID]) AND ") +
           due + QStringLiteral(" <> COALESCE(t.[Total], 0) ORDER BY a.[SIID]");
}

} // namespace

QList<StaleInvoiceDue> FindStaleInvoiceDues(ProjectTables& tables, bool* ok)
{
    QList<StaleInvoiceDue> stale;
    std::optional<QSqlQuery> query = tables.database().prepare(StaleDueQuery());
    bool ran = query && query->exec();
    if (ran) {
        while (query->next()) {
            stale.append({query->value(0).toInt(), Money::fromTenThousandths(query->value(1).toLongLong()),
                          Money::fromTenThousandths(query->value(2).toLongLong())});
        }
    }
    if (query)
        ran = tables.database().readSucceeded(*query) && ran;
    if (!ran)
        stale.clear();
    if (ok)
        *ok = ran;
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
