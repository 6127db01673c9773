#include "core/project/ProjectOperations.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/PreviousVersion.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/records/Pickers.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/session/ProjectOpening.h"
#include "core/views/RecordLists.h"
#include "tools/generator/ProjectGenerator.h"

#include "FailDevice.h"
#include "FileBytes.h"
#include "FolderEvents.h"
#include "PreviousVersionProject.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TinyScale.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList VendorNames(const Project& project)
{
    QStringList names;
    for (const CVendorsRow& row : project.tables()->vendors().RecordReadAll())
        names.append(row.Name);
    return names;
}

void ExpectMessage(const ScriptedPrompter& prompter, const QString& text,
                   const QString& title = u"Quillmark 3.5"_s,
                   Prompter::Icon icon = Prompter::Icon::Exclamation)
{
    ASSERT_FALSE(prompter.log().isEmpty());
    EXPECT_EQ(prompter.lastText(), text);
    EXPECT_EQ(prompter.log().constLast().title, title);
    EXPECT_EQ(prompter.log().constLast().icon, icon);
}

// What another program sees when it writes to the file at once, without waiting
// for a lock: empty when the write went through.
QString OutsideWriteError(const QString& path)
{
    const QString name = u"outside-writer"_s;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=0"_s);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            for (const QString& sql :
                 {u"BEGIN IMMEDIATE"_s, u"UPDATE \"Vendors\" SET \"Name\" = \"Name\""_s, u"COMMIT"_s}) {
                if (error.isEmpty() && !query.exec(sql))
                    error = sql + u": "_s + query.lastError().text();
            }
            if (!error.isEmpty())
                query.exec(u"ROLLBACK"_s);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

// The number of records of every table, in table order.
QList<qint32> RecordCounts(ProjectTables& t)
{
    QList<qint32> counts;
    for (CTableSet* table : std::initializer_list<CTableSet*>{
             &t.vendors(), &t.items(), &t.purchaseOrders(), &t.stock(), &t.orders(), &t.received(),
             &t.customers(), &t.sales(), &t.invoices(), &t.receivables()})
        counts.append(table->CountWhere(QString()));
    return counts;
}

class ProjectOps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid() && work.isValid());
        previousDir = QDir::currentPath();
        // Compaction and conversion keep their scratch files in the working directory.
        ASSERT_TRUE(QDir::setCurrent(work.path()));
    }
    void TearDown() override
    {
        project.close();
        QDir::setCurrent(previousDir);
    }

    QString file(const QString& relative) const { return root.filePath(relative); }

    // A new project's settings and database; the database path.
    QString makeProject(const QString& folder, const QString& name, int style = FIFO)
    {
        EXPECT_TRUE(QDir().mkpath(file(folder)));
        CProjectSettings settings(file(folder), name);
        EXPECT_EQ(settings.SetInventoryStyle(style), Status::Success);
        const QString path = file(folder + u'/' + name + u".qmp"_s);
        EXPECT_EQ(CreateDatabase(path), Status::Success);
        return path;
    }
    // Opens a new project holding the given vendors.
    QString openProject(const QString& folder, const QString& name, const QStringList& vendors,
                        int style = FIFO)
    {
        const QString path = makeProject(folder, name, style);
        EXPECT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
        for (const QString& vendor : vendors) {
            CVendorsRec rec;
            rec.Name = vendor;
            EXPECT_TRUE(project.tables()->vendors().RecordAdd(rec));
        }
        return path;
    }
    bool workIsEmpty() const { return QDir(work.path()).isEmpty(); }

    QTemporaryDir root;
    QTemporaryDir work;
    QString previousDir;
    ScriptedPrompter prompter;
    Project project;
};

