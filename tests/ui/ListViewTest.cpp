#include "render/print/ListReport.h"
#include "render/print/PrintJob.h"
#include "ui/common/DesktopServices.h"
#include "ui/print/ListPrinting.h"
#include "ui/print/PrintCommands.h"
#include "ui/print/PreviewDialog.h"
#include "ui/views/FindInListDialog.h"
#include "ui/views/RecordListDelegate.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/views/CustomizeColumnsModel.h"
#include "core/views/RecordLists.h"

#include "FailDevice.h"
#include "FileBytes.h"
#include "ProjectFixture.h"
#include "QtPrinters.h"
#include "ScriptedFileChooser.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Kind = ListingKind;

// A fresh project, the lists over it and the user's settings in a temporary folder.
class ListView : public ProjectFixture
{
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        lists->setTables(&t());
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
        return b.item({name, NoID, NoID, Money::fromWhole(cost), stocked, 0, reorderLevel});
    }
    QStringList shownColumn(int column)
    {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            texts.append(view->model()->index(row, column).data().toString());
        return texts;
    }
    // The pixels of one row of the list as drawn, the header left out.
    QImage rowImage(int row)
    {
        const QImage all = view->viewport()->grab().toImage();
        return all.copy(
            view->visualRect(view->model()->index(row, 0))
                .united(view->visualRect(view->model()->index(row, view->model()->columnCount() - 1))));
    }
    static int pixelsLike(const QImage& image, const std::function<bool(QColor)>& like)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += like(image.pixelColor(x, y)) ? 1 : 0;
        return count;
    }

    QTemporaryDir dir;
    UserSettings settings{dir.filePath(u"user.ini"_s)};
    std::unique_ptr<RecordLists> lists = std::make_unique<RecordLists>(settings);
    std::unique_ptr<RecordListView> view;
};

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
    EXPECT_EQ(cut, text.left(cut.size() - 3) + u"..."_s);
    EXPECT_LE(metrics.horizontalAdvance(cut), 80 - 4);
    EXPECT_EQ(RecordListDelegate::elidedCellText(text, metrics, 3), u"..."_s);

    b.customer(QString(60, u'W'), QString(), QString());
    RecordListView& list = show(Kind::Customers);
    list.horizontalHeader()->resizeSection(1, 60);
    QApplication::processEvents();
    // The next column's cell is empty: nothing of the long text is drawn there.
    const QImage all = list.viewport()->grab().toImage();
    const QColor base = list.palette().color(QPalette::Base);
    const auto drawn = [&](int column) {
        return pixelsLike(all.copy(list.visualRect(list.model()->index(0, column))),
                          [&](QColor c) { return c != base; });
    };
    EXPECT_EQ(drawn(2), 0);
    EXPECT_GT(drawn(1), 0);
}

TEST_F(ListView, FindInListDialogFindsEachNextHitWithTheSameTextAndFieldUntilOk)
{
    for (const QString& name : {u"bolt"_s, u"nut"_s, u"washer"_s, u"bolt cutter"_s})
        addItem(name, 1, 0);
    RecordListView& list = show(Kind::Items);
    FindInListDialog dialog(list, prompter);
    auto* text = dialog.findChild<QLineEdit*>(u"findWhatEdit"_s);
    auto* field = dialog.findChild<QComboBox*>(u"inFieldCombo"_s);
    auto* next = dialog.findChild<QPushButton*>(u"findNextButton"_s);
    auto* ok = dialog.findChild<QPushButton*>(u"okButton"_s);
    ASSERT_TRUE(text && field && next && ok);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == text || label->buddy() == field)
            labels.append(label->text());
    }
    EXPECT_EQ(labels, (QStringList{u"Find What:"_s, u"In Field:"_s}));
    EXPECT_EQ(std::tuple(dialog.windowTitle(), next->text(), field->itemText(1)),
              std::tuple(u"Find Item"_s, u"Find &Next"_s, u"Item Name"_s));

    dialog.show();
    field->setCurrentIndex(1);
    text->setText(u"BOLT"_s);
    // Find Next keeps the dialog open on the same text and field, going on below the last hit.
    next->click();
    next->click();
    EXPECT_EQ(std::tuple(list.selectedRow(), dialog.isVisible(), text->text(), field->currentIndex()),
              std::tuple(3, true, u"BOLT"_s, 1));
    EXPECT_TRUE(prompter.log().isEmpty());

    text->setText(u"gear"_s);
    next->click();
    EXPECT_EQ(prompter.texts(), QStringList{u"Unable to find a matching entry."_s});
    EXPECT_EQ(std::tuple(list.selectedRow(), dialog.isVisible()), std::tuple(3, true));

    // OK selects the hit and closes the dialog.
    text->setText(u"nut"_s);
    ok->click();
    EXPECT_EQ(std::tuple(list.selectedRow(), dialog.isVisible(), dialog.result()),
              std::tuple(1, false, int(QDialog::Accepted)));
}

