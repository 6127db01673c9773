#pragma once

#include "core/common/ChangeList.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/db/Records.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <type_traits>

class Clock;
class ProjectTables;

// The writes every import shares: vendors found by name through a map read once,
// items added with their initial lot, customers, and the tally of records that
// were refused because they could not be sound. Each import run has its own
// writer; its changes count only once the run has committed.
class ImportWriter
{
public:
    // Amounts and counts beyond these come only from damaged records.
    static constexpr qint64 kLargestAmountUnits = 1'000'000'000;
    static constexpr qint32 kLargestCount = 1'000'000'000;

    ImportWriter(ProjectTables& tables, const Clock& clock);

    // Reads the names of the project's vendors; call it inside the import's
    // transaction, before the first lookup.
    bool loadVendorNames();
    // The first vendor (lowest ID) with this name, compared as the database
    // compares names (ASCII letters without regard to case); NoID when none.
    qint32 vendorByName(const QString& name) const;
    bool addVendor(CVendorsRec& vendor);
    // Overwrites every field of the vendor with this ID.
    bool overwriteVendor(const CVendorsRec& vendor);
    // The vendor with this name, added with nothing but its name when missing.
    std::optional<qint32> findOrAddVendor(const QString& name);

    // Adds the item and its one initial lot of `quantity` at the item's cost,
    // dated today, from the primary vendor. The item holds no other lot, so its
    // Stocked is that quantity; nothing is on order.
    bool addItemWithLot(CItemsRec& item, qint32 quantity);
    // As the item dialog adds an item: the lot only when the quantity is above 0.
    bool addItem(CItemsRec& item, qint32 quantity);
    bool addCustomer(CCustomersRec& customer);

    // Whether an item's amounts and counts are ones the project can work with.
    static bool isSound(const CItemsRec& item, qint32 quantity);
    static bool isSoundAmount(Money amount);
    static bool isSoundCount(qint32 count) { return count >= 0 && count <= kLargestCount; }
    // Whether every text of a record fits its field.
    template <typename Rec> static bool textsFit(const Rec& rec)
    {
        bool fit = true;
        Rec::fields(rec, [&](const char*, const auto& member, int size = 0) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(member)>, QString>)
                fit = fit && member.size() <= size;
        });
        return fit;
    }

    // A record left out as damaged, named as the user can find it again.
    void refuse(const QString& label);
    qint64 refusedCount() const { return m_refusedCount; }
    // What to tell the user about the refused records; empty when there were none.
    QString refusalReport() const;

    const ChangeList& changes() const { return m_changes; }
    QString lastError() const { return m_lastError; }

private:
    static QString nameKey(const QString& name);
    bool failed(const QString& error);
    void note(ListingKind kind, qint32 id);

    ProjectTables& m_tables;
    DateTime m_today;
    QHash<QString, qint32> m_vendorsByName;
    ChangeList m_changes;
    QStringList m_refused; // the first few, for the report
    qint64 m_refusedCount = 0;
    QString m_lastError;
};
