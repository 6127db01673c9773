#include "ui/purchasing/EditOrderEntryDialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/RunWindow.h"
#include "ui/purchasing/PurchasingCommands.h"
#include "ui/purchasing/PurchasingHub.h"
#include "ui/records/FormFields.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EditOrderEntryDialog::EditOrderEntryDialog(EditOrderEntryModel& model, ProjectTables& tables,
                                           const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services)
{
    setObjectName(QStringLiteral("editOrderEntryDialog"));
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_item = AddFormText(this, *form, QStringLiteral("Item:"), QStringLiteral("itemText"));
    m_poNumber = AddFormText(this, *form, QStringLiteral("PO #:"), QStringLiteral("poNumberText"));
    m_ordered = AddFormText(this, *form, QStringLiteral("Ordered:"), QStringLiteral("orderedText"));
    m_received = AddFormText(this, *form, QStringLiteral("Received:"), QStringLiteral("receivedText"));

    QPushButton* undo =
        AddButton(this, *layout, QStringLiteral("&Undo Received Order"), QStringLiteral("undoButton"));
    QPushButton* modify = AddButton(this, *layout, QStringLiteral("&Modify Original Order Information"),
                                    QStringLiteral("modifyButton"));
    QPushButton* receive =
        AddButton(this, *layout, QStringLiteral("&Record Received"), QStringLiteral("receiveButton"));
    QPushButton* done = AddButton(this, *layout, QStringLiteral("&Done"), QStringLiteral("doneButton"));
    done->setDefault(true);
    QWidget::setTabOrder(undo, modify);
    QWidget::setTabOrder(modify, receive);
    QWidget::setTabOrder(receive, done);

    connect(undo, &QPushButton::clicked, this, [this] {
        if (m_model.undoReceived())
            showModel();
    });
    connect(modify, &QPushButton::clicked, this, [this] { run(m_model.modifyOriginal()); });
    connect(receive, &QPushButton::clicked, this, [this] { run(m_model.recordReceived()); });
    connect(done, &QPushButton::clicked, this, &QDialog::accept);

    showModel();
}

void EditOrderEntryDialog::showModel()
{
    m_item->setText(m_model.itemName());
    m_poNumber->setText(m_model.poNumberText());
    m_ordered->setText(m_model.orderedText());
    m_received->setText(m_model.receivedText());
}

void EditOrderEntryDialog::run(const EditOrderEntryAction& action)
{
    using Kind = EditOrderEntryAction::Kind;
    switch (action.kind) {
    case Kind::None:
        break;
    case Kind::ModifyOrder:
        m_model.childClosed(RunModifyRecordedOrder(this, m_tables, m_services, action.orderID));
        break;
    case Kind::RecordReceived:
        m_model.childClosed(RunRecordReceived(this, m_tables, m_services, action.poID, action.orderID));
        break;
    }
    // The model re-read the line when it refused too.
    showModel();
}

ChangeList RunEditOrderEntry(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 orderID)
{
    EditOrderEntryModel model(tables, services.prompter, orderID);
    return RunWindow<EditOrderEntryDialog>(model, tables, services, parent);
}
