#include "core/reports/ReportSheetModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/reports/ReportColumns.h"

#include <QSet>

namespace {

const QString kSheetCaption = QStringLiteral("Report Definition");

const QString kNoAvailableSelection =
    QStringLiteral("You must first make a selection from the 'Fields' list.");
const QString kNoIncludedSelection =
    QStringLiteral("You must first make a selection from the 'Included Fields' list.");
const QString kAddTitle = QStringLiteral("Add Field");
const QString kRemoveTitle = QStringLiteral("Remove Field");
const QString kMoveUpTitle = QStringLiteral("Move Up");
const QString kMoveDownTitle = QStringLiteral("Move Down");

const QString kEmptyName = QStringLiteral(
    "The report name must be unique.  Check that the name you have specified is not a duplicate.");
const QString kNameTaken =
    QStringLiteral("A report by this name already exists.  Please specify a unique name for the report.");
const QString kNotFound = QStringLiteral("Unable to locate report.");
const QString kNoHeader = QStringLiteral("You must first specify a new column name.");
const QString kNoColumn = QStringLiteral("You must first select a field.");
const QString kNoSortColumn = QStringLiteral("Must make a selection from included fields.");
const QString kTooManyColumns = QStringLiteral("A report can show at most %1 columns.");
const QString kTooManyStatistics = QStringLiteral("A report can include at most %1 statistics.");

const QString kDefaultFace = QStringLiteral("Times New Roman");

bool inRange(int index, qsizetype size)
{
    return index >= 0 && index < size;
}

} // namespace

ReportSheetModel::ReportSheetModel(ReportFile file, Prompter& prompter, const Clock& clock,
                                   ListingKind listing, QList<ReportColumn> availableColumns,
                                   QStringList queryNames, QList<CStatistic> statistics, int pixelsPerInch)
    : m_file(std::move(file)), m_prompter(prompter), m_clock(clock), m_listing(listing),
      m_available(std::move(availableColumns)), m_queryNames(std::move(queryNames)),
      m_statistics(std::move(statistics)), m_pixelsPerInch(pixelsPerInch)
{
    m_definition.table = ReportTableName(listing);
    m_definition.name = QStringLiteral("Report");
    m_definition.title = QStringLiteral("Report Title");
    m_definition.statisticsTitle = QStringLiteral("Statistics");
    m_definition.titleAlignment = AlignLeft;
    m_definition.statisticsTitleAlignment = AlignLeft;
    m_definition.pageNumbers = 1;
    m_definition.companyInformation = 0;
    const int sizes[ReportFontCount] = {28, 16, 10, 16, 12, 10};
    for (int slot = 0; slot < ReportFontCount; ++slot)
        m_definition.fonts[static_cast<size_t>(slot)] =
            ReportFont::fromPoints(kDefaultFace, sizes[slot], pixelsPerInch);
}

bool ReportSheetModel::openReport(const QString& name)
{
    if (!m_file.getByName(name)) {
        warn(m_prompter, kNotFound);
        return false;
    }
    m_file.apply(m_definition);
    m_loadedName = name;
    // A column comes back to the available list as the report had it.
    for (const ReportColumn& saved : m_definition.columns) {
        for (ReportColumn& available : m_available) {
            if (available.field == saved.field) {
                available.header = saved.header;
                available.alignment = saved.alignment;
                available.kind = saved.kind;
            }
        }
    }
    // The file keeps the sort column's field; the edit shows its header, which
    // is what the sort is resolved from on OK.
    m_sortText = m_definition.sortField;
    for (const ReportColumn& column : m_definition.columns) {
        if (column.field == m_definition.sortField) {
            m_sortText = column.header;
            break;
        }
    }
    m_selectedAvailable = m_selectedField = m_selectedColumn = -1;
    m_selectedAvailableStatistic = m_selectedIncludedStatistic = -1;
    m_headerText.clear();
    return true;
}

// General

void ReportSheetModel::setName(const QString& text)
{
    m_definition.name = text.left(kMaxTextLength);
}

void ReportSheetModel::setTitle(const QString& text)
{
    m_definition.title = text.left(kMaxTextLength);
}

void ReportSheetModel::setStatisticsTitle(const QString& text)
{
    m_definition.statisticsTitle = text.left(kMaxTextLength);
}

void ReportSheetModel::setTitleAlignment(int alignment)
{
    m_definition.titleAlignment = static_cast<quint16>(alignment);
}

