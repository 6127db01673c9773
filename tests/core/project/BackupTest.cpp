#include "core/project/Backup.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/project/ProjectLock.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/sales/ProjectConsistency.h"
#include "core/session/ProjectOpening.h"
#include "core/session/RestoreBackupModel.h"

#include "FailDevice.h"
#include "FaultyFileSystem.h"
#include "FileBytes.h"
#include "ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sqlite3.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QDateTime kMorning(QDate(2020, 12, 8), QTime(4, 31, 7));

// A project "Shop" with its settings file and one item whose lots the tests
// add to, each lot with the item's Stocked in the same transaction.
struct Shop
{
    QTemporaryDir dir;
    QString path = dir.filePath(u"Shop.qmp"_s);

    Shop()
    {
        CProjectSettings settings(dir.path(), u"Shop"_s);
        EXPECT_EQ(settings.status(), Status::Success);
        EXPECT_EQ(CreateDatabase(path), Status::Success);
        EXPECT_TRUE(exec(path, "INSERT INTO \"Items\" (\"ID\", \"Stocked\", \"Ordered\") VALUES (1, 0, 0)"));
    }

    static bool exec(const QString& database, const char* sql)
    {
        sqlite3* engine = nullptr;
        bool ok = sqlite3_open(QFile::encodeName(database).constData(), &engine) == SQLITE_OK;
        sqlite3_busy_timeout(engine, 5000);
        ok = ok && sqlite3_exec(engine, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(engine);
        return ok;
    }
};

const char* const kAddLot = "BEGIN IMMEDIATE; INSERT INTO \"Stock\" (\"ItemID\", \"Quanity\") VALUES (1, 1); "
                            "UPDATE \"Items\" SET \"Stocked\" = \"Stocked\" + 1 WHERE \"ID\" = 1; COMMIT";

// The lots in a database, or -1 when it fails its integrity check.
int CheckedLotCount(const QString& path)
{
    ProjectDatabase db;
    if (!db.open(path))
        return -1;
    QSqlQuery query(db.connection());
    if (!query.exec(u"PRAGMA integrity_check"_s) || !query.next() || query.value(0).toString() != u"ok"_s)
        return -1;
    if (!query.exec(u"SELECT count(*) FROM \"Stock\""_s) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QStringList FileNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The files under `dir` that are not as `before` had them: changed, new or gone.
std::string ChangedFiles(const QString& dir, const QMap<QString, QByteArray>& before)
{
    const QMap<QString, QByteArray> now = FolderSnapshot(dir);
    QStringList changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (before.value(it.key()) != it.value())
            changed.append(it.key());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!now.contains(it.key()))
            changed.append(it.key() + u" (gone)"_s);
    }
    return changed.join(u", "_s).toStdString();
}

QStringList Folders(const QList<BackupEntry>& backups)
{
    QStringList names;
    for (const BackupEntry& backup : backups)
        names.append(QFileInfo(backup.folder).fileName());
    return names;
}

} // namespace

