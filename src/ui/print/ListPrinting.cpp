#include "ListPrinting.h"

#include "print/PrintLayout.h"
#include "views/RecordListModel.h"
#include "views/RecordListView.h"

#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/StatusCodes.h"
#include "common/UserSettings.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

// Saved lists go on US Letter, margins counted from the paper's edge.
QPageSize pdfPaper()
{
    return QPageSize(QPageSize::Letter);
}

// The paper's name as the user knows it ("Letter" of "Letter / ANSI A"); empty
// for a size of the user's own.
QString paperName(const QPageSize& size)
{
    return size.id() == QPageSize::Custom ? QString() : size.name().section(QStringLiteral(" / "), 0, 0);
}

// Lays the report out for the device's paper and resolution; a PrintStatus code.
int layOut(PrintLayout& layout, const ListReportContent& content, const ListReportMargins& margins,
           QPagedPaintDevice& device, QDate today)
{
    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Inch);
    // Paper the engine cannot address keeps the page size it had (US Letter).
    layout.SetPageSize(paper.width(), paper.height());
    if (const int status = layout.AttachWindow(&device); status != PrintStatus::Ok)
        return status;
    ListReport::build(layout, content, margins, today);
    return layout.Layout(&device);
}

// Tells the user why the report could not be laid out on the device's paper.
void reportLayoutFailure(int status, const PrintLayout& layout, const QPagedPaintDevice& device,
                         Prompter& prompter)
{
    if (status == PrintStatus::NoRoom)
        prompter.message(layout.NoRoomMessage(paperName(device.pageLayout().pageSize())), AppTitle(),
                         Prompter::Icon::Exclamation);
    else
        ReportErrorCode(prompter, Status::OperationFailed);
}

// Lays the report out, or tells the user why it cannot be.
bool layOutOrReport(PrintLayout& layout, const ListReportContent& content, const ListReportMargins& margins,
                    QPagedPaintDevice& device, QDate today, Prompter& prompter)
{
    const int status = layOut(layout, content, margins, device, today);
    if (status != PrintStatus::Ok)
        reportLayoutFailure(status, layout, device, prompter);
    return status == PrintStatus::Ok;
}

// Paints pages `from` to `to` of the laid-out report, one sheet each. Margins
// count from the paper's edge, wherever the device puts the painter's origin.
bool paintPages(PrintLayout& layout, QPagedPaintDevice& device, int from, int to)
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

// The default printer's paper, or US Letter when there is no printer.
void choosePaper(QPrinter& printer)
{
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(QPageSize::Letter));
}

// What stops a list before anything is laid out: margins without room on the
// paper. Empty when they leave room.
QString noRoomOn(const QPageSize& page, const ListReportMargins& margins)
{
    const QSizeF paper = page.size(QPageSize::Inch);
    PrintLayout layout;
    layout.SetPageSize(paper.width(), paper.height());
    layout.SetMargins(margins.left, margins.top, margins.right, margins.bottom);
    return layout.NoRoomMessage(paperName(page));
}

QDate today()
{
    return Clock::system().now().date();
}

} // namespace

ListReportContent listReportContent(const RecordListView& view)
{
    const RecordListModel& model = *view.listModel();
    const RecordList& list = view.list();
    ListReportContent content;
    QList<int> definitions;
    for (int column = 0; column < model.columnCount(); ++column) {
        const int definition = model.definitionIndexOf(column);
        definitions.append(definition);
        content.columns.append(ListReportColumn{model.headerData(column, Qt::Horizontal).toString(),
                                                view.columnWidth(column),
                                                list.layout().column(definition).justification});
    }
    content.rows.reserve(list.count());
    for (qsizetype row = 0; row < list.count(); ++row) {
        QStringList cells;
        cells.reserve(definitions.size());
        for (const int definition : definitions)
            cells.append(list.cellText(row, definition));
        content.rows.append(std::move(cells));
    }
    return content;
}

bool writeListPdf(const RecordListView& view, UserSettings& settings, const QString& path, QDate day,
                  QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const ListReportMargins margins = ListReportMargins::load(settings);
    if (const QString noRoom = noRoomOn(pdfPaper(), margins); !noRoom.isEmpty())
        return fail(noRoom);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(600);
        pdf.setPageSize(pdfPaper());
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(ListReport::title());
        pdf.setCreator(AppTitle());
        PrintLayout layout;
        if (layOut(layout, listReportContent(view), margins, pdf, day) != PrintStatus::Ok)
            return fail(QStringLiteral("The list could not be laid out."));
        if (!paintPages(layout, pdf, 1, layout.PageCount()))
            return fail(QStringLiteral("The list could not be drawn."));
    }
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings, Prompter& prompter)
{
    QPrinter printer(QPrinter::HighResolution);
    choosePaper(printer);
    const ListReportContent content = listReportContent(view);
    const ListReportMargins margins = ListReportMargins::load(settings);
    const QDate day = today();

    PrintLayout layout;
    if (!layOutOrReport(layout, content, margins, printer, day, prompter))
        return;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, layout.PageCount());
    dialog.setFromTo(1, layout.PageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;

    // The dialog may have changed the paper or the printer's resolution.
    if (!layOutOrReport(layout, content, margins, printer, day, prompter))
        return;
    const int last = layout.PageCount();
    const int from = std::clamp(printer.fromPage() > 0 ? printer.fromPage() : 1, 1, last);
    const int to = std::clamp(printer.toPage() > 0 ? printer.toPage() : last, from, last);
    if (!paintPages(layout, printer, from, to))
        ReportErrorCode(prompter, Status::OperationFailed);
}

void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings, Prompter& prompter)
{
    QPrinter printer(QPrinter::HighResolution);
    choosePaper(printer);
    const ListReportContent content = listReportContent(view);
    const ListReportMargins margins = ListReportMargins::load(settings);
    const QDate day = today();

    // Draws the pages for the preview's paper, which the user may change in it,
    // and for the printer when the user prints from the preview.
    const auto paint = [&](QPrinter& target) {
        PrintLayout layout;
        if (!layOutOrReport(layout, content, margins, target, day, prompter))
            return;
        paintPages(layout, target, 1, layout.PageCount());
    };
    if (const QString noRoom = noRoomOn(printer.pageLayout().pageSize(), margins); !noRoom.isEmpty()) {
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { paint(*target); });
    dialog.exec();
}

void SaveListAsPdf(QWidget* parent, const RecordListView& view, UserSettings& settings, Prompter& prompter)
{
    if (const QString noRoom = noRoomOn(pdfPaper(), ListReportMargins::load(settings)); !noRoom.isEmpty()) {
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
        return;
    }
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save List as PDF"),
                                                ListCaption(view.kind()) + QStringLiteral(".pdf"),
                                                QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!writeListPdf(view, settings, path, today()))
        ReportErrorCode(prompter, Status::FileNotAccessible);
}
