#include "TableSet.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

#include <QSqlError>

CTableSet::CTableSet(ProjectDatabase& db, const char* table) : m_db(db), m_tableName(QString::fromLatin1(table)) {}

CTableSet::~CTableSet() = default;

QString CTableSet::table() const
{
    return SqlIdentifier(m_tableName);
}

QString CTableSet::quotedTable() const
{
    return SqlName(m_tableName);
}

bool CTableSet::fail(const QString& message)
{
    m_lastError = message;
    return false;
}

void CTableSet::SetSort(const QString& sort)
{
    m_sort = sort;
}

void CTableSet::SetFilter(const QString& filter, int oneShot)
{
    if (m_oneShot == 1)
        return;
    m_filter = filter;
    m_oneShot = oneShot;
}

int CTableSet::Open(const QString& filter)
{
    m_filter = filter;
    m_open = true;
    return Reopen();
}

std::optional<QString> CTableSet::translateClause(const QString& prefix, const QString& clause)
{
    // Translate the clause inside a whole statement, then take the statement's
    // known beginning off again.
    const QString statement = QStringLiteral("SELECT * FROM ") + table() + QLatin1Char(' ') + prefix + QLatin1Char(' ');
    const TranslatedSql translated = TranslateQuery(statement + clause);
    const QString expected = QStringLiteral("SELECT * FROM ") + quotedTable() + QLatin1Char(' ') + prefix + QLatin1Char(' ');
    if (!translated.ok) {
        m_lastError = translated.error;
        return std::nullopt;
    }
    if (!translated.sql.startsWith(expected)) {
        m_lastError = QStringLiteral("The condition %1 cannot be used here.").arg(clause);
        return std::nullopt;
    }
    return translated.sql.mid(expected.size());
}

bool CTableSet::buildDynaset()
{
    m_dynaset = Dynaset();
    if (!m_filter.isEmpty()) {
        if (const std::optional<QString> stored = m_db.QueryDefSql(m_filter)) {
            // A stored query brings its own statement; the list's sort replaces its
            // ORDER BY, or orders from outside the rows a TOP query takes.
            const QString text = m_sort.isEmpty() ? *stored : ApplySortToStoredQuery(*stored, m_sort);
            const TranslatedSql translated = TranslateQuery(text);
            if (!translated.ok)
                return fail(translated.error);
            m_dynaset.from = QStringLiteral("FROM (") + translated.sql + QStringLiteral(") AS q");
            m_dynaset.valid = true;
            return true;
        }
    }
    m_dynaset.from = QStringLiteral("FROM ") + quotedTable();
    if (!m_filter.isEmpty()) {
        const std::optional<QString> where = translateClause(QStringLiteral("WHERE"), m_filter);
        if (!where)
            return false;
        m_dynaset.where = *where;
    }
    if (!m_sort.isEmpty()) {
        const std::optional<QString> orderBy = translateClause(QStringLiteral("ORDER BY"), m_sort);
        if (!orderBy)
            return false;
        m_dynaset.orderBy = *orderBy;
    }
    m_dynaset.valid = true;
    return true;
}

int CTableSet::Reopen()
{
    m_keysValid = false;
    m_keys.clear();
    m_currentId = kFirstRow;
    m_position = -1;
    m_lastError.clear();

    bool storedQuery = false;
    int result = 0;
    if (buildDynaset()) {
        storedQuery = m_dynaset.where.isEmpty() && m_dynaset.from.endsWith(QLatin1String(") AS q"));
        // Prove now that the engine can run it, so a bad filter shows as an empty
        // list. The statement is ended at once: one left part-way through its
        // rows would hold the file's read lock while the list stays open.
        std::optional<QSqlQuery> probe = selectFromDynaset(QStringLiteral("\"ID\""), QString(), {}, true);
        if (!probe || !firstValue(*probe)) {
            m_dynaset.valid = false;
        } else {
            result = (m_filter.isEmpty() || storedQuery) ? 1 : 0;
        }
    }
    if (m_oneShot) {
        m_filter.clear();
        m_oneShot = 0;
    }
    return result;
}

