#pragma once

#include "core/common/DialogModel.h"

#include <QString>

class Prompter;
class ProjectTables;

// Deleting a customer from the customer list. The customer's invoices and payment
// records stay, with no customer, so that sales and payments remain counted.
//
// checkPrerequisites() finds the customer; the dialog then shows warning(), hands
// the typed word to setConfirmation(), and save() deletes once it confirms.
class CustomerDeletion : public DialogModel
{
public:
    enum class Field
    {
        None,
        Confirmation
    };
    using Result = SaveResult<Field>;

    CustomerDeletion(ProjectTables& tables, Prompter& prompter, qint32 customerId);

    // Whether the customer exists; tells the user when it does not.
    bool checkPrerequisites() override;
    QString caption() const override { return QStringLiteral("Delete"); }
    QString helpLine() const override { return QStringLiteral("Confirm deletion by typing 'YES'"); }
    QString warning() const;

    void setConfirmation(const QString& typed) { m_confirmation = typed; }
    // Deletes the customer and clears it from its invoices and payment records, in
    // one transaction. Refused, after telling the user, when the typed word does
    // not confirm or a write fails (which changes nothing). changes() then names
    // the deleted customer and the invoices that lost it.
    Result save();

    // The deletion itself, without questions: false when a write failed (the
    // caller rolls back). The customer record goes only for an ID above 0.
    static bool removeCustomer(ProjectTables& tables, qint32 customerId, ChangeList& changes);

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    qint32 m_customerId;
    bool m_deleted = false;
    QString m_confirmation;
};
