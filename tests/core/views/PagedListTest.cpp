#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/Dialect.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/views/RecordLists.h"
#include "core/views/TypedRecordList.h"
#include "tools/generator/ProjectGenerator.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"

#include "core/views/FindInListModel.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

// The lists read a screenful at a time in an order the database computes: on a
// generated project of several pages per list, with texts that differ only in
// case or in letters beyond ASCII, empty dates and many equal keys, every
// column must order exactly as the typed comparisons of the list cells do.

namespace {

using Kind = ListingKind;

// A generated project with rows made to test the comparisons at their edges.
class PagedLists : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        GeneratorScale scale = GeneratorScale::small();
        scale.vendors = 400;
        scale.purchaseOrders = 400;
        scale.stockLots = 3000;
        scale.salesLines = 2000;
        scale.invoices = 600;
        const GeneratorResult result = ProjectGenerator(scale).generate(s_dir->path(), u"paged"_s);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(s_dir->filePath(u"paged.qmp"_s), dir.filePath(u"paged.qmp"_s)));
        ASSERT_TRUE(db.open(dir.filePath(u"paged.qmp"_s)));
        ASSERT_EQ(tables.OpenAll(), Status::Success);
        lists.setTables(&tables);
        addEdgeCases();
    }
    void TearDown() override { lists.setTables(nullptr); }

    void exec(const QString& sql) { ASSERT_TRUE(db.execNative(sql)) << sql.toStdString() << db.lastError().toStdString(); }
    qint32 scalar(const QString& sql)
    {
        QSqlQuery query(db.connection());
        EXPECT_TRUE(query.exec(sql) && query.next()) << sql.toStdString();
        return query.value(0).toInt();
    }

    // Names that differ only in case, in accents or in a letter outside ASCII;
    // empty texts and dates; amounts and dates equal to others'; a lot from a
    // purchase order that is gone.
    void addEdgeCases()
    {
        for (const char* name : {"alpha", "ALPHA", "Alpha", "\xC3\x89" "clair", "\xC3\xA9" "clair", "eclair", "",
                                 "\xC3\x9F" "trasse", "Zz", "zZ"}) {
            const QString text = QString::fromUtf8(name);
            exec(u"INSERT INTO \"Vendors\" (\"Name\", \"City\") VALUES (%1, %1)"_s.arg(SqlTextLiteral(text)));
            exec(u"INSERT INTO \"Customers\" (\"Company\", \"Last\") VALUES (%1, %1)"_s.arg(SqlTextLiteral(text)));
            exec(u"INSERT INTO \"Items\" (\"Name\", \"Cost\", \"SellingPrice\", \"Stocked\", \"VendorID1\") "
                 "VALUES (%1, 2.5, NULL, 7, (SELECT MAX(\"ID\") FROM \"Vendors\"))"_s.arg(SqlTextLiteral(text)));
        }
        exec(u"UPDATE \"PO\" SET \"RequiredDate\" = NULL WHERE \"ID\" % 3 = 0"_s);
        exec(u"UPDATE \"SI\" SET \"Notes\" = 'Note ' || (\"ID\" % 4) WHERE \"ID\" % 2 = 0"_s);
        exec(u"UPDATE \"Stock\" SET \"Date\" = (SELECT \"Date\" FROM \"Stock\" WHERE \"ID\" = 1) WHERE \"ID\" % 7 = 0"_s);
        exec(u"UPDATE \"Stock\" SET \"Cost\" = NULL WHERE \"ID\" % 97 = 0"_s);
        exec(u"UPDATE \"Stock\" SET \"Date\" = NULL WHERE \"ID\" % 89 = 0"_s);
        exec(u"UPDATE \"Stock\" SET \"OrderID\" = 999999, \"POID\" = 999999 WHERE \"ID\" % 101 = 0"_s);
        exec(u"UPDATE \"Stock\" SET \"OrderID\" = -2, \"POID\" = -2 WHERE \"ID\" % 103 = 0"_s);
    }

    // The record IDs of a kind in the order the typed comparisons give: rows
    // read in the table's order, sorted stably by the cells' sort keys.
    template <typename Row> QList<qint32> expectedOrder(int column)
    {
        auto& table = TypedRecordList<Row>::tableOf(tables);
        table.SetFilter(QString());
        table.Reopen();
        QList<Row> rows = table.RecordReadAll();
        std::stable_sort(rows.begin(), rows.end(), [column](const Row& a, const Row& b) {
            return CompareListSortKeys(ListSortKeyOf(a, column), ListSortKeyOf(b, column)) < 0;
        });
        QList<qint32> ids;
        for (const Row& row : std::as_const(rows))
            ids << row.ID;
        return ids;
    }
    QList<qint32> expectedOrder(Kind kind, int column)
    {
        switch (kind) {
        case Kind::Vendors:
            return expectedOrder<CVendorsRow>(column);
        case Kind::Items:
            return expectedOrder<CItemsRow>(column);
        case Kind::PurchaseOrders:
            return expectedOrder<CPORow>(column);
        case Kind::Invoices:
            return expectedOrder<CSIRow>(column);
        case Kind::Customers:
            return expectedOrder<CCustomersRow>(column);
        case Kind::Stock:
            break;
        }
        return expectedOrder<CStockRow>(column);
    }

    // The list's rows as read in one pass, and as read a page at a time in a
    // scattered order (the far end first, then back to the start), must agree.
    QList<qint32> listedOrder(Kind kind)
    {
        RecordList& list = lists.list(kind);
        QList<qint32> streamed;
        EXPECT_TRUE(list.forEachRow(0, [&](qsizetype position, const ListRow& row) {
            EXPECT_EQ(position, streamed.size());
            streamed << row.recordId;
            return true;
        }));
        QList<qint32> paged(list.count(), 0);
        for (qsizetype position = list.count() - 1; position >= list.count() / 2; --position)
            paged[position] = list.recordId(position);
        for (qsizetype position = 0; position < list.count() / 2; ++position)
            paged[position] = list.recordId(position);
        EXPECT_EQ(paged, streamed) << "kind " << int(kind);
        return streamed;
    }

    QTemporaryDir dir;
    ProjectDatabase db;
    ProjectTables tables{db, CStockSet::kFifo};
    QTemporaryDir userDir;
    UserSettings settings{userDir.filePath(u"user.ini"_s)};
    RecordLists lists{settings};

    static QTemporaryDir* s_dir;
};

