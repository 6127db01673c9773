#include "ui/print/PrintoutPane.h"

#include "render/print/PrintStatus.h"
#include "ui/common/DesktopServices.h"
#include "ui/print/PrintCommands.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

// The page shown, at the screen's resolution.
class PrintoutPane::Sheet : public QWidget
{
public:
    explicit Sheet(const PrintoutPane& pane, QWidget* parent) : QWidget(parent), m_pane(pane) {}

    // The paper's size on this screen.
    void fitPaper(QSizeF inches)
    {
        setFixedSize(int(std::ceil(inches.width() * logicalDpiX())),
                     int(std::ceil(inches.height() * logicalDpiY())));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_pane.m_printout)
            return;
        QPainter painter(this);
        m_pane.m_printout->drawPage(painter, m_pane.m_page, PrintLayout::Target::Screen);
    }

private:
    const PrintoutPane& m_pane;
};

PrintoutPane::PrintoutPane(QPrinter& printer, const DesktopServices& services, QWidget* parent)
    : QScrollArea(parent), m_printer(printer), m_services(services)
{
    setObjectName(QStringLiteral("printoutPane"));
    auto* holder = new QWidget(this);
    auto* layout = new QVBoxLayout(holder);
    m_sheet = new Sheet(*this, holder);
    m_sheet->setObjectName(QStringLiteral("printoutSheet"));
    m_message = new QLabel(holder);
    m_message->setObjectName(QStringLiteral("printoutMessage"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message);
    layout->addWidget(m_sheet, 0, Qt::AlignHCenter);
    layout->addStretch();
    setWidget(holder);
    setWidgetResizable(true);
    setBackgroundRole(QPalette::Dark);
    m_sheet->hide();
    m_message->hide();
}

PrintoutPane::~PrintoutPane() = default;

void PrintoutPane::showJob(PrintJob job, CsvExport csv)
{
    m_job = std::make_unique<PrintJob>(std::move(job));
    m_csv = std::move(csv);
    m_message->hide();
    layOut(1);
}

void PrintoutPane::showMessage(const QString& text)
{
    m_job.reset();
    m_csv = {};
    m_printout.reset();
    m_sheet->hide();
    m_message->setText(text);
    m_message->show();
    Q_EMIT pageShown(0);
}

QString PrintoutPane::message() const
{
    return m_message->isVisible() || !m_job ? m_message->text() : QString();
}

void PrintoutPane::layOut(int page)
{
    m_printout.reset();
    const QSizeF paper = m_printer.pageLayout().fullRect(QPageLayout::Inch).size();
    QString why = NoRoomOn(m_printer.pageLayout().pageSize(), m_job->margins);
    if (why.isEmpty()) {
        std::unique_ptr<Printout> printout = m_job->make();
        if (printout->layOut(paper, *m_sheet) == PrintStatus::Ok && printout->hasPage(1))
            m_printout = std::move(printout);
        else
            why = QStringLiteral("The printout could not be laid out.");
    }
    if (!m_printout) {
        m_message->setText(why);
        m_message->show();
        m_sheet->hide();
        Q_EMIT pageShown(0);
        return;
    }
    m_sheet->fitPaper(paper);
    m_sheet->show();
    // The page shown stays where it still is; past the end, the last page shows.
    showPage(m_printout->hasPage(std::max(page, 1)) ? std::max(page, 1) : m_printout->pageCount());
}

void PrintoutPane::showPage(int page)
{
    m_page = page;
    m_sheet->update();
    Q_EMIT pageShown(m_page);
}

void PrintoutPane::nextPage()
{
    if (canGoNext())
        showPage(m_page + 1);
}

void PrintoutPane::previousPage()
{
    if (canGoPrevious())
        showPage(m_page - 1);
}

void PrintoutPane::followPaper()
{
    if (m_job)
        layOut(std::max(page(), 1));
}

void PrintoutPane::print()
{
    if (!m_job)
        return;
    PrintJobWithDialog(this, *m_job, m_printer, m_services.prompter);
    followPaper();
}

void PrintoutPane::printAtOnce()
{
    if (m_job)
        PrintJobAtOnce(*m_job, m_printer, m_services.prompter);
}

void PrintoutPane::preview()
{
    if (!m_job)
        return;
    PreviewJob(this, *m_job, m_printer, m_services);
    followPaper();
}

void PrintoutPane::saveAsPdf(const QString& fileName)
{
    if (m_job)
        SaveJobAsPdf(*m_job, QStringLiteral("Save as PDF"), fileName, m_services);
}

void PrintoutPane::exportCsv(const QString& fileName)
{
    if (canExportCsv())
        SaveCsvFile(QStringLiteral("Export Report as CSV"), fileName, m_services, m_csv);
}
