#include "ui/project/ProjectDialogs.h"

#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "core/project/Project.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectSettings.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/WaitCursorPrompter.h"
#include "ui/project/AboutBox.h"
#include "ui/project/CompanyInfoDialog.h"
#include "ui/project/DeleteConfirmDialog.h"
#include "ui/project/NewProjectDialog.h"
#include "ui/project/OutputProjectNameDialog.h"
#include "ui/project/PrintMarginsDialog.h"
#include "ui/project/ProjectSettingsDialog.h"

#include <QString>
#include <QWidget>

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
    WaitCursorPrompter asking(prompter);
    CopyProject(project, directory, name, asking);
}

void RunCompactDatabase(QWidget*, Project& project, Prompter& prompter)
{
    WaitCursorPrompter asking(prompter);
    CompactDatabase(project, asking);
}

void ShowAboutBox(QWidget* parent, const Project& project)
{
    AboutBox box(project.settings() != nullptr ? project.settings()->directory() : QString(), parent);
    box.exec();
}

void RunProjectSettings(QWidget* parent, CProjectSettings& settings, Prompter& prompter, UserSettings& user)
{
    ProjectSettingsDialog dialog(settings, prompter, &user, parent);
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
