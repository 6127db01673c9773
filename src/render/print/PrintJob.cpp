#include "PrintJob.h"

#include "PrintLayout.h"
#include "PrintStatus.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// The paper's name as the user knows it ("Letter" of "Letter / ANSI A"); empty
// for a size of the user's own.
QString paperName(const QPageSize& size)
{
    return size.id() == QPageSize::Custom ? QString() : size.name().section(QStringLiteral(" / "), 0, 0);
}

// Tells the user why the job could not be laid out on the device's paper.
void reportLayoutFailure(int status, const PrintLayout& layout, const QPagedPaintDevice& device,
                         Prompter& prompter)
{
    if (status == PrintStatus::NoRoom)
        prompter.message(layout.NoRoomMessage(paperName(device.pageLayout().pageSize())), AppTitle(),
                         Prompter::Icon::Exclamation);
    else
        ReportErrorCode(prompter, Status::OperationFailed);
}

} // namespace

PrintJob ListPrintJob(const ListReportContent& content, const ListReportMargins& margins, QDate today,
                      const ListReportFonts& fonts)
{
    return PrintJob{ListReport::title(), margins, [content, margins, today, fonts](PrintLayout& layout) {
                        ListReport::build(layout, content, margins, today, UserLocale(), fonts);
                    }};
}

QPageSize PdfPaper()
{
    return QPageSize(QPageSize::Letter);
}

QString NoRoomOn(const QPageSize& page, const ListReportMargins& margins)
{
    const QSizeF paper = page.size(QPageSize::Inch);
    PrintLayout layout;
    layout.SetPageSize(paper.width(), paper.height());
    layout.SetMargins(margins.left, margins.top, margins.right, margins.bottom);
    return layout.NoRoomMessage(paperName(page));
}

int LayOutJob(PrintLayout& layout, const PrintJob& job, QPagedPaintDevice& device)
{
    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Inch);
    // Paper the engine cannot address keeps the page size it had (US Letter).
    layout.SetPageSize(paper.width(), paper.height());
    if (const int status = layout.AttachWindow(&device); status != PrintStatus::Ok)
        return status;
    job.build(layout);
    return layout.Layout(&device);
}

bool LayOutOrReport(PrintLayout& layout, const PrintJob& job, QPagedPaintDevice& device, Prompter& prompter)
{
    const int status = LayOutJob(layout, job, device);
    if (status != PrintStatus::Ok)
        reportLayoutFailure(status, layout, device, prompter);
    return status == PrintStatus::Ok;
}

bool PaintPages(PrintLayout& layout, QPagedPaintDevice& device, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int dpi = device.logicalDpiX();
    const QPageLayout page = device.pageLayout();
    const QPointF offset = page.paintRectPixels(dpi).topLeft() - page.fullRectPixels(dpi).topLeft();
    bool drawn = true;
    for (int number = from; number <= to && drawn; ++number) {
        if (number > from && !device.newPage())
            drawn = false;
        layout.SetCurrentPage(number);
        drawn = drawn && layout.DrawPage(painter, PrintLayout::Target::Printer, offset) == PrintStatus::Ok;
    }
    return painter.end() && drawn;
}

bool WritePdf(const PrintJob& job, const QString& path, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (const QString noRoom = NoRoomOn(PdfPaper(), job.margins); !noRoom.isEmpty())
        return fail(noRoom);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setPageSize(PdfPaper());
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(job.title);
        pdf.setCreator(AppTitle());
        PrintLayout layout;
        if (LayOutJob(layout, job, pdf) != PrintStatus::Ok)
            return fail(QStringLiteral("The printout could not be laid out."));
        if (!PaintPages(layout, pdf, 1, layout.PageCount()))
            return fail(QStringLiteral("The printout could not be drawn."));
    }
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
