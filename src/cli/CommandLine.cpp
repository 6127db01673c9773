#include "cli/CommandLine.h"

#include "core/common/DateTime.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/ProjectDatabase.h"
#include "core/io/CsvExport.h"
#include "core/project/Backup.h"
#include "core/project/Project.h"
#include "core/project/ProjectLock.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/reports/QuickReportSettings.h"
#include "core/reports/QuickReports.h"
#include "core/reports/ReportContent.h"
#include "core/reports/ReportFile.h"
#include "core/sales/ProjectConsistency.h"
#include "core/session/ProjectRepair.h"
#include "render/print/PrintJob.h"
#include "render/reports/CustomReportPrintout.h"
#include "render/reports/QuickReportPrintout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace {

const QString kProgram = QStringLiteral("quillmark-cli");

// A command's words after its name: what it names, and its options.
struct Arguments
{
    QStringList positional;
    QSet<QString> flags;
    QHash<QString, QString> values;

    QString at(qsizetype i) const { return positional.at(i); }
    bool has(const QString& flag) const { return flags.contains(flag); }
};

struct Command
{
    QString name;
    QString synopsis;
    QString help;
    int positional;     // how many names it takes
    QStringList flags;  // options on their own, "--full"
    QStringList valued; // options with a value, "--csv FILE"
    std::function<int(const Arguments&, QTextStream&, QTextStream&)> run;
};

// Nothing when the words do not fit the command.
std::optional<Arguments> Parse(const Command& command, const QStringList& words)
{
    Arguments arguments;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (command.flags.contains(word)) {
            arguments.flags.insert(word);
        } else if (command.valued.contains(word)) {
            if (i + 1 == words.size() || arguments.values.contains(word))
                return std::nullopt;
            arguments.values.insert(word, words.at(++i));
        } else if (word.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            arguments.positional.append(word);
        }
    }
    if (arguments.positional.size() != command.positional)
        return std::nullopt;
    return arguments;
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A project opened for a command: its settings read, its database opened as it
// is, without the conversion or the re-synchronisation of invoice balances the
// application does, so that reading it writes nothing.
struct OpenedProject
{
    Project project;
    std::unique_ptr<ProjectLock> lock;

    ProjectTables& tables() const { return *project.tables(); }
    ProjectDatabase& database() const { return *project.database(); }
};

// `exclusive`: the command writes, so a project open in the application (or
// another command) is refused.
bool Open(const QString& path, bool exclusive, OpenedProject& opened, QTextStream& err)
{
    const QString databasePath = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(databasePath).isFile()) {
        err << kProgram << ": " << Shown(path) << ": no such project database\n";
        return false;
    }
    if (exclusive) {
        opened.lock = std::make_unique<ProjectLock>(databasePath);
        if (opened.lock->state() == ProjectLock::State::InUse) {
            err << kProgram << ": " << opened.lock->refusal() << '\n';
            return false;
        }
    }
    auto settings = std::make_unique<CProjectSettings>(databasePath);
    if (settings->status() != Status::Success) {
        err << kProgram << ": " << Shown(settings->settingsPath())
            << ": the project's settings cannot be read (" << StatusMessage(settings->status()) << ")\n";
        return false;
    }
    const int status = opened.project.OpenDatabase(databasePath, settings->inventoryStyle());
    if (status == Status::PreviousVersion) {
        err << kProgram << ": " << Shown(path)
            << ": a project of the previous version; open it in Quillmark once to convert it\n";
        return false;
    }
    if (status != Status::Success) {
        err << kProgram << ": " << Shown(path) << ": the project cannot be opened (" << StatusMessage(status)
            << ")";
        if (!opened.project.openFailure().isEmpty())
            err << ": " << opened.project.openFailure();
        err << '\n';
        return false;
    }
    opened.project.setSettings(std::move(settings));
    return true;
}

