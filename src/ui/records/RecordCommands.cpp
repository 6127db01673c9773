#include "ui/records/RecordCommands.h"

#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "ui/project/DeleteConfirmDialog.h"
#include "ui/common/WaitCursorPrompter.h"
#include "ui/records/AddItemDialog.h"
#include "ui/records/AddVendorDialog.h"
#include "core/records/CustomerDeletion.h"
#include "core/records/CustomerDetailsModel.h"
#include "ui/records/CustomerDialogs.h"
#include "core/records/ItemDetailsModel.h"
#include "ui/records/RecordDetailsDialogs.h"
#include "core/records/VendorDetailsModel.h"

#include <QLineEdit>

namespace {

// Opens the window of a model whose prerequisites hold, and answers what the
// model wrote, whether the window closed with OK or not ("Next >>" saves before
// a Cancel).
template <typename Window, typename Model> ChangeList RunWindow(QWidget* parent, Model& model)
{
    if (!model.checkPrerequisites())
        return {};
    Window window(model, parent);
    window.exec();
    return model.changes();
}

// The typed confirmation, then the deletion.
template <typename Deletion> ChangeList RunDeletion(QWidget* parent, Prompter& prompter, Deletion& deletion)
{
    if (!deletion.checkPrerequisites())
        return {};
    DeleteConfirmDialog dialog(deletion.warning(), prompter, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    deletion.setConfirmation(dialog.wordEdit()->text());
    if (!deletion.save().saved)
        return {};
    return deletion.changes();
}

} // namespace

ChangeList RunAddVendor(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 vendorId)
{
    AddVendorModel model(tables, prompter, vendorId);
    return RunWindow<AddVendorDialog>(parent, model);
}

ChangeList RunAddItem(QWidget* parent, ProjectTables& tables, Prompter& prompter, const Clock& clock,
                      qint32 itemId)
{
    AddItemModel model(tables, prompter, clock, itemId);
    return RunWindow<AddItemDialog>(parent, model);
}

ChangeList RunAddCustomer(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId)
{
    AddCustomerModel model(tables, prompter, customerId);
    return RunWindow<AddCustomerDialog>(parent, model);
}

void RunVendorDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 vendorId)
{
    VendorDetailsModel model(tables, prompter, vendorId);
    RunWindow<VendorDetailsDialog>(parent, model);
}

void RunItemDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 itemId)
{
    ItemDetailsModel model(tables, prompter, itemId);
    RunWindow<ItemDetailsDialog>(parent, model);
}

void RunCustomerDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId)
{
    CustomerDetailsModel model(tables, prompter, customerId);
    RunWindow<CustomerDetailsDialog>(parent, model);
}

ChangeList RunDeleteRecord(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                           DeleteRecordModel::Target target, qint32 id)
{
    DeleteRecordModel deletion(tables, prompter, target, id);
    return RunDeletion(parent, prompter, deletion);
}

ChangeList RunDeleteCustomer(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId)
{
    CustomerDeletion deletion(tables, prompter, customerId);
    return RunDeletion(parent, prompter, deletion);
}

qint32 RunCustomerSelection(QWidget* parent, ProjectTables& tables, Prompter& prompter,
                            qint32 initialCustomerId, ChangeList* changes)
{
    CustomerSelectionModel model(tables, prompter, initialCustomerId);
    if (!model.checkPrerequisites())
        return NoSelection;
    CustomerSelectionDialog dialog(model, parent);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (changes != nullptr)
        changes->merge(model.changes());
    return chosen ? model.result() : NoSelection;
}

ChangeList RunImport(ProjectTables& tables, Prompter& prompter, FileChooser& files, const Clock& clock,
                     ImportModel::Source source)
{
    const ImportModel::Command command = ImportModel::command(source);
    const QString filter = QStringLiteral("%1 (%2)").arg(command.caption, command.defaultFileName);
    const QString path = files.openFile(command.caption, QString(), filter, command.defaultExtension.mid(1));
    if (path.isEmpty())
        return {};
    WaitCursorPrompter waiting(prompter);
    ImportModel model(tables, waiting, clock, source);
    model.setPath(path);
    if (!model.checkPrerequisites() || !model.save().saved)
        return {};
    return model.changes();
}