void ReportSheetModel::setStatisticsTitleAlignment(int alignment)
{
    m_definition.statisticsTitleAlignment = static_cast<quint16>(alignment);
}

QString ReportSheetModel::fontDescription(ReportFontSlot slot) const
{
    return m_definition.fonts[slot].description(m_pixelsPerInch);
}

// List

QList<ReportColumn> ReportSheetModel::availableFields() const
{
    QSet<QString> used;
    for (const ReportColumn& column : m_definition.columns)
        used.insert(column.field);
    QList<ReportColumn> fields;
    for (const ReportColumn& column : m_available) {
        if (!used.contains(column.field))
            fields.append(column);
    }
    return fields;
}

void ReportSheetModel::selectAvailableField(int index)
{
    m_selectedAvailable = inRange(index, availableFields().size()) ? index : -1;
}

void ReportSheetModel::selectReportField(int index)
{
    m_selectedField = inRange(index, m_definition.columns.size()) ? index : -1;
}

void ReportSheetModel::columnsChanged()
{
    m_selectedColumn = -1;
    m_headerText.clear();
}

bool ReportSheetModel::addField()
{
    const QList<ReportColumn> fields = availableFields();
    if (!inRange(m_selectedAvailable, fields.size())) {
        warn(m_prompter, kNoAvailableSelection, kAddTitle);
        return false;
    }
    if (m_definition.columns.size() >= kMaxColumns) {
        warn(m_prompter, kTooManyColumns.arg(kMaxColumns), kAddTitle);
        return false;
    }
    m_definition.columns.append(fields.at(m_selectedAvailable));
    m_selectedAvailable = -1;
    m_selectedField = static_cast<int>(m_definition.columns.size()) - 1;
    columnsChanged();
    return true;
}

bool ReportSheetModel::removeField()
{
    if (!inRange(m_selectedField, m_definition.columns.size())) {
        warn(m_prompter, kNoIncludedSelection, kRemoveTitle);
        return false;
    }
    const ReportColumn removed = m_definition.columns.takeAt(m_selectedField);
    for (ReportColumn& available : m_available) {
        if (available.field == removed.field)
            available = removed;
    }
    m_selectedField = -1;
    columnsChanged();
    return true;
}

bool ReportSheetModel::moveField(int step, const QString& title)
{
    if (!inRange(m_selectedField, m_definition.columns.size())) {
        warn(m_prompter, kNoIncludedSelection, title);
        return false;
    }
    const int target = m_selectedField + step;
    if (inRange(target, m_definition.columns.size())) {
        m_definition.columns.swapItemsAt(m_selectedField, target);
        m_selectedField = target;
        columnsChanged();
    }
    return true;
}

bool ReportSheetModel::moveFieldUp()
{
    return moveField(-1, kMoveUpTitle);
}

bool ReportSheetModel::moveFieldDown()
{
    return moveField(1, kMoveDownTitle);
}

// List Advanced

QStringList ReportSheetModel::columnHeaders() const
{
    QStringList headers;
    for (const ReportColumn& column : m_definition.columns)
        headers.append(column.header);
    return headers;
}

void ReportSheetModel::selectColumn(int index)
{
    if (!inRange(index, m_definition.columns.size())) {
        m_selectedColumn = -1;
        return;
    }
    m_selectedColumn = index;
    m_headerText = m_definition.columns.at(index).header;
    m_columnAlignment = m_definition.columns.at(index).alignment;
}

QString ReportSheetModel::originalName() const
{
    return inRange(m_selectedColumn, m_definition.columns.size())
               ? m_definition.columns.at(m_selectedColumn).field
               : QString();
}

bool ReportSheetModel::applyColumn()
{
    if (m_headerText.isEmpty()) {
        warn(m_prompter, kNoHeader, AppTitle());
        return false;
    }
    if (!inRange(m_selectedColumn, m_definition.columns.size())) {
        warn(m_prompter, kNoColumn, AppTitle());
        return false;
    }
    ReportColumn& column = m_definition.columns[m_selectedColumn];
    if (m_sortText == column.header)
        m_sortText = m_headerText;
    column.header = m_headerText;
    column.alignment = m_columnAlignment;
    return true;
}

