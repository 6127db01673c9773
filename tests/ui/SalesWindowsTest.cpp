#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/sales/SalesCommands.h"

#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/sales/ProjectConsistency.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"
#include "core/views/RecordList.h"

#include "DesktopDriver.h"
#include "WidgetDriver.h"

#include <QListView>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Record Sale and Undo Sale as the user drives them. Which lots a sale takes, at
// what cost, and what the invoice owes are the engine's tests'; here one figure
// shows that the sale was recorded.
namespace {

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

class SalesWindows : public DesktopFixture
{
protected:
    SalesWindows() : DesktopFixture(QDate(2026, 3, 9)) {}
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        vendor = build.vendor(u"Acme Paper"_s);
        customer = build.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
    }
    void TearDown() override
    {
        DesktopFixture::TearDown();
        const ConsistencyReport report = CheckProjectConsistency(tables());
        EXPECT_TRUE(report.isConsistent()) << report.all().join(u'\n').toStdString();
    }

    ProjectTables& tables() { return project.tables(); }
    RecordListView& show(ListingKind kind) { return ShowList(window(), kind); }
    qint32 item(const QString& name, Money price, qint32 stocked, bool taxable = false, float rate = 0.0f)
    {
        return build.pricedItem({.name = name, .vendor1 = vendor, .stocked = stocked, .taxable = taxable},
                                price, rate);
    }

    DesktopServices services{prompter, files, clock};
    qint32 vendor = NoID, customer = NoID;
};

TEST_F(SalesWindows, ASaleOfThreeLinesShowsItsTotalsAndSkipsTheLineThatLostItsStock)
{
    const qint32 widget = item(u"Widget"_s, M(10), 10);
    const qint32 gadget = item(u"Gadget"_s, M(4), 2);
    const qint32 nut = item(u"Nut"_s, M(1), 10, true, 5.0f);

    WhenModalOpens(u"New Sales Invoice"_s, [&](QDialog& invoice) {
        EXPECT_EQ(Text(invoice, u"numberEdit"_s), u"5000"_s);
        EXPECT_TRUE(Enabled(invoice, u"numberEdit"_s));
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

        WhenModalOpens(u"Record Sold Items"_s, [&](QDialog& sale) {
            EXPECT_EQ(Text(sale, u"invoiceText"_s), u"INVOICE : 5000"_s);
            EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), NoSelection);
            Child<RecordPicker>(sale, u"itemBox"_s)->chooseId(widget);
            EXPECT_EQ((QStringList{Text(sale, u"itemIdText"_s), Text(sale, u"stockedText"_s),
                                   Text(sale, u"priceEdit"_s)}),
                      (QStringList{FormatRecordId(widget), u"10"_s, FormatCurrencyField(M(10))}));
            AddLine(sale, widget, 7);
            EXPECT_EQ(Text(sale, u"stockedText"_s), u"3"_s); // what the pending line leaves
            AddLine(sale, gadget, 2);
            AddLine(sale, nut, 3);
            auto* lines = Child<QListWidget>(sale, u"saleList"_s);
            ASSERT_EQ(lines->count(), 3);
            EXPECT_EQ(lines->item(0)->text(), u"7 x %1 (Widget)"_s.arg(FormatCurrencyField(M(10))));
            EXPECT_EQ((QStringList{Text(sale, u"subtotalText"_s), Text(sale, u"taxText"_s),
                                   Text(sale, u"totalText"_s)}),
                      (QStringList{FormatCurrency(M(81)), FormatCurrency(M(0, 1500)),
                                   FormatCurrency(M(81, 1500))}));

            // The balance follows the amount paid when the field is left.
            Type(sale, u"amountPaidEdit"_s, u"20"_s);
            LoseFocus(sale, u"amountPaidEdit"_s);
            EXPECT_EQ(Text(sale, u"balanceText"_s), FormatCurrency(M(61, 1500)));

            // The gadgets go elsewhere while the sale is being put together.
            build.remove<CStockRec>(tables().stock().FirstIDWhere(u"[ItemID] = ?"_s, {gadget}));
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
    EXPECT_EQ((QList<qint32>{invoice.Number, invoice.CustomerID, invoice.PayMethod}),
              (QList<qint32>{5000, customer, 1}));
    EXPECT_EQ(tables().sales().CountWhere(u"[SIID] = ?"_s, {invoiceID}), 2);
    EXPECT_EQ(tables().receivables().RecordsWhere(u"[SIID] = ?"_s, {invoiceID}).value(0).Paid, M(20));
}

TEST_F(SalesWindows, RefusedLinesKeepTheDialogAndItsPendingLinesAndWriteNothing)
{
    const qint32 pin = item(u"Pin"_s, M(0, 100), 1000);
    const qint32 invoiceID = build.invoice(customer, 5000);
    WhenModalOpens([&](QDialog& sale) {
        // Started on the pin, as Record Sale does from the item list.
        EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), pin);
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

        // No units, then a price that is no amount: each field takes the focus.
        const struct
        {
            QString quantity, price, refused;
        } cases[] = {{u"0"_s, u"0.01"_s, u"quantityEdit"_s}, {u"1"_s, u"cheap"_s, u"priceEdit"_s}};
        for (const auto& c : cases) {
            Type(sale, u"quantityEdit"_s, c.quantity);
            Type(sale, u"priceEdit"_s, c.price);
            Click(sale, u"addButton"_s);
            auto* refused = Child<QLineEdit>(sale, c.refused);
            EXPECT_EQ(sale.focusWidget(), refused) << c.refused.toStdString();
            EXPECT_EQ(refused->selectedText(), refused->text());
            EXPECT_EQ(lines->count(), 1);
        }
        EXPECT_EQ(prompter.texts().value(0), StatusMessage(Status::InvalidQuantity));
        sale.reject();
    });
    EXPECT_TRUE(RunRecordSoldItems(nullptr, tables(), services, invoiceID, false, pin).isEmpty());
    EXPECT_EQ(build.rows("Sales"), 0);
}

