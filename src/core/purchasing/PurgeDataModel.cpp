#include "PurgeDataModel.h"

#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/Dialect.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/StockFigures.h"

#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace {

// Rows are deleted a few hundred IDs per statement: one statement per row would
// take minutes on a large project, and the engine limits how many values one
// statement may bind.
constexpr qsizetype kBatchSize = 500;

// A balance closer to nothing than a cent counts as paid in full.
constexpr qint64 kPaidInFull = Money::kScale / 100;

QString InCondition(const char* column, qsizetype count)
{
    QString marks = QStringLiteral("?");
    for (qsizetype i = 1; i < count; ++i)
        marks += QStringLiteral(",?");
    return QStringLiteral("[%1] IN (%2)").arg(QLatin1String(column), marks);
}

QVariantList Values(const QList<qint32>& ids, qsizetype from, qsizetype count)
{
    QVariantList values;
    values.reserve(count);
    for (qsizetype i = from; i < from + count; ++i)
        values.append(ids.at(i));
    return values;
}

// The first column of every row of a query in the application's dialect, run
// with one bound value; nothing when the query fails.
std::optional<QList<qint32>> SelectIDs(ProjectTables& tables, const QString& sql, const QVariant& value)
{
    std::optional<QSqlQuery> query = tables.database().prepare(sql);
    if (!query)
        return std::nullopt;
    query->addBindValue(value);
    if (!query->exec()) {
        tables.database().noteReadFailure(query->lastError());
        return std::nullopt;
    }
    QList<qint32> ids;
    while (query->next())
        ids.append(query->value(0).toInt());
    if (!tables.database().readSucceeded(*query))
        return std::nullopt;
    return ids;
}

// Adds IDs until the kind is full; the rest are refreshed with the whole list.
void NoteChanges(ChangeList& changes, ListingKind kind, const QList<qint32>& ids)
{
    for (const qint32 id : ids) {
        if (!changes.add(kind, id))
            break;
    }
}

} // namespace

PurgeDataModel::PurgeDataModel(ProjectTables& tables, Prompter& prompter, const Clock& clock)
    : m_tables(tables), m_prompter(prompter), m_dateText(ShortDateText(TodayFrom(clock)))
{
}

QString PurgeDataModel::caption() const
{
    return QStringLiteral("Purge Data");
}

QString PurgeDataModel::helpLine() const
{
    return QStringLiteral(
        "Use this feature to permanently remove outdated data from your Sales List or Purchase "
        "Order lists.");
}

QString PurgeDataModel::confirmationText()
{
    return QStringLiteral("You are about to permanently remove records from the database. It is strongly "
                          "recommended that you run the Copy Project command to create a backup before "
                          "purging.\n\n  Are you sure you wish to continue?");
}

void PurgeDataModel::reformatDate()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (date.isValid())
        m_dateText = ShortDateText(date);
}

PurgeDataModel::Result PurgeDataModel::save()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        warn(m_prompter, QStringLiteral("You must enter a valid date."));
        return Result::refused(Field::Date);
    }
    if (!m_purgeInvoices && !m_purgePOs)
        return Result::ok();
    if (!m_prompter.askYesNo(confirmationText(), AppTitle(), Prompter::Icon::Question))
        return Result::refused();

    const double cutoff = date.dateOnly().days();
    ChangeList changes;
    qint32 poCount = 0;
    qint32 invoiceCount = 0;
    bool ok = false;
    {
        Transaction transaction(m_tables.database());
        ok = transaction.isActive() && (!m_purgePOs || purgeFilledPOs(cutoff, changes, poCount)) &&
             (!m_purgeInvoices || purgePaidInvoices(cutoff, changes, invoiceCount)) && transaction.commit();
    }
    if (!ok) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_purged = true;
    m_poCount += poCount;
    m_invoiceCount += invoiceCount;
    m_changes.merge(changes);
    return Result::ok();
}