QTemporaryDir* PagedLists::s_dir = nullptr;

TEST_F(PagedLists, EveryColumnOrdersAsTheTypedComparisonsUnderEitherStyle)
{
    for (const int style : {CStockSet::kFifo, CStockSet::kLifo}) {
        tables.stock().SetInventoryStyle(style);
        for (int k = 0; k < kListingKindCount; ++k) {
            const Kind kind = static_cast<Kind>(k);
            if (style == CStockSet::kLifo && kind != Kind::Stock)
                continue;
            ASSERT_TRUE(lists.ReloadList(kind, QString()));
            RecordList& list = lists.list(kind);
            ASSERT_GT(list.count(), 2 * RecordList::kPageSize) << k;
            for (int column = 0; column < ListColumnCount(kind); ++column) {
                list.setSortColumn(column);
                const QList<qint32> expected = expectedOrder(kind, column);
                ASSERT_EQ(list.count(), expected.size());
                EXPECT_EQ(listedOrder(kind), expected) << "kind " << k << ", column " << column << ", style " << style;
                // Any row is found where it is shown.
                for (const qsizetype position : {qsizetype(0), list.count() / 3, list.count() - 1})
                    EXPECT_EQ(list.positionOfRecord(expected.at(position)), position) << k << "/" << column;
            }
        }
    }
}

