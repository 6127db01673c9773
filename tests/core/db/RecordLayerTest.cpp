#include "core/db/Dialect.h"

#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "TempProject.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class RecordLayer : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }

    qint32 addLot(qint32 item, DateTime date, qint32 quantity, qint32 orderId = StockInitial,
                  qint32 poId = StockInitial)
    {
        return make.add(CStockRec{
            .ItemID = item, .OrderID = orderId, .POID = poId, .Quanity = quantity, .Cost = {}, .Date = date});
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
    EXPECT_TRUE(t().vendors().lastError().contains(QStringLiteral("Name")));
    EXPECT_EQ(t().vendors().RecordCount(), 0);
    // The engine refuses it too, whoever writes.
    EXPECT_FALSE(project.db().exec(
        QStringLiteral("INSERT INTO [Vendors] (Zip) VALUES ('%1')").arg(QString(31, QLatin1Char('9')))));
    v.Name = QString(128, QLatin1Char('x'));
    EXPECT_TRUE(t().vendors().RecordAdd(v));
    // Whole numbers too keep to their width.
    EXPECT_FALSE(project.db().exec(QStringLiteral("INSERT INTO [SI] (PayMethod) VALUES (40000)")));
    EXPECT_FALSE(project.db().exec(QStringLiteral("INSERT INTO [Stock] (Quanity) VALUES (2147483648)")));
    EXPECT_TRUE(project.db().exec(QStringLiteral("INSERT INTO [Stock] (Quanity) VALUES (-2147483648)")));
}

TEST_F(RecordLayer, AddReadModifyDeleteById)
{
    CVendorsSet& vendors = t().vendors();
    EXPECT_FALSE(vendors.LocateByID(1)); // empty table
    const qint32 a = make.vendor(QStringLiteral("Acme"));
    EXPECT_TRUE(vendors.LocateByID(a)); // one row
    const qint32 b = make.vendor(QStringLiteral("Brill"));
    const qint32 c = make.vendor(QStringLiteral("Cobb"));
    ASSERT_TRUE(vendors.RecordDelete(b));
    EXPECT_FALSE(vendors.LocateByID(b)); // a gap between two rows
    EXPECT_FALSE(vendors.RecordDelete(b));

    make.change<CVendorsRec>(c, [](CVendorsRec& rec) { rec.City = QStringLiteral("Springfield"); });
    CVendorsRec rec = make.read<CVendorsRec>(c);
    EXPECT_EQ(rec.Name + rec.City, QStringLiteral("CobbSpringfield"));
    rec.ID = 999999;
    EXPECT_FALSE(vendors.RecordModify(rec));
    EXPECT_EQ(vendors.GetName(999999) + vendors.VendorNameByID(0), QString());
    EXPECT_EQ(vendors.VendorNameByID(a), QStringLiteral("Acme"));

    // IDs of deleted records are never handed out again, even the highest one.
    ASSERT_TRUE(vendors.RecordDelete(c));
    const qint32 d = make.vendor(QStringLiteral("Dunn"));
    EXPECT_GT(d, c);
    ASSERT_TRUE(project.reopen());
    EXPECT_GT(make.vendor(QStringLiteral("Eton")), d);
}

TEST_F(RecordLayer, ReadingByIdLeavesTheListCursorAlone)
{
    QList<qint32> ids;
    for (const char* name : {"a", "b", "c", "d"})
        ids.append(make.vendor(QString::fromLatin1(name)));
    CVendorsSet& vendors = t().vendors();
    vendors.SetSort(QStringLiteral("[Name] DESC"));
    vendors.Reopen();
    EXPECT_EQ(vendors.CurrentID(), ids[3]);
    ASSERT_TRUE(vendors.FindByID(ids[1]));
    CVendorsRec rec;
    ASSERT_TRUE(vendors.RecordRead(rec, ids[3]));
    ASSERT_TRUE(vendors.RecordRead(rec));
    EXPECT_EQ(rec.Name, QStringLiteral("b"));
    EXPECT_TRUE(vendors.MoveNext());
    EXPECT_EQ(vendors.CurrentID(), ids[0]);
}