bool PurgeDataModel::purgeFilledPOs(double cutoff, ChangeList& changes, qint32& count)
{
    const QString filled = QStringLiteral("[PO].[Date] <= ? AND [PO].[Filled] = TRUE");
    const std::optional<QList<qint32>> poIDs = SelectIDs(m_tables,
                                                         QStringLiteral("SELECT [PO].[ID] FROM [PO] WHERE ") +
                                                             filled + QStringLiteral(" ORDER BY [PO].[ID]"),
                                                         cutoff);
    // Their order lines go, so those items' Ordered must be summed again.
    const std::optional<QList<qint32>> itemIDs = SelectIDs(
        m_tables,
        QStringLiteral("SELECT DISTINCT [Order].[ItemID] FROM [Order] INNER JOIN [PO] ON [Order].[POID] = "
                       "[PO].[ID] WHERE ") +
            filled + QStringLiteral(" ORDER BY [Order].[ItemID]"),
        cutoff);
    if (!poIDs || !itemIDs)
        return false;

    for (qsizetype from = 0; from < poIDs->size(); from += kBatchSize) {
        const qsizetype n = std::min(kBatchSize, poIDs->size() - from);
        const QString byPO = InCondition("POID", n);
        const QVariantList values = Values(*poIDs, from, n);
        if (m_tables.received().DeleteWhere(byPO, values) < 0 ||
            m_tables.orders().DeleteWhere(byPO, values) < 0 ||
            m_tables.purchaseOrders().DeleteWhere(InCondition("ID", n), values) < 0)
            return false;
    }
    QList<qint32> rewritten;
    for (const qint32 itemID : *itemIDs) {
        // Lines of an item that no longer exists leave no total to rewrite.
        if (!m_tables.items().LocateByID(itemID))
            continue;
        if (!RecomputeOrdered(m_tables, itemID))
            return false;
        rewritten.append(itemID);
    }
    NoteChanges(changes, ListingKind::PurchaseOrders, *poIDs);
    NoteChanges(changes, ListingKind::Items, rewritten);
    count = static_cast<qint32>(poIDs->size());
    return true;
}

bool PurgeDataModel::purgePaidInvoices(double cutoff, ChangeList& changes, qint32& count)
{
    // One pass over the invoices up to the cut-off, each reading its own payments
    // through the SIID index: the balance is the first Due less every Paid, in
    // exact ten-thousandths. An invoice without payments owes nothing.
    const QString due = SqlRoundedWhole(QStringLiteral("[AR].[Due] * 10000"));
    const QString paid = SqlRoundedWhole(QStringLiteral("[AR].[Paid] * 10000"));
    std::optional<QSqlQuery> query = m_tables.database().prepare(
        QStringLiteral("SELECT [SI].[ID], (SELECT TOP 1 ") + due +
        QStringLiteral(" FROM [AR] WHERE [AR].[SIID] = [SI].[ID] ORDER BY [AR].[ID]), (SELECT SUM(") + paid +
        QStringLiteral(") FROM [AR] WHERE [AR].[SIID] = [SI].[ID]) FROM [SI] WHERE [SI].[Date] <= ? ORDER BY "
                       "[SI].[ID]"));
    if (!query)
        return false;
    query->addBindValue(cutoff);
    if (!query->exec())
        return m_tables.database().readSucceeded(*query);
    QList<qint32> paidIDs;
    while (query->next()) {
        const qint64 balance = query->value(1).toLongLong() - query->value(2).toLongLong();
        if (balance > -kPaidInFull && balance < kPaidInFull)
            paidIDs.append(query->value(0).toInt());
    }
    if (!m_tables.database().readSucceeded(*query))
        return false;
    query->finish();

    for (qsizetype from = 0; from < paidIDs.size(); from += kBatchSize) {
        const qsizetype n = std::min(kBatchSize, paidIDs.size() - from);
        const QString byInvoice = InCondition("SIID", n);
        const QVariantList values = Values(paidIDs, from, n);
        if (m_tables.sales().DeleteWhere(byInvoice, values) < 0 ||
            m_tables.receivables().DeleteWhere(byInvoice, values) < 0 ||
            m_tables.invoices().DeleteWhere(InCondition("ID", n), values) < 0)
            return false;
    }
    NoteChanges(changes, ListingKind::Invoices, paidIDs);
    count = static_cast<qint32>(paidIDs.size());
    return true;
}
