#pragma once

#include "BenchSupport.h"

#include "core/common/Clock.h"
#include "core/common/FileChooser.h"
#include "core/common/UserSettings.h"
#include "ui/common/DesktopServices.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

// What the window benchmarks share: the services a window borrows, the user
// settings some windows keep, and the steps of timing a window's opening.

// Opening a window chooses no file.
class NoFiles final : public FileChooser
{
public:
    QString openFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

// A prompter that answers Yes, no file chooser and a fixed "today".
struct BenchDesktop
{
    YesPrompter prompter;
    NoFiles files;
    const FixedClock clock{QDateTime(QDate(2026, 6, 1), QTime(9, 30))};
    const DesktopServices services{prompter, files, clock};
};

// User settings in a folder of their own, removed when the case ends.
struct BenchSettings
{
    QTemporaryDir home;
    UserSettings settings{home.filePath(QStringLiteral("user.ini"))};
};

// Shows a window and paints it once, as its first screen.
inline void ShowAndPaint(QWidget& window)
{
    window.show();
    QImage screen(window.size(), QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    window.render(&painter);
}

// Closing is not part of opening: what the round opened is destroyed, in the
// order given, outside the timing.
template <typename... Owned> void CloseUntimed(benchmark::State& state, Owned&... owned)
{
    state.PauseTiming();
    (owned.reset(), ...);
    QApplication::processEvents();
    state.ResumeTiming();
}

// Ends an opening case: a message shown means a window did not open as it
// should; the rows the windows showed count as items.
inline void EndOpening(benchmark::State& state, const YesPrompter& prompter, qint64 rows)
{
    if (prompter.messageCount() > 0)
        state.SkipWithError(qPrintable(prompter.lastMessage()));
    state.SetItemsProcessed(rows);
}
