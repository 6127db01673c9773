#include "ui/purchasing/NewPODialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordButton.h"
#include "ui/records/FormFields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Field = NewPOModel::Field;

NewPODialog::NewPODialog(NewPOModel& model, ProjectTables& tables, const DesktopServices& services,
                         QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const auto [layout, form] = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());

    m_number = AddFormEdit(this, *form, QStringLiteral("&PO #:"), QStringLiteral("numberEdit"),
                           m_model.numberText());
    m_number->setEnabled(m_model.numberEnabled());

    // The vendor picker, the vendor's ID and Find Vendor share one row.
    auto* vendorRow = new QHBoxLayout;
    m_vendor = new RecordPicker(RecordPicker::Kind::Vendor, this);
    m_vendor->setObjectName(QStringLiteral("vendorBox"));
    m_vendorId = new QLabel(this);
    m_vendorId->setObjectName(QStringLiteral("vendorIdText"));
    m_vendorId->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_vendor->setLinkedIdField(m_vendorId);
    m_vendor->setEntries(m_model.vendorEntries(), m_model.vendorID());
    QPushButton* find = AddFindButton(*m_vendor, tables, services.prompter, QStringLiteral("&Find Vendor"));
    find->setObjectName(QStringLiteral("findVendorButton"));
    vendorRow->addWidget(m_vendor, 1);
    vendorRow->addWidget(m_vendorId);
    vendorRow->addWidget(find);
    auto* vendorLabel = new QLabel(QStringLiteral("&Vendor:"), this);
    vendorLabel->setBuddy(m_vendor);
    form->addRow(vendorLabel, vendorRow);
    connect(m_vendor, &RecordPicker::selectionChanged, this, [this](qint32 id) { m_model.selectVendor(id); });

    m_date = new DateEdit(services.clock, this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setText(m_model.dateText());
    form->addRow(QStringLiteral("PO &Date:"), m_date);
    m_required = new DateEdit(services.clock, this);
    m_required->setObjectName(QStringLiteral("requiredDateEdit"));
    m_required->setText(m_model.requiredDateText());
    form->addRow(QStringLiteral("Date &Required:"), m_required);

    m_notes =
        AddFormEdit(this, *form, QStringLiteral("PO &Note:"), QStringLiteral("notesEdit"), m_model.notes());
    m_notes->setMaxLength(NewPOModel::kMaxNotes);

    auto* taxRow = new QHBoxLayout;
    m_taxRate = new QLineEdit(m_model.taxRateText(), this);
    m_taxRate->setObjectName(QStringLiteral("taxRateEdit"));
    taxRow->addWidget(m_taxRate);
    taxRow->addWidget(new QLabel(QStringLiteral("%"), this));
    taxRow->addStretch();
    auto* taxLabel = new QLabel(QStringLiteral("PO &Tax Rate:"), this);
    taxLabel->setBuddy(m_taxRate);
    form->addRow(taxLabel, taxRow);

    QPushButton* ok = AddOkCancel(*this, *layout, [this] {
        takeForm();
        finish(m_model.save());
    });
    ok->setObjectName(QStringLiteral("okButton"));
    ChainTabOrder({m_number, m_vendor, find, m_date, m_required, m_notes, m_taxRate, ok});
    (m_model.numberEnabled() ? static_cast<QWidget*>(m_number) : m_vendor)->setFocus();
}

QWidget* NewPODialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Number:
        return m_number;
    case Field::Vendor:
        return m_vendor;
    case Field::Date:
        return m_date;
    case Field::RequiredDate:
        return m_required;
    case Field::Notes:
        return m_notes;
    case Field::TaxRate:
        return m_taxRate;
    }
    return nullptr;
}

void NewPODialog::takeForm()
{
    m_model.setNumberText(m_number->text());
    m_model.selectVendor(m_vendor->currentId());
    m_model.setDateText(m_date->text());
    m_model.setRequiredDateText(m_required->text());
    m_model.setNotes(m_notes->text());
    m_model.setTaxRateText(m_taxRate->text());
}

void NewPODialog::finish(NewPOModel::Result result)
{
    AcceptOrFocusRefused(*this, result.saved, fieldWidget(result.focus));
}
