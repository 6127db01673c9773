#pragma once

#include "core/common/DialogModel.h"

#include <QString>

class Prompter;
class ProjectTables;

// The typed confirmation that comes before deleting a vendor, an item, an order
// line or a purchase order, and the deletion it confirms.
//
// checkPrerequisites() finds the record; the dialog then shows warning(), hands
// the typed word to setConfirmation(), and save() deletes once it confirms.
class DeleteRecordModel : public DialogModel
{
public:
    enum class Target
    {
        Vendor,
        Item,
        OrderLine,
        PurchaseOrder
    };
    enum class Field
    {
        None,
        Confirmation
    };
    using Result = SaveResult<Field>;

    // `id` is the record's ID, for every target.
    DeleteRecordModel(ProjectTables& tables, Prompter& prompter, Target target, qint32 id);

    // Whether there is something to delete; tells the user when there is not (the
    // record is missing, or the purchase order has receipts).
    bool checkPrerequisites() override;
    QString caption() const override { return QStringLiteral("Delete"); }
    QString helpLine() const override { return QStringLiteral("Confirm deletion by typing 'YES'"); }
    // Names the record as the list shows it: a purchase order by its number.
    QString warning() const;

    void setConfirmation(const QString& typed) { m_confirmation = typed; }
    // Deletes in one transaction. Refused, after telling the user, when the typed
    // word does not confirm, and when the record cannot be (or has already been)
    // deleted.
    Result save();

    Target target() const { return m_target; }
    qint32 recordId() const { return m_recordId; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    Target m_target;
    qint32 m_recordId;
    qint32 m_shownNumber; // as the list shows it: the ID, or a purchase order's number
    bool m_prepared = false;
    QString m_confirmation;
};