int Check(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    OpenedProject opened;
    if (!Open(arguments.at(0), false, opened, err))
        return CliExit::Failed;
    // The engine's check of the file reads every page; it runs on a connection
    // of its own beside the consistency check, which reads the tables.
    const ProjectDatabase::IntegrityCheck depth = arguments.has(QStringLiteral("--full"))
                                                      ? ProjectDatabase::IntegrityCheck::Full
                                                      : ProjectDatabase::IntegrityCheck::Quick;
    QString checkError;
    std::future<std::optional<QStringList>> structure =
        std::async(std::launch::async, [path = opened.database().path(), depth, &checkError] {
            return ProjectDatabase::integrityProblems(path, depth, &checkError);
        });
    const ConsistencyReport report = CheckProjectConsistency(opened.tables());
    const std::optional<QStringList> damage = structure.get();
    if (!damage) {
        err << kProgram << ": the file's structure could not be checked: " << checkError << '\n';
        return CliExit::Failed;
    }
    if (!damage->isEmpty()) {
        for (const QString& line : *damage)
            out << "damaged: " << line << '\n';
        out << "The project database is damaged.\n";
        return CliExit::Inconsistent;
    }
    for (const QString& line : report.all())
        out << line << '\n';
    if (!report.isConsistent()) {
        out << "The project is not consistent: " << report.all().size()
            << " problem(s). \"quillmark-cli repair\" rewrites the figures.\n";
        return CliExit::Inconsistent;
    }
    out << "The project is consistent.\n";
    return CliExit::Ok;
}

int Repair(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    OpenedProject opened;
    if (!Open(arguments.at(0), true, opened, err))
        return CliExit::Failed;
    // The files as they were go into the project's backups before anything
    // is rewritten; a consistent project gets neither a backup nor a write.
    if (!CheckProjectConsistency(opened.tables()).isConsistent()) {
        const BackupResult backup =
            BackupProject(opened.database().path(), AutoBackupFolder(opened.database().path()));
        if (!backup.ok) {
            err << kProgram
                << ": nothing was repaired: the backup before the repair failed: " << backup.message << '\n';
            return CliExit::Failed;
        }
        out << "Backed up to " << Shown(backup.path) << '\n';
    }
    const RepairReport report = RepairProject(opened.tables());
    if (!report.ok) {
        err << kProgram << ": nothing was repaired: " << report.error << '\n';
        return CliExit::Failed;
    }
    for (const QString& line : report.changes)
        out << line << '\n';
    if (report.changes.isEmpty())
        out << "Nothing to repair: the project was left as it was.\n";
    else
        out << "Repaired " << report.changes.size() << " figure(s).\n";
    return CliExit::Ok;
}

int Export(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    OpenedProject opened;
    if (!Open(arguments.at(0), false, opened, err))
        return CliExit::Failed;
    ProjectDatabase& db = opened.database();
    const QString name = arguments.at(1);
    // Without --csv the rows go to standard output, by way of a file of our own.
    QTemporaryDir scratch;
    const QString given = arguments.values.value(QStringLiteral("--csv"));
    const QString path = given.isEmpty() ? scratch.filePath(QStringLiteral("export.csv")) : given;
    QString table;
    for (const QString& candidate : db.tableNames()) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            table = candidate;
    }
    QString error;
    bool written = false;
    if (!table.isEmpty()) {
        written = ExportTableCsv(db, table, path, &error);
    } else if (db.QueryDefExists(name)) {
        written = ExportQueryCsv(db, name, path, &error);
    } else {
        err << kProgram << ": the project has no table or stored query \"" << name << "\"\n";
        return CliExit::Failed;
    }
    if (!written) {
        err << kProgram << ": " << error << '\n';
        return CliExit::Failed;
    }
    if (given.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << kProgram << ": " << file.errorString() << '\n';
            return CliExit::Failed;
        }
        out.flush();
        if (QIODevice* device = out.device()) {
            while (!file.atEnd())
                device->write(file.read(1 << 16));
        } else {
            // A stream over a string, as a caller in the same program gives.
            out << QString::fromUtf8(file.readAll());
        }
    } else {
        out << "Wrote " << Shown(path) << '\n';
    }
    return CliExit::Ok;
}

