#include "ui/project/ProjectDialogs.h"

#include "ui/common/DesktopServices.h"
#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "ui/project/AboutBox.h"
#include "ui/project/CompanyInfoDialog.h"
#include "ui/project/DeleteConfirmDialog.h"
#include "ui/project/NewProjectDialog.h"
#include "ui/project/OutputProjectNameDialog.h"
#include "ui/project/PrintMarginsDialog.h"
#include "core/project/Project.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectSettings.h"
#include "ui/project/ProjectSettingsDialog.h"

#include <QApplication>
#include <QString>
#include <QWidget>

namespace {

// A wait cursor for the lifetime of a long operation.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Lifts the wait cursor while the user is asked or told something in the
// middle of the operation.
class PromptingWithoutWaitCursor final : public Prompter
{
public:
    explicit PromptingWithoutWaitCursor(Prompter& prompter) : m_prompter(prompter) {}

    void message(const QString& text, const QString& title, Icon icon) override
    {
        QApplication::restoreOverrideCursor();
        m_prompter.message(text, title, icon);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    bool askYesNo(const QString& text, const QString& title, Icon icon) override
    {
        QApplication::restoreOverrideCursor();
        const bool yes = m_prompter.askYesNo(text, title, icon);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return yes;
    }

private:
    Prompter& m_prompter;
};

} // namespace

std::unique_ptr<CProjectSettings> AskForProject(QWidget* parent, const DesktopServices& services)
{
    NewProjectDialog dialog(services, parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // The caller creates a new project's database before opening it.
    return dialog.model().takeSettings();
}

void RunCopyProject(QWidget* parent, Project& project, const DesktopServices& services)
{
    if (project.settings() == nullptr)
        return;
    Prompter& prompter = services.prompter;
    QString directory = services.files.chooseFolder(QStringLiteral("Destination Project Directory"),
                                                    project.settings()->directory());
    if (directory.isEmpty())
        return;
    while (directory.size() > 1 && directory.endsWith(u'/'))
        directory.chop(1);
    OutputProjectNameDialog names(project.settings()->name(), prompter, parent);
    names.exec();
    const QString name = names.chosenName();
    WaitCursor wait;
    PromptingWithoutWaitCursor asking(prompter);
    CopyProject(project, directory, name, asking);
}

void RunCompactDatabase(QWidget*, Project& project, Prompter& prompter)
{
    WaitCursor wait;
    PromptingWithoutWaitCursor asking(prompter);
    CompactDatabase(project, asking);
}

void ShowAboutBox(QWidget* parent, const Project& project)
{
    AboutBox box(project.settings() != nullptr ? project.settings()->directory() : QString(), parent);
    box.exec();
}

void RunProjectSettings(QWidget* parent, CProjectSettings& settings, Prompter& prompter)
{
    ProjectSettingsDialog dialog(settings, prompter, parent);
    dialog.exec();
}

void RunCompanyInformation(QWidget* parent, UserSettings& settings, Prompter& prompter)
{
    CompanyInfoDialog dialog(settings, prompter, parent);
    dialog.exec();
}

void RunPrintMargins(QWidget* parent, UserSettings& settings, Prompter& prompter)
{
    PrintMarginsDialog dialog(settings, prompter, parent);
    dialog.exec();
}

bool ConfirmDeletionDialog(QWidget* parent, const QString& warning, Prompter& prompter)
{
    DeleteConfirmDialog dialog(warning, prompter, parent);
    return dialog.exec() == QDialog::Accepted;
}
