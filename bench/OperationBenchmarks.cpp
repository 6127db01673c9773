#include "BenchSupport.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "tools/generator/ProjectGenerator.h"
#include "core/purchasing/POLines.h"
#include "core/purchasing/Receiving.h"
#include "core/purchasing/UndoReceipts.h"
#include "core/records/ImportModel.h"
#include "core/records/ImportVersion2.h"
#include "core/records/RecordDeletion.h"
#include "core/records/StockFigures.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// Whole user operations against the plain statements that make the same writes
// or read the same figures. Each case builds its own records inside the project
// in a transaction that is never committed, and every round runs in a savepoint
// rolled back outside the timing, so rounds start alike and the cached project
// never grows. Inside that transaction the operations' own commits are savepoint
// releases: neither half waits for the disk.

namespace {

// The scale-S project beside the scale-M one, generated the first time and reused
// while its stamp names the current generator. Only the sizes of the tables the
// operations do not work on differ from the scale-M runs.
class SmallProject
{
public:
    SmallProject() = default;
    SmallProject(const SmallProject&) = delete;
    SmallProject& operator=(const SmallProject&) = delete;
    ~SmallProject()
    {
        m_tables.reset();
        m_db.close();
    }

    bool open()
    {
        const QDir dir(QDir(BenchProject::cacheDirectory()).filePath(QStringLiteral("scale-s")));
        const QString stem = dir.filePath(QStringLiteral("bench-s"));
        const QString stampPath = stem + QStringLiteral(".complete");
        const QString stamp = QStringLiteral("scale S, generator %1, seed %2\n")
                                  .arg(ProjectGenerator::kVersion)
                                  .arg(ProjectGenerator::kDefaultSeed);
        QFile stampFile(stampPath);
        const bool cached = QFile::exists(stem + QStringLiteral(".qmp")) &&
                            stampFile.open(QIODevice::ReadOnly) &&
                            QString::fromUtf8(stampFile.readAll()) == stamp;
        stampFile.close();
        if (!cached && !generate(dir, stem, stamp))
            return false;
        if (!m_db.open(stem + QStringLiteral(".qmp"))) {
            m_error = m_db.lastError();
            return false;
        }
        m_tables = std::make_unique<ProjectTables>(m_db, CStockSet::kFifo);
        if (m_tables->OpenAll() != Status::Success) {
            m_error = QStringLiteral("The tables of the small project cannot be opened.");
            return false;
        }
        return true;
    }

    Target target() { return {m_db, *m_tables}; }
    QString error() const { return m_error; }

private:
    bool generate(const QDir& dir, const QString& stem, const QString& stamp)
    {
        for (const char* extension : {".complete", ".qmp", ".qmp-journal", ".qms"}) {
            const QString path = stem + QString::fromLatin1(extension);
            if (QFile::exists(path) && !QFile::remove(path)) {
                m_error = QStringLiteral("The old file %1 cannot be removed.").arg(path);
                return false;
            }
        }
        const GeneratorResult result =
            ProjectGenerator(GeneratorScale::small()).generate(dir.path(), QStringLiteral("bench-s"));
        if (!result.ok) {
            m_error = result.error;
            return false;
        }
        QSaveFile file(stem + QStringLiteral(".complete"));
        const QByteArray text = stamp.toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
            m_error = QStringLiteral("The stamp of the small project cannot be written.");
            return false;
        }
        return true;
    }

    ProjectDatabase m_db;
    std::unique_ptr<ProjectTables> m_tables;
    QString m_error;
};


constexpr int kLotsOfReceivedItem = 10000;
constexpr qint32 kOrderedQuantity = 40;


// An item holding 10,000 lots with one outstanding order line on a purchase
// order of its own.
struct ReceivingRecords
{
    qint32 vendorID = NoID;
    qint32 itemID = NoID;
    qint32 poID = NoID;
    qint32 orderID = NoID;
    qint32 stockedBefore = 0;
};

std::optional<ReceivingRecords> AddReceivingRecords(Fixture& fixture)
{
    ReceivingRecords r;
    r.vendorID = FirstVendor(fixture.db());
    if (r.vendorID == NoID) {
        fixture.fail(QStringLiteral("The project has no vendor."));
        return std::nullopt;
    }
    const std::optional<qint32> item = AddItem(fixture, r.vendorID, QStringLiteral("Received item 000001"));
    if (!item || !AddLots(fixture, *item, r.vendorID, kLotsOfReceivedItem))
        return std::nullopt;
    r.itemID = *item;
    const std::optional<qint32> po = AddPurchaseOrder(fixture, r.vendorID);
    const std::optional<qint32> line =
        po ? AddOrderLine(fixture, r.itemID, r.vendorID, *po, kOrderedQuantity) : std::nullopt;
    if (!line)
        return std::nullopt;
    r.poID = *po;
    r.orderID = *line;
    if (!RecomputeItemTotals(fixture.tables(), r.itemID)) {
        fixture.fail(QStringLiteral("The item's totals cannot be written."));
        return std::nullopt;
    }
    r.stockedBefore = fixture.tables().items().GetStocked(r.itemID);
    return r;
}