int Backup(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    const QString database = QFileInfo(arguments.at(0)).absoluteFilePath();
    if (!QFileInfo(database).isFile()) {
        err << kProgram << ": " << Shown(arguments.at(0)) << ": no such project database\n";
        return CliExit::Failed;
    }
    const BackupResult backup = BackupProject(database, arguments.at(1));
    if (!backup.ok) {
        err << kProgram << ": " << backup.message << '\n';
        return CliExit::Failed;
    }
    out << Shown(backup.path) << '\n';
    return CliExit::Ok;
}

int Restore(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    const BackupResult restored = RestoreBackup(arguments.at(0), arguments.at(1));
    if (!restored.ok) {
        err << kProgram << ": " << restored.message << '\n';
        return CliExit::Failed;
    }
    out << "Restored " << Shown(restored.path) << '\n';
    return CliExit::Ok;
}

// A day on the command line: ISO 8601, 2026-12-08.
std::optional<QDate> Day(const Arguments& arguments, const QString& option, QTextStream& err)
{
    const QString text = arguments.values.value(option);
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (!day.isValid()) {
        err << kProgram << ": " << option << " \"" << text << "\" is not a date (write it as 2026-12-08)\n";
        return std::nullopt;
    }
    return day;
}

// A record named by its number on the command line.
std::optional<qint32> Number(const Arguments& arguments, const QString& option, QTextStream& err)
{
    bool ok = false;
    const qint32 number = arguments.values.value(option).toInt(&ok);
    if (!ok) {
        err << kProgram << ": " << option << " takes a number\n";
        return std::nullopt;
    }
    return number;
}

// The quick report's parameters from the options it needs; nothing, with the
// reason on `err`, when one is missing or wrong.
std::optional<QuickReportParameters> QuickParameters(QuickReportKind kind, const Arguments& arguments,
                                                     ProjectTables& tables, const UserSettings& settings,
                                                     QTextStream& err)
{
    QuickReportParameters parameters;
    parameters.kind = kind;
    const QuickReportNeeds needs = QuickReportNeedsOf(kind);
    auto require = [&](const QString& option) {
        if (arguments.values.contains(option))
            return true;
        err << kProgram << ": \"" << QuickReportName(kind) << "\" needs " << option << '\n';
        return false;
    };
    if (needs.invoice) {
        if (!require(QStringLiteral("--invoice")))
            return std::nullopt;
        const std::optional<qint32> number = Number(arguments, QStringLiteral("--invoice"), err);
        if (!number)
            return std::nullopt;
        parameters.invoiceID = tables.invoices().IDByNumber(*number);
    }
    if (needs.customer) {
        if (!require(QStringLiteral("--customer")))
            return std::nullopt;
        const std::optional<qint32> id = Number(arguments, QStringLiteral("--customer"), err);
        if (!id)
            return std::nullopt;
        parameters.customerID = *id;
    }
    if (needs.dateRange) {
        if (!require(QStringLiteral("--from")) || !require(QStringLiteral("--to")))
            return std::nullopt;
        const std::optional<QDate> from = Day(arguments, QStringLiteral("--from"), err);
        const std::optional<QDate> to = from ? Day(arguments, QStringLiteral("--to"), err) : std::nullopt;
        if (!to)
            return std::nullopt;
        parameters.start = DateTime::fromDate(*from);
        parameters.end = DateTime::fromDate(*to);
    }
    if (needs.vendorAndSorting) {
        if (arguments.values.contains(QStringLiteral("--vendor"))) {
            const std::optional<qint32> id = Number(arguments, QStringLiteral("--vendor"), err);
            if (!id)
                return std::nullopt;
            parameters.vendorID = *id;
            parameters.applyVendorCriteria = true;
        }
        const QString sort = arguments.values.value(QStringLiteral("--sort"), QStringLiteral("id"));
        if (sort == QLatin1String("name"))
            parameters.sorting = ItemSorting::ByName;
        else if (sort == QLatin1String("number"))
            parameters.sorting = ItemSorting::ByNumber;
        else if (sort != QLatin1String("id")) {
            err << kProgram << ": --sort takes id, name or number\n";
            return std::nullopt;
        }
    }
    parameters.today = DateTime::fromDate(QDate::currentDate());
    parameters.company = CompanyInfo::load(settings);
    return parameters;
}

