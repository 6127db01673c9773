#pragma once

#include <QString>

#include <functional>

struct DesktopServices;
struct PrintJob;
class Prompter;
class QPrinter;
class QWidget;

// Printing, previewing and saving any printout (a list, a custom report, a
// quick report) through the application's printer. Printer, preview and PDF
// draw the same laid-out pages (see render/print/PrintJob.h). Margins that leave
// no room on the paper stop each of them with a message that names the
// margins, before any dialog opens and before anything is printed or written.

// The printer every printout of a session goes to: the default printer on its
// own paper, US Letter without a printer. Print Setup changes it for the rest
// of the session.
void UseDefaultPaper(QPrinter& printer);

// File > Print Setup...: the page setup dialog on the application's printer.
void RunPrintSetup(QWidget* parent, QPrinter& printer);

// QPrintDialog with the job's page range; prints the pages chosen.
void PrintJobWithDialog(QWidget* parent, const PrintJob& job, QPrinter& printer, Prompter& prompter);
// Prints every page at once, without a dialog.
void PrintJobAtOnce(const PrintJob& job, QPrinter& printer, Prompter& prompter);
// Print Preview on the printer's paper, a page at a time after counting the
// pages; printing from it prints the same pages.
void PreviewJob(QWidget* parent, const PrintJob& job, QPrinter& printer, const DesktopServices& services);
// Asks the chooser, titled `caption`, for a file name with `fileName` proposed,
// then writes a US Letter PDF; a file that cannot be written is reported.
void SaveJobAsPdf(const PrintJob& job, const QString& caption, const QString& fileName,
                  const DesktopServices& services);
// Asks the chooser, titled `caption`, for a CSV file name with `fileName`
// proposed, then has `write` write it; a failure is reported with its reason.
void SaveCsvFile(const QString& caption, const QString& fileName, const DesktopServices& services,
                 const std::function<bool(const QString& path, QString* error)>& write);
