#include "Totals.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <QSqlQuery>

namespace {

// A sale's line with its tax in ten-thousandths, for a statement over sales
// "s" joined to their items "i".
QString lineWithTax()
{
    const QString price = SqlRoundedWhole(QStringLiteral("s.[SellingPrice] * 10000"));
    const QString factor = SqlRoundedWhole(QStringLiteral("i.[TaxRate] / 100.0 * 100000"));
    const QString amount = price + QStringLiteral(" * s.[Quanity]");
    return amount + QStringLiteral(" + CASE WHEN i.[Taxable] <> 0 THEN (") + amount + QStringLiteral(" * ") +
           factor + QStringLiteral(") / 100000 ELSE 0 END");
}

// Every invoice's first receivable against the total of its sales, in one
// statement over the SIID indexes.
// Every total below is grouped by "+column": an expression, which no index
// serves, so the engine reads the table once in its own order and sorts,
// instead of walking an index and seeking each row in the table (several
// times slower on a table of a million rows).

QString staleDueQuery()
{
    const QString line = lineWithTax();
    const QString due = SqlRoundedWhole(QStringLiteral("a.[Due] * 10000"));
    return QStringLiteral("SELECT a.[SIID], ") + due +
           QStringLiteral(", COALESCE(t.[Total], 0) FROM [AR] a ") +
           QStringLiteral("LEFT JOIN (SELECT s.[SIID], SUM(") + line +
           QStringLiteral(
               ") AS [Total] FROM [Sales] s LEFT JOIN [Items] i ON i.[ID] = s.[ItemID] GROUP BY +s.[SIID]) t "
               "ON t.[SIID] = a.[SIID] "
               "WHERE a.[ID] IN (SELECT MIN([ID]) FROM [AR] GROUP BY [SIID]) AND ") +
           due + QStringLiteral(" <> COALESCE(t.[Total], 0) ORDER BY a.[SIID]");
}

// The sum of Quanity over an item's records of `table`, for a statement over
// "Items"; a whole number, 0 for none.
QString quantitySum(const QString& table, const QString& alias)
{
    return QStringLiteral(
               "(SELECT COALESCE(SUM(%2.\"Quanity\"), 0) FROM %1 %2 WHERE %2.\"ItemID\" = \"Items\".\"ID\")")
        .arg(SqlName(table), alias);
}

} // namespace

std::optional<qint64> ItemQuantityTotal(ProjectDatabase& db, const QString& table, qint32 itemID)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT TOTAL(\"Quanity\") FROM %1 WHERE \"ItemID\" = ?").arg(SqlName(table)));
    query.addBindValue(itemID);
    if (query.exec() && query.next())
        return query.value(0).toLongLong();
    db.readSucceeded(query);
    return std::nullopt;
}

std::optional<QList<ItemTotalsRow>> ReadItemTotals(ProjectDatabase& db)
{
    QList<ItemTotalsRow> rows;
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    const auto totals = [](const char* table) {
        return QStringLiteral(
                   "(SELECT \"ItemID\" AS \"id\", SUM(\"Quanity\") AS \"q\" FROM %1 GROUP BY +\"ItemID\")")
            .arg(SqlName(QLatin1String(table)));
    };
    query.exec(
        QStringLiteral(
            "SELECT i.\"ID\", i.\"Stocked\", i.\"Ordered\", COALESCE(s.\"q\", 0), COALESCE(o.\"q\", 0) "
            "FROM \"Items\" i LEFT JOIN %1 s ON s.\"id\" = i.\"ID\" LEFT JOIN %2 o ON o.\"id\" = i.\"ID\" "
            "ORDER BY i.\"ID\"")
            .arg(totals("Stock"), totals("Order")));
    while (query.next()) {
        rows.append({query.value(0).toInt(), query.value(1).toLongLong(), query.value(2).toLongLong(),
                     query.value(3).toLongLong(), query.value(4).toLongLong()});
    }
    if (!db.readSucceeded(query))
        return std::nullopt;
    return rows;
}

bool RecountItemTotals(ProjectDatabase& db, ItemTotal which)
{
    QString assignments =
        QStringLiteral("\"Ordered\" = ") + quantitySum(QStringLiteral("Order"), QStringLiteral("o"));
    if (which == ItemTotal::StockedAndOrdered)
        assignments +=
            QStringLiteral(", \"Stocked\" = ") + quantitySum(QStringLiteral("Stock"), QStringLiteral("s"));
    return db.execNative(QStringLiteral("UPDATE \"Items\" SET ") + assignments);
}

std::optional<QList<InvoiceDueRow>> ReadStaleInvoiceDues(ProjectDatabase& db)
{
    QList<InvoiceDueRow> stale;
    std::optional<QSqlQuery> query = db.prepare(staleDueQuery());
    bool ran = query && query->exec();
    if (ran) {
        while (query->next())
            stale.append(
                {query->value(0).toInt(), query->value(1).toLongLong(), query->value(2).toLongLong()});
    }
    if (query)
        ran = db.readSucceeded(*query) && ran;
    if (!ran)
        return std::nullopt;
    return stale;
}

std::optional<QList<InvoiceAmountsRow>> ReadInvoiceAmounts(ProjectDatabase& db,
                                                           std::optional<qint32> customerID)
{
    // Per invoice, lookups through the SIID indexes: as quick for one customer's
    // few invoices as a pass over the whole table is for all of them.
    const QString sql =
        QStringLiteral("SELECT si.[ID], si.[CustomerID], si.[Number], si.[Date], "
                       "(SELECT COALESCE(SUM(") +
        lineWithTax() +
        QStringLiteral(
            "), 0) FROM [Sales] s LEFT JOIN [Items] i ON i.[ID] = s.[ItemID] WHERE s.[SIID] = si.[ID]), "
            "(SELECT ") +
        SqlRoundedWhole(QStringLiteral("f.[Due] * 10000")) +
        QStringLiteral(" FROM [AR] f WHERE f.[SIID] = si.[ID] ORDER BY f.[ID] LIMIT 1), "
                       "(SELECT COALESCE(SUM(") +
        SqlRoundedWhole(QStringLiteral("p.[Paid] * 10000")) +
        QStringLiteral("), 0) FROM [AR] p WHERE p.[SIID] = si.[ID]) "
                       "FROM [SI] si WHERE si.[ID] > 0") +
        (customerID ? QStringLiteral(" AND si.[CustomerID] = ?") : QString()) +
        QStringLiteral(" ORDER BY si.[ID]");
    QList<InvoiceAmountsRow> rows;
    std::optional<QSqlQuery> query = db.prepare(sql);
    if (query && customerID)
        query->addBindValue(*customerID);
    bool ran = query && query->exec();
    if (ran) {
        while (query->next()) {
            InvoiceAmountsRow row;
            row.invoiceID = query->value(0).toInt();
            row.customerID = query->value(1).toInt();
            row.number = query->value(2).toInt();
            const QVariant date = query->value(3);
            row.dated = !date.isNull();
            row.date = date.toDouble();
            row.total = query->value(4).toLongLong();
            const QVariant due = query->value(5);
            row.hasReceivable = !due.isNull();
            row.due = due.toLongLong();
            row.paid = query->value(6).toLongLong();
            rows.append(row);
        }
    }
    if (query)
        ran = db.readSucceeded(*query) && ran;
    if (!ran)
        return std::nullopt;
    return rows;
}