ReceiptInput WholeLine(qint32 orderID)
{
    ReceiptInput input;
    input.orderID = orderID;
    input.quantity = kOrderedQuantity;
    input.cost = Cents(1275);
    input.date = Day(2026, 5, 15);
    return input;
}

// Whether an item's totals show the line received: the lots grew by the line and
// nothing is on order.
bool ShowsReceived(ProjectTables& tables, const ReceivingRecords& r)
{
    return tables.items().GetStocked(r.itemID) == r.stockedBefore + kOrderedQuantity &&
           tables.items().GetOrdered(r.itemID) == 0 && !tables.orders().LocateByID(r.orderID);
}

// Rewrites an item's Stocked and Ordered from their sums; bind the item's ID thrice.
QString ItemTotalsSql()
{
    return QStringLiteral(
        "UPDATE \"Items\" "
        "SET \"Stocked\" = (SELECT TOTAL(\"Quanity\") FROM \"Stock\" WHERE \"ItemID\" = ?), "
        "\"Ordered\" = (SELECT TOTAL(\"Quanity\") FROM \"Order\" WHERE \"ItemID\" = ?) "
        "WHERE \"ID\" = ?");
}

// --- 1. Receiving a whole order line --------------------------------------------

void ReceivePlain(benchmark::State& state, Target target)
{
    Fixture fixture(target, state);
    const std::optional<ReceivingRecords> r = fixture.ok() ? AddReceivingRecords(fixture) : std::nullopt;
    if (!r)
        return;
    ProjectDatabase& db = target.db;
    PlainStep step(db, state);
    std::optional<QSqlQuery> readLine =
        Prepared(db,
                 QStringLiteral("SELECT \"ItemID\", \"VendorID\", \"Quanity\", \"Date\", \"POID\" "
                                "FROM \"Order\" WHERE \"ID\" = ?"),
                 state);
    std::optional<QSqlQuery> addLot = Prepared(
        db,
        QStringLiteral("INSERT INTO \"Stock\" "
                       "(\"ItemID\", \"VendorID\", \"OrderID\", \"POID\", \"Quanity\", \"Cost\", \"Date\") "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"),
        state);
    std::optional<QSqlQuery> addReceipt = Prepared(
        db,
        QStringLiteral("INSERT INTO \"Received\" (\"ItemID\", \"VendorID\", \"OrderID\", \"StockID\", "
                       "\"OrderQuantity\", \"OrderDate\", \"ReceiveQuantity\", \"ReceiveDate\", \"POID\") "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        state);
    std::optional<QSqlQuery> removeLine =
        Prepared(db, QStringLiteral("DELETE FROM \"Order\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> totals = Prepared(db, ItemTotalsSql(), state);
    if (!step.ready() || !readLine || !addLot || !addReceipt || !removeLine || !totals)
        return;

    const ReceiptInput input = WholeLine(r->orderID);
    TimeRounds(
        state, db,
        [&] {
            bool ok = step.begin->exec();
            readLine->bindValue(0, input.orderID);
            ok = ok && readLine->exec() && readLine->next();
            const qint32 itemID = readLine->value(0).toInt();
            const qint32 vendorID = readLine->value(1).toInt();
            const qint32 ordered = readLine->value(2).toInt();
            const double orderDate = readLine->value(3).toDouble();
            const qint32 poID = readLine->value(4).toInt();
            readLine->finish();

            addLot->bindValue(0, itemID);
            addLot->bindValue(1, vendorID);
            addLot->bindValue(2, input.orderID);
            addLot->bindValue(3, poID);
            addLot->bindValue(4, input.quantity);
            addLot->bindValue(5, input.cost.toDouble());
            addLot->bindValue(6, input.date.days());
            ok = ok && addLot->exec();
            const qint32 lotID = addLot->lastInsertId().toInt();

            addReceipt->bindValue(0, itemID);
            addReceipt->bindValue(1, vendorID);
            addReceipt->bindValue(2, input.orderID);
            addReceipt->bindValue(3, lotID);
            addReceipt->bindValue(4, ordered);
            addReceipt->bindValue(5, orderDate);
            addReceipt->bindValue(6, input.quantity);
            addReceipt->bindValue(7, input.date.days());
            addReceipt->bindValue(8, poID);
            ok = ok && addReceipt->exec();

            removeLine->bindValue(0, input.orderID);
            ok = ok && removeLine->exec();

            totals->bindValue(0, itemID);
            totals->bindValue(1, itemID);
            totals->bindValue(2, itemID);
            ok = ok && totals->exec() && step.end->exec();

            return ok;
        },
        [&] { return ShowsReceived(target.tables, *r); }, [] {}, "the plain receipt was not written");
}

void ReceiveOurs(benchmark::State& state, Target target)
{
    Fixture fixture(target, state);
    const std::optional<ReceivingRecords> r = fixture.ok() ? AddReceivingRecords(fixture) : std::nullopt;
    if (!r)
        return;
    const ReceiptInput input = WholeLine(r->orderID);
    YesPrompter prompter;
    ChangeList changes;
    TimeOurs(
        state, target.db, prompter,
        [&] {
            const ReceiptOutcome outcome = ReceiveOrderLine(target.tables, prompter, input, changes);
            return outcome.received() && !outcome.backordered;
        },
        [&] { return ShowsReceived(target.tables, *r); }, [&] { changes.clear(); },
        "the order line was not received");
}

void BM_Receive_Plain(benchmark::State& state)
{
    ReceivePlain(state, Medium());
}

void BM_Receive_Ours(benchmark::State& state)
{
    ReceiveOurs(state, Medium());
}

// The same receipt in a project a hundredth the size: only the tables the
// receipt does not touch are smaller, so the time should hardly change.
void BM_ReceiveSmallProject_Plain(benchmark::State& state)
{
    SmallProject project;
    if (!project.open()) {
        state.SkipWithError(qPrintable(project.error()));
        return;
    }
    ReceivePlain(state, project.target());
}

void BM_ReceiveSmallProject_Ours(benchmark::State& state)
{
    SmallProject project;
    if (!project.open()) {
        state.SkipWithError(qPrintable(project.error()));
        return;
    }
    ReceiveOurs(state, project.target());
}

// --- 2. Undoing the receipt -------------------------------------------------------

// The receiving records with the order line received in full.
std::optional<ReceivingRecords> AddReceivedLine(Fixture& fixture)
{
    std::optional<ReceivingRecords> r = AddReceivingRecords(fixture);
    if (!r)
        return std::nullopt;
    YesPrompter prompter;
    ChangeList changes;
    if (!ReceiveOrderLine(fixture.tables(), prompter, WholeLine(r->orderID), changes).received()) {
        fixture.fail(QStringLiteral("The order line cannot be received."));
        return std::nullopt;
    }
    return r;
}

// Whether the item is back where it was before the receipt: the lot gone and the
// line on order again.
bool ShowsUndone(ProjectTables& tables, const ReceivingRecords& r)
{
    return tables.items().GetStocked(r.itemID) == r.stockedBefore &&
           tables.items().GetOrdered(r.itemID) == kOrderedQuantity &&
           tables.received().CountWhere(QStringLiteral("[OrderID] = ?"), {r.orderID}) == 0;
}

void BM_UndoReceipt_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<ReceivingRecords> r = fixture.ok() ? AddReceivedLine(fixture) : std::nullopt;
    if (!r)
        return;
    ProjectDatabase& db = target.db;
    PlainStep step(db, state);
    std::optional<QSqlQuery> readReceipt =
        Prepared(db,
                 QStringLiteral("SELECT \"ID\", \"StockID\", \"ItemID\", \"VendorID\", \"OrderQuantity\", "
                                "\"OrderDate\", \"POID\" FROM \"Received\" WHERE \"OrderID\" = ?"),
                 state);
    std::optional<QSqlQuery> removeReceipt =
        Prepared(db, QStringLiteral("DELETE FROM \"Received\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> removeLot =
        Prepared(db, QStringLiteral("DELETE FROM \"Stock\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> addLine = Prepared(
        db,
        QStringLiteral(
            "INSERT INTO \"Order\" "
            "(\"ItemID\", \"VendorID\", \"Quanity\", \"Date\", \"BackOrder\", \"BackOrderID\", \"POID\") "
            "VALUES (?, ?, ?, ?, 0, 0, ?)"),
        state);
    std::optional<QSqlQuery> totals = Prepared(db, ItemTotalsSql(), state);
    if (!step.ready() || !readReceipt || !removeReceipt || !removeLot || !addLine || !totals)
        return;

    TimeRounds(
        state, db,
        [&] {
            bool ok = step.begin->exec();
            readReceipt->bindValue(0, r->orderID);
            ok = ok && readReceipt->exec() && readReceipt->next();
            const qint32 receiptID = readReceipt->value(0).toInt();
            const qint32 lotID = readReceipt->value(1).toInt();
            const qint32 itemID = readReceipt->value(2).toInt();
            const qint32 vendorID = readReceipt->value(3).toInt();
            const qint32 ordered = readReceipt->value(4).toInt();
            const double orderDate = readReceipt->value(5).toDouble();
            const qint32 poID = readReceipt->value(6).toInt();
            readReceipt->finish();

            removeReceipt->bindValue(0, receiptID);
            removeLot->bindValue(0, lotID);
            ok = ok && removeReceipt->exec() && removeLot->exec();

            addLine->bindValue(0, itemID);
            addLine->bindValue(1, vendorID);
            addLine->bindValue(2, ordered);
            addLine->bindValue(3, orderDate);
            addLine->bindValue(4, poID);
            ok = ok && addLine->exec();

            totals->bindValue(0, itemID);
            totals->bindValue(1, itemID);
            totals->bindValue(2, itemID);
            ok = ok && totals->exec() && step.end->exec();

            return ok;
        },
        [&] { return ShowsUndone(target.tables, *r); }, [] {}, "the plain undo was not written");
}

void BM_UndoReceipt_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<ReceivingRecords> r = fixture.ok() ? AddReceivedLine(fixture) : std::nullopt;
    if (!r)
        return;
    YesPrompter prompter;
    ChangeList changes;
    TimeOurs(
        state, target.db, prompter,
        [&] { return UndoReceipts(target.tables, prompter, r->orderID, changes).changed; },
        [&] { return ShowsUndone(target.tables, *r); }, [&] { changes.clear(); },
        "the receipt was not undone");
}

// --- 3. Deleting a vendor with everything of its items ---------------------------

constexpr int kVendorItems = 100;
constexpr int kRowsPerItem = 100;
constexpr int kOpenLinesPerItem = 10;

// A vendor whose 100 items each hold 100 lots, each lot received on an order
// line since done with, 100 sales on existing invoices and 10 lines still on
// order.
struct VendorRecords
{
    qint32 vendorID = NoID;
    QList<qint32> itemIDs;
};

std::optional<VendorRecords> AddVendorRecords(Fixture& fixture)
{
    ProjectTables& tables = fixture.tables();
    const QList<qint32> invoices =
        IdList(fixture.db(), QStringLiteral("SELECT \"ID\" FROM \"SI\" ORDER BY \"ID\" LIMIT 100"));
    if (invoices.isEmpty()) {
        fixture.fail(QStringLiteral("The project has no invoices."));
        return std::nullopt;
    }
    VendorRecords r;
    CVendorsRec vendor;
    vendor.Name = QStringLiteral("Vendor leaving the project");
    vendor.Number = QStringLiteral("GONE-1");
    if (!tables.vendors().RecordAdd(vendor)) {
        fixture.fail(tables.vendors().lastError());
        return std::nullopt;
    }
    r.vendorID = vendor.ID;
    const std::optional<qint32> po = AddPurchaseOrder(fixture, r.vendorID);
    if (!po)
        return std::nullopt;
    const int firstDay = static_cast<int>(Day(2020, 1, 1).days());
    for (int i = 0; i < kVendorItems; ++i) {
        const std::optional<qint32> item = AddItem(
            fixture, r.vendorID, QStringLiteral("Vendor item %1").arg(i + 1, 6, 10, QLatin1Char('0')));
        if (!item)
            return std::nullopt;
        r.itemIDs.append(*item);
        for (int k = 0; k < kRowsPerItem; ++k) {
            const DateTime day = DateTime::fromDays(firstDay + (i * 31 + k * 17) % 2557);
            const std::optional<qint32> line = AddOrderLine(fixture, *item, r.vendorID, *po, 5 + k % 20);
            if (!line)
                return std::nullopt;
            CStockRec lot;
            lot.ItemID = *item;
            lot.VendorID = r.vendorID;
            lot.OrderID = *line;
            lot.POID = *po;
            lot.Quanity = 5 + k % 20;
            lot.Cost = Cents(1250);
            lot.Date = day;
            if (!tables.stock().RecordAdd(lot)) {
                fixture.fail(tables.stock().lastError());
                return std::nullopt;
            }
            CReceivedRec receipt;
            receipt.ItemID = *item;
            receipt.VendorID = r.vendorID;
            receipt.OrderID = *line;
            receipt.StockID = lot.ID;
            receipt.OrderQuantity = lot.Quanity;
            receipt.OrderDate = Day(2026, 5, 1);
            receipt.ReceiveQuantity = lot.Quanity;
            receipt.ReceiveDate = day;
            receipt.POID = *po;
            CSalesRec sale;
            sale.ItemID = *item;
            sale.Quanity = 1 + k % 3;
            sale.SellingPrice = Cents(1999);
            sale.Cost = Cents(1250);
            sale.Date = day;
            sale.SIID = invoices.at((i * kRowsPerItem + k) % invoices.size());
            if (!tables.received().RecordAdd(receipt) || !tables.orders().RecordDelete(*line) ||
                !tables.sales().RecordAdd(sale)) {
                fixture.fail(QStringLiteral("The vendor's receipts and sales cannot be written."));
                return std::nullopt;
            }
        }
        for (int k = 0; k < kOpenLinesPerItem; ++k) {
            if (!AddOrderLine(fixture, *item, r.vendorID, *po, 10 + k))
                return std::nullopt;
        }
        if (!RecomputeItemTotals(tables, *item)) {
            fixture.fail(QStringLiteral("The item's totals cannot be written."));
            return std::nullopt;
        }
    }
    return r;
}

// Whether the vendor and every row of its items are gone.
bool ShowsVendorGone(ProjectDatabase& db, const VendorRecords& r)
{
    const QString first = QString::number(r.itemIDs.first()), last = QString::number(r.itemIDs.last());
    qint32 left = 0;
    for (const char* table : {"Items", "Order", "Sales", "Stock", "Received"}) {
        const QString column = qstrcmp(table, "Items") == 0 ? QStringLiteral("ID") : QStringLiteral("ItemID");
        const QList<qint32> count =
            IdList(db, QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"%2\" BETWEEN %3 AND %4")
                           .arg(QLatin1String(table), column, first, last));
        left += count.isEmpty() ? 1 : count.first();
    }
    const QList<qint32> vendor =
        IdList(db, QStringLiteral("SELECT COUNT(*) FROM \"Vendors\" WHERE \"ID\" = %1").arg(r.vendorID));
    return left == 0 && vendor.size() == 1 && vendor.first() == 0;
}

void BM_DeleteVendor_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<VendorRecords> r = fixture.ok() ? AddVendorRecords(fixture) : std::nullopt;
    if (!r)
        return;
    ProjectDatabase& db = target.db;
    PlainStep step(db, state);
    std::optional<QSqlQuery> items =
        Prepared(db, QStringLiteral("SELECT \"ID\" FROM \"Items\" WHERE \"VendorID1\" = ?"), state);
    std::vector<std::optional<QSqlQuery>> byItem;
    for (const char* table : {"Order", "Sales", "Stock", "Received"}) {
        byItem.push_back(Prepared(
            db, QStringLiteral("DELETE FROM \"%1\" WHERE \"ItemID\" = ?").arg(QLatin1String(table)), state));
    }
    std::optional<QSqlQuery> removeItems =
        Prepared(db, QStringLiteral("DELETE FROM \"Items\" WHERE \"VendorID1\" = ?"), state);
    std::optional<QSqlQuery> removeVendor =
        Prepared(db, QStringLiteral("DELETE FROM \"Vendors\" WHERE \"ID\" = ?"), state);
    bool prepared = step.ready() && items && removeItems && removeVendor;
    for (const std::optional<QSqlQuery>& query : byItem)
        prepared = prepared && query;
    if (!prepared)
        return;

    TimeRounds(
        state, db,
        [&] {
            bool ok = step.begin->exec();
            items->bindValue(0, r->vendorID);
            ok = ok && items->exec();
            QList<qint32> itemIDs;
            while (ok && items->next())
                itemIDs.append(items->value(0).toInt());
            for (const qint32 item : std::as_const(itemIDs)) {
                for (std::optional<QSqlQuery>& query : byItem) {
                    query->bindValue(0, item);
                    ok = ok && query->exec();
                }
            }
            removeItems->bindValue(0, r->vendorID);
            removeVendor->bindValue(0, r->vendorID);
            ok = ok && removeItems->exec() && removeVendor->exec() && step.end->exec();
            return ok;
        },
        [&] { return ShowsVendorGone(db, *r); }, [] {}, "the plain deletion was not written");
}

void BM_DeleteVendor_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<VendorRecords> r = fixture.ok() ? AddVendorRecords(fixture) : std::nullopt;
    if (!r)
        return;
    YesPrompter prompter;
    // The typed confirmation belongs to the dialog; the cascade itself asks nothing.
    TimeOurs(
        state, target.db, prompter,
        [&] { return DeleteVendor(target.tables, prompter, r->vendorID).has_value(); },
        [&] { return ShowsVendorGone(target.db, *r); }, [] {}, "the vendor was not deleted");
}

// --- 4. The line figures of a purchase order with 1,000 lines -----------------------

constexpr int kPOLines = 1000;

// A purchase order of 1,000 lines of different items, received the way users
// receive: of every ten lines three arrived in full, two in part with the rest
// kept on backorder, one in two parts and still on backorder, and four are
// still outstanding.
std::optional<qint32> AddLargePurchaseOrder(Fixture& fixture)
{
    ProjectTables& tables = fixture.tables();
    const qint32 vendorID = FirstVendor(fixture.db());
    const QList<qint32> items = IdList(
        fixture.db(),
        QStringLiteral("SELECT \"ID\" FROM \"Items\" ORDER BY \"ID\" LIMIT %1 OFFSET 100").arg(kPOLines));
    if (vendorID == NoID || items.size() < kPOLines) {
        fixture.fail(QStringLiteral("The project has too few items for the purchase order."));
        return std::nullopt;
    }
    const std::optional<qint32> po = AddPurchaseOrder(fixture, vendorID);
    if (!po)
        return std::nullopt;
    YesPrompter prompter;
    ChangeList changes;
    for (int i = 0; i < kPOLines; ++i) {
        const qint32 quantity = 10 + i % 50;
        const std::optional<qint32> line = AddOrderLine(fixture, items.at(i), vendorID, *po, quantity);
        if (!line || !RecomputeOrdered(tables, items.at(i)))
            return std::nullopt;
        ReceiptInput input;
        input.orderID = *line;
        input.cost = Cents(500 + i);
        input.date = Day(2026, 5, 10 + i % 10);
        QList<qint32> parts;
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
            parts = {quantity};
            break;
        case 3:
        case 4:
            parts = {quantity / 2};
            break;
        case 5:
            parts = {quantity / 4, quantity / 4};
            break;
        default:
            break;
        }
        for (const qint32 part : parts) {
            input.quantity = part;
            if (!ReceiveOrderLine(tables, prompter, input, changes).received()) {
                fixture.fail(QStringLiteral("A line of the purchase order cannot be received."));
                return std::nullopt;
            }
            input.date = DateTime::fromDays(input.date.days() + 3);
        }
    }
    return po;
}

void BM_POLineFigures_Plain(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<qint32> po = fixture.ok() ? AddLargePurchaseOrder(fixture) : std::nullopt;
    if (!po)
        return;
    std::optional<QSqlQuery> receipts = Prepared(
        target.db,
        QStringLiteral("SELECT r.\"OrderID\", r.\"ItemID\", r.\"OrderQuantity\", r.\"ReceiveQuantity\", "
                       "r.\"ReceiveDate\", i.\"Name\", i.\"Number\", i.\"Cost\", i.\"Taxable\" "
                       "FROM \"Received\" r LEFT JOIN \"Items\" i ON i.\"ID\" = r.\"ItemID\" "
                       "WHERE r.\"POID\" = ? ORDER BY r.\"ID\""),
        state);
    std::optional<QSqlQuery> lines =
        Prepared(target.db,
                 QStringLiteral("SELECT o.\"ID\", o.\"ItemID\", o.\"Quanity\", o.\"BackOrder\", "
                                "i.\"Name\", i.\"Number\", i.\"Cost\", i.\"Taxable\" "
                                "FROM \"Order\" o LEFT JOIN \"Items\" i ON i.\"ID\" = o.\"ItemID\" "
                                "WHERE o.\"POID\" = ? ORDER BY o.\"ID\""),
                 state);
    if (!receipts || !lines)
        return;
    for (auto _ : state) {
        bool ok = true;
        for (QSqlQuery* query : {&*receipts, &*lines}) {
            query->bindValue(0, *po);
            ok = ok && query->exec();
            const int columns = query->record().count();
            while (ok && query->next()) {
                for (int c = 0; c < columns; ++c) {
                    QVariant value = query->value(c);
                    benchmark::DoNotOptimize(value);
                }
            }
        }
        if (!ok) {
            state.SkipWithError("the purchase order's lines were not read");
            break;
        }
    }
}

void BM_POLineFigures_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<qint32> po = fixture.ok() ? AddLargePurchaseOrder(fixture) : std::nullopt;
    if (!po)
        return;
    for (auto _ : state) {
        const QList<POLine> lines = ComputePOLines(target.tables, *po);
        if (lines.size() != kPOLines) {
            state.SkipWithError("the purchase order does not show its 1,000 lines");
            break;
        }
        benchmark::DoNotOptimize(lines.constData());
    }
}

