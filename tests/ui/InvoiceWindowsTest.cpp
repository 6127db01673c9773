#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/app/NavigationTreeWidget.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/InvoiceCommands.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"
#include "core/sales/InvoiceManagerModel.h"
#include "core/views/RecordLists.h"

#include "ScriptedFileChooser.h"
#include "TotalsFixture.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The cells of one column of a list, top to bottom.
QStringList Column(const QWidget& window, const QString& list, int column)
{
    QStringList cells;
    auto* tree = Child<QTreeWidget>(window, list);
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        cells.append(tree->topLevelItem(row)->text(column));
    return cells;
}

void SelectRow(const QWidget& window, const QString& list, int row)
{
    auto* tree = Child<QTreeWidget>(window, list);
    tree->setCurrentItem(tree->topLevelItem(row));
}

// Harbor Books' invoice 5000: three staplers at $10.00 with 5 % tax ($31.50),
// sold from lots that cost $2.2857 a unit on average, $10.00 paid at the counter
// and $5.00 later; seven more staplers on the shelf. Invoice 5001 holds one ledger
// at $100.00 with $20.00 paid at the counter. Every scenario ends with the stock,
// the payment chains and the invoice totals agreeing.
class InvoiceWindows : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        vendor = b.vendor(u"Acme Paper"_s);
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        stapler = b.pricedItem({.name = u"Stapler"_s, .vendor1 = vendor, .stocked = 7, .taxable = true},
                               Money::fromWhole(10), 5.0f);
        ledger = b.pricedItem({.name = u"Ledger"_s, .vendor1 = vendor}, Money::fromWhole(100));
        staplers = b.invoice(customer, 5000);
        sale = b.sale(stapler, staplers, 3, Money::fromWhole(10), Money::fromWhole(2, 2857));
        b.payment(customer, staplers, Money::fromWhole(31, 5000), Money::fromWhole(10));
        b.payment(customer, staplers, Money::fromWhole(21, 5000), Money::fromWhole(5));
        ledgers = b.invoice(customer, 5001);
        b.sale(ledger, ledgers, 1, Money::fromWhole(100));
        counter = b.payment(customer, ledgers, Money::fromWhole(100), Money::fromWhole(20));
    }

    ChangeList manage(qint32 invoiceID)
    {
        return RunInvoiceManager(nullptr, t(), services, settings, invoiceID);
    }

    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(1997, 5, 20), QTime(9, 30))};
    DesktopServices services{prompter, files, clock};
    qint32 vendor = NoID, customer = NoID, stapler = NoID, ledger = NoID;
    qint32 staplers = NoID, sale = NoID, ledgers = NoID, counter = NoID;
};

