#include "MarkPOFillDateModel.h"

#include "common/Money.h"
#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "db/ProjectDatabase.h"
#include "project/ProjectTables.h"
#include "records/EntryHelpers.h"

MarkPOFillDateModel::MarkPOFillDateModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                                         qint32 poID)
    : m_tables(tables), m_prompter(prompter), m_poID(poID), m_dateText(ShortDateText(TodayFrom(clock)))
{
}

QString MarkPOFillDateModel::caption() const
{
    return QStringLiteral("Mark PO Filll Date");
}

QString MarkPOFillDateModel::prompt() const
{
    return QStringLiteral("Please enter the date the PO was received.");
}

QString MarkPOFillDateModel::dateLabel() const
{
    return QStringLiteral("Fill Date:");
}

LegacySaveResult MarkPOFillDateModel::save()
{
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        WarnUser(m_prompter, QStringLiteral("Must specify a valid date."));
        return LegacySaveResult::refused(QStringLiteral("date"));
    }
    CPORec po;
    if (!m_tables.purchaseOrders().RecordRead(po, m_poID)) {
        ReportErrorCode(m_prompter, Status::RecordNotFound);
        return LegacySaveResult::refused();
    }
    po.Filled = true;
    po.FilledDate = date.dateOnly();
    Transaction transaction(m_tables.database());
    if (!transaction.isActive() || !m_tables.purchaseOrders().RecordModify(po) || !transaction.commit()) {
        ReportOperationFailure(m_prompter, m_tables.database());
        return LegacySaveResult::refused();
    }
    m_fillDate = po.FilledDate;
    m_changes.add(ListingKind::PurchaseOrders, po.ID);
    return LegacySaveResult::ok();
}
