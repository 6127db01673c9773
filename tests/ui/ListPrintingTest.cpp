#include "print/ListPrinting.h"
#include "views/RecordListView.h"

#include "common/UserSettings.h"
#include "db/ProjectDatabase.h"
#include "project/ProjectTables.h"
#include "views/RecordLists.h"

#include "QtPrinters.h"

#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2024, 3, 7);

// A project of items, the user's settings in a temporary folder, and the
// items list shown over it.
class ListPrinting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateDatabase(dbPath), 1);
        ASSERT_TRUE(db.open(dbPath));
        tables = std::make_unique<ProjectTables>(db, CStockSet::kFifo);
        ASSERT_EQ(tables->OpenAll(), 1);
        settings = std::make_unique<UserSettings>(dir.filePath(u"user.ini"_s));
    }

    void addItems(int count)
    {
        ASSERT_TRUE(db.beginTransaction());
        for (int i = 1; i <= count; ++i) {
            CItemsRec item;
            item.Name = u"Item %1"_s.arg(i, 4, 10, QLatin1Char('0'));
            item.Number = u"N-%1"_s.arg(i);
            item.Cost = Money::fromWhole((i * 37) % 500);
            ASSERT_TRUE(tables->items().RecordAdd(item));
        }
        ASSERT_TRUE(db.commitTransaction());
    }

    RecordListView& show()
    {
        lists = std::make_unique<RecordLists>(*settings);
        lists->setTables(tables.get());
        EXPECT_TRUE(lists->ReloadList(ListingKind::Items, QString()));
        view = std::make_unique<RecordListView>(*lists, ListingKind::Items);
        view->resize(900, 300);
        return *view;
    }

    // The pages of a PDF file; -1 when it is no PDF.
    static int pdfPages(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        if (!bytes.startsWith("%PDF"))
            return -1;
        return int(QString::fromLatin1(bytes).count(QRegularExpression(u"/Type\\s*/Page[^s]"_s)));
    }

    QTemporaryDir dir;
    QString dbPath = dir.filePath(u"list.qmp"_s);
    ProjectDatabase db;
    std::unique_ptr<ProjectTables> tables;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<RecordLists> lists;
    std::unique_ptr<RecordListView> view;
};

TEST_F(ListPrinting, PrintsTheShownColumnsInDisplayOrderWithTheirScreenWidthsAndTheRowsInListOrder)
{
    addItems(3);
    // Cost moved to the front and made wide, Item Number hidden, the name centred.
    const QString section = u"Items"_s;
    settings->setValue(section, u"Column4Index"_s, 0);
    settings->setValue(section, u"Column0Index"_s, 4);
    settings->setValue(section, u"Column4Width"_s, 300);
    settings->setValue(section, u"Column2Index"_s, 999);
    settings->setValue(section, u"Column1Format"_s, 2);
    RecordListView& list = show();
    // A column the user drags narrower prints narrower.
    list.horizontalHeader()->resizeSection(1, 50);
    list.sortByColumn(4);

    const ListReportContent content = listReportContent(list);
    QStringList titles;
    QList<int> widths;
    for (const ListReportColumn& column : content.columns) {
        titles.append(column.title);
        widths.append(column.width);
    }
    EXPECT_EQ(titles, (QStringList{u"Cost"_s, u"Item Name"_s, u"Primary Vendor"_s, u"Item ID"_s, u"Stocked"_s,
                                   u"Ordered"_s, u"Selling Price"_s}));
    EXPECT_EQ(widths, (QList<int>{300, 50, 100, 100, 100, 100, 100}));
    EXPECT_EQ(content.columns[0].justification, ColumnJustification::Right);
    EXPECT_EQ(content.columns[1].justification, ColumnJustification::Center);
    EXPECT_EQ(content.columns[3].justification, ColumnJustification::Left);

    // Rows as the list holds them, sorted by cost: $37, $74, $111.
    ASSERT_EQ(content.rows.size(), 3);
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(content.rows[row].size(), 7);
        EXPECT_EQ(content.rows[row][0], list.list().cellText(row, 4));
        EXPECT_EQ(content.rows[row][3], list.list().cellText(row, 0));
    }
    EXPECT_EQ((QStringList{content.rows[0][1], content.rows[1][1], content.rows[2][1]}),
              (QStringList{u"Item 0001"_s, u"Item 0002"_s, u"Item 0003"_s}));
    EXPECT_EQ(content.rows[0][0], u"$37.00"_s);
}

TEST_F(ListPrinting, ALongListMakesAValidPdfOfSeveralPagesWithinTheUsersMargins)
{
    addItems(1000);
    RecordListView& list = show();
    // An unreadable margin is an inch.
    settings->setValue(u"Margins"_s, u"Top"_s, u"one"_s);
    const QString path = dir.filePath(u"items.pdf"_s);
    QString error;
    ASSERT_TRUE(writeListPdf(list, *settings, path, kToday, &error)) << error.toStdString();
    const int pages = pdfPages(path);
    EXPECT_GT(pages, 1);

    // Deeper margins leave less of each sheet for the rows.
    settings->setValue(u"Margins"_s, u"Bottom"_s, u"5.5"_s);
    ASSERT_TRUE(writeListPdf(list, *settings, path, kToday, &error)) << error.toStdString();
    EXPECT_GT(pdfPages(path), pages * 3 / 2);

    // A file that cannot be written is reported and leaves nothing behind.
    const QString nowhere = dir.filePath(u"missing/items.pdf"_s);
    error.clear();
    EXPECT_FALSE(writeListPdf(list, *settings, nowhere, kToday, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
