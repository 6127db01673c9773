#pragma once

#include "render/print/ListReport.h"

#include <QDate>
#include <QString>

struct DesktopServices;
class Prompter;
class QPrinter;
class QWidget;
class RecordListView;
class UserSettings;

// The shown list printed as the "Quick Listing Report" on the application's
// printer (see PrintCommands.h), in `fonts`; margins come from the user's
// settings.

void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings,
               const DesktopServices& services, QPrinter& printer,
               const ListReportFonts& fonts = ListReportFonts::defaults());
void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings,
                 const DesktopServices& services, QPrinter& printer,
                 const ListReportFonts& fonts = ListReportFonts::defaults());
void SaveListAsPdf(const RecordListView& view, UserSettings& settings, const DesktopServices& services,
                   const ListReportFonts& fonts = ListReportFonts::defaults());

// Writes what the view shows (its columns, sort and filter) as a CSV file the
// user chooses; a failure is told and leaves any file there as it was.
void ExportListAsCsv(const RecordListView& view, const DesktopServices& services);

// What the view shows: its columns in display order with their on-screen widths
// and justification, and every row's cell texts in the list's order, read from
// the list as they are printed (the list must outlive the content).
ListReportContent listReportContent(const RecordListView& view);

// Writes the list's report dated `today` as a US Letter PDF at `path`, replacing
// the file only once it is complete. False with `error` set when it cannot be;
// margins that leave no room on the paper write nothing and set the message
// that says so.
bool writeListPdf(const RecordListView& view, UserSettings& settings, const QString& path, QDate today,
                  QString* error = nullptr);
