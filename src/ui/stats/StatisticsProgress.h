#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

class QWidget;

// The progress of filling a list of statistics, for ViewStatisticsModel's
// FillProgress: nothing shows for a quick filling; one that takes longer puts
// up a bar with Cancel, and Cancel stops it. Until the bar shows, the user's
// clicks and keys wait, so no other command starts in the middle.
class StatisticsProgress
{
public:
    explicit StatisticsProgress(QWidget* parent);
    ~StatisticsProgress();
    StatisticsProgress(const StatisticsProgress&) = delete;
    StatisticsProgress& operator=(const StatisticsProgress&) = delete;

    // The window the bar shows over.
    void setParent(QWidget* parent) { m_parent = parent; }
    // Answers whether to keep going: false once the user cancelled.
    bool operator()(int done, int total);
    // The bar goes; the next filling starts afresh.
    void finish();

private:
    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_bar;
    bool m_shown = false;
    QElapsedTimer m_started;
    QElapsedTimer m_sinceEvents;
    bool m_cancelled = false;
};