TEST_F(SalesWindows, RecordSaleFromTheItemListStartsOnTheSelectedItemAndTheListsFollow)
{
    build.item({.name = u"Clip"_s, .vendor1 = vendor, .stocked = 3});
    const qint32 widget = item(u"Widget"_s, M(10), 6);
    launch();
    RecordListView& items = show(ListingKind::Items);
    ASSERT_TRUE(items.selectByRecordID(widget));
    EXPECT_TRUE(PopUpCommand(window(), ListingKind::Customers, MainWindow::RecordSale)->isEnabled());
    PopUpCommand(window(), ListingKind::Invoices, MainWindow::RecordSale);
    WhenModalOpens([&](QDialog& invoice) {
        WhenModalOpens([&](QDialog& sale) {
            EXPECT_EQ(Child<RecordPicker>(sale, u"itemBox"_s)->currentId(), widget);
            Type(sale, u"quantityEdit"_s, u"4"_s);
            Click(sale, u"addButton"_s);
            Click(sale, u"okButton"_s);
        });
        Click(invoice, u"okButton"_s);
    });
    PopUpCommand(window(), ListingKind::Items, MainWindow::RecordSale)->trigger();
    EXPECT_TRUE(prompter.log().isEmpty()) << prompter.lastText().toStdString();
    // The sold item's row shows what is left, and stays selected.
    EXPECT_EQ(items.selectedRecordID(), widget);
    EXPECT_EQ(items.list().cellText(items.list().positionOfRecord(widget), 5), u"2"_s); // Stocked
    EXPECT_EQ(show(ListingKind::Invoices).list().count(), 1);

    // Without a list in the right pane there is nothing to sell from.
    ASSERT_TRUE(window().navigationTree()->selectCaption(u"Customer Balances"_s));
    {
        const NoModalMayOpen guard;
        window().action(MainWindow::RecordSale)->trigger();
    }
    EXPECT_EQ(prompter.lastText(), u"This option is only valid for list views."_s);
    EXPECT_EQ(build.rows("SI"), 1);
}

TEST_F(SalesWindows, UndoSaleOnTheInvoiceListPutsTheStockBackAfterYesAndNothingAfterNo)
{
    const qint32 widget = item(u"Widget"_s, M(10), 6);
    const qint32 invoice = build.invoice(customer, 5000);
    RecordSoldItemsModel sale(tables(), prompter);
    sale.setInvoice(invoice);
    sale.selectItem(widget);
    sale.setQuantityText(u"4"_s);
    ASSERT_TRUE(sale.addLine().saved);
    ASSERT_TRUE(sale.save().saved);
    launch();

    QAction* undo = window().action(MainWindow::UndoSale);
    show(ListingKind::Items).selectByRecordID(widget);
    EXPECT_FALSE(undo->isEnabled()); // the item list
    RecordListView& invoices = show(ListingKind::Invoices);
    invoices.clearSelection();
    EXPECT_FALSE(undo->isEnabled()); // no invoice selected
    ASSERT_TRUE(invoices.selectByRecordID(invoice));
    ASSERT_TRUE(PopUpCommand(window(), ListingKind::Invoices, MainWindow::UndoSale)->isEnabled());

    for (const bool yes : {false, true}) {
        prompter.clear();
        prompter.answer({yes});
        undo->trigger();
        EXPECT_EQ(prompter.texts(), QStringList{RemoveSaleQuestion()});
        EXPECT_EQ(build.rows("Sales"), yes ? 0 : 1);
    }
    // The invoice stays listed and selected; the stock list shows the lot put back.
    EXPECT_EQ(invoices.selectedRecordID(), invoice);
    EXPECT_EQ(show(ListingKind::Stock).list().count(), 2);
}

} // namespace
