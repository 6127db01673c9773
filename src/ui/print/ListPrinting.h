#pragma once

#include "render/print/ListReport.h"

#include <QDate>
#include <QString>

struct DesktopServices;
class Prompter;
class QWidget;
class RecordListView;
class UserSettings;

// The shown list printed as the "Quick Listing Report". Printer, preview and PDF
// draw the same laid-out pages (see print/PrintJob.h); margins come from the
// user's settings. Margins that leave no room on the paper stop each of them
// with a message that names the margins, before any dialog opens and before
// anything is printed or written.

// QPrintDialog on the default printer's paper; US Letter without a printer.
void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings, const DesktopServices& services);
// QPrintPreviewDialog, printing from which prints the same pages.
void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings, const DesktopServices& services);
// Asks the chooser for a file name, then writes a US Letter PDF.
void SaveListAsPdf(const RecordListView& view, UserSettings& settings, const DesktopServices& services);

// What the view shows: its columns in display order with their on-screen widths
// and justification, and every row's cell texts in the list's order.
ListReportContent listReportContent(const RecordListView& view);

// Writes the list's report dated `today` as a US Letter PDF at `path`, replacing
// the file only once it is complete. False with `error` set when it cannot be;
// margins that leave no room on the paper write nothing and set the message
// that says so.
bool writeListPdf(const RecordListView& view, UserSettings& settings, const QString& path, QDate today,
                  QString* error = nullptr);
