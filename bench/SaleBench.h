#pragma once

#include "BenchSupport.h"

#include "core/records/StockFigures.h"

// Recording a sale, shared by the sale operation and the sale window cases: new
// items with many small lots, an invoice to sell them on, the check that the
// sale is there, and the plain statements that make the same writes.

// How large a measured sale is. Every line empties 50 lots, so none is left part-full.
struct SaleShape
{
    int items;
    int lotsPerItem;
    qint32 unitsPerLot;
    int lines;
    const char* itemName; // %1 is the item's number

    qint32 unitsPerLine() const { return 50 * unitsPerLot; }
};

struct SaleRecords
{
    QList<qint32> items;
    qint32 invoiceID = NoID;
    qint32 customerID = NoID;
};

inline std::optional<SaleRecords> AddSaleRecords(Fixture& fixture, const SaleShape& shape)
{
    SaleRecords r;
    const qint32 vendor = FirstVendor(fixture.db());
    const QList<qint32> customers =
        IdList(fixture.db(), QStringLiteral("SELECT MIN(\"ID\") FROM \"Customers\""));
    if (vendor == NoID || customers.isEmpty()) {
        fixture.fail(QStringLiteral("The project has no vendor or customer."));
        return std::nullopt;
    }
    r.customerID = customers.first();
    for (int i = 0; i < shape.items; ++i) {
        const std::optional<qint32> item =
            AddItem(fixture, vendor, QString::fromLatin1(shape.itemName).arg(i, 6, 10, QLatin1Char('0')));
        if (!item || !AddLots(fixture, *item, vendor, shape.lotsPerItem, shape.unitsPerLot) ||
            !RecomputeStocked(fixture.tables(), *item))
            return std::nullopt;
        r.items.append(*item);
    }
    CSIRec invoice;
    invoice.CustomerID = r.customerID;
    invoice.Number = fixture.tables().invoices().NextNumber();
    invoice.Date = Day(2026, 6, 1);
    if (!fixture.tables().invoices().RecordAdd(invoice)) {
        fixture.fail(fixture.tables().invoices().lastError());
        return std::nullopt;
    }
    r.invoiceID = invoice.ID;
    return r;
}

inline bool ShowsSold(ProjectTables& tables, const SaleShape& shape, const SaleRecords& r)
{
    const qint32 perItem = shape.lines / shape.items * shape.unitsPerLine();
    for (qint32 item : r.items) {
        if (tables.items().GetStocked(item) != shape.lotsPerItem * shape.unitsPerLot - perItem)
            return false;
    }
    return tables.sales().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == shape.lines &&
           tables.receivables().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == 1;
}

// Per line: the item's lots in FIFO order until they hold the quantity, the
// emptied lots deleted, the sale inserted and the item's Stocked rewritten; then
// the invoice's receivable.
inline void TimePlainSale(benchmark::State& state, const SaleShape& shape)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<SaleRecords> r = AddSaleRecords(fixture, shape);
    if (!r || !fixture.ok())
        return;
    ProjectDatabase& db = target.db;
    PlainStep step(db, state);
    std::optional<QSqlQuery> lots =
        Prepared(db,
                 QStringLiteral("SELECT \"ID\", \"Quanity\", \"Cost\" FROM \"Stock\" WHERE \"ItemID\" = ? "
                                "ORDER BY \"Date\", \"ID\""),
                 state);
    std::optional<QSqlQuery> deleteLot =
        Prepared(db, QStringLiteral("DELETE FROM \"Stock\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> insertSale = Prepared(
        db,
        QStringLiteral(
            "INSERT INTO \"Sales\" (\"ItemID\", \"Quanity\", \"SellingPrice\", \"Date\", \"Cost\", \"SIID\") "
            "VALUES (?, ?, ?, ?, ?, ?)"),
        state);
    std::optional<QSqlQuery> stocked =
        Prepared(db,
                 QStringLiteral("UPDATE \"Items\" SET \"Stocked\" = (SELECT TOTAL(\"Quanity\") FROM "
                                "\"Stock\" WHERE \"ItemID\" = ?) WHERE \"ID\" = ?"),
                 state);
    std::optional<QSqlQuery> insertDue =
        Prepared(db,
                 QStringLiteral("INSERT INTO \"AR\" (\"CustomerID\", \"Paid\", \"Due\", \"Date\", \"SIID\") "
                                "VALUES (?, 0, ?, ?, ?)"),
                 state);
    if (!step.ready() || !lots || !deleteLot || !insertSale || !stocked || !insertDue)
        return;
    const double date = Day(2026, 6, 1).days();
    const double price = 19.99;
    const qint32 unitsPerLine = shape.unitsPerLine();
    const auto sell = [&] {
        if (!step.begin->exec())
            return false;
        double total = 0;
        for (int line = 0; line < shape.lines; ++line) {
            const qint32 item = r->items.at(line % shape.items);
            lots->bindValue(0, item);
            if (!lots->exec())
                return false;
            qint64 held = 0;
            double cost = 0;
            QList<qint32> emptied;
            while (held < unitsPerLine && lots->next()) {
                held += lots->value(1).toInt();
                cost += lots->value(2).toDouble() * lots->value(1).toInt();
                emptied.append(lots->value(0).toInt());
            }
            lots->finish();
            for (qint32 id : emptied) {
                deleteLot->bindValue(0, id);
                if (!deleteLot->exec())
                    return false;
            }
            insertSale->bindValue(0, item);
            insertSale->bindValue(1, unitsPerLine);
            insertSale->bindValue(2, price);
            insertSale->bindValue(3, date);
            insertSale->bindValue(4, cost / unitsPerLine);
            insertSale->bindValue(5, r->invoiceID);
            stocked->bindValue(0, item);
            stocked->bindValue(1, item);
            if (!insertSale->exec() || !stocked->exec())
                return false;
            total += price * unitsPerLine;
        }
        insertDue->bindValue(0, r->customerID);
        insertDue->bindValue(1, total);
        insertDue->bindValue(2, date);
        insertDue->bindValue(3, r->invoiceID);
        return insertDue->exec() && step.end->exec();
    };
    TimeRounds(
        state, db, sell, [&] { return ShowsSold(target.tables, shape, *r); }, [] {},
        "the sale was not recorded");
}

// Times `sell(tables, prompter, records)`, which fills a sale of `shape` untimed
// and records it timed, on new records, and checks that the stock shows the sale.
template <typename Sell>
void TimeOurSale(benchmark::State& state, const SaleShape& shape, const Sell& sell)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<SaleRecords> r = AddSaleRecords(fixture, shape);
    if (!r || !fixture.ok())
        return;
    YesPrompter prompter;
    TimeOurs(
        state, target.db, prompter, [&] { return sell(target.tables, prompter, *r); },
        [&] { return ShowsSold(target.tables, shape, *r); }, [] {}, "the sale was not recorded");
}
