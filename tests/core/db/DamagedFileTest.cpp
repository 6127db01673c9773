#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/records/StockFigures.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/views/RecordLists.h"

#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "TempProject.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 kLots = 6000;

qint64 Pragma(ProjectDatabase& db, const QString& name)
{
    QSqlQuery query(db.connection());
    return query.exec(u"PRAGMA "_s + name) && query.next() ? query.value(0).toLongLong() : -1;
}

// A project whose stock lots fill many pages of the file, with pages in the
// middle of them overwritten, as a failing disk or an interrupted copy leaves it:
// the file opens, its first lots read, and a walk over all of them fails.
class DamagedFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        const qint32 vendor = b.vendor(u"Acme"_s);
        item = b.item({.name = u"Widget"_s, .vendor1 = vendor});
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        const qint64 pagesBefore = Pragma(project.db(), u"page_count"_s);
        {
            Transaction transaction(project.db());
            for (qint32 i = 0; i < kLots; ++i) {
                CStockRec lot{.ItemID = item,
                              .VendorID = vendor,
                              .OrderID = StockInitial,
                              .POID = StockInitial,
                              .Quanity = 2,
                              .Cost = Money::fromWhole(1),
                              .Date = DateTime::fromDate(QDate(1990, 1, 1).addDays(i))};
                ASSERT_TRUE(t().stock().RecordAdd(lot));
            }
            ASSERT_TRUE(RecomputeItemTotals(t(), item));
            ASSERT_TRUE(transaction.commit());
        }
        firstLot = t().stock().IDsWhere(QString()).value(0);
        const qint64 pageSize = Pragma(project.db(), u"page_size"_s);
        const qint64 pagesAfter = Pragma(project.db(), u"page_count"_s);
        ASSERT_GT(pagesAfter - pagesBefore, 100);
        project.close();

        // Every byte of 30 pages in the middle of the lots' pages.
        QFile file(project.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek((pagesBefore + (pagesAfter - pagesBefore) / 2) * pageSize));
        ASSERT_EQ(file.write(QByteArray(30 * pageSize, '\x5a')), 30 * pageSize);
        file.close();

        ASSERT_TRUE(project.reopen());
        QSqlQuery check(project.db().connection());
        ASSERT_TRUE(check.exec(u"PRAGMA integrity_check"_s) && check.next());
        ASSERT_NE(check.value(0).toString(), u"ok"_s);
        check.finish();
    }
    ProjectTables& t() { return project.tables(); }
    // Starts with the message of a damaged file and goes on with the engine's words.
    static void ExpectDamageReported(const QString& text)
    {
        EXPECT_TRUE(text.startsWith(u"The specified file is corrupt or missing!\n\n"_s))
            << text.toStdString();
        EXPECT_GT(text.size(), 45) << text.toStdString();
    }

    TempProject project;
    ProjectBuilder b{project};
    qint32 item = NoID, customer = NoID, firstLot = NoID;
};

TEST_F(DamagedFile, EveryReadOfTheDamagedTableFailsInsteadOfAnsweringShort)
{
    ProjectDatabase& db = project.db();
    EXPECT_EQ(db.readFailureCount(), 0u);
    EXPECT_TRUE(t().stock().IDsWhere(QString()).isEmpty());
    EXPECT_FALSE(t().stock().lastError().isEmpty());
    EXPECT_TRUE(t().stock().RecordsWhere(u"[ItemID] = ?"_s, {item}).isEmpty());
    EXPECT_TRUE(t().stock().RecordReadAll().isEmpty());
    const quint64 failures = db.readFailureCount();
    EXPECT_GE(failures, 3u);
    EXPECT_TRUE(db.isDamaged());
    EXPECT_EQ(db.lastReadFailure().status, Status::FileCorrupt);
    ExpectDamageReported(ReadFailureText(db.lastReadFailure()));

    // The list shows the failure, not the lots before the damage; a refresh does
    // not fill it up again from single rows.
    QTemporaryDir userDir;
    UserSettings settings(userDir.filePath(u"user.ini"_s));
    RecordLists lists(settings);
    lists.setTables(&t());
    RecordList& stock = lists.list(ListingKind::Stock);
    EXPECT_FALSE(lists.ReloadList(ListingKind::Stock, QString()));
    EXPECT_EQ(stock.count(), 0);
    ExpectDamageReported(stock.readError());
    lists.RefreshRecords(ListingKind::Stock, {firstLot});
    EXPECT_EQ(stock.count(), 0);
    // Intact tables still read.
    EXPECT_TRUE(lists.ReloadList(ListingKind::Vendors, QString()));
    EXPECT_EQ(lists.list(ListingKind::Vendors).count(), 1);
    EXPECT_EQ(lists.list(ListingKind::Vendors).readError(), QString());
}

TEST_F(DamagedFile, AnOperationThatReadsTheDamageWritesNothingAndSaysWhy)
{
    ProjectDatabase& db = project.db();
    const qint32 invoice = b.invoice(customer, 5000);
    const CStockRec lotBefore = b.read<CStockRec>(firstLot);
    ASSERT_EQ(t().items().GetStocked(item), 2 * kLots);

    // The sale takes the oldest lot, which reads, then sums the item's lots
    // again, which meets the damage.
    ScriptedPrompter prompter;
    RecordSoldItemsModel sale(t(), prompter);
    sale.setInvoice(invoice);
    sale.selectItem(item);
    sale.setQuantityText(u"1"_s);
    ASSERT_TRUE(sale.addLine().saved);
    EXPECT_FALSE(sale.save().saved);
    ExpectDamageReported(prompter.lastText());

    EXPECT_EQ(t().items().GetStocked(item), 2 * kLots);
    EXPECT_EQ(b.read<CStockRec>(firstLot).Quanity, lotBefore.Quanity);
    EXPECT_EQ(t().sales().CountWhere(QString()), 0);
    EXPECT_EQ(t().receivables().CountWhere(u"[SIID] = ?"_s, {invoice}), 0);

    // Nothing more is written into a file the engine found damaged.
    Transaction transaction(db);
    CVendorsRec vendor;
    ASSERT_TRUE(t().vendors().RecordAdd(vendor));
    EXPECT_FALSE(transaction.commit());
    ExpectDamageReported(db.lastError());
    EXPECT_EQ(t().vendors().CountWhere(QString()), 1);
}

} // namespace
