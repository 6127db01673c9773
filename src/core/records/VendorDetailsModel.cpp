#include "VendorDetailsModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

VendorDetailsModel::VendorDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId)
    : m_prompter(prompter)
{
    m_open = vendorId > 0 && tables.vendors().RecordRead(m_vendor, vendorId);
    if (!m_open)
        m_vendor = CVendorsRec();
}

bool VendorDetailsModel::checkPrerequisites()
{
    if (!m_open)
        warn(m_prompter, StatusMessage(Status::RecordNotFound), caption());
    return m_open;
}

QString VendorDetailsModel::caption() const
{
    return QStringLiteral("Vendor Details");
}

QString VendorDetailsModel::idText() const
{
    return FormatRecordId(m_vendor.ID);
}
