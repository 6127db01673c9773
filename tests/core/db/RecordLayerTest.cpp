#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "TempProject.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RecordLayer : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }

    qint32 addLot(qint32 item, DateTime date, qint32 quantity)
    {
        return make.add(CStockRec{.ItemID = item,
                                  .OrderID = StockInitial,
                                  .POID = StockInitial,
                                  .Quanity = quantity,
                                  .Cost = {},
                                  .Date = date});
    }
    QList<qint32> stockOrder()
    {
        QList<qint32> ids;
        for (const CStockRow& row : t().stock().RecordReadAll())
            ids.append(row.ID);
        return ids;
    }
    ProjectTables& t() { return project.tables(); }

    TempProject project;
    ProjectBuilder make{project};
};

TEST_F(RecordLayer, ValuesReadBackExactly)
{
    CItemsRec in;
    in.Name = QString(); // an empty text is stored, not refused
    in.Cost = Money::fromTenThousandths(1);
    in.SellingPrice = Money::fromTenThousandths(-123456789012345);
    in.Taxable = true;
    in.TaxRate = 7.25f;
    in.ID = 4242; // the engine's ID wins
    ASSERT_TRUE(t().items().RecordAdd(in));
    EXPECT_NE(in.ID, 4242);

    const CItemsRec out = make.read<CItemsRec>(in.ID);
    EXPECT_EQ(std::make_tuple(out.Cost, out.SellingPrice, out.TaxRate, out.Taxable),
              std::make_tuple(in.Cost, in.SellingPrice, 7.25f, true));

    CPORec po;
    po.Date = DateTime::fromDays(35565.75);
    const CPORec poOut = make.read<CPORec>(make.add(po));
    EXPECT_EQ(poOut.Date, po.Date);
    EXPECT_TRUE(poOut.RequiredDate.isNull()); // an unset date stays unset
}

TEST_F(RecordLayer, ValuesBeyondTheirFieldAreRefusedAndNothingIsWritten)
{
    CVendorsRec v;
    v.Name = QString(129, QLatin1Char('x'));
    EXPECT_FALSE(t().vendors().RecordAdd(v));
    EXPECT_TRUE(t().vendors().lastError().contains(u"Name"_s));
    EXPECT_EQ(t().vendors().RecordCount(), 0);
    // The engine refuses it too, whoever writes.
    EXPECT_FALSE(
        project.db().exec(u"INSERT INTO [Vendors] (Zip) VALUES ('%1')"_s.arg(QString(31, QLatin1Char('9')))));
    v.Name = QString(128, QLatin1Char('x'));
    EXPECT_TRUE(t().vendors().RecordAdd(v));
    // Whole numbers too keep to their width.
    EXPECT_FALSE(project.db().exec(u"INSERT INTO [SI] (PayMethod) VALUES (40000)"_s));
    EXPECT_FALSE(project.db().exec(u"INSERT INTO [Stock] (Quanity) VALUES (2147483648)"_s));
    EXPECT_TRUE(project.db().exec(u"INSERT INTO [Stock] (Quanity) VALUES (-2147483648)"_s));
}

TEST_F(RecordLayer, AddReadModifyDeleteById)
{
    CVendorsSet& vendors = t().vendors();
    EXPECT_FALSE(vendors.LocateByID(1)); // empty table
    const qint32 a = make.vendor(u"Acme"_s);
    EXPECT_TRUE(vendors.LocateByID(a)); // one row
    const qint32 b = make.vendor(u"Brill"_s);
    const qint32 c = make.vendor(u"Cobb"_s);
    ASSERT_TRUE(vendors.RecordDelete(b));
    EXPECT_FALSE(vendors.LocateByID(b)); // a gap between two rows
    EXPECT_FALSE(vendors.RecordDelete(b));

    make.change<CVendorsRec>(c, [](CVendorsRec& rec) { rec.City = u"Springfield"_s; });
    CVendorsRec rec = make.read<CVendorsRec>(c);
    EXPECT_EQ(rec.Name + rec.City, u"CobbSpringfield"_s);
    rec.ID = 999999;
    EXPECT_FALSE(vendors.RecordModify(rec));
    EXPECT_EQ(vendors.GetName(999999) + vendors.VendorNameByID(0), QString());
    EXPECT_EQ(vendors.VendorNameByID(a), u"Acme"_s);

    // IDs of deleted records are never handed out again, even the highest one.
    ASSERT_TRUE(vendors.RecordDelete(c));
    const qint32 d = make.vendor(u"Dunn"_s);
    EXPECT_GT(d, c);
    ASSERT_TRUE(project.reopen());
    EXPECT_GT(make.vendor(u"Eton"_s), d);
}

