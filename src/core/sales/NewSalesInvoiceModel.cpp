#include "NewSalesInvoiceModel.h"

#include "InvoiceArithmetic.h"

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

#include <optional>

NewSalesInvoiceModel::NewSalesInvoiceModel(ProjectTables& tables, Prompter& prompter, const Clock& clock)
    : m_tables(tables), m_prompter(prompter)
{
    m_numberText = QString::number(m_tables.invoices().NextNumber());
    m_dateText = ShortDateText(TodayFrom(clock));
    setCustomer(NoSelection);
}

bool NewSalesInvoiceModel::loadForModify(qint32 invoiceID)
{
    CSIRec invoice;
    if (!m_tables.invoices().RecordRead(invoice, invoiceID)) {
        ReportErrorCode(m_prompter, Status::RecordNotFound);
        return false;
    }
    m_modifyID = invoice.ID;
    m_numberText = QString::number(invoice.Number);
    m_dateText = ShortDateText(invoice.Date);
    m_notes = invoice.Notes;
    setPayMethod(invoice.PayMethod);
    setCustomer(invoice.CustomerID);
    return true;
}

QString NewSalesInvoiceModel::caption() const
{
    return QStringLiteral("New Sales Invoice");
}

void NewSalesInvoiceModel::setPayMethod(int code)
{
    m_payMethod = code >= 0 && code <= 3 ? code : 0;
}

void NewSalesInvoiceModel::setCustomer(qint32 customerID)
{
    m_customerID = NoSelection;
    m_customerText = QStringLiteral("N/A");
    m_customerIdText = QStringLiteral("N/A");
    // A customer that cannot be read is shown as none and saved as none.
    CCustomersRec customer;
    if (customerID <= 0 || !m_tables.customers().RecordRead(customer, customerID))
        return;
    m_customerID = customer.ID;
    m_customerText = customer.Company + QStringLiteral("  ") + customer.First + u' ' + customer.Last;
    m_customerIdText = FormatRecordId(customer.ID);
}

NewSalesInvoiceModel::Result NewSalesInvoiceModel::save()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        warn(m_prompter, QStringLiteral("You must specify a valid date."));
        return Result::refused(Field::Date);
    }
    const std::optional<qint32> number = ParseWholeNumber(m_numberText);
    if (!isModify() && !number) {
        warn(m_prompter, QStringLiteral("Please enter an integer."));
        return Result::refused(Field::Number);
    }
    if (m_notes.size() > kMaxNotes) {
        warn(m_prompter, QStringLiteral("The Note may hold at most %1 characters.").arg(kMaxNotes));
        return Result::refused(Field::Notes);
    }

    CSIRec invoice;
    invoice.CustomerID = m_customerID;
    invoice.Date = date.dateOnly();
    invoice.PayMethod = static_cast<qint16>(m_payMethod);
    invoice.Notes = m_notes;
    if (isModify())
        return modify(invoice);
    invoice.Number = *number;
    return add(invoice);
}

NewSalesInvoiceModel::Result NewSalesInvoiceModel::add(CSIRec& invoice)
{
    // Over the whole table, whatever the invoice list is filtered to.
    if (m_tables.invoices().CountWhere(QStringLiteral("[Number] = ?"), {invoice.Number}) > 0) {
        warn(m_prompter,
             QStringLiteral("Invoice number %1 is already in use.  Please enter a different number.")
                 .arg(invoice.Number));
        return Result::refused(Field::Number);
    }
    Transaction transaction(m_tables.database());
    if (!transaction.isActive() || !m_tables.invoices().RecordAdd(invoice) || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_savedID = invoice.ID;
    m_changes.add(ListingKind::Invoices, invoice.ID);
    AddInvoiceReceivables(m_tables.receivables(), invoice.ID, m_changes);
    return Result::ok();
}

NewSalesInvoiceModel::Result NewSalesInvoiceModel::modify(const CSIRec& changed)
{
    CSIRec invoice;
    bool ok = m_tables.invoices().RecordRead(invoice, m_modifyID);
    if (ok) {
        invoice.CustomerID = changed.CustomerID;
        invoice.Date = changed.Date;
        invoice.PayMethod = changed.PayMethod;
        invoice.Notes = changed.Notes;
    }
    Transaction transaction(m_tables.database());
    ok = ok && transaction.isActive() && m_tables.invoices().RecordModify(invoice);
    // What is owed on the invoice is owed by its customer.
    if (ok) {
        const QList<CARRec> receivables =
            m_tables.receivables().RecordsWhere(QStringLiteral("[SIID] = ?"), {invoice.ID});
        for (CARRec receivable : receivables) {
            receivable.CustomerID = invoice.CustomerID;
            ok = ok && m_tables.receivables().RecordModify(receivable);
        }
    }
    if (!ok || !transaction.commit()) {
        warn(m_prompter, QStringLiteral("Unable to modify invoice at this time."));
        return Result::refused();
    }
    m_savedID = invoice.ID;
    m_changes.add(ListingKind::Invoices, invoice.ID);
    AddInvoiceReceivables(m_tables.receivables(), invoice.ID, m_changes);
    return Result::ok();
}
