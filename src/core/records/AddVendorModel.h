#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"
#include "core/db/Records.h"

#include <QString>

class Prompter;
class ProjectTables;

// The state behind the vendor entry dialog: a new vendor, or changes to an
// existing one. The name is the one required field.
class AddVendorModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Name
    };
    using Result = SaveResult<Field>;

    // Modifies the vendor with this ID; NoSelection (or any ID below 1) adds vendors.
    AddVendorModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId = NoSelection);

    // False, after telling the user, when the vendor to modify could not be read.
    bool checkPrerequisites() override;
    bool isModify() const { return m_record.ID > 0; }
    QString caption() const override;

    QString name() const { return m_record.Name; }
    QString number() const { return m_record.Number; }
    QString contact() const { return m_record.Contact; }
    QString street() const { return m_record.Street; }
    QString city() const { return m_record.City; }
    QString state() const { return m_record.State; }
    QString zip() const { return m_record.Zip; }
    QString phone() const { return m_record.Phone; }
    QString fax() const { return m_record.Fax; }
    QString contact2() const { return m_record.Contact2; }
    QString street2() const { return m_record.Street2; }
    QString city2() const { return m_record.City2; }
    QString state2() const { return m_record.State2; }
    QString zip2() const { return m_record.Zip2; }
    QString phone2() const { return m_record.Phone2; }
    QString fax2() const { return m_record.Fax2; }

    void setName(const QString& text) { m_record.Name = text; }
    void setNumber(const QString& text) { m_record.Number = text; }
    void setContact(const QString& text) { m_record.Contact = text; }
    void setStreet(const QString& text) { m_record.Street = text; }
    void setCity(const QString& text) { m_record.City = text; }
    void setState(const QString& text) { m_record.State = text; }
    void setZip(const QString& text) { m_record.Zip = text; }
    void setPhone(const QString& text) { m_record.Phone = text; }
    void setFax(const QString& text) { m_record.Fax = text; }
    void setContact2(const QString& text) { m_record.Contact2 = text; }
    void setStreet2(const QString& text) { m_record.Street2 = text; }
    void setCity2(const QString& text) { m_record.City2 = text; }
    void setState2(const QString& text) { m_record.State2 = text; }
    void setZip2(const QString& text) { m_record.Zip2 = text; }
    void setPhone2(const QString& text) { m_record.Phone2 = text; }
    void setFax2(const QString& text) { m_record.Fax2 = text; }

    // OK: adds the vendor, or writes the modified one back under its ID.
    Result save();
    // "Next >>": saves, then empties every field for the next vendor. After
    // modifying a vendor the dialog goes on adding new ones, so the next save
    // cannot overwrite the vendor just modified.
    Result saveAndNext();

    // The vendor last saved; NoSelection before the first save.
    qint32 lastSavedId() const { return m_lastSaved; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    bool m_open = true;
    CVendorsRec m_record;
    qint32 m_lastSaved = NoSelection;
};
