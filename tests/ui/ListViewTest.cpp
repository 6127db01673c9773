#include "views/RecordListDelegate.h"
#include "views/RecordListModel.h"
#include "views/RecordListView.h"

#include "common/Prompter.h"
#include "common/UserSettings.h"
#include "db/ProjectDatabase.h"
#include "project/ProjectTables.h"
#include "records/StockFigures.h"
#include "views/CustomizeColumnsModel.h"
#include "views/RecordLists.h"

#include "QtPrinters.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;

// Keeps what the user was told.
class RecordingPrompter final : public Prompter
{
public:
    void message(const QString& text, const QString&, Icon) override { told.append(text); }
    bool askYesNo(const QString& text, const QString&, Icon) override
    {
        told.append(text);
        return false;
    }
    QStringList told;
};

// A fresh project with the user's settings in a temporary folder, and the
// lists over it.
class ListView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateDatabase(dbPath), 1);
        ASSERT_TRUE(db.open(dbPath));
        tables = std::make_unique<ProjectTables>(db, CStockSet::kFifo);
        ASSERT_EQ(tables->OpenAll(), 1);
        restart();
    }
    void TearDown() override
    {
        if (tables) {
            EXPECT_EQ(CheckStockInvariants(*tables), QStringList());
        }
    }

    // A new application session over the same settings file.
    void restart()
    {
        view.reset();
        lists.reset();
        settings = std::make_unique<UserSettings>(dir.filePath(u"user.ini"_s));
        lists = std::make_unique<RecordLists>(*settings);
        lists->setTables(tables.get());
    }
    RecordListView& show(Kind kind)
    {
        EXPECT_TRUE(lists->ReloadList(kind, QString()));
        view = std::make_unique<RecordListView>(*lists, kind);
        view->resize(900, 300);
        view->show();
        QApplication::processEvents();
        return *view;
    }

    qint32 addItem(const QString& name, qint32 cost, qint32 stocked, qint32 reorderLevel = 0)
    {
        CItemsRec item;
        item.Name = name;
        item.Cost = Money::fromWhole(cost);
        item.ReorderLevel = reorderLevel;
        EXPECT_TRUE(tables->items().RecordAdd(item));
        if (stocked > 0) {
            CStockRec lot;
            lot.ItemID = item.ID;
            lot.OrderID = lot.POID = StockInitial;
            lot.Quanity = stocked;
            EXPECT_TRUE(tables->stock().RecordAdd(lot));
            EXPECT_TRUE(RecomputeItemTotals(*tables, item.ID));
        }
        return item.ID;
    }
    void rename(qint32 item, const QString& name)
    {
        CItemsRec rec;
        ASSERT_TRUE(tables->items().RecordRead(rec, item));
        rec.Name = name;
        ASSERT_TRUE(tables->items().RecordModify(rec));
    }
    QStringList shownColumn(int column)
    {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts.append(view->model()->index(row, column).data().toString());
        return texts;
    }
    void clickHeader(int column)
    {
        QHeaderView* header = view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(header->viewport(), &event);
        }
    }
    // The pixels of one row of the list as drawn, the header left out.
    QImage rowImage(int row)
    {
        const QImage all = view->viewport()->grab().toImage();
        return all.copy(
            view->visualRect(view->model()->index(row, 0))
                .united(view->visualRect(view->model()->index(row, view->model()->columnCount() - 1))));
    }
    // What the list puts in the status bar, as it says it.
    const QStringList& statusTexts(RecordListView& list)
    {
        QObject::connect(&list, &RecordListView::displayedRecordsChanged, &list,
                         [this](const QString& text) { m_status.append(text); });
        return m_status;
    }
    static int pixelsLike(const QImage& image, const std::function<bool(QColor)>& like)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += like(image.pixelColor(x, y)) ? 1 : 0;
        }
        return count;
    }

    QTemporaryDir dir;
    QString dbPath = dir.filePath(u"list.qmp"_s);
    ProjectDatabase db;
    std::unique_ptr<ProjectTables> tables;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<RecordLists> lists;
    std::unique_ptr<RecordListView> view;
    RecordingPrompter prompter;
    QStringList m_status;
};

