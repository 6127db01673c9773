#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/app/NavigationTreeWidget.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/SalesCommands.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"
#include "core/records/StockFigures.h"
#include "core/sales/ProjectConsistency.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"
#include "core/views/RecordList.h"

#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// For a command that must not open any dialog.
void NoModalMayOpen()
{
    QTimer::singleShot(300, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "opened: " << dialog->windowTitle().toStdString();
            dialog->reject();
        }
    });
}

// A line put on the pending sale as the user would: the item chosen in the
// picker, the quantity typed, "&Add >>".
void AddLine(const QWidget& dialog, qint32 item, qint32 quantity)
{
    Child<RecordPicker>(dialog, u"itemBox"_s)->chooseId(item);
    Type(dialog, u"quantityEdit"_s, QString::number(quantity));
    Click(dialog, u"addButton"_s);
}

Money M(qint64 whole, qint64 fraction = 0)
{
    return Money::fromWhole(whole, fraction);
}

class SalesWindows : public ::testing::Test
{
protected:
    explicit SalesWindows(int style = CStockSet::kFifo) : project(style) {}

    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        vendor = build.vendor(u"Acme Paper"_s);
        customer = build.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
    }
    void TearDown() override
    {
        const ConsistencyReport report = CheckProjectConsistency(tables());
        EXPECT_TRUE(report.isConsistent()) << report.all().join(u'\n').toStdString();
    }

    ProjectTables& tables() { return project.tables(); }
    qint32 item(const QString& name, Money price, qint32 stocked, bool taxable = false, float rate = 0.0f)
    {
        return build.pricedItem({.name = name, .vendor1 = vendor, .stocked = stocked, .taxable = taxable},
                                price, rate);
    }
    // A lot of `quantity` units at `cost`, received on `date`.
    qint32 lot(qint32 itemID, DateTime date, qint32 quantity, Money cost)
    {
        const qint32 id = build.add(CStockRec{.ItemID = itemID,
                                              .VendorID = vendor,
                                              .OrderID = StockInitial,
                                              .POID = StockInitial,
                                              .Quanity = quantity,
                                              .Cost = cost,
                                              .Date = date});
        EXPECT_TRUE(RecomputeItemTotals(tables(), itemID));
        return id;
    }
    QList<CSalesRec> salesOf(qint32 invoiceID)
    {
        return tables().sales().RecordsWhere(u"[SIID] = ?"_s, {invoiceID});
    }
    QList<CARRec> receivablesOf(qint32 invoiceID)
    {
        return tables().receivables().RecordsWhere(u"[SIID] = ?"_s, {invoiceID});
    }

    TempProject project;
    ProjectBuilder build{project};
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 3, 9), QTime(10, 0))};
    DesktopServices services{prompter, files, clock};
    qint32 vendor = NoID, customer = NoID;
};

// --- Record Sale, whole: a three-line sale on a FIFO and on a LIFO project -----

class SaleByStyle : public SalesWindows, public ::testing::WithParamInterface<int>
{
protected:
    SaleByStyle() : SalesWindows(GetParam()) {}
};

