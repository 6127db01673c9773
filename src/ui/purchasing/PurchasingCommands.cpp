#include "ui/purchasing/PurchasingCommands.h"

#include "core/common/Prompter.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/WaitCursorPrompter.h"
#include "ui/purchasing/MarkPOFillDateDialog.h"
#include "ui/purchasing/NewPODialog.h"
#include "ui/purchasing/PurgeDataDialog.h"
#include "ui/purchasing/RecordOrderDialog.h"
#include "ui/purchasing/RecordReceivedDialog.h"

namespace {

// Passes every message and question on to the prompter in place: the user's
// own while the dialog is open, a wait-cursor one while a long step runs.
class RelayPrompter final : public Prompter
{
public:
    explicit RelayPrompter(Prompter& target) : m_target(&target) {}

    void setTarget(Prompter& target) { m_target = &target; }
    void message(const QString& text, const QString& title, Icon icon) override
    {
        m_target->message(text, title, icon);
    }
    bool askYesNo(const QString& text, const QString& title, Icon icon) override
    {
        return m_target->askYesNo(text, title, icon);
    }

private:
    Prompter* m_target;
};

} // namespace

ChangeList RunNewPO(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                    qint32 modifyPOID, qint32* created)
{
    if (created)
        *created = NoID;
    NewPOModel model(tables, services.prompter, services.clock);
    if (modifyPOID != NoID && !model.loadForModify(modifyPOID))
        return {};
    if (!model.checkPrerequisites())
        return {};
    NewPODialog dialog(model, tables, services, parent);
    if (dialog.exec() == QDialog::Accepted && created && !model.isModify())
        *created = model.poID();
    return model.changes();
}

ChangeList RunRecordOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                          qint32 itemID, qint32 poID)
{
    RecordOrderModel model(tables, services.prompter);
    model.startNew(itemID, poID);
    if (!model.checkPrerequisites())
        return {};
    return RunRecordOrder(parent, model, services);
}

ChangeList RunModifyRecordedOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                  qint32 orderID)
{
    RecordOrderModel model(tables, services.prompter);
    if (!model.startModify(orderID) || !model.checkPrerequisites())
        return {};
    return RunRecordOrder(parent, model, services);
}

ChangeList RunRecordOrder(QWidget* parent, RecordOrderModel& model, const DesktopServices& services)
{
    RecordOrderDialog dialog(model, model.tables(), services, parent);
    dialog.exec();
    ChangeList changes = model.changes();
    changes.merge(dialog.newPOChanges());
    return changes;
}

ChangeList RunRecordReceived(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 poID, qint32 orderID)
{
    RecordReceivedModel model(tables, services.prompter, services.clock, poID, orderID);
    if (!model.checkPrerequisites())
        return {};
    return RunRecordReceived(parent, model, services);
}

ChangeList RunRecordReceived(QWidget* parent, RecordReceivedModel& model, const DesktopServices& services)
{
    RecordReceivedDialog dialog(model, services, parent);
    dialog.exec();
    return model.changes();
}

ChangeList RunMarkPOFillDate(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 poID)
{
    MarkPOFillDateModel model(tables, services.prompter, services.clock, poID);
    if (!model.checkPrerequisites())
        return {};
    MarkPOFillDateDialog dialog(model, services.clock, parent);
    dialog.exec();
    return model.changes();
}

ChangeList RunPurgeData(QWidget* parent, ProjectTables& tables, const DesktopServices& services)
{
    RelayPrompter relay(services.prompter);
    PurgeDataModel model(tables, relay, services.clock);
    if (!model.checkPrerequisites())
        return {};
    // The wait cursor shows while the purge deletes, and gives way to its question.
    const auto purge = [&] {
        WaitCursorPrompter waiting(services.prompter);
        relay.setTarget(waiting);
        const PurgeDataModel::Result result = model.save();
        relay.setTarget(services.prompter);
        return result;
    };
    PurgeDataDialog dialog(model, services.clock, purge, parent);
    dialog.exec();
    return model.changes();
}
