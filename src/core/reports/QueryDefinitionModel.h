#pragma once

#include "QuerySql.h"

#include "core/common/DialogModel.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

class Prompter;
class ProjectTables;

// The state behind the "Query Definition" dialog: a stored query of one listing
// built from a fill-in-the-blanks sentence, new or replacing a stored one.
// Rows are numbered 0 to 2 here; a refusal blames the name, the count or the
// value of a row. Queries are stored by name, not as records: changes() stays
// empty and storedSql() tells what was stored.
class QueryDefinitionModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Name,
        Count,
        Value1,
        Value2,
        Value3
    };
    using Result = SaveResult<Field>;

    // A new query of the listing; with a previous name, the stored query of that
    // name is read back into the sentence and OK replaces it.
    QueryDefinitionModel(ProjectTables& tables, Prompter& prompter, ListingKind listing,
                         const QString& previousName = QString(), const QLocale& locale = UserLocale());

    QString caption() const override { return QStringLiteral("Query Definition"); }
    // False, after telling the user, when the query to modify could not be read:
    // the dialog closes at once.
    bool checkPrerequisites() override;
    bool isModify() const { return !m_previousName.isEmpty(); }
    QString previousName() const { return m_previousName; }
    ListingKind listing() const { return m_listing; }
    QString tableName() const { return ListingTableName(m_listing); }
    // The entries of the three field combos and of the order-by combo.
    QStringList fieldNames() const;

    static QStringList showEntries();      // "ALL", "TOP"
    static QStringList unitEntries();      // "PERCENT", "RECORDS"
    static QStringList directionEntries(); // "ASCENDING", "DESCENDING"
    static QStringList operatorEntries() { return QueryOperatorPhrases(); }

    QString name() const { return m_name; }
    void setName(const QString& text) { m_name = text; }

    const QuerySentence& sentence() const { return m_sentence; }
    bool showTop() const { return m_sentence.top; }
    void setShowTop(bool top) { m_sentence.top = top; }
    QString count() const { return m_sentence.count; }
    void setCount(const QString& text) { m_sentence.count = text; }
    bool percent() const { return m_sentence.percent; }
    void setPercent(bool percent) { m_sentence.percent = percent; }
    int orderByField() const { return m_sentence.orderBy; }
    void setOrderByField(int index) { m_sentence.orderBy = index; }
    bool descending() const { return m_sentence.descending; }
    void setDescending(bool descending) { m_sentence.descending = descending; }

    int criterionField(int row) const { return criterion(row).field; }
    // Also updates the row's format hint.
    void setCriterionField(int row, int fieldIndex);
    int criterionOperator(int row) const { return criterion(row).op; }
    void setCriterionOperator(int row, int operatorIndex) { criterion(row).op = operatorIndex; }
    QString criterionValue(int row) const { return criterion(row).value; }
    void setCriterionValue(int row, const QString& text) { criterion(row).value = text; }
    // The And/Or choice in front of row 1 or 2.
    QueryConnector connectorBefore(int row) const;
    void setConnectorBefore(int row, QueryConnector connector);
    // The format hint beside a row.
    QString hint(int row) const;

    // With TOP the count, unit, order-by and direction controls and the
    // "ORDERED BY " and "WHERE" labels show; with ALL the "RECORDS IN WHICH ..."
    // label shows instead.
    bool topControlsVisible() const { return m_sentence.top; }
    bool recordsInWhichVisible() const { return !m_sentence.top; }

    // OK: checks the sentence and stores the query, replacing the previous one in
    // modify mode.
    Result save();
    // The stored text as the database holds it, after a successful save.
    QString storedSql() const { return m_storedSql; }

private:
    QueryCriterion& criterion(int row);
    const QueryCriterion& criterion(int row) const;
    void updateHint(int row);
    // Tells the user why OK was refused; answers the field to focus.
    Field refuse(const QString& text, Field focus);
    // The first check the sentence fails, reported; the field to focus, or
    // nothing when it passes.
    std::optional<Field> firstFailure();

    ProjectTables& m_tables;
    Prompter& m_prompter;
    ListingKind m_listing;
    QLocale m_locale;
    QString m_previousName;
    bool m_open = true;
    QString m_name;
    QuerySentence m_sentence;
    std::array<QString, kQueryCriterionCount> m_hints;
    QString m_storedSql;
};
