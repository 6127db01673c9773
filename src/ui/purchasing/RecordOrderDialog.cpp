#include "ui/purchasing/RecordOrderDialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/RecordPicker.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/purchasing/PurchasingCommands.h"
#include "ui/records/FindRecordButton.h"
#include "ui/records/FormFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using Field = RecordOrderModel::Field;

RecordOrderDialog::RecordOrderDialog(RecordOrderModel& model, ProjectTables& tables,
                                     const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services)
{
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());

    auto* itemRow = new QHBoxLayout;
    m_item = new RecordPicker(RecordPicker::Kind::Item, this);
    m_item->setObjectName(QStringLiteral("itemBox"));
    QPushButton* find = AddFindButton(*m_item, tables, services.prompter, QStringLiteral("&Find Item"));
    find->setObjectName(QStringLiteral("findItemButton"));
    itemRow->addWidget(m_item, 1);
    itemRow->addWidget(find);
    auto* itemLabel = new QLabel(QStringLiteral("&Item:"), this);
    itemLabel->setBuddy(m_item);
    form->addRow(itemLabel, itemRow);
    m_item->setEnabled(m_model.itemEnabled());
    find->setEnabled(m_model.itemEnabled());

    m_quantity = new WholeNumberEdit(this);
    m_quantity->setObjectName(QStringLiteral("quantityEdit"));
    form->addRow(QStringLiteral("&Quantity:"), m_quantity);

    auto* poRow = new QHBoxLayout;
    m_po = new RecordPicker(RecordPicker::Kind::PurchaseOrder, this);
    m_po->setObjectName(QStringLiteral("poBox"));
    auto* newPO = new QPushButton(QStringLiteral("New P&O"), this);
    newPO->setObjectName(QStringLiteral("newPOButton"));
    poRow->addWidget(m_po, 1);
    poRow->addWidget(newPO);
    auto* poLabel = new QLabel(QStringLiteral("&PO #:"), this);
    poLabel->setBuddy(m_po);
    form->addRow(poLabel, poRow);

    m_stocked = AddFormText(this, *form, QStringLiteral("Stocked:"), QStringLiteral("stockedText"));
    m_ordered = AddFormText(this, *form, QStringLiteral("Ordered:"), QStringLiteral("orderedText"));

    m_next = new QPushButton(QStringLiteral("&Next >>"), this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_next->setEnabled(m_model.nextEnabled());
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_model.setQuantityText(m_quantity->text());
        finish(m_model.saveAndNext(), false);
    });
    QPushButton* ok = AddOkCancel(*this, *layout, [this] {
        m_model.setQuantityText(m_quantity->text());
        finish(m_model.save(), true);
    });
    ok->setObjectName(QStringLiteral("okButton"));
    InsertBeforeOk(*layout, m_next);
    ChainTabOrder({m_item, find, m_quantity, m_po, newPO, m_next, ok});

    m_item->setEntries(m_model.itemEntries(), m_model.itemID());
    m_po->setEntries(m_model.poEntries(), m_model.poID());
    showModel();

    connect(m_item, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.selectItem(id);
        showItemFigures();
    });
    connect(m_po, &RecordPicker::selectionChanged, this, [this](qint32 id) { m_model.selectPO(id); });
    connect(newPO, &QPushButton::clicked, this, &RecordOrderDialog::raisePO);

    (m_model.itemEnabled() ? static_cast<QWidget*>(m_item) : m_quantity)->setFocus();
}

QWidget* RecordOrderDialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Quantity:
        return m_quantity;
    case Field::PurchaseOrder:
        return m_po;
    case Field::Item:
        return m_item;
    }
    return nullptr;
}

void RecordOrderDialog::showModel()
{
    m_item->selectId(m_model.itemID());
    m_po->selectId(m_model.poID());
    showItemFigures();
}

void RecordOrderDialog::showItemFigures()
{
    m_stocked->setText(m_model.stockedText());
    m_ordered->setText(m_model.orderedText());
    m_quantity->setText(m_model.quantityText());
}

void RecordOrderDialog::raisePO()
{
    qint32 created = NoID;
    m_newPOChanges.merge(RunNewPO(this, m_tables, m_services, NoID, &created));
    if (created == NoID)
        return;
    m_model.refillPOs(created);
    m_po->setEntries(m_model.poEntries(), m_model.poID());
}

void RecordOrderDialog::finish(RecordOrderModel::Result result, bool close)
{
    if (result.saved && close) {
        accept();
        return;
    }
    if (result.saved) {
        showModel();
        FocusRefused(m_quantity);
        return;
    }
    FocusRefused(fieldWidget(result.focus));
}
