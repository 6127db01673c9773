#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "tools/generator/ProjectGenerator.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/sales/ProjectConsistency.h"

#include "QtPrinters.h"
#include "TinyScale.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

qint64 Scalar(ProjectDatabase& db, const QString& sql)
{
    QSqlQuery query(db.connection());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

// Every value of every table, in ID order.
QByteArray Digest(const QString& path)
{
    ProjectDatabase db;
    if (!db.open(path))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& table : db.tableNames()) {
        QSqlQuery query(db.connection());
        query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY \"ID\"").arg(table));
        const int columns = db.connection().record(table).count();
        while (query.next()) {
            for (int c = 0; c < columns; ++c)
                hash.addData(QByteArray(query.value(c).toString().toUtf8() + '|'));
        }
    }
    return hash.result();
}

class Generator : public ::testing::Test
{
protected:
    GeneratorResult generate(const QString& name, const GeneratorScale& scale = TinyScale(),
                             bool viaRecordLayer = false, quint32 seed = ProjectGenerator::kDefaultSeed)
    {
        ProjectGenerator generator(scale, seed);
        generator.setViaRecordLayer(viaRecordLayer);
        return generator.generate(dir.path(), name);
    }
    QString pathOf(const QString& name) const { return dir.filePath(name + QStringLiteral(".qmp")); }

    QTemporaryDir dir;
};

