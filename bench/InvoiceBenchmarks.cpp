#include "DialogBench.h"

#include "core/sales/InvoiceManagerModel.h"
#include "ui/sales/InvoiceDialogs.h"

#include <QTreeWidget>

#include <memory>

// Opening Invoice Manager on an invoice in the middle of the scale-M project's
// 200,000, from the command to its first painted screen, against the plain
// statements that read the same data: the invoice picker's entries, the invoice,
// its sales with their items' names and tax, and its receivables.

namespace {

// The invoice halfway through the table, with its sales and receivables.
qint32 MiddleInvoice()
{
    static const qint32 id = [] {
        const QList<qint32> ids =
            IdList(Medium().db, QStringLiteral("SELECT \"ID\" FROM \"SI\" ORDER BY \"ID\" LIMIT 1 OFFSET "
                                               "(SELECT COUNT(*) / 2 FROM \"SI\")"));
        return ids.isEmpty() ? NoID : ids.first();
    }();
    return id;
}

qint64 ReadAll(QSqlQuery& query)
{
    const int columns = query.record().count();
    qint64 rows = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            QVariant value = query.value(c);
            benchmark::DoNotOptimize(value);
        }
        ++rows;
    }
    return rows;
}

void BM_OpenInvoiceManager_Plain(benchmark::State& state)
{
    ProjectDatabase& db = Medium().db;
    std::optional<QSqlQuery> entries =
        Prepared(db, QStringLiteral("SELECT \"ID\", \"Number\" FROM \"SI\" ORDER BY \"ID\""), state);
    std::optional<QSqlQuery> invoice =
        Prepared(db, QStringLiteral("SELECT * FROM \"SI\" WHERE \"ID\" = ?"), state);
    std::optional<QSqlQuery> sales = Prepared(
        db,
        QStringLiteral("SELECT s.*, i.\"Name\", i.\"Number\", i.\"Taxable\", i.\"TaxRate\" FROM \"Sales\" s "
                       "LEFT JOIN \"Items\" i ON i.\"ID\" = s.\"ItemID\" WHERE s.\"SIID\" = ?"),
        state);
    std::optional<QSqlQuery> receivables =
        Prepared(db, QStringLiteral("SELECT * FROM \"AR\" WHERE \"SIID\" = ? ORDER BY \"ID\""), state);
    const qint32 id = MiddleInvoice();
    if (!entries || !invoice || !sales || !receivables || id == NoID) {
        if (id == NoID)
            state.SkipWithError("the project has no invoice");
        return;
    }
    qint64 rows = 0;
    for (auto _ : state) {
        invoice->bindValue(0, id);
        sales->bindValue(0, id);
        receivables->bindValue(0, id);
        if (!entries->exec() || !invoice->exec() || !sales->exec() || !receivables->exec()) {
            state.SkipWithError("a statement failed");
            break;
        }
        rows += ReadAll(*entries) + ReadAll(*invoice) + ReadAll(*sales) + ReadAll(*receivables);
    }
    state.SetItemsProcessed(rows);
}

void BM_OpenInvoiceManager_Ours(benchmark::State& state)
{
    BenchDesktop desktop;
    YesPrompter& prompter = desktop.prompter;
    BenchSettings home;
    const qint32 id = MiddleInvoice();
    qint64 rows = 0;
    for (auto _ : state) {
        auto manager = std::make_unique<InvoiceManagerModel>(Medium().tables, prompter, id);
        InvoiceManagerModel& model = *manager;
        if (!model.checkPrerequisites() || model.invoiceID() != id) {
            state.SkipWithError("Invoice Manager did not open on the invoice");
            break;
        }
        auto dialog =
            std::make_unique<InvoiceManagerDialog>(model, Medium().tables, desktop.services, home.settings);
        ShowAndPaint(*dialog);
        rows += model.invoiceEntries().size() +
                dialog->findChild<QTreeWidget*>(QStringLiteral("salesList"))->topLevelItemCount();
        // Closing is not part of opening: the window and the model's 200,000
        // entries go outside the timing.
        CloseUntimed(state, dialog, manager);
    }
    EndOpening(state, prompter, rows);
}

} // namespace

BENCHMARK(BM_OpenInvoiceManager_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenInvoiceManager_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
