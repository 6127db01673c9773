#include "core/common/UserSettings.h"
#include "core/records/CustomerDeletion.h"
#include "core/records/RecordDeletion.h"
#include "core/records/StockFigures.h"
#include "core/views/CustomizeColorsModel.h"
#include "core/views/CustomizeColumnsModel.h"
#include "core/views/FindInListModel.h"
#include "core/views/ListProgress.h"
#include "core/views/RecordLists.h"
#include "core/views/SortListModel.h"

#include "ProjectFixture.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;

// Counts what a progress window would have shown.
struct CountingProgress final : ListProgress
{
    void start(const QString& text, qsizetype) override { texts.append(text); }
    void step(qsizetype done) override { steps.append(done); }
    void finish() override { ++finished; }

    QStringList texts;
    QList<qsizetype> steps;
    int finished = 0;
};

class Lists : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        lists.setTables(&t());
    }

    RecordList& list(Kind kind) { return lists.list(kind); }
    void reload(Kind kind, const QString& filter = QString())
    {
        ASSERT_TRUE(lists.ReloadList(kind, filter)) << static_cast<int>(kind);
    }
    QStringList column(Kind kind, int definitionIndex) { return list(kind).columnTexts(definitionIndex); }
    // One row's texts in definition order.
    QStringList row(Kind kind, qsizetype position)
    {
        QStringList texts;
        for (int i = 0; i < ListColumnCount(kind); ++i)
            texts.append(list(kind).cellText(position, i));
        return texts;
    }
    QStringList sortedBy(Kind kind, int sortColumn, int shownColumn)
    {
        list(kind).setSortColumn(sortColumn);
        return column(kind, shownColumn);
    }
    qint32 itemWith(const QString& name, Money cost, qint32 stocked, qint32 vendor)
    {
        return b.item({name, vendor, NoID, cost, stocked});
    }

    QTemporaryDir userDir;
    QString iniPath = userDir.filePath(u"user.ini"_s);
    UserSettings settings{iniPath};
    RecordLists lists{settings};
};

// A lot that no operation writes: its origin (order and purchase order) given directly.
CStockRec lotFrom(qint32 item, qint32 origin, qint32 quantity, DateTime date, qint32 poID = 0)
{
    CStockRec lot;
    lot.ItemID = item;
    lot.OrderID = origin;
    lot.POID = poID ? poID : origin;
    lot.Quanity = quantity;
    lot.Date = date;
    return lot;
}

