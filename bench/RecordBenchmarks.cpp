#include "BenchSupport.h"

#include "core/common/StatusCodes.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <random>
#include <vector>

// Each case is a pair: _Plain does the work with the barest prepared statement on
// the same connection, _Ours through the record layer, over the same inputs and
// with the same iteration scheme. Plain runs first so its time can go beside ours.

namespace {

constexpr std::size_t kKeyCount = 4096; // a power of two: the index wraps with a mask
constexpr int kAddCount = 10000;

ProjectDatabase& Db()
{
    return BenchProject::current().database();
}

ProjectTables& Tables()
{
    return BenchProject::current().tables();
}

// Existing IDs of a table in a fixed random order, the same for both halves.
const std::vector<qint32>& RandomIds(const QString& table)
{
    static std::map<QString, std::vector<qint32>> cache;
    std::vector<qint32>& ids = cache[table];
    if (!ids.empty())
        return ids;
    std::vector<qint32> all;
    QSqlQuery query(Db().connection());
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT \"ID\" FROM \"%1\"").arg(table));
    while (query.next())
        all.push_back(query.value(0).toInt());
    if (all.empty())
        return ids;
    std::mt19937 engine(7);
    for (std::size_t i = 0; i < kKeyCount; ++i)
        ids.push_back(all[engine() % all.size()]);
    return ids;
}

// The stock lots both halves of the add case write: plausible lots of existing items.
const std::vector<CStockRec>& LotsToAdd()
{
    static std::vector<CStockRec> lots;
    if (!lots.empty())
        return lots;
    const std::vector<qint32>& items = RandomIds(QStringLiteral("Items"));
    const std::vector<qint32>& vendors = RandomIds(QStringLiteral("Vendors"));
    const int firstDay = static_cast<int>(DateTime::fromDate(QDate(2020, 1, 1)).days());
    std::mt19937 engine(11);
    for (int i = 0; i < kAddCount; ++i) {
        CStockRec lot;
        lot.ItemID = items[engine() % items.size()];
        lot.VendorID = vendors[engine() % vendors.size()];
        lot.OrderID = StockInitial;
        lot.POID = StockInitial;
        lot.Quanity = 1 + static_cast<qint32>(engine() % 50);
        lot.Cost = Money::fromTenThousandths(100 * (50 + static_cast<qint64>(engine() % 50000)));
        lot.Date = DateTime::fromDays(firstDay + static_cast<int>(engine() % 2557));
        lots.push_back(lot);
    }
    return lots;
}

// --- 1. A record by its ID ---------------------------------------------------

void BM_RecordRead_Plain(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomIds(QStringLiteral("Items"));
    std::optional<QSqlQuery> query =
        Prepared(Db(), QStringLiteral("SELECT * FROM \"Items\" WHERE \"ID\" = ?"), state);
    if (!query)
        return;
    query->bindValue(0, ids[0]);
    const int columns = query->exec() ? query->record().count() : 0;
    std::size_t i = 0;
    for (auto _ : state) {
        query->bindValue(0, ids[i++ & (kKeyCount - 1)]);
        if (!query->exec() || !query->next()) {
            state.SkipWithError("the item was not read");
            break;
        }
        for (int c = 0; c < columns; ++c) {
            QVariant value = query->value(c);
            benchmark::DoNotOptimize(value);
        }
    }
}

void BM_RecordRead_Ours(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomIds(QStringLiteral("Items"));
    CItemsSet& items = Tables().items();
    CItemsRec rec;
    std::size_t i = 0;
    for (auto _ : state) {
        if (!items.RecordRead(rec, ids[i++ & (kKeyCount - 1)])) {
            state.SkipWithError(qPrintable(items.lastError()));
            break;
        }
        benchmark::DoNotOptimize(rec);
    }
}

// --- 2. Stock on hand of an item ---------------------------------------------

void BM_SumQuantityByItem_Plain(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomIds(QStringLiteral("Items"));
    std::optional<QSqlQuery> query =
        Prepared(Db(), QStringLiteral("SELECT SUM(\"Quanity\") FROM \"Stock\" WHERE \"ItemID\" = ?"), state);
    if (!query)
        return;
    std::size_t i = 0;
    for (auto _ : state) {
        query->bindValue(0, ids[i++ & (kKeyCount - 1)]);
        if (!query->exec() || !query->next()) {
            state.SkipWithError("the sum was not read");
            break;
        }
        benchmark::DoNotOptimize(query->value(0).toLongLong());
    }
}

