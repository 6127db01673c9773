#include "Application.h"

#include "MainWindow.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/MessageBoxPrompter.h"

#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/project/Backup.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/session/ProjectOpening.h"
#include "core/views/NavigationTree.h"
#include "core/views/RecordLists.h"

#include <QFileInfo>

namespace {

const QString kRecentFiles = QStringLiteral("Recent File List");
constexpr int kRecentCount = 4;

QString recentKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

Application::Application(UserSettings& settings, ProjectAsker askForProject, Prompter* prompter,
                         FileChooser* files, const Clock* clock)
    : m_settings(settings), m_askForProject(std::move(askForProject)), m_prompter(prompter),
      m_project(std::make_unique<Project>()), m_lists(std::make_unique<RecordLists>(settings))
{
    if (!m_prompter) {
        m_ownPrompter = std::make_unique<MessageBoxPrompter>();
        m_prompter = m_ownPrompter.get();
    }
    if (!files) {
        m_ownFiles = std::make_unique<DialogFileChooser>();
        files = m_ownFiles.get();
    }
    // The one place the wall clock is taken; windows are given it.
    m_services = std::make_unique<DesktopServices>(*m_prompter, *files, clock ? *clock : Clock::system());
    m_window = std::make_unique<MainWindow>(m_settings, *m_lists, *m_project, *m_services);
    if (m_ownPrompter)
        m_ownPrompter->setParent(m_window.get());
    if (m_ownFiles)
        m_ownFiles->setParent(m_window.get());
    m_window->setRecentFiles(recentFiles());
    connect(m_window.get(), &MainWindow::newProjectRequested, this, [this] { newProject(); });
    connect(m_window.get(), &MainWindow::openProjectRequested, this,
            [this](const QString& path) { openProject(path); });
}

Application::~Application()
{
    // The window and the lists refer to the project: they go first.
    m_window.reset();
    m_lists.reset();
}

bool Application::start(const QStringList& arguments)
{
    const StartupChoice choice =
        ChooseStartupProject(arguments, m_settings.text(kRecentFiles, recentKey(0)),
                             [](const QString& path) { return QFileInfo::exists(path); });
    const bool ok = choice.action == StartupChoice::Action::AskForProject
                        ? askAndOpen()
                        : openProject(QFileInfo(choice.path).absoluteFilePath());
    if (!ok)
        return false;
    m_window->show();
    return true;
}

bool Application::openProject(const QString& path)
{
    if (path.isEmpty())
        return askAndOpen();
    // A settings failure has been reported; after any failure the user picks
    // another project.
    const int status = OpenProjectFromPath(*m_project, path, *m_prompter, BackupsToKeep(m_settings, path));
    if (status == Status::Success) {
        opened();
        return true;
    }
    // A project that is gone is not offered again.
    if (status == Status::FileNotFound) {
        QStringList recent = recentFiles();
        if (recent.removeAll(path) > 0)
            setRecentFiles(recent);
    }
    return askAndOpen();
}

bool Application::newProject()
{
    const CProjectSettings* current = m_project->settings();
    const QString currentPath = current ? current->databasePath() : QString();
    if (askAndOpen())
        return true;
    if (!currentPath.isEmpty())
        setRecentFiles(WithRecentFile(recentFiles(), currentPath, kRecentCount));
    return false;
}

bool Application::askAndOpen()
{
    for (;;) {
        std::unique_ptr<CProjectSettings> settings = m_askForProject(m_window.get(), *m_services);
        if (!settings)
            return false;
        // A project picked with "Open Existing Project" has its database
        // already; a new one is created. Either way the user has been told
        // why a project did not open, and is asked again.
        const QString path = settings->databasePath();
        const int status =
            QFileInfo::exists(path)
                ? OpenProjectFromPath(*m_project, path, *m_prompter, BackupsToKeep(m_settings, path))
                : CreateProject(*m_project, std::move(settings), *m_prompter);
        if (status == Status::Success) {
            opened();
            return true;
        }
    }
}

void Application::opened()
{
    m_lists->setTables(m_project->tables());
    setRecentFiles(WithRecentFile(recentFiles(), m_project->settings()->databasePath(), kRecentCount));
    m_window->projectOpened();
}

QStringList Application::recentFiles() const
{
    QStringList paths;
    for (int i = 0; i < kRecentCount; ++i) {
        const QString path = m_settings.text(kRecentFiles, recentKey(i));
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void Application::setRecentFiles(const QStringList& paths)
{
    for (int i = 0; i < kRecentCount; ++i)
        m_settings.setValue(kRecentFiles, recentKey(i), i < paths.size() ? paths.at(i) : QString());
    m_settings.sync();
    m_window->setRecentFiles(paths);
}
