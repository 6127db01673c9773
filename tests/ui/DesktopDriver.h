#pragma once

// Running the whole desktop from a test, as the user starts it: the application
// on a project, its lists and their pop-up commands.

#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/app/NavigationTreeWidget.h"
#include "ui/views/RecordListView.h"

#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"

#include "ProjectBuilder.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Starts the application on `project`, its most recent file, with every record
// shown in the lists; the project's own settings are made first.
inline void LaunchOnProject(std::unique_ptr<Application>& app, const TempProject& project,
                            UserSettings& settings, Prompter& prompter, FileChooser& files,
                            const Clock& clock)
{
    CProjectSettings projectSettings(project.dir(), QStringLiteral("test"));
    ASSERT_EQ(projectSettings.status(), 1);
    settings.setValue(QStringLiteral("Recent File List"), QStringLiteral("File1"), project.path());
    app = std::make_unique<Application>(
        settings, [](QWidget*, const DesktopServices&) { return std::unique_ptr<CProjectSettings>(); },
        &prompter, &files, &clock);
    ASSERT_TRUE(app->start({}));
    app->mainWindow().setShowAll(true);
}

// Closes the main window, then the application; nothing when it never started.
inline void CloseApp(std::unique_ptr<Application>& app)
{
    if (app)
        app->mainWindow().close();
    app.reset();
}

// The list of `kind`, chosen in the navigation tree.
inline RecordListView& ShowList(MainWindow& window, ListingKind kind)
{
    window.navigationTree()->SelectFolder(kind);
    return *window.currentListView();
}

// The main window's action for `command`, which the pop-up of `kind`'s list must offer.
inline QAction* PopUpCommand(MainWindow& window, ListingKind kind, MainWindow::Command command)
{
    QAction* action = window.action(command);
    EXPECT_TRUE(window.contextMenu(kind)->actions().contains(action));
    return action;
}

// A desktop on a fresh project: its builder, the user's settings in a folder of
// their own, the scripted services and the application, which launch() starts
// and the end of the test closes.
class DesktopFixture : public ::testing::Test
{
protected:
    explicit DesktopFixture(QDate today = QDate(2026, 3, 17)) : clock(QDateTime(today, QTime(9, 0))) {}
    void TearDown() override { CloseApp(app); }

    void launch() { LaunchOnProject(app, project, settings, prompter, files, clock); }
    MainWindow& window() { return app->mainWindow(); }

    TempProject project;
    ProjectBuilder build{project};
    QTemporaryDir home;
    UserSettings settings{home.filePath(QStringLiteral("user.ini"))};
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    FixedClock clock;
    std::unique_ptr<Application> app;
};
