#pragma once

#include "core/common/DialogModel.h"

#include <QString>

class Prompter;
class ProjectTables;

// The read-only texts of the Customer Details dialog.
class CustomerDetailsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // Reads the customer; when it cannot, the texts stay empty.
    CustomerDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 customerId);

    // Tells the user when the customer could not be read. The dialog still opens,
    // with its texts empty.
    bool checkPrerequisites() override;
    QString caption() const override { return QStringLiteral("Customer Details"); }
    // Nothing to write: "Done" is always accepted.
    Result save() { return Result::ok(); }

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
    Prompter& m_prompter;
    bool m_loaded = false;
    QString m_company, m_name, m_address1, m_address2, m_phone, m_notes, m_email;
};
