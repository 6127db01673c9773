#include "cli/CommandLine.h"

#include "FileBytes.h"
#include "TinyScale.h"

#include "core/project/ProjectLock.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exit = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& arguments)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.exit = RunCommandLine(arguments, out, err);
    out.flush();
    err.flush();
    return run;
}

// A generated project on disk, and plain SQL on it behind the engine's back.
class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const GeneratorResult generated =
            ProjectGenerator(TinyScale()).generate(dir.path(), QStringLiteral("shop"));
        ASSERT_TRUE(generated.ok) << generated.error.toStdString();
    }

    QString project() const { return dir.filePath(QStringLiteral("shop.qmp")); }

    // Runs `sql` on its own connection; the first column of the first row.
    QVariant Sql(const QString& sql)
    {
        QVariant value;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cli-test"));
            db.setDatabaseName(project());
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
            if (query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("cli-test"));
        return value;
    }

    QTemporaryDir dir;
};

TEST_F(CommandLine, CheckFindsBrokenFiguresRepairMendsThemAndLeavesASoundProjectAlone)
{
    const QByteArray sound = FileBytes(project());
    CliRun check = Cli({QStringLiteral("check"), project()});
    EXPECT_EQ(check.exit, CliExit::Ok) << check.out.toStdString() << check.err.toStdString();
    EXPECT_EQ(check.out, QStringLiteral("The project is consistent.\n"));
    EXPECT_EQ(FileBytes(project()), sound) << "check wrote to the project";

    // An item's stock drifts; one invoice's first Due and another's later one are wrong.
    const qint32 item = Sql(QStringLiteral("SELECT MIN(ID) FROM Items")).toInt();
    Sql(QStringLiteral("UPDATE Items SET Stocked = Stocked + 3, Ordered = Ordered + 1 WHERE ID = %1")
            .arg(item));
    const qint32 stale = Sql(QStringLiteral("SELECT MIN(SIID) FROM AR")).toInt();
    Sql(QStringLiteral("UPDATE AR SET Due = Due + 2 WHERE SIID = %1").arg(stale));
    const qint32 chained =
        Sql(QStringLiteral("SELECT MAX(ID) FROM AR WHERE SIID = (SELECT MAX(SIID) FROM AR WHERE SIID <> %1)")
                .arg(stale))
            .toInt();
    Sql(QStringLiteral("INSERT INTO AR (CustomerID, SIID, Date, Paid, Due) SELECT CustomerID, SIID, Date, 1, "
                       "Due FROM AR WHERE ID = %1")
            .arg(chained));
    Sql(QStringLiteral("UPDATE AR SET Due = Due + 5 WHERE ID = (SELECT MAX(ID) FROM AR)"));

    check = Cli({QStringLiteral("check"), project()});
    EXPECT_EQ(check.exit, CliExit::Inconsistent);
    EXPECT_TRUE(check.out.contains(QStringLiteral("Item %1: Stocked").arg(item))) << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QStringLiteral("Invoice %1: first receivable owes").arg(stale)))
        << check.out.toStdString();
    EXPECT_TRUE(check.out.contains(QStringLiteral("The project is not consistent: 3 problem(s).")))
        << check.out.toStdString();

    const CliRun repair = Cli({QStringLiteral("repair"), project()});
    EXPECT_EQ(repair.exit, CliExit::Ok) << repair.err.toStdString();
    const QStringList lines = repair.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << repair.out.toStdString();
    // The broken files were kept before the repair wrote.
    const QString backup = lines.at(0).mid(QStringLiteral("Backed up to ").size());
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("Backed up to ")));
    EXPECT_TRUE(backup.startsWith(dir.filePath(QStringLiteral("shop backups/shop "))))
        << backup.toStdString();
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Item %1: Stocked ").arg(item)));
    EXPECT_TRUE(lines.at(2).startsWith(QStringLiteral("Invoice %1: Due ").arg(stale)));
    EXPECT_TRUE(lines.at(3).contains(QStringLiteral("Due ") /* the later receivable */));
    EXPECT_EQ(lines.at(4), QStringLiteral("Repaired 3 figure(s)."));

    // Restored from that backup, the project is as broken as it was.
    const CliRun restore = Cli({QStringLiteral("restore"), backup, dir.path()});
    EXPECT_EQ(restore.exit, CliExit::Ok) << restore.err.toStdString();
    EXPECT_EQ(Cli({QStringLiteral("check"), project()}).exit, CliExit::Inconsistent);
    EXPECT_EQ(Cli({QStringLiteral("repair"), project()}).exit, CliExit::Ok);

    EXPECT_EQ(Cli({QStringLiteral("check"), project()}).exit, CliExit::Ok);
    const QStringList backups =
        QDir(dir.filePath(QStringLiteral("shop backups"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const QByteArray repaired = FileBytes(project());
    const CliRun again = Cli({QStringLiteral("repair"), project()});
    EXPECT_EQ(again.out, QStringLiteral("Nothing to repair: the project was left as it was.\n"));
    EXPECT_EQ(FileBytes(project()), repaired);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("shop backups"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              backups)
        << "a backup was taken with nothing to repair";
}

TEST_F(CommandLine, BadCommandLinesMissingProjectsAndAProjectInUseGetTheirExitCodes)
{
    EXPECT_EQ(Cli({}).exit, CliExit::Usage);
    EXPECT_EQ(Cli({QStringLiteral("frobnicate")}).exit, CliExit::Usage);
    EXPECT_EQ(Cli({QStringLiteral("check")}).exit, CliExit::Usage);
    const CliRun help = Cli({QStringLiteral("--help")});
    EXPECT_EQ(help.exit, CliExit::Ok);
    EXPECT_TRUE(help.out.contains(QStringLiteral("check [--full] PROJECT")));
    EXPECT_EQ(Cli({QStringLiteral("help"), QStringLiteral("repair")}).exit, CliExit::Ok);

    const CliRun missing = Cli({QStringLiteral("check"), dir.filePath(QStringLiteral("none.qmp"))});
    EXPECT_EQ(missing.exit, CliExit::Failed);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no such project database")));

    // The application has the project open: a repair is refused, a check is not.
    ProjectLock open(project());
    ASSERT_EQ(open.state(), ProjectLock::State::Held);
    const CliRun refused = Cli({QStringLiteral("repair"), project()});
    EXPECT_EQ(refused.exit, CliExit::Failed);
    EXPECT_FALSE(refused.err.isEmpty());
    EXPECT_EQ(Cli({QStringLiteral("check"), project()}).exit, CliExit::Ok);
}

TEST_F(CommandLine, ExportWritesATableOrAStoredQueryToAFileOrTheOutput)
{
    const QString csv = dir.filePath(QStringLiteral("items.csv"));
    const CliRun items =
        Cli({QStringLiteral("export"), project(), QStringLiteral("items"), QStringLiteral("--csv"), csv});
    EXPECT_EQ(items.exit, CliExit::Ok) << items.err.toStdString();
    const QList<QByteArray> lines = FileBytes(csv).split('\n');
    EXPECT_TRUE(lines.first().startsWith("ID,")) << lines.first().toStdString();
    EXPECT_EQ(lines.size() - 2,
              Sql(QStringLiteral("SELECT COUNT(*) FROM Items")).toInt()); // header, last CRLF

    const CliRun vendors = Cli({QStringLiteral("export"), project(), QStringLiteral("Vendors")});
    EXPECT_EQ(vendors.exit, CliExit::Ok);
    EXPECT_EQ(vendors.out.count(u'\n') - 1, Sql(QStringLiteral("SELECT COUNT(*) FROM Vendors")).toInt());

    const CliRun unknown =
        Cli({QStringLiteral("export"), project(), QStringLiteral("Nothing"), QStringLiteral("--csv"), csv});
    EXPECT_EQ(unknown.exit, CliExit::Failed);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("no table or stored query")));
    EXPECT_EQ(FileBytes(csv).split('\n').size(), lines.size()) << "a failed export touched the file";
}