TEST_F(Lists, EveryKindShowsItsRecordsInItsColumns)
{
    const qint32 acme = b.vendor(u"Acme Supply"_s);
    const qint32 widget = itemWith(u"Widget"_s, Money::fromWhole(9, 5000), 9, acme);
    b.change<CItemsRec>(widget, [](CItemsRec& rec) { rec.SellingPrice = Money::fromWhole(1234, 5000); });
    const qint32 open = b.po(5000, acme, day(1997, 3, 1));
    const qint32 filled = b.po(5001, acme, day(1997, 3, 2));
    b.change<CPORec>(filled, [](CPORec& rec) {
        rec.Filled = true;
        rec.FilledDate = day(1997, 3, 20);
        rec.Notes = u"rush"_s;
    });
    // Part of the order is received; the rest stays on order.
    b.receive(b.orderLine(widget, open, 6), 4);
    // Lots from a purchase order that is gone, a return and a removed sale.
    b.add(lotFrom(widget, 777, 1, day(1997, 4, 1), 999));
    b.add(lotFrom(widget, StockCustomerReturn, 1, day(1997, 4, 1)));
    b.add(lotFrom(widget, StockOther, 1, day(1997, 4, 1)));
    ASSERT_TRUE(RecomputeItemTotals(t(), widget));
    const qint32 baker = b.customer(u"Baker & Co"_s, u"Baker"_s, u"Bea"_s);
    b.invoice(baker, 7001);
    for (int kind = 0; kind < kListingKindCount; ++kind)
        reload(static_cast<Kind>(kind));

    EXPECT_EQ(row(Kind::Items, 0), (QStringList{u"000001"_s, u"Widget"_s, u"WID-1"_s, u"Acme Supply"_s,
                                                u"$9.50"_s, u"16"_s, u"2"_s, u"$1,234.50"_s}));
    // Only a filled purchase order shows its fill date.
    EXPECT_EQ(row(Kind::PurchaseOrders, 0).mid(3), (QStringList{u"3/1/1997"_s, QString(), QString()}));
    EXPECT_EQ(row(Kind::PurchaseOrders, 1), (QStringList{u"005001"_s, u"3/2/1997"_s, u"Acme Supply"_s,
                                                         u"3/2/1997"_s, u"3/20/1997"_s, u"rush"_s}));
    EXPECT_EQ(row(Kind::Invoices, 0),
              (QStringList{u"007001"_s, u"5/15/1997"_s, u"Baker & Co"_s, u"Baker"_s, u"Bea"_s, QString()}));
    EXPECT_EQ(row(Kind::Stock, 0),
              (QStringList{u"000001"_s, u"000001"_s, u"Widget"_s, u"WID-1"_s, u"Acme Supply"_s, u"$9.50"_s,
                           u"9"_s, u"Initial"_s, u"1/2/1997"_s}));
    EXPECT_EQ(row(Kind::Stock, 1).mid(5), (QStringList{u"$2.00"_s, u"4"_s, u"5000"_s, u"3/10/1997"_s}));
    EXPECT_EQ(column(Kind::Stock, 7),
              (QStringList{u"Initial"_s, u"5000"_s, u"Purged"_s, u"Customer Return"_s, u"Other"_s}));
    // Origins that are no order number sort after the numbers, by their text.
    EXPECT_EQ(sortedBy(Kind::Stock, 7, 7),
              (QStringList{u"5000"_s, u"Customer Return"_s, u"Initial"_s, u"Other"_s, u"Purged"_s}));
}

TEST_F(Lists, EachColumnSortsByItsType)
{
    const qint32 zeta = b.vendor(u"zeta"_s);
    const qint32 alpha = b.vendor(u"Alpha"_s);
    itemWith(u"cherry"_s, Money::fromWhole(10), 10, zeta);
    itemWith(u"apple"_s, Money::fromWhole(9, 5000), 9, zeta);
    itemWith(u"Banana"_s, Money::fromWhole(9, 5000), 100, alpha);
    reload(Kind::Items);

    EXPECT_EQ(sortedBy(Kind::Items, 1, 1), (QStringList{u"apple"_s, u"Banana"_s, u"cherry"_s}));
    // Equal amounts keep the order the rows were read in.
    EXPECT_EQ(sortedBy(Kind::Items, 4, 1), (QStringList{u"apple"_s, u"Banana"_s, u"cherry"_s}));
    EXPECT_EQ(sortedBy(Kind::Items, 3, 1), (QStringList{u"Banana"_s, u"cherry"_s, u"apple"_s}));

    // Record IDs past six digits still sort as numbers.
    for (const auto& id : {u"999999"_s, u"1000000"_s})
        ASSERT_TRUE(project.db().execNative(
            u"INSERT INTO \"Vendors\" (\"ID\", \"Name\") VALUES (%1, 'x')"_s.arg(id)));
    reload(Kind::Vendors);
    EXPECT_EQ(column(Kind::Vendors, 0), (QStringList{u"000001"_s, u"000002"_s, u"999999"_s, u"1000000"_s}));

    // Dates sort by day, not text; an unfilled order's empty cell precedes even a date before 1900.
    const qint32 october = b.po(5000, alpha, day(1997, 10, 5));
    const qint32 september = b.po(5001, alpha, day(1997, 9, 1));
    b.po(5002, alpha, day(1997, 1, 1));
    b.change<CPORec>(october, [](CPORec& rec) { rec.Filled = true; });
    b.change<CPORec>(september, [](CPORec& rec) {
        rec.Filled = true;
        rec.FilledDate = day(1899, 6, 1);
    });
    reload(Kind::PurchaseOrders);
    EXPECT_EQ(sortedBy(Kind::PurchaseOrders, 1, 1),
              (QStringList{u"1/1/1997"_s, u"9/1/1997"_s, u"10/5/1997"_s}));
    EXPECT_EQ(sortedBy(Kind::PurchaseOrders, 4, 4), (QStringList{QString(), u"6/1/1899"_s, u"10/5/1997"_s}));
}

