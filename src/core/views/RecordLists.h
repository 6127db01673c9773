#pragma once

#include "ListColors.h"
#include "RecordList.h"

#include "core/common/ChangeList.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class ListProgress;
class ProjectTables;
class UserSettings;

// The six record lists of the open project with the user's column layouts and
// row colours: reloading a list from its table, and bringing rows up to date
// after records were added, changed or deleted elsewhere.
class RecordLists
{
public:
    // Every list empty, its layout and the colours read from the settings.
    explicit RecordLists(UserSettings& settings);
    ~RecordLists();
    RecordLists(const RecordLists&) = delete;
    RecordLists& operator=(const RecordLists&) = delete;

    RecordList& list(ListingKind kind) { return *m_lists[index(kind)]; }
    const RecordList& list(ListingKind kind) const { return *m_lists[index(kind)]; }
    // Shared by every list.
    ListColors& colors() { return m_colors; }
    const ListColors& colors() const { return m_colors; }
    UserSettings& settings() { return m_settings; }

    // Another project (or none) is open: every list is emptied and needs reloading.
    void setTables(ProjectTables* tables);
    ProjectTables* tables() const { return m_tables; }

    bool needsReload(ListingKind kind) const { return m_needsReload[index(kind)]; }
    void markForReload(ListingKind kind) { m_needsReload[index(kind)] = true; }
    void markAllForReload();

    // Reads the kind's rows afresh from its table under `filter` (the tree's
    // selection filter). False without a project or when the table could not be
    // read.
    bool ReloadList(ListingKind kind, const QString& filter, ListProgress* progress = nullptr);
    // Rereads the rows of records of this kind that were added, changed or deleted.
    void RefreshRecords(ListingKind kind, const QList<qint32>& ids, ListProgress* progress = nullptr);
    // After records of this kind were deleted: their rows go, and the listed rows
    // of the kinds that referred to them (a vendor's items, lots and purchase
    // orders; an item's lots; a customer's invoices) are read again.
    void RefreshAfterDelete(ListingKind kind, const QList<qint32>& ids, ListProgress* progress = nullptr);
    // Every kind of a change list, as an operation reports it.
    void RefreshChanges(const ChangeList& changes, ListProgress* progress = nullptr);

    // Writes the kind's column layout; false when the settings could not be written.
    bool saveColumns(ListingKind kind);

private:
    static size_t index(ListingKind kind) { return static_cast<size_t>(kind); }

    UserSettings& m_settings;
    ProjectTables* m_tables = nullptr;
    std::array<std::unique_ptr<RecordList>, kListingKindCount> m_lists;
    std::array<bool, kListingKindCount> m_needsReload{};
    ListColors m_colors;
};
