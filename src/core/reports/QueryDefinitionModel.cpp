#include "QueryDefinitionModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

namespace {

QueryDefinitionModel::Field focusOfRow(int row)
{
    return static_cast<QueryDefinitionModel::Field>(static_cast<int>(QueryDefinitionModel::Field::Value1) +
                                                    qBound(0, row, kQueryCriterionCount - 1));
}

size_t rowSlot(int row)
{
    return static_cast<size_t>(qBound(0, row, kQueryCriterionCount - 1));
}

} // namespace

QueryDefinitionModel::QueryDefinitionModel(ProjectTables& tables, Prompter& prompter, ListingKind listing,
                                           const QString& previousName, const QLocale& locale)
    : m_tables(tables), m_prompter(prompter), m_listing(listing), m_locale(locale),
      m_previousName(previousName)
{
    if (isModify()) {
        m_name = m_previousName;
        const std::optional<QString> sql = m_tables.database().QueryDefSql(m_previousName);
        if (sql) {
            m_sentence = ParseQuerySql(m_listing, *sql, m_locale);
        } else {
            m_open = false;
        }
    }
    for (int row = 0; row < kQueryCriterionCount; ++row)
        updateHint(row);
}

QStringList QueryDefinitionModel::fieldNames() const
{
    QStringList names;
    for (const QueryField& field : QueryFieldsOf(m_listing))
        names.append(field.name);
    return names;
}

QStringList QueryDefinitionModel::showEntries()
{
    return {QStringLiteral("ALL"), QStringLiteral("TOP")};
}

QStringList QueryDefinitionModel::unitEntries()
{
    return {QStringLiteral("PERCENT"), QStringLiteral("RECORDS")};
}

QStringList QueryDefinitionModel::directionEntries()
{
    return {QStringLiteral("ASCENDING"), QStringLiteral("DESCENDING")};
}

QueryCriterion& QueryDefinitionModel::criterion(int row)
{
    return m_sentence.criteria[rowSlot(row)];
}

const QueryCriterion& QueryDefinitionModel::criterion(int row) const
{
    return m_sentence.criteria[rowSlot(row)];
}

void QueryDefinitionModel::setCriterionField(int row, int fieldIndex)
{
    criterion(row).field = fieldIndex;
    updateHint(row);
}

QueryConnector QueryDefinitionModel::connectorBefore(int row) const
{
    return m_sentence.connectors[static_cast<size_t>(qBound(1, row, kQueryCriterionCount - 1) - 1)];
}

void QueryDefinitionModel::setConnectorBefore(int row, QueryConnector connector)
{
    m_sentence.connectors[static_cast<size_t>(qBound(1, row, kQueryCriterionCount - 1) - 1)] = connector;
}

QString QueryDefinitionModel::hint(int row) const
{
    return m_hints[rowSlot(row)];
}

void QueryDefinitionModel::updateHint(int row)
{
    const QList<QueryField>& fields = QueryFieldsOf(m_listing);
    const int field = criterion(row).field;
    if (field < 0 || field >= fields.size())
        return;
    // The real-number types have no hint of their own; the row keeps the last one.
    if (const std::optional<QString> text = QueryFormatHint(fields.at(field).type, m_locale))
        m_hints[rowSlot(row)] = *text;
}

bool QueryDefinitionModel::checkPrerequisites()
{
    if (!m_open)
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
    return m_open;
}

QueryDefinitionModel::Field QueryDefinitionModel::refuse(const QString& text, Field focus)
{
    WarnUnlessDamaged(m_prompter, m_tables.database(), text);
    return focus;
}

std::optional<QueryDefinitionModel::Field> QueryDefinitionModel::firstFailure()
{
    ProjectDatabase& db = m_tables.database();
    const Field nameFocus = Field::Name;
    if (m_name.trimmed().isEmpty())
        return refuse(QStringLiteral("Must specify query name."), nameFocus);
    // Keeping its own name is no clash; taking another query's name would replace
    // (or, failing, lose) that query.
    const bool ownName = isModify() && m_name.compare(m_previousName, Qt::CaseInsensitive) == 0;
    if (!ownName && db.QueryDefExists(m_name))
        return refuse(QStringLiteral("A query with this name already exists. Pleasy specify a unique name."),
                      nameFocus);
    const QueryCriterion& first = m_sentence.criteria[0];
    if (!m_sentence.top && first.value.isEmpty())
        return refuse(QStringLiteral("Must specify query criteria."), focusOfRow(0));
    if (m_sentence.top) {
        const Field countFocus = Field::Count;
        const int n = QueryTopCount(m_sentence.count);
        if (m_sentence.percent && (n < 1 || n > 100))
            return refuse(QStringLiteral("Must specify a range between 0 and 100 percent as an integer."),
                          countFocus);
        if (!m_sentence.percent && n < 1)
            return refuse(QStringLiteral("Must specify more than 0 records."), countFocus);
        // A later row without the first would be a condition without its WHERE.
        const bool laterRows =
            CriterionApplies(m_sentence.criteria[1]) || CriterionApplies(m_sentence.criteria[2]);
        if (!CriterionApplies(first) && laterRows)
            return refuse(QStringLiteral("Must specify query criteria."), focusOfRow(0));
    }

    const QList<QueryField>& fields = QueryFieldsOf(m_listing);
    for (int row = 0; row < kQueryCriterionCount; ++row) {
        const QueryCriterion& c = m_sentence.criteria[static_cast<size_t>(row)];
        if (!CriterionApplies(c) || c.field < 0 || c.field >= fields.size())
            continue;
        const QueryFieldType type = fields.at(c.field).type;
        if (NormalizeQueryValue(type, c.value, m_locale))
            continue;
        if (type == QueryFieldType::Date) {
            WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidDate));
            return focusOfRow(row);
        }
        if (type == QueryFieldType::Currency)
            return refuse(QStringLiteral("The amount specified is not valid.  Please check the value and "
                                         "re-enter it if necessary."),
                          focusOfRow(row));
        return refuse(
            QStringLiteral("The value specified does not fit its field.  Please check the value and "
                           "re-enter it if necessary."),
            focusOfRow(row));
    }
    return std::nullopt;
}

QueryDefinitionModel::Result QueryDefinitionModel::save()
{
    if (!m_open)
        return Result::refused();
    if (const std::optional<Field> focus = firstFailure())
        return Result::refused(*focus);

    const std::optional<QString> sql = BuildQuerySql(m_listing, m_sentence, m_locale);
    ProjectDatabase& db = m_tables.database();
    // The old query goes first so the new one may take its name; both happen
    // together or not at all.
    Transaction transaction(db);
    bool ok = sql.has_value() && transaction.isActive();
    if (ok && isModify() && db.QueryDefExists(m_previousName))
        ok = db.DeleteQueryDef(m_previousName);
    ok = ok && db.CreateQueryDef(m_name, *sql);
    const std::optional<QString> stored = ok ? db.QueryDefSql(m_name) : std::nullopt;
    if (!stored || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_storedSql = *stored;
    return Result::ok();
}
