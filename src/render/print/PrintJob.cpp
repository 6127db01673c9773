#include "PrintJob.h"

#include "PrintLayout.h"
#include "PrintStatus.h"

#include "core/common/Archive.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

// The paper's name as the user knows it ("Letter" of "Letter / ANSI A"); empty
// for a size of the user's own.
QString paperName(const QPageSize& size)
{
    return size.id() == QPageSize::Custom ? QString() : size.name().section(QStringLiteral(" / "), 0, 0);
}

// Tells the user why the job could not be laid out on the device's paper.
void reportLayoutFailure(int status, const Printout& printout, const QPagedPaintDevice& device,
                         Prompter& prompter)
{
    if (status == PrintStatus::NoRoom)
        prompter.message(printout.noRoomMessage(paperName(device.pageLayout().pageSize())), AppTitle(),
                         Prompter::Icon::Exclamation);
    else
        ReportErrorCode(prompter, Status::OperationFailed);
}

} // namespace

PrintJob ListPrintJob(const ListReportContent& content, const ListReportMargins& margins, QDate today,
                      const ListReportFonts& fonts)
{
    return LayoutJob(ListReport::title(), margins, [content, margins, today, fonts](PrintLayout& layout) {
        ListReport::build(layout, content, margins, today, UserLocale(), fonts);
    });
}

PrintJob LayoutJob(QString title, const ListReportMargins& margins, std::function<void(PrintLayout&)> build)
{
    return PrintJob{std::move(title), margins, [build = std::move(build)]() -> std::unique_ptr<Printout> {
                        return std::make_unique<LayoutPrintout>(build);
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

std::unique_ptr<Printout> LayOutJob(const PrintJob& job, QPagedPaintDevice& device, int& status)
{
    std::unique_ptr<Printout> printout = job.make();
    status = printout->layOut(device.pageLayout().fullRect(QPageLayout::Inch).size(), device);
    return printout;
}

std::unique_ptr<Printout> LayOutOrReport(const PrintJob& job, QPagedPaintDevice& device, Prompter& prompter)
{
    int status = PrintStatus::Ok;
    std::unique_ptr<Printout> printout = LayOutJob(job, device, status);
    if (status == PrintStatus::Ok)
        return printout;
    reportLayoutFailure(status, *printout, device, prompter);
    return nullptr;
}

bool PaintPages(const Printout& printout, QPagedPaintDevice& device, int from, int to)
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
        drawn = drawn && printout.drawPage(painter, number, PrintLayout::Target::Printer, offset) == PrintStatus::Ok;
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
    QString failure;
    const int written = writeFileSafely(path, [&](QIODevice& file) {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setPageSize(PdfPaper());
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(job.title);
        pdf.setCreator(AppTitle());
        int status = PrintStatus::Ok;
        const std::unique_ptr<Printout> printout = LayOutJob(job, pdf, status);
        if (status != PrintStatus::Ok)
            failure = QStringLiteral("The printout could not be laid out.");
        else if (!PaintPages(*printout, pdf, 1, printout->pageCount()))
            failure = QStringLiteral("The printout could not be drawn.");
        return failure.isEmpty() ? Status::Success : Status::OperationFailed;
    });
    if (written == Status::OperationFailed)
        return fail(failure);
    if (written != Status::Success)
        return fail(StatusMessage(written));
    return true;
}
