#pragma once

class CommandRegistry;
struct DesktopServices;
class MainWindow;

// Plugs Manage > Queries into the registry. The queries are what the
// navigation tree of `window` lists under its folders, so it is read again
// after the window closes.
void RegisterQueryWindows(CommandRegistry& registry, MainWindow& window, const DesktopServices& services);
