#include "RecordCustomerPaymentModel.h"

#include "InvoiceArithmetic.h"
#include "InvoiceTexts.h"

#include "core/common/Clock.h"
#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

#include <optional>

namespace {

// The amount field: empty text counts as nothing paid.
std::optional<Money> ParseAmount(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Money();
    const std::optional<Money> amount = ParseCurrency(trimmed);
    if (!amount || !amount->isValid())
        return std::nullopt;
    return amount;
}

} // namespace

RecordCustomerPaymentModel::RecordCustomerPaymentModel(ProjectTables& tables, Prompter& prompter,
                                                       const Clock& clock)
    : m_tables(tables), m_prompter(prompter), m_clock(clock)
{
}

QString RecordCustomerPaymentModel::helpLine() const
{
    return QStringLiteral("Record payments by customer toward their invoice balance.");
}

QString RecordCustomerPaymentModel::caption() const
{
    return isModify() ? QStringLiteral("Modify Customer Payment") : QStringLiteral("Record Customer Payment");
}

RecordCustomerPaymentModel& RecordCustomerPaymentModel::setPayment(qint32 invoiceID, qint32 paymentID)
{
    m_invoiceID = invoiceID;
    m_paymentID = paymentID > 0 ? paymentID : NoSelection;
    m_missing = fill();
    return *this;
}

bool RecordCustomerPaymentModel::checkPrerequisites()
{
    switch (m_missing) {
    case Missing::Nothing:
        return true;
    case Missing::Invoice:
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return false;
    case Missing::Payment:
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to locate the specified payment record."));
        return false;
    }
    return false;
}

RecordCustomerPaymentModel::Missing RecordCustomerPaymentModel::fill()
{
    CSIRec invoice;
    if (!m_tables.invoices().RecordRead(invoice, m_invoiceID))
        return Missing::Invoice;
    m_customerText = InvoiceCustomerText(m_tables, invoice.CustomerID);
    m_invoiceText = WholeNumberText(invoice.Number);

    if (!isModify()) {
        m_dateText = ShortDateText(TodayFrom(m_clock));
        m_amountText = FormatCurrency(Money());
        return Missing::Nothing;
    }
    CARRec payment;
    // A receivable of another invoice is not one of this invoice's payments.
    if (!m_tables.receivables().RecordRead(payment, m_paymentID) || payment.SIID != m_invoiceID)
        return Missing::Payment;
    m_dateText = ShortDateText(payment.Date);
    m_amountText = FormatCurrencyField(payment.Paid);
    return Missing::Nothing;
}

void RecordCustomerPaymentModel::reformatDate()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (date.isValid())
        m_dateText = ShortDateText(date);
}

void RecordCustomerPaymentModel::reformatAmount()
{
    if (const std::optional<Money> amount = ParseAmount(m_amountText))
        m_amountText = FormatCurrencyField(*amount);
}

RecordCustomerPaymentModel::Result RecordCustomerPaymentModel::save()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Please specify a valid Date."));
        return Result::refused(Field::Date);
    }
    // Text that is no amount would be written as no value at all and break every
    // balance of the invoice.
    const std::optional<Money> amount = ParseAmount(m_amountText);
    if (!amount) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Please specify a valid Amount."));
        return Result::refused(Field::Amount);
    }
    CSIRec invoice;
    if (!m_tables.invoices().RecordRead(invoice, m_invoiceID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return Result::refused();
    }

    enum class Failure
    {
        None,
        Add,
        Modify,
        Other
    };
    Failure failure = Failure::Other;
    CARRec payment;
    {
        Transaction transaction(m_tables.database());
        if (transaction.isActive()) {
            CARSet& receivables = m_tables.receivables();
            // The first receivable of an invoice carries its total; one written
            // here starts the chain at what the invoice's sales add up to.
            std::optional<Money> newTotal;
            if (receivables.CountWhere(QStringLiteral("[SIID] = ?"), {m_invoiceID}) == 0)
                newTotal = ComputeInvoiceTotal(m_tables, m_invoiceID);
            bool written = false;
            if (isModify()) {
                written = receivables.RecordRead(payment, m_paymentID);
                payment.Paid = *amount;
                payment.Date = date.dateOnly();
                written = written && receivables.RecordModify(payment);
                failure = written ? Failure::Other : Failure::Modify;
            } else {
                payment.CustomerID = invoice.CustomerID;
                payment.SIID = m_invoiceID;
                payment.Date = date.dateOnly();
                payment.Paid = *amount;
                payment.Due = Money();
                written = receivables.RecordAdd(payment);
                failure = written ? Failure::Other : Failure::Add;
            }
            if (written &&
                RecomputeInvoiceDues(receivables, nullptr, m_invoiceID, newTotal) == Status::Success &&
                transaction.commit())
                failure = Failure::None;
        }
    }
    switch (failure) {
    case Failure::None:
        break;
    case Failure::Add:
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to add this payment record."));
        return Result::refused();
    case Failure::Modify:
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to modify this payment record."));
        return Result::refused();
    case Failure::Other:
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }

    // A second OK rewrites this payment rather than recording it again.
    m_paymentID = payment.ID;
    m_savedID = payment.ID;
    m_changes.add(ListingKind::Invoices, m_invoiceID);
    AddInvoiceReceivables(m_tables.receivables(), m_invoiceID, m_changes);
    if (!m_paymentIDs.contains(payment.ID))
        m_paymentIDs.append(payment.ID);
    return Result::ok();
}
