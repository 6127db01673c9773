#pragma once

#include "common/ChangeList.h"

#include <QString>

class Prompter;
class ProjectTables;

// The typed confirmation that comes before deleting a vendor, an item, an order
// line or a purchase order, and the deletion it confirms.
//
// The desktop calls prepare(); when it succeeds it shows the Delete dialog with
// warning(), checks each typed word with confirm(), and once confirmed calls run().
class DeleteRecordModel
{
public:
    enum class Target
    {
        Vendor,
        Item,
        OrderLine,
        PurchaseOrder
    };

    // `id` is the record's ID, except for a purchase order, which the list names
    // by its number.
    DeleteRecordModel(ProjectTables& tables, Prompter& prompter, Target target, qint32 id);

    // Whether there is something to delete; tells the user when there is not (the
    // record is missing, or the purchase order has receipts).
    bool prepare();
    static QString title();
    static QString prompt();
    QString warning() const;
    // Whether the typed word confirms; tells the user when it does not.
    bool confirm(const QString& typed);
    // Deletes, once confirmed, in one transaction; false when nothing was deleted.
    bool run();

    Target target() const { return m_target; }
    // The record's ID (for a purchase order, once prepare() has found it).
    qint32 recordId() const { return m_recordId; }
    const ChangeList& changes() const { return m_changes; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    Target m_target;
    qint32 m_shownId;  // as the list shows it
    qint32 m_recordId; // the record's own ID
    bool m_prepared = false;
    bool m_confirmed = false;
    ChangeList m_changes;
};
