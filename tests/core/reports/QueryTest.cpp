#include "core/db/Dialect.h"
#include "core/reports/ManageQueriesModel.h"
#include "core/reports/QueryDefinitionModel.h"
#include "core/reports/QueryFields.h"
#include "core/reports/QuerySql.h"

#include "ProjectFixture.h"
#include "Texts.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

const QString kTitle = str("Quillmark 3.5");

QueryCriterion row(ListingKind listing, const char* field, int op, const QString& value)
{
    return QueryCriterion{QueryFieldIndex(listing, QString::fromLatin1(field)), op, value};
}

// The IDs a stored query returns.
QList<qint32> idsOf(ProjectDatabase& db, const QString& name)
{
    QList<qint32> ids;
    std::optional<QSqlQuery> query = db.prepare(db.QueryDefSql(name).value_or(QString()));
    EXPECT_TRUE(query && query->exec()) << name.toStdString();
    while (query && query->next())
        ids.append(query->value(str("ID")).toInt());
    return ids;
}

class Queries : public ProjectFixture
{
protected:
    // The message last shown, its title and icon checked on the way.
    QString told() const
    {
        EXPECT_EQ(last().title, kTitle);
        EXPECT_EQ(last().icon, Prompter::Icon::Exclamation);
        return last().text;
    }
    QStringList stored() { return project.db().QueryDefNames(); }
};