TEST_F(RecordLayer, FiltersConditionsAndOneShot)
{
    make.vendor(QStringLiteral("O'Brien"));
    make.vendor(QStringLiteral("Obrien Ltd"));
    CVendorsSet& vendors = t().vendors();

    // Typed text is quoted safely: the apostrophe finds its vendor, an injection finds nothing.
    vendors.SetFilter(QStringLiteral("[Name] = ") + SqlTextLiteral(QStringLiteral("O'Brien")));
    EXPECT_EQ(vendors.Reopen(), 0); // a condition, not a stored query
    EXPECT_EQ(vendors.RecordCount(), 1);
    vendors.SetFilter(QStringLiteral("[Name] = ") + SqlTextLiteral(QStringLiteral("x' OR '1'='1")));
    vendors.Reopen();
    EXPECT_EQ(vendors.RecordCount(), 0);
    vendors.SetFilter(QStringLiteral("Name = 'o''brien'")); // text compares without regard to case
    vendors.Reopen();
    EXPECT_EQ(vendors.RecordCount(), 1);

    // A one-shot filter holds until the next Reopen, then clears itself.
    vendors.SetFilter(QStringLiteral("[Name] LIKE 'Ob%'"), 1);
    vendors.SetFilter(QString());
    EXPECT_EQ(vendors.filter(), QStringLiteral("[Name] LIKE 'Ob%'"));
    vendors.Reopen();
    EXPECT_EQ(vendors.RecordCount(), 1);
    EXPECT_TRUE(vendors.filter().isEmpty());
    EXPECT_EQ(vendors.Reopen(), 1);
    EXPECT_EQ(vendors.RecordCount(), 2);

    // A condition the engine cannot run shows no rows instead of failing later.
    vendors.SetFilter(QStringLiteral("[NoSuchField] = 1"));
    EXPECT_EQ(vendors.Reopen(), 0);
    EXPECT_FALSE(vendors.lastError().isEmpty());
    EXPECT_TRUE(vendors.RecordReadAll().isEmpty());
}