TEST_F(ProjectOps, AFailedOpenLeavesTheOpenProjectInUseAndSaysWhatFailed)
{
    const QString open = openProject(u"a"_s, u"open"_s, {u"Acme"_s});
    ASSERT_TRUE(WriteFileBytes(file(u"garbage.qmp"_s), QByteArray(4096, 'x')));
    const QString noCustomers = makeProject(u"b"_s, u"nocustomers"_s);
    const QString noPO = makeProject(u"b"_s, u"nopo"_s);
    {
        ProjectDatabase db;
        ASSERT_TRUE(db.open(noCustomers) && db.execNative(u"DROP TABLE \"Customers\""_s));
        ASSERT_TRUE(db.open(noPO) && db.execNative(u"DROP TABLE \"PO\""_s));
    }
    const std::pair<QString, int> failures[] = {{file(u"garbage.qmp"_s), Status::FileCorrupt},
                                                {file(u"none.qmp"_s), Status::FileCorrupt},
                                                {noCustomers, Status::TableOpenFailed},
                                                {noPO, Status::PreviousVersion}};
    for (const auto& [path, status] : failures) {
        EXPECT_EQ(project.OpenDatabase(path, FIFO), status) << path.toStdString();
        EXPECT_EQ(project.database()->path(), open);
        EXPECT_EQ(VendorNames(project), QStringList{u"Acme"_s});
        CVendorsRec rec;
        EXPECT_TRUE(project.tables()->vendors().RecordAdd(rec) &&
                    project.tables()->vendors().RecordDelete(rec.ID));
    }

    // Settings that fail are reported; a database that does not open is the caller's to report.
    const QString orphan = makeProject(u"b"_s, u"orphan"_s);
    ASSERT_TRUE(QFile::remove(file(u"b/orphan.qms"_s)));
    const QString corrupt = makeProject(u"b"_s, u"corrupt"_s);
    ASSERT_TRUE(QFile::resize(corrupt, 100));

    EXPECT_EQ(OpenProjectFromPath(project, orphan, prompter), Status::SettingsFileMissing);
    ExpectMessage(prompter, u"The settings file for this project (.qms) was unable to be located."_s);
    EXPECT_EQ(OpenProjectFromPath(project, file(u"b/orphan.db"_s), prompter), Status::InvalidFileName);
    EXPECT_EQ(OpenProjectFromPath(project, corrupt, prompter), Status::FileCorrupt);
    EXPECT_EQ(prompter.log().size(), 2);
    // A database that is gone is named as such, even when its settings file is left.
    ASSERT_TRUE(QFile::remove(corrupt));
    ASSERT_TRUE(QFile::remove(file(u"b/orphan.qmp"_s)));
    for (const QString& gone : {corrupt, orphan}) {
        EXPECT_EQ(OpenProjectFromPath(project, gone, prompter), Status::FileNotFound);
        ExpectMessage(prompter, ProjectNotFoundMessage(gone));
    }
    EXPECT_EQ(project.database()->path(), open);
    EXPECT_EQ(project.settings()->name(), u"open"_s);

    // The stock order follows the style of the project being opened.
    ASSERT_EQ(OpenProjectFromPath(project, makeProject(u"b"_s, u"lifo"_s, LIFO), prompter), Status::Success);
    EXPECT_EQ(project.tables()->stock().sort(), CStockSet::SortFor(LIFO));
}

