#include "ListPrinting.h"

#include "render/print/PrintJob.h"
#include "render/print/PrintLayout.h"
#include "ui/views/RecordListModel.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "ui/common/DesktopServices.h"
#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

// The default printer's paper, or US Letter when there is no printer.
void choosePaper(QPrinter& printer)
{
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(QPageSize::Letter));
}

// The shown list as a printout dated `day`.
PrintJob listJob(const RecordListView& view, const UserSettings& settings, QDate day)
{
    return ListPrintJob(listReportContent(view), ListReportMargins::load(settings), day);
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
    return WritePdf(listJob(view, settings, day), path, error);
}

void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings, const DesktopServices& services)
{
    Prompter& prompter = services.prompter;
    QPrinter printer(QPrinter::HighResolution);
    choosePaper(printer);
    const PrintJob job = listJob(view, settings, services.clock.now().date());

    PrintLayout layout;
    if (!LayOutOrReport(layout, job, printer, prompter))
        return;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, layout.PageCount());
    dialog.setFromTo(1, layout.PageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;

    // The dialog may have changed the paper or the printer's resolution.
    if (!LayOutOrReport(layout, job, printer, prompter))
        return;
    const int last = layout.PageCount();
    const int from = std::clamp(printer.fromPage() > 0 ? printer.fromPage() : 1, 1, last);
    const int to = std::clamp(printer.toPage() > 0 ? printer.toPage() : last, from, last);
    if (!PaintPages(layout, printer, from, to))
        ReportErrorCode(prompter, Status::OperationFailed);
}

void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings, const DesktopServices& services)
{
    Prompter& prompter = services.prompter;
    QPrinter printer(QPrinter::HighResolution);
    choosePaper(printer);
    const PrintJob job = listJob(view, settings, services.clock.now().date());

    // Draws the pages for the preview's paper, which the user may change in it,
    // and for the printer when the user prints from the preview.
    const auto paint = [&](QPrinter& target) {
        PrintLayout layout;
        if (!LayOutOrReport(layout, job, target, prompter))
            return;
        PaintPages(layout, target, 1, layout.PageCount());
    };
    if (const QString noRoom = NoRoomOn(printer.pageLayout().pageSize(), job.margins); !noRoom.isEmpty()) {
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { paint(*target); });
    dialog.exec();
}

void SaveListAsPdf(const RecordListView& view, UserSettings& settings, const DesktopServices& services)
{
    Prompter& prompter = services.prompter;
    if (const QString noRoom = NoRoomOn(PdfPaper(), ListReportMargins::load(settings)); !noRoom.isEmpty()) {
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
        return;
    }
    QString path = services.files.saveFile(QStringLiteral("Save List as PDF"),
                                    ListCaption(view.kind()) + QStringLiteral(".pdf"),
                                    QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!writeListPdf(view, settings, path, services.clock.now().date()))
        ReportErrorCode(prompter, Status::FileNotAccessible);
}
