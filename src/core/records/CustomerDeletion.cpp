#include "CustomerDeletion.h"

#include "CustomerTexts.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectTables.h"

CustomerDeletion::CustomerDeletion(ProjectTables& tables, Prompter& prompter, qint32 customerId)
    : m_tables(tables), m_prompter(prompter), m_customerId(customerId)
{
}

bool CustomerDeletion::checkPrerequisites()
{
    if (m_tables.customers().LocateByID(m_customerId))
        return true;
    warn(m_prompter, CustomerMissingMessage());
    return false;
}

QString CustomerDeletion::warning() const
{
    return QStringLiteral("Removing customer #%1 will also remove this customer from all sales tracking.\n"
                          "It is recomended that you backup the project before continuing.")
        .arg(FormatRecordId(m_customerId));
}

CustomerDeletion::Result CustomerDeletion::save()
{
    // Deleted once: a second save would only report the customer as missing.
    if (m_deleted)
        return Result::refused();
    if (!ConfirmDeletion(m_confirmation, m_prompter))
        return Result::refused(Field::Confirmation);
    Transaction transaction(m_tables.database());
    if (!transaction.isActive()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    if (!m_tables.customers().LocateByID(m_customerId)) {
        warn(m_prompter, CustomerMissingMessage());
        return Result::refused();
    }
    ChangeList changes;
    if (!removeCustomer(m_tables, m_customerId, changes) || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_changes.merge(changes);
    m_deleted = true;
    return Result::ok();
}

bool CustomerDeletion::removeCustomer(ProjectTables& tables, qint32 customerId, ChangeList& changes)
{
    if (customerId > 0 && !tables.customers().RecordDelete(customerId))
        return false;
    changes.add(ListingKind::Customers, customerId);

    const QString byCustomer = QStringLiteral("[CustomerID] = ?");
    for (CSIRec invoice : tables.invoices().RecordsWhere(byCustomer, {customerId})) {
        invoice.CustomerID = NoSelection;
        if (!tables.invoices().RecordModify(invoice))
            return false;
        changes.add(ListingKind::Invoices, invoice.ID);
    }
    for (CARRec payment : tables.receivables().RecordsWhere(byCustomer, {customerId})) {
        payment.CustomerID = NoSelection;
        if (!tables.receivables().RecordModify(payment))
            return false;
    }
    return true;
}