TEST_F(ProjectOps, CopyGivesAProjectThatOpensWithTheSameRecordsAndAsksBeforeOverwriting)
{
    const QString source = openProject(u"a"_s, u"shop"_s, {u"Acme"_s, u"Bolt"_s}, LIFO);
    ASSERT_TRUE(WriteFileBytes(file(u"a/shop.irp"_s), "reports"));
    ASSERT_TRUE(QDir().mkpath(file(u"copies"_s)));

    ASSERT_TRUE(CopyProject(project, file(u"copies/"_s), u"branch"_s, prompter));
    EXPECT_EQ(FileBytes(file(u"copies/branch.irp"_s)), QByteArray("reports"));
    EXPECT_EQ(project.database()->path(), source);

    Project copy;
    ASSERT_EQ(OpenProjectFromPath(copy, file(u"copies/branch.qmp"_s), prompter), Status::Success);
    EXPECT_EQ(VendorNames(copy), QStringList({u"Acme"_s, u"Bolt"_s}));
    EXPECT_EQ(copy.settings()->inventoryStyle(), LIFO);
    EXPECT_TRUE(prompter.log().isEmpty());

    ASSERT_TRUE(QFile::remove(file(u"a/shop.irp"_s)));
    ASSERT_TRUE(CopyProject(project, file(u"copies"_s), u"other"_s, prompter));
    EXPECT_TRUE(QFileInfo::exists(file(u"copies/other.qms"_s)));
    EXPECT_FALSE(QFileInfo::exists(file(u"copies/other.irp"_s)));

    // Over another project only when the user says so; never onto itself.
    const QString target = makeProject(u"b"_s, u"target"_s);
    ASSERT_TRUE(WriteFileBytes(file(u"b/target.irp"_s), "the target's reports"));
    const auto sourceFiles = FolderSnapshot(file(u"a"_s));
    const auto targetFiles = FolderSnapshot(file(u"b"_s));

    prompter.answer({false});
    EXPECT_FALSE(CopyProject(project, file(u"b"_s), u"target"_s, prompter));
    ExpectMessage(
        prompter,
        u"A project by this name already exists in this location.\n\nDo you wish to overwrite it?"_s,
        u"Quillmark 3.5"_s, Prompter::Icon::Question);
    EXPECT_EQ(FolderSnapshot(file(u"b"_s)), targetFiles);

    // Refused before any question: the source would be truncated.
    for (const QString& dir : {file(u"a"_s), file(u"a/"_s)}) {
        prompter.clear();
        EXPECT_FALSE(CopyProject(project, dir, u"shop"_s, prompter));
        ASSERT_EQ(prompter.log().size(), 1);
        EXPECT_FALSE(prompter.log().constLast().question);
    }
    EXPECT_EQ(FolderSnapshot(file(u"a"_s)), sourceFiles);

    prompter.answer({true});
    EXPECT_TRUE(CopyProject(project, file(u"b"_s), u"target"_s, prompter));
    Project over;
    ASSERT_EQ(over.OpenDatabase(target, FIFO), Status::Success);
    EXPECT_EQ(VendorNames(over), (QStringList{u"Acme"_s, u"Bolt"_s}));
    EXPECT_FALSE(QFileInfo::exists(file(u"b/target.irp"_s))) << "the copy has no reports, as its source";

    EXPECT_FALSE(CopyProject(project, file(u"missing"_s), u"x"_s, prompter));
    ExpectMessage(prompter, u"Unable to copy files at this time."_s, u"Quillmark 3.0"_s);
    EXPECT_EQ(ValidateOutputProjectName(QString()), u"Must specify a project name."_s);
}

