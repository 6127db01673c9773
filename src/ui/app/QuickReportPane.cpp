#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/WaitCursor.h"
#include "ui/print/PrintoutPane.h"
#include "ui/records/RecordCommands.h"
#include "ui/reports/ReportSettingsDialogs.h"
#include "ui/sales/InvoiceCommands.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/UserSettings.h"
#include "core/io/CsvExport.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/reports/QuickReportSettings.h"
#include "core/reports/QuickReports.h"
#include "core/views/RecordLists.h"
#include "render/reports/QuickReportPrintout.h"

void MainWindow::showQuickReport(int code, qint32 invoiceID, bool printAtOnce)
{
    // Whatever ends the report early leaves the pane empty: a cancelled question
    // shows nothing.
    const auto showNothing = [this] {
        m_printout->showMessage(QString());
        showPrintout();
    };
    // Asked for from a window over a list (Invoice Manager), the report takes the
    // list's place as a tree node's report does.
    leaveList();
    const std::optional<QuickReportKind> kind = QuickReportKindFromNumber(code);
    ProjectTables* tables = m_project.tables();
    if (!kind || !tables)
        return showNothing();

    QuickReportParameters parameters;
    parameters.kind = *kind;
    parameters.invoiceID = invoiceID;
    const QuickReportNeeds needs = QuickReportNeedsOf(*kind);
    if (needs.invoice && parameters.invoiceID == NoSelection) {
        parameters.invoiceID = RunSelectInvoice(this, *tables, m_services.prompter);
        if (parameters.invoiceID == NoSelection)
            return showNothing();
    }
    if (needs.customer) {
        // Customer Selection can add or modify customers on the way; their list follows.
        ChangeList changes;
        parameters.customerID =
            RunCustomerSelection(this, *tables, m_services.prompter, NoSelection, &changes);
        if (!changes.isEmpty())
            m_lists.RefreshChanges(changes);
        if (parameters.customerID == NoSelection)
            return showNothing();
    }
    if (needs.dateRange) {
        const auto range = AskDateRange(this, m_services);
        if (!range)
            return showNothing();
        parameters.start = range->first;
        parameters.end = range->second;
    }
    if (needs.vendorAndSorting) {
        const std::optional<ItemCriteria> criteria = AskReportCriteria(this, *tables, m_services);
        if (!criteria)
            return showNothing();
        parameters.vendorID = criteria->vendorID;
        parameters.applyVendorCriteria = criteria->appliesVendor;
        parameters.sorting = criteria->sorting;
    }
    parameters.today = DateTime::fromDate(m_services.clock.now().date());
    parameters.company = CompanyInfo::load(m_settings);

    {
        // Reports over a whole register take a while to read.
        const WaitCursor waiting;
        const QuickReportContent content = BuildQuickReport(*tables, parameters);
        if (!content.ok()) {
            m_printout->showMessage(content.error);
            showPrintout();
            return;
        }
        const CProjectSettings* settings = m_project.settings();
        // The CSV reads the report afresh, with amounts and dates as a file has them.
        auto csv = [tables, parameters](const QString& path, QString* error) {
            const WaitCursor writing;
            return ExportQuickReportCsv(*tables, parameters, path, error);
        };
        m_printout->showJob(
            QuickReportJob(content, QuickReportFonts::load(settings ? settings->reportPath() : QString()),
                           ListReportMargins::load(m_settings)),
            std::move(csv));
        showPrintout();
    }
    if (printAtOnce)
        m_printout->printAtOnce();
}