TEST(Backup, IsOneCommittedStateWhileOtherConnectionsWrite)
{
    Shop shop;
    const QString out = shop.dir.filePath(u"out"_s);

    // Lots another connection has added but not committed stay out.
    ProjectDatabase writer;
    ASSERT_TRUE(writer.open(shop.path));
    ASSERT_TRUE(writer.beginTransaction());
    ASSERT_TRUE(writer.execNative(u"INSERT INTO \"Stock\" (\"ItemID\", \"Quanity\") VALUES (1, 5)"_s));
    const BackupResult before = BackupProject(shop.path, out, FixedClock(kMorning));
    ASSERT_TRUE(before.ok) << before.message.toStdString();
    EXPECT_EQ(QFileInfo(before.path).fileName(), u"Shop 2020-12-08 04-31-07"_s);
    EXPECT_EQ(FileNames(before.path), (QStringList{u"Shop.qmp"_s, u"Shop.qms"_s}));
    EXPECT_EQ(CheckedLotCount(before.path + u"/Shop.qmp"_s), 0);
    ASSERT_TRUE(writer.rollbackTransaction());
    writer.close();

    // A writer commits lots as fast as it can while backups are taken.
    std::atomic<bool> stop{false};
    std::atomic<int> committed{0};
    std::thread busy([&] {
        sqlite3* engine = nullptr;
        sqlite3_open(QFile::encodeName(shop.path).constData(), &engine);
        sqlite3_busy_timeout(engine, 5000);
        sqlite3_exec(engine, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
        while (!stop) {
            if (sqlite3_exec(engine, kAddLot, nullptr, nullptr, nullptr) == SQLITE_OK)
                ++committed;
            else
                sqlite3_exec(engine, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close(engine);
    });
    QStringList backups;
    for (int i = 0; i < 4; ++i) {
        // Some commits after the previous backup was complete, however long it took.
        const int target = committed + 20;
        while (committed < target)
            std::this_thread::yield();
        const BackupResult taken = BackupProject(shop.path, out, FixedClock(kMorning));
        EXPECT_TRUE(taken.ok) << taken.message.toStdString();
        backups.append(taken.path);
    }
    stop = true;
    busy.join();
    EXPECT_EQ(QFileInfo(backups.last()).fileName(), u"Shop 2020-12-08 04-31-07 (5)"_s);

    int lastCount = 0;
    for (const QString& backup : backups) {
        const int lots = CheckedLotCount(backup + u"/Shop.qmp"_s);
        EXPECT_GT(lots, lastCount) << backup.toStdString();
        lastCount = lots;
        Project project;
        ScriptedPrompter prompter;
        ASSERT_EQ(OpenProjectFromPath(project, backup + u"/Shop.qmp"_s, prompter), Status::Success);
        const ConsistencyReport report = CheckProjectConsistency(*project.tables());
        EXPECT_TRUE(report.isConsistent()) << report.all().join(u'\n').toStdString();
    }
    // Nothing but the finished backups is left in the target folder.
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 5);
}

// The copy is written in long blocks, the last of them only as the copy ends:
// a disk that fills at any of them fails the backup and leaves none behind.
TEST(Backup, ACopyThatCannotBeWrittenLeavesNoBackup)
{
    Shop shop;
    for (int lot = 0; lot < 200; ++lot)
        ASSERT_TRUE(Shop::exec(shop.path, "INSERT INTO \"Stock\" (\"ItemID\", \"Quanity\", \"Date\") "
                                          "VALUES (1, 1, 35000.5)"));
    const QString out = shop.dir.filePath(u"out"_s);
    FaultyFileSystem faulty;
    ASSERT_TRUE(faulty.isRegistered());
    faulty.reset();
    const BackupResult whole = BackupProject(shop.path, out, FixedClock(kMorning));
    ASSERT_TRUE(whole.ok) << whole.message.toStdString();
    const int writes = faulty.calls(FaultyFileSystem::Kind::Write);
    EXPECT_LT(writes, QFileInfo(whole.path + u"/Shop.qmp"_s).size() / 4096) << "the pages were gathered";
    ASSERT_TRUE(QDir(whole.path).removeRecursively());
    for (int nth = 1; nth <= writes; ++nth) {
        faulty.arm(FaultyFileSystem::Kind::Write, nth, SQLITE_FULL, false);
        const BackupResult failed = BackupProject(shop.path, out, FixedClock(kMorning));
        EXPECT_FALSE(failed.ok) << "write " << nth << " of " << writes;
        EXPECT_FALSE(failed.message.isEmpty());
        EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
    faulty.disarm();
}

TEST(Backup, RestoreReplacesAllFilesOrNone)
{
    Shop shop;
    QTemporaryDir out;
    const BackupResult backup = BackupProject(shop.path, out.path(), FixedClock(kMorning));
    ASSERT_TRUE(backup.ok);
    const auto backedUp = FolderSnapshot(backup.path);

    // The project moves on: a lot, another inventory style, report
    // definitions and a journal the backup does not have.
    ASSERT_TRUE(Shop::exec(shop.path, kAddLot));
    CProjectSettings settings(shop.path);
    ASSERT_EQ(settings.SetInventoryStyle(LIFO), Status::Success);
    ASSERT_TRUE(WriteFileBytes(shop.dir.filePath(u"Shop.irp"_s), "reports"));
    ASSERT_TRUE(WriteFileBytes(shop.path + u"-journal"_s, "journal"));
    const auto project = FolderSnapshot(shop.dir.path());

    // A write that fails in any new file, at its start or part-way.
    for (int nth = 0; nth < 2; ++nth) {
        for (qint64 budget : {0, 64}) {
            FailingFileWrites failing(budget, nth);
            const BackupResult restored = RestoreBackup(backup.path, shop.dir.path());
            EXPECT_FALSE(restored.ok) << nth << ' ' << budget;
            EXPECT_FALSE(restored.message.isEmpty());
            EXPECT_EQ(ChangedFiles(shop.dir.path(), project), "") << nth << ' ' << budget;
        }
    }
    // Not while the project is open in a window.
    {
        const ProjectLock held(shop.path);
        ASSERT_EQ(held.state(), ProjectLock::State::Held);
        EXPECT_FALSE(RestoreBackup(backup.path, shop.dir.path()).ok);
    }
    EXPECT_EQ(ChangedFiles(shop.dir.path(), project), "");
    // Not from a damaged backup.
    QTemporaryDir damaged;
    ASSERT_TRUE(QFile::copy(backup.path + u"/Shop.qms"_s, damaged.filePath(u"Shop.qms"_s)));
    QByteArray bytes = FileBytes(backup.path + u"/Shop.qmp"_s);
    bytes.truncate(bytes.size() / 2);
    ASSERT_TRUE(WriteFileBytes(damaged.filePath(u"Shop.qmp"_s), bytes));
    EXPECT_FALSE(RestoreBackup(damaged.path(), shop.dir.path()).ok);
    EXPECT_EQ(ChangedFiles(shop.dir.path(), project), "");

    const BackupResult restored = RestoreBackup(backup.path, shop.dir.path());
    ASSERT_TRUE(restored.ok) << restored.message.toStdString();
    EXPECT_EQ(restored.path, shop.path);
    QStringList projectFiles = FileNames(shop.dir.path());
    EXPECT_EQ(projectFiles, (QStringList{u"Shop.qmp"_s, u"Shop.qms"_s}));
    for (const QString& name : projectFiles)
        EXPECT_EQ(FileBytes(shop.dir.filePath(name)), FileBytes(backup.path + u'/' + name))
            << name.toStdString();
    EXPECT_EQ(ChangedFiles(backup.path, backedUp), "");
}

TEST(AutoBackup, KeepsTheNewestAndLosesNoneToAFailure)
{
    Shop shop;
    FixedClock clock(kMorning);
    for (int i = 0; i < 4; ++i) {
        clock.set(kMorning.addDays(i));
        EXPECT_EQ(AutoBackupOnOpen(shop.path, 3, clock), QString());
    }
    const QStringList newest{u"Shop 2020-12-11 04-31-07"_s, u"Shop 2020-12-10 04-31-07"_s,
                             u"Shop 2020-12-09 04-31-07"_s};
    const QList<BackupEntry> backups = ListBackups(shop.path);
    EXPECT_EQ(Folders(backups), newest);
    ASSERT_FALSE(backups.isEmpty());
    EXPECT_EQ(backups.first().taken, kMorning.addDays(3));
    EXPECT_EQ(QFileInfo(backups.first().folder).absolutePath(), shop.dir.filePath(u"Shop backups"_s));

    // A backup that fails (its settings copy runs into a full disk) removes
    // none of the earlier ones and leaves nothing behind.
    clock.set(kMorning.addDays(9));
    const auto folder = FolderSnapshot(AutoBackupFolder(shop.path));
    {
        FailingFileWrites failing(10);
        EXPECT_FALSE(AutoBackupOnOpen(shop.path, 1, clock).isEmpty());
    }
    EXPECT_EQ(ChangedFiles(AutoBackupFolder(shop.path), folder), "");

    // None for a project kept read-only, nor when none are wanted.
    const QFileDevice::Permissions writable = QFile::permissions(shop.path);
    ASSERT_TRUE(QFile::setPermissions(shop.path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_TRUE(IsProjectReadOnly(shop.path));
    EXPECT_EQ(AutoBackupOnOpen(shop.path, 3, clock), QString());
    ASSERT_TRUE(QFile::setPermissions(shop.path, writable));
    EXPECT_EQ(AutoBackupOnOpen(shop.path, 0, clock), QString());
    EXPECT_EQ(Folders(ListBackups(shop.path)), newest);

    // Opening takes one, when asked to.
    Project project;
    ScriptedPrompter prompter;
    ASSERT_EQ(OpenProjectFromPath(project, shop.path, prompter, 3), Status::Success);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(ListBackups(shop.path).size(), 3);
    EXPECT_GT(ListBackups(shop.path).first().taken, kMorning.addDays(3));
}

namespace {

qint32 Lots(Project& project)
{
    QSqlQuery query(project.database()->connection());
    return query.exec(u"SELECT COUNT(*) FROM \"Stock\""_s) && query.next() ? query.value(0).toInt() : -1;
}

} // namespace

// The open project goes back to the backup chosen, and what it held before goes
// into the backups, so the restore itself can be undone.
TEST(RestoreFromBackup, PutsTheChosenBackupInPlaceAndKeepsWhatItReplaced)
{
    Shop shop;
    ScriptedPrompter prompter;
    Project project;
    ASSERT_EQ(OpenProjectFromPath(project, shop.path, prompter, 5), Status::Success);
    ASSERT_TRUE(
        project.database()->execNative(u"INSERT INTO \"Stock\" (\"ItemID\", \"Quanity\") VALUES (1, 1)"_s));
    ASSERT_TRUE(project.database()->execNative(u"UPDATE \"Items\" SET \"Stocked\" = 1"_s));

    ASSERT_EQ(Lots(project), 1);

    bool released = false;
    {
        RestoreBackupModel declined(project, prompter, [&released] { released = true; });
        ASSERT_TRUE(declined.checkPrerequisites());
        ASSERT_EQ(declined.backupTexts().size(), 1);
        prompter.answer({false});
        EXPECT_FALSE(declined.save().saved);
        EXPECT_FALSE(released);
        EXPECT_EQ(Lots(project), 1);
    }
    RestoreBackupModel model(project, prompter, [&released] { released = true; });
    prompter.answer({true});
    ASSERT_TRUE(model.save().saved) << prompter.lastText().toStdString();
    EXPECT_TRUE(released);
    ASSERT_TRUE(project.isOpen());
    EXPECT_EQ(Lots(project), 0);
    EXPECT_TRUE(CheckProjectConsistency(*project.tables()).isConsistent());

    // The backup taken on open (no lots) and the one taken before the restore (one).
    QList<qint32> kept;
    for (const BackupEntry& backup : ListBackups(shop.path)) {
        Project copy;
        EXPECT_EQ(copy.OpenDatabase(backup.folder + u"/Shop.qmp"_s, FIFO), Status::Success);
        kept.append(Lots(copy));
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, QList<qint32>({0, 1}));
}