TEST_F(RecordLayer, StoredQueriesAreCheckedNormalisedAndOpenedAsFilters)
{
    ProjectDatabase& db = project.db();
    for (const char* name : {"Bolt", "Anvil", "Clamp"})
        make.item({.name = QString::fromLatin1(name)});

    EXPECT_FALSE(db.CreateQueryDef(QStringLiteral("Broken"), QStringLiteral("SELECT * FROM Order")));
    EXPECT_FALSE(db.CreateQueryDef(QStringLiteral("Missing"), QStringLiteral("SELECT * FROM [Nothing]")));
    EXPECT_TRUE(db.CreateQueryDef(QStringLiteral("Orders"), QStringLiteral("SELECT * FROM [Order]")));

    ASSERT_TRUE(db.CreateQueryDef(
        QStringLiteral("Top two"),
        QStringLiteral("SELECT TOP 2 * FROM [Items] WHERE Name <> 'Zed' ORDER BY Name ASC")));
    EXPECT_EQ(
        *db.QueryDefSql(QStringLiteral("Top two")),
        QStringLiteral("SELECT TOP 2 *\r\nFROM [Items]\r\nWHERE Name <> 'Zed'\r\nORDER BY Name ASC;\r\n"));
    EXPECT_FALSE(db.CreateQueryDef(QStringLiteral("top TWO"), QStringLiteral("SELECT * FROM [Items]")));
    EXPECT_EQ(db.QueryDefNames(), QStringList({QStringLiteral("Orders"), QStringLiteral("Top two")}));

    CItemsSet& items = t().items();
    const auto names = [&] {
        QStringList shown;
        for (const CItemsRow& row : items.RecordReadAll())
            shown.append(row.Name);
        return shown;
    };
    items.SetFilter(QStringLiteral("Top two"));
    EXPECT_EQ(items.Reopen(), 1);
    EXPECT_EQ(names(), QStringList({QStringLiteral("Anvil"), QStringLiteral("Bolt")}));

    // The query picks its two rows in its own order; the list's sort orders only
    // those, and the stored text is not changed by it.
    items.SetSort(QStringLiteral("[Name] DESC"));
    items.Reopen();
    EXPECT_EQ(names(), QStringList({QStringLiteral("Bolt"), QStringLiteral("Anvil")}));
    EXPECT_FALSE(db.QueryDefSql(QStringLiteral("Top two"))->contains(QStringLiteral("DESC")));

    EXPECT_TRUE(db.DeleteQueryDef(QStringLiteral("Orders")));
    EXPECT_TRUE(db.SetQueryDefSql(QStringLiteral("Top two"), QStringLiteral("SELECT * FROM [Items]")));
    EXPECT_FALSE(db.SetQueryDefSql(QStringLiteral("Top two"), QStringLiteral("SELEKT")));
    EXPECT_EQ(*db.QueryDefSql(QStringLiteral("Top two")), QStringLiteral("SELECT *\r\nFROM [Items];\r\n"));
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
    const qint32 item = make.item({.name = QStringLiteral("Bolt")});
    const qint32 a = addLot(item, day(2024, 3, 1), 5);
    const qint32 b = addLot(item, day(2024, 1, 1), 7);
    const qint32 c = addLot(item, day(2024, 3, 1), 9); // same day as a, entered later
    const qint32 other = addLot(make.item({.name = QStringLiteral("Nut")}), day(2023, 1, 1), 100);

    EXPECT_EQ(stockOrder(), QList<qint32>({other, b, a, c})); // FIFO: oldest first, same day by entry
    EXPECT_EQ(t().stock().SumQuantityByItem(item), 21);

    ASSERT_TRUE(project.reopen(CStockSet::kLifo));
    EXPECT_EQ(stockOrder(), QList<qint32>({c, a, b, other})); // LIFO: exactly the reverse
}

TEST_F(RecordLayer, OrderLinesSumAndBackorders)
{
    const qint32 item = make.item({.name = QStringLiteral("Bolt")});
    const qint32 line = make.add(COrderRec{.ItemID = item, .Quanity = 10});
    const qint32 back =
        make.add(COrderRec{.ItemID = item, .Quanity = 4, .BackOrder = true, .BackOrderID = line});
    EXPECT_EQ(t().orders().SumQuantityByItem(item), 14);
    qint32 found = 0;
    ASSERT_TRUE(t().orders().FindBackorderOf(line, found));
    EXPECT_EQ(found, back);
    EXPECT_FALSE(t().orders().FindBackorderOf(back, found));
}

TEST_F(RecordLayer, ListRowsCarryTheNamesTheyReferTo)
{
    const qint32 acme = make.vendor(QStringLiteral("Acme"));
    const qint32 brill = make.vendor(QStringLiteral("Brill"));
    const qint32 bolt = make.item({.name = QStringLiteral("Bolt"), .vendor1 = acme, .vendor2 = brill});
    for (int i = 0; i < 24; ++i)
        make.item({.name = QStringLiteral("Filler"), .vendor1 = 424242});

    const qint32 po = make.po(5000, acme);
    addLot(bolt, day(2024, 1, 1), 1, 77, po);     // from a purchase order
    addLot(bolt, day(2024, 1, 2), 1, 78, po + 1); // its purchase order was purged
    addLot(bolt, day(2024, 1, 3), 1, StockCustomerReturn, StockCustomerReturn);

    QList<qsizetype> progress;
    const QList<CItemsRow> items = t().items().RecordReadAll([&](qsizetype done, qsizetype total) {
        progress.append(done);
        EXPECT_EQ(total, 25);
    });
    ASSERT_EQ(items.size(), 25);
    EXPECT_EQ(items[0].VendorName1 + items[0].VendorName2 + items[1].VendorName1,
              QStringLiteral("AcmeBrill"));
    EXPECT_EQ(progress, QList<qsizetype>({10, 20}));

    const QList<CStockRow> lots = t().stock().RecordReadAll();
    ASSERT_EQ(lots.size(), 3);
    EXPECT_EQ((QList<qint32>{lots[0].Origin, lots[1].Origin, lots[2].Origin}),
              (QList<qint32>{5000, kStockOriginPurged, StockCustomerReturn}));
    EXPECT_EQ(lots[0].ItemNumber, QStringLiteral("BOL-1"));

    CSIRow row;
    ASSERT_TRUE(t().invoices().RecordReadRow(
        row,
        make.invoice(make.customer(QStringLiteral("Initech"), QStringLiteral("Lumbergh"), QString()), 1)));
    EXPECT_EQ(row.Company + row.Last, QStringLiteral("InitechLumbergh"));
}

