#include "ui/print/PrintoutPane.h"

#include "render/print/PrintStatus.h"
#include "ui/common/DesktopServices.h"
#include "ui/print/PrintCommands.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include <cmath>

// The page shown, at the screen's resolution.
class PrintoutPane::Sheet : public QWidget
{
public:
    explicit Sheet(const PrintLayout& layout, QWidget* parent) : QWidget(parent), m_layout(layout) {}

    // The page's size on this screen.
    void fitPage()
    {
        const double inchesWide = m_layout.pageWidth() / kTwipsPerInch;
        const double inchesHigh = m_layout.pageHeight() / kTwipsPerInch;
        setFixedSize(int(std::ceil(inchesWide * logicalDpiX())), int(std::ceil(inchesHigh * logicalDpiY())));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_layout.DrawPage(painter, PrintLayout::Target::Screen);
    }

private:
    static constexpr double kTwipsPerInch = 1440.0;
    const PrintLayout& m_layout;
};

PrintoutPane::PrintoutPane(QPrinter& printer, const DesktopServices& services, QWidget* parent)
    : QScrollArea(parent), m_printer(printer), m_services(services)
{
    setObjectName(QStringLiteral("printoutPane"));
    auto* holder = new QWidget(this);
    auto* layout = new QVBoxLayout(holder);
    m_sheet = new Sheet(m_layout, holder);
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
    m_layout.SetBackground(Qt::white, 0);
    m_sheet->hide();
    m_message->hide();
}

PrintoutPane::~PrintoutPane() = default;

void PrintoutPane::showJob(PrintJob job)
{
    m_job = std::make_unique<PrintJob>(std::move(job));
    m_message->hide();
    layOut(1);
}

void PrintoutPane::showMessage(const QString& text)
{
    m_job.reset();
    m_layout.Reset();
    m_laidOut = false;
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
    const QRectF paper = m_printer.pageLayout().fullRect(QPageLayout::Inch);
    m_layout.SetPageSize(paper.width(), paper.height());
    m_layout.AttachWindow(m_sheet);
    const QString noRoom = NoRoomOn(m_printer.pageLayout().pageSize(), m_job->margins);
    if (noRoom.isEmpty())
        m_job->build(m_layout);
    m_laidOut = noRoom.isEmpty() && m_layout.Layout(m_sheet) == PrintStatus::Ok;
    if (!m_laidOut) {
        m_layout.Reset();
        m_message->setText(noRoom.isEmpty() ? QStringLiteral("The printout could not be laid out.") : noRoom);
        m_message->show();
        m_sheet->hide();
        Q_EMIT pageShown(0);
        return;
    }
    m_layout.SetCurrentPage(page);
    m_sheet->fitPage();
    m_sheet->show();
    m_sheet->update();
    Q_EMIT pageShown(m_layout.CurrentPage());
}

void PrintoutPane::nextPage()
{
    if (!canGoNext())
        return;
    m_layout.SetCurrentPage(page() + 1);
    m_sheet->update();
    Q_EMIT pageShown(page());
}

void PrintoutPane::previousPage()
{
    if (!canGoPrevious())
        return;
    m_layout.SetCurrentPage(page() - 1);
    m_sheet->update();
    Q_EMIT pageShown(page());
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
    PreviewJob(this, *m_job, m_printer, m_services.prompter);
    followPaper();
}

void PrintoutPane::saveAsPdf(const QString& fileName)
{
    if (m_job)
        SaveJobAsPdf(*m_job, QStringLiteral("Save as PDF"), fileName, m_services);
}
