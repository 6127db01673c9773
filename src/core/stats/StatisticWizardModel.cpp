#include "core/stats/StatisticWizardModel.h"

#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StandardStatistics.h"

namespace {

QString Title()
{
    return AppTitle();
}

} // namespace

StatisticWizardModel::StatisticWizardModel(CProjectSettings& settings, Prompter& prompter, const Clock& clock)
    : m_settings(settings), m_prompter(prompter)
{
    m_start = m_thru = DateTime::fromDate(clock.now().date()).formatShortDate(UserLocale());
    setType(StandardStatistics::GrossSalesRevenues);
}

QString StatisticWizardModel::datePageText()
{
    return QStringLiteral(
        "The type of statistic specified may be setup to use a date range.  The date range will "
        "define the period for which the statistic will be calculated.  A common use for this "
        "would be to specify the dates of a fiscal quarter.");
}

QString StatisticWizardModel::namePageText()
{
    return QStringLiteral(
        "Finally, specify a unique name for the statistic.  The name should be decriptive for the "
        "statistic created.  For example, if a date range was specified for the statistic, you "
        "may wish to incorporate this into the statistic name.");
}

QStringList StatisticWizardModel::typeNames()
{
    return StandardStatistics::Names();
}

void StatisticWizardModel::setType(int type)
{
    if (type < 0 || type >= StandardStatistics::TypeCount)
        return;
    m_type = type;
    m_datesRequired = StandardStatistics::NeedsDates(type);
    if (m_datesRequired)
        m_useDates = true;
}

QString StatisticWizardModel::description() const
{
    return StandardStatistics::Description(m_type);
}

void StatisticWizardModel::setUseDates(bool on)
{
    if (!m_datesRequired)
        m_useDates = on;
}

StatisticWizardModel::Result StatisticWizardModel::datePageNext()
{
    if (!m_useDates)
        return Result::ok();
    const bool startValid = DateTime::parseDate(m_start, UserLocale()).isValid();
    const bool thruValid = DateTime::parseDate(m_thru, UserLocale()).isValid();
    if (startValid && thruValid)
        return Result::ok();
    m_prompter.message(QStringLiteral("Must specify a valid date."), Title(), Prompter::Icon::None);
    return Result::refused(startValid ? Field::ThruDate : Field::StartDate);
}

StatisticWizardModel::Result StatisticWizardModel::save()
{
    m_added.clear();
    if (m_name.isEmpty() || m_settings.FindStatistic(m_name) >= 0) {
        warn(m_prompter,
             QStringLiteral("The name specified is not valid or already being used.\n"
                            "Please specify a unique name for the statistic."),
             Title());
        return Result::refused(Field::Name);
    }
    // The dates were checked on their page; a wizard finished without passing
    // it must not store dates it cannot read.
    const Result dates = datePageNext();
    if (!dates.saved)
        return dates;

    const DateTime start = DateTime::parseDate(m_start, UserLocale());
    const DateTime thru = DateTime::parseDate(m_thru, UserLocale());
    const QList<CStatistic> built = StandardStatistics::Build(m_type, m_name, m_useDates, start, thru);
    // An intermediate statistic whose name is in use already is not added
    // again: the one of that name takes its place.
    QList<CStatistic> toAdd;
    for (const CStatistic& statistic : built) {
        if (statistic.Intermediate == 0 || m_settings.FindStatistic(statistic.Name) < 0)
            toAdd.append(statistic);
    }
    // All or nothing, in one write of the settings file: a statistic whose
    // intermediate ones were only partly stored, by a failed write or a crash
    // between writes, would be left without its parts.
    if (m_settings.statisticCount() + toAdd.size() > CProjectSettings::MaxStatistics) {
        ReportErrorCode(m_prompter, Status::OperationFailed);
        return Result::refused(Field::Name);
    }
    if (!m_settings.AddStatistics(toAdd)) {
        ReportErrorCode(m_prompter, m_settings.lastSaveStatus());
        return Result::refused(Field::Name);
    }
    for (const CStatistic& statistic : toAdd)
        m_added.append(statistic.Name);
    return Result::ok();
}
