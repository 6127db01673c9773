#include "VendorDetailsModel.h"

#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "project/ProjectTables.h"

VendorDetailsModel::VendorDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId)
{
    m_open = vendorId > 0 && tables.vendors().RecordRead(m_vendor, vendorId);
    if (!m_open) {
        m_vendor = CVendorsRec();
        prompter.message(StatusMessage(Status::RecordNotFound), title(), Prompter::Icon::Exclamation);
    }
}

QString VendorDetailsModel::title()
{
    return QStringLiteral("Vendor Details");
}

QString VendorDetailsModel::idText() const
{
    return FormatRecordId(m_vendor.ID);
}
