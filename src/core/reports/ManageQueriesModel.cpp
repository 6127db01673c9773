#include "ManageQueriesModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

ManageQueriesModel::ManageQueriesModel(ProjectTables& tables, Prompter& prompter,
                                       std::optional<ListingKind> current, const QLocale& locale)
    : m_tables(tables), m_prompter(prompter), m_locale(locale),
      m_location(current ? LocationIndexOf(*current) : 0)
{
    refill();
}

void ManageQueriesModel::setLocationIndex(int index)
{
    m_location = qBound(0, index, kListingKindCount - 1);
    refill();
}

QString ManageQueriesModel::selectedName() const
{
    return m_selection >= 0 ? m_queries.at(m_selection) : QString();
}

void ManageQueriesModel::select(int row)
{
    m_selection = row >= 0 && row < m_queries.size() ? row : -1;
}

std::unique_ptr<QueryDefinitionModel> ManageQueriesModel::add()
{
    return std::make_unique<QueryDefinitionModel>(m_tables, m_prompter, listing(), QString(), m_locale);
}

std::unique_ptr<QueryDefinitionModel> ManageQueriesModel::modify()
{
    if (m_selection < 0) {
        warn(m_prompter, QStringLiteral("You must make a selection from the list."));
        return nullptr;
    }
    return std::make_unique<QueryDefinitionModel>(m_tables, m_prompter, listing(), selectedName(), m_locale);
}

void ManageQueriesModel::remove()
{
    if (m_selection < 0)
        return;
    ProjectDatabase& db = m_tables.database();
    Transaction transaction(db);
    if (db.DeleteQueryDef(selectedName()))
        transaction.commit();
    refill();
}

void ManageQueriesModel::refill()
{
    m_queries = QueriesOfListing(m_tables.database(), listing());
    m_selection = -1;
}
