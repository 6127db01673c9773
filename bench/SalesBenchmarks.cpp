#include "BenchSupport.h"

#include "core/common/Clock.h"
#include "core/purchasing/PurgeDataModel.h"
#include "core/records/StockFigures.h"
#include "core/sales/InvoiceArithmetic.h"
#include "core/sales/InvoiceBalances.h"
#include "core/sales/RecordSoldItemsModel.h"

#include <random>
#include <vector>

// The sales operations against the plain statements that read the same figures
// or make the same writes.

namespace {

// --- 1. Re-synchronising every invoice's amount due at open ---------------------

// One statement computing every invoice's total, every row read.
void BM_UpdateInvoiceBalances_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT s.\"SIID\", SUM(s.\"SellingPrice\" * s.\"Quanity\" * "
                                 "(1 + CASE WHEN i.\"Taxable\" <> 0 THEN i.\"TaxRate\" / 100.0 ELSE 0 END)) "
                                 "FROM \"Sales\" s LEFT JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" "
                                 "GROUP BY s.\"SIID\""));
}

// The project's dues are right, so nothing may be rewritten.
void BM_UpdateInvoiceBalances_Ours(benchmark::State& state)
{
    const Target target = Medium();
    YesPrompter prompter;
    BalanceUpdate last;
    TimeOurs(
        state, target.db, prompter,
        [&] {
            last = UpdateInvoiceBalances(target.tables);
            return last.ok;
        },
        [&] { return last.rewritten == 0; }, [] {}, "the balances were not brought up to date");
}

// --- 2. The balance of one invoice ------------------------------------------

constexpr std::size_t kInvoiceKeys = 4096; // a power of two: the index wraps with a mask

const std::vector<qint32>& RandomInvoices()
{
    static std::vector<qint32> ids;
    if (ids.empty()) {
        const QList<qint32> all = IdList(Medium().db, QStringLiteral("SELECT \"ID\" FROM \"SI\""));
        std::mt19937 engine(11);
        for (std::size_t i = 0; i < kInvoiceKeys && !all.isEmpty(); ++i)
            ids.push_back(all.at(static_cast<qsizetype>(engine() % static_cast<quint32>(all.size()))));
    }
    return ids;
}

void BM_InvoiceBalance_Plain(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomInvoices();
    std::optional<QSqlQuery> query = Prepared(
        Medium().db,
        QStringLiteral("SELECT \"Due\", \"Paid\" FROM \"AR\" WHERE \"SIID\" = ? ORDER BY \"ID\""), state);
    if (!query || ids.empty())
        return;
    std::size_t i = 0;
    for (auto _ : state) {
        query->bindValue(0, ids[i++ & (kInvoiceKeys - 1)]);
        if (!query->exec() || !query->next()) {
            state.SkipWithError("the invoice's receivables were not read");
            break;
        }
        const double due = query->value(0).toDouble();
        double paid = query->value(1).toDouble();
        while (query->next())
            paid += query->value(1).toDouble();
        benchmark::DoNotOptimize(due - paid);
    }
}

void BM_InvoiceBalance_Ours(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomInvoices();
    CARSet& receivables = Medium().tables.receivables();
    std::size_t i = 0;
    for (auto _ : state) {
        Money due, paid, balance;
        if (ComputeInvoiceBalance(receivables, ids[i++ & (kInvoiceKeys - 1)], due, paid, balance) != 1) {
            state.SkipWithError("the invoice has no receivable");
            break;
        }
        benchmark::DoNotOptimize(balance);
    }
}

// --- 3. Recording a sale of 100 lines ------------------------------------------

constexpr int kSaleItems = 10;
constexpr int kLotsPerSaleItem = 10000;
constexpr qint32 kUnitsPerLot = 2;
constexpr int kSaleLines = 100;
constexpr qint32 kUnitsPerLine = 50 * kUnitsPerLot; // every line empties 50 lots

// Ten items of 10,000 lots each and an invoice to sell them on.
struct SaleRecords
{
    QList<qint32> items;
    qint32 invoiceID = NoID;
    qint32 customerID = NoID;
};