TEST_F(RecordLayer, ReadingByIdLeavesTheListCursorAlone)
{
    QList<qint32> ids;
    for (const char* name : {"a", "b", "c", "d"})
        ids.append(make.vendor(QString::fromLatin1(name)));
    CVendorsSet& vendors = t().vendors();
    vendors.SetSort(u"[Name] DESC"_s);
    vendors.Reopen();
    EXPECT_EQ(vendors.CurrentID(), ids[3]);
    ASSERT_TRUE(vendors.FindByID(ids[1]));
    CVendorsRec rec;
    ASSERT_TRUE(vendors.RecordRead(rec, ids[3]));
    ASSERT_TRUE(vendors.RecordRead(rec));
    EXPECT_EQ(rec.Name, u"b"_s);
    EXPECT_TRUE(vendors.MoveNext());
    EXPECT_EQ(vendors.CurrentID(), ids[0]);
}

// Quoting typed text and filters the engine cannot run are the dialect's and the
// lists' tests; here a filter's own life.
TEST_F(RecordLayer, FiltersConditionsOneShotAndStoredQueries)
{
    make.vendor(u"O'Brien"_s);
    make.vendor(u"Obrien Ltd"_s);
    CVendorsSet& vendors = t().vendors();
    vendors.SetFilter(u"Name = 'o''brien'"_s); // text compares without regard to case
    EXPECT_EQ(vendors.Reopen(), 0);            // a condition, not a stored query
    EXPECT_EQ(vendors.RecordCount(), 1);

    // A one-shot filter holds until the next Reopen, then clears itself.
    vendors.SetFilter(u"[Name] LIKE 'Ob%'"_s, 1);
    vendors.SetFilter(QString());
    EXPECT_EQ(vendors.filter(), u"[Name] LIKE 'Ob%'"_s);
    vendors.Reopen();
    EXPECT_EQ(vendors.RecordCount(), 1);
    EXPECT_TRUE(vendors.filter().isEmpty());
    EXPECT_EQ(vendors.Reopen(), 1);
    EXPECT_EQ(vendors.RecordCount(), 2);

    // Stored queries must run, and their names are unique without regard to case.
    ProjectDatabase& db = project.db();
    EXPECT_FALSE(db.CreateQueryDef(u"Broken"_s, u"SELECT * FROM Order"_s));
    EXPECT_FALSE(db.CreateQueryDef(u"Missing"_s, u"SELECT * FROM [Nothing]"_s));
    EXPECT_TRUE(db.CreateQueryDef(u"Orders"_s, u"SELECT * FROM [Order]"_s));
    ASSERT_TRUE(db.CreateQueryDef(u"Named"_s, u"SELECT * FROM [Vendors] WHERE Name LIKE 'Ob%'"_s));
    EXPECT_FALSE(db.CreateQueryDef(u"NAMED"_s, u"SELECT * FROM [Vendors]"_s));
    EXPECT_EQ(db.QueryDefNames(), QStringList({u"Orders"_s, u"Named"_s}));
    vendors.SetFilter(u"Named"_s);
    EXPECT_EQ(vendors.Reopen(), 1);
    EXPECT_EQ(vendors.RecordCount(), 1);

    EXPECT_TRUE(db.DeleteQueryDef(u"Orders"_s));
    EXPECT_FALSE(db.SetQueryDefSql(u"Named"_s, u"SELEKT"_s));
    EXPECT_TRUE(db.SetQueryDefSql(u"Named"_s, u"SELECT * FROM [Vendors]"_s));
    EXPECT_EQ(*db.QueryDefSql(u"Named"_s), u"SELECT *\r\nFROM [Vendors];\r\n"_s);
    EXPECT_EQ(db.QueryDefNames(), QStringList({u"Named"_s}));
}

TEST_F(RecordLayer, NextNumberFollowsTheNewestRecord)
{
    CSISet& invoices = t().invoices();
    EXPECT_EQ(invoices.NextNumber(), 5000);
    const qint32 older = make.invoice(NoID, 9500);
    make.invoice(NoID, 9000);
    EXPECT_EQ(invoices.NextNumber(), 9001);
    EXPECT_EQ(invoices.IDByNumber(9500), older);
    EXPECT_EQ(invoices.IDByNumber(1), -1);
}

TEST_F(RecordLayer, StockIsVisitedInConsumptionOrder)
{
    const qint32 item = make.item({.name = u"Bolt"_s});
    const qint32 a = addLot(item, day(2024, 3, 1), 5);
    const qint32 b = addLot(item, day(2024, 1, 1), 7);
    const qint32 c = addLot(item, day(2024, 3, 1), 9); // same day as a, entered later
    const qint32 other = addLot(make.item({.name = u"Nut"_s}), day(2023, 1, 1), 100);

    EXPECT_EQ(stockOrder(), QList<qint32>({other, b, a, c})); // FIFO: oldest first, same day by entry
    EXPECT_EQ(t().stock().SumQuantityByItem(item), 21);

    ASSERT_TRUE(project.reopen(CStockSet::kLifo));
    EXPECT_EQ(stockOrder(), QList<qint32>({c, a, b, other})); // LIFO: exactly the reverse
}

