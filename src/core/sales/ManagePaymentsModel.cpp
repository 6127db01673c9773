#include "ManagePaymentsModel.h"

#include "InvoiceArithmetic.h"
#include "InvoiceTexts.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"

ManagePaymentsModel::ManagePaymentsModel(ProjectTables& tables, Prompter& prompter, qint32 invoiceID)
    : m_tables(tables), m_prompter(prompter), m_invoiceEntries(InvoicePickerEntries(tables))
{
    selectInvoice(invoiceID);
}

QString ManagePaymentsModel::caption() const
{
    return QStringLiteral("Manage Payments");
}

std::array<QString, ManagePaymentsModel::kColumnCount> ManagePaymentsModel::columnCaptions()
{
    return {QStringLiteral("Date"), QStringLiteral("Paid"), QStringLiteral("Balance")};
}

void ManagePaymentsModel::selectInvoice(qint32 invoiceID)
{
    m_invoiceID = PickerIndexOf(m_invoiceEntries, invoiceID) >= 0 ? invoiceID : NoSelection;
    m_selectedPaymentID = NoSelection;
    load();
}

void ManagePaymentsModel::load()
{
    m_customerText.clear();
    m_dateText.clear();
    m_amountDueText.clear();
    m_amountPaidText.clear();
    m_balanceText.clear();
    m_rows.clear();

    CSIRec invoice;
    if (m_invoiceID == NoSelection || !m_tables.invoices().RecordRead(invoice, m_invoiceID)) {
        m_selectedPaymentID = NoSelection;
        return;
    }
    m_customerText = InvoiceCustomerText(m_tables, invoice.CustomerID);
    m_dateText = ShortDateText(invoice.Date);

    Money due, paid, balance;
    ComputeInvoiceBalance(m_tables.receivables(), m_invoiceID, due, paid, balance);
    m_amountDueText = FormatCurrency(due);
    m_amountPaidText = FormatCurrency(paid);
    m_balanceText = FormatCurrency(balance);

    const QList<CARRec> payments = m_tables.receivables().RecordsWhere(
        QStringLiteral("[SIID] = ?"), {m_invoiceID}, QStringLiteral("[ID]"),
        {QStringLiteral("Date"), QStringLiteral("Paid"), QStringLiteral("Due")});
    bool selectionKept = false;
    for (const CARRec& payment : payments) {
        Row row;
        row.paymentID = payment.ID;
        row.dateText = ShortDateText(payment.Date);
        row.paid = payment.Paid;
        row.balance = payment.Due - payment.Paid;
        row.paidText = FormatCurrency(row.paid);
        row.balanceText = FormatCurrency(row.balance);
        m_rows.append(row);
        selectionKept = selectionKept || payment.ID == m_selectedPaymentID;
    }
    if (!selectionKept)
        m_selectedPaymentID = NoSelection;
}

void ManagePaymentsModel::selectRow(qint32 paymentID)
{
    m_selectedPaymentID = NoSelection;
    for (const Row& row : std::as_const(m_rows)) {
        if (row.paymentID == paymentID)
            m_selectedPaymentID = paymentID;
    }
}

bool ManagePaymentsModel::requireInvoice()
{
    if (m_invoiceID != NoSelection)
        return true;
    warn(m_prompter, QStringLiteral("You must first select a valid invoice from the list."));
    return false;
}

bool ManagePaymentsModel::requireRow()
{
    if (m_selectedPaymentID != NoSelection)
        return true;
    warn(m_prompter, QStringLiteral("You must select an entry in the payment list before performing this "
                                    "operation."));
    return false;
}

ManagePaymentsAction ManagePaymentsModel::addPayment()
{
    if (!requireInvoice())
        return {};
    return {ManagePaymentsAction::Kind::AddPayment, m_invoiceID, NoSelection};
}

ManagePaymentsAction ManagePaymentsModel::editPayment()
{
    if (!requireInvoice() || !requireRow())
        return {};
    return {ManagePaymentsAction::Kind::ModifyPayment, m_invoiceID, m_selectedPaymentID};
}

bool ManagePaymentsModel::deletePayment()
{
    if (!requireInvoice() || !requireRow())
        return false;
    // The first payment holds the invoice's total for the whole chain.
    if (!m_rows.isEmpty() && m_rows.constFirst().paymentID == m_selectedPaymentID) {
        warn(m_prompter,
             QStringLiteral("You may not delete the intial payment record of an invoice, although "
                            "you may edit it."));
        return false;
    }
    if (!m_prompter.askYesNo(
            QStringLiteral("You are about to permanently delete the selected payment, affecting "
                           "the remaining invoice balance.\n\nAre you sure you wish to continue?"),
            AppTitle(), Prompter::Icon::Question))
        return false;

    const qint32 paymentID = m_selectedPaymentID;
    bool deleted = false;
    bool rewritten = false;
    {
        Transaction transaction(m_tables.database());
        deleted = transaction.isActive() && m_tables.receivables().RecordDelete(paymentID);
        rewritten =
            deleted &&
            RecomputeInvoiceDues(m_tables.receivables(), nullptr, m_invoiceID) != Status::OperationFailed &&
            transaction.commit();
    }
    if (!deleted) {
        warn(m_prompter, QStringLiteral("Uanble to delete the selected payment record."));
        refresh();
        return false;
    }
    if (!rewritten) {
        ReportOperationFailure(m_prompter, m_tables.database());
        refresh();
        return false;
    }
    m_changes.add(ListingKind::Invoices, m_invoiceID);
    m_changes.add(UnlistedKind::Receivables, paymentID);
    AddInvoiceReceivables(m_tables.receivables(), m_invoiceID, m_changes);
    m_deletedPaymentIDs.append(paymentID);
    m_selectedPaymentID = NoSelection;
    refresh();
    return true;
}

void ManagePaymentsModel::childClosed(const ChangeList& changes)
{
    m_changes.merge(changes);
    refresh();
}

void ManagePaymentsModel::refresh()
{
    m_invoiceEntries = InvoicePickerEntries(m_tables);
    if (PickerIndexOf(m_invoiceEntries, m_invoiceID) < 0)
        m_invoiceID = NoSelection;
    load();
}