bool ReportSheetModel::sortBy()
{
    if (!inRange(m_selectedColumn, m_definition.columns.size())) {
        warn(m_prompter, kNoSortColumn, AppTitle());
        return false;
    }
    m_sortText = m_definition.columns.at(m_selectedColumn).header;
    return true;
}

// Statistics

QStringList ReportSheetModel::availableStatistics() const
{
    QStringList names = ReportStatisticNames(m_listing, m_statistics);
    for (const QString& included : m_definition.statistics)
        names.removeAll(included);
    return names;
}

void ReportSheetModel::selectAvailableStatistic(int index)
{
    m_selectedAvailableStatistic = inRange(index, availableStatistics().size()) ? index : -1;
}

void ReportSheetModel::selectIncludedStatistic(int index)
{
    m_selectedIncludedStatistic = inRange(index, m_definition.statistics.size()) ? index : -1;
}

bool ReportSheetModel::addStatistic()
{
    const QStringList available = availableStatistics();
    if (!inRange(m_selectedAvailableStatistic, available.size())) {
        warn(m_prompter, kNoAvailableSelection, kAddTitle);
        return false;
    }
    if (m_definition.statistics.size() >= kMaxStatistics) {
        warn(m_prompter, kTooManyStatistics.arg(kMaxStatistics), kAddTitle);
        return false;
    }
    const int at = inRange(m_selectedIncludedStatistic, m_definition.statistics.size())
                       ? m_selectedIncludedStatistic
                       : 0;
    m_definition.statistics.insert(at, available.at(m_selectedAvailableStatistic));
    m_selectedAvailableStatistic = -1;
    m_selectedIncludedStatistic = at;
    return true;
}

bool ReportSheetModel::removeStatistic()
{
    if (!inRange(m_selectedIncludedStatistic, m_definition.statistics.size())) {
        warn(m_prompter, kNoIncludedSelection, kRemoveTitle);
        return false;
    }
    m_definition.statistics.removeAt(m_selectedIncludedStatistic);
    m_selectedIncludedStatistic = -1;
    return true;
}

bool ReportSheetModel::moveStatistic(int step, const QString& title)
{
    if (!inRange(m_selectedIncludedStatistic, m_definition.statistics.size())) {
        warn(m_prompter, kNoIncludedSelection, title);
        return false;
    }
    const int target = m_selectedIncludedStatistic + step;
    if (inRange(target, m_definition.statistics.size())) {
        m_definition.statistics.swapItemsAt(m_selectedIncludedStatistic, target);
        m_selectedIncludedStatistic = target;
    }
    return true;
}

bool ReportSheetModel::moveStatisticUp()
{
    return moveStatistic(-1, kMoveUpTitle);
}

bool ReportSheetModel::moveStatisticDown()
{
    return moveStatistic(1, kMoveDownTitle);
}

// Save

CReportDefinition ReportSheetModel::storedDefinition() const
{
    CReportDefinition stored = m_definition.clone();
    stored.sortField.clear();
    for (const ReportColumn& column : stored.columns) {
        if (column.header == m_sortText) {
            stored.sortField = column.field;
            break;
        }
    }
    if (stored.sortField.isEmpty() && !stored.columns.isEmpty())
        stored.sortField = stored.columns.constFirst().field;
    return stored;
}

ReportSheetModel::Result ReportSheetModel::save()
{
    const QString name = m_definition.name;
    if (name.trimmed().isEmpty()) {
        warn(m_prompter, kEmptyName, kSheetCaption);
        return Result::refused(Field::Name);
    }
    // Quick Report Settings owns that record; a report under its name would
    // be overwritten by it, or take its fonts' place.
    if (name == ReportFile::reservedName() && m_loadedName != name) {
        warn(m_prompter, kNameTaken, AppTitle());
        return Result::refused(Field::Name);
    }
    CReportDefinition copy = storedDefinition().clone();
    switch (m_file.replace(m_loadedName, copy, name, m_prompter, m_clock)) {
    case ReportFile::SaveStatus::Saved:
        m_loadedName = name;
        return Result::ok();
    case ReportFile::SaveStatus::NameTaken:
        warn(m_prompter, kNameTaken, AppTitle());
        return Result::refused(Field::Name);
    case ReportFile::SaveStatus::Cancelled:
        return Result::refused();
    case ReportFile::SaveStatus::Failed:
        break;
    }
    ReportErrorCode(m_prompter, Status::FileNotAccessible);
    return Result::refused();
}