TEST_F(ListView, HeaderClicksSortByTheColumnsTypeAndKeepTheSelection)
{
    addItem(u"cherry"_s, 10, 10);
    const qint32 apple = addItem(u"apple"_s, 9, 9);
    addItem(u"Banana"_s, 100, 100);
    RecordListView& list = show(Kind::Items);
    const QStringList& status = statusTexts(list);

    EXPECT_EQ(list.SelectedID(), NoSelection);
    ASSERT_TRUE(list.SelectByID(apple));
    clickHeader(4); // Cost
    EXPECT_EQ(shownColumn(4), (QStringList{u"$9.00"_s, u"$10.00"_s, u"$100.00"_s}));
    EXPECT_EQ(list.SelectedID(), apple);
    EXPECT_EQ(list.selectedRow(), 0);
    clickHeader(1); // Item Name
    EXPECT_EQ(shownColumn(1), (QStringList{u"apple"_s, u"Banana"_s, u"cherry"_s}));
    clickHeader(5); // Stocked
    EXPECT_EQ(shownColumn(5), (QStringList{u"9"_s, u"10"_s, u"100"_s}));
    EXPECT_EQ(list.list().sortColumn(), 5);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last(), u"Displayed Records: 3"_s);

    // An ID that is not listed changes nothing.
    EXPECT_FALSE(list.SelectByID(4711));
    EXPECT_EQ(list.SelectedID(), apple);
    // A click in the list reports the count as well.
    m_status.clear();
    const QRect cell = list.visualRect(list.model()->index(2, 1));
    QMouseEvent press(QEvent::MouseButtonPress, cell.center(), list.viewport()->mapToGlobal(cell.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &press);
    EXPECT_EQ(status.size(), 1);
    EXPECT_EQ(list.selectedRow(), 2);
}

TEST_F(ListView, ConditionRowsAreDrawnInTheirColourAndItsInverseWhenSelected)
{
    const qint32 low = addItem(u"Low stock item"_s, 1, 5, 5);
    addItem(u"Plenty item"_s, 1, 6, 5);
    RecordListView& list = show(Kind::Items);

    const auto red = [](QColor c) { return c.red() > 200 && c.green() < 70 && c.blue() < 70; };
    const auto cyan = [](QColor c) { return c.red() < 70 && c.green() > 200 && c.blue() > 200; };
    EXPECT_GT(pixelsLike(rowImage(0), red), 10);
    EXPECT_EQ(pixelsLike(rowImage(1), red), 0);

    ASSERT_TRUE(list.SelectByID(low));
    QApplication::processEvents();
    EXPECT_EQ(pixelsLike(rowImage(0), red), 0);
    EXPECT_GT(pixelsLike(rowImage(0), cyan), 10);

    // New colours show once the list is drawn again.
    lists->colors().setColor(RowCondition::StockLow, ListColor{0, 0, 255});
    list.clearSelection();
    list.redraw();
    const auto blue = [](QColor c) { return c.red() < 70 && c.green() < 70 && c.blue() > 200; };
    EXPECT_GT(pixelsLike(rowImage(0), blue), 10);
}

TEST_F(ListView, LongCellTextEndsInDotsWithinItsOwnColumn)
{
    const QFontMetrics metrics(QApplication::font());
    const QString text = u"A company name far too long for its column"_s;
    const QString cut = RecordListDelegate::elidedCellText(text, metrics, 80);
    EXPECT_TRUE(cut.endsWith(u"..."_s));
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    EXPECT_LE(metrics.horizontalAdvance(cut), 80 - 4);
    // One more character would not have fitted.
    EXPECT_GT(metrics.horizontalAdvance(text.left(cut.size() - 2) + u"..."_s), 80 - 4);
    EXPECT_EQ(RecordListDelegate::elidedCellText(u"Short"_s, metrics, 80), u"Short"_s);
    EXPECT_EQ(RecordListDelegate::elidedCellText(text, metrics, 3), u"..."_s);

    CCustomersRec customer;
    customer.Company = QString(60, u'W');
    ASSERT_TRUE(tables->customers().RecordAdd(customer));
    RecordListView& list = show(Kind::Customers);
    list.horizontalHeader()->resizeSection(1, 60);
    QApplication::processEvents();
    // The next column's cell is empty: nothing of the long text is drawn there.
    const QImage all = list.viewport()->grab().toImage();
    const QImage next = all.copy(list.visualRect(list.model()->index(0, 2)));
    const QColor base = list.palette().color(QPalette::Base);
    EXPECT_EQ(pixelsLike(next, [&](QColor c) { return c != base; }), 0);
    const QImage own = all.copy(list.visualRect(list.model()->index(0, 1)));
    EXPECT_GT(pixelsLike(own, [&](QColor c) { return c != base; }), 0);
}

TEST_F(ListView, FindInListWrapsToTheTopAndTellsWhenNothingMatches)
{
    for (const QString& name : {u"bolt"_s, u"nut"_s, u"washer"_s, u"bolt cutter"_s})
        addItem(name, 1, 0);
    RecordListView& list = show(Kind::Items);
    EXPECT_EQ(list.fieldNames().at(1), u"Item Name"_s);

    EXPECT_TRUE(list.findInList(1, u"BOLT"_s, prompter));
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_TRUE(list.findInList(1, u"bolt"_s, prompter));
    EXPECT_EQ(list.selectedRow(), 3);
    // From the last row the search starts again at the top.
    EXPECT_TRUE(list.findInList(1, u"bolt"_s, prompter));
    EXPECT_EQ(list.selectedRow(), 0);
    ASSERT_TRUE(list.SelectByID(3));
    EXPECT_TRUE(list.findInList(1, u"nut"_s, prompter));
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_TRUE(prompter.told.isEmpty());

    EXPECT_FALSE(list.findInList(1, u"gear"_s, prompter));
    EXPECT_EQ(prompter.told, QStringList{u"Unable to find a matching entry."_s});
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_FALSE(list.findInList(1, QString(), prompter));
    EXPECT_EQ(prompter.told.last(), u"Invalid search string."_s);
}

