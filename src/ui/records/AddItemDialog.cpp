#include "ui/records/AddItemDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/MoneyEdit.h"
#include "ui/common/RecordPicker.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/records/FormFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Field = AddItemModel::Field;

AddItemDialog::AddItemDialog(AddItemModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(m_model.helpLine(), this);
    help->setWordWrap(true);
    layout->addWidget(help);

    auto* vendorGroup = new QGroupBox(QStringLiteral("Vendors"), this);
    auto* vendorForm = new QFormLayout(vendorGroup);
    m_primary = new RecordPicker(RecordPicker::Kind::Vendor, vendorGroup);
    m_primary->setObjectName(QStringLiteral("primaryVendorBox"));
    m_secondary = new RecordPicker(RecordPicker::Kind::Vendor, vendorGroup);
    m_primary->setEntries(m_model.vendorEntries(), m_model.primaryVendor());
    m_secondary->setEntries(*m_primary, m_model.secondaryVendor());
    m_secondary->setObjectName(QStringLiteral("secondaryVendorBox"));
    vendorForm->addRow(QStringLiteral("&Primary Vendor:"), m_primary);
    vendorForm->addRow(QStringLiteral("Sec&ondary Vendor:"), m_secondary);
    layout->addWidget(vendorGroup);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = addEdit<QLineEdit>(*form, QStringLiteral("Item N&ame:"), QStringLiteral("nameEdit"));
    m_number = addEdit<QLineEdit>(*form, QStringLiteral("Item N&umber:"), QStringLiteral("numberEdit"));
    m_description =
        addEdit<QLineEdit>(*form, QStringLiteral("&Description:"), QStringLiteral("descriptionEdit"));
    m_cost = addEdit<MoneyEdit>(*form, QStringLiteral("Item &Cost:"), QStringLiteral("costEdit"));
    m_price = addEdit<MoneyEdit>(*form, QStringLiteral("Item &Selling Price:"), QStringLiteral("priceEdit"));
    m_markup = addEdit<QLineEdit>(*form, QStringLiteral("&Markup %:"), QStringLiteral("markupEdit"));
    m_taxable = new QCheckBox(QStringLiteral("&Taxable"), this);
    m_taxable->setObjectName(QStringLiteral("taxableBox"));
    form->addRow(QString(), m_taxable);
    m_taxRate = addEdit<QLineEdit>(*form, QStringLiteral("Sales Ta&x %:"), QStringLiteral("taxRateEdit"));
    m_reorderLevel = addEdit<WholeNumberEdit>(*form, QStringLiteral("&Reorder Level:"),
                                              QStringLiteral("reorderLevelEdit"));
    m_reorderQuantity = addEdit<WholeNumberEdit>(*form, QStringLiteral("Reorder &Quantity:"),
                                                 QStringLiteral("reorderQuantityEdit"));
    m_initialQuantity = addEdit<WholeNumberEdit>(*form, QStringLiteral("Quantity &Initially Stocked:"),
                                                 QStringLiteral("initialQuantityEdit"));
    m_initialQuantity->setEnabled(m_model.initialQuantityEnabled());
    ChainTabOrder({m_primary, m_secondary, m_name, m_number, m_description, m_cost, m_price, m_markup,
                   m_taxable, m_taxRate, m_reorderLevel, m_reorderQuantity, m_initialQuantity});

    m_next = new QPushButton(QStringLiteral("&Next >>"), this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_next->setEnabled(m_model.nextEnabled());
    connect(m_next, &QPushButton::clicked, this, [this] {
        takeForm();
        finish(m_model.saveAndNext(), false);
    });
    AddOkCancel(*this, *layout, [this] {
        takeForm();
        finish(m_model.save(), true);
    })->setObjectName(QStringLiteral("okButton"));
    InsertBeforeOk(*layout, m_next);

    showModel();

    // Choosing the primary vendor chooses the same secondary one, which the user
    // may change afterwards.
    connect(m_primary, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.setPrimaryVendor(id);
        m_secondary->selectId(m_model.secondaryVendor());
    });
    connect(m_secondary, &RecordPicker::selectionChanged, this,
            [this](qint32 id) { m_model.setSecondaryVendor(id); });
    connect(m_cost, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_showingComputed)
            return;
        m_model.setCostText(text);
        showComputed(m_markup, m_model.markupText());
    });
    connect(m_price, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_showingComputed)
            return;
        m_model.setPriceText(text);
        showComputed(m_markup, m_model.markupText());
    });
    connect(m_markup, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_showingComputed)
            return;
        m_model.setMarkupText(text);
        showComputed(m_price, m_model.priceText());
    });
    connect(m_taxable, &QCheckBox::toggled, m_taxRate, &QWidget::setEnabled);
    m_name->setFocus();
}

template <typename Edit>
Edit* AddItemDialog::addEdit(QFormLayout& form, const QString& label, const QString& objectName)
{
    auto* edit = new Edit(this);
    edit->setObjectName(objectName);
    form.addRow(label, edit);
    return edit;
}

QWidget* AddItemDialog::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Name:
        return m_name;
    case Field::Cost:
        return m_cost;
    case Field::Price:
        return m_price;
    case Field::ReorderLevel:
        return m_reorderLevel;
    case Field::ReorderQuantity:
        return m_reorderQuantity;
    case Field::InitialQuantity:
        return m_initialQuantity;
    }
    return nullptr;
}

void AddItemDialog::showModel()
{
    m_showingComputed = true;
    m_primary->selectId(m_model.primaryVendor());
    m_secondary->selectId(m_model.secondaryVendor());
    m_name->setText(m_model.name());
    m_number->setText(m_model.number());
    m_description->setText(m_model.description());
    m_cost->setText(m_model.costText());
    m_price->setText(m_model.priceText());
    m_markup->setText(m_model.markupText());
    m_taxable->setChecked(m_model.taxable());
    m_taxRate->setText(m_model.taxRateText());
    m_taxRate->setEnabled(m_model.taxable());
    m_reorderLevel->setText(m_model.reorderLevelText());
    m_reorderQuantity->setText(m_model.reorderQuantityText());
    m_initialQuantity->setText(m_model.initialQuantityText());
    m_showingComputed = false;
}

void AddItemDialog::takeForm()
{
    // The amounts and the markup reach the model as they are typed; the texts
    // without arithmetic are taken here.
    m_model.setName(m_name->text());
    m_model.setNumber(m_number->text());
    m_model.setDescription(m_description->text());
    m_model.setTaxable(m_taxable->isChecked());
    m_model.setTaxRateText(m_taxRate->text());
    m_model.setReorderLevelText(m_reorderLevel->text());
    m_model.setReorderQuantityText(m_reorderQuantity->text());
    m_model.setInitialQuantityText(m_initialQuantity->text());
}

void AddItemDialog::showComputed(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    m_showingComputed = true;
    edit->setText(text);
    m_showingComputed = false;
}

void AddItemDialog::finish(AddItemModel::Result result, bool close)
{
    if (result.saved && close) {
        accept();
        return;
    }
    if (result.saved)
        showModel();
    FocusRefused(fieldWidget(result.focus));
}
