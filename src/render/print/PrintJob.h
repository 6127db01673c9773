#pragma once

#include "ListReport.h"
#include "Printout.h"

#include <QDate>
#include <QPageSize>
#include <QString>

#include <functional>

class PrintLayout;
class Prompter;
class QPagedPaintDevice;

// One printout, whatever prints it: a list, a custom report or a quick report.
// The printer, the preview and the PDF file all lay it out and paint its pages
// through the functions below, so each draws the same pages.
struct PrintJob
{
    // The PDF document's title.
    QString title;
    // Counted from the paper's edge.
    ListReportMargins margins;
    // Makes the printout afresh for every paper it is laid out on.
    std::function<std::unique_ptr<Printout>()> make;
};

// A job of the print layout engine: `build` fills the layout with the
// printout's content once the page size and the device are set.
PrintJob LayoutJob(QString title, const ListReportMargins& margins, std::function<void(PrintLayout&)> build);

// The "Quick Listing Report" of a list's content, dated `today`.
PrintJob ListPrintJob(const ListReportContent& content, const ListReportMargins& margins, QDate today,
                      const ListReportFonts& fonts = ListReportFonts::defaults());

// Saved printouts go on US Letter.
QPageSize PdfPaper();

// What stops a printout before anything is laid out: margins that leave no
// room on the paper. Empty when they leave room.
QString NoRoomOn(const QPageSize& page, const ListReportMargins& margins);

// The job laid out for the device's paper and resolution; `status` says how it
// went (a PrintStatus code), and the printout has pages only when it is Ok.
std::unique_ptr<Printout> LayOutJob(const PrintJob& job, QPagedPaintDevice& device, int& status);

// The job laid out, or nothing after telling the user why it cannot be.
std::unique_ptr<Printout> LayOutOrReport(const PrintJob& job, QPagedPaintDevice& device, Prompter& prompter);

// Paints pages `from` to `to` of the laid-out printout, one sheet each. Margins
// count from the paper's edge, wherever the device puts the painter's origin.
bool PaintPages(const Printout& printout, QPagedPaintDevice& device, int from, int to);

// Writes the job as a US Letter PDF at `path`, replacing the file only once it
// is complete. False with `error` set when it cannot be; margins that leave no
// room on the paper write nothing and set the message that says so.
bool WritePdf(const PrintJob& job, const QString& path, QString* error = nullptr);
