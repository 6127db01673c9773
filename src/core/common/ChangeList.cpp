#include "ChangeList.h"

bool ChangeList::add(ListingKind kind, qint32 id)
{
    QList<qint32>& ids = m_ids[static_cast<size_t>(kind)];
    if (ids.contains(id))
        return true;
    if (ids.size() >= kMaxPerKind)
        return false;
    ids.append(id);
    return true;
}

void ChangeList::merge(const ChangeList& other)
{
    for (int kind = 0; kind < kListingKindCount; ++kind) {
        for (const qint32 id : other.m_ids[static_cast<size_t>(kind)])
            add(static_cast<ListingKind>(kind), id);
    }
}

bool ChangeList::isEmpty() const
{
    for (const auto& ids : m_ids) {
        if (!ids.isEmpty())
            return false;
    }
    return true;
}

void ChangeList::clear()
{
    for (auto& ids : m_ids)
        ids.clear();
}
