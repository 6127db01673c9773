#pragma once

class CommandRegistry;

// Plugs the windows of vendors, items and customers and of the imports into the
// registry. Until a window is registered here its command stays greyed.
void RegisterRecordWindows(CommandRegistry& registry);
