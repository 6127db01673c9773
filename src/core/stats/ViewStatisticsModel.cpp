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
                                         std::optional<ListingKind> currentList, qint32 selectedId,
                                         FillProgress progress)
    : m_settings(settings), m_evaluator(std::make_unique<StatisticEvaluator>(tables, settings.statistics())),
      m_progress(std::move(progress))
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
    m_filled = fill(m_viewIntermediate);
}

ViewStatisticsModel::~ViewStatisticsModel() = default;

QString ViewStatisticsModel::listingName() const
{
    const StatisticListing* listing = StatisticListingByCode(m_listing);
    return listing ? listing->viewName : NotAvailable();
}

bool ViewStatisticsModel::setViewIntermediate(bool on)
{
    if (!fill(on))
        return false;
    m_viewIntermediate = on;
    return true;
}

bool ViewStatisticsModel::fill(bool viewIntermediate)
{
    // A hidden statistic's value is never seen, so it is not computed.
    QList<const CStatistic*> shown;
    for (const CStatistic& statistic : m_settings.statistics()) {
        if (statistic.Intermediate == 0 || viewIntermediate)
            shown.append(&statistic);
    }
    const int total = static_cast<int>(shown.size());
    int done = 0;
    if (m_progress) {
        if (!m_progress(done, total))
            return false;
        m_evaluator->setKeepGoing([this, &done, total] { return m_progress(done, total); });
    }

    // A statistic of single records has a value only for the record selected
    // in a list of its own listing.
    const StatisticIndex index(m_settings.statistics());
    QList<const CStatistic*> evaluated;
    for (const CStatistic* statistic : shown) {
        const std::optional<bool> independent = index.rowIndependence(*statistic);
        if (independent && (*independent || (statistic->Listing == m_listing && m_selected)))
            evaluated.append(statistic);
    }
    // Their sums and averages first, each listing read once for all of them.
    if (!m_evaluator->prepare(evaluated) && m_evaluator->stopped()) {
        m_evaluator->setKeepGoing({});
        return false;
    }

    QList<Row> rows;
    bool stopped = false;
    for (const CStatistic* statistic : shown) {
        Row row{statistic->Name, NotAvailable()};
        if (evaluated.contains(statistic)) {
            if (const std::optional<StatisticValue> value = m_evaluator->evaluate(*statistic))
                row.value = m_evaluator->text(*value);
            else if (m_evaluator->stopped())
                stopped = true;
        }
        if (stopped)
            break;
        rows.append(row);
        ++done;
        if (m_progress && !m_progress(done, total)) {
            stopped = true;
            break;
        }
    }
    m_evaluator->setKeepGoing({});
    // A filling stopped half way shows nothing of it.
    if (stopped)
        return false;
    m_rows = rows;
    return true;
}

int ViewStatisticsModel::columnWidth(const UserSettings& settings, int column)
{
    return settings.number(kSection, WidthKey(column), kDefaultColumnWidth);
}

void ViewStatisticsModel::setColumnWidth(UserSettings& settings, int column, int width)
{
    settings.setValue(kSection, WidthKey(column), width);
}
