#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QList>
#include <QString>

class Prompter;
class ProjectTables;

// The state behind the Search for Customer dialog: finds customers by their exact
// ID or by a piece of their telephone number.
class SearchForCustomerModel : public DialogModel
{
public:
    enum class SearchBy
    {
        ID,
        Telephone
    };
    enum class Field
    {
        None,
        Results
    };
    using Result = SaveResult<Field>;

    struct Match
    {
        QString text;
        qint32 customerId = NoSelection;
    };

    SearchForCustomerModel(ProjectTables& tables, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Search for Customer"); }
    QString helpLine() const override;

    SearchBy searchBy() const { return m_searchBy; }
    void setSearchBy(SearchBy by) { m_searchBy = by; }
    QString searchText() const { return m_text; }
    void setSearchText(const QString& text) { m_text = text; }

    // "Go": replaces the results with the customers that match and selects the first.
    // By ID the text is read as a whole number and must equal the ID; by telephone
    // it must occur in the number exactly as typed, case and punctuation included.
    void go();

    const QList<Match>& results() const { return m_results; }
    QStringList resultTexts() const;
    int selectedIndex() const { return m_selected; }
    // -1 clears the selection.
    void setSelectedIndex(int index);

    // OK: refused with a message while nothing is selected. Choosing writes nothing.
    Result save();
    // The chosen customer once save() succeeded, NoSelection before.
    qint32 customerId() const { return m_customerId; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    SearchBy m_searchBy = SearchBy::ID;
    QString m_text;
    QList<Match> m_results;
    int m_selected = -1;
    qint32 m_customerId = NoSelection;
};