TEST_P(SaleByStyle, ThreeLinesOneSkippedForLackOfStockConsumeTheLotsInStyleOrder)
{
    const bool fifo = GetParam() == CStockSet::kFifo;
    const qint32 widget = item(u"Widget"_s, M(10), 0);
    const qint32 march1 = lot(widget, day(2026, 3, 1), 5, M(2));
    const qint32 march5 = lot(widget, day(2026, 3, 5), 5, M(3));
    const qint32 gadget = item(u"Gadget"_s, M(4), 0);
    const qint32 gadgetLot = lot(gadget, day(2026, 3, 2), 2, M(1));
    const qint32 nut = item(u"Nut"_s, M(1), 0, true, 5.0f);
    lot(nut, day(2026, 3, 3), 10, M(0, 2500));

    WhenModalOpens([&](QDialog& invoice) {
        EXPECT_EQ(invoice.windowTitle(), u"New Sales Invoice"_s);
        EXPECT_EQ(Child<QLineEdit>(invoice, u"numberEdit"_s)->text(), u"5000"_s);
        EXPECT_TRUE(Child<QLineEdit>(invoice, u"numberEdit"_s)->isEnabled());
        EXPECT_EQ(Text(invoice, u"customerText"_s), u"N/A"_s);
        EXPECT_TRUE(Child<QAbstractButton>(invoice, u"cashRadio"_s)->isChecked());
        // "&Customer Information": Cancel keeps none, OK takes the one chosen.
        WhenModalOpens([](QDialog& selection) { selection.reject(); });
        Click(invoice, u"customerButton"_s);
        EXPECT_EQ(Text(invoice, u"customerIdText"_s), u"N/A"_s);
        WhenModalOpens([](QDialog& selection) {
            auto* list = Child<QListView>(selection, u"customerList"_s);
            list->setCurrentIndex(list->model()->index(0, 0));
            Click(selection, u"okButton"_s);
        });
        Click(invoice, u"customerButton"_s);
        EXPECT_EQ(Text(invoice, u"customerText"_s), u"Harbor Books  Ada Lind"_s);
        EXPECT_EQ(Text(invoice, u"customerIdText"_s), FormatRecordId(customer));
        Click(invoice, u"checkRadio"_s);
        Type(invoice, u"notesEdit"_s, u"Counter sale"_s);

        WhenModalOpens([&](QDialog& sale) {
            EXPECT_EQ(sale.windowTitle(), u"Record Sold Items"_s);
            EXPECT_EQ(Text(sale, u"invoiceText"_s), u"INVOICE : 5000"_s);
            EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), NoSelection);
            Child<RecordPicker>(sale, u"itemBox"_s)->chooseId(widget);
            EXPECT_EQ(Text(sale, u"itemIdText"_s), FormatRecordId(widget));
            EXPECT_EQ(Text(sale, u"stockedText"_s), u"10"_s);
            EXPECT_EQ(Child<QLineEdit>(sale, u"priceEdit"_s)->text(), FormatCurrencyField(M(10)));
            AddLine(sale, widget, 7);
            EXPECT_EQ(Text(sale, u"stockedText"_s), u"3"_s); // what the pending line leaves
            AddLine(sale, gadget, 2);
            AddLine(sale, nut, 3);
            auto* lines = Child<QListWidget>(sale, u"saleList"_s);
            ASSERT_EQ(lines->count(), 3);
            EXPECT_EQ(lines->item(0)->text(), u"7 x %1 (Widget)"_s.arg(FormatCurrencyField(M(10))));
            EXPECT_EQ(Text(sale, u"subtotalText"_s), FormatCurrency(M(81)));
            EXPECT_EQ(Text(sale, u"taxText"_s), FormatCurrency(M(0, 1500)));
            EXPECT_EQ(Text(sale, u"totalText"_s), FormatCurrency(M(81, 1500)));

            // The balance follows the amount paid when the field is left.
            Type(sale, u"amountPaidEdit"_s, u"20"_s);
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(Child<QLineEdit>(sale, u"amountPaidEdit"_s), &leave);
            EXPECT_EQ(Text(sale, u"balanceText"_s), FormatCurrency(M(61, 1500)));

            // The gadgets go elsewhere while the sale is being put together.
            build.remove<CStockRec>(gadgetLot);
            Click(sale, u"okButton"_s);
            EXPECT_EQ(sale.result(), QDialog::Accepted);
        });
        Click(invoice, u"okButton"_s);
    });
    const ChangeList changes = RunRecordSale(nullptr, tables(), services);

    EXPECT_EQ(prompter.texts(),
              QStringList{u"Unable to record sale for item #%1.  This item is not enough in stock."_s.arg(
                  FormatRecordId(gadget))});
    ASSERT_EQ(changes.ids(ListingKind::Invoices).size(), 1);
    const qint32 invoiceID = changes.ids(ListingKind::Invoices).constFirst();
    const CSIRec invoice = build.read<CSIRec>(invoiceID);
    EXPECT_EQ(invoice.Number, 5000);
    EXPECT_EQ(invoice.CustomerID, customer);
    EXPECT_EQ(invoice.PayMethod, 1);
    EXPECT_EQ(invoice.Notes, u"Counter sale"_s);

    const QList<CSalesRec> sales = salesOf(invoiceID);
    ASSERT_EQ(sales.size(), 2);
    EXPECT_EQ(sales.at(0).ItemID, widget);
    EXPECT_EQ(sales.at(1).ItemID, nut);
    // 5 at 2.00 and 2 at 3.00, or 5 at 3.00 and 2 at 2.00, over 7 units, truncated.
    EXPECT_EQ(sales.at(0).Cost, fifo ? M(2, 2857) : M(2, 7142));
    EXPECT_EQ(sales.at(1).Cost, M(0, 2500));
    const qint32 emptied = fifo ? march1 : march5;
    const qint32 left = fifo ? march5 : march1;
    EXPECT_EQ(tables().stock().CountWhere(u"[ID] = ?"_s, {emptied}), 0);
    EXPECT_EQ(build.read<CStockRec>(left).Quanity, 3);
    EXPECT_EQ(tables().items().GetStocked(widget), 3);
    EXPECT_EQ(tables().items().GetStocked(gadget), 0);
    EXPECT_EQ(tables().items().GetStocked(nut), 7);
    EXPECT_TRUE(changes.contains(ListingKind::Stock, emptied));
    EXPECT_TRUE(changes.contains(ListingKind::Items, nut));
    EXPECT_FALSE(changes.contains(ListingKind::Customers, customer));

    // What was sold is owed: 70.00 + 3.00 + 0.15 tax, 20.00 paid.
    const QList<CARRec> due = receivablesOf(invoiceID);
    ASSERT_EQ(due.size(), 1);
    EXPECT_EQ(due.at(0).Due, M(73, 1500));
    EXPECT_EQ(due.at(0).Paid, M(20));
}

