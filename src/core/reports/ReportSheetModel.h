#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"
#include "core/project/Statistic.h"
#include "core/reports/ReportDefinition.h"
#include "core/reports/ReportFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class Prompter;

// The state and rules behind the "Report Definition" sheet: its General, List,
// List Advanced and Statistics pages over one custom report, and the save that
// puts the report into the report definition file.
class ReportSheetModel : public DialogModel
{
public:
    // Reports live in the report definition file, not as records: changes() stays empty.
    enum class Field
    {
        None,
        Name
    };
    using Result = SaveResult<Field>;

    static constexpr int kMaxTextLength = 128;
    // The renderer lays out no more than this many columns, so the sheet does
    // not take more than it would print.
    static constexpr int kMaxColumns = 20;
    static constexpr int kMaxStatistics = 100;

    // A new report of `listing` with the General page's defaults. The caller
    // gives what the listing offers: its columns (AvailableReportColumns), its
    // stored queries and the project's statistics.
    ReportSheetModel(ReportFile file, Prompter& prompter, const Clock& clock, ListingKind listing,
                     QList<ReportColumn> availableColumns, QStringList queryNames,
                     QList<CStatistic> statistics, int pixelsPerInch = kScreenPixelsPerInch);

    // Loads the named report for modifying; false, after telling the user,
    // when the file has no such report (the sheet is then not shown).
    bool openReport(const QString& name);
    QString caption() const override { return QStringLiteral("Report Definition"); }
    bool isNew() const { return m_loadedName.isEmpty(); }
    // The name the report had when it was loaded (empty for a new one).
    QString loadedName() const { return m_loadedName; }

    // General
    QString name() const { return m_definition.name; }
    void setName(const QString& text);
    QString title() const { return m_definition.title; }
    void setTitle(const QString& text);
    QString statisticsTitle() const { return m_definition.statisticsTitle; }
    void setStatisticsTitle(const QString& text);
    int titleAlignment() const { return m_definition.titleAlignment; }
    void setTitleAlignment(int alignment);
    int statisticsTitleAlignment() const { return m_definition.statisticsTitleAlignment; }
    void setStatisticsTitleAlignment(int alignment);
    bool pageNumbers() const { return m_definition.pageNumbers != 0; }
    void setPageNumbers(bool on) { m_definition.pageNumbers = on ? 1 : 0; }
    bool companyInformation() const { return m_definition.companyInformation != 0; }
    void setCompanyInformation(bool on) { m_definition.companyInformation = on ? 1 : 0; }
    const ReportFont& font(ReportFontSlot slot) const { return m_definition.fonts[slot]; }
    void setFont(ReportFontSlot slot, const ReportFont& font) { m_definition.fonts[slot] = font; }
    QString fontDescription(ReportFontSlot slot) const;

    // List
    bool showList() const { return m_definition.showList != 0; }
    void setShowList(bool on) { m_definition.showList = on ? 1 : 0; }
    // The listing's columns not in the report, in the listing's order.
    QList<ReportColumn> availableFields() const;
    const QList<ReportColumn>& reportFields() const { return m_definition.columns; }
    int selectedAvailableField() const { return m_selectedAvailable; }
    void selectAvailableField(int index);
    int selectedReportField() const { return m_selectedField; }
    void selectReportField(int index);
    // Each tells the user and returns false when nothing is selected (or the
    // report is full); the selection follows the column that moved.
    bool addField();
    bool removeField();
    bool moveFieldUp();
    bool moveFieldDown();

    // List Advanced
    bool applyQuery() const { return m_definition.applyQuery != 0; }
    void setApplyQuery(bool on) { m_definition.applyQuery = on ? 1 : 0; }
    const QStringList& queryNames() const { return m_queryNames; }
    QString queryName() const { return m_definition.queryName; }
    void setQueryName(const QString& name) { m_definition.queryName = name; }
    bool horizontalLines() const { return m_definition.horizontalLines != 0; }
    void setHorizontalLines(bool on) { m_definition.horizontalLines = on ? 1 : 0; }
    bool verticalLines() const { return m_definition.verticalLines != 0; }
    void setVerticalLines(bool on) { m_definition.verticalLines = on ? 1 : 0; }
    bool showRecordNumbers() const { return m_definition.showRecordNumbers != 0; }
    void setShowRecordNumbers(bool on) { m_definition.showRecordNumbers = on ? 1 : 0; }
    // "Field Display": the report's columns by header. Selecting one fills the
    // header edit and the alignment; a change to the columns on the List page
    // clears the selection.
    QStringList columnHeaders() const;
    int selectedColumn() const { return m_selectedColumn; }
    void selectColumn(int index);
    // "Original Name:"
    QString originalName() const;
    QString headerText() const { return m_headerText; }
    void setHeaderText(const QString& text) { m_headerText = text; }
    int columnAlignment() const { return m_columnAlignment; }
    void setColumnAlignment(int alignment) { m_columnAlignment = alignment; }
    // "<< Apply" and "Sort By >>"; false after telling the user why not.
    bool applyColumn();
    bool sortBy();
    // The sort edit holds a column header; it starts at the header of the
    // report's sort column.
    QString sortText() const { return m_sortText; }
    void setSortText(const QString& text) { m_sortText = text; }

    // Statistics
    // The listing's statistics that are not intermediate and not included.
    QStringList availableStatistics() const;
    const QStringList& includedStatistics() const { return m_definition.statistics; }
    int selectedAvailableStatistic() const { return m_selectedAvailableStatistic; }
    void selectAvailableStatistic(int index);
    int selectedIncludedStatistic() const { return m_selectedIncludedStatistic; }
    void selectIncludedStatistic(int index);
    // Adding inserts at the selected included entry (at the top without one).
    bool addStatistic();
    bool removeStatistic();
    bool moveStatisticUp();
    bool moveStatisticDown();

    // What OK stores: every page's data, the sort field resolved from the
    // sort edit (the field of the column so headed, else the first column's).
    CReportDefinition storedDefinition() const;

    // OK: checks the name, then replaces the loaded report (or adds the new
    // one) at the end of the file in one step. A name held by another report
    // is refused before anything is removed. A damaged file is rewritten only
    // when the user agrees to keep it as a copy; otherwise the sheet stays.
    Result save();

private:
    void columnsChanged();
    bool moveField(int step, const QString& title);
    bool moveStatistic(int step, const QString& title);

    ReportFile m_file;
    Prompter& m_prompter;
    const Clock& m_clock;
    ListingKind m_listing;
    QList<ReportColumn> m_available;
    QStringList m_queryNames;
    QList<CStatistic> m_statistics;
    int m_pixelsPerInch;

    CReportDefinition m_definition;
    QString m_loadedName;

    int m_selectedAvailable = -1;
    int m_selectedField = -1;
    int m_selectedColumn = -1;
    QString m_headerText;
    int m_columnAlignment = AlignLeft;
    QString m_sortText;
    int m_selectedAvailableStatistic = -1;
    int m_selectedIncludedStatistic = -1;
};