TEST_F(InvoiceWindows, AReturnOfPartOfALineReimbursesItWithTaxAndTheManagerShowsWhatIsLeft)
{
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        EXPECT_EQ(Child<RecordPicker>(manager, u"invoicePicker"_s)->currentId(), staplers);
        EXPECT_EQ((QStringList{Text(manager, u"customerText"_s), Text(manager, u"amountDueText"_s),
                               Text(manager, u"amountPaidText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"Harbor Books, Ada Lind"_s, u"$31.50"_s, u"$15.00"_s, u"$16.50"_s}));
        EXPECT_EQ(Column(manager, u"salesList"_s, 0), QStringList{u"Stapler"_s});
        EXPECT_EQ(Column(manager, u"salesList"_s, 5), QStringList{u"$1.50"_s});
        EXPECT_TRUE(Child<QAbstractButton>(manager, u"viewButton"_s)->isEnabled());
        EXPECT_TRUE(Child<QAbstractButton>(manager, u"printButton"_s)->isEnabled());

        Click(manager, u"returnButton"_s); // no row selected
        EXPECT_EQ(prompter.lastText(),
                  u"You must select an entry in the list before performing this operation."_s);

        SelectRow(manager, u"salesList"_s, 0);
        WhenModalOpens(u"Customer Return"_s, [this](QDialog& giveBack) {
            EXPECT_EQ(Text(giveBack, u"itemNameText"_s), u"Stapler"_s);
            EXPECT_EQ(Text(giveBack, u"saleQuantityText"_s), u"3"_s);
            Type(giveBack, u"quantityEdit"_s, u"4"_s);
            Click(giveBack, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(),
                      u"The quanity returned may not be greater than the quantity sold."_s);
            EXPECT_TRUE(giveBack.isVisible());
            EXPECT_EQ(giveBack.focusWidget(), Child<QLineEdit>(giveBack, u"quantityEdit"_s));
            Type(giveBack, u"quantityEdit"_s, u"1"_s);
            Click(giveBack, u"okButton"_s);
        });
        Click(manager, u"returnButton"_s);
        ASSERT_FALSE(prompter.log().isEmpty());
        EXPECT_EQ(prompter.log().constLast().title, u"Customer Reimbursement"_s);
        EXPECT_EQ(prompter.lastText(),
                  u"Total reimbursement of $10.50 to be paid to customer.\n\n\tSubtotal\t: "
                  u"$10.00\n\tTax \t: $0.50\n\n\tTotal\t: $10.50\n"_s);
        // The manager reads the invoice again: two staplers, $21.00 due.
        EXPECT_EQ(Column(manager, u"salesList"_s, 2), QStringList{u"2"_s});
        EXPECT_EQ((QStringList{Text(manager, u"amountDueText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$21.00"_s, u"$6.00"_s}));
        Click(manager, u"closeButton"_s);
    });
    const ChangeList changes = manage(staplers);

    EXPECT_EQ(b.dues(staplers), QList<double>({21, 11}));
    EXPECT_EQ(b.read<CSalesRec>(sale).Quanity, 2);
    EXPECT_EQ(t().items().GetStocked(stapler), 8);
    ASSERT_EQ(changes.ids(ListingKind::Stock).size(), 1);
    const CStockRec lot = b.read<CStockRec>(changes.ids(ListingKind::Stock).constFirst());
    EXPECT_EQ((QList<qint32>{lot.ItemID, lot.POID, lot.Quanity}),
              (QList<qint32>{stapler, StockCustomerReturn, 1}));
    EXPECT_EQ(lot.Cost, Money::fromWhole(2, 2857));
    EXPECT_EQ(changes.ids(ListingKind::Invoices), QList<qint32>{staplers});
}

TEST_F(InvoiceWindows, DeleteFromInvoiceAsksThenPutsTheLotBackAtTheSalesCost)
{
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        // Another invoice first, through the picker, then back.
        Child<RecordPicker>(manager, u"invoicePicker"_s)->chooseId(ledgers);
        EXPECT_EQ(Column(manager, u"salesList"_s, 0), QStringList{u"Ledger"_s});
        Child<RecordPicker>(manager, u"invoicePicker"_s)->chooseId(staplers);
        SelectRow(manager, u"salesList"_s, 0);

        prompter.answer({false});
        Click(manager, u"deleteButton"_s);
        EXPECT_TRUE(prompter.log().constLast().question);
        EXPECT_EQ(Column(manager, u"salesList"_s, 0).size(), 1);

        prompter.answer({true});
        Click(manager, u"deleteButton"_s);
        EXPECT_TRUE(Column(manager, u"salesList"_s, 0).isEmpty());
        EXPECT_EQ((QStringList{Text(manager, u"amountDueText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$0.00"_s, u"-$15.00"_s}));
        Click(manager, u"deleteButton"_s); // nothing left to take off
        EXPECT_EQ(prompter.lastText(),
                  u"You must select an entry in the sales list before performing this operation."_s);
        Click(manager, u"closeButton"_s);
    });
    const ChangeList changes = manage(staplers);

    EXPECT_FALSE(t().sales().LocateByID(sale));
    EXPECT_EQ(b.dues(staplers), QList<double>({0, -10}));
    EXPECT_EQ(t().items().GetStocked(stapler), 10);
    ASSERT_EQ(changes.ids(ListingKind::Stock).size(), 1);
    const CStockRec lot = b.read<CStockRec>(changes.ids(ListingKind::Stock).constFirst());
    EXPECT_EQ((QList<qint32>{lot.ItemID, lot.POID, lot.Quanity}), (QList<qint32>{stapler, StockOther, 3}));
    EXPECT_EQ(lot.Cost, Money::fromWhole(2, 2857));
    EXPECT_EQ(lot.Date, day(1997, 5, 15));
}

TEST_F(InvoiceWindows, PaymentsAreAddedEditedAndDeletedThroughManagePaymentsFromTheManager)
{
    // One payment through Record Customer Payment: the fields reformat when they
    // lose the focus, an unreadable date is refused with the focus on it.
    const auto pay = [this](const QString& amount) {
        WhenModalOpens(u"Record Customer Payment"_s, [this, amount](QDialog& payment) {
            EXPECT_EQ(Text(payment, u"customerText"_s), u"Harbor Books, Ada Lind"_s);
            auto* date = Child<QLineEdit>(payment, u"dateEdit"_s);
            EXPECT_EQ(date->text(), u"5/20/1997"_s);
            Type(payment, u"dateEdit"_s, u"someday"_s);
            Type(payment, u"amountEdit"_s, amount);
            Click(payment, u"okButton"_s);
            EXPECT_EQ(prompter.lastText(), u"Please specify a valid Date."_s);
            EXPECT_EQ(payment.focusWidget(), date);
            Type(payment, u"dateEdit"_s, u"5/21/97"_s);
            LoseFocus(payment, u"dateEdit"_s);
            EXPECT_EQ(date->text(), u"5/21/1997"_s);
            LoseFocus(payment, u"amountEdit"_s);
            EXPECT_EQ(Child<QLineEdit>(payment, u"amountEdit"_s)->text(), u"$"_s + amount + u".00"_s);
            Click(payment, u"okButton"_s);
        });
    };

    WhenModalOpens(u"Invoice Manager"_s, [this, pay](QDialog& manager) {
        WhenModalOpens(u"Manage Payments"_s, [this, pay](QDialog& payments) {
            EXPECT_EQ(Child<RecordPicker>(payments, u"invoicePicker"_s)->currentId(), ledgers);
            auto* list = Child<QTreeWidget>(payments, u"paymentList"_s);
            EXPECT_EQ((QList<int>{list->columnWidth(0), list->columnWidth(1), list->columnWidth(2)}),
                      (QList<int>{100, 100, 100}));
            EXPECT_EQ(Column(payments, u"paymentList"_s, 2), QStringList{u"$80.00"_s});
            pay(u"30"_s);
            Click(payments, u"addButton"_s);
            pay(u"50"_s);
            Click(payments, u"addButton"_s);
            EXPECT_EQ(Column(payments, u"paymentList"_s, 1),
                      (QStringList{u"$20.00"_s, u"$30.00"_s, u"$50.00"_s}));
            EXPECT_EQ(Column(payments, u"paymentList"_s, 2),
                      (QStringList{u"$80.00"_s, u"$50.00"_s, u"$0.00"_s}));
            EXPECT_EQ(Text(payments, u"balanceText"_s), u"$0.00"_s);

            // The payment written with the sale stays.
            SelectRow(payments, u"paymentList"_s, 0);
            Click(payments, u"deleteButton"_s);
            EXPECT_EQ(
                prompter.lastText(),
                u"You may not delete the intial payment record of an invoice, although you may edit it."_s);

            SelectRow(payments, u"paymentList"_s, 1);
            prompter.answer({true});
            Click(payments, u"deleteButton"_s);
            EXPECT_EQ(Column(payments, u"paymentList"_s, 2), (QStringList{u"$80.00"_s, u"$30.00"_s}));

            SelectRow(payments, u"paymentList"_s, 0);
            WhenModalOpens(u"Modify Customer Payment"_s, [](QDialog& payment) {
                EXPECT_EQ(Child<QLineEdit>(payment, u"amountEdit"_s)->text(), u"$20.00"_s);
                Type(payment, u"amountEdit"_s, u"0"_s);
                Click(payment, u"okButton"_s);
            });
            Click(payments, u"editButton"_s);
            EXPECT_EQ(Column(payments, u"paymentList"_s, 2), (QStringList{u"$100.00"_s, u"$50.00"_s}));
            Click(payments, u"doneButton"_s);
        });
        Click(manager, u"paymentsButton"_s);
        // The manager follows what Manage Payments wrote.
        EXPECT_EQ((QStringList{Text(manager, u"amountPaidText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$50.00"_s, u"$50.00"_s}));
        Click(manager, u"closeButton"_s);
    });
    const ChangeList changes = manage(ledgers);

    EXPECT_EQ(b.dues(ledgers), QList<double>({100, 100}));
    const QList<CARRec> chain = t().receivables().RecordsWhere(u"[SIID] = ?"_s, {ledgers});
    ASSERT_EQ(chain.size(), 2);
    EXPECT_EQ(chain.at(0).ID, counter);
    EXPECT_EQ(chain.at(1).Paid, Money::fromWhole(50));
    EXPECT_EQ(chain.at(1).Date, day(1997, 5, 21));
    EXPECT_TRUE(changes.ids(ListingKind::Invoices).contains(ledgers));
}

TEST_F(InvoiceWindows, AddingToAnInvoiceWithAPaymentRaisesEveryDueAlikeAndLeavesThePaymentsAlone)
{
    b.payment(customer, ledgers, Money::fromWhole(80), Money::fromWhole(30));
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        WhenModalOpens(u"Record Sold Items"_s, [this](QDialog& sell) {
            // What the invoice owes in all is the manager's to show.
            EXPECT_TRUE(Child<QWidget>(sell, u"totalText"_s)->isHidden());
            EXPECT_TRUE(Child<QWidget>(sell, u"amountPaidEdit"_s)->isHidden());
            EXPECT_TRUE(Child<QWidget>(sell, u"balanceText"_s)->isHidden());
            EXPECT_FALSE(Child<QWidget>(sell, u"subtotalText"_s)->isHidden());
            Child<RecordPicker>(sell, u"itemBox"_s)->chooseId(stapler);
            Type(sell, u"quantityEdit"_s, u"2"_s);
            Click(sell, u"addButton"_s);
            EXPECT_EQ(Text(sell, u"taxText"_s), u"$1.00"_s);
            Click(sell, u"okButton"_s);
        });
        Click(manager, u"addButton"_s);
        EXPECT_EQ(Column(manager, u"salesList"_s, 0), (QStringList{u"Ledger"_s, u"Stapler"_s}));
        EXPECT_EQ((QStringList{Text(manager, u"amountDueText"_s), Text(manager, u"amountPaidText"_s),
                               Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$121.00"_s, u"$50.00"_s, u"$71.00"_s}));
        Click(manager, u"closeButton"_s);
    });
    const ChangeList changes = manage(ledgers);

    EXPECT_EQ(b.dues(ledgers), QList<double>({121, 101}));
    const QList<CARRec> chain = t().receivables().RecordsWhere(u"[SIID] = ?"_s, {ledgers});
    ASSERT_EQ(chain.size(), 2);
    EXPECT_EQ((QList<Money>{chain.at(0).Paid, chain.at(1).Paid}),
              (QList<Money>{Money::fromWhole(20), Money::fromWhole(30)}));
    EXPECT_EQ(t().items().GetStocked(stapler), 5);
    EXPECT_TRUE(changes.ids(ListingKind::Items).contains(stapler));
}

TEST_F(InvoiceWindows, TheManagersColumnWidthsSurviveARestart)
{
    const QList<int> widths = {150, 90, 61, 99, 77, 133};
    WhenModalOpens(u"Invoice Manager"_s, [widths](QDialog& manager) {
        QHeaderView* header = Child<QTreeWidget>(manager, u"salesList"_s)->header();
        EXPECT_EQ((QList<int>{header->sectionSize(0), header->sectionSize(4), header->sectionSize(5)}),
                  (QList<int>{100, 100, 120}));
        for (int column = 0; column < widths.size(); ++column)
            header->resizeSection(column, widths.at(column));
        manager.close(); // the window's own close
    });
    manage(staplers);
    ASSERT_TRUE(settings.sync());

    // Subtotal is kept under "Width6" and Tax under "Width5".
    UserSettings restarted(home.filePath(u"user.ini"_s));
    EXPECT_EQ(restarted.number(u"SIManage"_s, u"Width6"_s), 77);
    EXPECT_EQ(restarted.number(u"SIManage"_s, u"Width5"_s), 133);
    WhenModalOpens(u"Invoice Manager"_s, [widths](QDialog& manager) {
        QHeaderView* header = Child<QTreeWidget>(manager, u"salesList"_s)->header();
        QList<int> shown;
        for (int column = 0; column < widths.size(); ++column)
            shown.append(header->sectionSize(column));
        EXPECT_EQ(shown, widths);
        Click(manager, u"closeButton"_s);
    });
    RunInvoiceManager(nullptr, t(), services, restarted, staplers);
}

TEST_F(InvoiceWindows, SelectInvoiceAnswersTheInvoiceChosenAndRefusesNone)
{
    WhenModalOpens(u"Select Invoice"_s, [this](QDialog& select) {
        Click(select, u"okButton"_s);
        EXPECT_EQ(prompter.lastText(), u"You must select an invoice from the list."_s);
        EXPECT_TRUE(select.isVisible());
        Child<RecordPicker>(select, u"invoicePicker"_s)->chooseId(ledgers);
        Click(select, u"okButton"_s);
    });
    EXPECT_EQ(RunSelectInvoice(nullptr, t(), prompter), ledgers);
    WhenModalOpens(u"Select Invoice"_s, [](QDialog& select) { select.reject(); });
    EXPECT_EQ(RunSelectInvoice(nullptr, t(), prompter), NoSelection);
}

// The windows as the desktop opens them: from the menu and the lists' pop-ups,
// with the lists following.
class InvoiceCommandsOnLists : public InvoiceWindows
{
protected:
    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    void TearDown() override
    {
        CloseApp(app);
        InvoiceWindows::TearDown();
    }
    RecordListView& show(ListingKind kind) { return ShowList(app->mainWindow(), kind); }
    QAction* popUpCommand(ListingKind kind, MainWindow::Command command)
    {
        QAction* action = PopUpCommand(app->mainWindow(), kind, command);
        EXPECT_TRUE(action->isEnabled());
        return action;
    }

    std::unique_ptr<Application> app;
};

TEST_F(InvoiceCommandsOnLists, TheManagerOpensOnTheSelectedInvoiceAndTheListsFollowWhatItChanged)
{
    launch();
    const RecordList& stock = show(ListingKind::Stock).list();
    const qsizetype lots = stock.count();
    RecordListView& invoices = show(ListingKind::Invoices);
    ASSERT_TRUE(invoices.selectByRecordID(staplers));
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        EXPECT_EQ(Child<RecordPicker>(manager, u"invoicePicker"_s)->currentId(), staplers);
        SelectRow(manager, u"salesList"_s, 0);
        prompter.answer({true});
        Click(manager, u"deleteButton"_s);
        Click(manager, u"closeButton"_s);
    });
    popUpCommand(ListingKind::Invoices, MainWindow::ManageInvoices)->trigger();
    EXPECT_EQ(invoices.selectedRecordID(), staplers);
    EXPECT_EQ(stock.count(), lots + 1);

    // From the customer list Manage Payments opens on no invoice.
    RecordListView& customers = show(ListingKind::Customers);
    ASSERT_TRUE(customers.selectByRecordID(customer));
    WhenModalOpens(u"Manage Payments"_s, [](QDialog& payments) {
        EXPECT_EQ(Child<RecordPicker>(payments, u"invoicePicker"_s)->currentId(), NoSelection);
        Click(payments, u"doneButton"_s);
    });
    popUpCommand(ListingKind::Customers, MainWindow::ManagePayments)->trigger();
    EXPECT_TRUE(app->mainWindow().action(MainWindow::ManageInvoices)->isEnabled());
}

} // namespace
