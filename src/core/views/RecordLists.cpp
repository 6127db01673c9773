#include "RecordLists.h"

#include "TypedRecordList.h"
#include "core/common/UserSettings.h"

namespace {

// The kinds whose rows refer to records of another kind, by the referred kind.
QList<ListingKind> referringKinds(ListingKind kind)
{
    switch (kind) {
    case ListingKind::Vendors:
        return {ListingKind::Items, ListingKind::Stock, ListingKind::PurchaseOrders};
    case ListingKind::Items:
        return {ListingKind::Stock};
    case ListingKind::Customers:
        return {ListingKind::Invoices};
    case ListingKind::PurchaseOrders:
    case ListingKind::Invoices:
    case ListingKind::Stock:
        break;
    }
    return {};
}

} // namespace

RecordLists::RecordLists(UserSettings& settings) : m_settings(settings)
{
    m_lists[index(ListingKind::Vendors)] = std::make_unique<TypedRecordList<CVendorsRow>>();
    m_lists[index(ListingKind::Items)] = std::make_unique<TypedRecordList<CItemsRow>>();
    m_lists[index(ListingKind::PurchaseOrders)] = std::make_unique<TypedRecordList<CPORow>>();
    m_lists[index(ListingKind::Invoices)] = std::make_unique<TypedRecordList<CSIRow>>();
    m_lists[index(ListingKind::Customers)] = std::make_unique<TypedRecordList<CCustomersRow>>();
    m_lists[index(ListingKind::Stock)] = std::make_unique<TypedRecordList<CStockRow>>();
    for (const std::unique_ptr<RecordList>& list : m_lists)
        list->layout().load(m_settings);
    m_colors.load(m_settings);
    markAllForReload();
}

RecordLists::~RecordLists() = default;

void RecordLists::setTables(ProjectTables* tables)
{
    m_tables = tables;
    for (const std::unique_ptr<RecordList>& list : m_lists)
        list->clear();
    markAllForReload();
}

void RecordLists::markAllForReload()
{
    m_needsReload.fill(true);
}

bool RecordLists::ReloadList(ListingKind kind, const QString& filter, ListProgress* progress)
{
    m_needsReload[index(kind)] = false;
    if (!m_tables) {
        list(kind).clear();
        return false;
    }
    return list(kind).readAll(*m_tables, filter, progress);
}

void RecordLists::RefreshRecords(ListingKind kind, const QList<qint32>& ids, ListProgress* progress)
{
    if (m_tables && !ids.isEmpty())
        list(kind).refresh(*m_tables, ids, progress);
}

void RecordLists::RefreshAfterDelete(ListingKind kind, const QList<qint32>& ids, ListProgress* progress)
{
    if (!m_tables || ids.isEmpty())
        return;
    // The rows that referred to the deleted records are found before their
    // own rows go; every referring list is read afresh, since rows show the
    // names of the records they refer to.
    QList<std::pair<ListingKind, QList<qint32>>> referring;
    for (const ListingKind other : referringKinds(kind))
        referring.append({other, list(other).recordsReferringTo(kind, ids)});
    RefreshRecords(kind, ids, progress);
    for (const auto& [other, otherIds] : std::as_const(referring))
        list(other).refresh(*m_tables, otherIds, progress);
}

void RecordLists::RefreshChanges(const ChangeList& changes, ListProgress* progress)
{
    for (int kind = 0; kind < kListingKindCount; ++kind)
        RefreshRecords(static_cast<ListingKind>(kind), changes.ids(static_cast<ListingKind>(kind)), progress);
}

bool RecordLists::saveColumns(ListingKind kind)
{
    return list(kind).layout().save(m_settings);
}
