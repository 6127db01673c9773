#pragma once

class CommandRegistry;
class UserSettings;

// Plugs Invoice Manager and Manage Payments into the registry: Manage > Invoices
// and Manage > Customer Payments, and the pop-ups of the invoice and customer
// lists. On the invoice list each opens on the selected invoice. Invoice
// Manager keeps its column widths in `settings`.
void RegisterInvoiceWindows(CommandRegistry& registry, UserSettings& settings);
