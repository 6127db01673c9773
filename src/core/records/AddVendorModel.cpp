#include "AddVendorModel.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

AddVendorModel::AddVendorModel(ProjectTables& tables, Prompter& prompter, qint32 vendorId)
    : m_tables(tables), m_prompter(prompter)
{
    if (vendorId <= 0)
        return;
    if (!m_tables.vendors().RecordRead(m_record, vendorId)) {
        m_record = CVendorsRec();
        m_open = false;
    }
}

bool AddVendorModel::checkPrerequisites()
{
    if (!m_open)
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
    return m_open;
}

QString AddVendorModel::caption() const
{
    return isModify() ? QStringLiteral("Modify Vendor") : QStringLiteral("Add A New Vendor");
}

AddVendorModel::Result AddVendorModel::save()
{
    if (!m_open)
        return Result::refused();
    if (m_record.Name.isEmpty()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidName));
        return Result::refused(Field::Name);
    }
    CVendorsSet& vendors = m_tables.vendors();
    Transaction transaction(m_tables.database());
    if (isModify() && !vendors.LocateByID(m_record.ID)) {
        // Deleted since the dialog opened: writing it would bring nothing back.
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return Result::refused();
    }
    CVendorsRec written = m_record;
    const bool ok = transaction.isActive() &&
                    (isModify() ? vendors.RecordModify(written) : vendors.RecordAdd(written)) &&
                    transaction.commit();
    if (!ok) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_lastSaved = written.ID;
    m_changes.add(ListingKind::Vendors, written.ID);
    return Result::ok();
}

AddVendorModel::Result AddVendorModel::saveAndNext()
{
    const Result result = save();
    if (!result.saved)
        return result;
    m_record = CVendorsRec();
    return Result{true, Field::Name};
}
