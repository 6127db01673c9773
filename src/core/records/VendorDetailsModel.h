#pragma once

#include "db/Records.h"

#include <QString>

class Prompter;
class ProjectTables;

// The texts of the read-only Vendor Details dialog.
class VendorDetailsModel
{
public:
    VendorDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId);

    // False when the vendor could not be read (the user has been told): the
    // dialog does not open.
    bool isOpen() const { return m_open; }
    static QString title();

    QString idText() const;
    // Every other text is the vendor's field as stored: name and number, the
    // "Primary Location" (Contact ... Fax) and the "Secondary Location"
    // (Contact2 ... Fax2).
    const CVendorsRec& vendor() const { return m_vendor; }

private:
    CVendorsRec m_vendor;
    bool m_open = false;
};
