#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPickerModel.h"
#include "ui/purchasing/PurchasingCommands.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/purchasing/RecordReceivedModel.h"

#include "ScriptedFileChooser.h"
#include "TotalsFixture.h"

#include "WidgetDriver.h"

#include <QComboBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The purchasing dialogs as the user drives them: what they show and follow, and
// that a refused field gets the focus with its text selected. What the engine
// writes is its own tests'; one record here shows that the dialog saved.
namespace {

// Chooses the entry showing `text` as the user would.
void Choose(const QWidget& window, const QString& box, const QString& text)
{
    auto* combo = Child<QComboBox>(window, box);
    const int row = combo->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    combo->setCurrentIndex(row);
}

QString Current(const QWidget& window, const QString& box)
{
    return Child<QComboBox>(window, box)->currentText();
}

class PurchasingDialogs : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        acme = b.vendor(u"Acme Paper"_s);
        ledger = b.item({u"Ledger"_s, acme, NoID, Money::fromWhole(2, 5000), 5, 12});
        pencil = b.item({u"Pencil"_s, acme, NoID, Money::fromWhole(0, 7500), 0, 30});
    }
    QString shortDate(int y, int m, int d) const { return day(y, m, d).formatShortDate(UserLocale()); }

    FixedClock clock{QDateTime(QDate(1997, 7, 20), QTime(9, 30))};
    ScriptedFileChooser files;
    const DesktopServices services{prompter, files, clock};
    qint32 acme = NoID, ledger = NoID, pencil = NoID;
};

TEST_F(PurchasingDialogs, NewPurchaseOrderRefusesABadDateAtItsFieldThenCreatesThePurchaseOrder)
{
    const qint32 bolt = b.vendor(u"Bolt Supply"_s);
    const QString bad = u"13/45/1997"_s;
    WhenModalOpens(u"New Purchase Order"_s, [&](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, u"numberEdit"_s), u"5000"_s);
        EXPECT_TRUE(Enabled(dialog, u"numberEdit"_s));
        EXPECT_EQ(Text(dialog, u"vendorIdText"_s), FormatRecordId(acme));
        Choose(dialog, u"vendorBox"_s, u"Bolt Supply"_s);
        EXPECT_EQ(Text(dialog, u"vendorIdText"_s), FormatRecordId(bolt));
        Type(dialog, u"requiredDateEdit"_s, bad);
        Click(dialog, u"okButton"_s);
        ExpectFocusOn(dialog, u"requiredDateEdit"_s, bad);
        EXPECT_EQ(b.rows("PO"), 0);
        Type(dialog, u"requiredDateEdit"_s, shortDate(1997, 8, 1));
        Type(dialog, u"notesEdit"_s, u"Rush"_s);
        Click(dialog, u"okButton"_s);
    });
    qint32 created = NoID;
    const ChangeList changes = RunNewPO(nullptr, t(), services, NoID, &created);
    EXPECT_EQ(prompter.texts(), QStringList{StatusMessage(Status::InvalidDate)});
    ASSERT_NE(created, NoID);
    EXPECT_EQ(changes.ids(ListingKind::PurchaseOrders), QList<qint32>{created});
    EXPECT_EQ(b.read<CPORec>(created).VendorID, bolt);

    // Modifying it shows its fields; its number cannot be edited there.
    WhenModalOpens([&](QDialog& dialog) {
        EXPECT_FALSE(Enabled(dialog, u"numberEdit"_s));
        EXPECT_EQ(Text(dialog, u"notesEdit"_s), u"Rush"_s);
        Type(dialog, u"notesEdit"_s, u"Rush, call first"_s);
        Click(dialog, u"okButton"_s);
    });
    qint32 again = NoID;
    EXPECT_EQ(RunNewPO(nullptr, t(), services, created, &again).ids(ListingKind::PurchaseOrders),
              QList<qint32>{created});
    EXPECT_EQ(again, NoID);
    EXPECT_EQ(b.read<CPORec>(created).Notes, u"Rush, call first"_s);
}

