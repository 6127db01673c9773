#include "core/db/Dialect.h"

#include "QtPrinters.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* input;
    const char* expected;
};

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(Dialect, TranslatesTheApplicationDialect)
{
    const Case cases[] = {
        {"SELECT * FROM [Order] WHERE [BackOrderID] = 5", "SELECT * FROM \"Order\" WHERE \"BackOrderID\" = 5"},
        {"SELECT [a\"b] FROM t", "SELECT \"a\"\"b\" FROM t"},
        // Dates become day numbers; the time of day is the fraction.
        {"WHERE d = #5/15/1997#", "WHERE d = 35565"},
        {"WHERE d = #5/15/1997 10:30 PM#", "WHERE d = 35565.9375"},
        {"WHERE d = #5/15/1997 12:00 am#", "WHERE d = 35565"},
        {"WHERE d = #05-15-97#", "WHERE d = 35565"},
        {"WHERE d -#12/29/1899 6:00#", "WHERE d -(-1.25)"},
        {"WHERE d=#5/15/1997#AND x", "WHERE d=35565 AND x"},
        // Whole-word TRUE/FALSE in any case; names that only look like them stay.
        {"WHERE a = true AND b = False AND TrueCount = 1 AND t.True = 1 AND [FALSE] = 0",
         "WHERE a = 1 AND b = 0 AND TrueCount = 1 AND t.True = 1 AND \"FALSE\" = 0"},
        // Nothing inside text is touched; double-quoted text becomes single-quoted.
        {"SELECT 'a #1/1/2000# [x] TRUE TOP 5 ; O''Brien' AS t", "SELECT 'a #1/1/2000# [x] TRUE TOP 5 ; O''Brien' AS t"},
        {"WHERE Name = \"O'Brien said \"\"hi\"\"\"", "WHERE Name = 'O''Brien said \"hi\"'"},
        // A final ';' and whatever follows it go; line breaks inside stay.
        {"SELECT a\r\nFROM t\r\nWHERE b <> 1 AND c != 2;\r\n  ", "SELECT a\r\nFROM t\r\nWHERE b <> 1 AND c != 2"},
        // TOP becomes a LIMIT after the ORDER BY of its own statement.
        {"SELECT TOP 10 * FROM t ORDER BY a;", "SELECT * FROM t ORDER BY a LIMIT 10"},
        {"SELECT * FROM t WHERE id IN (SELECT TOP 1 id FROM t ORDER BY id DESC) ORDER BY id",
         "SELECT * FROM t WHERE id IN (SELECT id FROM t ORDER BY id DESC LIMIT 1) ORDER BY id"},
        {"SELECT TOP 10 PERCENT * FROM [Items] WHERE x = 1 ORDER BY a",
         "SELECT * FROM \"Items\" WHERE x = 1 ORDER BY a "
         "LIMIT (SELECT (COUNT(*) * 10 + 99) / 100 FROM (SELECT * FROM \"Items\" WHERE x = 1))"},
        {"SELECT Top FROM t", "SELECT Top FROM t"},
    };
    for (const Case& c : cases) {
        const TranslatedSql out = TranslateQuery(q(c.input));
        EXPECT_TRUE(out.ok) << c.input << " -> " << out.error.toStdString();
        EXPECT_EQ(out.sql, q(c.expected)) << c.input;
    }
}

TEST(Dialect, RejectsWhatCannotBeTranslated)
{
    for (const char* bad : {"WHERE d = #2/30/1997#", "WHERE d = #13/1/1997#", "WHERE d = #5/15/1997 25:00#",
                            "WHERE d = #5/15/1997 0:30 PM#", "WHERE d = #1997-05-15#", "WHERE d = #5/15/1997",
                            "WHERE n = 'abc", "SELECT [abc FROM t", "SELECT 1; DROP TABLE t",
                            "SELECT TOP 1.5 * FROM t", "SELECT TOP 1 a FROM t UNION SELECT b FROM u"}) {
        const TranslatedSql out = TranslateQuery(q(bad));
        EXPECT_FALSE(out.ok) << bad << " -> " << out.sql.toStdString();
        EXPECT_FALSE(out.error.isEmpty()) << bad;
    }

    // Each TOP PERCENT repeats its statement in its LIMIT, so nesting doubles
    // the text a level: forty levels would be terabytes. Twelve still fit.
    const auto nested = [](int depth) {
        QString sql = q("SELECT 1");
        for (int i = 0; i < depth; ++i)
            sql = q("SELECT TOP 5 PERCENT * FROM (%1)").arg(sql);
        return TranslateQuery(sql);
    };
    EXPECT_TRUE(nested(12).ok);
    const TranslatedSql deep = nested(40);
    EXPECT_FALSE(deep.ok);
    EXPECT_EQ(deep.error, q("The query is too long once its TOP PERCENT clauses are written out."));
}