TEST_F(ListView, RefreshedRecordsMoveKeepTheirSelectionAndDeletedOnesGo)
{
    const qint32 apple = addItem(u"apple"_s, 1, 0);
    const qint32 melon = addItem(u"melon"_s, 1, 0);
    const qint32 zucchini = addItem(u"zucchini"_s, 1, 0);
    RecordListView& list = show(Kind::Items);
    // Every change below must also keep the item model's contract with its views.
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.sortByColumn(1);
    ASSERT_TRUE(list.SelectByID(apple));
    QString status;
    QObject::connect(&list, &RecordListView::displayedRecordsChanged, &list,
                     [&](const QString& text) { status = text; });

    b.change<CItemsRec>(apple, [](CItemsRec& rec) { rec.Name = u"yam"_s; });
    const qint32 kiwi = addItem(u"kiwi"_s, 1, 0);
    lists->RefreshRecords(Kind::Items, {apple, kiwi});
    EXPECT_EQ(shownColumn(1), (QStringList{u"kiwi"_s, u"melon"_s, u"yam"_s, u"zucchini"_s}));
    EXPECT_EQ(std::tuple(list.selectedRecordID(), list.selectedRow()), std::tuple(apple, 2));

    // The selected record is deleted: its row goes and nothing is selected.
    b.remove<CItemsRec>(apple);
    b.remove<CItemsRec>(zucchini);
    lists->RefreshAfterDelete(Kind::Items, {apple, zucchini});
    EXPECT_EQ(shownColumn(1), (QStringList{u"kiwi"_s, u"melon"_s}));
    EXPECT_EQ(list.SelectedID(), NoSelection);
    EXPECT_EQ(status, u"Displayed Records: 2"_s);

    ASSERT_TRUE(list.SelectByID(melon));
    list.Reload();
    EXPECT_EQ(list.SelectedID(), melon);
    list.sortByColumn(4);
    EXPECT_TRUE(lists->ReloadList(Kind::Items, QString()));
    EXPECT_EQ(list.model()->rowCount(), 2);
}

TEST_F(ListView, AListOfManyPagesScrollsSortsAndRefreshesAndTellsOfAPageItCannotRead)
{
    // 1000 items, named in the reverse of their IDs' order, costs in cycles.
    ASSERT_TRUE(project.db().execNative(
        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO \"Items\" (\"Name\", \"Cost\") SELECT printf('item %04d', 1000 - i), (i % 7) + 0.25 FROM n"_s));
    RecordListView& list = show(Kind::Items);
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const RecordList& items = list.list();
    ASSERT_EQ(list.model()->rowCount(), 1000);

    list.scrollToBottom();
    QApplication::processEvents();
    const int bottom = list.indexAt(QPoint(1, list.viewport()->height() - 2)).row();
    EXPECT_EQ(bottom, 999);
    EXPECT_EQ(list.model()->index(bottom, 1).data().toString(), u"item 0000"_s);

    // Sorted by name the last ID comes first; by cost, equal costs keep ID order.
    list.sortByColumn(1);
    EXPECT_EQ(items.cellText(0, 1), u"item 0000"_s);
    list.sortByColumn(4);
    const qint32 far = items.recordId(700);
    ASSERT_TRUE(list.SelectByID(far));
    EXPECT_EQ(list.selectedRow(), 700);
    b.change<CItemsRec>(far, [](CItemsRec& rec) { rec.Cost = Money::fromWhole(0); });
    lists->RefreshRecords(Kind::Items, {far});
    EXPECT_EQ(std::tuple(list.selectedRecordID(), list.selectedRow()), std::tuple(far, 0));

    // A page that cannot be read shows empty, and the list says so once the
    // painting is over; the rows read before stay as they were drawn.
    QSignalSpy unreadable(&list, &RecordListView::rowsUnreadable);
    list.Reload();
    ASSERT_TRUE(project.db().execNative(u"ALTER TABLE \"Items\" RENAME TO \"ItemsGone\""_s));
    list.scrollTo(list.model()->index(500, 0));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(unreadable.count(), 1);
    EXPECT_EQ(list.displayedRecordsText(), UnreadableListText());
    EXPECT_EQ(items.cellText(500, 1), QString());
    ASSERT_TRUE(project.db().execNative(u"ALTER TABLE \"ItemsGone\" RENAME TO \"Items\""_s));
    EXPECT_TRUE(lists->ReloadList(Kind::Items, QString()));
    EXPECT_EQ(list.displayedRecordsText(), u"Displayed Records: 1000"_s);
}