// A disk that fails after any number of bytes of a copied file: the copy fails
// and the file it would replace stays whole, with nothing left beside it.
TEST_F(ProjectOps, ACopyThatFailsPartWayKeepsTheFileItWouldReplaceAndSaysSo)
{
    constexpr qint64 kChunk = 1 << 16; // the copy's read size
    QByteArray large(kChunk + 100, '\0');
    for (qsizetype i = 0; i < large.size(); ++i)
        large[i] = char(i * 7);
    const QString source = file(u"c/source"_s);
    const QString target = file(u"c/target"_s);
    ASSERT_TRUE(QDir().mkpath(file(u"c"_s)));
    for (const QByteArray& bytes : {QByteArray("settings ").repeated(30), large}) {
        ASSERT_TRUE(WriteFileBytes(source, bytes) && WriteFileBytes(target, "the old target"));
        const auto before = FolderSnapshot(file(u"c"_s));
        QList<qint64> budgets = {0, kChunk - 1, kChunk, kChunk + 1, bytes.size() - 1};
        if (bytes.size() < kChunk) {
            budgets.clear();
            for (qint64 budget = 0; budget < bytes.size(); ++budget)
                budgets.append(budget);
        }
        for (const qint64 budget : budgets) {
            const FailingFileWrites failing(budget);
            EXPECT_FALSE(CopyFileReplacing(source, target)) << budget;
            EXPECT_EQ(FolderSnapshot(file(u"c"_s)), before) << budget;
        }
        const FailingFileWrites ample(bytes.size());
        EXPECT_TRUE(CopyFileReplacing(source, target));
        EXPECT_EQ(FileBytes(target), bytes);
    }

    // Copy Project says so, whether the settings (file 0) or the reports (file 1) fail.
    openProject(u"a"_s, u"shop"_s, {u"Acme"_s}, LIFO);
    ASSERT_TRUE(WriteFileBytes(file(u"a/shop.irp"_s), "the shop's reports"));
    makeProject(u"b"_s, u"target"_s);
    ASSERT_TRUE(WriteFileBytes(file(u"b/target.irp"_s), "the target's reports"));
    const QString copied[] = {u"b/target.qms"_s, u"b/target.irp"_s};
    const qint64 sizes[] = {QFileInfo(file(u"a/shop.qms"_s)).size(), QFileInfo(file(u"a/shop.irp"_s)).size()};
    for (const int nth : {0, 1}) {
        const QByteArray old = FileBytes(file(copied[nth]));
        for (const qint64 budget : {qint64(0), sizes[nth] - 1}) {
            prompter.clear();
            prompter.answer({true});
            const FailingFileWrites failing(budget, nth);
            EXPECT_FALSE(CopyProject(project, file(u"b"_s), u"target"_s, prompter));
            ExpectMessage(prompter, u"Unable to copy files at this time."_s, u"Quillmark 3.0"_s);
            EXPECT_EQ(FileBytes(file(copied[nth])), old);
            EXPECT_EQ(QDir(file(u"b"_s)).entryList(QDir::Files),
                      (QStringList{u"target.irp"_s, u"target.qmp"_s, u"target.qms"_s}));
        }
    }
    EXPECT_EQ(FileBytes(file(u"b/target.qms"_s)), FileBytes(file(u"a/shop.qms"_s)));
}

