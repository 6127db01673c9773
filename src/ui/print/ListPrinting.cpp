#include "ui/print/ListPrinting.h"

#include "render/print/PrintJob.h"
#include "ui/common/DesktopServices.h"
#include "ui/print/PrintCommands.h"
#include "ui/views/RecordListModel.h"
#include "ui/views/RecordListView.h"

#include "core/common/Clock.h"
#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/io/CsvExport.h"

namespace {

// The shown list as a printout dated `day`.
PrintJob listJob(const RecordListView& view, const UserSettings& settings, QDate day,
                 const ListReportFonts& fonts = ListReportFonts::defaults())
{
    return ListPrintJob(listReportContent(view), ListReportMargins::load(settings), day, fonts);
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
    // Read from the list as they are printed, a page at a time.
    content.rowCount = list.count();
    content.cell = [&list, definitions](qsizetype row, int column) {
        return list.cellText(row, definitions.value(column, -1));
    };
    return content;
}

bool writeListPdf(const RecordListView& view, UserSettings& settings, const QString& path, QDate day,
                  QString* error)
{
    return WritePdf(listJob(view, settings, day), path, error);
}

void PrintList(QWidget* parent, const RecordListView& view, UserSettings& settings,
               const DesktopServices& services, QPrinter& printer, const ListReportFonts& fonts)
{
    PrintJobWithDialog(parent, listJob(view, settings, services.clock.now().date(), fonts), printer,
                       services.prompter);
}

void PreviewList(QWidget* parent, const RecordListView& view, UserSettings& settings,
                 const DesktopServices& services, QPrinter& printer, const ListReportFonts& fonts)
{
    PreviewJob(parent, listJob(view, settings, services.clock.now().date(), fonts), printer, services);
}

void SaveListAsPdf(const RecordListView& view, UserSettings& settings, const DesktopServices& services,
                   const ListReportFonts& fonts)
{
    SaveJobAsPdf(listJob(view, settings, services.clock.now().date(), fonts),
                 QStringLiteral("Save List as PDF"), ListCaption(view.kind()) + QStringLiteral(".pdf"),
                 services);
}

void ExportListAsCsv(const RecordListView& view, const DesktopServices& services)
{
    SaveCsvFile(QStringLiteral("Export List as CSV"), ListCaption(view.kind()) + QStringLiteral(".csv"), services,
                [&view](const QString& path, QString* error) { return ExportListCsv(view.list(), path, error); });
}