TEST_F(RecordLayer, OrderLinesSumAndBackorders)
{
    const qint32 item = make.item({.name = u"Bolt"_s});
    const qint32 line = make.add(COrderRec{.ItemID = item, .Quanity = 10});
    const qint32 back =
        make.add(COrderRec{.ItemID = item, .Quanity = 4, .BackOrder = true, .BackOrderID = line});
    EXPECT_EQ(t().orders().SumQuantityByItem(item), 14);
    qint32 found = 0;
    ASSERT_TRUE(t().orders().FindBackorderOf(line, found));
    EXPECT_EQ(found, back);
    EXPECT_FALSE(t().orders().FindBackorderOf(back, found));
}

// The lists' tests show the origins and names of every kind; here the second
// vendor, which no list shows.
TEST_F(RecordLayer, ItemRowsCarryBothVendorNames)
{
    const qint32 acme = make.vendor(u"Acme"_s);
    make.item({.name = u"Bolt"_s, .vendor1 = acme, .vendor2 = make.vendor(u"Brill"_s)});
    make.item({.name = u"Filler"_s, .vendor1 = 424242});
    const QList<CItemsRow> items = t().items().RecordReadAll();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].VendorName1 + items[0].VendorName2 + items[1].VendorName1, u"AcmeBrill"_s);
}

TEST_F(RecordLayer, WhereQueriesWorkOnTheWholeTableAndLeaveTheListAlone)
{
    const qint32 bolt = make.item({.name = u"Bolt"_s});
    const qint32 nut = make.item({.name = u"Nut"_s});
    const qint32 late = addLot(bolt, day(2024, 5, 1), 1);
    const qint32 early = addLot(bolt, day(2024, 1, 1), 2);
    const qint32 other = addLot(nut, day(2024, 2, 1), 3);

    CStockSet& stock = t().stock();
    stock.SetFilter(u"[ItemID] = %1"_s.arg(nut)); // what a list might show
    stock.Reopen();
    ASSERT_TRUE(stock.FindByID(other));

    EXPECT_EQ(stock.IDsWhere(u"[ItemID] = ?"_s, {bolt}), QList<qint32>({late, early}));
    EXPECT_EQ(stock.IDsWhere(u"[ItemID] = ?"_s, {bolt}, u"[Date]"_s), QList<qint32>({early, late}));
    const QList<CStockRec> lots = stock.RecordsWhere(u"[ItemID] = ? AND [Quanity] > ?"_s, {bolt, 1});
    ASSERT_EQ(lots.size(), 1);
    EXPECT_EQ(lots[0].ID, early);
    const QList<CStockRec> slim = stock.RecordsWhere(u"[ID] = ?"_s, {early}, QString(), {u"Quanity"_s});
    ASSERT_EQ(slim.size(), 1);
    EXPECT_EQ((QList<qint32>{slim[0].ID, slim[0].Quanity, slim[0].ItemID}), (QList<qint32>{early, 2, NoID}));
    EXPECT_EQ(stock.CountWhere(u"[Date] < #3/1/2024#"_s), 2);

    EXPECT_EQ(stock.DeleteWhere(u"[ItemID] = ?"_s, {bolt}), 2);
    EXPECT_EQ(stock.CountWhere(QString()), 1);
    EXPECT_EQ(stock.CurrentID(), other);
}

// A statement left running would hold a read lock: compaction and copies would fail.
TEST_F(RecordLayer, ReadsLeaveNoStatementRunning)
{
    const qint32 id = make.vendor(u"Acme"_s);
    CVendorsSet& vendors = t().vendors();
    CVendorsRec rec;
    EXPECT_EQ(vendors.RecordCount(), 1);
    EXPECT_EQ(vendors.CurrentID(), id);
    EXPECT_TRUE(vendors.FindByID(id));
    EXPECT_TRUE(vendors.LocateByID(id));
    EXPECT_TRUE(vendors.RecordRead(rec, id));
    EXPECT_FALSE(vendors.GetName(id).isEmpty());
    EXPECT_EQ(t().invoices().NextNumber(), 5000);
    EXPECT_EQ(t().stock().SumQuantityByItem(1), 0);
    EXPECT_TRUE(project.db().compactInto(project.dir() + u"/copy.qmp"_s))
        << project.db().lastError().toStdString();
}

TEST_F(RecordLayer, AnOperationIsAllOrNothing)
{
    qint32 kept = NoID;
    {
        Transaction outer(project.db());
        kept = make.vendor(u"kept"_s);
        {
            Transaction inner(project.db());
            make.vendor(u"undone"_s);
        } // not committed: rolled back to the savepoint
        EXPECT_TRUE(outer.commit());
    }
    {
        Transaction abandoned(project.db());
        make.vendor(u"lost in a crash"_s);
    }
    EXPECT_EQ(t().vendors().IDsWhere(QString()), QList<qint32>{kept});
    EXPECT_EQ(project.db().transactionDepth(), 0);
}

} // namespace