TEST_F(Generator, TinyProjectIsConsistent)
{
    const GeneratorResult result = generate(QStringLiteral("tiny"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.rowCounts.size(), 10);
    EXPECT_EQ(result.rowCounts.at(3), (QPair<QString, qint64>{QStringLiteral("Stock"), 80}));
    EXPECT_EQ(result.rowCounts.at(8), (QPair<QString, qint64>{QStringLiteral("SI"), 12}));
    // The settings file beside the database is a valid one.
    EXPECT_EQ(CProjectSettings(pathOf(QStringLiteral("tiny"))).status(), Status::Success);

    ProjectDatabase db;
    ASSERT_TRUE(db.open(pathOf(QStringLiteral("tiny"))));
    // Each statement counts the rows that break one rule.
    const QList<QPair<const char*, QString>> violations = {
        {"item of an unknown vendor",
         QStringLiteral("SELECT COUNT(*) FROM Items WHERE VendorID1 NOT IN (SELECT ID FROM Vendors) "
                        "OR (VendorID2 <> %1 AND VendorID2 NOT IN (SELECT ID FROM Vendors))")
             .arg(NoID)},
        {"lot of an unknown item or vendor",
         QStringLiteral("SELECT COUNT(*) FROM Stock WHERE ItemID NOT IN (SELECT ID FROM Items) "
                        "OR VendorID NOT IN (SELECT ID FROM Vendors)")},
        {"order line outside an existing purchase order, or of another vendor",
         QStringLiteral(
             "SELECT COUNT(*) FROM \"Order\" o LEFT JOIN PO p ON p.ID = o.POID "
             "WHERE p.ID IS NULL OR p.VendorID <> o.VendorID OR o.ItemID NOT IN (SELECT ID FROM Items)")},
        {"receipt that does not match its order line and lot",
         QStringLiteral("SELECT COUNT(*) FROM Received r LEFT JOIN \"Order\" o ON o.ID = r.OrderID "
                        "LEFT JOIN Stock s ON s.ID = r.StockID WHERE o.ID IS NULL OR s.ID IS NULL "
                        "OR r.POID NOT IN (SELECT ID FROM PO) OR o.POID <> r.POID OR o.ItemID <> r.ItemID "
                        "OR o.Quanity <> r.OrderQuantity OR r.ReceiveQuantity > r.OrderQuantity "
                        "OR s.OrderID <> r.OrderID OR s.POID <> r.POID OR s.ItemID <> r.ItemID "
                        "OR s.Quanity <> r.ReceiveQuantity OR s.Date <> r.ReceiveDate")},
        {"lot not from a receipt that is not initial stock",
         QStringLiteral("SELECT COUNT(*) FROM Stock WHERE ID NOT IN (SELECT StockID FROM Received) "
                        "AND (OrderID <> -1 OR POID <> -1)")},
        {"filled purchase order with a line not received in full",
         QStringLiteral("SELECT COUNT(*) FROM PO p WHERE p.Filled <> 0 AND EXISTS (SELECT 1 FROM \"Order\" o "
                        "LEFT JOIN Received r ON r.OrderID = o.ID WHERE o.POID = p.ID "
                        "AND (r.ID IS NULL OR r.ReceiveQuantity <> o.Quanity))")},
        {"sale of an unknown item or invoice",
         QStringLiteral("SELECT COUNT(*) FROM Sales WHERE ItemID NOT IN (SELECT ID FROM Items) "
                        "OR SIID NOT IN (SELECT ID FROM SI)")},
        {"invoice without a receivable, or one of another customer",
         QStringLiteral(
             "SELECT COUNT(*) FROM SI s WHERE NOT EXISTS (SELECT 1 FROM AR a WHERE a.SIID = s.ID) "
             "OR EXISTS (SELECT 1 FROM AR a WHERE a.SIID = s.ID AND a.CustomerID <> s.CustomerID)")},
        {"price not in whole cents",
         QStringLiteral(
             "SELECT COUNT(*) FROM Items WHERE ABS(ROUND(SellingPrice * 100) - SellingPrice * 100) > 1e-6 "
             "OR ABS(ROUND(Cost * 100) - Cost * 100) > 1e-6")},
    };
    for (const auto& [rule, sql] : violations)
        EXPECT_EQ(Scalar(db, sql), 0) << rule;
    // The mix the rules above must hold for: some lines unreceived, some received in part.
    EXPECT_GT(
        Scalar(db, QStringLiteral(
                       "SELECT COUNT(*) FROM \"Order\" WHERE ID NOT IN (SELECT OrderID FROM Received)")),
        0);
    EXPECT_GT(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM Items WHERE Taxable <> 0")), 0);

    // Every item's totals match its lots and lines, and every invoice's receivables
    // owe its total less what was paid before them.
    ProjectTables tables(db, CStockSet::kFifo);
    ASSERT_EQ(tables.OpenAll(), Status::Success);
    EXPECT_EQ(CheckProjectConsistency(tables).all(), QStringList());
}

TEST_F(Generator, SameSeedGivesTheSameProjectEitherWay)
{
    ASSERT_TRUE(generate(QStringLiteral("fast")).ok);
    ASSERT_TRUE(generate(QStringLiteral("records"), TinyScale(), true).ok);
    ASSERT_TRUE(generate(QStringLiteral("other"), TinyScale(), false, 99).ok);
    const QByteArray fast = Digest(pathOf(QStringLiteral("fast")));
    ASSERT_FALSE(fast.isEmpty());
    EXPECT_EQ(fast, Digest(pathOf(QStringLiteral("records"))));
    EXPECT_NE(fast, Digest(pathOf(QStringLiteral("other"))));
}

TEST_F(Generator, RefusesWhatCannotBeConsistentAndKeepsExistingProjects)
{
    GeneratorScale tooManyReceipts = TinyScale();
    tooManyReceipts.receipts = tooManyReceipts.orderLines + 1;
    GeneratorScale salesWithoutInvoices = TinyScale();
    salesWithoutInvoices.invoices = 0;
    for (const GeneratorScale& scale : {tooManyReceipts, salesWithoutInvoices}) {
        EXPECT_FALSE(generate(QStringLiteral("bad"), scale).error.isEmpty());
        EXPECT_FALSE(QFile::exists(pathOf(QStringLiteral("bad"))));
    }

    ASSERT_TRUE(generate(QStringLiteral("kept")).ok);
    const QByteArray before = Digest(pathOf(QStringLiteral("kept")));
    const GeneratorResult again = generate(QStringLiteral("kept"), TinyScale(), false, 99);
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(Digest(pathOf(QStringLiteral("kept"))), before);
    // The named scales are valid.
    for (const char* name : {"s", "M"})
        EXPECT_TRUE(GeneratorScale::byName(QString::fromLatin1(name))->problem().isEmpty()) << name;
}

} // namespace
