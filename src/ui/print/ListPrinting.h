#pragma once

#include "print/ListReport.h"

#include <QDate>
#include <QString>

class QWidget; class RecordListView; class UserSettings;

// The shown list printed as the "Quick Listing Report". Printer, preview and PDF
// draw the same laid-out pages; margins come from the user's settings.
void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings);    // QPrintDialog on the default printer; US Letter without one
void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings);  // QPrintPreviewDialog
void SaveListAsPdf(QWidget* parent, const RecordListView& view, UserSettings& settings); // asks for a file name (QFileDialog), writes a PDF via QPdfWriter or QPrinter PdfFormat

// What the view shows: its columns in display order with their on-screen widths
// and justification, and every row's cell texts in the list's order.
ListReportContent listReportContent(const RecordListView& view);

// Writes the list's report dated `today` as a US Letter PDF at `path`, replacing
// the file only once it is complete. False with `error` set when it cannot be.
bool writeListPdf(const RecordListView& view, UserSettings& settings, const QString& path, QDate today,
                  QString* error = nullptr);