TEST_F(ListView, PrintPreviewCountsThePagesOnceAndShowsThemOneAtATime)
{
    ASSERT_TRUE(project.db().execNative(
        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO \"Items\" (\"Name\", \"Cost\") SELECT printf('item %04d', i), 1 FROM n"_s));
    RecordListView& list = show(Kind::Items);
    ScriptedFileChooser chooser;
    const FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(9, 0)));
    const DesktopServices services{prompter, chooser, clock};
    QPrinter printer;
    UseDefaultPaper(printer);
    const PrintJob job = ListPrintJob(listReportContent(list), ListReportMargins{}, QDate(2024, 3, 7));

    PreviewDialog preview(job, printer, services);
    ASSERT_TRUE(preview.countPages());
    const int pages = preview.pageCount();
    EXPECT_GT(pages, 10);
    EXPECT_EQ(preview.pageText(), u"Page 1 of %1"_s.arg(pages));
    preview.nextPage();
    preview.nextPage();
    preview.previousPage();
    EXPECT_EQ(preview.pageText(), u"Page 2 of %1"_s.arg(pages));
    for (int page = 2; page < pages + 3; ++page)
        preview.nextPage();
    EXPECT_EQ(preview.page(), pages);
}

TEST_F(ListView, ThePurchaseOrderListSelectsByTheNumberItShows)
{
    const qint32 vendor = b.vendor(u"V"_s);
    const qint32 first = b.po(5007, vendor);
    b.po(5003, vendor);
    RecordListView& list = show(Kind::PurchaseOrders);
    EXPECT_EQ(shownColumn(0), (QStringList{u"005003"_s, u"005007"_s}));
    ASSERT_TRUE(list.SelectByID(5007));
    EXPECT_EQ(std::tuple(list.SelectedID(), list.selectedRecordID()), std::tuple(5007, first));
    EXPECT_FALSE(list.SelectByID(first));
}

TEST_F(ListView, CustomizedColumnsShowAtOnceAndKeepTheirWidths)
{
    addItem(u"gear"_s, 1, 0);
    RecordListView& list = show(Kind::Items);
    list.horizontalHeader()->resizeSection(1, 240);

    CustomizeColumnsModel customize(*lists, prompter, Kind::Items);
    customize.selectColumn(2);
    customize.setDisplayColumn(false);
    customize.selectColumn(3);
    customize.setColumnTitle(u"Supplier"_s);
    ASSERT_TRUE(customize.save().saved);
    EXPECT_EQ(std::tuple(list.model()->columnCount(), list.horizontalHeader()->sectionSize(1)),
              std::tuple(7, 240));
    EXPECT_EQ(list.model()->headerData(2, Qt::Horizontal).toString(), u"Supplier"_s);
}

TEST_F(ListView, PrintsTheShownColumnsInDisplayOrderWithTheirScreenWidthsAndTheRowsInListOrder)
{
    for (int i = 1; i <= 3; ++i)
        b.item({u"Item %1"_s.arg(i, 4, 10, QLatin1Char('0')), NoID, NoID, Money::fromWhole(i * 37)});
    // Cost moved to the front and made wide, Item Number hidden, the name centred.
    settings.setValue(u"Items"_s, u"Column4Index"_s, 0);
    settings.setValue(u"Items"_s, u"Column0Index"_s, 4);
    settings.setValue(u"Items"_s, u"Column4Width"_s, 300);
    settings.setValue(u"Items"_s, u"Column2Index"_s, 999);
    settings.setValue(u"Items"_s, u"Column1Format"_s, 2);
    lists = std::make_unique<RecordLists>(settings);
    lists->setTables(&project.tables());
    RecordListView& list = show(Kind::Items);
    // A column the user drags narrower prints narrower.
    list.horizontalHeader()->resizeSection(1, 50);
    list.sortByColumn(4);

    const ListReportContent content = listReportContent(list);
    QStringList columns;
    for (const ListReportColumn& column : content.columns)
        columns.append(column.title + u':' + QString::number(column.width));
    EXPECT_EQ(columns,
              (QStringList{u"Cost:300"_s, u"Item Name:50"_s, u"Primary Vendor:100"_s, u"Item ID:100"_s,
                           u"Stocked:100"_s, u"Ordered:100"_s, u"Selling Price:100"_s}));
    EXPECT_EQ(content.columns[1].justification, ColumnJustification::Center);
    // Rows as the list holds them, sorted by cost, in the printed columns' order.
    ASSERT_EQ(content.size(), 3);
    EXPECT_EQ((QStringList{content.text(2, 0), content.text(2, 1), content.text(2, 2), content.text(2, 3)}),
              (QStringList{u"$111.00"_s, u"Item 0003"_s, QString(), u"000003"_s}));
}

