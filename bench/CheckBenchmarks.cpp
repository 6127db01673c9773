#include "BenchProject.h"

#include "cli/CommandLine.h"
#include "core/db/ProjectDatabase.h"

#include <QTextStream>

#include <benchmark/benchmark.h>

// `quillmark-cli check` on the scale-M project, opening included: _Plain is the
// engine's quick check of the file alone, the floor under ours, which runs it
// beside the consistency check of the stock totals and the invoices' dues.

namespace {

void BM_Check_Plain(benchmark::State& state)
{
    const QString path = BenchProject::current().databasePath();
    for (auto _ : state) {
        const std::optional<QStringList> damage =
            ProjectDatabase::integrityProblems(path, ProjectDatabase::IntegrityCheck::Quick);
        if (!damage || !damage->isEmpty()) {
            state.SkipWithError("the quick check failed");
            return;
        }
    }
}

void BM_Check_Ours(benchmark::State& state)
{
    const QStringList arguments{QStringLiteral("check"), BenchProject::current().databasePath()};
    for (auto _ : state) {
        QString output;
        QTextStream out(&output);
        QTextStream err(&output);
        if (RunCommandLine(arguments, out, err) != CliExit::Ok) {
            state.SkipWithError(qPrintable(output));
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_Check_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
BENCHMARK(BM_Check_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(5.0);