// --- 5. Importing a version 2.0 item file ----------------------------------------

constexpr int kImportedItems = 10000;

// One item as the file holds it and as the plain half writes it.
struct ImportedItem
{
    QByteArray name, number, description, vendor1, vendor2;
    qint32 vendorID1 = NoID, vendorID2 = NoID;
    qint64 costCents = 0, priceCents = 0;
    qint32 reorderQuantity = 0, reorderLevel = 0, quantity = 0;
};

const FixedClock& ImportClock()
{
    static const FixedClock clock(QDateTime(QDate(2026, 6, 1), QTime(9, 30)));
    return clock;
}

// The items of the file, naming vendors the project has, so the import adds none.
const std::vector<ImportedItem>& ItemsToImport(ProjectDatabase& db)
{
    static std::vector<ImportedItem> items;
    if (!items.empty())
        return items;
    std::vector<std::pair<qint32, QByteArray>> vendors;
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Vendors\" ORDER BY \"ID\" LIMIT 200"));
    while (query.next()) {
        const QByteArray name = query.value(1).toString().toLatin1();
        // The file gives a vendor's name 32 bytes.
        if (!name.isEmpty() && name.size() < 32)
            vendors.emplace_back(query.value(0).toInt(), name);
    }
    if (vendors.size() < 2)
        return items;
    for (int i = 0; i < kImportedItems; ++i) {
        ImportedItem item;
        const QByteArray serial = QByteArray::number(100000 + i).right(5);
        item.name = "Imported item " + serial;
        item.number = "IMP-" + serial;
        item.description = "Item " + serial + " of the old catalogue";
        const auto& first = vendors.at(static_cast<size_t>(i) % vendors.size());
        item.vendor1 = first.second;
        item.vendorID1 = item.vendorID2 = first.first;
        if (i % 3 == 0) {
            const auto& second = vendors.at(static_cast<size_t>(i + 7) % vendors.size());
            item.vendor2 = second.second;
            item.vendorID2 = second.first;
        }
        item.costCents = 100 + (i * 37) % 90000;
        item.priceCents = item.costCents * 3 / 2;
        item.reorderQuantity = 10 + i % 90;
        item.reorderLevel = 5 + i % 40;
        item.quantity = i % 250;
        items.push_back(item);
    }
    return items;
}