QSqlQuery* CTableSet::statement(const QString& sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery query(m_db.connection());
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            // A damaged schema shows when a statement is prepared.
            if (sql.startsWith(QLatin1String("SELECT")))
                m_db.noteReadFailure(query.lastError());
            fail(query.lastError().text());
            return nullptr;
        }
        it = m_statements.insert(sql, query);
    }
    it->finish();
    return &*it;
}

QString CTableSet::DynasetIdsSql() const
{
    if (!m_open || !m_dynaset.valid)
        return QString();
    QString sql = QStringLiteral("SELECT \"ID\" ") + m_dynaset.from;
    if (!m_dynaset.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_dynaset.where;
    if (!m_dynaset.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_dynaset.orderBy;
    return sql;
}

std::optional<QSqlQuery> CTableSet::selectFromDynaset(const QString& columns, const QString& extraCondition,
                                                      const QVariantList& values, bool firstOnly)
{
    if (!m_open || !m_dynaset.valid) {
        fail(m_lastError.isEmpty() ? QStringLiteral("The table %1 is not open.").arg(m_tableName) : m_lastError);
        return std::nullopt;
    }
    QString sql = QStringLiteral("SELECT ") + columns + QLatin1Char(' ') + m_dynaset.from;
    QStringList conditions;
    if (!m_dynaset.where.isEmpty())
        conditions.append(QLatin1Char('(') + m_dynaset.where + QLatin1Char(')'));
    if (!extraCondition.isEmpty())
        conditions.append(QLatin1Char('(') + extraCondition + QLatin1Char(')'));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    if (!m_dynaset.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + m_dynaset.orderBy;
    if (firstOnly)
        sql += QStringLiteral(" LIMIT 1");

    return run(sql, values);
}

std::optional<QSqlQuery> CTableSet::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery* query = statement(sql);
    if (!query)
        return std::nullopt;
    for (qsizetype i = 0; i < values.size(); ++i)
        query->bindValue(static_cast<int>(i), values.at(i));
    if (!query->exec()) {
        if (sql.startsWith(QLatin1String("SELECT")))
            m_db.noteReadFailure(query->lastError());
        fail(query->lastError().text());
        return std::nullopt;
    }
    return *query;
}

std::optional<QVariant> CTableSet::firstValue(QSqlQuery& query)
{
    QVariant value;
    if (query.next())
        value = query.value(0);
    if (!endRead(query))
        return std::nullopt;
    return value;
}

bool CTableSet::endRead(QSqlQuery& query)
{
    // next() answers false both at the last row and when the engine fails on
    // the way (a damaged page): only the error tells them apart.
    const QSqlError error = query.lastError();
    query.finish();
    if (!error.isValid())
        return true;
    m_db.noteReadFailure(error);
    return fail(error.text());
}

bool CTableSet::ensureKeys()
{
    if (m_keysValid)
        return true;
    m_keys.clear();
    std::optional<QSqlQuery> query = selectFromDynaset(QStringLiteral("\"ID\""), QString(), {}, false);
    if (!query)
        return false;
    while (query->next())
        m_keys.append(query->value(0).toInt());
    if (!endRead(*query)) {
        m_keys.clear();
        return false;
    }
    m_keysValid = true;
    if (m_currentId == kFirstRow) {
        m_position = 0;
        m_currentId = m_keys.isEmpty() ? NoSelection : m_keys.first();
    } else if (m_position < 0) {
        m_position = m_keys.indexOf(m_currentId);
    }
    return true;
}

bool CTableSet::MoveFirst()
{
    m_currentId = kFirstRow;
    m_position = -1;
    return !IsEOF();
}

bool CTableSet::MoveNext()
{
    if (!ensureKeys())
        return false;
    if (m_position < 0 || m_position >= m_keys.size()) {
        m_currentId = NoSelection;
        m_position = m_keys.size();
        return false;
    }
    ++m_position;
    m_currentId = m_position < m_keys.size() ? m_keys.at(m_position) : NoSelection;
    return m_currentId != NoSelection;
}

qint32 CTableSet::CurrentID()
{
    if (m_currentId == kFirstRow) {
        // The first row can be had without reading every key.
        std::optional<QSqlQuery> query = selectFromDynaset(QStringLiteral("\"ID\""), QString(), {}, true);
        const std::optional<QVariant> first = query ? firstValue(*query) : std::nullopt;
        if (!first)
            return NoSelection; // read again next time
        m_currentId = first->isValid() ? first->toInt() : NoSelection;
        m_position = m_keysValid ? 0 : -1;
    }
    return m_currentId;
}

bool CTableSet::IsEOF()
{
    return CurrentID() == NoSelection;
}

bool CTableSet::findFirst(const QString& condition, const QVariantList& values)
{
    std::optional<QSqlQuery> query = selectFromDynaset(QStringLiteral("\"ID\""), condition, values, true);
    const QVariant found = query ? firstValue(*query).value_or(QVariant()) : QVariant();
    if (found.isValid()) {
        m_currentId = found.toInt();
        m_position = m_keysValid ? m_keys.indexOf(m_currentId) : -1;
        return true;
    }
    MoveFirst();
    return false;
}

bool CTableSet::FindByID(qint32 id)
{
    if (findFirst(QStringLiteral("\"ID\" = ?"), {id}))
        return true;
    return fail(QStringLiteral("Record %1 is not in the list.").arg(FormatRecordId(id)));
}

bool CTableSet::LocateByID(qint32 id)
{
    QSqlQuery* query = statement(QStringLiteral("SELECT 1 FROM %1 WHERE \"ID\" = ?").arg(quotedTable()));
    if (!query)
        return false;
    query->bindValue(0, id);
    if (!query->exec()) {
        m_db.noteReadFailure(query->lastError());
        return fail(query->lastError().text());
    }
    return firstValue(*query).value_or(QVariant()).isValid();
}

qint32 CTableSet::resolveId(qint32 id)
{
    return id == -1 ? CurrentID() : id;
}

QVariant CTableSet::fieldOf(qint32 id, const char* column)
{
    id = resolveId(id);
    QSqlQuery* query = statement(QStringLiteral("SELECT %1 FROM %2 WHERE \"ID\" = ?")
                                     .arg(SqlName(QString::fromLatin1(column)), quotedTable()));
    if (!query)
        return QVariant();
    query->bindValue(0, id);
    if (!query->exec()) {
        m_db.noteReadFailure(query->lastError());
        fail(query->lastError().text());
        return QVariant();
    }
    return firstValue(*query).value_or(QVariant());
}

bool CTableSet::RecordDelete(qint32 id)
{
    QSqlQuery* query = statement(QStringLiteral("DELETE FROM %1 WHERE \"ID\" = ?").arg(quotedTable()));
    if (!query)
        return false;
    query->bindValue(0, id);
    if (!query->exec())
        return fail(query->lastError().text());
    if (query->numRowsAffected() < 1)
        return fail(QStringLiteral("Record %1 was not found.").arg(FormatRecordId(id)));
    noteDeleted(id);
    return true;
}

qint32 CTableSet::quantityByItem(qint32 itemID)
{
    std::optional<QSqlQuery> query =
        selectFromDynaset(QStringLiteral("TOTAL(\"Quanity\")"), QStringLiteral("\"ItemID\" = ?"), {itemID}, false);
    const qint32 sum = query ? static_cast<qint32>(firstValue(*query).value_or(QVariant()).toLongLong()) : 0;
    MoveFirst();
    return sum;
}

void CTableSet::noteAdded(qint32 id)
{
    // A new record shows at the end of an open list, as with any keyset.
    if (m_keysValid)
        m_keys.append(id);
}

void CTableSet::noteDeleted(qint32 id)
{
    if (m_keysValid) {
        const qsizetype at = m_keys.indexOf(id);
        if (at >= 0) {
            m_keys.removeAt(at);
            if (m_position > at)
                --m_position;
        }
    }
    // Deleting the current row moves the cursor to the next one.
    if (m_currentId == id) {
        if (m_keysValid && m_position >= 0 && m_position < m_keys.size())
            m_currentId = m_keys.at(m_position);
        else if (m_keysValid)
            m_currentId = NoSelection;
        else
            m_currentId = kFirstRow;
    }
}

qint32 CTableSet::RecordCount()
{
    if (m_keysValid)
        return static_cast<qint32>(m_keys.size());
    std::optional<QSqlQuery> query = selectFromDynaset(QStringLiteral("COUNT(*)"), QString(), {}, false);
    return query ? firstValue(*query).value_or(QVariant()).toInt() : 0;
}

std::optional<QSqlQuery> CTableSet::selectWhere(const QString& columns, const QString& condition,
                                                const QVariantList& values, const QString& orderBy,
                                                bool firstOnly)
{
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + quotedTable();
    if (!condition.isEmpty()) {
        const std::optional<QString> where = translateClause(QStringLiteral("WHERE"), condition);
        if (!where)
            return std::nullopt;
        sql += QStringLiteral(" WHERE ") + *where;
    }
    if (!orderBy.isEmpty()) {
        const std::optional<QString> order = translateClause(QStringLiteral("ORDER BY"), orderBy);
        if (!order)
            return std::nullopt;
        sql += QStringLiteral(" ORDER BY ") + *order;
    } else {
        sql += QStringLiteral(" ORDER BY \"ID\"");
    }
    if (firstOnly)
        sql += QStringLiteral(" LIMIT 1");
    return run(sql, values);
}

QList<qint32> CTableSet::IDsWhere(const QString& condition, const QVariantList& values, const QString& orderBy)
{
    QList<qint32> ids;
    std::optional<QSqlQuery> query = selectWhere(QStringLiteral("\"ID\""), condition, values, orderBy);
    if (!query)
        return ids;
    while (query->next())
        ids.append(query->value(0).toInt());
    // A list cut short by a damaged page must not pass for the whole answer.
    if (!endRead(*query))
        ids.clear();
    return ids;
}

qint32 CTableSet::FirstIDWhere(const QString& condition, const QVariantList& values)
{
    std::optional<QSqlQuery> query =
        selectWhere(QStringLiteral("\"ID\""), condition, values, QString(), true);
    const QVariant found = query ? firstValue(*query).value_or(QVariant()) : QVariant();
    return found.isValid() ? found.toInt() : NoSelection;
}

qint32 CTableSet::CountWhere(const QString& condition, const QVariantList& values)
{
    std::optional<QSqlQuery> query = selectWhere(QStringLiteral("COUNT(*)"), condition, values, QString());
    return query ? firstValue(*query).value_or(QVariant()).toInt() : 0;
}

qint32 CTableSet::DeleteWhere(const QString& condition, const QVariantList& values)
{
    const std::optional<QString> where = translateClause(QStringLiteral("WHERE"), condition);
    if (!where)
        return -1;
    std::optional<QSqlQuery> query = run(QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedTable(), *where), values);
    if (!query)
        return -1;
    const qint32 deleted = static_cast<qint32>(query->numRowsAffected());
    if (deleted > 0) {
        // The list's keys are read again when next needed; the cursor keeps its
        // record if it survived.
        m_keysValid = false;
        m_keys.clear();
        m_position = -1;
        if (m_currentId != kFirstRow && m_currentId != NoSelection && !LocateByID(m_currentId))
            m_currentId = kFirstRow;
    }
    return deleted;
}
