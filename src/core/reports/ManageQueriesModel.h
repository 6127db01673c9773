#pragma once

#include "core/common/DialogModel.h"

#include "QueryDefinitionModel.h"

#include "core/common/RecordIds.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Prompter;
class ProjectTables;

// The state behind the "Manage Queries" dialog: the stored queries of one
// listing, and the query dialogs it opens to add or modify them. After a query
// dialog it opened closes, the caller refills the list.
class ManageQueriesModel : public DialogModel
{
public:
    // Nothing to refuse: each action stores at once or through the query dialog it opens.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // `current` is the listing the current view shows, nothing when it shows none.
    ManageQueriesModel(ProjectTables& tables, Prompter& prompter, std::optional<ListingKind> current,
                       const QLocale& locale = UserLocale());

    QString caption() const override { return QStringLiteral("Manage Queries"); }

    static QStringList locationEntries() { return QueryLocationEntries(); }
    int locationIndex() const { return m_location; }
    ListingKind listing() const { return ListingAtLocation(m_location); }
    // Changing the location refills the list.
    void setLocationIndex(int index);

    // The names of the location's queries, in the order they were stored.
    const QStringList& queries() const { return m_queries; }
    // -1 when nothing is selected.
    int selection() const { return m_selection; }
    QString selectedName() const;
    void select(int row);
    bool modifyEnabled() const { return m_selection >= 0; }
    bool deleteEnabled() const { return m_selection >= 0; }

    // "<< Add": the query dialog for a new query of the location.
    std::unique_ptr<QueryDefinitionModel> add();
    // "Modify": the query dialog for the selected query; nothing (the user has
    // been told) without a selection.
    std::unique_ptr<QueryDefinitionModel> modify();
    // "Delete >>": deletes the selected query at once and refills; a query that
    // cannot be deleted simply stays in the list.
    void remove();
    // Reads the location's queries again; the selection is cleared.
    void refill();

    // Close: queries are stored by name, not as records, so changes() stays empty.
    Result save() { return Result::ok(); }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    QLocale m_locale;
    int m_location = 0;
    QStringList m_queries;
    int m_selection = -1;
};
