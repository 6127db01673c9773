#include "TortureCheck.h"
#include "TortureWorkload.h"

#include "core/common/StatusCodes.h"
#include "core/project/Project.h"
#include "core/session/ProjectOpening.h"
#include "tools/generator/ProjectGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHashFunctions>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kName = QStringLiteral("torture");
// The folders of one run. The killed project and its replay lie in folders
// whose paths have the same length, so that their settings files, which name
// the folder they were written in, compare byte for byte.
const QString kKilledFolder = QStringLiteral("kill");
const QString kReplayFolder = QStringLiteral("play");
const QString kSnapshotFolder = QStringLiteral("snap");
// A child that has not been killed by then stops by itself.
constexpr qint64 kMostOperations = 1000000;

void Print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

QString DatabaseIn(const QString& folder)
{
    return folder + QLatin1Char('/') + kName + QStringLiteral(".qmp");
}

// Replaces `to` with copies of the project's three files in `from`.
bool CopyProjectFiles(const QString& from, const QString& to)
{
    QDir(to).removeRecursively();
    if (!QDir().mkpath(to))
        return false;
    for (const char* extension : {".qmp", ".qms", ".irp"}) {
        const QString file = QLatin1Char('/') + kName + QLatin1String(extension);
        if (QFile::exists(from + file) && !QFile::copy(from + file, to + file))
            return false;
    }
    return true;
}

// The small project every run starts from: a few dozen records of each kind,
// opened once as the application opens it, so that it holds everything an
// open adds.
QString MakePristineProject(const QString& folder)
{
    GeneratorScale scale;
    scale.vendors = 6;
    scale.items = 40;
    scale.stockLots = 120;
    scale.purchaseOrders = 8;
    scale.orderLines = 30;
    scale.receipts = 12;
    scale.customers = 12;
    scale.invoices = 25;
    scale.salesLines = 60;
    QDir(folder).removeRecursively();
    const GeneratorResult result = ProjectGenerator(scale).generate(folder, kName);
    if (!result.ok)
        return result.error;
    TorturePrompter prompter;
    Project project;
    if (OpenProjectFromPath(project, DatabaseIn(folder), prompter) != Status::Success)
        return QStringLiteral("the generated project did not open: ") + prompter.lastMessage();
    return QString();
}

// The child: runs the workload on the project and appends the number of every
// operation it finished to the journal, each line on the disk before the next
// operation begins.
int RunChild(const QString& databasePath, const QString& journalPath, quint32 seed)
{
    const int journal =
        ::open(QFile::encodeName(journalPath).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (journal < 0) {
        Print(stderr, QStringLiteral("cannot open the journal ") + journalPath);
        return 3;
    }
    TorturePrompter prompter;
    Project project;
    if (OpenProjectFromPath(project, databasePath, prompter) != Status::Success) {
        Print(stderr, QStringLiteral("the project did not open: ") + prompter.lastMessage());
        return 3;
    }
    TortureWorkload workload(project, seed);
    bool written = true;
    const bool ran = workload.run([&](qint64 number) {
        const QByteArray line = QByteArray::number(number) + '\n';
        written = ::write(journal, line.constData(), static_cast<size_t>(line.size())) == line.size() &&
                  ::fsync(journal) == 0;
        return written && number < kMostOperations;
    });
    if (!ran || !written) {
        Print(stderr, ran ? QStringLiteral("the journal could not be written") : workload.failure());
        return 4;
    }
    return 0;
}

// The last operation the journal acknowledges: complete lines only, numbered
// 1, 2, 3... Nothing when the journal is not such a list.
std::optional<qint64> LastAcknowledged(const QString& journalPath)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    qint64 last = 0;
    for (const QByteArray& line : bytes.left(bytes.lastIndexOf('\n') + 1).split('\n')) {
        if (line.isEmpty())
            continue;
        bool ok = false;
        if (line.toLongLong(&ok) != last + 1 || !ok)
            return std::nullopt;
        ++last;
    }
    return last;
}

class Torture
{
public:
    Torture(QString folder, qint64 maxDelayMs, bool keepFailures, bool verbose)
        : m_folder(std::move(folder)), m_maxDelayMs(maxDelayMs), m_keepFailures(keepFailures),
          m_verbose(verbose)
    {
    }

    // Every run starts from the same project, whatever the seed of the runs.
    QString prepare() { return MakePristineProject(path(QStringLiteral("pristine"))); }
    // One run: empty when the project was found as the journal says.
    QString run(quint32 seed);
    void printTallies() const;

private:
    QString path(const QString& name) const { return m_folder + QLatin1Char('/') + name; }
    QString killAndCheck(quint32 seed, qint64 delayMs, qint64& acknowledged);
    // Takes the replay to operations k and k + 1, each checked and digested.
    QString replay(quint32 seed, qint64 k, ProjectDigest& atK, ProjectDigest& atNext);
    ProjectDigest snapshot();

