#include "core/io/CsvExport.h"
#include "core/io/Csv.h"
#include "core/reports/QuickReports.h"
#include "core/views/TypedRecordList.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include "FailDevice.h"
#include "FaultyFileSystem.h"
#include "FileBytes.h"
#include "ProjectFixture.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Two vendors' items, with amounts to the ten-thousandth, a name that needs
// quoting and one beyond Latin, a stored query over them and their lots.
class CsvExport : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        const qint32 acme = b.vendor(u"Acme, Inc."_s, u"A-1"_s);
        const qint32 zeta = b.vendor(u"Zeta \"Z\""_s);
        b.pricedItem({u"Widget"_s, acme, NoID, Money::fromWhole(40, 9400), 3}, Money::fromWhole(59, 9900),
                     7.25f);
        b.item({u"Bolt"_s, zeta, NoID, Money::fromTenThousandths(125), 10});
        b.item({u"Über nut"_s, acme, NoID, Money::fromWhole(7), 0, 0, 0, true});
        ASSERT_TRUE(project.db().CreateQueryDef(u"Cheap"_s,
                                                u"SELECT * FROM [Items] WHERE Cost < 10 ORDER BY Name"_s));
        path = QDir(project.dir()).filePath(u"out.csv"_s);
    }
    QByteArray exported() { return FileBytes(path); }

    QString path;
    QString error;
};

TEST_F(CsvExport, ListAsShownSortedAndFiltered)
{
    TypedRecordList<CItemsRow> items;
    items.layout().setHidden(2, true);
    items.layout().setHidden(6, true);
    items.layout().setTitle(4, u"Unit cost"_s);
    items.setSortColumn(4);
    ASSERT_TRUE(items.readAll(t(), u"Cheap"_s));
    ASSERT_TRUE(ExportListCsv(items, path, &error)) << error.toStdString();
    EXPECT_EQ(exported(), "Item ID,Item Name,Primary Vendor,Unit cost,Stocked,Selling Price\r\n"
                          "2,Bolt,\"Zeta \"\"Z\"\"\",0.0125,10,0.00\r\n"
                          "3,Über nut,\"Acme, Inc.\",7.00,0,0.00\r\n");

    // The stock register: amounts, dates and a lot's origin as values.
    TypedRecordList<CStockRow> stock;
    ASSERT_TRUE(stock.readAll(t(), QString()));
    ASSERT_TRUE(ExportListCsv(stock, path, &error)) << error.toStdString();
    const QList<QByteArray> lines = exported().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              "Stock ID,Item ID,Item Name,Item Number,Vendor Name,Cost,Quantity,PO Number,Stock Date\r");
    EXPECT_EQ(lines[1], "1,1,Widget,WID-1,\"Acme, Inc.\",40.94,3,Initial,1997-01-02\r");
}

TEST_F(CsvExport, StoredQueryAndTableTypedFromTheirColumns)
{
    ASSERT_TRUE(ExportQueryCsv(project.db(), u"Cheap"_s, path, &error)) << error.toStdString();
    const QByteArray header =
        "ID,Name,Number,Description,VendorID1,VendorID2,CategoryID,Cost,SellingPrice,Stocked,"
        "Ordered,ReorderQuanity,ReorderLevel,Taxable,TaxRate\r\n";
    const QByteArray bolt = "2,Bolt,BOL-1,,2,2,-9999,0.0125,0.00,10,0,0,0,FALSE,0\r\n";
    const QByteArray nut = "3,Über nut,ÜBE-1,,1,1,-9999,7.00,0.00,0,0,0,0,TRUE,0\r\n";
    EXPECT_EQ(exported(), header + bolt + nut);

    ASSERT_TRUE(ExportTableCsv(project.db(), u"items"_s, path, &error)) << error.toStdString();
    EXPECT_EQ(exported(),
              header + "1,Widget,WID-1,,1,1,-9999,40.94,59.99,3,0,0,0,FALSE,7.25\r\n" + bolt + nut);

    EXPECT_FALSE(ExportQueryCsv(project.db(), u"Nothing"_s, path, &error));
    EXPECT_TRUE(error.contains(u"Nothing"_s));
    EXPECT_FALSE(ExportTableCsv(project.db(), u"Nowhere"_s, path, &error));
    EXPECT_TRUE(error.contains(u"Nowhere"_s));
    EXPECT_TRUE(exported().endsWith(nut)) << "a refused export left the file alone";
}

