#pragma once

#include "BenchProject.h"
#include "YesPrompter.h"

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/StockFigures.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

// What the operation benchmarks share: the project they run on, the fixture
// transaction that is never committed, the rounds rolled back outside the timing,
// and the records several cases add for themselves.

// One open project: the cached scale-M one, or the small one.
struct Target
{
    ProjectDatabase& db;
    ProjectTables& tables;
};

inline Target Medium()
{
    return {BenchProject::current().database(), BenchProject::current().tables()};
}

inline std::optional<QSqlQuery> Prepared(ProjectDatabase& db, const QString& sql, benchmark::State& state)
{
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        state.SkipWithError(qPrintable(query.lastError().text()));
        return std::nullopt;
    }
    return query;
}

// The plain half of a read that takes several statements: each run once a round,
// in the order given, and every column of every row read; the rows count as items.
inline void TimePlainReads(benchmark::State& state, ProjectDatabase& db, const QStringList& sqls)
{
    std::vector<QSqlQuery> queries;
    for (const QString& sql : sqls) {
        std::optional<QSqlQuery> query = Prepared(db, sql, state);
        if (!query)
            return;
        queries.push_back(std::move(*query));
    }
    qint64 rows = 0;
    bool failed = false;
    for (auto _ : state) {
        for (QSqlQuery& query : queries) {
            if (!query.exec()) {
                state.SkipWithError(qPrintable(query.lastError().text()));
                failed = true;
                break;
            }
            const int columns = query.record().count();
            while (query.next()) {
                for (int c = 0; c < columns; ++c) {
                    QVariant value = query.value(c);
                    benchmark::DoNotOptimize(value);
                }
                ++rows;
            }
        }
        if (failed)
            break;
    }
    state.SetItemsProcessed(rows);
}

// The plain half of a read: the statement run once a round and every column of
// every row read, as a caller that used the rows would; the rows count as items.
// A round that reads no row ends the case, since it would have measured nothing.
inline void TimePlainRead(benchmark::State& state, ProjectDatabase& db, const QString& sql)
{
    std::optional<QSqlQuery> query = Prepared(db, sql, state);
    if (!query)
        return;
    int columns = -1;
    qint64 rows = 0;
    for (auto _ : state) {
        if (!query->exec()) {
            state.SkipWithError(qPrintable(query->lastError().text()));
            break;
        }
        if (columns < 0)
            columns = query->record().count();
        qint64 read = 0;
        while (query->next()) {
            for (int c = 0; c < columns; ++c) {
                QVariant value = query->value(c);
                benchmark::DoNotOptimize(value);
            }
            ++read;
        }
        if (read == 0) {
            state.SkipWithError("the statement read no rows");
            break;
        }
        rows += read;
    }
    state.SetItemsProcessed(rows);
}

// The first column of every row of a statement run once.
inline QList<qint32> IdList(ProjectDatabase& db, const QString& sql)
{
    QList<qint32> ids;
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (query.exec(sql)) {
        while (query.next())
            ids.append(query.value(0).toInt());
    }
    return ids;
}

inline DateTime Day(int year, int month, int day)
{
    return DateTime::fromDate(QDate(year, month, day));
}

inline Money Cents(qint64 cents)
{
    return Money::fromTenThousandths(cents * (Money::kScale / 100));
}

// The records a case adds for itself. They stay inside a transaction that is
// rolled back when the case ends, whether it finished or not.
class Fixture
{
public:
    Fixture(Target target, benchmark::State& state)
        : m_target(target), m_state(state), m_transaction(target.db)
    {
        if (!m_transaction.isActive())
            m_state.SkipWithError(qPrintable(m_target.db.lastError()));
    }

    bool ok() const { return m_transaction.isActive() && !m_failed; }
    // Records a failed setup step; false so it can end a chain of steps.
    bool fail(const QString& what)
    {
        if (!m_failed)
            m_state.SkipWithError(qPrintable(what));
        m_failed = true;
        return false;
    }

    ProjectDatabase& db() { return m_target.db; }
    ProjectTables& tables() { return m_target.tables; }

private:
    Target m_target;
    benchmark::State& m_state;
    Transaction m_transaction;
    bool m_failed = false;
};