TEST(Dialect, NormalisesStoredQueries)
{
    EXPECT_EQ(NormalizeStoredQuery(q("SELECT TOP 10 PERCENT * FROM [Items] WHERE Name = 'Bolt' ORDER BY Name ASC")),
              q("SELECT TOP 10 PERCENT *\r\nFROM [Items]\r\nWHERE Name = 'Bolt'\r\nORDER BY Name ASC;\r\n"));
    // Whitespace collapses outside literals only; keywords inside parentheses,
    // names and text do not start clauses.
    EXPECT_EQ(NormalizeStoredQuery(q("  select a,\r\n  (SELECT MAX(b) FROM u)  FROM [Group  By] where n = 'x  FROM  y'"
                                     "\r\ngroup\r\n by a having COUNT(*) > 1 ;\r\n")),
              q("select a, (SELECT MAX(b) FROM u)\r\nFROM [Group  By]\r\nwhere n = 'x  FROM  y'\r\n"
                "group by a\r\nhaving COUNT(*) > 1;\r\n"));
    EXPECT_EQ(NormalizeStoredQuery(q(" ; ")), QString());
}

TEST(Dialect, AppliesASortToAStoredQuery)
{
    const QString unsorted = q("SELECT *\r\nFROM [Items]\r\nWHERE Name = 'ORDER BY';\r\n");
    EXPECT_EQ(ApplySortToStoredQuery(unsorted, q("Name DESC")),
              q("SELECT *\r\nFROM [Items]\r\nWHERE Name = 'ORDER BY' ORDER BY Name DESC \n"));

    const QString sorted = q("SELECT *\r\nFROM [Items]\r\nORDER BY Name ASC;\r\n");
    EXPECT_EQ(ApplySortToStoredQuery(sorted, q("ID")), q("SELECT *\r\nFROM [Items]\r\nORDER BY ID \r\n"));
    EXPECT_EQ(ApplySortToStoredQuery(sorted, q(" ")), sorted);
}

// The translated text must actually run on SQLite and return the right rows.
class DialectOnDatabase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        {
            auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dialect-test"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(q("CREATE TABLE \"Order\" (ID INTEGER, Name TEXT, Qty INTEGER, Shipped INTEGER, "
                                     "OrderDate REAL)")));
            const char* names[] = {"Bolt", "O'Brien", "Nut", "Deal #1/1/2000# TRUE [x];", "Washer", "Screw", "Nail"};
            ASSERT_TRUE(query.prepare(q("INSERT INTO \"Order\" VALUES (?, ?, ?, ?, ?)")));
            for (int id = 1; id <= 7; ++id) {
                query.addBindValue(id);
                query.addBindValue(q(names[id - 1]));
                query.addBindValue(id % 3);        // 1 2 0 1 2 0 1
                query.addBindValue(id % 2);        // shipped: 1 3 5 7
                query.addBindValue(35563.0 + id);  // ID 2 is 15 May 1997
                ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
            }
        }
    }

    void TearDown() override { QSqlDatabase::removeDatabase(QStringLiteral("dialect-test")); }

    // The IDs the query returns, in order; nullopt when it does not run.
    std::optional<std::vector<int>> ids(const QString& dialectText)
    {
        const TranslatedSql translated = TranslateQuery(dialectText);
        EXPECT_TRUE(translated.ok) << translated.error.toStdString();
        QSqlQuery query(QSqlDatabase::database(QStringLiteral("dialect-test")));
        if (!query.exec(translated.sql))
            return std::nullopt;
        std::vector<int> result;
        while (query.next())
            result.push_back(query.value(0).toInt());
        return result;
    }
};

