#include "tools/generator/ProjectGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

void Print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

} // namespace

// qm-gen --scale S|M --dir DIR --name NAME: writes DIR/NAME.qmp and DIR/NAME.qms.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qm-gen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a synthetic, consistent Quillmark project for measurements and trials."));
    parser.addHelpOption();
    const QCommandLineOption scaleOption(QStringLiteral("scale"), QStringLiteral("S (small) or M (medium)."),
                                         QStringLiteral("S|M"));
    const QCommandLineOption dirOption(
        QStringLiteral("dir"), QStringLiteral("Folder to write the project into."), QStringLiteral("DIR"));
    const QCommandLineOption nameOption(
        QStringLiteral("name"), QStringLiteral("Project name (NAME.qmp, NAME.qms)."), QStringLiteral("NAME"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of the random choices."),
                                        QStringLiteral("N"), QString::number(ProjectGenerator::kDefaultSeed));
    const QCommandLineOption forceOption(QStringLiteral("force"),
                                         QStringLiteral("Replace an existing project of that name."));
    const QCommandLineOption recordLayerOption(
        QStringLiteral("via-record-layer"),
        QStringLiteral("Add every record through RecordAdd instead of the generator's own statements."));
    parser.addOptions({scaleOption, dirOption, nameOption, seedOption, forceOption, recordLayerOption});
    parser.process(app);

    const std::optional<GeneratorScale> scale = GeneratorScale::byName(parser.value(scaleOption));
    if (!scale || !parser.isSet(dirOption) || !parser.isSet(nameOption)) {
        Print(
            stderr,
            QStringLiteral(
                "Usage: qm-gen --scale S|M --dir DIR --name NAME [--seed N] [--force] [--via-record-layer]"));
        return 2;
    }
    bool seedOk = false;
    const quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    if (!seedOk) {
        Print(stderr, QStringLiteral("The seed must be a whole number."));
        return 2;
    }

    const QString dir = QDir(parser.value(dirOption)).absolutePath();
    const QString name = parser.value(nameOption);
    const QString stem = QDir(dir).filePath(name);
    if (parser.isSet(forceOption)) {
        for (const char* extension : {".qmp", ".qmp-journal", ".qms"})
            QFile::remove(stem + QString::fromLatin1(extension));
    } else if (QFile::exists(stem + QStringLiteral(".qmp"))) {
        Print(stderr, QStringLiteral("qm-gen: %1.qmp exists already; --force replaces it.").arg(stem));
        return 1;
    }

    ProjectGenerator generator(*scale, seed);
    generator.setViaRecordLayer(parser.isSet(recordLayerOption));
    generator.setProgress([](const QString& phase) { Print(stdout, QStringLiteral("  writing ") + phase); });
    const GeneratorResult result = generator.generate(dir, name);
    if (!result.ok) {
        Print(stderr, QStringLiteral("qm-gen: ") + result.error);
        return 1;
    }
    Print(stdout, QStringLiteral("Wrote %1.qmp and %1.qms").arg(stem));
    for (const auto& [table, count] : result.rowCounts)
        Print(stdout, QStringLiteral("  %1 %2").arg(table, -10).arg(count));
    Print(stdout,
          QStringLiteral("Elapsed: %1 s").arg(static_cast<double>(result.elapsedMs) / 1000.0, 0, 'f', 1));
    return 0;
}
