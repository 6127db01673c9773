#pragma once

#include "ui/reports/ReportSettingsDialogs.h"

class CommandRegistry;
class MainWindow;
class Project;

// Plugs Manage > Custom Reports into the registry: "Manage Reports" on the
// listing the window shows, its Report Definition sheets choosing fonts through
// `chooser`, and the navigation tree rebuilt once it closes.
void RegisterReportDefinitionWindows(CommandRegistry& registry, MainWindow& window, const Project& project,
                                     FontChooser chooser = ChooseFontWithDialog);
