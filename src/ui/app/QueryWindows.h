#pragma once

class CommandRegistry;
struct DesktopServices;
class MainWindow;

// Plugs Manage > Queries and the Custom Reports wizard into the registry. Both
// change what the navigation tree of `window` lists, so it is read again after
// each; the wizard then shows the report it made.
void RegisterQueryWindows(CommandRegistry& registry, MainWindow& window, const DesktopServices& services);