TEST_F(PurchasingDialogs, RecordOrderTakesTwoLinesWithNextAndShowsTheItemsFiguresThenModifyRewritesOne)
{
    const qint32 po = b.po(5000, acme);
    qint32 newPO = NoID;
    WhenModalOpens(u"Record Order"_s, [&](QDialog& dialog) {
        EXPECT_EQ(Current(dialog, u"itemBox"_s), u"Ledger"_s);
        EXPECT_EQ(Current(dialog, u"poBox"_s), u"005000"_s);
        const auto figures = [&] {
            return QStringList{Text(dialog, u"stockedText"_s), Text(dialog, u"orderedText"_s),
                               Text(dialog, u"quantityEdit"_s)};
        };
        EXPECT_EQ(figures(), (QStringList{u"5"_s, u"0"_s, u"12"_s}));

        // The figures and the proposed quantity follow the item picker and the lines taken.
        Choose(dialog, u"itemBox"_s, u"Pencil"_s);
        EXPECT_EQ(figures(), (QStringList{u"0"_s, u"0"_s, u"30"_s}));
        Choose(dialog, u"itemBox"_s, u"Ledger"_s);
        Type(dialog, u"quantityEdit"_s, u"10"_s);
        Click(dialog, u"nextButton"_s);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(figures(), (QStringList{u"5"_s, u"10"_s, u"12"_s}));

        // The second line goes to a purchase order raised from here.
        WhenModalOpens(u"New Purchase Order"_s, [&](QDialog& raise) { Click(raise, u"okButton"_s); });
        Click(dialog, u"newPOButton"_s);
        EXPECT_EQ(Current(dialog, u"poBox"_s), u"005001"_s);
        newPO = Child<QComboBox>(dialog, u"poBox"_s)->currentData(RecordPickerModel::IdRole).toInt();
        Choose(dialog, u"itemBox"_s, u"Pencil"_s);
        Type(dialog, u"quantityEdit"_s, u"7"_s);
        Click(dialog, u"okButton"_s);
    });
    const ChangeList changes = RunRecordOrder(nullptr, t(), services, ledger);
    EXPECT_TRUE(prompter.log().isEmpty()) << prompter.lastText().toStdString();
    ASSERT_NE(newPO, po);
    // Both purchase orders changed, the one of the last line last.
    const QList<qint32> pos = changes.ids(ListingKind::PurchaseOrders);
    EXPECT_TRUE(pos.contains(po));
    EXPECT_EQ(pos.value(pos.size() - 1), newPO);
    const QList<qint32> lines = t().orders().IDsWhere(u"[ID] > 0"_s);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(b.read<COrderRec>(lines.at(1)).POID, newPO);

    WhenModalOpens(u"Modify Recorded Order #"_s + FormatRecordId(lines.at(0)), [&](QDialog& dialog) {
        EXPECT_FALSE(Enabled(dialog, u"nextButton"_s));
        EXPECT_EQ(Text(dialog, u"quantityEdit"_s), u"10"_s);
        Type(dialog, u"quantityEdit"_s, u"0"_s);
        Click(dialog, u"okButton"_s);
        ExpectFocusOn(dialog, u"quantityEdit"_s, u"0"_s);
        Type(dialog, u"quantityEdit"_s, u"4"_s);
        Click(dialog, u"okButton"_s);
    });
    EXPECT_EQ(RunModifyRecordedOrder(nullptr, t(), services, lines.at(0)).ids(ListingKind::Items),
              QList<qint32>{ledger});
    EXPECT_EQ(b.read<COrderRec>(lines.at(0)).Quanity, 4);
}

