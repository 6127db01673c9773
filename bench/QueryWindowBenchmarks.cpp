#include "DialogBench.h"

#include "core/db/ProjectDatabase.h"
#include "core/reports/QueryDefinitionModel.h"
#include "ui/reports/QueryDefinitionDialog.h"

#include <QLineEdit>

// Opening "Query Definition" on a stored query of the scale-M project, from
// Modify to its first painted screen: the query's text read back into the
// sentence, against the plain statement that reads the same text. The query is
// stored for the case only and rolled back afterwards.

namespace {

const QString kName = QStringLiteral("Bench low stock");

// The query the case opens, there while the case runs.
class StoredQuery
{
public:
    explicit StoredQuery(ProjectDatabase& db) : m_transaction(db)
    {
        m_stored = m_transaction.isActive() &&
                   db.CreateQueryDef(
                       kName, QStringLiteral("SELECT TOP 10 * FROM [Items] WHERE Stocked < 5 OR "
                                             "Name = 'Bob''s Nut' AND Cost >= 2.5 ORDER BY Name DESC"));
    }
    bool stored() const { return m_stored; }

private:
    Transaction m_transaction; // never committed
    bool m_stored = false;
};

void BM_OpenQueryDefinition_Plain(benchmark::State& state)
{
    StoredQuery query(Medium().db);
    if (!query.stored()) {
        state.SkipWithError("the query could not be stored");
        return;
    }
    TimePlainRead(state, Medium().db,
                  QStringLiteral("SELECT SqlText FROM qm_stored_queries WHERE Name = '%1'").arg(kName));
}

void BM_OpenQueryDefinition_Ours(benchmark::State& state)
{
    StoredQuery query(Medium().db);
    if (!query.stored()) {
        state.SkipWithError("the query could not be stored");
        return;
    }
    YesPrompter prompter;
    qint64 rows = 0;
    for (auto _ : state) {
        QueryDefinitionModel model(Medium().tables, prompter, ListingKind::Items, kName);
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Query Definition refused to open");
            break;
        }
        auto dialog = std::make_unique<QueryDefinitionDialog>(model);
        ShowAndPaint(*dialog);
        rows += dialog->findChild<QLineEdit*>(QStringLiteral("value2Edit"))->text().isEmpty() ? 0 : 1;
        CloseUntimed(state, dialog);
    }
    EndOpening(state, prompter, rows);
}

} // namespace

BENCHMARK(BM_OpenQueryDefinition_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenQueryDefinition_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
