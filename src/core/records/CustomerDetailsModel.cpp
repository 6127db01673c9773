#include "CustomerDetailsModel.h"

#include "CustomerTexts.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

CustomerDetailsModel::CustomerDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 customerId)
    : m_prompter(prompter)
{
    CCustomersRec customer;
    // -1 would read whatever row the customer list's cursor is on.
    if (customerId < 0 || !tables.customers().RecordRead(customer, customerId))
        return;
    m_loaded = true;
    m_company = customer.Company;
    m_name = QStringLiteral("%1 %2").arg(customer.First, customer.Last);
    m_address1 = customer.Address;
    m_address2 = CustomerCityLine(customer);
    m_phone = customer.Phone;
    m_notes = customer.Notes;
    m_email = customer.EMail;
}

bool CustomerDetailsModel::checkPrerequisites()
{
    if (!m_loaded)
        warn(m_prompter, CustomerMissingMessage());
    return true;
}
