#include "core/sales/ManagePaymentsModel.h"
#include "core/sales/RecordCustomerPaymentModel.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"

#include "TotalsFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Invoice 5000 of Harbor Books: one ledger at $100.00, $20.00 paid at the counter.
class Payments : public TotalsFixture
{
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
        customer = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s);
        item = b.item({u"Ledger"_s, b.vendor(u"Acme Paper"_s)});
        invoice = b.invoice(customer, 5000);
        b.sale(item, invoice, 1, Money::fromWhole(100));
        counter = b.payment(customer, invoice, Money::fromWhole(100), Money::fromWhole(20));
    }
    // Records a payment through the dialog; its ID, or NoID when refused.
    qint32 pay(const QString& amount, qint32 invoiceID = NoID)
    {
        RecordCustomerPaymentModel dialog(t(), prompter, clock);
        EXPECT_TRUE(dialog.setPayment(invoiceID == NoID ? invoice : invoiceID).checkPrerequisites());
        dialog.setAmountText(amount);
        return dialog.save().saved ? dialog.paymentID() : NoID;
    }
    static QStringList balances(const ManagePaymentsModel& manage)
    {
        QStringList out;
        for (const ManagePaymentsModel::Row& row : manage.rows())
            out.append(row.balanceText);
        return out;
    }

    FixedClock clock{QDateTime(QDate(1997, 5, 15), QTime(9, 30))};
    qint32 customer = NoID, item = NoID, invoice = NoID, counter = NoID;
};

TEST_F(Payments, PaymentsExtendTheChainAndManagePaymentsShowsIt)
{
    RecordCustomerPaymentModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.setPayment(invoice).checkPrerequisites());
    EXPECT_EQ((QStringList{dialog.customerText(), dialog.dateText(), dialog.amountText()}),
              (QStringList{u"Harbor Books, Ada Lind"_s, u"5/15/1997"_s, u"$0.00"_s}));
    dialog.setAmountText(u"30"_s);
    dialog.setDateText(u"5/20/97"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(b.read<CARRec>(dialog.paymentID()).Date, day(1997, 5, 20));

    pay(u"$50.00"_s);
    ManagePaymentsModel manage(t(), prompter, invoice);
    EXPECT_EQ((QStringList{manage.amountPaidText(), manage.balanceText()}),
              (QStringList{u"$100.00"_s, u"$0.00"_s}));
    EXPECT_EQ(balances(manage), (QStringList{u"$80.00"_s, u"$50.00"_s, u"$0.00"_s}));

    // More than is owed: nothing refuses it.
    pay(u"15"_s);
    manage.refresh();
    EXPECT_EQ(manage.balanceText(), u"-$15.00"_s);
}

TEST_F(Payments, DeletingALaterPaymentOrEditingTheFirstRewritesEveryDueAfterIt)
{
    const qint32 thirty = pay(u"30.00"_s);
    pay(u"50.00"_s);
    ManagePaymentsModel manage(t(), prompter, invoice);
    manage.selectRow(counter);
    EXPECT_FALSE(manage.deletePayment());
    EXPECT_EQ(prompter.lastText(),
              u"You may not delete the intial payment record of an invoice, although you may edit it."_s);

    manage.selectRow(thirty);
    prompter.answer({false, true});
    EXPECT_FALSE(manage.deletePayment());
    EXPECT_EQ(last().text,
              u"You are about to permanently delete the selected payment, affecting the remaining "
              u"invoice balance.\n\nAre you sure you wish to continue?"_s);
    EXPECT_TRUE(manage.deletePayment());
    EXPECT_EQ(b.dues(invoice), QList<double>({100, 80}));

    manage.selectRow(counter);
    const ManagePaymentsAction edit = manage.editPayment();
    RecordCustomerPaymentModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.setPayment(edit.invoiceID, edit.paymentID).checkPrerequisites());
    EXPECT_EQ(dialog.amountText(), u"$20.00"_s);
    dialog.setAmountText(u"0"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(b.dues(invoice), QList<double>({100, 100}));
    manage.childClosed(dialog.changes());
    EXPECT_EQ(manage.balanceText(), u"$50.00"_s);
}