std::optional<SaleRecords> AddSaleRecords(Fixture& fixture)
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
    for (int i = 0; i < kSaleItems; ++i) {
        const std::optional<qint32> item =
            AddItem(fixture, vendor, QStringLiteral("Sold item %1").arg(i, 6, 10, QLatin1Char('0')));
        if (!item || !AddLots(fixture, *item, vendor, kLotsPerSaleItem, kUnitsPerLot) ||
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

bool ShowsSold(ProjectTables& tables, const SaleRecords& r)
{
    const qint32 perItem = kSaleLines / kSaleItems * kUnitsPerLine;
    for (qint32 item : r.items) {
        if (tables.items().GetStocked(item) != kLotsPerSaleItem * kUnitsPerLot - perItem)
            return false;
    }
    return tables.sales().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == kSaleLines &&
           tables.receivables().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == 1;
}

// Per line: the item's lots in FIFO order until they hold the quantity, the
// emptied lots deleted, the sale inserted and the item's Stocked rewritten; then
// the invoice's receivable.
void BM_RecordSale_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<SaleRecords> r = AddSaleRecords(fixture);
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
                                "\"Stock\" WHERE \"ItemID\" = ?) "
                                "WHERE \"ID\" = ?"),
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
    const auto sell = [&] {
        if (!step.begin->exec())
            return false;
        double total = 0;
        for (int line = 0; line < kSaleLines; ++line) {
            const qint32 item = r->items.at(line % kSaleItems);
            lots->bindValue(0, item);
            if (!lots->exec())
                return false;
            qint64 held = 0;
            double cost = 0;
            QList<qint32> emptied;
            while (held < kUnitsPerLine && lots->next()) {
                held += lots->value(1).toInt();
                cost += lots->value(2).toDouble() * lots->value(1).toInt();
                emptied.append(lots->value(0).toInt());
            }
            lots->finish();
            for (qint32 id : emptied) { // every lot holds 2 units: none is left part-full
                deleteLot->bindValue(0, id);
                if (!deleteLot->exec())
                    return false;
            }
            insertSale->bindValue(0, item);
            insertSale->bindValue(1, kUnitsPerLine);
            insertSale->bindValue(2, price);
            insertSale->bindValue(3, date);
            insertSale->bindValue(4, cost / kUnitsPerLine);
            insertSale->bindValue(5, r->invoiceID);
            stocked->bindValue(0, item);
            stocked->bindValue(1, item);
            if (!insertSale->exec() || !stocked->exec())
                return false;
            total += price * kUnitsPerLine;
        }
        insertDue->bindValue(0, r->customerID);
        insertDue->bindValue(1, total);
        insertDue->bindValue(2, date);
        insertDue->bindValue(3, r->invoiceID);
        return insertDue->exec() && step.end->exec();
    };
    TimeRounds(
        state, db, sell, [&] { return ShowsSold(target.tables, *r); }, [] {}, "the sale was not recorded");
}

void BM_RecordSale_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<SaleRecords> r = AddSaleRecords(fixture);
    if (!r || !fixture.ok())
        return;
    YesPrompter prompter;
    std::optional<RecordSoldItemsModel> model;
    const auto sell = [&] {
        // Filling the pending sale is the user's typing, not the recording.
        state.PauseTiming();
        model.emplace(target.tables, prompter);
        model->setInvoice(r->invoiceID);
        bool filled = true;
        for (int line = 0; line < kSaleLines && filled; ++line) {
            model->selectItem(r->items.at(line % kSaleItems));
            model->setQuantityText(QString::number(kUnitsPerLine));
            filled = model->addLine().saved;
        }
        state.ResumeTiming();
        return filled && model->save().saved;
    };
    TimeOurs(
        state, target.db, prompter, sell, [&] { return ShowsSold(target.tables, *r); }, [] {},
        "the sale was not recorded");
}

// --- 4. Purging 100,000 paid invoices ------------------------------------------

constexpr int kPurgedInvoices = 100000;

