#include "ui/purchasing/RecordReceivedDialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/IdListModel.h"
#include "ui/common/MoneyEdit.h"
#include "ui/common/RecordPicker.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/records/FormFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using Field = RecordReceivedModel::Field;

namespace {

// Wide enough for an item's name; the order lines of a large purchase order are
// never measured.
constexpr int kOrderBoxLength = 24;

template <typename Edit>
Edit* AddEdit(Edit* edit, QFormLayout& form, const QString& label, const QString& name)
{
    edit->setObjectName(name);
    form.addRow(label, edit);
    return edit;
}

} // namespace

RecordReceivedDialog::RecordReceivedDialog(RecordReceivedModel& model, const DesktopServices& services,
                                           QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());

    m_po = AddEdit(new RecordPicker(RecordPicker::Kind::PurchaseOrder, this), *form, QStringLiteral("&PO #:"),
                   QStringLiteral("poBox"));
    m_order = AddEdit(new QComboBox(this), *form, QStringLiteral("&Item:"), QStringLiteral("orderBox"));
    m_order->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_order->setMinimumContentsLength(kOrderBoxLength);
    m_orderLines = new IdListModel(m_order);
    m_order->setModel(m_orderLines);
    m_vendorName = AddFormText(this, *form, QStringLiteral("Vendor Name:"), QStringLiteral("vendorNameText"));
    m_orderDate = AddFormText(this, *form, QStringLiteral("Order Date:"), QStringLiteral("orderDateText"));
    m_quantity = AddEdit(new WholeNumberEdit(this), *form, QStringLiteral("&Quantity:"),
                         QStringLiteral("quantityEdit"));
    m_cost =
        AddEdit(new MoneyEdit(this), *form, QStringLiteral("&Cost Per Item:"), QStringLiteral("costEdit"));
    m_date = AddEdit(new DateEdit(services.clock, this), *form, QStringLiteral("&Date:"),
                     QStringLiteral("dateEdit"));

    m_next = new QPushButton(QStringLiteral("&Next >>"), this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    connect(m_next, &QPushButton::clicked, this, [this] {
        takeForm();
        finish(m_model.saveAndNext(), false);
    });
    QPushButton* ok = AddOkCancel(*this, *layout, [this] {
        takeForm();
        finish(m_model.save(), true);
    });
    ok->setObjectName(QStringLiteral("okButton"));
    InsertBeforeOk(*layout, m_next);
    ChainTabOrder({m_po, m_order, m_quantity, m_cost, m_date, m_next, ok});

    m_po->setEntries(m_model.poEntries(), m_model.selectedPO());
    m_po->setEnabled(m_model.poBoxEnabled());
    m_order->setEnabled(m_model.orderBoxEnabled());
    m_next->setEnabled(m_model.nextEnabled());
    m_date->setText(m_model.dateText());
    fillOrderBox();

    connect(m_po, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.selectPO(id);
        fillOrderBox();
    });
    connect(m_order, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (m_filling)
            return;
        m_model.selectOrder(row < 0 ? NoSelection : m_order->itemData(row).toInt());
        showOrder();
    });

    // The first field the user can change.
    if (m_model.poBoxEnabled())
        m_po->setFocus();
    else if (m_model.orderBoxEnabled())
        m_order->setFocus();
    else
        m_quantity->setFocus();
}

QWidget* RecordReceivedDialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Order:
        return m_order;
    case Field::Date:
        return m_date;
    case Field::Quantity:
        return m_quantity;
    case Field::Cost:
        return m_cost;
    }
    return nullptr;
}

void RecordReceivedDialog::fillOrderBox()
{
    {
        const QScopedValueRollback filling(m_filling, true);
        QList<IdListModel::Entry> lines;
        lines.reserve(m_model.orderEntries().size());
        for (const RecordReceivedModel::OrderEntry& entry : m_model.orderEntries())
            lines.append({entry.itemName, entry.orderID});
        m_orderLines->setEntries(std::move(lines));
        m_order->setCurrentIndex(m_orderLines->rowOfId(m_model.selectedOrder()));
    }
    showOrder();
}

void RecordReceivedDialog::showOrder()
{
    m_vendorName->setText(m_model.vendorName());
    m_orderDate->setText(m_model.orderDate());
    m_quantity->setText(m_model.quantityText());
    m_cost->setText(m_model.costText());
}

void RecordReceivedDialog::takeForm()
{
    m_model.setQuantityText(m_quantity->text());
    m_model.setCostText(m_cost->text());
    m_model.setDateText(m_date->text());
}

void RecordReceivedDialog::finish(RecordReceivedModel::Result result, bool close)
{
    if (result.saved && close) {
        accept();
        return;
    }
    // After a receipt, or a line that vanished meanwhile, the model refilled the
    // order box; the fields then follow its selection.
    if (result.saved || result.focus == Field::Order)
        fillOrderBox();
    FocusRefused(fieldWidget(result.focus));
}
