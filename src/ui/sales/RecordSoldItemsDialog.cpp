#include "ui/sales/RecordSoldItemsDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/MoneyEdit.h"
#include "ui/common/RecordPicker.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/records/FindRecordButton.h"
#include "ui/records/FormFields.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

using Field = RecordSoldItemsModel::Field;

namespace {

QLabel* ShownText(QWidget* owner, const QString& objectName)
{
    auto* text = new QLabel(owner);
    text->setObjectName(objectName);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
}

} // namespace

RecordSoldItemsDialog::RecordSoldItemsDialog(RecordSoldItemsModel& model, ProjectTables& tables,
                                             Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel(m_model.helpLine(), this), 1);
    auto* invoice = new QLabel(QStringLiteral("INVOICE : ") + m_model.invoiceNumberText(), this);
    invoice->setObjectName(QStringLiteral("invoiceText"));
    heading->addWidget(invoice);
    layout->addLayout(heading);

    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    // Left: the item and the line being put together.
    auto* entry = new QFormLayout;
    columns->addLayout(entry, 1);
    auto* itemRow = new QHBoxLayout;
    m_item = new RecordPicker(RecordPicker::Kind::Item, this);
    m_item->setObjectName(QStringLiteral("itemBox"));
    m_item->setEntries(m_model.itemEntries(), m_model.itemID());
    itemRow->addWidget(m_item, 1);
    QPushButton* find = AddFindButton(*m_item, tables, prompter, QStringLiteral("Find Item..."));
    find->setObjectName(QStringLiteral("findItemButton"));
    find->setAutoDefault(false);
    itemRow->addWidget(find);
    entry->addRow(QStringLiteral("Item:"), itemRow);
    m_itemId = ShownText(this, QStringLiteral("itemIdText"));
    entry->addRow(QStringLiteral("Item ID:"), m_itemId);
    m_itemNumber = ShownText(this, QStringLiteral("itemNumberText"));
    entry->addRow(QStringLiteral("Item Number:"), m_itemNumber);
    m_stocked = ShownText(this, QStringLiteral("stockedText"));
    entry->addRow(QStringLiteral("Stocked:"), m_stocked);
    m_quantity = new WholeNumberEdit(this);
    m_quantity->setObjectName(QStringLiteral("quantityEdit"));
    m_quantity->setText(m_model.quantityText());
    entry->addRow(QStringLiteral("Quantity"), m_quantity);
    m_price = new MoneyEdit(this);
    m_price->setObjectName(QStringLiteral("priceEdit"));
    entry->addRow(QStringLiteral("Selling Price"), m_price);

    // Middle: the buttons that move lines in and out of the sale.
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    m_add = new QPushButton(QStringLiteral("&Add >>"), this);
    m_add->setObjectName(QStringLiteral("addButton"));
    m_add->setAutoDefault(false);
    moves->addWidget(m_add);
    m_remove = new QPushButton(QStringLiteral("<< &Remove"), this);
    m_remove->setObjectName(QStringLiteral("removeButton"));
    m_remove->setAutoDefault(false);
    moves->addWidget(m_remove);
    moves->addStretch();
    columns->addLayout(moves);

    // Right: the sale and what it comes to.
    auto* saleBox = new QGroupBox(QStringLiteral("Current Sale"), this);
    auto* sale = new QVBoxLayout(saleBox);
    m_lines = new QListWidget(saleBox);
    m_lines->setObjectName(QStringLiteral("saleList"));
    sale->addWidget(m_lines);
    auto* totals = new QFormLayout;
    sale->addLayout(totals);
    m_subtotal = ShownText(saleBox, QStringLiteral("subtotalText"));
    totals->addRow(QStringLiteral("Subtotal :"), m_subtotal);
    m_tax = ShownText(saleBox, QStringLiteral("taxText"));
    totals->addRow(QStringLiteral("Tax:"), m_tax);
    m_total = ShownText(saleBox, QStringLiteral("totalText"));
    totals->addRow(QStringLiteral("Total:"), m_total);
    m_amountPaid = new MoneyEdit(saleBox);
    m_amountPaid->setObjectName(QStringLiteral("amountPaidEdit"));
    m_amountPaid->setText(m_model.amountPaidText());
    m_amountPaid->installEventFilter(this);
    totals->addRow(QStringLiteral("Amount paid by customer"), m_amountPaid);
    m_balance = ShownText(saleBox, QStringLiteral("balanceText"));
    totals->addRow(QStringLiteral("Balance:"), m_balance);
    // Lines added to a recorded invoice: what it owes in all is Invoice Manager's.
    const bool visible = m_model.totalsVisible();
    totals->setRowVisible(m_total, visible);
    totals->setRowVisible(m_amountPaid, visible);
    totals->setRowVisible(m_balance, visible);
    columns->addWidget(saleBox, 1);

    AddOkCancel(*this, *layout, [this] { confirm(); })->setObjectName(QStringLiteral("okButton"));
    ChainTabOrder({m_item, find, m_quantity, m_price, m_add, m_remove, m_lines, m_amountPaid});

    connect(m_item, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        if (m_busy)
            return;
        m_model.selectItem(id);
        showItem();
        showTotals();
    });
    connect(m_price, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_busy)
            m_model.setPriceText(text);
    });
    connect(m_add, &QPushButton::clicked, this, &RecordSoldItemsDialog::addLine);
    connect(m_remove, &QPushButton::clicked, this, &RecordSoldItemsDialog::removeLine);
    connect(m_lines, &QListWidget::currentRowChanged, this,
            [this](int row) { m_remove->setEnabled(row >= 0); });

    showItem();
    showLines();
    showTotals();
    m_item->setFocus();
}

