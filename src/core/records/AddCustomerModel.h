#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"
#include "core/db/Records.h"

#include <QString>

class Prompter;
class ProjectTables;

// The state behind the Add Customer dialog: a new customer, or changes to an
// existing one. Nothing is required; empty fields are stored empty.
class AddCustomerModel : public DialogModel
{
public:
    // Nothing is validated, so no field is ever to blame.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // Modifies the customer with this ID; NoSelection (or any ID below 0) adds a new one.
    AddCustomerModel(ProjectTables& tables, Prompter& prompter, qint32 customerId = NoSelection);

    bool isModify() const { return m_modify; }
    // False when the customer to modify could not be read: the dialog then closes
    // at once as if cancelled, without a message.
    bool checkPrerequisites() override { return m_open; }
    QString caption() const override;
    QString helpLine() const override;

    QString lastName() const { return m_record.Last; }
    QString firstName() const { return m_record.First; }
    QString street() const { return m_record.Address; }
    QString city() const { return m_record.City; }
    QString state() const { return m_record.State; }
    QString zip() const { return m_record.Zip; }
    QString phone() const { return m_record.Phone; }
    QString company() const { return m_record.Company; }
    QString email() const { return m_record.EMail; }
    QString notes() const { return m_record.Notes; }

    void setLastName(const QString& text) { m_record.Last = text; }
    void setFirstName(const QString& text) { m_record.First = text; }
    void setStreet(const QString& text) { m_record.Address = text; }
    void setCity(const QString& text) { m_record.City = text; }
    void setState(const QString& text) { m_record.State = text; }
    void setZip(const QString& text) { m_record.Zip = text; }
    void setPhone(const QString& text) { m_record.Phone = text; }
    void setCompany(const QString& text) { m_record.Company = text; }
    void setEmail(const QString& text) { m_record.EMail = text; }
    void setNotes(const QString& text) { m_record.Notes = text; }

    // OK: adds the new customer or rewrites the existing one. A customer that has
    // vanished since the dialog opened is reported and not written again.
    Result save();

    // The customer's ID: the new one once a new customer is saved, NoSelection before.
    qint32 customerId() const { return (m_record.ID > 0 || m_modify) ? m_record.ID : NoSelection; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    bool m_modify = false;
    bool m_open = true;
    CCustomersRec m_record;
};
