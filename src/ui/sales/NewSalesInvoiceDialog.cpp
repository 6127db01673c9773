#include "ui/sales/NewSalesInvoiceDialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/records/FormFields.h"
#include "ui/records/RecordCommands.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using Field = NewSalesInvoiceModel::Field;

NewSalesInvoiceDialog::NewSalesInvoiceDialog(NewSalesInvoiceModel& model, ProjectTables& tables,
                                             Prompter& prompter, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_prompter(prompter)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_number = new WholeNumberEdit(this);
    m_number->setObjectName(QStringLiteral("numberEdit"));
    m_number->setText(m_model.numberText());
    m_number->setEnabled(m_model.numberEnabled());
    form->addRow(QStringLiteral("Invoice #"), m_number);
    m_date = new DateEdit(clock, this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setText(m_model.dateText());
    form->addRow(QStringLiteral("Invoice Date"), m_date);

    m_customer = new QLabel(this);
    m_customer->setObjectName(QStringLiteral("customerText"));
    m_customer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Customer:"), m_customer);
    m_customerId = new QLabel(this);
    m_customerId->setObjectName(QStringLiteral("customerIdText"));
    m_customerId->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Customer ID:"), m_customerId);
    m_customerButton = new QPushButton(QStringLiteral("&Customer Information"), this);
    m_customerButton->setObjectName(QStringLiteral("customerButton"));
    m_customerButton->setAutoDefault(false);
    form->addRow(QString(), m_customerButton);

    m_notes = new QLineEdit(m_model.notes(), this);
    m_notes->setObjectName(QStringLiteral("notesEdit"));
    form->addRow(QStringLiteral("Note:"), m_notes);

    auto* payment = new QGroupBox(QStringLiteral("Method of Payment"), this);
    auto* paymentLayout = new QVBoxLayout(payment);
    auto* group = new QButtonGroup(this);
    const std::array<const char16_t*, 4> methods = {u"Cash", u"Check", u"Charge Card", u"Account"};
    const std::array<const char16_t*, 4> names = {u"cashRadio", u"checkRadio", u"chargeCardRadio",
                                                  u"accountRadio"};
    for (int code = 0; code < 4; ++code) {
        auto* radio = new QRadioButton(QString::fromUtf16(methods[size_t(code)]), payment);
        radio->setObjectName(QString::fromUtf16(names[size_t(code)]));
        group->addButton(radio, code);
        paymentLayout->addWidget(radio);
        m_payMethods[size_t(code)] = radio;
    }
    m_payMethods[size_t(m_model.payMethod())]->setChecked(true);
    layout->addWidget(payment);

    AddOkCancel(*this, *layout, [this] {
        takeForm();
        const NewSalesInvoiceModel::Result result = m_model.save();
        AcceptOrFocusRefused(*this, result.saved, fieldWidget(result.focus));
    })->setObjectName(QStringLiteral("okButton"));

    ChainTabOrder({m_number, m_date, m_customerButton, m_notes, m_payMethods[0], m_payMethods[1],
                   m_payMethods[2], m_payMethods[3]});
    connect(m_customerButton, &QPushButton::clicked, this, &NewSalesInvoiceDialog::chooseCustomer);
    showCustomer();
    if (m_model.numberEnabled())
        m_number->setFocus();
    else
        m_date->setFocus();
}

QWidget* NewSalesInvoiceDialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Date:
        return m_date;
    case Field::Number:
        return m_number;
    case Field::Notes:
        return m_notes;
    }
    return nullptr;
}

void NewSalesInvoiceDialog::chooseCustomer()
{
    const qint32 chosen =
        RunCustomerSelection(this, m_tables, m_prompter, m_model.customerID(), &m_customerChanges);
    // Cancel keeps the customer the invoice had, shown as it may have been
    // modified on the way.
    m_model.setCustomer(chosen != NoSelection ? chosen : m_model.customerID());
    showCustomer();
}

void NewSalesInvoiceDialog::showCustomer()
{
    m_customer->setText(m_model.customerText());
    m_customerId->setText(m_model.customerIdText());
}

void NewSalesInvoiceDialog::takeForm()
{
    m_model.setNumberText(m_number->text());
    m_model.setDateText(m_date->text());
    m_model.setNotes(m_notes->text());
    for (int code = 0; code < 4; ++code) {
        if (m_payMethods[size_t(code)]->isChecked())
            m_model.setPayMethod(code);
    }
}