int Report(const Arguments& arguments, QTextStream& out, QTextStream& err)
{
    const QString pdf = arguments.values.value(QStringLiteral("--pdf"));
    const QString csv = arguments.values.value(QStringLiteral("--csv"));
    if (pdf.isEmpty() == csv.isEmpty()) {
        err << kProgram << ": report needs either --pdf FILE or --csv FILE\n";
        return CliExit::Usage;
    }
    OpenedProject opened;
    if (!Open(arguments.at(0), false, opened, err))
        return CliExit::Failed;
    const UserSettings settings;
    const CProjectSettings& project = *opened.project.settings();
    const QString name = arguments.at(1);
    std::optional<PrintJob> job;
    if (const std::optional<QuickReportKind> kind = QuickReportKindNamed(name)) {
        const std::optional<QuickReportParameters> parameters =
            QuickParameters(*kind, arguments, opened.tables(), settings, err);
        if (!parameters)
            return CliExit::Usage;
        if (!csv.isEmpty()) {
            QString error;
            if (!ExportQuickReportCsv(opened.tables(), *parameters, csv, &error)) {
                err << kProgram << ": " << Shown(csv) << ": " << error << '\n';
                return CliExit::Failed;
            }
            out << "Wrote " << Shown(csv) << '\n';
            return CliExit::Ok;
        }
        const QuickReportContent content = BuildQuickReport(opened.tables(), *parameters);
        if (!content.ok()) {
            err << kProgram << ": " << content.error << '\n';
            return CliExit::Failed;
        }
        job = QuickReportJob(content, QuickReportFonts::load(project.reportPath()),
                             ListReportMargins::load(settings));
    } else if (!csv.isEmpty()) {
        err << kProgram << ": \"" << name << "\" is a custom report; only the quick reports are written as CSV\n";
        return CliExit::Usage;
    } else {
        ReportFile file(project.reportPath());
        ReportContent content = BuildReportContent(opened.tables(), file, name, project.statistics());
        if (!content.error.isEmpty()) {
            err << kProgram << ": \"" << name << "\": " << content.error << '\n';
            return CliExit::Failed;
        }
        job = CustomReportJob(std::move(content), CompanyInfo::load(settings),
                              ListReportMargins::load(settings), QDate::currentDate());
    }
    QString error;
    if (!WritePdf(*job, pdf, &error)) {
        err << kProgram << ": " << Shown(pdf) << ": " << error << '\n';
        return CliExit::Failed;
    }
    out << "Wrote " << Shown(pdf) << '\n';
    return CliExit::Ok;
}