    QString m_folder;
    qint64 m_maxDelayMs;
    bool m_keepFailures;
    bool m_verbose;
    QMap<QString, TortureWorkload::Tally> m_tallies;
    // The kind of the operation after the last acknowledged one.
    QString m_inFlight;
};

QString Torture::run(quint32 seed)
{
    std::mt19937 dice(seed);
    const qint64 delayMs = static_cast<qint64>(dice() % static_cast<quint32>(m_maxDelayMs + 1));
    qint64 k = -1;
    m_inFlight.clear();
    QString failure = killAndCheck(seed, delayMs, k);
    if (failure.isEmpty()) {
        if (m_verbose)
            Print(stdout, QStringLiteral("seed %1, killed after %2 ms, %3 acknowledged, then %4: consistent")
                              .arg(seed)
                              .arg(delayMs)
                              .arg(k)
                              .arg(m_inFlight));
        QDir(path(kKilledFolder)).removeRecursively();
        return QString();
    }
    if (m_keepFailures) {
        const QString kept = path(QStringLiteral("failed-%1").arg(seed));
        QDir(kept).removeRecursively();
        QDir().rename(path(kKilledFolder), kept);
        QFile::copy(path(QStringLiteral("journal")), kept + QStringLiteral("/journal"));
    }
    return QStringLiteral("seed %1, killed after %2 ms, %3 acknowledged, then %4: %5")
        .arg(seed)
        .arg(delayMs)
        .arg(k)
        .arg(m_inFlight, failure);
}

QString Torture::killAndCheck(quint32 seed, qint64 delayMs, qint64& acknowledged)
{
    const QString killed = path(kKilledFolder);
    const QString journal = path(QStringLiteral("journal"));
    QFile::remove(journal);
    if (!CopyProjectFiles(path(QStringLiteral("pristine")), killed))
        return QStringLiteral("the project could not be copied");

    QProcess child;
    child.setWorkingDirectory(killed); // where compaction keeps its scratch database
    child.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QStringLiteral("--seed"), QString::number(seed),
                 QStringLiteral("--project"), DatabaseIn(killed), QStringLiteral("--journal"), journal});
    if (!child.waitForStarted())
        return QStringLiteral("the child did not start");
    const qint64 left = delayMs - clock.elapsed();
    if (left <= 0 || !child.waitForFinished(static_cast<int>(left))) {
        child.kill();
        child.waitForFinished(-1);
    } else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        // Stopped before the kill: the child crashed or gave up.
        return QStringLiteral("the child stopped by itself: ") +
               QString::fromLocal8Bit(child.readAll()).trimmed();
    }

    const std::optional<qint64> k = LastAcknowledged(journal);
    if (!k)
        return QStringLiteral("the journal is not a list of operations");
    acknowledged = *k;

    const ProjectDigest found = InspectProject(DatabaseIn(killed), killed);
    if (!found.problem.isEmpty())
        return found.problem;
    ProjectDigest atK, atNext;
    const QString replayed = replay(seed, *k, atK, atNext);
    if (!replayed.isEmpty())
        return replayed;
    if (found.parts == atK.parts || found.parts == atNext.parts)
        return QString();
    return QStringLiteral("the project is neither as after operation %1 (it differs in %2) nor as after "
                          "operation %3 (%4)")
        .arg(*k)
        .arg(found.differences(atK).join(QStringLiteral(", ")))
        .arg(*k + 1)
        .arg(found.differences(atNext).join(QStringLiteral(", ")));
}

ProjectDigest Torture::snapshot()
{
    const QString copy = path(kSnapshotFolder);
    if (!CopyProjectFiles(path(kReplayFolder), copy))
        return {{}, QStringLiteral("the replay could not be copied")};
    ProjectDigest digest = InspectProject(DatabaseIn(copy), path(kReplayFolder));
    QDir(copy).removeRecursively();
    return digest;
}