// A TOP query chooses its lots by its own ORDER BY whatever order the stock list
// reads in; the list then orders just those, equal keys in FIFO or LIFO order.
TEST_F(Lists, ATopQueryOnTheStockListPicksItsOwnRowsWhateverTheListsOrder)
{
    const qint32 item = b.item({u"Nut"_s, b.vendor(u"V"_s)});
    // Entered out of date order: the style orders by date, not by entry.
    const std::pair<DateTime, Money> bought[] = {{day(1998, 2, 15), Money::fromWhole(2, 4000)},
                                                 {day(1998, 1, 12), Money::fromWhole(10)},
                                                 {day(1998, 3, 5), Money::fromWhole(1, 1000)},
                                                 {day(1998, 2, 3), Money::fromWhole(0, 3500)}};
    for (const auto& [date, cost] : bought) {
        CStockRec lot = lotFrom(item, StockInitial, 3, date);
        lot.Cost = cost;
        b.add(lot);
    }
    ASSERT_TRUE(RecomputeItemTotals(t(), item));
    ASSERT_TRUE(project.db().CreateQueryDef(
        u"Dearest"_s, u"SELECT TOP 2 * FROM [Stock] WHERE Quanity >= 1 ORDER BY Cost DESC"_s));
    ASSERT_TRUE(project.db().CreateQueryDef(
        u"Dearest half"_s, u"SELECT TOP 50 PERCENT * FROM [Stock] WHERE Quanity >= 1 ORDER BY Cost DESC"_s));

    for (const int style : {CStockSet::kFifo, CStockSet::kLifo}) {
        t().stock().SetInventoryStyle(style);
        // Unfiltered, rows of equal keys too keep the style's order.
        reload(Kind::Stock);
        QStringList dates{u"1/12/1998"_s, u"2/3/1998"_s, u"2/15/1998"_s, u"3/5/1998"_s};
        if (style == CStockSet::kLifo)
            std::reverse(dates.begin(), dates.end());
        EXPECT_EQ(sortedBy(Kind::Stock, 2, 8), dates) << "style " << style;
        for (const QString& query : {u"Dearest"_s, u"Dearest half"_s}) {
            reload(Kind::Stock, query);
            const QStringList inStyleOrder = style == CStockSet::kFifo ? QStringList{u"$10.00"_s, u"$2.40"_s}
                                                                       : QStringList{u"$2.40"_s, u"$10.00"_s};
            EXPECT_EQ(sortedBy(Kind::Stock, 2, 5), inStyleOrder) << query.toStdString() << " style " << style;
            EXPECT_EQ(sortedBy(Kind::Stock, 5, 5), (QStringList{u"$2.40"_s, u"$10.00"_s}));
            EXPECT_EQ(sortedBy(Kind::Stock, 8, 8), (QStringList{u"1/12/1998"_s, u"2/15/1998"_s}));
        }
    }
}

