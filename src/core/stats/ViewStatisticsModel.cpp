#include "core/stats/ViewStatisticsModel.h"

#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"
#include "core/stats/StatisticEvaluator.h"
#include "core/stats/StatisticFields.h"
#include "core/stats/StatisticIndex.h"

namespace {

const QString kSection = QStringLiteral("Stats");

QString WidthKey(int column)
{
    return column == 0 ? QStringLiteral("StatWidth") : QStringLiteral("StatWidth2");
}

QString NotAvailable()
{
    return QStringLiteral("N/A");
}

} // namespace

ViewStatisticsModel::ViewStatisticsModel(ProjectTables& tables, const CProjectSettings& settings,
                                         std::optional<ListingKind> currentList, qint32 selectedId)
    : m_settings(settings), m_evaluator(std::make_unique<StatisticEvaluator>(tables, settings.statistics()))
{
    m_selected = currentList.has_value() && selectedId > 0;
    m_selectionText =
        m_selected ? QStringLiteral("ID %1").arg(selectedId, 7, 10, QLatin1Char('0')) : NotAvailable();
    if (currentList == ListingKind::Items)
        m_listing = CStatistic::ListingItems;
    else if (currentList == ListingKind::Stock)
        m_listing = CStatistic::ListingStock;
    else if (currentList == ListingKind::PurchaseOrders || currentList == ListingKind::Invoices) {
        // Their rows are purchase orders and invoices, which no listing holds.
        m_selected = false;
        m_selectionText = NotAvailable();
    }
    if (m_listing != CStatistic::NoListing && m_selected)
        m_selected = m_evaluator->setCurrentRecord(m_listing, selectedId);
    fill();
}

ViewStatisticsModel::~ViewStatisticsModel() = default;

QString ViewStatisticsModel::listingName() const
{
    const StatisticListing* listing = StatisticListingByCode(m_listing);
    return listing ? listing->viewName : NotAvailable();
}

void ViewStatisticsModel::setViewIntermediate(bool on)
{
    m_viewIntermediate = on;
    fill();
}

void ViewStatisticsModel::fill()
{
    m_rows.clear();
    const StatisticIndex index(m_settings.statistics());
    for (const CStatistic& statistic : m_settings.statistics()) {
        // A hidden statistic's value is never seen, so it is not computed.
        if (statistic.Intermediate != 0 && !m_viewIntermediate)
            continue;
        Row row{statistic.Name, NotAvailable()};
        const std::optional<bool> independent = index.rowIndependence(statistic);
        // A statistic of single records has a value only for the record selected
        // in a list of its own listing.
        const bool evaluate = independent && (*independent || (statistic.Listing == m_listing && m_selected));
        if (evaluate) {
            if (const std::optional<StatisticValue> value = m_evaluator->evaluate(statistic))
                row.value = m_evaluator->text(*value);
        }
        m_rows.append(row);
    }
}

int ViewStatisticsModel::columnWidth(const UserSettings& settings, int column)
{
    return settings.number(kSection, WidthKey(column), kDefaultColumnWidth);
}

void ViewStatisticsModel::setColumnWidth(UserSettings& settings, int column, int width)
{
    settings.setValue(kSection, WidthKey(column), width);
}
