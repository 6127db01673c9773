#include "CustomerSelectionModel.h"

#include "AddCustomerModel.h"
#include "CustomerTexts.h"
#include "Pickers.h"
#include "SearchForCustomerModel.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

#include <algorithm>

CustomerSelectionModel::CustomerSelectionModel(ProjectTables& tables, Prompter& prompter,
                                               qint32 initialCustomerId)
    : m_tables(tables), m_prompter(prompter)
{
    rebuild();
    if (initialCustomerId == NoSelection) {
        setSelectedIndex(m_entries.isEmpty() ? -1 : 0);
        return;
    }
    const std::optional<int> index = indexOfCustomer(m_entries, initialCustomerId);
    m_brokenEntry = !index.has_value();
    setSelectedIndex(index.value_or(-1));
}

bool CustomerSelectionModel::checkPrerequisites()
{
    if (m_brokenEntry)
        warn(m_prompter, QStringLiteral("Unknown error occurred during operation."));
    return true;
}

std::optional<int> CustomerSelectionModel::indexOfCustomer(const QStringList& entries, qint32 customerId)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (!entries.at(i).contains(QLatin1Char('#')))
            return std::nullopt;
        if (CustomerEntryId(entries.at(i)) == customerId)
            return i;
    }
    return -1;
}

void CustomerSelectionModel::rebuild()
{
    // The whole table in ID order, whatever the customer list happens to be filtered on.
    m_entries = CustomerPickerEntries(m_tables);
}

void CustomerSelectionModel::setSelectedIndex(int index)
{
    m_selected = index >= 0 && index < m_entries.size() ? index : -1;
    showSelected();
}

qint32 CustomerSelectionModel::selectedCustomerId() const
{
    return m_selected < 0 ? NoSelection : CustomerEntryId(m_entries.at(m_selected));
}

void CustomerSelectionModel::showSelected()
{
    CCustomersRec customer;
    const qint32 id = selectedCustomerId();
    // A customer that cannot be read shows nothing rather than stale particulars.
    if (id < 0 || !m_tables.customers().RecordRead(customer, id)) {
        m_company.clear();
        m_last.clear();
        m_first.clear();
        m_address1.clear();
        m_address2.clear();
        m_phone.clear();
        m_notes.clear();
        return;
    }
    m_company = customer.Company;
    m_last = customer.Last;
    m_first = customer.First;
    m_address1 = customer.Address;
    m_address2 = CustomerCityLine(customer);
    m_phone = customer.Phone;
    m_notes = customer.Notes;
}

std::unique_ptr<AddCustomerModel> CustomerSelectionModel::addNew()
{
    return std::make_unique<AddCustomerModel>(m_tables, m_prompter);
}

bool CustomerSelectionModel::finishAddNew(const AddCustomerModel& dialog, bool accepted)
{
    m_changes.merge(dialog.changes());
    if (!accepted || dialog.customerId() <= 0)
        return false;
    m_result = dialog.customerId();
    return true;
}

std::unique_ptr<AddCustomerModel> CustomerSelectionModel::modify()
{
    const qint32 id = selectedCustomerId();
    // Without a selection there is nothing to modify; an Add Customer opened with
    // no ID would quietly add a customer instead.
    if (id < 0)
        return nullptr;
    return std::make_unique<AddCustomerModel>(m_tables, m_prompter, id);
}

void CustomerSelectionModel::finishModify(const AddCustomerModel& dialog, bool accepted)
{
    m_changes.merge(dialog.changes());
    if (!accepted)
        return;
    const int position = m_selected;
    rebuild();
    setSelectedIndex(std::min(position, static_cast<int>(m_entries.size()) - 1));
}

std::unique_ptr<SearchForCustomerModel> CustomerSelectionModel::search()
{
    return std::make_unique<SearchForCustomerModel>(m_tables, m_prompter);
}

bool CustomerSelectionModel::finishSearch(const SearchForCustomerModel& dialog, bool accepted)
{
    if (!accepted || dialog.customerId() == NoSelection)
        return false;
    m_result = dialog.customerId();
    return true;
}

CustomerSelectionModel::Result CustomerSelectionModel::save()
{
    if (m_selected < 0) {
        m_result = NoSelection;
        warn(m_prompter, QStringLiteral("Must select customer from list."));
        return Result::refused(Field::Customers);
    }
    m_result = selectedCustomerId();
    return Result::ok();
}
