#include "AddCustomerModel.h"

#include "CustomerTexts.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

AddCustomerModel::AddCustomerModel(ProjectTables& tables, Prompter& prompter, qint32 customerId)
    : m_tables(tables), m_prompter(prompter), m_modify(customerId >= 0)
{
    if (!m_modify)
        return;
    if (!m_tables.customers().RecordRead(m_record, customerId)) {
        m_open = false;
        m_record = CCustomersRec();
    }
    m_record.ID = customerId;
}

QString AddCustomerModel::caption() const
{
    if (m_modify)
        return QStringLiteral("Modify Customer #%1").arg(FormatRecordId(m_record.ID));
    return QStringLiteral("Add Customer");
}

QString AddCustomerModel::helpLine() const
{
    return QStringLiteral("Fill in the appropriate customer information");
}

AddCustomerModel::Result AddCustomerModel::save()
{
    if (!m_open)
        return Result::refused();
    CCustomersSet& customers = m_tables.customers();
    Transaction transaction(m_tables.database());
    if (!transaction.isActive()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    if (m_record.ID > 0) {
        if (!customers.LocateByID(m_record.ID)) {
            // Writing it back would bring a deleted customer to life again.
            WarnUnlessDamaged(m_prompter, m_tables.database(), CustomerMissingMessage());
            return Result::refused();
        }
        if (!customers.RecordModify(m_record) || !transaction.commit()) {
            ReportOperationFailure(m_prompter, m_tables.database());
            return Result::refused();
        }
    } else {
        CCustomersRec added = m_record;
        added.ID = 0;
        if (!customers.RecordAdd(added) || !transaction.commit()) {
            ReportOperationFailure(m_prompter, m_tables.database());
            return Result::refused();
        }
        // Only now: a failed add must leave no ID behind, and a second OK after a
        // successful one rewrites this customer instead of adding a twin.
        m_record.ID = added.ID;
    }
    m_changes.add(ListingKind::Customers, m_record.ID);
    return Result::ok();
}
