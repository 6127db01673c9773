#include "ui/stats/StatisticsProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

// A filling shorter than this shows no bar.
constexpr qint64 kShowAfterMs = 400;
// How often the windows are repainted, and Cancel looked at, while it runs.
constexpr qint64 kEventsEveryMs = 50;

} // namespace

StatisticsProgress::StatisticsProgress(QWidget* parent) : m_parent(parent) {}

StatisticsProgress::~StatisticsProgress()
{
    finish();
}

bool StatisticsProgress::operator()(int done, int total)
{
    if (!m_started.isValid()) {
        m_started.start();
        m_sinceEvents.start();
        m_cancelled = false;
    }
    if (m_cancelled)
        return false;
    if (!m_bar && m_started.elapsed() >= kShowAfterMs) {
        m_bar = new QProgressDialog(QStringLiteral("Computing the statistics..."),
                                                  QStringLiteral("Cancel"), 0, total, m_parent);
        m_bar->setObjectName(QStringLiteral("statisticsProgress"));
        m_bar->setWindowTitle(QStringLiteral("View Statistics"));
        // Modal to the whole application: nothing but Cancel may be clicked
        // while the statistics are computed.
        m_bar->setWindowModality(Qt::ApplicationModal);
        m_bar->setAutoReset(false);
        m_bar->setAutoClose(false);
        m_bar->setMinimumDuration(0);
        // Over the wait cursor of the work: Cancel can be clicked.
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_shown = true;
        m_bar->show();
    }
    // A modal bar handles the events itself when its value changes.
    if (m_bar && (m_bar->maximum() != total || m_bar->value() != done)) {
        m_bar->setMaximum(total);
        m_bar->setValue(done);
        m_sinceEvents.restart();
    }
    if (m_sinceEvents.elapsed() >= kEventsEveryMs) {
        m_sinceEvents.restart();
        QApplication::processEvents(m_bar ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    if (m_bar && m_bar->wasCanceled())
        m_cancelled = true;
    return !m_cancelled;
}

void StatisticsProgress::finish()
{
    if (m_shown)
        QApplication::restoreOverrideCursor();
    m_shown = false;
    // A bar whose parent window has gone went with it.
    delete m_bar.data();
    m_started.invalidate();
    m_cancelled = false;
}
