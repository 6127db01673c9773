#pragma once

#include "render/print/PrintJob.h"

#include <QDialog>

struct DesktopServices;
class PrintoutPane;
class QLabel;
class QPrinter;
class QPushButton;

// Print Preview: the printout laid out on the printer's paper, shown a page at
// a time. Only the page on screen is drawn, so a printout of tens of
// thousands of pages previews in the memory of one; counting its pages walks
// the layout once, with a progress window that can stop it.
class PreviewDialog : public QDialog
{
    Q_OBJECT

public:
    PreviewDialog(const PrintJob& job, QPrinter& printer, const DesktopServices& services,
                  QWidget* parent = nullptr);
    ~PreviewDialog() override;

    // Walks the layout to its end to count the pages, showing how far it got;
    // false when there is nothing to show or the user stopped the count.
    bool countPages();
    int pageCount() const { return m_pages; }
    int page() const;
    void nextPage();
    void previousPage();
    QString pageText() const;

private:
    void pageShown();

    const PrintJob& m_job;
    QPrinter& m_printer;
    const DesktopServices& m_services;
    PrintoutPane* m_pane;
    QLabel* m_pageLabel;
    QPushButton* m_next;
    QPushButton* m_previous;
    int m_pages = 0;
};
