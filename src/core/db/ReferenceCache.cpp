#include "ReferenceCache.h"

#include "Dialect.h"
#include "ProjectDatabase.h"

ReferenceCache::ReferenceCache(ProjectDatabase& db, const QString& table, const QStringList& columns)
    : m_db(db), m_columnCount(static_cast<int>(columns.size()))
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted.append(SqlName(column));
    m_sql = QStringLiteral("SELECT %1 FROM %2 WHERE \"ID\" = ?")
                .arg(quoted.join(QLatin1Char(',')), SqlName(table));
}

const ReferenceCache::Entry* ReferenceCache::lookup(qint32 id)
{
    if (id <= 0)
        return nullptr;
    auto it = m_cache.constFind(id);
    if (it == m_cache.constEnd()) {
        if (!m_query) {
            m_query.emplace(m_db.connection());
            m_query->setForwardOnly(true);
            if (!m_query->prepare(m_sql)) {
                m_db.noteReadFailure(m_query->lastError());
                m_query.reset();
                return nullptr;
            }
        }
        std::optional<Entry> entry;
        m_query->bindValue(0, id);
        if (m_query->exec() && m_query->next()) {
            entry.emplace();
            for (int i = 0; i < m_columnCount; ++i) {
                entry->values.append(m_query->value(i));
                entry->texts.append(entry->values.constLast().toString());
            }
        }
        // A failed lookup is no missing record: it is noted, and not kept.
        const bool read = m_db.readSucceeded(*m_query);
        m_query->finish();
        if (!read)
            return nullptr;
        it = m_cache.insert(id, entry);
    }
    return it->has_value() ? &**it : nullptr;
}

const QVariantList* ReferenceCache::find(qint32 id)
{
    const Entry* entry = lookup(id);
    return entry ? &entry->values : nullptr;
}

const QStringList* ReferenceCache::findTexts(qint32 id)
{
    const Entry* entry = lookup(id);
    return entry ? &entry->texts : nullptr;
}

VendorItemNames::VendorItemNames(ProjectDatabase& db)
    : m_vendors(db, QStringLiteral("Vendors"), {QStringLiteral("Name")}),
      m_items(db, QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("Number")})
{
}

void VendorItemNames::clear()
{
    m_vendors.clear();
    m_items.clear();
}