TEST_F(ListView, RefreshedRecordsMoveKeepTheirSelectionAndDeletedOnesGo)
{
    const qint32 apple = addItem(u"apple"_s, 1, 0);
    const qint32 melon = addItem(u"melon"_s, 1, 0);
    const qint32 zucchini = addItem(u"zucchini"_s, 1, 0);
    RecordListView& list = show(Kind::Items);
    list.sortByColumn(1);
    ASSERT_TRUE(list.SelectByID(apple));
    const QStringList& status = statusTexts(list);

    rename(apple, u"yam"_s);
    const qint32 kiwi = addItem(u"kiwi"_s, 1, 0);
    lists->RefreshRecords(Kind::Items, {apple, kiwi});
    EXPECT_EQ(shownColumn(1), (QStringList{u"kiwi"_s, u"melon"_s, u"yam"_s, u"zucchini"_s}));
    EXPECT_EQ(list.selectedRecordID(), apple);
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_EQ(status.last(), u"Displayed Records: 4"_s);

    // The selected record is deleted: its row goes and nothing is selected.
    ASSERT_TRUE(tables->items().RecordDelete(apple));
    ASSERT_TRUE(tables->items().RecordDelete(zucchini));
    lists->RefreshAfterDelete(Kind::Items, {apple, zucchini});
    EXPECT_EQ(shownColumn(1), (QStringList{u"kiwi"_s, u"melon"_s}));
    EXPECT_EQ(list.SelectedID(), NoSelection);
    EXPECT_EQ(status.last(), u"Displayed Records: 2"_s);

    ASSERT_TRUE(list.SelectByID(melon));
    list.Reload();
    EXPECT_EQ(list.SelectedID(), melon);
}

TEST_F(ListView, ThePurchaseOrderListSelectsByTheNumberItShows)
{
    CVendorsRec vendor;
    vendor.Name = u"V"_s;
    ASSERT_TRUE(tables->vendors().RecordAdd(vendor));
    for (const qint32 number : {5007, 5003}) {
        CPORec po;
        po.VendorID = vendor.ID;
        po.Number = number;
        ASSERT_TRUE(tables->purchaseOrders().RecordAdd(po));
    }
    RecordListView& list = show(Kind::PurchaseOrders);
    EXPECT_EQ(shownColumn(0), (QStringList{u"005003"_s, u"005007"_s}));
    ASSERT_TRUE(list.SelectByID(5007));
    EXPECT_EQ(list.SelectedID(), 5007);
    EXPECT_EQ(list.selectedRecordID(), 1);
    EXPECT_FALSE(list.SelectByID(1));
}

TEST_F(ListView, ColumnsKeepTheirWidthsAndHidingAcrossARestart)
{
    addItem(u"gear"_s, 1, 0);
    {
        RecordListView& list = show(Kind::Items);
        EXPECT_EQ(list.model()->columnCount(), 8);
        EXPECT_EQ(list.horizontalHeader()->sectionSize(3), 100);
        EXPECT_EQ(list.model()->headerData(4, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignRight);
        list.horizontalHeader()->resizeSection(1, 240);

        CustomizeColumnsModel customize(*lists, prompter, Kind::Items);
        customize.selectColumn(2);
        customize.setDisplayColumn(false);
        customize.selectColumn(3);
        customize.setColumnTitle(u"Supplier"_s);
        ASSERT_TRUE(customize.save().saved);
        // The list shows its new columns at once, the resized one as wide as it was.
        EXPECT_EQ(list.fieldNames(), (QStringList{u"Item ID"_s, u"Item Name"_s, u"Supplier"_s, u"Cost"_s,
                                                  u"Stocked"_s, u"Ordered"_s, u"Selling Price"_s}));
        EXPECT_EQ(list.horizontalHeader()->sectionSize(1), 240);
        list.horizontalHeader()->resizeSection(2, 150);
        ASSERT_TRUE(list.saveColumns());
    }
    restart();
    RecordListView& list = show(Kind::Items);
    EXPECT_EQ(list.model()->columnCount(), 7);
    EXPECT_EQ(list.horizontalHeader()->sectionSize(1), 240);
    EXPECT_EQ(list.horizontalHeader()->sectionSize(2), 150);
    EXPECT_EQ(list.model()->headerData(2, Qt::Horizontal).toString(), u"Supplier"_s);
    EXPECT_EQ(list.model()->index(0, 1).data().toString(), u"gear"_s);
}

} // namespace
