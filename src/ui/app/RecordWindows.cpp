#include "RecordWindows.h"

#include "CommandRegistry.h"
#include "MainWindow.h"

#include "ui/common/DesktopServices.h"
#include "core/records/AddCustomerModel.h"
#include "ui/records/AddItemDialog.h"
#include "core/records/AddItemModel.h"
#include "ui/records/AddVendorDialog.h"
#include "core/records/AddVendorModel.h"
#include "core/records/CustomerDetailsModel.h"
#include "ui/records/CustomerDialogs.h"
#include "core/records/ItemDetailsModel.h"
#include "ui/records/RecordCommands.h"
#include "ui/records/RecordDetailsDialogs.h"
#include "core/records/VendorDetailsModel.h"
#include "core/io/CsvImport.h"
#include "ui/io/CsvImportDialog.h"
#include "core/common/FileChooser.h"

#include <memory>

namespace {

using Action = CommandRegistry::Action;
using Target = DeleteRecordModel::Target;

// Insert starts a new record whatever row is selected; Modify opens the selected one.
qint32 RecordOf(const WindowRequest& r, bool modify)
{
    return modify ? r.recordId : NoSelection;
}

CommandWindow VendorWindow(bool modify)
{
    return DialogWindow(
        [modify](const WindowRequest& r) {
            return std::make_unique<AddVendorModel>(r.tables, r.services.prompter, RecordOf(r, modify));
        },
        [](AddVendorModel& model, const WindowRequest& r) {
            return std::make_unique<AddVendorDialog>(model, r.parent);
        });
}

CommandWindow ItemWindow(bool modify)
{
    return DialogWindow(
        [modify](const WindowRequest& r) {
            return std::make_unique<AddItemModel>(r.tables, r.services.prompter, r.services.clock,
                                                  RecordOf(r, modify));
        },
        [](AddItemModel& model, const WindowRequest& r) {
            return std::make_unique<AddItemDialog>(model, r.parent);
        });
}

CommandWindow CustomerWindow(bool modify)
{
    return DialogWindow(
        [modify](const WindowRequest& r) {
            return std::make_unique<AddCustomerModel>(r.tables, r.services.prompter, RecordOf(r, modify));
        },
        [](AddCustomerModel& model, const WindowRequest& r) {
            return std::make_unique<AddCustomerDialog>(model, r.parent);
        });
}

// Details write nothing; their outcome is empty.
template <typename Model, typename Dialog> CommandWindow DetailsWindow()
{
    return DialogWindow(
        [](const WindowRequest& r) {
            return std::make_unique<Model>(r.tables, r.services.prompter, r.recordId);
        },
        [](Model& model, const WindowRequest& r) { return std::make_unique<Dialog>(model, r.parent); });
}

CommandWindow DeletionWindow(Target target)
{
    return [target](const WindowRequest& r) {
        return WindowOutcome{RunDeleteRecord(r.parent, r.tables, r.services.prompter, target, r.recordId),
                             {}};
    };
}

CommandWindow ImportWindow(ImportModel::Source source)
{
    return [source](const WindowRequest& r) {
        WindowOutcome outcome;
        outcome.changes =
            RunImport(r.tables, r.services.prompter, r.services.files, r.services.clock, source);
        // An import may add more records than a change list holds.
        if (!outcome.changes.isEmpty())
            outcome.reload.append(ImportModel::command(source).importedKind);
        return outcome;
    };
}

CommandWindow CsvImportWindow(CsvImportModel::Kind kind, ListingKind listed)
{
    return [kind, listed](const WindowRequest& r) {
        WindowOutcome outcome;
        const QString path = r.services.files.openFile(QStringLiteral("Import from CSV"), QString(),
                                                       QStringLiteral("CSV files (*.csv);;All files (*)"),
                                                       QStringLiteral("csv"));
        if (path.isEmpty())
            return outcome;
        CsvImportModel model(r.tables, r.services.prompter, r.services.clock, kind, path);
        if (!model.checkPrerequisites())
            return outcome;
        CsvImportDialog dialog(model, r.parent);
        dialog.exec();
        outcome.changes = model.changes();
        // An import may add more records than a change list holds.
        if (!outcome.changes.isEmpty())
            outcome.reload.append(listed);
        return outcome;
    };
}

} // namespace

void RegisterRecordWindows(CommandRegistry& registry)
{
    registry.addWindow(Action::AddVendor, VendorWindow(false));
    registry.addWindow(Action::ModifyVendor, VendorWindow(true));
    registry.addWindow(Action::AddItem, ItemWindow(false));
    registry.addWindow(Action::ModifyItem, ItemWindow(true));
    registry.addWindow(Action::ModifyCustomer, CustomerWindow(true));
    registry.addWindow(MainWindow::InsertCustomer, CustomerWindow(false), CommandRegistry::WindowOptions{});

    registry.addWindow(Action::VendorDetails, DetailsWindow<VendorDetailsModel, VendorDetailsDialog>());
    registry.addWindow(Action::ItemDetails, DetailsWindow<ItemDetailsModel, ItemDetailsDialog>());
    registry.addWindow(Action::CustomerDetails, DetailsWindow<CustomerDetailsModel, CustomerDetailsDialog>());

    registry.addWindow(Action::DeleteVendor, DeletionWindow(Target::Vendor));
    registry.addWindow(Action::DeleteItem, DeletionWindow(Target::Item));
    registry.addWindow(Action::DeletePurchaseOrder, DeletionWindow(Target::PurchaseOrder));
    registry.addWindow(Action::DeleteCustomer, [](const WindowRequest& r) {
        return WindowOutcome{RunDeleteCustomer(r.parent, r.tables, r.services.prompter, r.recordId), {}};
    });

    const std::pair<int, ImportModel::Source> imports[] = {
        {MainWindow::ImportVendors2, ImportModel::Source::Version2Vendors},
        {MainWindow::ImportItems2, ImportModel::Source::Version2Items},
        {MainWindow::ImportCustomers2, ImportModel::Source::Version2Customers},
        {MainWindow::ImportItems3, ImportModel::Source::ProjectItems},
        {MainWindow::ImportVendors3, ImportModel::Source::ProjectVendors},
        {MainWindow::ImportCustomers3, ImportModel::Source::ProjectCustomers},
    };
    for (const auto& [command, source] : imports)
        registry.addWindow(command, ImportWindow(source), CommandRegistry::WindowOptions{});
    registry.addWindow(MainWindow::ImportVendorsCsv,
                       CsvImportWindow(CsvImportModel::Kind::Vendors, ListingKind::Vendors),
                       CommandRegistry::WindowOptions{});
    registry.addWindow(MainWindow::ImportItemsCsv, CsvImportWindow(CsvImportModel::Kind::Items, ListingKind::Items),
                       CommandRegistry::WindowOptions{});
    registry.addWindow(MainWindow::ImportCustomersCsv,
                       CsvImportWindow(CsvImportModel::Kind::Customers, ListingKind::Customers),
                       CommandRegistry::WindowOptions{});
}