TEST(QuerySql, BuildsTheSentenceIntoQueryTextAndReadsItBack)
{
    const ListingKind items = ListingKind::Items;
    struct Case
    {
        ListingKind listing;
        QuerySentence sentence;
        QString expected;
    };
    const auto sentence = [](std::initializer_list<QueryCriterion> rows, bool top = false) {
        QuerySentence s;
        s.top = top;
        std::copy(rows.begin(), rows.end(), s.criteria.begin());
        return s;
    };
    QuerySentence records = sentence({row(items, "Cost", 2, str("$1,234.50"))}, true);
    records.count = str("25x");
    records.percent = false;
    records.orderBy = QueryFieldIndex(items, str("Stocked"));
    records.descending = true;
    // The second prefix is written whether or not row 1 was.
    QuerySentence orRows =
        sentence({row(items, "Stocked", 1, QString()), row(items, "Taxable", 0, str("TRUE")),
                  row(items, "TaxRate", 5, str("7.25"))});
    orRows.connectors = {QueryConnector::Or, QueryConnector::And};

    const ListingKind po = ListingKind::PurchaseOrders;
    const Case cases[] = {
        {items, QuerySentence{}, str("SELECT * FROM [Items] ")},
        {items, records, str("SELECT TOP 25 * FROM [Items] WHERE Cost > 1234.5 ORDER BY Stocked DESC")},
        {items, orRows, str("SELECT * FROM [Items]  OR Taxable = TRUE AND TaxRate != 7.25")},
        {po,
         sentence({row(po, "Date", 4, str("5/15/1997")), row(po, "RequiredDate", 3, str("12/1/0096")),
                   row(po, "Number", 0, str(" 17 "))}),
         str("SELECT * FROM [PO] WHERE Date >= #5/15/1997# AND RequiredDate <= #12/1/1996# AND Number = 17")},
        // Quotes inside a text value are doubled, so the value stays one literal.
        {ListingKind::Vendors, sentence({row(ListingKind::Vendors, "Name", 0, str("O'Brien's 'Best'"))}),
         str("SELECT * FROM [Vendors] WHERE Name = 'O''Brien''s ''Best'''")},
        {ListingKind::Stock, sentence({row(ListingKind::Stock, "Cost", 1, str("(2.5)"))}),
         str("SELECT * FROM [Stock] WHERE Cost < -2.5")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildQuerySql(c.listing, c.sentence), c.expected) << c.expected.toStdString();

    // Values that are not of their field's type never reach the text.
    const std::pair<QueryFieldType, const char*> refused[] = {{QueryFieldType::Long, "5 OR 1=1"},
                                                              {QueryFieldType::Boolean, "Yes"},
                                                              {QueryFieldType::Date, "5/35/1997"},
                                                              {QueryFieldType::Text, "two\nlines"}};
    for (const auto& [type, value] : refused)
        EXPECT_FALSE(NormalizeQueryValue(type, QString::fromLatin1(value))) << value;
    EXPECT_FALSE(BuildQuerySql(items, sentence({row(items, "Stocked", 0, str("Ordered"))})));

    // Stored text is read back into the sentence.
    const QuerySentence ops = ParseQuerySql(
        items, str("SELECT TOP 5 *\r\nFROM Items\r\nWHERE Stocked <= 3 OR Cost >= 2 And Ordered < 1\r\n"
                   "ORDER BY cost DESC;\r\n"));
    EXPECT_EQ(BuildQuerySql(items, ops), str("SELECT TOP 5 * FROM [Items] WHERE Stocked <= 3 OR Cost >= 2 "
                                             "AND Ordered < 1 ORDER BY Cost DESC"));

    // Reading stops at what it does not know; the rest keeps its start values.
    const QuerySentence unknown = ParseQuerySql(
        items, str("SELECT *\r\nFROM [Items]\r\nWHERE Stocked > 2 AND Colour = 'red' OR Cost < 1;\r\n"));
    EXPECT_EQ(BuildQuerySql(items, unknown), str("SELECT * FROM [Items] WHERE Stocked > 2"));
    const QuerySentence start;
    const QuerySentence notSelect = ParseQuerySql(items, str("DELETE\r\nFROM [Items];\r\n"));
    EXPECT_EQ(notSelect.top, start.top);
    EXPECT_EQ(notSelect.criteria[0].value, QString());
}

TEST_F(Queries, StoredQueriesRoundTripAndSelectWhatTheySay)
{
    ProjectDatabase& db = project.db();
    const qint32 quoted = b.vendor(str("O'Brien's Hex Bolts"));
    b.vendor(str("O"));
    const qint32 may = b.po(1, quoted, day(1997, 5, 15));
    const qint32 later = b.po(2, quoted, day(1997, 5, 16));
    const qint32 bolt = b.item({.name = str("Bolt"), .vendor1 = quoted, .cost = Money::fromWhole(10, 5700)});
    b.item({.name = str("Nut"), .vendor1 = quoted, .cost = Money::fromWhole(3)});

    QuerySentence example;
    example.top = true;
    example.criteria[0] = row(ListingKind::Items, "Name", 0, str("Bolt"));
    struct Case
    {
        const char* name;
        ListingKind listing;
        QuerySentence sentence;
        QList<qint32> selects;
    };
    QuerySentence text;
    text.criteria[0] = row(ListingKind::Vendors, "Name", 0, str("O'Brien's Hex Bolts"));
    text.criteria[1] = row(ListingKind::Vendors, "City", 5, str("x 'y' z"));
    QuerySentence dated;
    dated.top = true;
    dated.count = str("3");
    dated.percent = false;
    dated.descending = true;
    dated.orderBy = 2;
    dated.criteria[0] = row(ListingKind::PurchaseOrders, "Date", 0, str("5/15/1997"));
    dated.criteria[1] = row(ListingKind::PurchaseOrders, "Number", 0, str("2"));
    dated.connectors[0] = QueryConnector::Or;
    QuerySentence money;
    money.criteria[0] = row(ListingKind::Items, "Cost", 0, str("10.57"));
    const Case cases[] = {
        {"example", ListingKind::Items, example, {bolt}},
        {"text", ListingKind::Vendors, text, {quoted}},
        {"dated", ListingKind::PurchaseOrders, dated, {later, may}},
        {"money", ListingKind::Items, money, {bolt}},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(db.CreateQueryDef(name, *BuildQuerySql(c.listing, c.sentence))) << c.name;
        const QuerySentence back = ParseQuerySql(c.listing, *db.QueryDefSql(name));
        // What the sentence says survives the round trip, values as they were typed.
        EXPECT_EQ(BuildQuerySql(c.listing, back), BuildQuerySql(c.listing, c.sentence)) << c.name;
        for (size_t k = 0; k < 3; ++k)
            EXPECT_EQ(back.criteria[k].value, c.sentence.criteria[k].value) << c.name << k;
        EXPECT_EQ(idsOf(db, name), c.selects) << c.name;
    }
    EXPECT_EQ(
        db.QueryDefSql(str("example")),
        str("SELECT TOP 10 PERCENT *\r\nFROM [Items]\r\nWHERE Name = 'Bolt'\r\nORDER BY Name ASC;\r\n"));

    // Dates and amounts are stored in one form and come back in the user's own.
    const QLocale german(QLocale::German, QLocale::Germany);
    QuerySentence local;
    local.criteria[0] = row(ListingKind::Stock, "Date", 0, str("15.05.1997"));
    local.criteria[1] = row(ListingKind::Stock, "Cost", 2, str("1.234,50 €"));
    const std::optional<QString> localSql = BuildQuerySql(ListingKind::Stock, local, german);
    EXPECT_EQ(localSql, str("SELECT * FROM [Stock] WHERE Date = #5/15/1997# AND Cost > 1234.5"));
    const QuerySentence localBack =
        ParseQuerySql(ListingKind::Stock, NormalizeStoredQuery(*localSql), german);
    EXPECT_EQ(localBack.criteria[0].value, str("15.05.1997"));
    EXPECT_EQ(localBack.criteria[1].value, str("1234,5"));
}

TEST_F(Queries, ListingsClaimQueriesByTheirFromClause)
{
    ProjectDatabase& db = project.db();
    ASSERT_TRUE(db.CreateQueryDef(str("b stock"), str("SELECT * FROM Stock WHERE Quanity > 1")));
    ASSERT_TRUE(db.CreateQueryDef(str("a items"), str("SELECT * FROM [Items]")));
    ASSERT_TRUE(db.CreateQueryDef(str("both"),
                                  str("SELECT * FROM [SI] WHERE CustomerID IN (SELECT ID FROM Customers)")));
    EXPECT_EQ(QueriesOfListing(db, ListingKind::Stock), strs({"b stock"}));
    EXPECT_EQ(QueriesOfListing(db, ListingKind::Invoices), strs({"both"}));
    EXPECT_EQ(QueriesOfListing(db, ListingKind::Customers), strs({"both"}));
    EXPECT_FALSE(QueryBelongsToListing(str("SELECT * FROM [Items]"), ListingKind::PurchaseOrders));

    ManageQueriesModel none(t(), prompter, std::nullopt);
    EXPECT_FALSE(none.modify());
    EXPECT_EQ(told(), str("You must make a selection from the list."));

    ManageQueriesModel manage(t(), prompter, ListingKind::Invoices);
    EXPECT_EQ(manage.queries(), strs({"both"}));
    manage.setLocationIndex(3);
    EXPECT_EQ(manage.queries(), strs({"b stock"}));

    // Adding goes to the chosen location; the list shows it once refilled.
    std::unique_ptr<QueryDefinitionModel> added = manage.add();
    added->setName(str("c stock"));
    added->setCriterionField(0, QueryFieldIndex(ListingKind::Stock, str("Quanity")));
    added->setCriterionValue(0, str("0"));
    ASSERT_TRUE(added->save().saved);
    manage.refill();
    EXPECT_EQ(manage.queries(), strs({"b stock", "c stock"}));

    manage.select(1);
    std::unique_ptr<QueryDefinitionModel> modified = manage.modify();
    ASSERT_TRUE(modified && modified->checkPrerequisites());
    EXPECT_EQ(modified->name(), str("c stock"));
    EXPECT_EQ(modified->criterionValue(0), str("0"));

    manage.select(0);
    manage.remove();
    EXPECT_EQ(manage.queries(), strs({"c stock"}));
    EXPECT_FALSE(db.QueryDefExists(str("b stock")));
}

TEST_F(Queries, DefinitionStartsShowsAndChecksInOrder)
{
    QueryDefinitionModel model(t(), prompter, ListingKind::Items);
    // A real-number field keeps the hint the row showed before.
    model.setCriterionField(1, QueryFieldIndex(ListingKind::Items, str("Cost")));
    model.setCriterionField(1, QueryFieldIndex(ListingKind::Items, str("TaxRate")));
    EXPECT_EQ(model.hint(1), str("Format : $10.57"));
    model.setCriterionField(1, 0);

    ASSERT_TRUE(project.db().CreateQueryDef(str("Taken"), str("SELECT * FROM [Items]")));
    // Each refusal is told, focuses its field and stores nothing.
    const auto refused = [&](const char* message, QueryDefinitionModel::Field focus) {
        const QueryDefinitionModel::Result result = model.save();
        EXPECT_FALSE(result.saved) << message;
        EXPECT_EQ(result.focus, focus) << message;
        EXPECT_EQ(told(), QString::fromLatin1(message));
        EXPECT_EQ(stored(), strs({"Taken"}));
    };
    const char* percentRange = "Must specify a range between 0 and 100 percent as an integer.";
    refused("Must specify query name.", QueryDefinitionModel::Field::Name);
    model.setName(str("   "));
    refused("Must specify query name.", QueryDefinitionModel::Field::Name);
    model.setName(str("taken"));
    refused("A query with this name already exists. Pleasy specify a unique name.",
            QueryDefinitionModel::Field::Name);
    model.setName(str("Mine"));
    refused("Must specify query criteria.", QueryDefinitionModel::Field::Value1);
    // TOP needs no criteria, but a count in range.
    model.setShowTop(true);
    for (const char* count : {"0", "101", "ten"}) {
        model.setCount(QString::fromLatin1(count));
        refused(percentRange, QueryDefinitionModel::Field::Count);
    }
    model.setPercent(false);
    refused("Must specify more than 0 records.", QueryDefinitionModel::Field::Count);
    // A later row without the first would lose its WHERE.
    model.setCount(str("100000"));
    model.setCriterionValue(2, str("x"));
    refused("Must specify query criteria.", QueryDefinitionModel::Field::Value1);
    model.setCriterionValue(0, str("Bolt"));
    model.setCriterionField(2, QueryFieldIndex(ListingKind::Items, str("Stocked")));
    model.setCriterionValue(2, str("5 OR 1=1"));
    refused(
        "The value specified does not fit its field.  Please check the value and re-enter it if necessary.",
        QueryDefinitionModel::Field::Value3);
    model.setCriterionValue(2, str("5"));
    model.setCriterionField(1, QueryFieldIndex(ListingKind::Items, str("Cost")));
    model.setCriterionValue(1, str("cheap"));
    refused("The amount specified is not valid.  Please check the value and re-enter it if necessary.",
            QueryDefinitionModel::Field::Value2);

    model.setCriterionValue(1, str("$2.00"));
    model.setConnectorBefore(2, QueryConnector::Or);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(model.storedSql(), str("SELECT TOP 100000 *\r\nFROM [Items]\r\nWHERE Name = 'Bolt' AND "
                                     "Cost = 2 OR Stocked = 5\r\nORDER BY Name ASC;\r\n"));

    // PERCENT takes its bounds.
    QueryDefinitionModel bounds(t(), prompter, ListingKind::Stock);
    bounds.setShowTop(true);
    for (const char* count : {"1", "100"}) {
        bounds.setName(QString::fromLatin1(count));
        bounds.setCount(QString::fromLatin1(count));
        EXPECT_TRUE(bounds.save().saved) << count;
    }

    QueryDefinitionModel date(t(), prompter, ListingKind::PurchaseOrders);
    date.setName(str("Dated"));
    date.setCriterionField(0, QueryFieldIndex(ListingKind::PurchaseOrders, str("Date")));
    EXPECT_EQ(date.hint(0), str("Format : 5/15/1997"));
    date.setCriterionValue(0, str("5/45/1997"));
    EXPECT_EQ(date.save().focus, QueryDefinitionModel::Field::Value1);
    EXPECT_EQ(told(), str("The date specified cannot be recognized in its current format.  Please check "
                          "the date and re-enter it if necessary."));
    date.setCriterionValue(0, str("5/15/1997"));
    ASSERT_TRUE(date.save().saved);
    EXPECT_EQ(date.storedSql(), str("SELECT *\r\nFROM [PO]\r\nWHERE Date = #5/15/1997#;\r\n"));
}

TEST_F(Queries, ModifyReplacesTheOldQueryWholeOrNotAtAll)
{
    ProjectDatabase& db = project.db();
    ASSERT_TRUE(db.CreateQueryDef(str("Old"), str("SELECT TOP 7 *\r\nFROM [Items]\r\nWHERE "
                                                  "Stocked > 2\r\nORDER BY Cost DESC;\r\n")));
    ASSERT_TRUE(db.CreateQueryDef(str("Other"), str("SELECT * FROM [Items]")));

    QueryDefinitionModel model(t(), prompter, ListingKind::Items, str("Old"));
    ASSERT_TRUE(model.checkPrerequisites());
    EXPECT_EQ(model.count(), str("7"));
    EXPECT_TRUE(model.showTop() && model.descending() && !model.percent());

    // Its own name is no clash; changing the sentence rewrites it in place.
    model.setCount(str("8"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(stored(), strs({"Other", "Old"}));
    EXPECT_TRUE(db.QueryDefSql(str("Old"))->startsWith(str("SELECT TOP 8 *")));

    // Another query's name is refused before anything is deleted.
    QueryDefinitionModel clash(t(), prompter, ListingKind::Items, str("Old"));
    clash.setName(str("OTHER"));
    EXPECT_EQ(clash.save().focus, QueryDefinitionModel::Field::Name);
    EXPECT_EQ(told(), str("A query with this name already exists. Pleasy specify a unique name."));

    // A store that fails keeps the old query.
    clash.setName(str("Renamed"));
    ASSERT_TRUE(project.db().execNative(str("CREATE TRIGGER fail_store BEFORE INSERT ON qm_stored_queries "
                                            "BEGIN SELECT RAISE(ABORT, 'forced'); END")));
    EXPECT_FALSE(clash.save().saved);
    EXPECT_EQ(told(), str("The current operation was unable to be completed."));
    EXPECT_EQ(stored(), strs({"Other", "Old"}));
    ASSERT_TRUE(project.db().execNative(str("DROP TRIGGER fail_store")));

    // Renaming deletes the old query.
    ASSERT_TRUE(clash.save().saved);
    EXPECT_EQ(stored(), strs({"Other", "Renamed"}));
    EXPECT_TRUE(db.QueryDefSql(str("Renamed"))->startsWith(str("SELECT TOP 8 *")));

    // A query gone before its dialog opened closes the dialog.
    QueryDefinitionModel gone(t(), prompter, ListingKind::Items, str("Old"));
    EXPECT_FALSE(gone.checkPrerequisites());
    EXPECT_EQ(told(), str("Quillmark was unable to locate the record for this operation."));
    EXPECT_FALSE(gone.save().saved);
}

} // namespace
