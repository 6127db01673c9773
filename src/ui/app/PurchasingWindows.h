#pragma once

class CommandRegistry;
class UserSettings;

// Plugs the purchasing windows into the registry: Record Order, Record Received
// Order, Auto Order, Auto Receive, Purge and Manage Purchase Orders, which also
// opens from Modify and Details on the purchase-order list. Manage Purchase
// Orders keeps its column widths in `settings`.
void RegisterPurchasingWindows(CommandRegistry& registry, UserSettings& settings);