TEST_F(ListView, ALongListMakesAValidPdfOfSeveralPagesWithinTheUsersMargins)
{
    ASSERT_TRUE(project.db().beginTransaction());
    for (int i = 1; i <= 1000; ++i)
        b.item({u"Item %1"_s.arg(i, 4, 10, QLatin1Char('0')), NoID, NoID, Money::fromWhole(i % 500)});
    ASSERT_TRUE(project.db().commitTransaction());
    RecordListView& list = show(Kind::Items);
    const QDate today(2024, 3, 7);
    const QString path = dir.filePath(u"items.pdf"_s);
    QString error;
    ASSERT_TRUE(writeListPdf(list, settings, path, today, &error)) << error.toStdString();
    const int pages = PdfPageCount(path);
    EXPECT_GT(pages, 1);

    // Deeper margins leave less of each sheet for the rows.
    settings.setValue(u"Margins"_s, u"Bottom"_s, u"5.5"_s);
    ASSERT_TRUE(writeListPdf(list, settings, path, today, &error));
    EXPECT_GT(PdfPageCount(path), pages * 3 / 2);

    // A file that cannot be written is reported and leaves nothing behind.
    const QString nowhere = dir.filePath(u"missing/items.pdf"_s);
    error.clear();
    EXPECT_FALSE(writeListPdf(list, settings, nowhere, today, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));

    // Save as PDF tells of a disk that fails part-way, and the previous file stays.
    const QByteArray previous = FileBytes(path);
    ScriptedFileChooser chooser;
    chooser.answer({path});
    const FixedClock clock(QDateTime(today, QTime(9, 0)));
    {
        const FailingFileWrites failing(previous.size() / 2);
        SaveListAsPdf(list, settings, DesktopServices{prompter, chooser, clock});
    }
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::FileNotAccessible)});
    EXPECT_EQ(FileBytes(path), previous);
}

TEST_F(ListView, MarginsWithoutRoomStopPrintPreviewAndPdfWithAMessageNamingThem)
{
    ASSERT_TRUE(project.db().beginTransaction());
    for (int i = 1; i <= 100; ++i)
        b.vendor(u"Vendor %1"_s.arg(i));
    ASSERT_TRUE(project.db().commitTransaction());
    RecordListView& list = show(Kind::Vendors);
    settings.setValue(u"Margins"_s, u"Left"_s, u"5"_s);
    settings.setValue(u"Margins"_s, u"Right"_s, u"5"_s);

    const QString path = dir.filePath(u"vendors.pdf"_s);
    QString error;
    EXPECT_FALSE(writeListPdf(list, settings, path, QDate(2024, 3, 7), &error));
    EXPECT_FALSE(QFile::exists(path));
    const QString margins = uR"(The margins (left 5.00", right 5.00") leave no room to print on )"_s;
    EXPECT_EQ(error, margins + uR"(Letter paper (8.50" wide). Change them with File > Print Margins.)"_s);

    // Each command stops with the message before a print, preview or file dialog opens.
    QStringList opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened.append(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
        }
    });
    closer.start(50);
    ScriptedFileChooser chooser; // would answer as cancelled
    const FixedClock clock(QDateTime(QDate(2024, 3, 7), QTime(9, 0)));
    const DesktopServices services{prompter, chooser, clock};
    QPrinter printer;
    UseDefaultPaper(printer);
    PrintList(nullptr, list, settings, services, printer);
    PreviewList(nullptr, list, settings, services, printer);
    SaveListAsPdf(list, settings, services);
    EXPECT_TRUE(opened.isEmpty()) << opened.join(u", "_s).toStdString();
    EXPECT_TRUE(chooser.requests().isEmpty());
    ASSERT_EQ(prompter.log().size(), 3);
    for (const auto& entry : prompter.log())
        EXPECT_TRUE(entry.text.startsWith(margins)) << entry.text.toStdString();
    EXPECT_EQ(prompter.lastText(), error);
}

// A date reads the same in a list and on the printout of that list.
TEST_F(ListView, TheListAndItsPrintoutWriteADateAlike)
{
    b.invoice(b.customer(u"Ann's"_s, u"Smith"_s, u"Ann"_s), 101); // dated 15 May 1997
    RecordListView& invoices = show(Kind::Invoices);
    ASSERT_EQ(invoices.list().count(), 1);
    const QString listed = invoices.list().cellText(0, 1); // "Date"
    EXPECT_TRUE(listed.contains(u"1997"_s)) << listed.toStdString();
    EXPECT_EQ(ListReport::dateLine(QDate(1997, 5, 15)), u"Date: "_s + listed);
}

} // namespace