const QList<Command>& Commands()
{
    static const QList<Command> commands = {
        {QStringLiteral("check"),
         QStringLiteral("check [--full] PROJECT"),
         QStringLiteral(
             "Checks the project database's structure and that its figures agree: each item's Stocked\n"
             "and Ordered with its lots and order lines, each invoice's amount due with its sales and\n"
             "payments. Writes nothing. Exit code 0 when consistent, 1 when not.\n"
             "  --full   also prove every index against its table (many times slower on a large file)"),
         1,
         {QStringLiteral("--full")},
         {},
         Check},
        {QStringLiteral("repair"),
         QStringLiteral("repair PROJECT"),
         QStringLiteral(
             "Rewrites every item's Stocked and Ordered from its lots and order lines, and every\n"
             "invoice's dues from its sales and payments, in one transaction, and lists what it\n"
             "changed. Before it writes, the project is backed up into its \"NAME backups\" folder.\n"
             "Records are never touched; a consistent project is not written at all. The project\n"
             "must not be open in Quillmark."),
         1,
         {},
         {},
         Repair},
        {QStringLiteral("export"),
         QStringLiteral("export PROJECT TABLE|QUERY [--csv FILE]"),
         QStringLiteral(
             "Writes a table of the project (Vendors, Items, Customers, Stock, ...: every column, in\n"
             "ID order) or a stored query by its name as CSV: UTF-8, a header row, amounts as plain\n"
             "numbers with a point, dates as 2026-12-08. To FILE, replaced only once complete, or to\n"
             "standard output."),
         2,
         {},
         {QStringLiteral("--csv")},
         Export},
        {QStringLiteral("backup"),
         QStringLiteral("backup PROJECT DIR"),
         QStringLiteral(
             "Copies the project (database, settings and report definitions) into a new folder in DIR\n"
             "named by the project and the time, \"shop 2026-12-08 04-31-07\", and prints its path. The\n"
             "database is copied by the engine, so the copy is consistent even while Quillmark has\n"
             "the project open and writes to it."),
         2,
         {},
         {},
         Backup},
        {QStringLiteral("restore"),
         QStringLiteral("restore BACKUP DIR"),
         QStringLiteral(
             "Puts the project files of the backup folder BACKUP into DIR, replacing the project there:\n"
             "every file or none. Refused while the project is open in Quillmark, or when the backup's\n"
             "database is damaged."),
         2,
         {},
         {},
         Restore},
        {QStringLiteral("report"),
         QStringLiteral(
             "report PROJECT NAME --pdf FILE|--csv FILE [--from DATE --to DATE] [--invoice N]\n"
             "         [--customer ID] [--vendor ID] [--sort id|name|number]"),
         QStringLiteral(
             "Writes a quick report (\"Inventory Summary\", \"Invoice Balances\", ...) or a custom report\n"
             "of the project, by its name, as a US Letter PDF. Dates are written 2026-12-08. The\n"
             "reports that ask for a range of days need --from and --to, the Invoice report the\n"
             "invoice's number, the customer reports the customer's ID; the item reports take an\n"
             "optional primary vendor's ID and a sort order. With --csv a quick report's tables are\n"
             "written as CSV instead, one after another, amounts as plain numbers and dates as\n"
             "2026-12-08. The file replaces FILE only once complete."),
         2,
         {},
         {QStringLiteral("--pdf"), QStringLiteral("--csv"), QStringLiteral("--from"), QStringLiteral("--to"),
          QStringLiteral("--invoice"), QStringLiteral("--customer"), QStringLiteral("--vendor"),
          QStringLiteral("--sort")},
         Report},
    };
    return commands;
}

void Usage(QTextStream& stream)
{
    stream << "Usage: " << kProgram << " COMMAND ARGUMENTS...\n\nCommands:\n";
    for (const Command& command : Commands())
        stream << "  " << command.synopsis << '\n';
    stream << "\n"
           << kProgram << " help COMMAND    what a command does\n"
           << "\nPROJECT is a project's database file (name.qmp); its settings (name.qms) and report\n"
              "definitions (name.irp) are beside it.\n"
              "\nExit codes: 0 done; 1 the project is not consistent (check); 2 the command line was not\n"
              "understood; 3 a project or file could not be read or written, or is in use.\n";
}

const Command* Find(const QString& name)
{
    for (const Command& command : Commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty()) {
        Usage(err);
        return CliExit::Usage;
    }
    const QString& name = arguments.at(0);
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        Usage(out);
        return CliExit::Ok;
    }
    if (name == QLatin1String("--version")) {
        out << kProgram << " 3.5\n";
        return CliExit::Ok;
    }
    if (name == QLatin1String("help")) {
        const Command* command = arguments.size() == 2 ? Find(arguments.at(1)) : nullptr;
        if (!command) {
            Usage(arguments.size() == 1 ? out : err);
            return arguments.size() == 1 ? CliExit::Ok : CliExit::Usage;
        }
        out << "Usage: " << kProgram << ' ' << command->synopsis << "\n\n" << command->help << '\n';
        return CliExit::Ok;
    }
    const Command* command = Find(name);
    if (!command) {
        err << kProgram << ": unknown command \"" << name << "\" (see " << kProgram << " --help)\n";
        return CliExit::Usage;
    }
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QLatin1String("--help"))) {
        out << "Usage: " << kProgram << ' ' << command->synopsis << "\n\n" << command->help << '\n';
        return CliExit::Ok;
    }
    const std::optional<Arguments> parsed = Parse(*command, rest);
    if (!parsed) {
        err << "Usage: " << kProgram << ' ' << command->synopsis << '\n';
        return CliExit::Usage;
    }
    return command->run(*parsed, out, err);
}