// Every invoice paid in full at the counter, and the date up to which the first
// 100,000 of them (by date) fall.
std::optional<DateTime> PayEveryInvoice(Fixture& fixture)
{
    QSqlQuery edit(fixture.db().connection());
    const bool paid =
        edit.exec(QStringLiteral("UPDATE \"AR\" SET \"Paid\" = \"Due\" WHERE \"ID\" IN "
                                 "(SELECT MIN(\"ID\") FROM \"AR\" GROUP BY \"SIID\")")) &&
        edit.exec(QStringLiteral("UPDATE \"AR\" SET \"Paid\" = 0, \"Due\" = 0 WHERE \"ID\" NOT IN "
                                 "(SELECT MIN(\"ID\") FROM \"AR\" GROUP BY \"SIID\")")) &&
        edit.exec(QStringLiteral("SELECT \"Date\" FROM \"SI\" ORDER BY \"Date\" LIMIT 1 OFFSET %1")
                      .arg(kPurgedInvoices - 1)) &&
        edit.next();
    if (!paid) {
        fixture.fail(edit.lastError().text());
        return std::nullopt;
    }
    return DateTime::fromDays(edit.value(0).toDouble());
}

qint32 InvoicesThrough(ProjectDatabase& db, const DateTime& cutoff)
{
    QSqlQuery count(db.connection());
    count.prepare(QStringLiteral("SELECT COUNT(*) FROM \"SI\" WHERE \"Date\" <= ?"));
    count.addBindValue(cutoff.days());
    return count.exec() && count.next() ? count.value(0).toInt() : -1;
}

// The purgeable invoices gathered by one statement into a temporary table, then
// three set-wise deletions: their sales, their payments, the invoices.
void BM_PurgeInvoices_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<DateTime> cutoff = PayEveryInvoice(fixture);
    ProjectDatabase& db = target.db;
    if (!cutoff || !fixture.ok() ||
        !db.execNative(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS purged (\"ID\" INTEGER PRIMARY KEY)")))
        return;
    PlainStep step(db, state);
    std::optional<QSqlQuery> gather = Prepared(
        db,
        QStringLiteral(
            "INSERT INTO temp.purged SELECT si.\"ID\" FROM \"SI\" si WHERE si.\"Date\" <= ? AND ABS("
            "(SELECT a.\"Due\" FROM \"AR\" a WHERE a.\"SIID\" = si.\"ID\" ORDER BY a.\"ID\" LIMIT 1) - "
            "(SELECT TOTAL(a.\"Paid\") FROM \"AR\" a WHERE a.\"SIID\" = si.\"ID\")) < 0.01"),
        state);
    if (!step.ready() || !gather)
        return;
    const QStringList deletions = {
        QStringLiteral("DELETE FROM \"Sales\" WHERE \"SIID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM \"AR\" WHERE \"SIID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM \"SI\" WHERE \"ID\" IN (SELECT \"ID\" FROM temp.purged)"),
        QStringLiteral("DELETE FROM temp.purged")};
    const auto purge = [&] {
        gather->bindValue(0, cutoff->days());
        if (!step.begin->exec() || !gather->exec())
            return false;
        QSqlQuery statement(db.connection());
        for (const QString& sql : deletions) {
            if (!statement.exec(sql))
                return false;
        }
        return step.end->exec();
    };
    TimeRounds(
        state, db, purge, [&] { return InvoicesThrough(db, *cutoff) == 0; }, [] {}, "nothing was purged");
}

void BM_PurgeInvoices_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<DateTime> cutoff = PayEveryInvoice(fixture);
    if (!cutoff || !fixture.ok())
        return;
    YesPrompter prompter;
    const FixedClock clock(cutoff->toQDateTime());
    const auto purge = [&] {
        PurgeDataModel model(target.tables, prompter, clock);
        model.setPurgeInvoices(true);
        model.setDateText(cutoff->formatShortDate(UserLocale()));
        return model.save().saved && model.purgedInvoiceCount() >= kPurgedInvoices;
    };
    TimeOurs(
        state, target.db, prompter, purge, [&] { return InvoicesThrough(target.db, *cutoff) == 0; }, [] {},
        "nothing was purged");
}

} // namespace

BENCHMARK(BM_UpdateInvoiceBalances_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_UpdateInvoiceBalances_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_InvoiceBalance_Plain)->UseRealTime();
BENCHMARK(BM_InvoiceBalance_Ours)->UseRealTime();
BENCHMARK(BM_RecordSale_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSale_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PurgeInvoices_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PurgeInvoices_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);
