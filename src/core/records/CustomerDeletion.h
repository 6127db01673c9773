#pragma once

#include "common/ChangeList.h"

#include <QString>

class Prompter;
class ProjectTables;

// Deleting a customer from the customer list. The customer's invoices and payment
// records stay, with no customer, so that sales and payments remain counted.
//
// The desktop calls prepare(); when it succeeds it shows the typed confirmation
// with warning(), checks each typed word with confirm(), and once confirmed
// calls run().
class CustomerDeletion
{
public:
    CustomerDeletion(ProjectTables& tables, Prompter& prompter, qint32 customerId);

    // Whether the customer exists; tells the user when it does not.
    bool prepare();
    QString warning() const;
    // Whether the typed word confirms; tells the user when it does not.
    bool confirm(const QString& typed);
    // Deletes the customer and clears it from its invoices and payment records, in
    // one transaction; a failure is reported and changes nothing.
    bool run();

    // The deleted customer and the invoices that lost it.
    const ChangeList& changes() const { return m_changes; }

    // The deletion itself, without questions: false when a write failed (the
    // caller rolls back). The customer record goes only for an ID above 0.
    static bool removeCustomer(ProjectTables& tables, qint32 customerId, ChangeList& changes);

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    qint32 m_customerId;
    bool m_confirmed = false;
    ChangeList m_changes;
};
