#pragma once

#include "core/common/DialogModel.h"
#include "core/db/Records.h"

#include <QString>

class Prompter;
class ProjectTables;

// The texts of the read-only Vendor Details dialog.
class VendorDetailsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    VendorDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId);

    // False, after telling the user, when the vendor could not be read: the
    // dialog does not open.
    bool checkPrerequisites() override;
    QString caption() const override;
    // Nothing to write: closing the dialog is always accepted.
    Result save() { return Result::ok(); }

    QString idText() const;
    // Every other text is the vendor's field as stored: name and number, the
    // "Primary Location" (Contact ... Fax) and the "Secondary Location"
    // (Contact2 ... Fax2).
    const CVendorsRec& vendor() const { return m_vendor; }

private:
    CVendorsRec m_vendor;
    Prompter& m_prompter;
    bool m_open = false;
};