// Gives every round a fresh savepoint and rolls the last one back outside the
// timing, so each round finds the project as the fixture left it.
class Rounds
{
public:
    // Without its first savepoint a case must not start: its writes would stay.
    Rounds(ProjectDatabase& db, benchmark::State& state) : m_db(db), m_state(state)
    {
        m_round.emplace(db);
        if (!active())
            m_state.SkipWithError(qPrintable(db.lastError()));
    }
    ~Rounds() { m_round.reset(); }
    Rounds(const Rounds&) = delete;
    Rounds& operator=(const Rounds&) = delete;

    bool active() const { return m_round && m_round->isActive(); }
    // Ends the timed part of a round. `check` sees what the round wrote before
    // it is rolled back, and is not timed either; false from it ends the case.
    template <typename Fn> bool next(Fn&& check)
    {
        m_state.PauseTiming();
        bool ok = check();
        m_round.reset();
        m_round.emplace(m_db);
        ok = ok && active();
        m_state.ResumeTiming();
        return ok;
    }

private:
    ProjectDatabase& m_db;
    benchmark::State& m_state;
    std::optional<Transaction> m_round;
};

// Times an operation of ours round after round. `operation` answers whether it
// did its work; after each round, untimed and before the round is rolled back,
// `check` answers whether its writes are there (asked until it says yes) and
// `reset` clears what the operation gathered.
template <typename Operation, typename Check, typename Reset>
void TimeRounds(benchmark::State& state, ProjectDatabase& db, Operation operation, Check check, Reset reset,
                const char* failure, const YesPrompter* prompter = nullptr)
{
    Rounds rounds(db, state);
    if (!rounds.active())
        return;
    bool checked = false;
    const auto said = [prompter] { return prompter != nullptr && prompter->messageCount() > 0; };
    for (auto _ : state) {
        const bool ok = operation() && !said();
        if (!ok || !rounds.next([&] {
                checked = checked || check();
                reset();
                return checked;
            })) {
            state.SkipWithError(said() ? qPrintable(prompter->lastMessage()) : failure);
            break;
        }
    }
}

// The same for an operation of ours, which must not have said anything either.
template <typename Operation, typename Check, typename Reset>
void TimeOurs(benchmark::State& state, ProjectDatabase& db, const YesPrompter& prompter, Operation operation,
              Check check, Reset reset, const char* failure)
{
    TimeRounds(state, db, operation, check, reset, failure, &prompter);
}

// The plain halves make their writes one step too, as any caller must.
struct PlainStep
{
    std::optional<QSqlQuery> begin, end;

    PlainStep(ProjectDatabase& db, benchmark::State& state)
        : begin(Prepared(db, QStringLiteral("SAVEPOINT bench_plain"), state)),
          end(Prepared(db, QStringLiteral("RELEASE bench_plain"), state))
    {
    }
    bool ready() const { return begin && end; }
};

// --- Records the cases share --------------------------------------------------

inline qint32 FirstVendor(ProjectDatabase& db)
{
    const QList<qint32> ids = IdList(db, QStringLiteral("SELECT MIN(\"ID\") FROM \"Vendors\""));
    return ids.isEmpty() ? NoID : ids.first();
}

// A new purchase order with a vendor.
inline std::optional<qint32> AddPurchaseOrder(Fixture& fixture, qint32 vendorID)
{
    CPORec po;
    po.VendorID = vendorID;
    po.Number = fixture.tables().purchaseOrders().NextNumber();
    po.Date = Day(2026, 5, 1);
    po.RequiredDate = Day(2026, 5, 20);
    po.TaxRate = 7.0;
    if (!fixture.tables().purchaseOrders().RecordAdd(po)) {
        fixture.fail(fixture.tables().purchaseOrders().lastError());
        return std::nullopt;
    }
    return po.ID;
}

inline std::optional<qint32> AddOrderLine(Fixture& fixture, qint32 itemID, qint32 vendorID, qint32 poID,
                                          qint32 quantity)
{
    COrderRec line;
    line.ItemID = itemID;
    line.VendorID = vendorID;
    line.Quanity = quantity;
    line.Date = Day(2026, 5, 1);
    line.BackOrderID = 0;
    line.POID = poID;
    if (!fixture.tables().orders().RecordAdd(line)) {
        fixture.fail(fixture.tables().orders().lastError());
        return std::nullopt;
    }
    return line.ID;
}

