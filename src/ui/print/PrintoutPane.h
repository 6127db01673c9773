#pragma once

#include "render/print/PrintJob.h"

#include <QScrollArea>

#include <functional>
#include <memory>

struct DesktopServices;
class QLabel;
class QPrinter;

// The right pane when it shows a printout rather than a list: one page at a
// time, laid out on the paper of the application's printer, so the screen shows
// the pages the printer prints. Print, Print Preview and Save as PDF lay the
// same printout out afresh for their own paper and leave the page shown alone.
class PrintoutPane : public QScrollArea
{
    Q_OBJECT

public:
    PrintoutPane(QPrinter& printer, const DesktopServices& services, QWidget* parent = nullptr);
    ~PrintoutPane() override;

    // Writes the printout's table to a CSV file at the path; false with the
    // reason when it could not.
    using CsvExport = std::function<bool(const QString& path, QString* error)>;

    // Shows the printout from its first page; `csv` exports its table, for the
    // printouts that have one.
    void showJob(PrintJob job, CsvExport csv = {});
    // Shows a line of text instead of pages: why there is no printout.
    void showMessage(const QString& text);
    bool hasJob() const { return m_job != nullptr; }
    const PrintJob* job() const { return m_job.get(); }
    QString message() const;

    // 1-based; 0 without pages.
    int page() const { return m_printout ? m_page : 0; }
    // Lays the whole printout out to count its pages.
    int pageCount() const { return m_printout ? m_printout->pageCount() : 0; }
    // Whether the printout has page `page`, laying it out no further than that.
    bool hasPage(int page) const { return m_printout && m_printout->hasPage(page); }
    bool canGoNext() const { return hasPage(m_page + 1); }
    bool canGoPrevious() const { return page() >= 2; }
    void nextPage();
    void previousPage();

    void print();
    void printAtOnce();
    void preview();
    // The PDF is offered under `fileName`.
    void saveAsPdf(const QString& fileName);
    bool canExportCsv() const { return m_job && m_csv; }
    // Asks for the file, offering `fileName`, and tells the user when the export fails.
    void exportCsv(const QString& fileName);

    // Lays the printout out again for the printer's paper, which Print Setup or
    // a print dialog may have changed, keeping the page shown where it still is.
    void followPaper();

Q_SIGNALS:
    // A new page is shown (also the first of a new printout).
    void pageShown(int page);

private:
    class Sheet;
    void layOut(int page);
    void showPage(int page);

    QPrinter& m_printer;
    const DesktopServices& m_services;
    std::unique_ptr<PrintJob> m_job;
    CsvExport m_csv;
    // The printout laid out on the screen; none without pages.
    std::unique_ptr<Printout> m_printout;
    int m_page = 0;
    Sheet* m_sheet;
    QLabel* m_message;
};