// Every table of a project that has rows in each, with text a file must
// quote and text beyond Latin, reads back from its file as the engine holds
// it: the same columns, rows and texts.
TEST_F(CsvExport, EveryTableReadsBackWithItsTexts)
{
    const QString hostile = u"Comma, \"quoted\"\r\nnext line; Ünïcode 東京 \u00a0 "_s;
    const qint32 vendor = b.vendor(hostile, hostile.left(20));
    const qint32 item = b.item({hostile, vendor, NoID, Money::fromTenThousandths(12345), 4});
    const qint32 customer = b.customer(hostile, u"Øster"_s, u" lead and trail "_s);
    const qint32 invoice = b.invoice(customer, 7);
    b.sale(item, invoice, 1, Money::fromTenThousandths(-1));
    b.payment(customer, invoice, Money::fromTenThousandths(1), Money());
    const qint32 order = b.orderLine(item, b.po(31, vendor), 5);
    ASSERT_TRUE(b.receive(order, 2));
    int tables = 0;
    for (const QString& table : project.db().tableNames()) {
        QSqlQuery rows(project.db().connection());
        ASSERT_TRUE(rows.exec(u"SELECT * FROM \"%1\" ORDER BY \"ID\""_s.arg(table))) << table.toStdString();
        QList<QVariantList> stored;
        while (rows.next()) {
            QVariantList values;
            for (int column = 0; column < rows.record().count(); ++column)
                values.append(rows.value(column));
            stored.append(values);
        }
        if (stored.isEmpty())
            continue;
        ++tables;
        ASSERT_TRUE(ExportTableCsv(project.db(), table, path, &error)) << error.toStdString();
        const auto read = ReadCsv(exported());
        ASSERT_TRUE(std::holds_alternative<QList<QStringList>>(read)) << table.toStdString();
        const QList<QStringList>& records = std::get<QList<QStringList>>(read);
        ASSERT_EQ(records.size(), stored.size() + 1) << table.toStdString();
        for (qsizetype row = 0; row < stored.size(); ++row) {
            ASSERT_EQ(records[row + 1].size(), stored[row].size()) << table.toStdString();
            for (qsizetype column = 0; column < stored[row].size(); ++column) {
                if (stored[row][column].typeId() == QMetaType::QString) {
                    EXPECT_EQ(records[row + 1][column], stored[row][column].toString())
                        << table.toStdString() << " " << records[0][column].toStdString();
                }
            }
        }
    }
    EXPECT_GE(tables, 10);
    // The amounts keep their ten-thousandths.
    ASSERT_TRUE(ExportTableCsv(project.db(), u"Sales"_s, path, &error));
    EXPECT_TRUE(exported().contains(",-0.0001,")) << exported().toStdString();
}

// A quick report's tables as a file has them: amounts as plain numbers, IDs
// without their padding, the tables one after another.
TEST_F(CsvExport, QuickReportTablesInTheFilesTexts)
{
    const qint32 customer = b.customer(u"Fjord"_s, u"Berg"_s, u"Ann"_s);
    const qint32 invoice = b.invoice(customer, 1001);
    b.sale(1, invoice, 3, Money::fromWhole(59, 9900));
    b.payment(customer, invoice, Money::fromWhole(179, 9700), Money::fromWhole(20));
    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::Invoice;
    parameters.invoiceID = invoice;
    ASSERT_TRUE(ExportQuickReportCsv(t(), parameters, path, &error)) << error.toStdString();
    EXPECT_EQ(exported(), "Description,Number,Qty,Unit Price,Total\r\n"
                          "Widget,WID-1,3,59.99,179.97\r\n"
                          "\r\n"
                          "Subtotal,Tax,Total,Paid,Balance\r\n"
                          "179.97,0.00,179.97,20.00,159.97\r\n");

    parameters.kind = QuickReportKind::CustomerBalances;
    ASSERT_TRUE(ExportQuickReportCsv(t(), parameters, path, &error)) << error.toStdString();
    EXPECT_EQ(exported(), "ID,Company,Last Name,First Name,Telephone,Balance\r\n"
                          "1,Fjord,Berg,Ann,,159.97\r\n");

    // A report that cannot be made leaves the file as it was.
    parameters.kind = QuickReportKind::Invoice;
    parameters.invoiceID = 999;
    EXPECT_FALSE(ExportQuickReportCsv(t(), parameters, path, &error));
    EXPECT_EQ(error, u"Unable to locate invoice"_s);
    EXPECT_TRUE(exported().startsWith("ID,Company"));
}

// A write that fails part-way, and a read that fails part-way, both leave the
// file that was there byte for byte.
TEST_F(CsvExport, FailureLeavesTheOldFile)
{
    ASSERT_TRUE(WriteFileBytes(path, "old,file\r\n"));
    {
        FailingFileWrites failing(20);
        EXPECT_FALSE(ExportTableCsv(project.db(), u"Items"_s, path, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(exported(), "old,file\r\n");

    // A query that stops with an error after its first rows.
    ASSERT_TRUE(project.db().CreateQueryDef(
        u"Breaks"_s, u"SELECT ID, json(CASE WHEN ID > 1 THEN '{' ELSE '1' END) FROM [Stock]"_s));
    error.clear();
    EXPECT_FALSE(ExportQueryCsv(project.db(), u"Breaks"_s, path, &error));
    EXPECT_TRUE(error.contains(u"JSON"_s)) << error.toStdString();
    EXPECT_EQ(exported(), "old,file\r\n");
}

// On a disk that stops answering in the middle of the rows.
TEST(CsvExportReads, FailedReadIsAFailure)
{
    FaultyFileSystem faulty;
    ASSERT_TRUE(faulty.isRegistered());
    QString path;
    {
        TempProject project;
        ProjectBuilder b(project);
        const qint32 vendor = b.vendor(u"V"_s);
        const qint32 item = b.item({u"Nut"_s, vendor});
        ASSERT_TRUE(project.db().execNative(
            u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
            "INSERT INTO Stock (ItemID, VendorID, Quanity, OrderID, POID) SELECT %1, %2, i, -1, -1 FROM n"_s
                .arg(item)
                .arg(vendor)));
        path = QDir(project.dir()).filePath(u"stock.csv"_s);
        ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
        TypedRecordList<CStockRow> stock;
        for (const bool asList : {true, false}) {
            // A small page cache, so that the rows are read from the disk.
            ASSERT_TRUE(project.reopen());
            ASSERT_TRUE(project.db().execNative(u"PRAGMA cache_size = 8"_s));
            ASSERT_TRUE(stock.readAll(project.tables(), QString()));
            faulty.arm(FaultyFileSystem::Kind::Read, 8, SQLITE_IOERR_READ, true);
            QString error;
            const bool exported = asList ? ExportListCsv(stock, path, &error)
                                         : ExportTableCsv(project.db(), u"Stock"_s, path, &error);
            faulty.disarm();
            EXPECT_FALSE(exported) << (asList ? "list" : "table");
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(FileBytes(path), "old\r\n");
        }
    }
}

} // namespace