QWidget* RecordSoldItemsDialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Item:
        return m_item;
    case Field::Quantity:
        return m_quantity;
    case Field::Price:
        return m_price;
    case Field::AmountPaid:
        return m_amountPaid;
    }
    return nullptr;
}

bool RecordSoldItemsDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the amount paid brings the balance up to date.
    if (watched == m_amountPaid && event->type() == QEvent::FocusOut) {
        m_model.setAmountPaidText(m_amountPaid->text());
        showTotals();
    }
    return QDialog::eventFilter(watched, event);
}

void RecordSoldItemsDialog::addLine()
{
    m_model.setQuantityText(m_quantity->text());
    const RecordSoldItemsModel::Result result = m_model.addLine();
    if (!result.saved) {
        FocusRefused(fieldWidget(result.focus));
        return;
    }
    showLines();
    m_lines->setCurrentRow(-1);
    showItem();
    showTotals();
}

void RecordSoldItemsDialog::removeLine()
{
    if (!m_model.removeLine(m_lines->currentRow()))
        return;
    showLines();
    showItem();
    showTotals();
}

void RecordSoldItemsDialog::confirm()
{
    m_model.setAmountPaidText(m_amountPaid->text());
    const RecordSoldItemsModel::Result result = m_model.save();
    if (result.saved) {
        accept();
        return;
    }
    showTotals();
    FocusRefused(fieldWidget(result.focus));
}

void RecordSoldItemsDialog::showItem()
{
    const QScopedValueRollback busy(m_busy, true);
    if (m_item->currentId() != m_model.itemID())
        m_item->selectId(m_model.itemID());
    m_itemId->setText(m_model.itemIdText());
    m_itemNumber->setText(m_model.itemNumberText());
    m_stocked->setText(m_model.stockedText());
    if (m_price->text() != m_model.priceText())
        m_price->setText(m_model.priceText());
}

void RecordSoldItemsDialog::showLines()
{
    const QScopedValueRollback busy(m_busy, true);
    m_lines->clear();
    m_lines->addItems(m_model.lineTexts());
    m_remove->setEnabled(m_lines->currentRow() >= 0);
}

void RecordSoldItemsDialog::showTotals()
{
    m_subtotal->setText(m_model.subtotalText());
    m_tax->setText(m_model.taxText());
    m_total->setText(m_model.totalText());
    m_balance->setText(m_model.balanceText());
}
