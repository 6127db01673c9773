#pragma once

#include "RecordIds.h"

#include <QList>

#include <array>

// The IDs of the records an operation added, changed or deleted, by list kind, so
// the lists can refresh just those rows. Each kind keeps at most kMaxPerKind IDs.
class ChangeList
{
public:
    static constexpr qsizetype kMaxPerKind = 1000;

    // Adds an ID once; false when the kind is already full.
    bool add(ListingKind kind, qint32 id);
    void merge(const ChangeList& other);

    const QList<qint32>& ids(ListingKind kind) const { return m_ids[static_cast<size_t>(kind)]; }
    bool contains(ListingKind kind, qint32 id) const { return ids(kind).contains(id); }
    bool isEmpty() const;
    void clear();

private:
    std::array<QList<qint32>, kListingKindCount> m_ids;
};