inline std::optional<qint32> AddItem(Fixture& fixture, qint32 vendorID, const QString& name)
{
    CItemsRec item;
    item.Name = name;
    item.Number = QStringLiteral("BENCH-") + name.right(6);
    item.Description = QStringLiteral("Measured item");
    item.VendorID1 = item.VendorID2 = vendorID;
    item.CategoryID = 0;
    item.Cost = Cents(1250);
    item.SellingPrice = Cents(1999);
    item.ReorderQuanity = 50;
    item.ReorderLevel = 20;
    if (!fixture.tables().items().RecordAdd(item)) {
        fixture.fail(fixture.tables().items().lastError());
        return std::nullopt;
    }
    return item.ID;
}

// `count` lots of initial stock spread over the years the project covers, each of
// `quantity` units (0: 1 to 20 units).
inline bool AddLots(Fixture& fixture, qint32 itemID, qint32 vendorID, int count, qint32 quantity = 0)
{
    const int firstDay = static_cast<int>(Day(2020, 1, 1).days());
    for (int i = 0; i < count; ++i) {
        CStockRec lot;
        lot.ItemID = itemID;
        lot.VendorID = vendorID;
        lot.OrderID = StockInitial;
        lot.POID = StockInitial;
        lot.Quanity = quantity > 0 ? quantity : 1 + i % 20;
        lot.Cost = Cents(1000 + i % 500);
        lot.Date = DateTime::fromDays(firstDay + (i * 7919) % 2557);
        if (!fixture.tables().stock().RecordAdd(lot))
            return fixture.fail(fixture.tables().stock().lastError());
    }
    return true;
}

// --- A large purchase order ---------------------------------------------------

inline constexpr int kLargePOLines = 1000;

// The note that marks the large purchase order in the cached project.
inline QString LargePONote()
{
    return QStringLiteral("Benchmark: 1,000 order lines");
}

// A purchase order of the first vendor with 1,000 outstanding order lines, one
// for each of the first 1,000 items (10 units each), for the cases that open a
// purchase-order window on a large order (Record Received Order, Manage Purchase
// Orders). The first run that asks for it adds it to the cached scale-M project
// and commits it, the items' Ordered following its lines; later runs find it
// again by its note. Being the newest purchase order, it is also the one the
// purchase-order pickers select by default. Ask for it before a Fixture opens its
// transaction, or it is rolled back with the case. NoID when it could not be made.
inline qint32 LargePurchaseOrder()
{
    static qint32 id = NoID;
    if (id != NoID)
        return id;
    ProjectDatabase& db = Medium().db;
    ProjectTables& tables = Medium().tables;
    const QList<qint32> found =
        IdList(db, QStringLiteral("SELECT \"ID\" FROM \"PO\" WHERE \"Notes\" = '%1' ORDER BY \"ID\"")
                       .arg(LargePONote()));
    if (!found.isEmpty())
        return id = found.first();

    const QList<qint32> items = IdList(
        db, QStringLiteral("SELECT \"ID\" FROM \"Items\" ORDER BY \"ID\" LIMIT %1").arg(kLargePOLines));
    const qint32 vendor = FirstVendor(db);
    if (items.size() < kLargePOLines || vendor == NoID)
        return NoID;
    Transaction transaction(db);
    if (!transaction.isActive())
        return NoID;
    CPORec po;
    po.VendorID = vendor;
    po.Number = tables.purchaseOrders().NextNumber();
    po.Date = Day(2026, 5, 1);
    po.RequiredDate = po.FilledDate = Day(2026, 5, 20);
    po.TaxRate = 7.0;
    po.Notes = LargePONote();
    if (!tables.purchaseOrders().RecordAdd(po))
        return NoID;
    for (const qint32 item : items) {
        COrderRec line;
        line.ItemID = item;
        line.VendorID = vendor;
        line.Quanity = 10;
        line.Date = po.Date;
        line.BackOrderID = 0;
        line.POID = po.ID;
        if (!tables.orders().RecordAdd(line) || !RecomputeItemTotals(tables, item))
            return NoID;
    }
    if (!transaction.commit())
        return NoID;
    return id = po.ID;
}
