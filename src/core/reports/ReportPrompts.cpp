#include "core/reports/ReportPrompts.h"

#include "core/common/Money.h"
#include "core/common/StatusCodes.h"
#include "core/records/EntryHelpers.h"
#include "core/records/Pickers.h"

DateRangeModel::DateRangeModel(Prompter& prompter, const Clock& clock) : m_prompter(prompter)
{
    const DateTime today = TodayFrom(clock);
    const QDate day = today.date();
    m_startText = ShortDateText(DateTime::fromDate(QDate(day.year(), day.month(), 1)));
    m_endText = ShortDateText(today);
}

QString DateRangeModel::helpLine() const
{
    return QStringLiteral("Please specify the date range to include.");
}

DateRangeModel::Result DateRangeModel::save()
{
    const DateTime start = DateTime::parseDate(m_startText, UserLocale());
    const DateTime end = DateTime::parseDate(m_endText, UserLocale());
    for (const auto& [date, field] : {std::pair{start, Field::Start}, std::pair{end, Field::End}}) {
        if (!date.isValid()) {
            warn(m_prompter, QStringLiteral("Must specify a valid date."));
            return Result::refused(field);
        }
    }
    if (end.days() < start.days()) {
        warn(m_prompter, QStringLiteral("The range must not end before it starts."));
        return Result::refused(Field::End);
    }
    m_start = start.dateOnly();
    m_end = end.dateOnly();
    return Result::ok();
}

ReportCriteriaModel::ReportCriteriaModel(ProjectTables& tables, Prompter& prompter)
    : m_prompter(prompter), m_vendorEntries(VendorPickerEntries(tables))
{
    if (!m_vendorEntries.isEmpty())
        m_vendorID = EntryId(m_vendorEntries.constFirst());
}

QString ReportCriteriaModel::helpLine() const
{
    return QStringLiteral(
        "The report specified allows for you to choose a specific vendor from which to "
        "retrieve the data.\nIf you do not choose to apply vendor criteria, the report will "
        "use all vendors.");
}

void ReportCriteriaModel::selectVendor(qint32 vendorID)
{
    m_vendorID = PickerIndexOf(m_vendorEntries, vendorID) >= 0 ? vendorID : NoSelection;
}

ReportCriteriaModel::Result ReportCriteriaModel::save()
{
    if (m_appliesVendor && m_vendorID == NoSelection) {
        warn(m_prompter, QStringLiteral("Must select a vendor to apply vendor criteria."));
        return Result::refused(Field::Vendor);
    }
    return Result::ok();
}
