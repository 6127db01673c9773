#include "ManageReportsModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"
#include "core/reports/QueryFields.h"
#include "core/reports/QuerySql.h"
#include "core/reports/ReportColumns.h"

ManageReportsModel::ManageReportsModel(ProjectTables& tables, QString reportPath,
                                       QList<CStatistic> statistics, Prompter& prompter, const Clock& clock,
                                       std::optional<ListingKind> current)
    : m_tables(tables), m_reportPath(std::move(reportPath)), m_statistics(std::move(statistics)),
      m_prompter(prompter), m_clock(clock), m_location(current ? LocationIndexOf(*current) : 0)
{
    refill();
}

QStringList ManageReportsModel::locationEntries()
{
    return QueryLocationEntries();
}

ListingKind ManageReportsModel::listing() const
{
    return ListingAtLocation(m_location);
}

void ManageReportsModel::setLocationIndex(int index)
{
    m_location = qBound(0, index, kListingKindCount - 1);
    refill();
}

QString ManageReportsModel::selectedName() const
{
    return m_selection >= 0 ? m_reports.at(m_selection) : QString();
}

void ManageReportsModel::select(int row)
{
    m_selection = row >= 0 && row < m_reports.size() ? row : -1;
}

std::unique_ptr<ReportSheetModel> ManageReportsModel::add() const
{
    const ListingKind kind = listing();
    return std::make_unique<ReportSheetModel>(ReportFile(m_reportPath), m_prompter, m_clock, kind,
                                              AvailableReportColumns(kind, m_statistics),
                                              QueriesOfListing(m_tables.database(), kind), m_statistics);
}

bool ManageReportsModel::requireSelection()
{
    if (m_selection >= 0)
        return true;
    warn(m_prompter, QStringLiteral("You must make a selection from the list."));
    return false;
}

std::unique_ptr<ReportSheetModel> ManageReportsModel::modify()
{
    if (!requireSelection())
        return nullptr;
    std::unique_ptr<ReportSheetModel> sheet = add();
    if (!sheet->openReport(selectedName()))
        return nullptr;
    return sheet;
}

bool ManageReportsModel::remove()
{
    if (!requireSelection())
        return false;
    const ReportFile::SaveStatus status =
        ReportFile(m_reportPath).remove(selectedName(), m_prompter, m_clock);
    refill();
    if (status == ReportFile::SaveStatus::Failed)
        ReportErrorCode(m_prompter, Status::FileNotAccessible);
    return status == ReportFile::SaveStatus::Saved;
}

void ManageReportsModel::refill()
{
    m_reports = ReportFile(m_reportPath).names(ReportTableName(listing()));
    m_selection = -1;
}
