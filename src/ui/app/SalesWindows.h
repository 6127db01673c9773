#pragma once

class CommandRegistry;
struct DesktopServices;

// Plugs Record Sale and Undo Sale into the registry. Undo Sale is a command of
// its own, available only on the invoice list with an invoice selected; it asks
// and tells through `services`.
void RegisterSalesWindows(CommandRegistry& registry, const DesktopServices& services);
