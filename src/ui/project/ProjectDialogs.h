#pragma once

#include <memory>

class CProjectSettings;
class Project;
class Prompter;
class QString;
class QWidget;
class UserSettings;
struct DesktopServices;

// New Inventory Project dialog; the settings of the project chosen or created, null when cancelled.
std::unique_ptr<CProjectSettings> AskForProject(QWidget* parent, const DesktopServices& services);
void RunCopyProject(QWidget* parent, Project& project, const DesktopServices& services);
void RunCompactDatabase(QWidget* parent, Project& project, Prompter& prompter);
void ShowAboutBox(QWidget* parent, const Project& project);
void RunProjectSettings(QWidget* parent, CProjectSettings& settings, Prompter& prompter, UserSettings& user);
void RunCompanyInformation(QWidget* parent, UserSettings& settings, Prompter& prompter);
void RunPrintMargins(QWidget* parent, UserSettings& settings, Prompter& prompter);
// Delete confirmation; true when the user typed the word.
bool ConfirmDeletionDialog(QWidget* parent, const QString& warning, Prompter& prompter);
