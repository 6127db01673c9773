#include "ui/purchasing/AutoOrderDialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/RecordPicker.h"
#include "ui/purchasing/PurchasingCommands.h"
#include "ui/purchasing/PurchasingHub.h"
#include "ui/records/FormFields.h"

#include "core/purchasing/RecordOrderModel.h"
#include "core/purchasing/RecordReceivedModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AutoOrderDialog::AutoOrderDialog(AutoOrderModel& model, ProjectTables& tables,
                                 const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services)
{
    setObjectName(QStringLiteral("autoOrderDialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine())->setObjectName(QStringLiteral("helpText"));

    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    m_po = new RecordPicker(RecordPicker::Kind::PurchaseOrder, this);
    m_po->setObjectName(QStringLiteral("poBox"));
    m_po->setEntries(m_model.poEntries(), m_model.poID());
    auto* label = new QLabel(QStringLiteral("&PO #:"), this);
    label->setBuddy(m_po);
    row->addWidget(label);
    row->addWidget(m_po, 1);
    auto* newPO = new QPushButton(QStringLiteral("&New PO"), this);
    newPO->setObjectName(QStringLiteral("newPOButton"));
    newPO->setAutoDefault(false);
    newPO->setEnabled(m_model.newPOEnabled());
    row->addWidget(newPO);

    QPushButton* ok = AddOkCancel(*this, *layout, [this] { accept(); });
    ok->setObjectName(QStringLiteral("okButton"));
    QWidget::setTabOrder(m_po, newPO);
    QWidget::setTabOrder(newPO, ok);

    // The picker may have settled on another entry than the model's (none given).
    m_model.selectPO(m_po->currentId());
    connect(m_po, &RecordPicker::selectionChanged, this, [this](qint32 id) { m_model.selectPO(id); });
    connect(newPO, &QPushButton::clicked, this, [this] {
        qint32 created = NoID;
        RunNewPO(this, m_tables, m_services, NoID, &created);
        if (created == NoID)
            return;
        m_model.poCreated(created);
        m_po->setEntries(m_model.poEntries(), m_model.poID());
    });
}

namespace {

void RunOrderSteps(QWidget* parent, AutoOrderModel& model, ProjectTables& tables,
                   const DesktopServices& services)
{
    for (const AutoOrderStep& step : model.orderSteps()) {
        RecordOrderModel order(tables, services.prompter);
        model.prepareOrderStep(order, step);
        // A cancelled step answers nothing, and the next one opens.
        model.stepFinished(RunRecordOrder(parent, order, services));
    }
}

void RunReceiveSteps(QWidget* parent, AutoOrderModel& model, ProjectTables& tables,
                     const DesktopServices& services)
{
    for (const qint32 orderID : model.receiveSteps()) {
        RecordReceivedModel receipt(tables, services.prompter, services.clock);
        if (!model.prepareReceiveStep(receipt, orderID))
            continue;
        const ChangeList changes = RunRecordReceived(parent, receipt, services);
        model.addReceipts(changes.ids(UnlistedKind::Receipts));
        model.stepFinished(changes);
    }
}

} // namespace

ChangeList RunAutoOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                        AutoOrderModel::Mode mode, qint32 poID)
{
    AutoOrderModel model(tables, services.prompter, mode, poID);
    if (!model.checkPrerequisites())
        return {};
    {
        AutoOrderDialog dialog(model, tables, services, parent);
        if (dialog.exec() != QDialog::Accepted)
            return model.changes();
    }
    // The window is closed before the first step opens.
    if (mode == AutoOrderModel::Mode::Order)
        RunOrderSteps(parent, model, tables, services);
    else
        RunReceiveSteps(parent, model, tables, services);
    return model.changes();
}
