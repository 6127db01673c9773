#include "BenchSupport.h"

#include "core/records/StockFigures.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/RecordSoldItemsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <memory>

// The Record Sold Items window on the scale-M project: opening it over its item
// picker, and recording a sale through its OK, each against the plain statements
// that read the same entries or make the same writes.

namespace {

// --- 1. Opening Record Sold Items --------------------------------------------

void BM_OpenRecordSoldItems_Plain(benchmark::State& state)
{
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Items\" ORDER BY \"ID\""));
}

// Constructed, filled, shown and painted once, on the first invoice.
void BM_OpenRecordSoldItems_Ours(benchmark::State& state)
{
    const Target target = Medium();
    const QList<qint32> invoices = IdList(target.db, QStringLiteral("SELECT MIN(\"ID\") FROM \"SI\""));
    if (invoices.isEmpty()) {
        state.SkipWithError("the project has no invoice");
        return;
    }
    YesPrompter prompter;
    qint64 rows = 0;
    for (auto _ : state) {
        RecordSoldItemsModel model(target.tables, prompter);
        model.setInvoice(invoices.first());
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Record Sold Items refused to open");
            break;
        }
        auto dialog = std::make_unique<RecordSoldItemsDialog>(model, target.tables, prompter);
        dialog->show();
        QImage screen(dialog->size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            dialog->render(&painter);
        }
        rows += dialog->findChild<RecordPicker*>(QStringLiteral("itemBox"))->count();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (prompter.messageCount() > 0)
        state.SkipWithError(qPrintable(prompter.lastMessage()));
    state.SetItemsProcessed(rows);
}

// --- 2. Recording a sale of 20 lines through OK ----------------------------------

constexpr int kItems = 10;
constexpr int kLotsPerItem = 1000;
constexpr qint32 kUnitsPerLot = 2;
constexpr int kLines = 20;
constexpr qint32 kUnitsPerLine = 50 * kUnitsPerLot; // every line empties 50 lots

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
    for (int i = 0; i < kItems; ++i) {
        const std::optional<qint32> item =
            AddItem(fixture, vendor, QStringLiteral("Window item %1").arg(i, 6, 10, QLatin1Char('0')));
        if (!item || !AddLots(fixture, *item, vendor, kLotsPerItem, kUnitsPerLot) ||
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
    const qint32 perItem = kLines / kItems * kUnitsPerLine;
    for (qint32 item : r.items) {
        if (tables.items().GetStocked(item) != kLotsPerItem * kUnitsPerLot - perItem)
            return false;
    }
    return tables.sales().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == kLines &&
           tables.receivables().CountWhere(QStringLiteral("[SIID] = ?"), {r.invoiceID}) == 1;
}

// Per line: the item's lots oldest first until they hold the quantity, the
// emptied lots deleted, the sale inserted and the item's Stocked rewritten; then
// the invoice's receivable.
void BM_RecordSaleWindow_Plain(benchmark::State& state)
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
    const auto sell = [&] {
        if (!step.begin->exec())
            return false;
        double total = 0;
        for (int line = 0; line < kLines; ++line) {
            const qint32 item = r->items.at(line % kItems);
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
            for (qint32 id : emptied) {
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

// The lines are put on the sale through the window's own fields, untimed; OK is
// timed.
void BM_RecordSaleWindow_Ours(benchmark::State& state)
{
    const Target target = Medium();
    Fixture fixture(target, state);
    const std::optional<SaleRecords> r = AddSaleRecords(fixture);
    if (!r || !fixture.ok())
        return;
    YesPrompter prompter;
    std::unique_ptr<RecordSoldItemsDialog> dialog;
    std::unique_ptr<RecordSoldItemsModel> model;
    const auto sell = [&] {
        state.PauseTiming();
        dialog.reset();
        model = std::make_unique<RecordSoldItemsModel>(target.tables, prompter);
        model->setInvoice(r->invoiceID);
        dialog = std::make_unique<RecordSoldItemsDialog>(*model, target.tables, prompter);
        auto* picker = dialog->findChild<RecordPicker*>(QStringLiteral("itemBox"));
        auto* quantity = dialog->findChild<QLineEdit*>(QStringLiteral("quantityEdit"));
        auto* price = dialog->findChild<QLineEdit*>(QStringLiteral("priceEdit"));
        auto* add = dialog->findChild<QAbstractButton*>(QStringLiteral("addButton"));
        for (int line = 0; line < kLines; ++line) {
            picker->chooseId(r->items.at(line % kItems));
            quantity->setText(QString::number(kUnitsPerLine));
            price->setText(QStringLiteral("19.99"));
            add->click();
        }
        const bool filled = model->lines().size() == kLines;
        auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("okButton"));
        state.ResumeTiming();
        if (!filled)
            return false;
        ok->click();
        return dialog->result() == QDialog::Accepted;
    };
    TimeOurs(
        state, target.db, prompter, sell, [&] { return ShowsSold(target.tables, *r); }, [] {},
        "the sale was not recorded");
}

} // namespace

BENCHMARK(BM_OpenRecordSoldItems_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenRecordSoldItems_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSaleWindow_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordSaleWindow_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
