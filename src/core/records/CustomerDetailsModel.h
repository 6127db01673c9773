#pragma once

#include <QString>

class Prompter;
class ProjectTables;

// The read-only texts of the Customer Details dialog.
class CustomerDetailsModel
{
public:
    // Reads the customer; tells the user at once when it cannot, and the texts stay empty.
    CustomerDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 customerId);

    bool isLoaded() const { return m_loaded; }

    QString company() const { return m_company; }
    // "First Last".
    QString name() const { return m_name; }
    // The street, then "City, State Zip".
    QString addressLine1() const { return m_address1; }
    QString addressLine2() const { return m_address2; }
    QString phone() const { return m_phone; }
    QString notes() const { return m_notes; }
    QString email() const { return m_email; }

private:
    bool m_loaded = false;
    QString m_company, m_name, m_address1, m_address2, m_phone, m_notes, m_email;
};
