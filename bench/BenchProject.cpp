#include "BenchProject.h"

#include "core/common/StatusCodes.h"
#include "tools/generator/ProjectGenerator.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

const QString kName = QStringLiteral("bench-m");

} // namespace

BenchProject* BenchProject::s_current = nullptr;

QString BenchProject::cacheDirectory()
{
    const QString fromEnvironment = qEnvironmentVariable("QM_BENCH_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral("/tmp/qm-bench") : fromEnvironment;
}

BenchProject::BenchProject(const QString& directory) : m_directory(QDir(directory).absolutePath()) {}

BenchProject::~BenchProject()
{
    close();
}

QString BenchProject::databasePath() const
{
    return QDir(m_directory).filePath(kName + QStringLiteral(".qmp"));
}

QString BenchProject::stampPath() const
{
    return QDir(m_directory).filePath(kName + QStringLiteral(".complete"));
}

QString BenchProject::expectedStamp() const
{
    return QStringLiteral("scale M, generator %1, seed %2\n")
        .arg(ProjectGenerator::kVersion)
        .arg(ProjectGenerator::kDefaultSeed);
}

bool BenchProject::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool BenchProject::isCached() const
{
    QFile stamp(stampPath());
    if (!QFile::exists(databasePath()) || !stamp.open(QIODevice::ReadOnly))
        return false;
    return QString::fromUtf8(stamp.readAll()) == expectedStamp();
}

bool BenchProject::generate()
{
    // Whatever an interrupted or older run left behind goes first.
    const QString stem = QDir(m_directory).filePath(kName);
    for (const char* extension : {".complete", ".qmp", ".qmp-journal", ".qms"}) {
        const QString path = stem + QString::fromLatin1(extension);
        if (QFile::exists(path) && !QFile::remove(path))
            return fail(QStringLiteral("The old file %1 cannot be removed.").arg(path));
    }
    std::fprintf(stderr, "Generating the scale-M project in %s (done once, then reused)...\n",
                 qPrintable(m_directory));
    ProjectGenerator generator(GeneratorScale::medium());
    const GeneratorResult result = generator.generate(m_directory, kName);
    if (!result.ok)
        return fail(result.error);
    std::fprintf(stderr, "Generated in %.1f s.\n", static_cast<double>(result.elapsedMs) / 1000.0);

    QSaveFile stamp(stampPath());
    const QByteArray text = expectedStamp().toUtf8();
    if (!stamp.open(QIODevice::WriteOnly) || stamp.write(text) != text.size() || !stamp.commit())
        return fail(QStringLiteral("The stamp %1 cannot be written.").arg(stampPath()));
    return true;
}

bool BenchProject::prepare()
{
    close();
    if (!isCached() && !generate())
        return false;
    if (!m_db.open(databasePath()))
        return fail(m_db.lastError());
    m_tables = std::make_unique<ProjectTables>(m_db, CStockSet::kFifo);
    if (m_tables->OpenAll() != Status::Success) {
        close();
        return fail(QStringLiteral("The tables of %1 cannot be opened.").arg(databasePath()));
    }
    s_current = this;
    return true;
}

void BenchProject::close()
{
    if (s_current == this)
        s_current = nullptr;
    // The record objects hold statements on the connection: they go first.
    m_tables.reset();
    m_db.close();
}