INSTANTIATE_TEST_SUITE_P(Styles, SaleByStyle, ::testing::Values(CStockSet::kFifo, CStockSet::kLifo),
                         [](const ::testing::TestParamInfo<int>& style) {
                             return style.param == CStockSet::kFifo ? std::string("Fifo")
                                                                    : std::string("Lifo");
                         });

// --- Refusals keep the dialog and its lines, and write nothing ---------------

TEST_F(SalesWindows, RefusedLinesKeepTheDialogAndItsPendingLinesAndWriteNothing)
{
    const qint32 pin = item(u"Pin"_s, M(0, 100), 1000);
    const qint32 invoiceID = build.invoice(customer, 5000);
    WhenModalOpens([&](QDialog& sale) {
        // Started on the pin, as Record Sale does from the item list.
        EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), pin);
        EXPECT_EQ(Text(sale, u"stockedText"_s), u"1000"_s);
        auto* lines = Child<QListWidget>(sale, u"saleList"_s);
        auto* remove = Child<QAbstractButton>(sale, u"removeButton"_s);
        AddLine(sale, pin, 1);
        AddLine(sale, pin, 2);
        EXPECT_FALSE(remove->isEnabled()); // nothing selected
        lines->setCurrentRow(0);
        ASSERT_TRUE(remove->isEnabled());
        remove->click();
        ASSERT_EQ(lines->count(), 1);
        EXPECT_EQ(lines->item(0)->text(), u"2 x %1 (Pin)"_s.arg(FormatCurrencyField(M(0, 100))));
        EXPECT_EQ(Text(sale, u"stockedText"_s), u"998"_s);

        // No units.
        Type(sale, u"quantityEdit"_s, u"0"_s);
        Click(sale, u"addButton"_s);
        EXPECT_EQ(prompter.lastText(), StatusMessage(Status::InvalidQuantity));
        auto* quantity = Child<QLineEdit>(sale, u"quantityEdit"_s);
        EXPECT_EQ(sale.focusWidget(), quantity);
        EXPECT_EQ(quantity->selectedText(), u"0"_s);
        // A price that is no amount.
        Type(sale, u"quantityEdit"_s, u"1"_s);
        Type(sale, u"priceEdit"_s, u"cheap"_s);
        Click(sale, u"addButton"_s);
        auto* price = Child<QLineEdit>(sale, u"priceEdit"_s);
        EXPECT_EQ(sale.focusWidget(), price);
        EXPECT_EQ(price->selectedText(), u"cheap"_s);
        EXPECT_EQ(lines->count(), 1);

        // The sale holds 500 lines, and not one more.
        Type(sale, u"priceEdit"_s, u"0.01"_s);
        for (int i = 1; i < RecordSoldItemsModel::kMaxLines; ++i)
            Click(sale, u"addButton"_s);
        ASSERT_EQ(lines->count(), RecordSoldItemsModel::kMaxLines);
        prompter.clear();
        Click(sale, u"addButton"_s);
        EXPECT_EQ(prompter.texts().size(), 1);
        EXPECT_TRUE(prompter.lastText().contains(u"at most 500 lines"_s));
        EXPECT_EQ(lines->count(), RecordSoldItemsModel::kMaxLines);
        EXPECT_TRUE(sale.isVisible());
        EXPECT_EQ(build.rows("Sales"), 0);
        sale.reject();
    });
    EXPECT_TRUE(RunRecordSoldItems(nullptr, tables(), services, invoiceID, false, pin).isEmpty());
    EXPECT_EQ(build.rows("Sales"), 0);
    EXPECT_EQ(build.rows("AR"), 0);
    EXPECT_EQ(tables().items().GetStocked(pin), 1000);
}

