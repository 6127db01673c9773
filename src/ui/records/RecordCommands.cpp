#include "ui/records/RecordCommands.h"

#include "core/common/FileChooser.h"
#include "core/common/Prompter.h"
#include "ui/project/DeleteConfirmDialog.h"
#include "ui/common/RunWindow.h"
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
    return RunWindow<AddVendorDialog>(model, parent);
}

ChangeList RunAddItem(QWidget* parent, ProjectTables& tables, Prompter& prompter, const Clock& clock,
                      qint32 itemId)
{
    AddItemModel model(tables, prompter, clock, itemId);
    return RunWindow<AddItemDialog>(model, parent);
}

ChangeList RunAddCustomer(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId)
{
    AddCustomerModel model(tables, prompter, customerId);
    return RunWindow<AddCustomerDialog>(model, parent);
}

void RunVendorDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 vendorId)
{
    VendorDetailsModel model(tables, prompter, vendorId);
    RunWindow<VendorDetailsDialog>(model, parent);
}

void RunItemDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 itemId)
{
    ItemDetailsModel model(tables, prompter, itemId);
    RunWindow<ItemDetailsDialog>(model, parent);
}

void RunCustomerDetails(QWidget* parent, ProjectTables& tables, Prompter& prompter, qint32 customerId)
{
    CustomerDetailsModel model(tables, prompter, customerId);
    RunWindow<CustomerDetailsDialog>(model, parent);
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
