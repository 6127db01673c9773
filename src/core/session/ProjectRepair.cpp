#include "core/session/ProjectRepair.h"

#include "core/common/Prompter.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/Totals.h"
#include "core/project/Backup.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"
#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/InvoiceBalances.h"
#include "core/sales/ProjectConsistency.h"

#include <QSet>

namespace {

QString Amount(Money amount)
{
    return QString::number(amount.toDouble(), 'f', 4);
}

bool RepairItemTotals(ProjectTables& tables, RepairReport& report)
{
    const std::optional<QList<ItemTotalsRow>> items = ReadItemTotals(tables.database());
    if (!items)
        return false;
    for (const ItemTotalsRow& item : *items) {
        if (item.stocked == item.lots && item.ordered == item.lines)
            continue;
        if (!RecomputeItemTotals(tables, item.itemID))
            return false;
        report.itemIDs.append(item.itemID);
        report.changes.append(QStringLiteral("Item %1: Stocked %2 -> %3, Ordered %4 -> %5")
                                  .arg(item.itemID)
                                  .arg(item.stocked)
                                  .arg(item.lots)
                                  .arg(item.ordered)
                                  .arg(item.lines));
    }
    return true;
}

// Invoices whose first receivable does not owe their sales total: the whole
// chain is rewritten from the total, as opening the project does.
bool RepairStaleTotals(ProjectTables& tables, RepairReport& report)
{
    bool ok = false;
    const QList<StaleInvoiceDue> stale = FindStaleInvoiceDues(tables, &ok);
    if (!ok)
        return false;
    for (const StaleInvoiceDue& invoice : stale) {
        const Money total = ComputeInvoiceTotal(tables, invoice.invoiceID);
        if (total == invoice.due)
            continue;
        if (RecomputeInvoiceDues(tables.receivables(), nullptr, invoice.invoiceID, total) != 1)
            return false;
        report.invoiceIDs.append(invoice.invoiceID);
        report.changes.append(
            QStringLiteral("Invoice %1: Due %2 -> %3, its sales total, and the chain after it")
                .arg(invoice.invoiceID)
                .arg(Amount(invoice.due), Amount(total)));
    }
    return true;
}

// Chains broken after a correct first Due: the later receivables are rewritten
// from it and the payments before them.
bool RepairChains(ProjectTables& tables, RepairReport& report)
{
    const std::optional<QList<ChainBreak>> breaks = FindBrokenChains(tables);
    if (!breaks)
        return false;
    QSet<qint32> rewritten;
    for (const ChainBreak& chainBreak : *breaks) {
        if (!rewritten.contains(chainBreak.invoiceID)) {
            if (RecomputeInvoiceDues(tables.receivables(), nullptr, chainBreak.invoiceID) != 1)
                return false;
            rewritten.insert(chainBreak.invoiceID);
            report.invoiceIDs.append(chainBreak.invoiceID);
        }
        report.changes.append(QStringLiteral("Invoice %1: receivable %2 Due %3 -> %4")
                                  .arg(chainBreak.invoiceID)
                                  .arg(chainBreak.receivableID)
                                  .arg(Amount(chainBreak.due), Amount(chainBreak.owed)));
    }
    return true;
}

} // namespace

RepairReport RepairProject(ProjectTables& tables)
{
    RepairReport report;
    ProjectDatabase& db = tables.database();
    Transaction transaction(db);
    if (!transaction.isActive() || !RepairItemTotals(tables, report) || !RepairStaleTotals(tables, report) ||
        !RepairChains(tables, report) || !transaction.commit()) {
        RepairReport failed;
        failed.error =
            db.lastError().isEmpty() ? QStringLiteral("The figures could not be written.") : db.lastError();
        return failed;
    }
    report.ok = true;
    return report;
}

CheckProjectModel::CheckProjectModel(ProjectTables& tables, Prompter& prompter)
    : m_tables(tables), m_prompter(prompter)
{
    check();
}

QString CheckProjectModel::caption() const
{
    return QStringLiteral("Check Project");
}

void CheckProjectModel::check()
{
    m_problems.clear();
    QString error;
    const std::optional<QStringList> damage = ProjectDatabase::integrityProblems(
        m_tables.database().path(), ProjectDatabase::IntegrityCheck::Quick, &error);
    m_readable = damage && damage->isEmpty();
    if (!damage) {
        m_problems.append(QStringLiteral("The project file could not be checked: ") + error);
    } else if (!damage->isEmpty()) {
        m_problems.append(QStringLiteral("The project file is damaged:"));
        m_problems.append(*damage);
    } else {
        m_problems = CheckProjectConsistency(m_tables).all();
    }
    m_consistent = m_readable && m_problems.isEmpty();
}

QString CheckProjectModel::reportText() const
{
    QStringList lines;
    if (!m_repaired.isEmpty())
        lines << QStringLiteral("Repaired:") << m_repaired << QString();
    if (m_consistent)
        lines << QStringLiteral("The project is consistent.");
    else
        lines << m_problems;
    return lines.join(u'\n');
}

SaveResult<CheckProjectModel::Field> CheckProjectModel::save()
{
    if (!canRepair())
        return SaveResult<Field>::refused();
    if (!m_prompter.askYesNo(
            QStringLiteral("Repair rewrites each item's Stocked and Ordered from its stock lots and "
                           "order lines, and each invoice's amounts due from its sales and payments. "
                           "No record is changed otherwise, and the project is backed up first.  Continue?"),
            caption()))
        return SaveResult<Field>::refused();
    // The files as they were go into the project's backups first.
    const QString database = m_tables.database().path();
    const BackupResult backup = BackupProject(database, AutoBackupFolder(database));
    if (!backup.ok) {
        m_prompter.message(backup.message, caption(), Prompter::Icon::Exclamation);
        return SaveResult<Field>::refused();
    }
    const RepairReport report = RepairProject(m_tables);
    if (!report.ok) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return SaveResult<Field>::refused();
    }
    for (const qint32 id : report.itemIDs)
        m_changes.add(ListingKind::Items, id);
    for (const qint32 id : report.invoiceIDs)
        m_changes.add(ListingKind::Invoices, id);
    m_repaired = report.changes;
    check();
    return SaveResult<Field>::ok();
}