// --- Record Sale and Undo Sale as the main window runs them ---------------------

class SaleCommandsOnLists : public SalesWindows
{
protected:
    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    void TearDown() override
    {
        CloseApp(app);
        SalesWindows::TearDown();
    }
    MainWindow& window() { return app->mainWindow(); }
    RecordListView& show(ListingKind kind) { return ShowList(window(), kind); }
    QAction* popUpCommand(ListingKind kind, MainWindow::Command command)
    {
        return PopUpCommand(window(), kind, command);
    }

    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    std::unique_ptr<Application> app;
};

TEST_F(SaleCommandsOnLists, RecordSaleFromTheItemListStartsOnTheSelectedItemAndTheListsFollow)
{
    build.item({.name = u"Clip"_s, .vendor1 = vendor, .stocked = 3});
    const qint32 widget = item(u"Widget"_s, M(10), 6);
    launch();
    RecordListView& items = show(ListingKind::Items);
    ASSERT_TRUE(items.selectByRecordID(widget));
    EXPECT_TRUE(popUpCommand(ListingKind::Customers, MainWindow::RecordSale)->isEnabled());
    popUpCommand(ListingKind::Invoices, MainWindow::RecordSale);
    WhenModalOpens([&](QDialog& invoice) {
        WhenModalOpens([&](QDialog& sale) {
            EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), widget);
            EXPECT_EQ(Text(sale, u"stockedText"_s), u"6"_s);
            Type(sale, u"quantityEdit"_s, u"4"_s);
            Click(sale, u"addButton"_s);
            Click(sale, u"okButton"_s);
        });
        Click(invoice, u"okButton"_s);
    });
    popUpCommand(ListingKind::Items, MainWindow::RecordSale)->trigger();
    EXPECT_TRUE(prompter.log().isEmpty()) << prompter.lastText().toStdString();
    EXPECT_EQ(tables().items().GetStocked(widget), 2);
    // The sold item's row shows what is left, and stays selected.
    EXPECT_EQ(items.selectedRecordID(), widget);
    const qsizetype row = items.list().positionOfRecord(widget);
    ASSERT_GE(row, 0);
    EXPECT_EQ(items.list().cellText(row, 5), u"2"_s); // Stocked
    EXPECT_EQ(show(ListingKind::Invoices).list().count(), 1);

    // Without a list in the right pane there is nothing to sell from.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    ASSERT_EQ(window().currentListView(), nullptr);
    NoModalMayOpen();
    window().action(MainWindow::RecordSale)->trigger();
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);
    EXPECT_EQ(build.rows("SI"), 1);
}

TEST_F(SaleCommandsOnLists, UndoSaleOnTheInvoiceListPutsTheStockBackAfterYesAndNothingAfterNo)
{
    const qint32 widget = item(u"Widget"_s, M(10), 6);
    const qint32 invoice = build.invoice(customer, 5000);
    RecordSoldItemsModel sale(tables(), prompter);
    sale.setInvoice(invoice);
    sale.selectItem(widget);
    sale.setQuantityText(u"4"_s);
    ASSERT_TRUE(sale.addLine().saved);
    ASSERT_TRUE(sale.save().saved);
    ASSERT_EQ(tables().items().GetStocked(widget), 2);
    launch();

    QAction* undo = window().action(MainWindow::UndoSale);
    show(ListingKind::Items).selectByRecordID(widget);
    EXPECT_FALSE(undo->isEnabled()); // the item list
    RecordListView& invoices = show(ListingKind::Invoices);
    invoices.clearSelection();
    EXPECT_FALSE(undo->isEnabled()); // no invoice selected
    ASSERT_TRUE(invoices.selectByRecordID(invoice));
    ASSERT_TRUE(popUpCommand(ListingKind::Invoices, MainWindow::UndoSale)->isEnabled());

    prompter.answer({false});
    undo->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{RemoveSaleQuestion()});
    EXPECT_EQ(build.rows("Sales"), 1);
    EXPECT_EQ(tables().items().GetStocked(widget), 2);

    prompter.clear();
    prompter.answer({true});
    undo->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{RemoveSaleQuestion()});
    EXPECT_EQ(build.rows("Sales"), 0);
    EXPECT_EQ(tables().items().GetStocked(widget), 6);
    EXPECT_EQ(build.dues(invoice), QList<double>{0});
    // The invoice stays listed and selected; the stock list shows the lot put back.
    EXPECT_EQ(invoices.selectedRecordID(), invoice);
    const RecordList& stock = show(ListingKind::Stock).list();
    EXPECT_EQ(stock.count(), 2);
}

} // namespace