// The record layout of a version 2.0 item file.
QByteArray ItemRecordBytes(const ImportedItem& item)
{
    QByteArray bytes(ImportVersion2::kItemRecordLength, '\0');
    const auto text = [&](int offset, const QByteArray& value) {
        std::memcpy(bytes.data() + offset, value.constData(), static_cast<size_t>(value.size()));
    };
    const auto number = [&](int offset, double value) {
        const quint64 bits = std::bit_cast<quint64>(value);
        for (int i = 0; i < 8; ++i)
            bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
    };
    text(0, item.name);
    text(20, item.number);
    text(40, item.description);
    text(90, item.vendor1);
    text(122, item.vendor2);
    number(160, static_cast<double>(item.costCents) / 100.0);
    number(168, static_cast<double>(item.priceCents) / 100.0);
    number(184, item.reorderQuantity);
    number(192, item.reorderLevel);
    number(208, item.quantity);
    return bytes;
}

// The file is written once per run of the program, into a folder removed at exit.
QString ImportFilePath(ProjectDatabase& db, benchmark::State& state)
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    const std::vector<ImportedItem>& items = ItemsToImport(db);
    if (!dir.isValid() || items.empty()) {
        state.SkipWithError("the import file cannot be made");
        return QString();
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(items.size()) * ImportVersion2::kItemRecordLength);
    for (const ImportedItem& item : items)
        bytes += ItemRecordBytes(item);
    QSaveFile file(dir.filePath(QStringLiteral("items.ddg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        state.SkipWithError("the import file cannot be written");
        return QString();
    }
    path = dir.filePath(QStringLiteral("items.ddg"));
    return path;
}

qint32 ItemCount(ProjectDatabase& db)
{
    const QList<qint32> count = IdList(db, QStringLiteral("SELECT COUNT(*) FROM \"Items\""));
    return count.isEmpty() ? -1 : count.first();
}

void BM_ImportItems_Plain(benchmark::State& state)
{
    ProjectDatabase& db = Medium().db;
    const std::vector<ImportedItem>& items = ItemsToImport(db);
    if (items.empty()) {
        state.SkipWithError("the project has too few vendors to import items for");
        return;
    }
    PlainStep step(db, state);
    std::optional<QSqlQuery> addItem = Prepared(
        db,
        QStringLiteral("INSERT INTO \"Items\" (\"Name\", \"Number\", \"Description\", \"VendorID1\", "
                       "\"VendorID2\", \"CategoryID\", \"Cost\", \"SellingPrice\", \"Stocked\", \"Ordered\", "
                       "\"ReorderQuanity\", \"ReorderLevel\", \"Taxable\", \"TaxRate\") "
                       "VALUES (?, ?, ?, ?, ?, 0, ?, ?, 0, 0, ?, ?, 0, 0)"),
        state);
    std::optional<QSqlQuery> addLot = Prepared(
        db,
        QStringLiteral("INSERT INTO \"Stock\" "
                       "(\"ItemID\", \"VendorID\", \"OrderID\", \"POID\", \"Quanity\", \"Cost\", \"Date\") "
                       "VALUES (?, ?, -1, -1, ?, ?, ?)"),
        state);
    std::optional<QSqlQuery> stocked =
        Prepared(db, QStringLiteral("UPDATE \"Items\" SET \"Stocked\" = ? WHERE \"ID\" = ?"), state);
    if (!step.ready() || !addItem || !addLot || !stocked)
        return;
    // The texts as the import decodes them from the file's bytes.
    std::vector<QString> texts;
    for (const ImportedItem& item : items) {
        for (const QByteArray* bytes : {&item.name, &item.number, &item.description})
            texts.push_back(QString::fromLatin1(*bytes));
    }
    const double today = DateTime::fromDate(ImportClock().now().date()).days();
    const qint32 before = ItemCount(db);
    TimeRounds(
        state, db,
        [&] {
            bool ok = step.begin->exec();
            for (size_t i = 0; ok && i < items.size(); ++i) {
                const ImportedItem& item = items[i];
                const double cost = static_cast<double>(item.costCents) / 100.0;
                addItem->bindValue(0, texts[3 * i]);
                addItem->bindValue(1, texts[3 * i + 1]);
                addItem->bindValue(2, texts[3 * i + 2]);
                addItem->bindValue(3, item.vendorID1);
                addItem->bindValue(4, item.vendorID2);
                addItem->bindValue(5, cost);
                addItem->bindValue(6, static_cast<double>(item.priceCents) / 100.0);
                addItem->bindValue(7, item.reorderQuantity);
                addItem->bindValue(8, item.reorderLevel);
                ok = addItem->exec();
                const qint32 itemID = addItem->lastInsertId().toInt();
                addLot->bindValue(0, itemID);
                addLot->bindValue(1, item.vendorID1);
                addLot->bindValue(2, item.quantity);
                addLot->bindValue(3, cost);
                addLot->bindValue(4, today);
                stocked->bindValue(0, item.quantity);
                stocked->bindValue(1, itemID);
                ok = ok && addLot->exec() && stocked->exec();
            }
            ok = ok && step.end->exec();
            return ok;
        },
        [&] { return ItemCount(db) == before + kImportedItems; }, [] {}, "the plain import was not written");
    state.SetItemsProcessed(state.iterations() * kImportedItems);
}

void BM_ImportItems_Ours(benchmark::State& state)
{
    const Target target = Medium();
    const QString path = ImportFilePath(target.db, state);
    if (path.isEmpty())
        return;
    YesPrompter prompter;
    const auto fresh = [&] {
        auto model = std::make_unique<ImportModel>(target.tables, prompter, ImportClock(),
                                                   ImportModel::Source::Version2Items);
        model->setPath(path);
        return model;
    };
    auto model = fresh();
    const qint32 before = ItemCount(target.db);
    TimeOurs(
        state, target.db, prompter, [&] { return model->save().saved; },
        // Every record is sound and names a known vendor: nothing refused, nothing added.
        [&] {
            return ItemCount(target.db) == before + kImportedItems &&
                   CheckStockInvariants(target.tables).isEmpty();
        },
        [&] { model = fresh(); }, "the file was not imported");
    state.SetItemsProcessed(state.iterations() * kImportedItems);
}

} // namespace

BENCHMARK(BM_Receive_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Receive_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReceiveSmallProject_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReceiveSmallProject_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoReceipt_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoReceipt_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteVendor_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DeleteVendor_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_POLineFigures_Plain)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_POLineFigures_Ours)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportItems_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ImportItems_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
