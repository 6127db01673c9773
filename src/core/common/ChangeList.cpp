#include "ChangeList.h"

namespace {

bool addOnce(QList<qint32>& ids, qint32 id)
{
    if (ids.contains(id))
        return true;
    if (ids.size() >= ChangeList::kMaxPerKind)
        return false;
    ids.append(id);
    return true;
}

} // namespace

bool ChangeList::add(ListingKind kind, qint32 id)
{
    return addOnce(m_ids[static_cast<size_t>(kind)], id);
}

bool ChangeList::add(UnlistedKind kind, qint32 id)
{
    return addOnce(m_unlisted[static_cast<size_t>(kind)], id);
}

void ChangeList::merge(const ChangeList& other)
{
    for (size_t kind = 0; kind < m_ids.size(); ++kind) {
        for (const qint32 id : other.m_ids[kind])
            addOnce(m_ids[kind], id);
    }
    for (size_t kind = 0; kind < m_unlisted.size(); ++kind) {
        for (const qint32 id : other.m_unlisted[kind])
            addOnce(m_unlisted[kind], id);
    }
}

bool ChangeList::isEmpty() const
{
    for (const auto& ids : m_ids) {
        if (!ids.isEmpty())
            return false;
    }
    for (const auto& ids : m_unlisted) {
        if (!ids.isEmpty())
            return false;
    }
    return true;
}

void ChangeList::clear()
{
    for (auto& ids : m_ids)
        ids.clear();
    for (auto& ids : m_unlisted)
        ids.clear();
}