TEST_F(CommandLine, ReportsWriteAPdfByNameAndRefuseMissingOrWrongOptions)
{
    const QString pdf = dir.filePath(QStringLiteral("summary.pdf"));
    const CliRun summary = Cli(
        {QStringLiteral("report"), project(), QStringLiteral("Inventory Summary"), QStringLiteral("--from"),
         QStringLiteral("2000-01-01"), QStringLiteral("--to"), QStringLiteral("2030-12-31"),
         QStringLiteral("--sort"), QStringLiteral("name"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(summary.exit, CliExit::Ok) << summary.err.toStdString();
    EXPECT_GE(PdfPageCount(pdf), 1);

    const QStringList balances = {QStringLiteral("report"), project(), QStringLiteral("Payments by Customer"),
                                  QStringLiteral("--pdf"), dir.filePath(QStringLiteral("p.pdf"))};
    const CliRun noCustomer = Cli(balances);
    EXPECT_EQ(noCustomer.exit, CliExit::Usage);
    EXPECT_TRUE(noCustomer.err.contains(QStringLiteral("needs --customer"))) << noCustomer.err.toStdString();

    const CliRun badDate = Cli({QStringLiteral("report"), project(), QStringLiteral("Detailed Sales List"),
                                QStringLiteral("--from"), QStringLiteral("12/1/2026"), QStringLiteral("--to"),
                                QStringLiteral("2026-12-31"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(badDate.exit, CliExit::Usage);
    EXPECT_TRUE(badDate.err.contains(QStringLiteral("is not a date")));

    const CliRun unknown = Cli({QStringLiteral("report"), project(), QStringLiteral("No Such Report"),
                                QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(unknown.exit, CliExit::Failed);
    EXPECT_GE(PdfPageCount(pdf), 1) << "a failed report replaced the earlier file";

    // The same report's table as CSV; a custom report, or both outputs, are refused.
    const QString csv = dir.filePath(QStringLiteral("balances.csv"));
    const CliRun table = Cli({QStringLiteral("report"), project(), QStringLiteral("Customer Balances"),
                              QStringLiteral("--csv"), csv});
    EXPECT_EQ(table.exit, CliExit::Ok) << table.err.toStdString();
    const QList<QByteArray> lines = FileBytes(csv).split('\n');
    EXPECT_EQ(lines.value(0), "ID,Company,Last Name,First Name,Telephone,Balance\r");
    EXPECT_EQ(lines.size(), Sql(QStringLiteral("SELECT COUNT(*) FROM Customers")).toInt() + 2);
    const CliRun both = Cli({QStringLiteral("report"), project(), QStringLiteral("Customer Balances"),
                             QStringLiteral("--csv"), csv, QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(both.exit, CliExit::Usage);
}

// The program as a script runs it: with no display and no runtime folder, the
// exit code is the command's and standard error holds nothing but its own lines.
TEST_F(CommandLine, TheProgramSaysOnlyWhatItsCommandSays)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    const auto run = [&](const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QM_CLI_PROGRAM), arguments);
        EXPECT_TRUE(program.waitForFinished(60000)) << arguments.join(u' ').toStdString();
        CliRun result;
        result.exit = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        result.out = QString::fromUtf8(program.readAllStandardOutput());
        result.err = QString::fromUtf8(program.readAllStandardError());
        return result;
    };

    const QString csv = dir.filePath(QStringLiteral("balances.csv"));
    const CliRun report = run({QStringLiteral("report"), project(), QStringLiteral("Customer Balances"),
                               QStringLiteral("--csv"), csv});
    EXPECT_EQ(report.exit, CliExit::Ok);
    EXPECT_EQ(report.out, QStringLiteral("Wrote %1\n").arg(csv));
    EXPECT_TRUE(report.err.isEmpty()) << report.err.toStdString();

    const CliRun check = run({QStringLiteral("check"), project()});
    EXPECT_EQ(check.exit, CliExit::Ok);
    EXPECT_TRUE(check.err.isEmpty()) << check.err.toStdString();

    const CliRun bad = run({QStringLiteral("report"), project(), QStringLiteral("Customer Balances")});
    EXPECT_EQ(bad.exit, CliExit::Usage);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("quillmark-cli: "))) << bad.err.toStdString();
    EXPECT_EQ(bad.err.count(u'\n'), 1) << bad.err.toStdString();
}

} // namespace