TEST_F(ProjectOps, ACopyIntoAFolderThatTakesNoNewFilesFailsAndKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not keep root from writing";
    ASSERT_TRUE(QDir().mkpath(file(u"c"_s)));
    ASSERT_TRUE(WriteFileBytes(file(u"source"_s), "new") && WriteFileBytes(file(u"c/target"_s), "old"));
    const QFileDevice::Permissions writable = QFile::permissions(file(u"c"_s));
    ASSERT_TRUE(QFile::setPermissions(file(u"c"_s), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(CopyFileReplacing(file(u"source"_s), file(u"c/target"_s)));
    ASSERT_TRUE(QFile::setPermissions(file(u"c"_s), writable));
    EXPECT_EQ(QDir(file(u"c"_s)).entryList(QDir::Files), QStringList{u"target"_s});
    EXPECT_EQ(FileBytes(file(u"c/target"_s)), QByteArray("old"));
}

TEST_F(ProjectOps, CompactKeepsRecordsNeverReusesAnIdAndReopensTheProjectWhenItFails)
{
    const QString path = openProject(u"a"_s, u"shop"_s, {u"Acme"_s});
    ProjectTables& t = *project.tables();
    COrderRec order;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(t.orders().RecordAdd(order));
    ASSERT_TRUE(t.orders().RecordDelete(4) && t.orders().RecordDelete(5));
    {
        // Space for the compaction to give back.
        Transaction transaction(*project.database());
        CCustomersRec customer;
        customer.Notes = QString(200, u'n');
        for (int i = 0; i < 1000; ++i)
            ASSERT_TRUE(t.customers().RecordAdd(customer));
        ASSERT_TRUE(transaction.commit());
        ASSERT_TRUE(project.database()->execNative(u"DELETE FROM \"Customers\""_s));
    }
    const auto before = FolderSnapshot(file(u"a"_s));
    const qint64 sizeBefore = QFileInfo(path).size();

    EXPECT_FALSE(CompactDatabase(project, prompter));
    EXPECT_TRUE(
        prompter.lastText().contains(u"several minutes depending on the size of your project.  This"_s));
    EXPECT_TRUE(prompter.lastText().contains(u"recommended that \nyou backup your project"_s));
    EXPECT_EQ(FolderSnapshot(file(u"a"_s)), before);
    EXPECT_TRUE(workIsEmpty());

    // A folder where the compacted file would go: the project is reopened as it was.
    ASSERT_TRUE(QDir().mkpath(file(u"a/shop.qmt"_s)));
    const QByteArray bytes = FileBytes(path);
    prompter.answer({true});
    EXPECT_FALSE(CompactDatabase(project, prompter));
    EXPECT_EQ(FileBytes(path), bytes);
    ExpectMessage(prompter, u"Unable to compact this database."_s);
    ASSERT_TRUE(project.isOpen());
    EXPECT_EQ(project.database()->path(), path);
    EXPECT_EQ(VendorNames(project), QStringList{u"Acme"_s});
    EXPECT_TRUE(workIsEmpty());
    ASSERT_TRUE(QDir().rmdir(file(u"a/shop.qmt"_s)));

    // The project file is never written where it lies, only replaced whole
    // by the compacted copy: a crash at any moment leaves the one or the other.
    FolderEvents events(file(u"a"_s));
    prompter.answer({true});
    ASSERT_TRUE(CompactDatabase(project, prompter));
    EXPECT_EQ(events.writes(u"shop.qmp"_s), 0);
    EXPECT_EQ(events.replacements(u"shop.qmp"_s), 1);
    ExpectMessage(prompter, u"The project database has been successfully compacted."_s, u"Quillmark 3.5"_s,
                  Prompter::Icon::Information);
    EXPECT_LT(QFileInfo(path).size(), sizeBefore - 100 * 1024);
    EXPECT_TRUE(workIsEmpty());
    // Nothing left over but the lock the open project holds all along.
    EXPECT_EQ(QDir(file(u"a"_s)).entryList(QDir::Files | QDir::Hidden),
              QStringList({u"shop.irp"_s, u"shop.qmp"_s, u"shop.qmp.lock"_s, u"shop.qms"_s}));
    ASSERT_TRUE(project.isOpen());
    EXPECT_EQ(VendorNames(project), QStringList{u"Acme"_s});
    EXPECT_EQ(project.tables()->orders().RecordCount(), 3);

    // Above 5, the highest ever added, and above the record compaction appended.
    ASSERT_TRUE(project.tables()->orders().RecordAdd(order));
    EXPECT_GT(order.ID, 6);
}

// Between user operations the project holds no statement open, so nothing it
// left behind blocks copying, compacting or another program's writes.
TEST_F(ProjectOps, AnIdleProjectHoldsNoLockSoCopyCompactAndOtherProgramsProceed)
{
    ASSERT_TRUE(QDir().mkpath(file(u"a"_s)));
    ASSERT_TRUE(ProjectGenerator(TinyScale()).generate(file(u"a"_s), u"busy"_s).ok);
    const QString path = file(u"a/busy.qmp"_s);
    ASSERT_EQ(OpenProjectFromPath(project, path, prompter), Status::Success);
    ProjectDatabase& db = *project.database();
    ProjectTables& t = *project.tables();
    EXPECT_EQ(db.busyStatements(), QStringList());

    // What the main window does at start-up and while the user looks around.
    QTemporaryDir userDir;
    UserSettings settings(userDir.filePath(u"user.ini"_s));
    RecordLists lists(settings);
    lists.setTables(&t);
    for (int kind = 0; kind < kListingKindCount; ++kind)
        ASSERT_TRUE(lists.ReloadList(static_cast<ListingKind>(kind), QString())) << kind;
    const QList<qint32> stocked = t.items().IDsWhere(u"[Stocked] > 0"_s);
    ASSERT_FALSE(stocked.isEmpty());
    CItemsRow row;
    ASSERT_TRUE(t.items().RecordReadRow(row, stocked.first()));
    EXPECT_FALSE(ItemPickerEntries(t).isEmpty());
    EXPECT_GT(t.stock().SumQuantityByItem(stocked.first()), 0);
    EXPECT_GT(t.invoices().NextNumber(), 0);
    EXPECT_EQ(db.busyStatements(), QStringList());
    EXPECT_EQ(OutsideWriteError(path), QString());

    // A sale, consuming lots and writing the item's totals.
    CSIRec invoice;
    invoice.Number = t.invoices().NextNumber();
    invoice.CustomerID = t.customers().IDsWhere(QString()).value(0);
    ASSERT_TRUE(t.invoices().RecordAdd(invoice));
    RecordSoldItemsModel sale(t, prompter);
    sale.setInvoice(invoice.ID);
    sale.selectItem(stocked.first());
    sale.setQuantityText(u"1"_s);
    ASSERT_TRUE(sale.addLine().saved);
    ASSERT_TRUE(sale.save().saved) << prompter.lastText().toStdString();
    lists.RefreshChanges(sale.changes());
    EXPECT_EQ(db.busyStatements(), QStringList());
    EXPECT_EQ(OutsideWriteError(path), QString());

    const QList<qint32> counts = RecordCounts(t);
    ASSERT_TRUE(QDir().mkpath(file(u"copies"_s)));
    ASSERT_TRUE(CopyProject(project, file(u"copies"_s), u"branch"_s, prompter))
        << prompter.lastText().toStdString();
    Project copy;
    ASSERT_EQ(OpenProjectFromPath(copy, file(u"copies/branch.qmp"_s), prompter), Status::Success);
    EXPECT_EQ(RecordCounts(*copy.tables()), counts);
    copy.close();

    prompter.answer({true});
    ASSERT_TRUE(CompactDatabase(project, prompter)) << prompter.lastText().toStdString();
    EXPECT_EQ(RecordCounts(*project.tables()), counts);
    EXPECT_EQ(project.database()->busyStatements(), QStringList());
}

TEST_F(ProjectOps, AProjectAnotherProgramHoldsIsReportedPromptlyAndTheOpenOneStays)
{
    const QString open = openProject(u"a"_s, u"open"_s, {u"Acme"_s});
    const QString held = makeProject(u"b"_s, u"held"_s);
    const QString name = u"other-program"_s;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        other.setDatabaseName(held);
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(u"BEGIN EXCLUSIVE"_s));

        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(OpenProjectFromPath(project, held, prompter), Status::FileNotAccessible);
        EXPECT_LT(timer.elapsed(), 5000);
        ExpectMessage(prompter,
                      u"The specified file could not be accessed.  Be sure disk is not write protected "
                      u"or file is not in use by another application."_s);
        EXPECT_EQ(project.database()->path(), open);
        lock.exec(u"ROLLBACK"_s);
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_EQ(OpenProjectFromPath(project, held, prompter), Status::Success);
}

class Conversion : public ProjectOps
{
protected:
    // A previous-version project in folder "a" with report definitions, one
    // stock lot of each origin, and order tracking to purge.
    void SetUp() override
    {
        ProjectOps::SetUp();
        ASSERT_TRUE(old.isValid());
        ASSERT_TRUE(WriteFileBytes(file(u"a/old.irp"_s), "r"));
        item = old.insert(u"Items"_s, {{u"Name"_s, u"Bolt"_s}, {u"Stocked"_s, 17}, {u"Ordered"_s, 7}});
        const qint32 order = old.insert(u"Order"_s, {{u"ItemID"_s, item}, {u"Quanity"_s, 7}});
        const auto lot = [&](qint32 origin) {
            return old.insert(u"Stock"_s, {{u"ItemID"_s, item}, {u"OrderID"_s, origin}, {u"Quanity"_s, 5}});
        };
        lots = {{lot(order), StockOther},
                {lot(StockInitial), StockInitial},
                {lot(StockCustomerReturn), StockCustomerReturn},
                {lot(StockOther), StockOther}};
        ASSERT_GT(old.insert(u"Vendors"_s, {{u"Name"_s, u"Acme"_s}}), 0);
        ASSERT_GT(old.insert(u"Received"_s, {{u"OrderID"_s, order}}), 0);
        ASSERT_GT(old.insert(u"Sales"_s, {{u"ItemID"_s, item}}), 0);
    }

    PreviousVersionProject old{root.filePath(u"a"_s), u"old"_s};
    qint32 item = 0;
    QList<std::pair<qint32, qint32>> lots; // lot ID and the origin it must end with
};

TEST_F(Conversion, DecliningLeavesEveryFileAndAcceptingConvertsKeepingStockAndPurgingOrderTracking)
{
    const QString open = openProject(u"b"_s, u"open"_s, {u"Acme"_s});
    const auto before = FolderSnapshot(root.path());
    EXPECT_EQ(OpenProjectFromPath(project, old.path(), prompter), Status::PreviousVersion);
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_TRUE(prompter.lastText().startsWith(
        u"   The project you are trying to open was created with a previous\nversion of Quillmark."_s));
    EXPECT_TRUE(prompter.lastText().endsWith(u"\n\nDo you want to continue with the conversion?"_s));
    EXPECT_EQ(FolderSnapshot(root.path()), before);
    EXPECT_TRUE(workIsEmpty());
    EXPECT_EQ(project.database()->path(), open);

    const QByteArray database = FileBytes(old.path());
    const QByteArray settings = FileBytes(file(u"a/old.qms"_s));
    prompter.clear();
    prompter.answer({true});
    ASSERT_EQ(OpenProjectFromPath(project, old.path(), prompter), Status::Success);
    EXPECT_EQ(prompter.log().size(), 1);
    EXPECT_TRUE(workIsEmpty());
    EXPECT_EQ((QList<QByteArray>{FileBytes(file(u"a/old.bak"_s)), FileBytes(file(u"a/old.sbk"_s)),
                                 FileBytes(file(u"a/old.rbk"_s))}),
              (QList<QByteArray>{database, settings, "r"}));

    ProjectTables& t = *project.tables();
    for (const auto& [id, origin] : lots) {
        CStockRec lot;
        ASSERT_TRUE(t.stock().RecordRead(lot, id));
        EXPECT_EQ((QList<qint32>{lot.OrderID, lot.POID, lot.Quanity}), (QList<qint32>{origin, origin, 5}))
            << id;
    }
    for (CTableSet* purged : std::initializer_list<CTableSet*>{
             &t.orders(), &t.received(), &t.sales(), &t.purchaseOrders(), &t.invoices(), &t.receivables()})
        EXPECT_EQ(purged->RecordCount(), 0);
    EXPECT_EQ(t.items().GetOrdered(item) + t.items().GetStocked(item), 17);
    EXPECT_EQ(VendorNames(project), QStringList{u"Acme"_s});

    project.close();
    prompter.clear();
    EXPECT_EQ(OpenProjectFromPath(project, old.path(), prompter), Status::Success);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(Conversion, AFailedConversionLeavesTheProjectAndNoTemporaryFile)
{
    for (const QString& table : {u"Order"_s, u"Stock"_s, u"Received"_s, u"Sales"_s}) {
        PreviousVersionProject broken(file(table), u"old"_s, {table});
        ASSERT_TRUE(broken.isValid());
        const auto before = FolderSnapshot(file(table));
        prompter.answer({true});
        EXPECT_EQ(ConvertPreviousVersion(broken.path(), prompter), Status::Failure);
        ExpectMessage(prompter, u"Unable to locate %1 table. Invalid File!"_s.arg(table));
        EXPECT_EQ(FolderSnapshot(file(table)), before);
        EXPECT_TRUE(workIsEmpty());
    }

    const auto before = FolderSnapshot(file(u"a"_s));
    ASSERT_TRUE(old.exec(u"CREATE TABLE \"SI\" (\"ID\" INTEGER)"_s));
    prompter.answer({true});
    EXPECT_EQ(ConvertPreviousVersion(old.path(), prompter), Status::Failure);
    ExpectMessage(prompter,
                  u"Failed to create new tables. Be sure you have Read/Write/Create permissions to the "
                  "current directory."_s);
    // A folder where the temporary copy would go.
    ASSERT_TRUE(QDir(work.path()).mkdir(u"tmp01.tmp"_s));
    prompter.answer({true});
    EXPECT_EQ(ConvertPreviousVersion(old.path(), prompter), Status::Failure);
    ExpectMessage(prompter,
                  u"Failed to create temporary file. Be sure you have Read/Write/Create permissions to "
                  "the current directory."_s);
    EXPECT_EQ(FolderSnapshot(file(u"a"_s)).keys(), before.keys());
}

} // namespace
