#include "core/stats/CreateStatisticModel.h"

#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StatisticFields.h"
#include "core/stats/StatisticIndex.h"

namespace {

QString Title()
{
    return AppTitle();
}

QString DateText(const DateTime& date)
{
    return date.formatShortDate(UserLocale());
}

} // namespace

CreateStatisticModel::CreateStatisticModel(CProjectSettings& settings, Prompter& prompter, const Clock& clock,
                                           const QString& nameToModify)
    : m_settings(settings), m_prompter(prompter)
{
    const QString today = DateText(DateTime::fromDate(clock.now().date()));
    m_start = m_thru = today;
    m_modifyIndex = nameToModify.isEmpty() ? -1 : settings.FindStatistic(nameToModify);
    if (m_modifyIndex >= 0) {
        const CStatistic& s = settings.statistics().at(m_modifyIndex);
        m_name = s.Name;
        m_listingIndex = StatisticListingIndex(s.Listing);
        m_intermediate = s.Intermediate != 0;
        m_operator = s.Operator < CStatistic::OperatorCount ? s.Operator : -1;
        // An operand that is no list entry shows as the text it is.
        m_left = s.LeftType == CStatistic::OperandNone ? QString() : s.LeftOperand;
        m_right = s.RightType == CStatistic::OperandNone ? QString() : s.RightOperand;
        m_start = DateText(s.StartDate);
        m_thru = DateText(s.ThruDate);
        m_applyDates = s.ApplyDates != 0 && datesEnabled();
    }
    rebuildOperandLists();
}

QString CreateStatisticModel::caption() const
{
    return QStringLiteral("Create Statistic");
}

QString CreateStatisticModel::helpLine() const
{
    return QStringLiteral(
        "Use this option to create and customize statistics.  Once the statistics are created, "
        "they can be used in reports as well as other options.  Start by entering a unique name "
        "for the statistic.");
}

QStringList CreateStatisticModel::listingEntries()
{
    QStringList entries;
    for (const StatisticListing& listing : StatisticListings())
        entries.append(listing.comboText);
    return entries;
}

QStringList CreateStatisticModel::operatorEntries()
{
    QStringList entries;
    for (int code = 0; code < CStatistic::OperatorCount; ++code)
        entries.append(CStatistic::OperatorText(code));
    return entries;
}

void CreateStatisticModel::setListingIndex(int index)
{
    m_listingIndex = index >= 0 && index < StatisticListings().size() ? index : -1;
    rebuildOperandLists();
    m_applyDates = m_applyDates && datesEnabled();
}

void CreateStatisticModel::setOperatorIndex(int index)
{
    m_operator = index >= 0 && index < CStatistic::OperatorCount ? index : -1;
    m_applyDates = m_applyDates && datesEnabled();
}

bool CreateStatisticModel::leftEnabled() const
{
    return m_operator >= 0 && !CStatistic::IsOneOperand(m_operator);
}

bool CreateStatisticModel::datesEnabled() const
{
    return CStatistic::IsAggregate(m_operator) && listingCode() != CStatistic::ListingItems;
}

qint32 CreateStatisticModel::listingCode() const
{
    return m_listingIndex < 0 ? CStatistic::NoListing : StatisticListings().at(m_listingIndex).code;
}

void CreateStatisticModel::rebuildOperandLists()
{
    const qint32 code = listingCode();
    const StatisticListing* listing = StatisticListingByCode(code);
    m_fieldEntries = listing ? listing->operandFields() : QStringList();
    m_statisticEntries.clear();
    const StatisticIndex index(m_settings.statistics());
    for (const CStatistic& s : m_settings.statistics()) {
        const std::optional<bool> independent = index.rowIndependence(s);
        if (independent && (*independent || s.Listing == code))
            m_statisticEntries.append(s.Name);
    }
}

qint32 CreateStatisticModel::operandType(const QString& text) const
{
    if (text.isEmpty())
        return CStatistic::OperandNone;
    if (m_fieldEntries.contains(text))
        return CStatistic::OperandField;
    if (m_statisticEntries.contains(text))
        return CStatistic::OperandStatistic;
    return CStatistic::OperandConstant;
}

CreateStatisticModel::Result CreateStatisticModel::save()
{
    const auto refuse = [this](const char* text, Field focus) {
        warn(m_prompter, QString::fromLatin1(text), Title());
        return Result::refused(focus);
    };
    if (m_name.isEmpty())
        return refuse("Must specify a name for this statistic.", Field::Name);
    if (leftEnabled() && m_left.isEmpty())
        return refuse("This operation requires a left operand.", Field::LeftOperand);
    if (m_right.isEmpty())
        return refuse("This operation requires a right operand.", Field::RightOperand);
    const DateTime start = DateTime::parseDate(m_start, UserLocale());
    const DateTime thru = DateTime::parseDate(m_thru, UserLocale());
    if (m_applyDates && (!start.isValid() || !thru.isValid()))
        return refuse("You must specify a valid Start Date and Thru Date.",
                      start.isValid() ? Field::ThruDate : Field::StartDate);

    CStatistic s;
    s.Name = m_name;
    s.Listing = listingCode();
    s.Intermediate = m_intermediate ? 1 : 0;
    s.Operator = m_operator < 0 ? CStatistic::NoOperator : static_cast<quint8>(m_operator);
    // A one-operand operator has no left operand, whatever the disabled list shows.
    if (leftEnabled()) {
        s.LeftType = operandType(m_left);
        s.LeftOperand = m_left;
    }
    s.RightType = operandType(m_right);
    s.RightOperand = m_right;
    s.ApplyDates = m_applyDates ? 1 : 0;
    s.StartDate = start.isValid() ? start : DateTime::null();
    s.ThruDate = thru.isValid() ? thru : DateTime::null();

    if (StatisticIndex(m_settings.statistics()).referencesItselfOrMissing(s)) {
        warn(m_prompter, QStringLiteral("Statistic not valid."), Title());
        return Result::refused();
    }

    // A name in use, or a full list, keeps the dialog open without a word; a
    // settings file that cannot be written is reported.
    const QList<CStatistic>& all = m_settings.statistics();
    bool stored = false;
    if (isModify()) {
        for (int i = 0; i < all.size(); ++i) {
            if (i != m_modifyIndex && all.at(i).Name == s.Name)
                return Result::refused(Field::Name);
        }
        stored = m_settings.ModifyStatistic(m_modifyIndex, s);
    } else {
        if (m_settings.FindStatistic(s.Name) >= 0 || all.size() >= CProjectSettings::MaxStatistics)
            return Result::refused(Field::Name);
        stored = m_settings.AddStatistic(s);
    }
    if (!stored) {
        ReportErrorCode(m_prompter, m_settings.lastSaveStatus());
        return Result::refused();
    }
    return Result::ok();
}

CreateStatisticModel::Result CreateStatisticModel::saveAndNext()
{
    if (!nextEnabled())
        return Result::refused();
    const Result result = save();
    if (!result.saved)
        return result;
    rebuildOperandLists();
    m_name.clear();
    return Result{true, Field::Name};
}