void BM_SumQuantityByItem_Ours(benchmark::State& state)
{
    const std::vector<qint32>& ids = RandomIds(QStringLiteral("Items"));
    CStockSet& stock = Tables().stock();
    CItemsSet& items = Tables().items();
    // The generated project keeps every item's stock total equal to its lots.
    if (stock.SumQuantityByItem(ids[0]) != items.GetStocked(ids[0])) {
        state.SkipWithError("the lots do not add up to the item's stock");
        return;
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(stock.SumQuantityByItem(ids[i++ & (kKeyCount - 1)]));
}

// --- 3. The whole item list with vendor names ---------------------------------

void BM_RecordReadAll_Plain(benchmark::State& state)
{
    TimePlainRead(
        state, Db(),
        QStringLiteral(
            "SELECT i.*, v.\"Name\" FROM \"Items\" i LEFT JOIN \"Vendors\" v ON v.\"ID\" = i.\"VendorID1\""));
}

void BM_RecordReadAll_Ours(benchmark::State& state)
{
    CItemsSet& items = Tables().items();
    if (items.Open() != 1) {
        state.SkipWithError(qPrintable(items.lastError()));
        return;
    }
    qint64 rows = 0;
    for (auto _ : state) {
        const QList<CItemsRow> list = items.RecordReadAll();
        if (list.isEmpty()) {
            state.SkipWithError("no items were read");
            break;
        }
        rows += list.size();
        benchmark::DoNotOptimize(list.constData());
    }
    state.SetItemsProcessed(rows);
}

// --- 4. Ten thousand new stock lots in one transaction -------------------------
// Each round is rolled back (outside the timing) so the project never grows.

void BM_RecordAdd_Plain(benchmark::State& state)
{
    const std::vector<CStockRec>& lots = LotsToAdd();
    std::optional<QSqlQuery> insert = Prepared(
        Db(),
        QStringLiteral("INSERT INTO \"Stock\" (\"ItemID\", \"VendorID\", \"OrderID\", \"POID\", \"Quanity\", "
                       "\"Cost\", \"Date\") VALUES (?, ?, ?, ?, ?, ?, ?)"),
        state);
    if (!insert)
        return;
    QSqlDatabase connection = Db().connection();
    for (auto _ : state) {
        if (!connection.transaction()) {
            state.SkipWithError("no transaction");
            break;
        }
        bool ok = true;
        for (const CStockRec& lot : lots) {
            insert->bindValue(0, lot.ItemID);
            insert->bindValue(1, lot.VendorID);
            insert->bindValue(2, lot.OrderID);
            insert->bindValue(3, lot.POID);
            insert->bindValue(4, lot.Quanity);
            insert->bindValue(5, lot.Cost.toDouble());
            insert->bindValue(6, lot.Date.days());
            ok = ok && insert->exec();
            // The record layer hands the new ID back; so does this.
            benchmark::DoNotOptimize(insert->lastInsertId());
        }
        state.PauseTiming();
        connection.rollback();
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError(qPrintable(insert->lastError().text()));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAddCount);
}

void BM_RecordAdd_Ours(benchmark::State& state)
{
    const std::vector<CStockRec>& lots = LotsToAdd();
    CStockSet& stock = Tables().stock();
    for (auto _ : state) {
        bool ok = true;
        {
            Transaction transaction(Db());
            ok = transaction.isActive();
            for (const CStockRec& lot : lots) {
                CStockRec rec = lot;
                ok = ok && stock.RecordAdd(rec);
            }
            state.PauseTiming();
        }
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError(qPrintable(stock.lastError()));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kAddCount);
}

// --- 5. Opening the project ---------------------------------------------------

void BM_OpenDatabase_Plain(benchmark::State& state)
{
    const QString path = BenchProject::current().databasePath();
    const QString name = QStringLiteral("qm-bench-plain-open");
    const QStringList tables = Db().tableNames();
    for (auto _ : state) {
        bool ok = true;
        {
            QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            connection.setDatabaseName(path);
            ok = connection.open();
            for (const QString& table : tables) {
                QSqlQuery query(connection);
                query.setForwardOnly(true);
                ok = ok && query.exec(QStringLiteral("SELECT 1 FROM \"%1\" LIMIT 1").arg(table)) &&
                     query.next();
            }
            connection.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!ok) {
            state.SkipWithError("the project did not open");
            break;
        }
    }
}

void BM_OpenDatabase_Ours(benchmark::State& state)
{
    const QString path = BenchProject::current().databasePath();
    for (auto _ : state) {
        ProjectDatabase db;
        bool ok = db.open(path);
        if (ok) {
            ProjectTables tables(db, CStockSet::kFifo);
            ok = tables.OpenAll() == Status::Success;
        }
        db.close();
        if (!ok) {
            state.SkipWithError("the project did not open");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_RecordRead_Plain)->UseRealTime();
BENCHMARK(BM_RecordRead_Ours)->UseRealTime();
BENCHMARK(BM_SumQuantityByItem_Plain)->UseRealTime();
BENCHMARK(BM_SumQuantityByItem_Ours)->UseRealTime();
BENCHMARK(BM_RecordReadAll_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordReadAll_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordAdd_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordAdd_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenDatabase_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenDatabase_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
