#include "BenchProject.h"

#include "core/project/Backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

// A backup of the scale-M project: _Plain copies the database file with a
// read/write loop, _Ours takes a backup through the engine (database, settings
// file, the folder renamed into place). Both force what they wrote to the disk,
// as a backup that may be the only copy must; each copy is removed untimed.

namespace {

QString MediumDatabase()
{
    return BenchProject::current().databasePath();
}

void BM_Backup_Plain(benchmark::State& state)
{
    QTemporaryDir out(BenchProject::cacheDirectory() + QStringLiteral("/backup-XXXXXX"));
    const QString target = out.filePath(QStringLiteral("copy.qmp"));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (auto _ : state) {
        QFile in(MediumDatabase());
        QFile copy(target);
        if (!in.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            state.SkipWithError("the database could not be copied");
            return;
        }
        qint64 read = 0;
        while ((read = in.read(buffer.data(), buffer.size())) > 0)
            copy.write(buffer.constData(), read);
        copy.flush();
        ::fsync(copy.handle());
        copy.close();
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(MediumDatabase()).size());
}

void BM_Backup_Ours(benchmark::State& state)
{
    QTemporaryDir out(BenchProject::cacheDirectory() + QStringLiteral("/backup-XXXXXX"));
    for (auto _ : state) {
        const BackupResult made = BackupProject(MediumDatabase(), out.path());
        if (!made.ok) {
            state.SkipWithError("the backup failed");
            return;
        }
        state.PauseTiming();
        QDir(made.path).removeRecursively();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(MediumDatabase()).size());
}

} // namespace

BENCHMARK(BM_Backup_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Backup_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
