#include "ui/sales/InvoiceDialogs.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/RecordPicker.h"
#include "ui/records/FormFields.h"
#include "ui/sales/InvoiceCommands.h"
#include "ui/sales/InvoiceWidgets.h"
#include "ui/sales/SalesCommands.h"

#include "core/common/UserSettings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// --- Invoice Manager ---

InvoiceManagerDialog::InvoiceManagerDialog(InvoiceManagerModel& model, ProjectTables& tables,
                                           const DesktopServices& services, UserSettings& settings,
                                           QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services), m_settings(settings),
      m_picker(nullptr), m_sales(new QTreeWidget(this))
{
    const auto [columns, invoice, picker] = OpenInvoiceFrame(*this, m_model.caption());
    m_picker = picker;

    m_texts = AddInvoiceFigures(this, *invoice,
                                {{QStringLiteral("Customer:"), QStringLiteral("customerText")},
                                 {QStringLiteral("Date:"), QStringLiteral("dateText")},
                                 {QStringLiteral("Payment Method:"), QStringLiteral("payMethodText")},
                                 {QStringLiteral("Notes :"), QStringLiteral("notesText")}},
                                {{QStringLiteral("Amount Due:"), QStringLiteral("amountDueText")},
                                 {QStringLiteral("Amount Paid"), QStringLiteral("amountPaidText")},
                                 {QStringLiteral("Balance:"), QStringLiteral("balanceText")}});

    m_sales->setObjectName(QStringLiteral("salesList"));
    SetUpRowList(*m_sales, InvoiceManagerModel::columnCaptions(),
                 InvoiceManagerModel::loadColumnWidths(m_settings), &InvoiceManagerModel::columnRightAligned);
    invoice->addWidget(m_sales, 1);

    auto* buttons = new QVBoxLayout;
    columns->addLayout(buttons);
    QPushButton* modify = NewButton(this, QStringLiteral("Modify "), QStringLiteral("modifyButton"));
    QPushButton* create = NewButton(this, QStringLiteral("New "), QStringLiteral("newButton"));
    QPushButton* add = NewButton(this, QStringLiteral("Add to Invoice"), QStringLiteral("addButton"));
    QPushButton* remove =
        NewButton(this, QStringLiteral("Delete from Invoice"), QStringLiteral("deleteButton"));
    QPushButton* giveBack = NewButton(this, QStringLiteral("Record Return"), QStringLiteral("returnButton"));
    QPushButton* payments =
        NewButton(this, QStringLiteral("Manage Payments"), QStringLiteral("paymentsButton"));
    QPushButton* view = NewButton(this, QStringLiteral("View Invoice"), QStringLiteral("viewButton"));
    QPushButton* print = NewButton(this, QStringLiteral("Print Invoice"), QStringLiteral("printButton"));
    QPushButton* close = NewButton(this, QStringLiteral("Close"), QStringLiteral("closeButton"));
    for (QPushButton* button : {modify, create, add, remove, giveBack, payments, view, print})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);

    connect(m_picker, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.selectInvoice(id);
        showInvoice();
    });
    connect(m_sales, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        m_model.selectRow(current ? m_sales->indexOfTopLevelItem(current) : -1);
    });
    connect(modify, &QPushButton::clicked, this, &InvoiceManagerDialog::modifyInvoice);
    connect(create, &QPushButton::clicked, this, &InvoiceManagerDialog::newInvoice);
    connect(add, &QPushButton::clicked, this, &InvoiceManagerDialog::addToInvoice);
    connect(remove, &QPushButton::clicked, this, &InvoiceManagerDialog::deleteFromInvoice);
    connect(giveBack, &QPushButton::clicked, this, &InvoiceManagerDialog::recordReturn);
    connect(payments, &QPushButton::clicked, this, &InvoiceManagerDialog::managePayments);
    connect(view, &QPushButton::clicked, this, [this] { closeForReport(false); });
    connect(print, &QPushButton::clicked, this, [this] { closeForReport(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    ChainTabOrder({m_picker, m_texts.at(0), m_texts.at(1), m_texts.at(2), m_texts.at(3), m_texts.at(4),
                   m_texts.at(5), m_texts.at(6), m_sales, modify, create, add, remove, giveBack, payments,
                   view, print, close});

    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    showInvoice();
    m_picker->setFocus();
}

void InvoiceManagerDialog::done(int result)
{
    std::array<int, InvoiceManagerModel::kColumnCount> widths{};
    for (int column = 0; column < InvoiceManagerModel::kColumnCount; ++column)
        widths[static_cast<size_t>(column)] = m_sales->header()->sectionSize(column);
    InvoiceManagerModel::saveColumnWidths(m_settings, widths);
    QDialog::done(result);
}

void InvoiceManagerDialog::showInvoice()
{
    const QString texts[] = {m_model.customerText(), m_model.dateText(),      m_model.payMethodText(),
                             m_model.notes(),        m_model.amountDueText(), m_model.amountPaidText(),
                             m_model.balanceText()};
    for (int i = 0; i < m_texts.size(); ++i)
        m_texts.at(i)->setText(texts[i]);
    showRows();
}

void InvoiceManagerDialog::showRows()
{
    // The model forgets the selected row whenever it reads the invoice again.
    const QSignalBlocker quiet(m_sales);
    m_sales->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_model.rows().size());
    for (const InvoiceSaleRow& row : m_model.rows()) {
        auto* item = new QTreeWidgetItem(row.texts());
        item->setData(0, Qt::UserRole, row.saleID);
        for (int column = 0; column < InvoiceManagerModel::kColumnCount; ++column) {
            if (InvoiceManagerModel::columnRightAligned(column))
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    m_sales->addTopLevelItems(items);
    m_sales->setCurrentItem(nullptr);
    m_model.selectRow(-1);
}

void InvoiceManagerDialog::followChild(const ChangeList& changes)
{
    if (changes.isEmpty())
        return;
    m_model.childClosed(changes);
    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    showInvoice();
}

void InvoiceManagerDialog::newInvoice()
{
    qint32 created = NoID;
    const ChangeList changes = RunNewSalesInvoice(this, m_tables, m_services, NoID, &created);
    if (created == NoID && changes.isEmpty())
        return;
    m_model.childClosed(changes);
    if (created != NoID)
        m_model.invoiceCreated(created);
    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    showInvoice();
}

void InvoiceManagerDialog::modifyInvoice()
{
    if (const std::optional<qint32> invoiceID = m_model.invoiceForAction())
        followChild(RunNewSalesInvoice(this, m_tables, m_services, *invoiceID));
}

void InvoiceManagerDialog::addToInvoice()
{
    if (const std::optional<qint32> invoiceID = m_model.invoiceForAdd())
        followChild(RunRecordSoldItems(this, m_tables, m_services, *invoiceID, true));
}

void InvoiceManagerDialog::deleteFromInvoice()
{
    if (m_model.deleteFromInvoice())
        showInvoice();
}

void InvoiceManagerDialog::recordReturn()
{
    if (const std::optional<qint32> saleID = m_model.saleForReturn())
        followChild(RunCustomerReturn(this, m_tables, m_services.prompter, *saleID));
}

void InvoiceManagerDialog::managePayments()
{
    if (const std::optional<qint32> invoiceID = m_model.invoiceForAction())
        followChild(RunManagePayments(this, m_tables, m_services, *invoiceID));
}

void InvoiceManagerDialog::closeForReport(bool print)
{
    if (const std::optional<qint32> invoiceID = m_model.invoiceForAction()) {
        m_report = InvoiceReportRequest{*invoiceID, print};
        accept();
    }
}

// --- Customer Return ---

CustomerReturnDialog::CustomerReturnDialog(CustomerReturnModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_quantity(nullptr)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    AddFormText(this, *form, QStringLiteral("Item Name:"), QStringLiteral("itemNameText"),
                m_model.itemName());
    AddFormText(this, *form, QStringLiteral("Item Number:"), QStringLiteral("itemNumberText"),
                m_model.itemNumber());
    AddFormText(this, *form, QStringLiteral("Item ID:"), QStringLiteral("itemIdText"), m_model.itemIdText());
    AddFormText(this, *form, QStringLiteral("Sale Price:"), QStringLiteral("salePriceText"),
                m_model.salePriceText());
    AddFormText(this, *form, QStringLiteral("Sale Quantity:"), QStringLiteral("saleQuantityText"),
                m_model.saleQuantityText());
    m_quantity = AddFormEdit(this, *form, QStringLiteral("Quantity Returned:"),
                             QStringLiteral("quantityEdit"), m_model.quantityText());
    AddHelpLine(this, *layout, m_model.helpLine());
    AddOkCancel(*this, *layout, [this] { save(); })->setObjectName(QStringLiteral("okButton"));
    m_quantity->setFocus();
}

void CustomerReturnDialog::save()
{
    m_model.setQuantityText(m_quantity->text());
    const CustomerReturnModel::Result result = m_model.save();
    AcceptOrFocusRefused(*this, result.saved,
                         result.focus == CustomerReturnModel::Field::Quantity ? m_quantity : nullptr);
}

// --- Select Invoice ---

SelectInvoiceDialog::SelectInvoiceDialog(SelectInvoiceModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_picker(nullptr)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine());
    m_picker = AddInvoicePicker(this, *layout);
    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    connect(m_picker, &RecordPicker::selectionChanged, this,
            [this](qint32 id) { m_model.selectInvoice(id); });
    AddOkCancel(*this, *layout, [this] { save(); })->setObjectName(QStringLiteral("okButton"));
    m_picker->setFocus();
}

void SelectInvoiceDialog::save()
{
    m_model.selectInvoice(m_picker->currentId());
    const SelectInvoiceModel::Result result = m_model.save();
    AcceptOrFocusRefused(*this, result.saved, m_picker);
}
