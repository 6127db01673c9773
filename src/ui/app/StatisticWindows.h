#pragma once

class CommandRegistry;
class Project;
class UserSettings;

// Plugs the statistic windows into the registry: Manage Statistics (with
// Create Statistic behind it), the Statistic Wizard, and View Statistics on the
// list showing and its selected record, which keeps its column widths in
// `settings`. The statistics are those of the project open when a command runs.
void RegisterStatisticWindows(CommandRegistry& registry, Project& project, UserSettings& settings);
