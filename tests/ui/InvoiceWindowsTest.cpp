#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/InvoiceCommands.h"

#include "core/common/Money.h"
#include "core/views/RecordLists.h"

#include "ScriptedFileChooser.h"
#include "TotalsFixture.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

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
// $10.00 paid at the counter and $5.00 later; seven more staplers on the shelf.
// Invoice 5001 holds one ledger at $100.00 with $20.00 paid at the counter. What
// a return, a removed sale or a payment does to the stock and the dues is the
// engine's tests'; here the windows show it, and every scenario ends with the
// stock, the payment chains and the invoice totals agreeing.
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
        b.payment(customer, ledgers, Money::fromWhole(100), Money::fromWhole(20));
    }

    void TearDown() override
    {
        CloseApp(app);
        TotalsFixture::TearDown();
    }
    ChangeList manage(qint32 invoiceID)
    {
        return RunInvoiceManager(nullptr, t(), services, settings, invoiceID);
    }
    // The desktop, for the windows as its menu and the lists' pop-ups open them.
    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    RecordListView& show(ListingKind kind) { return ShowList(app->mainWindow(), kind); }
    QAction* popUpCommand(ListingKind kind, MainWindow::Command command)
    {
        QAction* action = PopUpCommand(app->mainWindow(), kind, command);
        EXPECT_TRUE(action->isEnabled());
        return action;
    }

    QTemporaryDir home;
    UserSettings settings{home.filePath(u"user.ini"_s)};
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(1997, 5, 20), QTime(9, 30))};
    DesktopServices services{prompter, files, clock};
    qint32 vendor = NoID, customer = NoID, stapler = NoID, ledger = NoID;
    qint32 staplers = NoID, sale = NoID, ledgers = NoID;
    std::unique_ptr<Application> app;
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
        EXPECT_TRUE(Enabled(manager, u"viewButton"_s) && Enabled(manager, u"printButton"_s));

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
        EXPECT_TRUE(prompter.lastText().startsWith(u"Total reimbursement of $10.50"_s));
        // The manager reads the invoice again: two staplers, $21.00 due.
        EXPECT_EQ(Column(manager, u"salesList"_s, 2), QStringList{u"2"_s});
        EXPECT_EQ((QStringList{Text(manager, u"amountDueText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$21.00"_s, u"$6.00"_s}));
        Click(manager, u"closeButton"_s);
    });
    const ChangeList changes = manage(staplers);
    EXPECT_EQ(t().items().GetStocked(stapler), 8);
    EXPECT_EQ(changes.ids(ListingKind::Stock).size(), 1);
    EXPECT_EQ(changes.ids(ListingKind::Invoices), QList<qint32>{staplers});
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
            EXPECT_EQ(Column(payments, u"paymentList"_s, 2),
                      (QStringList{u"$80.00"_s, u"$50.00"_s, u"$0.00"_s}));

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
    // The date as the user typed it, read back in its own form.
    const QList<CARRec> chain = t().receivables().RecordsWhere(u"[SIID] = ?"_s, {ledgers});
    ASSERT_EQ(chain.size(), 2);
    EXPECT_EQ(chain.at(1).Date, day(1997, 5, 21));
    EXPECT_TRUE(changes.ids(ListingKind::Invoices).contains(ledgers));
}

TEST_F(InvoiceWindows, AddingToAnInvoiceHidesTheTotalsAndTheManagerShowsTheNewBalance)
{
    b.payment(customer, ledgers, Money::fromWhole(80), Money::fromWhole(30));
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        WhenModalOpens(u"Record Sold Items"_s, [this](QDialog& sell) {
            // What the invoice owes in all is the manager's to show.
            for (const QString& hidden : {u"totalText"_s, u"amountPaidEdit"_s, u"balanceText"_s})
                EXPECT_TRUE(Child<QWidget>(sell, hidden)->isHidden()) << hidden.toStdString();
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
    EXPECT_TRUE(manage(ledgers).ids(ListingKind::Items).contains(stapler));
}

TEST_F(InvoiceWindows, TheManagersColumnWidthsSurviveARestart)
{
    const QList<int> defaults = {100, 100, 60, 100, 100, 120};
    const QList<int> widths = {150, 90, 61, 99, 77, 133};
    const auto resize = [](const QList<int>& expected, const QList<int>& next) {
        WhenModalOpens(u"Invoice Manager"_s, [expected, next](QDialog& manager) {
            QHeaderView* header = Child<QTreeWidget>(manager, u"salesList"_s)->header();
            for (int column = 0; column < next.size(); ++column) {
                EXPECT_EQ(header->sectionSize(column), expected.at(column)) << column;
                header->resizeSection(column, next.at(column));
            }
            manager.close(); // the window's own close
        });
    };
    resize(defaults, widths);
    manage(staplers);
    ASSERT_TRUE(settings.sync());

    // Subtotal is kept under "Width6" and Tax under "Width5".
    UserSettings restarted(home.filePath(u"user.ini"_s));
    EXPECT_EQ(restarted.number(u"SIManage"_s, u"Width6"_s), 77);
    EXPECT_EQ(restarted.number(u"SIManage"_s, u"Width5"_s), 133);
    resize(widths, widths);
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

TEST_F(InvoiceWindows, TheManagerOpensOnTheSelectedInvoiceTakesASaleOffAfterAYesAndTheListsFollow)
{
    launch();
    const RecordList& stock = show(ListingKind::Stock).list();
    const qsizetype lots = stock.count();
    RecordListView& invoices = show(ListingKind::Invoices);
    ASSERT_TRUE(invoices.selectByRecordID(staplers));
    WhenModalOpens(u"Invoice Manager"_s, [this](QDialog& manager) {
        auto* picker = Child<RecordPicker>(manager, u"invoicePicker"_s);
        EXPECT_EQ(picker->currentId(), staplers);
        // Another invoice through the picker, then back.
        picker->chooseId(ledgers);
        EXPECT_EQ(Column(manager, u"salesList"_s, 0), QStringList{u"Ledger"_s});
        picker->chooseId(staplers);

        // Delete from Invoice asks; No keeps the sale, Yes takes it off.
        SelectRow(manager, u"salesList"_s, 0);
        for (const bool yes : {false, true}) {
            prompter.answer({yes});
            Click(manager, u"deleteButton"_s);
            EXPECT_TRUE(prompter.log().constLast().question);
            EXPECT_EQ(Column(manager, u"salesList"_s, 0).size(), yes ? 0 : 1);
        }
        EXPECT_EQ((QStringList{Text(manager, u"amountDueText"_s), Text(manager, u"balanceText"_s)}),
                  (QStringList{u"$0.00"_s, u"-$15.00"_s}));
        Click(manager, u"deleteButton"_s); // nothing left to take off
        EXPECT_EQ(prompter.lastText(),
                  u"You must select an entry in the sales list before performing this operation."_s);
        Click(manager, u"closeButton"_s);
    });
    popUpCommand(ListingKind::Invoices, MainWindow::ManageInvoices)->trigger();
    EXPECT_FALSE(t().sales().LocateByID(sale));
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