TEST_F(Lists, RowsCarryTheirColourConditions)
{
    const qint32 vendor = b.vendor(u"V"_s);
    const qint32 open = b.po(5000, vendor);
    const qint32 filled = b.po(5001, vendor);
    b.change<CPORec>(filled, [](CPORec& rec) { rec.Filled = true; });
    const qint32 plain = b.customer(u"Plain"_s, QString(), QString());
    const qint32 noted = b.customer(u"Noted"_s, QString(), QString());
    b.change<CCustomersRec>(noted, [](CCustomersRec& rec) { rec.Notes = u"pays late"_s; });
    for (const Kind kind : {Kind::PurchaseOrders, Kind::Customers})
        reload(kind);

    const auto conditionOf = [&](Kind kind, qint32 id) {
        return list(kind).condition(list(kind).positionOfRecord(id));
    };
    EXPECT_EQ(std::tuple(conditionOf(Kind::PurchaseOrders, filled), conditionOf(Kind::PurchaseOrders, open),
                         conditionOf(Kind::Customers, noted), conditionOf(Kind::Customers, plain)),
              std::tuple(RowCondition::Filled, RowCondition::None, RowCondition::Notes, RowCondition::None));

    // The colour follows the record once its row is read again.
    b.change<CCustomersRec>(noted, [](CCustomersRec& rec) { rec.Notes.clear(); });
    b.change<CCustomersRec>(plain, [](CCustomersRec& rec) { rec.Notes = u"x"_s; });
    lists.RefreshRecords(Kind::Customers, {noted, plain});
    EXPECT_EQ(std::tuple(conditionOf(Kind::Customers, noted), conditionOf(Kind::Customers, plain)),
              std::tuple(RowCondition::None, RowCondition::Notes));
}

TEST(ListSettings, ColoursAndColumnsSurviveARestartAndNonsenseFallsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"user.ini"_s);
    {
        UserSettings settings(path);
        ListColors colors;
        colors.load(settings);
        EXPECT_EQ(colors.color(RowCondition::StockLow), (ListColor{255, 0, 0}));
        colors.setColor(RowCondition::Filled, ListColor{10, 20, 30});
        ASSERT_TRUE(colors.save(settings));
        // Values edited by hand beyond a channel's range are held to it.
        settings.setValue(u"Colors"_s, u"Notes_Red"_s, 400);
        settings.setValue(u"Colors"_s, u"Notes_Blue"_s, u"blue"_s);
        ListColumnLayout layout(Kind::Items);
        layout.setHidden(2, true);
        layout.setWidth(2, 333);
        layout.setWidth(1, 180);
        ASSERT_TRUE(layout.save(settings));
    }
    EXPECT_FALSE(QSettings(path, QSettings::IniFormat).contains(u"Items/Column2Width"_s));
    {
        UserSettings settings(path);
        ListColumnLayout layout(Kind::Items);
        ListColors colors;
        colors.load(settings);
        EXPECT_EQ(colors.color(RowCondition::Filled), (ListColor{10, 20, 30}));
        EXPECT_EQ(colors.color(RowCondition::Notes), (ListColor{255, 255, 0}));
        layout.load(settings);
        EXPECT_EQ(layout.visibleColumns(), (QList<int>{0, 1, 3, 4, 5, 6, 7}));
        EXPECT_EQ(std::tuple(layout.column(1).width, layout.column(2).width), std::tuple(180, 100));

        // Shown again, it is marked to return to its definition position, which it
        // takes when stored.
        layout.setHidden(2, false);
        EXPECT_EQ(layout.column(2).displayIndex, ListColumnLayout::kRestore);
        EXPECT_EQ(layout.visibleColumns(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        ASSERT_TRUE(layout.save(settings));
        EXPECT_EQ(layout.column(2).displayIndex, 2);
    }
    EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(u"Items/Column2Width"_s).toInt(), 100);

    // Stored positions order the columns; nonsense falls back to the defaults.
    UserSettings settings(path);
    settings.setValue(u"PO"_s, u"Column0Index"_s, 5);
    settings.setValue(u"PO"_s, u"Column5Index"_s, 0);
    settings.setValue(u"PO"_s, u"Column1Index"_s, 57);
    settings.setValue(u"PO"_s, u"Column2Format"_s, 9);
    settings.setValue(u"PO"_s, u"Column3Width"_s, -5);
    settings.setValue(u"PO"_s, u"Column4Width"_s, 0);
    ListColumnLayout layout(Kind::PurchaseOrders);
    layout.load(settings);
    EXPECT_EQ(layout.visibleColumns(), (QList<int>{5, 1, 2, 3, 4, 0}));
    EXPECT_EQ(std::tuple(layout.column(2).justification, layout.column(3).width, layout.column(4).width),
              std::tuple(ColumnJustification::Left, 100, 0));
}

