#include "MarkPOFillDateModel.h"

#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/EntryHelpers.h"

MarkPOFillDateModel::MarkPOFillDateModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                                         qint32 poID)
    : m_tables(tables), m_prompter(prompter), m_poID(poID), m_dateText(ShortDateText(TodayFrom(clock)))
{
}

QString MarkPOFillDateModel::caption() const
{
    return QStringLiteral("Mark PO Filll Date");
}

QString MarkPOFillDateModel::helpLine() const
{
    return QStringLiteral("Please enter the date the PO was received.");
}

QString MarkPOFillDateModel::dateLabel() const
{
    return QStringLiteral("Fill Date:");
}

MarkPOFillDateModel::Result MarkPOFillDateModel::save()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Must specify a valid date."));
        return Result::refused(Field::Date);
    }
    CPORec po;
    if (!m_tables.purchaseOrders().RecordRead(po, m_poID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return Result::refused();
    }
    po.Filled = true;
    po.FilledDate = date.dateOnly();
    Transaction transaction(m_tables.database());
    if (!transaction.isActive() || !m_tables.purchaseOrders().RecordModify(po) || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return Result::refused();
    }
    m_fillDate = po.FilledDate;
    m_changes.add(ListingKind::PurchaseOrders, po.ID);
    return Result::ok();
}