TEST_F(RecordLayer, WhereQueriesWorkOnTheWholeTableAndLeaveTheListAlone)
{
    const qint32 bolt = make.item({.name = QStringLiteral("Bolt")});
    const qint32 nut = make.item({.name = QStringLiteral("Nut")});
    const qint32 late = addLot(bolt, day(2024, 5, 1), 1);
    const qint32 early = addLot(bolt, day(2024, 1, 1), 2);
    const qint32 other = addLot(nut, day(2024, 2, 1), 3);

    CStockSet& stock = t().stock();
    stock.SetFilter(QStringLiteral("[ItemID] = %1").arg(nut)); // what a list might show
    stock.Reopen();
    ASSERT_TRUE(stock.FindByID(other));

    EXPECT_EQ(stock.IDsWhere(QStringLiteral("[ItemID] = ?"), {bolt}), QList<qint32>({late, early}));
    EXPECT_EQ(stock.IDsWhere(QStringLiteral("[ItemID] = ?"), {bolt}, QStringLiteral("[Date]")),
              QList<qint32>({early, late}));
    const QList<CStockRec> lots =
        stock.RecordsWhere(QStringLiteral("[ItemID] = ? AND [Quanity] > ?"), {bolt, 1});
    ASSERT_EQ(lots.size(), 1);
    EXPECT_EQ(lots[0].ID, early);
    const QList<CStockRec> slim =
        stock.RecordsWhere(QStringLiteral("[ID] = ?"), {early}, QString(), {QStringLiteral("Quanity")});
    ASSERT_EQ(slim.size(), 1);
    EXPECT_EQ((QList<qint32>{slim[0].ID, slim[0].Quanity, slim[0].ItemID}), (QList<qint32>{early, 2, NoID}));
    EXPECT_EQ(stock.CountWhere(QStringLiteral("[Date] < #3/1/2024#")), 2);

    EXPECT_EQ(stock.DeleteWhere(QStringLiteral("[ItemID] = ?"), {bolt}), 2);
    EXPECT_EQ(stock.CountWhere(QString()), 1);
    EXPECT_EQ(stock.CurrentID(), other);
}

// A statement left running would hold a read lock: compaction and copies would fail.
TEST_F(RecordLayer, ReadsLeaveNoStatementRunning)
{
    const qint32 id = make.vendor(QStringLiteral("Acme"));
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
    EXPECT_TRUE(project.db().compactInto(project.dir() + QStringLiteral("/copy.qmp")))
        << project.db().lastError().toStdString();
}

TEST_F(RecordLayer, AnOperationIsAllOrNothing)
{
    qint32 kept = NoID;
    {
        Transaction outer(project.db());
        kept = make.vendor(QStringLiteral("kept"));
        {
            Transaction inner(project.db());
            make.vendor(QStringLiteral("undone"));
        } // not committed: rolled back to the savepoint
        EXPECT_TRUE(outer.commit());
    }
    {
        Transaction abandoned(project.db());
        make.vendor(QStringLiteral("lost in a crash"));
    }
    EXPECT_EQ(t().vendors().IDsWhere(QString()), QList<qint32>{kept});
    EXPECT_EQ(project.db().transactionDepth(), 0);
}

} // namespace
