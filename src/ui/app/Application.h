#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class CProjectSettings;
class Clock;
struct DesktopServices;
class DialogFileChooser;
class FileChooser;
class MainWindow;
class MessageBoxPrompter;
class Project;
class Prompter;
class QWidget;
class RecordLists;
class UserSettings;

// The application: starts on a project, keeps the open project and its lists,
// opens and creates projects (a project replaces the open one only once it has
// opened completely) and keeps the recently used projects.
class Application : public QObject
{
    Q_OBJECT

public:
    // The New Inventory Project dialog: the settings of the project chosen or
    // created, null when cancelled.
    using ProjectAsker = std::function<std::unique_ptr<CProjectSettings>(QWidget*, const DesktopServices&)>;

    // The services every window borrows, created here once: `prompter` null,
    // message boxes over the main window; `files` null, the system's file
    // dialogs; `clock` null, the wall clock.
    Application(UserSettings& settings, ProjectAsker askForProject, Prompter* prompter = nullptr,
                FileChooser* files = nullptr, const Clock* clock = nullptr);
    ~Application() override;

    // Opens the project named in `arguments` (without the program's name),
    // else the most recently used one, else asks for one; then shows the main
    // window. False when there is no project to work on: the application ends.
    bool start(const QStringList& arguments);

    // Opens the project whose database is `path`; an empty path asks for a
    // project. A failure leaves the open project open.
    bool openProject(const QString& path);
    // File > New: asks for a project.
    bool newProject();

    MainWindow& mainWindow() const { return *m_window; }
    Project& project() const { return *m_project; }
    RecordLists& lists() const { return *m_lists; }
    Prompter& prompter() const { return *m_prompter; }
    const DesktopServices& services() const { return *m_services; }
    QStringList recentFiles() const;

private:
    // Asks until a project opens or the user cancels.
    bool askAndOpen();
    void opened();
    void setRecentFiles(const QStringList& paths);

    UserSettings& m_settings;
    ProjectAsker m_askForProject;
    std::unique_ptr<MessageBoxPrompter> m_ownPrompter;
    std::unique_ptr<DialogFileChooser> m_ownFiles;
    Prompter* m_prompter;
    std::unique_ptr<DesktopServices> m_services;
    std::unique_ptr<Project> m_project;
    std::unique_ptr<RecordLists> m_lists;
    std::unique_ptr<MainWindow> m_window;
};
