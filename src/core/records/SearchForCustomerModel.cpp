#include "SearchForCustomerModel.h"

#include "CustomerTexts.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

#include <algorithm>
#include <limits>

SearchForCustomerModel::SearchForCustomerModel(ProjectTables& tables, Prompter& prompter)
    : m_tables(tables), m_prompter(prompter)
{
}

QString SearchForCustomerModel::helpLine() const
{
    return QStringLiteral("Quickly search for a customer by their ID or telephone number.");
}

void SearchForCustomerModel::go()
{
    m_results.clear();
    m_selected = -1;
    QList<CCustomersRec> found;
    if (m_searchBy == SearchBy::ID) {
        const qint64 id = LeadingWholeNumber(m_text);
        if (id > 0 && id <= std::numeric_limits<qint32>::max())
            found = m_tables.customers().RecordsWhere(QStringLiteral("[ID] = ?"), {static_cast<qint32>(id)});
    } else {
        // Bound, never spliced: a quote or a wildcard in the text is just a character.
        found = m_tables.customers().RecordsWhere(QStringLiteral("INSTR([Phone], ?) > 0"), {m_text});
    }
    for (const CCustomersRec& customer : found)
        m_results.append({CustomerSearchEntry(customer), customer.ID});
    if (!m_results.isEmpty())
        m_selected = 0;
}

QStringList SearchForCustomerModel::resultTexts() const
{
    QStringList texts;
    for (const Match& result : m_results)
        texts.append(result.text);
    return texts;
}

void SearchForCustomerModel::setSelectedIndex(int index)
{
    m_selected = index >= 0 && index < m_results.size() ? index : -1;
}

SearchForCustomerModel::Result SearchForCustomerModel::save()
{
    if (m_selected < 0) {
        warn(m_prompter, QStringLiteral("You must select a customer from the list"));
        return Result::refused(Field::Results);
    }
    m_customerId = m_results.at(m_selected).customerId;
    return Result::ok();
}