TEST_F(PurchasingDialogs, RecordReceivedTakesAPartialReceiptOnBackorderAndRefusesANegativeCost)
{
    const qint32 old = b.po(4999, acme, day(1997, 2, 1));
    b.orderLine(pencil, old, 3);
    const qint32 po = b.po(5000, acme);
    const qint32 ledgerLine = b.orderLine(ledger, po, 10);
    b.orderLine(pencil, po, 5);
    const QString received = shortDate(1997, 7, 18);
    const QString cost = FormatCurrencyField(Money::fromWhole(3));
    prompter.answer({true}); // keep the backorder
    WhenModalOpens(u"Record Received Order"_s, [&](QDialog& dialog) {
        auto* orders = Child<QComboBox>(dialog, u"orderBox"_s);
        EXPECT_EQ(
            (QStringList{Current(dialog, u"poBox"_s), orders->currentText(), Text(dialog, u"quantityEdit"_s),
                         Text(dialog, u"costEdit"_s), Text(dialog, u"vendorNameText"_s),
                         Text(dialog, u"orderDateText"_s)}),
            (QStringList{u"005000"_s, u"Ledger"_s, u"10"_s, FormatCurrencyField(Money::fromWhole(2, 5000)),
                         u"Acme Paper"_s, shortDate(1997, 3, 1)}));
        EXPECT_EQ(orders->count(), 2);

        // The order box follows the purchase order, the figures the order line.
        Choose(dialog, u"poBox"_s, u"004999"_s);
        EXPECT_EQ(orders->count(), 1);
        EXPECT_EQ(Text(dialog, u"orderDateText"_s), shortDate(1997, 2, 1));
        Choose(dialog, u"poBox"_s, u"005000"_s);
        Choose(dialog, u"orderBox"_s, u"Pencil"_s);
        EXPECT_EQ(Text(dialog, u"quantityEdit"_s), u"5"_s);
        Choose(dialog, u"orderBox"_s, u"Ledger"_s);

        // Amounts and dates take their own form when the focus leaves them.
        Type(dialog, u"quantityEdit"_s, u"4"_s);
        Type(dialog, u"costEdit"_s, u"3"_s);
        LoseFocus(dialog, u"costEdit"_s);
        EXPECT_EQ(Text(dialog, u"costEdit"_s), cost);
        Type(dialog, u"dateEdit"_s, u"1997-07-18"_s);
        LoseFocus(dialog, u"dateEdit"_s);
        EXPECT_EQ(Text(dialog, u"dateEdit"_s), received);

        // Next asks about the backorder, keeps it in the box with what is left,
        // and starts again at the date.
        Click(dialog, u"nextButton"_s);
        EXPECT_EQ(prompter.pendingAnswers(), 0);
        ExpectFocusOn(dialog, u"dateEdit"_s, received);
        EXPECT_EQ(orders->count(), 2);
        EXPECT_EQ(orders->currentText(), u"Ledger"_s);
        EXPECT_EQ(Text(dialog, u"quantityEdit"_s), u"6"_s);

        Choose(dialog, u"orderBox"_s, u"Pencil"_s);
        Type(dialog, u"costEdit"_s, u"-1"_s);
        Click(dialog, u"okButton"_s);
        ExpectFocusOn(dialog, u"costEdit"_s, u"-1"_s);
        EXPECT_EQ(prompter.lastText(), RecordReceivedModel::invalidCostMessage());
        EXPECT_EQ(b.rows("Received"), 1);
        Type(dialog, u"costEdit"_s, u"1.25"_s);
        Click(dialog, u"okButton"_s);
    });
    const ChangeList changes = RunRecordReceived(nullptr, t(), services);
    EXPECT_TRUE(b.read<COrderRec>(ledgerLine).BackOrder);
    const QList<qint32> lots = changes.ids(ListingKind::Stock);
    ASSERT_EQ(lots.size(), 2);
    EXPECT_EQ(b.read<CStockRec>(lots.at(0)).Date, day(1997, 7, 18));
}

} // namespace
