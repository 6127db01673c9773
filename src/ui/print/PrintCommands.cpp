#include "ui/print/PrintCommands.h"
#include "ui/print/PreviewDialog.h"

#include "render/print/PrintJob.h"
#include "ui/common/DesktopServices.h"

#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

// False, after telling the user, when the margins leave no room on the paper.
bool RoomOn(const QPrinter& printer, const PrintJob& job, Prompter& prompter)
{
    const QString noRoom = NoRoomOn(printer.pageLayout().pageSize(), job.margins);
    if (!noRoom.isEmpty())
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
    return noRoom.isEmpty();
}

void PrintPages(const Printout& printout, QPrinter& printer, int from, int to, Prompter& prompter)
{
    const int last = printout.pageCount();
    from = std::clamp(from > 0 ? from : 1, 1, last);
    to = std::clamp(to > 0 ? to : last, from, last);
    if (!PaintPages(printout, printer, from, to))
        ReportErrorCode(prompter, Status::OperationFailed);
}

} // namespace

void UseDefaultPaper(QPrinter& printer)
{
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setPageSize(QPageSize(QPageSize::Letter));
}

void RunPrintSetup(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

void PrintJobWithDialog(QWidget* parent, const PrintJob& job, QPrinter& printer, Prompter& prompter)
{
    std::unique_ptr<Printout> printout = LayOutOrReport(job, printer, prompter);
    if (!printout)
        return;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, printout->pageCount());
    dialog.setFromTo(1, printout->pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog may have changed the paper or the printer's resolution.
    printout = LayOutOrReport(job, printer, prompter);
    if (printout)
        PrintPages(*printout, printer, printer.fromPage(), printer.toPage(), prompter);
}

void PrintJobAtOnce(const PrintJob& job, QPrinter& printer, Prompter& prompter)
{
    if (const std::unique_ptr<Printout> printout = LayOutOrReport(job, printer, prompter))
        PrintPages(*printout, printer, 1, printout->pageCount(), prompter);
}

void PreviewJob(QWidget* parent, const PrintJob& job, QPrinter& printer, const DesktopServices& services)
{
    if (!RoomOn(printer, job, services.prompter))
        return;
    PreviewDialog dialog(job, printer, services, parent);
    if (dialog.countPages())
        dialog.exec();
}

void SaveJobAsPdf(const PrintJob& job, const QString& caption, const QString& fileName,
                  const DesktopServices& services)
{
    Prompter& prompter = services.prompter;
    if (const QString noRoom = NoRoomOn(PdfPaper(), job.margins); !noRoom.isEmpty()) {
        prompter.message(noRoom, AppTitle(), Prompter::Icon::Exclamation);
        return;
    }
    QString path = services.files.saveFile(caption, fileName, QStringLiteral("PDF Files (*.pdf)"),
                                           QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!WritePdf(job, path, &error))
        prompter.message(error.isEmpty() ? StatusMessage(Status::FileNotAccessible) : error, AppTitle(),
                         Prompter::Icon::Exclamation);
}

void SaveCsvFile(const QString& caption, const QString& fileName, const DesktopServices& services,
                 const std::function<bool(const QString& path, QString* error)>& write)
{
    QString path = services.files.saveFile(caption, fileName, QStringLiteral("CSV Files (*.csv)"),
                                           QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    QString error;
    if (!write(path, &error))
        services.prompter.message(error.isEmpty() ? StatusMessage(Status::FileNotAccessible) : error,
                                  AppTitle(), Prompter::Icon::Exclamation);
}
