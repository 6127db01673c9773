#include "ui/print/PreviewDialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/print/PrintCommands.h"
#include "ui/print/PrintoutPane.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Pages walked between two looks at the progress window.
constexpr int kPagesPerStep = 50;

} // namespace

PreviewDialog::PreviewDialog(const PrintJob& job, QPrinter& printer, const DesktopServices& services,
                             QWidget* parent)
    : QDialog(parent), m_job(job), m_printer(printer), m_services(services),
      m_pane(new PrintoutPane(printer, services, this)), m_pageLabel(new QLabel(this)),
      m_next(new QPushButton(QStringLiteral("&Next Page"), this)),
      m_previous(new QPushButton(QStringLiteral("Pre&v Page"), this))
{
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {print, m_next, m_previous, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(m_pageLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pane, 1);

    connect(m_next, &QPushButton::clicked, this, &PreviewDialog::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &PreviewDialog::previousPage);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] {
        // Printing leaves the preview, as it prints from the printer's own dialog.
        accept();
        PrintJobWithDialog(parentWidget(), m_job, m_printer, m_services.prompter);
    });
    connect(m_pane, &PrintoutPane::pageShown, this, &PreviewDialog::pageShown);
    m_pane->showJob(job);

    // As wide as the page and as tall as the screen allows, so a whole line of
    // the page shows without scrolling sideways where the screen has room.
    const QMargins margins = layout->contentsMargins();
    QSize size(m_pane->widget()->sizeHint().width() + 2 * m_pane->frameWidth() +
                   m_pane->verticalScrollBar()->sizeHint().width() + margins.left() + margins.right(),
               1000);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() * 0.9);
    resize(size.expandedTo(QSize(600, 400)));
}

PreviewDialog::~PreviewDialog() = default;

bool PreviewDialog::countPages()
{
    if (m_pane->page() == 0)
        return false;
    QProgressDialog progress(QStringLiteral("Counting pages..."), QStringLiteral("Cancel"), 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    for (int known = 1; m_pane->hasPage(known + kPagesPerStep); known += kPagesPerStep) {
        progress.setValue(0);
        progress.setLabelText(QStringLiteral("Counting pages... %1").arg(known + kPagesPerStep));
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            return false;
    }
    m_pages = m_pane->pageCount();
    pageShown();
    return m_pages > 0;
}

int PreviewDialog::page() const
{
    return m_pane->page();
}

void PreviewDialog::nextPage()
{
    m_pane->nextPage();
}

void PreviewDialog::previousPage()
{
    m_pane->previousPage();
}

QString PreviewDialog::pageText() const
{
    return m_pageLabel->text();
}

void PreviewDialog::pageShown()
{
    const int page = m_pane->page();
    m_pageLabel->setText(m_pages > 0 ? QStringLiteral("Page %1 of %2").arg(page).arg(m_pages)
                                     : QStringLiteral("Page %1").arg(page));
    m_next->setEnabled(m_pane->canGoNext());
    m_previous->setEnabled(m_pane->canGoPrevious());
}
