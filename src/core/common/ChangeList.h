#pragma once

#include "RecordIds.h"

#include <QList>

#include <array>

// The tables whose records no list shows, but which an operation can still write.
// Their own codes, apart from ListingKind's, which lists and stored files use.
enum class UnlistedKind : int
{
    Receivables = 0, // the AR table: what invoices leave due and the payments against it
    OrderLines = 1,  // the lines of purchase orders
    Receipts = 2,    // what was received on order lines
    SoldItems = 3,   // the lines of sales invoices
};
inline constexpr int kUnlistedKindCount = 4;

// The IDs of the records an operation added, changed or deleted, by list kind, so
// the lists can refresh just those rows, and by unlisted table, so that callers
// know every record written. Each kind keeps at most kMaxPerKind IDs.
class ChangeList
{
public:
    static constexpr qsizetype kMaxPerKind = 1000;

    // Adds an ID once; false when the kind is already full.
    bool add(ListingKind kind, qint32 id);
    bool add(UnlistedKind kind, qint32 id);
    void merge(const ChangeList& other);

    const QList<qint32>& ids(ListingKind kind) const { return m_ids[static_cast<size_t>(kind)]; }
    const QList<qint32>& ids(UnlistedKind kind) const { return m_unlisted[static_cast<size_t>(kind)]; }
    bool contains(ListingKind kind, qint32 id) const { return ids(kind).contains(id); }
    bool contains(UnlistedKind kind, qint32 id) const { return ids(kind).contains(id); }
    bool isEmpty() const;
    void clear();

private:
    std::array<QList<qint32>, kListingKindCount> m_ids;
    std::array<QList<qint32>, kUnlistedKindCount> m_unlisted;
};