QString Torture::replay(quint32 seed, qint64 k, ProjectDigest& atK, ProjectDigest& atNext)
{
    const QString folder = path(kReplayFolder);
    if (!CopyProjectFiles(path(QStringLiteral("pristine")), folder))
        return QStringLiteral("the replay could not be set up");
    const QString previousCurrent = QDir::currentPath();
    QDir::setCurrent(folder);
    QString failure;
    {
        TorturePrompter prompter;
        Project project;
        if (OpenProjectFromPath(project, DatabaseIn(folder), prompter) != Status::Success) {
            failure = QStringLiteral("the replay did not open: ") + prompter.lastMessage();
        } else {
            if (k == 0)
                atK = snapshot();
            TortureWorkload workload(project, seed);
            const bool ran = workload.run([&](qint64 number) {
                if (number == k)
                    atK = snapshot();
                if (number == k + 1) {
                    atNext = snapshot();
                    m_inFlight = workload.kind();
                }
                return number <= k;
            });
            if (!ran)
                failure = QStringLiteral("the replay stopped: ") + workload.failure();
            for (auto it = workload.tallies().cbegin(); it != workload.tallies().cend(); ++it) {
                m_tallies[it.key()].ran += it.value().ran;
                m_tallies[it.key()].saved += it.value().saved;
            }
        }
    }
    QDir::setCurrent(previousCurrent);
    QDir(folder).removeRecursively();
    if (failure.isEmpty() && !atK.problem.isEmpty())
        failure = QStringLiteral("after operation %1 without a kill: %2").arg(k).arg(atK.problem);
    if (failure.isEmpty() && !atNext.problem.isEmpty())
        failure = QStringLiteral("after operation %1 without a kill: %2").arg(k + 1).arg(atNext.problem);
    return failure;
}

void Torture::printTallies() const
{
    Print(stdout, QStringLiteral("operations replayed (saved/ran):"));
    for (auto it = m_tallies.cbegin(); it != m_tallies.cend(); ++it)
        Print(stdout,
              QStringLiteral("  %1 %2/%3").arg(it.key(), -26).arg(it.value().saved).arg(it.value().ran));
}

} // namespace

// qm-torture --runs N: N times, a child process works on a small project and is
// killed at a random moment; the project must then open and hold every
// operation the child acknowledged, and nothing half done.
int main(int argc, char** argv)
{
    // Both processes must hash alike for the same seed to make the same choices.
    QHashSeed::setDeterministicGlobalSeed();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qm-torture"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Kills a process working on a project at random moments and checks what the disk kept."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("How many runs."),
                                        QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the first run; run i takes seed + i."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Folder to work in (default: a temporary one)."),
                                       QStringLiteral("D"));
    const QCommandLineOption keepOption(
        QStringLiteral("keep-failures"),
        QStringLiteral("Keep the project of every failing run in the folder."));
    const QCommandLineOption delayOption(QStringLiteral("max-delay"),
                                         QStringLiteral("Longest time before the kill, in milliseconds."),
                                         QStringLiteral("MS"), QStringLiteral("1000"));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("A line for every run, and what the replays did."));
    QCommandLineOption childOption(QStringLiteral("child"));
    childOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption projectOption(QStringLiteral("project"), QString(), QStringLiteral("PATH"));
    projectOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption journalOption(QStringLiteral("journal"), QString(), QStringLiteral("PATH"));
    journalOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({runsOption, seedOption, dirOption, keepOption, delayOption, verboseOption, childOption,
                       projectOption, journalOption});
    parser.process(app);

    bool seedOk = false, runsOk = false, delayOk = false;
    const quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    const int runs = parser.value(runsOption).toInt(&runsOk);
    const qint64 maxDelay = parser.value(delayOption).toLongLong(&delayOk);
    if (!seedOk || !runsOk || runs < 1 || !delayOk || maxDelay < 0) {
        Print(stderr, QStringLiteral("Usage: qm-torture --runs N [--seed S] [--dir D] [--keep-failures]"));
        return 2;
    }
    if (parser.isSet(childOption))
        return RunChild(parser.value(projectOption), parser.value(journalOption), seed);

    QTemporaryDir temporary;
    const QString folder =
        parser.isSet(dirOption) ? QDir(parser.value(dirOption)).absolutePath() : temporary.path();
    if (!QDir().mkpath(folder)) {
        Print(stderr, QStringLiteral("qm-torture: cannot make ") + folder);
        return 1;
    }
    Torture torture(folder, maxDelay, parser.isSet(keepOption), parser.isSet(verboseOption));
    if (const QString problem = torture.prepare(); !problem.isEmpty()) {
        Print(stderr, QStringLiteral("qm-torture: ") + problem);
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    int consistent = 0;
    for (int i = 0; i < runs; ++i) {
        const QString failure = torture.run(seed + static_cast<quint32>(i));
        if (failure.isEmpty())
            ++consistent;
        else
            Print(stdout, failure);
    }
    if (parser.isSet(verboseOption))
        torture.printTallies();
    Print(stdout, QStringLiteral("%1 runs in %2 s")
                      .arg(runs)
                      .arg(static_cast<double>(clock.elapsed()) / 1000.0, 0, 'f', 1));
    Print(stdout, QStringLiteral("%1/%2 consistent").arg(consistent).arg(runs));
    return consistent == runs ? 0 : 1;
}
