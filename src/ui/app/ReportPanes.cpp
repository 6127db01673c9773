#include "MainWindow.h"

#include "CommandRegistry.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/WaitCursor.h"
#include "ui/print/PrintoutPane.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/UserSettings.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"
#include "core/reports/PurchaseOrderReports.h"
#include "core/reports/QuickReportSettings.h"
#include "core/reports/ReportContent.h"
#include "core/reports/ReportFile.h"
#include "render/reports/CustomReportPrintout.h"

// The custom reports and the two purchase-order layouts: their content is read
// once when they are chosen, and the pane lays it out on the printer's paper.

void MainWindow::showCustomReport(const QString& name)
{
    const CProjectSettings* settings = m_project.settings();
    if (!m_project.isOpen() || !settings) {
        m_printout->showMessage(ReportDefinitionMissingText());
        showPrintout();
        return;
    }
    const WaitCursor waiting;
    ReportFile file(settings->reportPath());
    ReportContent content = BuildReportContent(*m_project.tables(), file, name, settings->statistics());
    if (!content.error.isEmpty())
        m_printout->showMessage(content.error);
    else
        m_printout->showJob(CustomReportJob(std::move(content), CompanyInfo::load(m_settings),
                                            ListReportMargins::load(m_settings),
                                            m_services.clock.now().date()));
    showPrintout();
}

void MainWindow::showPurchaseOrder(qint32 poID)
{
    const CProjectSettings* settings = m_project.settings();
    PurchaseOrderPrintout printout;
    if (m_project.isOpen())
        printout = BuildPurchaseOrderPrintout(*m_project.tables(), poID);
    else
        printout.error = ReportRecordsUnavailableText();
    if (!printout.error.isEmpty())
        m_printout->showMessage(printout.error);
    else
        m_printout->showJob(PurchaseOrderJob(
            std::move(printout), QuickReportFonts::load(settings ? settings->reportPath() : QString()),
            CompanyInfo::load(m_settings), ListReportMargins::load(m_settings)));
    showPrintout();
}

void MainWindow::showPurchaseOrderHistory(qint32 poID)
{
    const CProjectSettings* settings = m_project.settings();
    PurchaseOrderHistory history;
    if (m_project.isOpen())
        history = BuildPurchaseOrderHistory(*m_project.tables(), poID);
    else
        history.error = ReportRecordsUnavailableText();
    if (!history.error.isEmpty())
        m_printout->showMessage(history.error);
    else
        m_printout->showJob(PurchaseOrderHistoryJob(
            std::move(history), QuickReportFonts::load(settings ? settings->reportPath() : QString()),
            CompanyInfo::load(m_settings), ListReportMargins::load(m_settings)));
    showPrintout();
}
