#include "ui/sales/PaymentDialogs.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/MoneyEdit.h"
#include "ui/common/RecordPicker.h"
#include "ui/records/FormFields.h"
#include "ui/sales/InvoiceCommands.h"
#include "ui/sales/InvoiceWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

// --- Manage Payments ---

ManagePaymentsDialog::ManagePaymentsDialog(ManagePaymentsModel& model, ProjectTables& tables,
                                           const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services), m_picker(nullptr),
      m_payments(new QTreeWidget(this))
{
    const auto [columns, invoice, picker] = OpenInvoiceFrame(*this, m_model.caption());
    m_picker = picker;

    m_texts = AddInvoiceFigures(this, *invoice,
                                {{QStringLiteral("Customer:"), QStringLiteral("customerText")},
                                 {QStringLiteral("Date:"), QStringLiteral("dateText")}},
                                {{QStringLiteral("Amount Due:"), QStringLiteral("amountDueText")},
                                 {QStringLiteral("Amount Paid"), QStringLiteral("amountPaidText")},
                                 {QStringLiteral("Balance:"), QStringLiteral("balanceText")}});

    m_payments->setObjectName(QStringLiteral("paymentList"));
    const auto captions = ManagePaymentsModel::columnCaptions();
    std::array<int, ManagePaymentsModel::kColumnCount> widths;
    widths.fill(ManagePaymentsModel::kColumnWidth);
    SetUpRowList(*m_payments, QStringList(captions.begin(), captions.end()), widths,
                 &ManagePaymentsModel::columnRightAligned);
    m_payments->header()->setSectionResizeMode(QHeaderView::Fixed);
    invoice->addWidget(m_payments, 1);

    auto* buttons = new QVBoxLayout;
    columns->addLayout(buttons);
    QPushButton* add = NewButton(this, QStringLiteral("Add"), QStringLiteral("addButton"));
    QPushButton* edit = NewButton(this, QStringLiteral("Edit"), QStringLiteral("editButton"));
    QPushButton* remove = NewButton(this, QStringLiteral("Del"), QStringLiteral("deleteButton"));
    QPushButton* done = NewButton(this, QStringLiteral("Done"), QStringLiteral("doneButton"));
    for (QPushButton* button : {add, edit, remove})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(done);

    connect(m_picker, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.selectInvoice(id);
        showInvoice();
    });
    connect(m_payments, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        m_model.selectRow(current ? current->data(0, Qt::UserRole).toInt() : NoSelection);
    });
    connect(m_payments, &QTreeWidget::itemActivated, this, [this] { openPayment(m_model.editPayment()); });
    connect(add, &QPushButton::clicked, this, [this] { openPayment(m_model.addPayment()); });
    connect(edit, &QPushButton::clicked, this, [this] { openPayment(m_model.editPayment()); });
    connect(remove, &QPushButton::clicked, this, &ManagePaymentsDialog::deletePayment);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);

    ChainTabOrder({m_picker, m_texts.at(0), m_texts.at(1), m_texts.at(2), m_texts.at(3), m_texts.at(4),
                   m_payments, add, edit, remove, done});

    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    showInvoice();
    m_picker->setFocus();
}

void ManagePaymentsDialog::showInvoice()
{
    const QString texts[] = {m_model.customerText(), m_model.dateText(), m_model.amountDueText(),
                             m_model.amountPaidText(), m_model.balanceText()};
    for (int i = 0; i < m_texts.size(); ++i)
        m_texts.at(i)->setText(texts[i]);

    const QSignalBlocker quiet(m_payments);
    m_payments->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const ManagePaymentsModel::Row& row : m_model.rows()) {
        auto* item = new QTreeWidgetItem(m_payments, {row.dateText, row.paidText, row.balanceText});
        item->setData(0, Qt::UserRole, row.paymentID);
        for (int column = 0; column < ManagePaymentsModel::kColumnCount; ++column) {
            if (ManagePaymentsModel::columnRightAligned(column))
                item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (row.paymentID == m_model.selectedPaymentID())
            selected = item;
    }
    m_payments->setCurrentItem(selected);
}

void ManagePaymentsDialog::openPayment(const ManagePaymentsAction& action)
{
    if (action.kind == ManagePaymentsAction::Kind::None)
        return;
    const ChangeList changes = RunRecordCustomerPayment(
        this, m_tables, m_services, action.invoiceID,
        action.kind == ManagePaymentsAction::Kind::ModifyPayment ? action.paymentID : NoSelection);
    if (changes.isEmpty())
        return;
    m_model.childClosed(changes);
    m_picker->setEntries(m_model.invoiceEntries(), m_model.invoiceID());
    showInvoice();
}

void ManagePaymentsDialog::deletePayment()
{
    if (m_model.deletePayment())
        showInvoice();
}

// --- Record Customer Payment ---

RecordCustomerPaymentDialog::RecordCustomerPaymentDialog(RecordCustomerPaymentModel& model,
                                                         const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_date(new DateEdit(services.clock, this)),
      m_amount(new MoneyEdit(this))
{
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    AddFormText(this, *form, QStringLiteral("Customer:"), QStringLiteral("customerText"),
                m_model.customerText());
    AddFormText(this, *form, QStringLiteral("Invoice"), QStringLiteral("invoiceText"), m_model.invoiceText());
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setText(m_model.dateText());
    form->addRow(QStringLiteral("Date:"), m_date);
    m_amount->setObjectName(QStringLiteral("amountEdit"));
    m_amount->setText(m_model.amountText());
    form->addRow(QStringLiteral("Amount:"), m_amount);
    QPushButton* ok = AddOkCancel(*this, *layout, [this] { save(); });
    ok->setObjectName(QStringLiteral("okButton"));
    ChainTabOrder({m_date, m_amount, ok});
    m_date->setFocus();
}

void RecordCustomerPaymentDialog::save()
{
    m_model.setDateText(m_date->text());
    m_model.setAmountText(m_amount->text());
    const RecordCustomerPaymentModel::Result result = m_model.save();
    using Field = RecordCustomerPaymentModel::Field;
    AcceptOrFocusRefused(*this, result.saved,
                         result.focus == Field::Date     ? static_cast<QWidget*>(m_date)
                         : result.focus == Field::Amount ? static_cast<QWidget*>(m_amount)
                                                         : nullptr);
}
