#pragma once

#include "ui/reports/ReportSettingsDialogs.h"

#include <QDialog>

class QTabWidget;
class ReportGeneralPage;
class ReportListAdvancedPage;
class ReportListPage;
class ReportSheetModel;
class ReportStatisticsPage;

// The "Report Definition" sheet: one custom report on four pages, General,
// List, List Advanced and Statistics. OK saves the report; a refused name
// brings the General page back with the name to correct, and the sheet stays.
class ReportDefinitionSheet : public QDialog
{
public:
    ReportDefinitionSheet(ReportSheetModel& model, FontChooser chooser, QWidget* parent = nullptr);

private:
    void pageShown(int index);

    ReportSheetModel& m_model;
    QTabWidget* m_pages;
    ReportGeneralPage* m_general;
    ReportListPage* m_list;
    ReportListAdvancedPage* m_advanced;
    ReportStatisticsPage* m_statistics;
};

// Runs the sheet on `model`; true when the report was saved.
bool RunReportSheet(ReportSheetModel& model, const FontChooser& chooser, QWidget* parent);