TEST_F(PagedLists, ChangesAtTheEdgesAndFarOffScreenMoveTheirRowsAndTheCount)
{
    const int nameColumn = 1;
    ASSERT_TRUE(lists.ReloadList(Kind::Items, QString()));
    RecordList& items = lists.list(Kind::Items);
    items.setSortColumn(nameColumn);
    const qsizetype before = items.count();
    // Rows read on screen, at the top and at the bottom, before the changes.
    const qint32 first = items.recordId(0);
    const qint32 last = items.recordId(before - 1);
    const qint32 farOff = items.recordId(before / 2);
    (void)items.cellText(RecordList::kPageSize + 3, nameColumn);

    // A name past every other (a letter outside Latin-1), one before every other.
    exec(u"UPDATE \"Items\" SET \"Name\" = %1 WHERE \"ID\" = %2"_s.arg(SqlTextLiteral(u"\uFF5Aend"_s)).arg(first));
    exec(u"DELETE FROM \"Items\" WHERE \"ID\" IN (%1, %2)"_s.arg(last).arg(farOff));
    exec(u"INSERT INTO \"Items\" (\"Name\") VALUES ('')"_s);
    const qint32 added = scalar(u"SELECT MAX(\"ID\") FROM \"Items\""_s);
    lists.RefreshRecords(Kind::Items, {first, last, farOff, added});

    EXPECT_EQ(items.count(), before - 1);
    const QList<qint32> expected = expectedOrder(Kind::Items, nameColumn);
    EXPECT_EQ(listedOrder(Kind::Items), expected);
    EXPECT_EQ(items.recordId(items.count() - 1), first);
    EXPECT_EQ(std::tuple(items.positionOfRecord(added), items.positionOfRecord(last), items.positionOfRecord(farOff)),
              std::tuple(expected.indexOf(added), qsizetype(-1), qsizetype(-1)));

    // The same through an indexed order read page by page from either end.
    items.setSortColumn(0);
    EXPECT_EQ(std::tuple(items.recordId(0), items.recordId(items.count() - 1)),
              std::tuple(expectedOrder(Kind::Items, 0).constFirst(), added));
}

TEST_F(PagedLists, AFilteredListKeepsItsRowsAndTakesTheRecordsRefreshedIntoIt)
{
    ASSERT_TRUE(lists.ReloadList(Kind::Stock, u"[Quanity] > 5"_s));
    RecordList& stock = lists.list(Kind::Stock);
    const qint32 inside = scalar(u"SELECT COUNT(*) FROM \"Stock\" WHERE \"Quanity\" > 5"_s);
    ASSERT_EQ(stock.count(), inside);
    ASSERT_GT(inside, qint32(RecordList::kPageSize));
    const qint32 outsider = scalar(u"SELECT MIN(\"ID\") FROM \"Stock\" WHERE \"Quanity\" <= 5"_s);
    EXPECT_EQ(stock.positionOfRecord(outsider), -1);
    lists.RefreshRecords(Kind::Stock, {outsider});
    EXPECT_EQ(stock.count(), inside + 1);
    for (const int column : {5, 2}) {
        stock.setSortColumn(column);
        const qsizetype at = stock.positionOfRecord(outsider);
        ASSERT_GE(at, 0);
        EXPECT_EQ(stock.recordId(at), outsider) << column;
    }
}

// A lot shows its item's name, looked up as the page is read: when that lookup
// fails the page fails, rather than showing lots without names.
TEST_F(PagedLists, APageWhoseNamesCannotBeLookedUpIsAFailureNotEmptyNames)
{
    ASSERT_TRUE(lists.ReloadList(Kind::Stock, QString()));
    RecordList& stock = lists.list(Kind::Stock);
    ASSERT_FALSE(stock.cellText(0, 2).isEmpty());
    exec(u"ALTER TABLE \"Items\" RENAME TO \"ItemsAway\""_s);
    stock.Reload();
    EXPECT_EQ(stock.cellText(0, 2), QString());
    EXPECT_FALSE(stock.readError().isEmpty());
    exec(u"ALTER TABLE \"ItemsAway\" RENAME TO \"Items\""_s);
    ASSERT_TRUE(lists.ReloadList(Kind::Stock, QString()));
    EXPECT_FALSE(stock.cellText(0, 2).isEmpty());
}

TEST_F(PagedLists, FindInListWrapsOverPagesFromTheSelectionDown)
{
    ASSERT_TRUE(lists.ReloadList(Kind::Vendors, QString()));
    RecordList& vendors = lists.list(Kind::Vendors);
    vendors.setSortColumn(1);
    ScriptedPrompter prompter;
    FindInListModel find(vendors, prompter);
    find.selectField(1);
    find.setText(u"\xC9" "CLAIR"_s);
    // "Éclair" and "éclair" match; plain "eclair" does not.
    const int a = find.findNext(-1);
    ASSERT_GE(a, 0);
    const int second = find.findNext(a);
    ASSERT_GT(second, a);
    EXPECT_EQ(find.findNext(second), a) << "the search goes on from the top";
    EXPECT_EQ(vendors.cellText(second, 1).toUpper(), u"\xC9" "CLAIR"_s);
    find.setText(u"no such vendor"_s);
    EXPECT_EQ(find.findNext(0), -1);
    EXPECT_EQ(prompter.texts().constLast(), StatusMessage(Status::NoMatchingEntry));
}

} // namespace