TEST_F(DialectOnDatabase, RunsTranslatedQueries)
{
    using Ids = std::vector<int>;
    EXPECT_EQ(ids(q("SELECT ID FROM Order")), std::nullopt);
    EXPECT_EQ(ids(q("SELECT ID FROM [Order]")), (Ids{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ids(q("SELECT [ID] FROM [Order] WHERE [OrderDate] = #5/15/1997#")), (Ids{2}));
    EXPECT_EQ(ids(q("SELECT ID FROM [Order] WHERE Shipped = TRUE AND ID <> 1")), (Ids{3, 5, 7}));

    EXPECT_EQ(ids(q("SELECT TOP 2 ID FROM [Order] ORDER BY ID DESC;\r\n")), (Ids{7, 6}));
    EXPECT_EQ(ids(q("SELECT TOP 50 PERCENT ID FROM [Order] ORDER BY ID")), (Ids{1, 2, 3, 4}));
    EXPECT_EQ(ids(q("SELECT TOP 12.5 PERCENT ID FROM [Order]")).value_or(Ids{}).size(), 1u);
    // Percentages count the rows the statement returns: 5 with a WHERE, 3 groups.
    EXPECT_EQ(ids(q("SELECT TOP 50 PERCENT ID FROM [Order] WHERE Qty > 0 ORDER BY ID")), (Ids{1, 2, 4}));
    EXPECT_EQ(ids(q("SELECT TOP 50 PERCENT Qty FROM [Order] GROUP BY Qty ORDER BY Qty")), (Ids{0, 1}));
    EXPECT_EQ(ids(q("SELECT DISTINCT TOP 100 PERCENT Qty FROM [Order]")).value_or(Ids{}).size(), 3u);

    // A stored query re-sorted by a list view still runs, in the new order.
    const QString stored = NormalizeStoredQuery(q("SELECT TOP 3 ID FROM [Order] WHERE Qty = 1"));
    EXPECT_EQ(ids(ApplySortToStoredQuery(stored, q("ID DESC"))), (Ids{7, 4, 1}));
    EXPECT_EQ(ids(ApplySortToStoredQuery(ApplySortToStoredQuery(stored, q("ID DESC")), q("ID"))), (Ids{1, 4, 7}));
    // A TOP query picks its rows in its own order (by name: Bolt 1, Deal 4, Nail 7,
    // Nut 3, ...); the list's sort orders only those.
    EXPECT_EQ(ids(ApplySortToStoredQuery(
                  NormalizeStoredQuery(q("SELECT TOP 2 ID FROM [Order] ORDER BY Name")), q("ID DESC"))),
              (Ids{4, 1}));
    EXPECT_EQ(
        ids(ApplySortToStoredQuery(
            NormalizeStoredQuery(q("SELECT TOP 50 PERCENT ID FROM [Order] ORDER BY Name ASC")), q("ID"))),
        (Ids{1, 3, 4, 7}));
}

TEST_F(DialectOnDatabase, QuotedValuesFindOnlyThemselves)
{
    using Ids = std::vector<int>;
    const QString select = q("SELECT ID FROM ") + SqlIdentifier(q("Order")) + q(" WHERE Name = ");
    EXPECT_EQ(ids(select + SqlTextLiteral(q("O'Brien"))), (Ids{2}));
    EXPECT_EQ(ids(select + SqlTextLiteral(q("Deal #1/1/2000# TRUE [x];"))), (Ids{4}));
    EXPECT_EQ(ids(select + SqlTextLiteral(q("x'; DROP TABLE [Order]; --"))), (Ids{}));
    EXPECT_EQ(ids(q("SELECT COUNT(*) FROM [Order]")), (Ids{7}));
}

TEST_F(DialectOnDatabase, AnyNameStaysOneName)
{
    // Quotes, brackets and a statement's end inside the names themselves.
    const QString table = q("Odd] \"table\"; [x");
    const QString column = q("a]b\"c");
    QSqlQuery query(QSqlDatabase::database(q("dialect-test")));
    ASSERT_TRUE(query.exec(q("CREATE TABLE ") + SqlName(table) + q(" (") + SqlName(column) + q(" INTEGER)")))
        << query.lastError().text().toStdString();
    ASSERT_TRUE(query.exec(q("INSERT INTO ") + SqlName(table) + q(" VALUES (42)")));
    ASSERT_TRUE(query.exec(q("SELECT ") + SqlName(column) + q(" FROM ") + SqlName(table)));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 42);
    EXPECT_FALSE(query.next());

    // The application dialect cannot hold a ']' inside a name, so it is dropped
    // rather than ending the name early; a quote goes through translation.
    EXPECT_EQ(SqlIdentifier(q("a]b")), q("[ab]"));
    EXPECT_EQ(ids(q("SELECT ID FROM ") + SqlIdentifier(q("Or]der")) + q(" WHERE ID = 3")),
              (std::vector<int>{3}));
    const TranslatedSql quoted = TranslateQuery(q("SELECT * FROM ") + SqlIdentifier(q("a\"b")));
    EXPECT_EQ(quoted.sql, q("SELECT * FROM ") + SqlName(q("a\"b")));
}

} // namespace