TEST_F(Payments, ModifyingAPaymentKeepsEveryDecimalOfItsAmount)
{
    const qint32 odd = b.payment(customer, invoice, Money::fromWhole(80), Money::fromTenThousandths(123456));
    RecordCustomerPaymentModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.setPayment(invoice, odd).checkPrerequisites());
    EXPECT_EQ(dialog.amountText(), u"$12.3456"_s);
    dialog.reformatAmount();
    dialog.setDateText(u"5/20/97"_s);
    ASSERT_TRUE(dialog.save().saved);
    EXPECT_EQ(b.read<CARRec>(odd).Paid, Money::fromTenThousandths(123456));
}

TEST_F(Payments, ButtonsAndTheDialogRefuseWhatTheyCannotDo)
{
    ManagePaymentsModel manage(t(), prompter);
    EXPECT_EQ(manage.addPayment().kind, ManagePaymentsAction::Kind::None);
    EXPECT_EQ(manage.editPayment().kind, ManagePaymentsAction::Kind::None);
    EXPECT_FALSE(manage.deletePayment());
    EXPECT_EQ(prompter.texts(), QStringList(3, u"You must first select a valid invoice from the list."_s));
    manage.selectInvoice(EntryId(manage.invoiceEntries().value(0)));
    EXPECT_EQ(manage.editPayment().kind, ManagePaymentsAction::Kind::None);
    EXPECT_EQ(prompter.lastText(),
              u"You must select an entry in the payment list before performing this operation."_s);

    // A payment of another invoice is not this invoice's to edit.
    const qint32 unpaid = b.invoice(customer, 5001);
    RecordCustomerPaymentModel elsewhere(t(), prompter, clock);
    EXPECT_FALSE(elsewhere.setPayment(unpaid, counter).checkPrerequisites());
    EXPECT_EQ(prompter.lastText(), u"Unable to locate the specified payment record."_s);

    RecordCustomerPaymentModel dialog(t(), prompter, clock);
    ASSERT_TRUE(dialog.setPayment(invoice).checkPrerequisites());
    dialog.setDateText(u"2/30/1997"_s);
    EXPECT_EQ(dialog.save().focus, RecordCustomerPaymentModel::Field::Date);
    EXPECT_EQ(prompter.lastText(), u"Please specify a valid Date."_s);
    dialog.setDateText(u"5/20/1997"_s);
    dialog.setAmountText(u"ten dollars"_s);
    EXPECT_EQ(dialog.save().focus, RecordCustomerPaymentModel::Field::Amount);
    EXPECT_EQ(prompter.lastText(), u"Please specify a valid Amount."_s);
    EXPECT_EQ(b.rows("AR"), 1);

    // An invoice left without receivables (its sale dialog was cancelled) still
    // owes what its sales add up to.
    b.sale(item, unpaid, 1, Money::fromWhole(40));
    ASSERT_NE(pay(u"15.00"_s, unpaid), NoID);
    EXPECT_EQ(b.dues(unpaid), QList<double>({40}));
}

TEST_F(Payments, FailedWritesLeaveTheChainAsItWas)
{
    const qint32 thirty = pay(u"30.00"_s);
    failEvery("INSERT", "AR");
    EXPECT_EQ(pay(u"50.00"_s), NoID);
    EXPECT_EQ(prompter.lastText(), u"Unable to add this payment record."_s);

    // The payment is written but the chain cannot follow: both are taken back.
    ASSERT_TRUE(project.db().execNative(u"DROP TRIGGER fail_INSERT_AR"_s));
    failEvery("UPDATE", "AR");
    EXPECT_EQ(pay(u"50.00"_s), NoID);
    EXPECT_EQ(prompter.lastText(), StatusMessage(Status::OperationFailed));
    EXPECT_EQ(b.rows("AR"), 2);

    RecordCustomerPaymentModel modify(t(), prompter, clock);
    ASSERT_TRUE(modify.setPayment(invoice, thirty).checkPrerequisites());
    EXPECT_FALSE(modify.save().saved);
    EXPECT_EQ(prompter.lastText(), u"Unable to modify this payment record."_s);

    failEvery("DELETE", "AR");
    ManagePaymentsModel manage(t(), prompter, invoice);
    manage.selectRow(thirty);
    prompter.answer({true});
    EXPECT_FALSE(manage.deletePayment());
    EXPECT_EQ(prompter.lastText(), u"Uanble to delete the selected payment record."_s);
    EXPECT_EQ(b.dues(invoice), QList<double>({100, 80}));
}

} // namespace
