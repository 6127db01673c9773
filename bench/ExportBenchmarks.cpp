#include "BenchSupport.h"

#include "core/io/CsvExport.h"
#include "core/views/TypedRecordList.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

// Writing the million lots of the stock register to a CSV file: _Plain steps
// the barest statement over the table and writes each column's text as the
// engine gives it, quoted where it must be; _Shell has the sqlite3 shell export
// the same rows; _Ours exports the table, and the register as the list shows
// it, with every value in its export form.

namespace {

QString OutputPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("stock.csv"));
}

void BM_ExportStockTable_Plain(benchmark::State& state)
{
    sqlite3* engine = nullptr;
    const QByteArray path = BenchProject::current().database().path().toUtf8();
    if (sqlite3_open_v2(path.constData(), &engine, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        state.SkipWithError("the project does not open");
        sqlite3_close(engine);
        return;
    }
    for (auto _ : state) {
        QFile file(OutputPath());
        sqlite3_stmt* statement = nullptr;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            sqlite3_prepare_v2(engine, "SELECT * FROM \"Stock\" ORDER BY \"ID\"", -1, &statement, nullptr) !=
                SQLITE_OK) {
            state.SkipWithError("the export does not start");
            break;
        }
        QByteArray block;
        const int columns = sqlite3_column_count(statement);
        for (int c = 0; c < columns; ++c)
            block.append(c ? "," : "").append(sqlite3_column_name(statement, c));
        block.append("\r\n");
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (c)
                    block.append(',');
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                const QByteArrayView field(text, text ? sqlite3_column_bytes(statement, c) : 0);
                if (field.contains(',') || field.contains('"') || field.contains('\n') ||
                    field.contains('\r'))
                    block.append('"').append(field.toByteArray().replace("\"", "\"\"")).append('"');
                else
                    block.append(field);
            }
            block.append("\r\n");
            if (block.size() >= 65536) {
                file.write(block);
                block.truncate(0);
            }
        }
        file.write(block);
        sqlite3_finalize(statement);
    }
    sqlite3_close(engine);
}

void BM_ExportStockTable_Ours(benchmark::State& state)
{
    for (auto _ : state) {
        QString error;
        if (!ExportTableCsv(BenchProject::current().database(), QStringLiteral("Stock"), OutputPath(),
                            &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
}

void BM_ExportStockList_Ours(benchmark::State& state)
{
    TypedRecordList<CStockRow> list;
    if (!list.readAll(BenchProject::current().tables(), QString())) {
        state.SkipWithError(qPrintable(list.readError()));
        return;
    }
    for (auto _ : state) {
        QString error;
        if (!ExportListCsv(list, OutputPath(), &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
}

// The sqlite3 shell's `.mode csv` export of a statement, as a user would run
// it: a process of its own writing to the file. Skipped where the shell is
// not installed.
void ShellExport(benchmark::State& state, const QString& sql)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        state.SkipWithError("the sqlite3 shell is not installed");
        return;
    }
    const QString database = BenchProject::current().database().path();
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(OutputPath());
        process.start(shell, {QStringLiteral("-readonly"), QStringLiteral("-cmd"), QStringLiteral(".mode csv"),
                              QStringLiteral("-cmd"), QStringLiteral(".headers on"), database, sql});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError("the sqlite3 shell failed");
            break;
        }
    }
}

void BM_ExportStockTable_Shell(benchmark::State& state)
{
    ShellExport(state, QStringLiteral("SELECT * FROM \"Stock\" ORDER BY \"ID\""));
}

// The rows the register shows, its names joined in, in its first-in-first-out order.
void BM_ExportStockList_Shell(benchmark::State& state)
{
    ShellExport(state, QStringLiteral(
                           "SELECT s.ID, s.ItemID, i.Name, i.Number, v.Name, s.Cost, s.Quanity, p.Number, s.Date "
                           "FROM Stock s LEFT JOIN Items i ON i.ID = s.ItemID LEFT JOIN Vendors v ON v.ID = "
                           "s.VendorID LEFT JOIN PO p ON p.ID = s.POID ORDER BY s.Date, s.ID"));
}

} // namespace

BENCHMARK(BM_ExportStockTable_Shell)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportStockList_Shell)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportStockTable_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportStockTable_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportStockList_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