TEST_F(Lists, CustomizeColumnsAppliesAndStoresOnlyOnOk)
{
    b.item({u"Gear"_s, b.vendor(u"V"_s)});
    reload(Kind::Items);
    CustomizeColumnsModel model(lists, prompter, Kind::Items);
    model.selectColumn(3);
    model.setColumnTitle(u"Supplier"_s);
    model.setJustificationIndex(1); // Center
    model.selectColumn(2);
    model.setDisplayColumn(false);
    EXPECT_FALSE(model.titleEnabled());
    // Another list's edits are kept while the dialog switches between lists.
    model.selectList(Kind::Vendors);
    model.selectColumn(8);
    model.setDisplayColumn(false);
    model.selectList(Kind::Items);
    EXPECT_EQ(list(Kind::Items).layout().visibleColumns().size(), 8); // nothing before OK
    ASSERT_TRUE(model.save().saved);

    EXPECT_EQ(list(Kind::Items).layout().visibleColumns(), (QList<int>{0, 1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(std::tuple(list(Kind::Items).layout().column(3).title,
                         list(Kind::Items).layout().column(3).justification),
              std::tuple(u"Supplier"_s, ColumnJustification::Center));
    EXPECT_TRUE(list(Kind::Vendors).layout().isHidden(8));

    UserSettings reread(iniPath);
    ListColumnLayout stored(Kind::Items);
    stored.load(reread);
    EXPECT_EQ(stored, list(Kind::Items).layout());
    EXPECT_EQ(reread.number(u"Vendors"_s, u"Column8Index"_s, -1), 999);
}

TEST_F(Lists, CustomizeDialogsRefuseWhenTheSettingsCannotBeWritten)
{
    // A settings file below a plain file can never be written.
    QFile blocker(userDir.filePath(u"blocker"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UserSettings unwritable(userDir.filePath(u"blocker/user.ini"_s));
    RecordLists stuck(unwritable);
    stuck.setTables(&t());

    CustomizeColumnsModel columns(stuck, prompter, Kind::Vendors);
    columns.selectColumn(1);
    columns.setDisplayColumn(false);
    const CustomizeColumnsModel::Result refused = columns.save();
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(last().text, u"The current operation was unable to be completed."_s);
    EXPECT_FALSE(stuck.list(Kind::Vendors).layout().isHidden(1));

    CustomizeColorsModel colors(stuck, prompter);
    colors.setColor(RowCondition::Notes, ListColor{1, 2, 3});
    EXPECT_FALSE(colors.save().saved);
    EXPECT_EQ(stuck.colors().color(RowCondition::Notes), (ListColor{0, 255, 0}));
    EXPECT_EQ(prompter.log().size(), 2);
}

TEST_F(Lists, SortListOffersTheShownColumns)
{
    const qint32 vendor = b.vendor(u"V"_s);
    itemWith(u"b"_s, Money::fromWhole(1), 0, vendor);
    itemWith(u"a"_s, Money::fromWhole(2), 0, vendor);
    reload(Kind::Items);
    list(Kind::Items).layout().setHidden(2, true);

    SortListModel model(list(Kind::Items));
    EXPECT_FALSE(model.fields().contains(u"Item Number"_s));
    model.selectField(1);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(column(Kind::Items, 1), (QStringList{u"a"_s, u"b"_s}));

    // Sorted by a column that is hidden now, the first field is offered.
    list(Kind::Items).setSortColumn(2);
    SortListModel again(list(Kind::Items));
    EXPECT_EQ(again.selectedField(), 0);
    again.selectField(9);
    EXPECT_FALSE(again.save().saved);
    EXPECT_EQ(list(Kind::Items).sortColumn(), 2);
}

TEST_F(Lists, FindInListKeepsItsFieldAndTextFromOneHitToTheNext)
{
    const qint32 vendor = b.vendor(u"V"_s);
    for (const QString& name : {u"bolt"_s, u"nut"_s, u"washer"_s, u"bolt cutter"_s})
        itemWith(name, Money::fromWhole(1), 0, vendor);
    reload(Kind::Items);
    // With the ID column hidden the first field offered is the name.
    list(Kind::Items).layout().setHidden(0, true);

    FindInListModel find(list(Kind::Items), prompter);
    EXPECT_EQ(std::tuple(find.caption(), find.fields().value(0), find.selectedField()),
              std::tuple(u"Find Item"_s, u"Item Name"_s, 0));
    find.setText(u"BOLT"_s);
    // Each hit goes on below the one before and wraps to the top after the last.
    QList<int> hits;
    int selected = -1;
    for (int press = 0; press < 3; ++press)
        hits.append(selected = find.findNext(selected));
    EXPECT_EQ(hits, (QList<int>{0, 3, 0}));
    EXPECT_EQ(std::tuple(find.text(), find.selectedField()), std::tuple(u"BOLT"_s, 0));
    EXPECT_TRUE(prompter.log().isEmpty());

    // No item number holds "bolt"; a field the list does not show finds nothing.
    find.selectField(1);
    EXPECT_EQ(find.findNext(0), -1);
    EXPECT_EQ(last().text, u"Unable to find a matching entry."_s);
    find.selectField(40);
    EXPECT_EQ(std::tuple(find.selectedField(), find.findNext(0)), std::tuple(-1, -1));
    find.selectField(0);
    find.setText(QString());
    EXPECT_EQ(find.findNext(0), -1);
    EXPECT_EQ(last().text, u"Invalid search string."_s);
}

TEST_F(Lists, ReloadListReadsUnderTheFilterWithAProgressBar)
{
    const qint32 vendor = b.vendor(u"V"_s);
    for (int i = 0; i < 25; ++i)
        itemWith(u"item %1"_s.arg(i), Money::fromWhole(1), 0, vendor);
    EXPECT_TRUE(lists.needsReload(Kind::Items));

    CountingProgress progress;
    ASSERT_TRUE(lists.ReloadList(Kind::Items, u"[ID] = 999999"_s, &progress));
    EXPECT_FALSE(lists.needsReload(Kind::Items));
    ASSERT_TRUE(lists.ReloadList(Kind::Items, QString(), &progress));
    EXPECT_EQ(list(Kind::Items).count(), 25);
    EXPECT_EQ(std::tuple(progress.texts, progress.steps, progress.finished),
              std::tuple(QStringList{QString()}, QList<qsizetype>{10, 20}, 1));

    // A filter the engine cannot run shows an empty list and says so.
    EXPECT_FALSE(lists.ReloadList(Kind::Items, u"[NoSuchField] = 1"_s));
    EXPECT_EQ(list(Kind::Items).count(), 0);

    // Fewer than 16 rows go without a window.
    CountingProgress quiet;
    ASSERT_TRUE(lists.ReloadList(Kind::Vendors, QString(), &quiet));
    EXPECT_TRUE(quiet.texts.isEmpty());
}

TEST_F(Lists, RefreshRecordsReplacesAddsAndRemovesRowsInSortOrder)
{
    const qint32 vendor = b.vendor(u"V"_s);
    const qint32 apple = itemWith(u"apple"_s, Money::fromWhole(1), 0, vendor);
    const qint32 melon = itemWith(u"melon"_s, Money::fromWhole(1), 0, vendor);
    const qint32 zucchini = itemWith(u"zucchini"_s, Money::fromWhole(1), 0, vendor);
    reload(Kind::Items, u"[Name] <> 'melon'"_s);
    list(Kind::Items).setSortColumn(1);

    b.change<CItemsRec>(apple, [](CItemsRec& rec) { rec.Name = u"yam"_s; });
    const qint32 banana = itemWith(u"banana"_s, Money::fromWhole(1), 0, vendor);
    b.remove<CItemsRec>(zucchini);
    lists.RefreshRecords(Kind::Items, {apple, banana, zucchini, 0, -1, melon});
    EXPECT_EQ(column(Kind::Items, 1), (QStringList{u"banana"_s, u"melon"_s, u"yam"_s}));
    // The table shows all its rows again.
    EXPECT_TRUE(t().items().filter().isEmpty());

    // Many records at once are read with a progress window that says what.
    QList<qint32> added;
    for (int i = 0; i < 21; ++i)
        added.append(itemWith(u"n%1"_s.arg(i, 2, 10, QLatin1Char('0')), Money::fromWhole(1), 0, vendor));
    CountingProgress progress;
    lists.RefreshRecords(Kind::Items, added, &progress);
    EXPECT_EQ(progress.texts, QStringList{u"Updating items..."_s});
    EXPECT_EQ(list(Kind::Items).count(), 24);
    EXPECT_EQ(column(Kind::Items, 1).mid(2, 3), (QStringList{u"n00"_s, u"n01"_s, u"n02"_s}));
}

TEST_F(Lists, PurchaseOrderRowsAreRefreshedByRecordIdNotByTheirNumber)
{
    const qint32 vendor = b.vendor(u"V"_s);
    const qint32 first = b.po(5001, vendor);
    // A purchase order whose number is the other's record ID.
    const qint32 second = b.po(first, vendor);
    reload(Kind::PurchaseOrders);
    b.remove<CPORec>(first);
    lists.RefreshAfterDelete(Kind::PurchaseOrders, {first});
    ASSERT_EQ(list(Kind::PurchaseOrders).count(), 1);
    EXPECT_EQ(list(Kind::PurchaseOrders).recordId(0), second);
    EXPECT_EQ(list(Kind::PurchaseOrders).positionOfListId(first), 0);
}

TEST_F(Lists, DeletionsRefreshTheRowsThatReferredToTheRecord)
{
    const qint32 gone = b.vendor(u"Gone Inc"_s);
    const qint32 other = b.vendor(u"Other"_s);
    const qint32 own = b.item({u"Own"_s, gone, NoID, Money::fromWhole(1), 4});
    const qint32 shared = b.item({u"Shared"_s, other, gone, Money::fromWhole(1), 2});
    const qint32 po = b.po(5000, gone);
    const qint32 leaving = b.customer(u"Leaving Ltd"_s, u"Lee"_s, u"Al"_s);
    b.invoice(leaving, 6000);
    b.invoice(b.customer(u"Staying"_s, QString(), QString()), 6001);
    for (int kind = 0; kind < kListingKindCount; ++kind)
        reload(static_cast<Kind>(kind));

    ASSERT_TRUE(DeleteVendor(t(), prompter, gone).has_value());
    lists.RefreshAfterDelete(Kind::Vendors, {gone});
    EXPECT_EQ(std::tuple(list(Kind::Items).positionOfRecord(own), list(Kind::Items).positionOfRecord(shared)),
              std::tuple(-1, 0));
    EXPECT_EQ(column(Kind::Stock, 2), QStringList{u"Shared"_s});
    // The purchase order stays, without its vendor's name.
    EXPECT_EQ(list(Kind::PurchaseOrders).recordId(0), po);
    EXPECT_EQ(column(Kind::PurchaseOrders, 2), QStringList{QString()});

    CustomerDeletion deletion(t(), prompter, leaving);
    ASSERT_TRUE(deletion.checkPrerequisites());
    deletion.setConfirmation(u"YES"_s);
    ASSERT_TRUE(deletion.save().saved);
    // Only the deleted customer is handed over; its invoices are found in the list.
    lists.RefreshAfterDelete(Kind::Customers, {leaving});
    EXPECT_EQ(column(Kind::Customers, 1), QStringList{u"Staying"_s});
    EXPECT_EQ(row(Kind::Invoices, 0).mid(2, 3), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(column(Kind::Invoices, 2).last(), u"Staying"_s);

    // A change list refreshes every kind it names.
    const std::optional<ChangeList> changes = DeleteItem(t(), prompter, shared);
    ASSERT_TRUE(changes.has_value());
    lists.RefreshChanges(*changes);
    EXPECT_EQ(list(Kind::Items).count(), 0);
    EXPECT_EQ(list(Kind::Stock).count(), 0);
}

} // namespace
