#include "ui/records/RecordDetailsDialogs.h"

#include "ui/common/DialogButtons.h"
#include "core/records/CustomerDetailsModel.h"
#include "ui/records/FormFields.h"
#include "core/records/ItemDetailsModel.h"
#include "core/records/VendorDetailsModel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A location of the vendor: its group of seven texts.
void AddLocation(QWidget* dialog, QBoxLayout& row, const QString& title, const QStringList& texts)
{
    static const char16_t* const labels[] = {u"Contact:", u"Street:", u"City:", u"State:",
                                             u"Zip:",     u"Phone:",  u"Fax:"};
    auto* group = new QGroupBox(title, dialog);
    auto* form = new QFormLayout(group);
    for (int i = 0; i < texts.size(); ++i)
        AddFormText(group, *form, QString::fromUtf16(labels[i]), QString(), texts.at(i));
    row.addWidget(group);
}

// The one button that closes a details window.
void AddCloseButton(QDialog& dialog, QBoxLayout& layout, const QString& text)
{
    QPushButton* button = AddOkCancel(
        dialog, layout, [&dialog] { dialog.accept(); }, false);
    button->setText(text);
    button->setFocus();
}

} // namespace

VendorDetailsDialog::VendorDetailsDialog(const VendorDetailsModel& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(model.caption());
    const CVendorsRec& vendor = model.vendor();
    auto* layout = new QVBoxLayout(this);
    auto* general = new QFormLayout;
    layout->addLayout(general);
    AddFormText(this, *general, QStringLiteral("ID:"), QStringLiteral("idText"), model.idText());
    AddFormText(this, *general, QStringLiteral("Name:"), QStringLiteral("nameText"), vendor.Name);
    AddFormText(this, *general, QStringLiteral("Number:"), QStringLiteral("numberText"), vendor.Number);
    auto* locations = new QHBoxLayout;
    layout->addLayout(locations);
    AddLocation(
        this, *locations, QStringLiteral("Primary Location"),
        {vendor.Contact, vendor.Street, vendor.City, vendor.State, vendor.Zip, vendor.Phone, vendor.Fax});
    AddLocation(this, *locations, QStringLiteral("Secondary Location"),
                {vendor.Contact2, vendor.Street2, vendor.City2, vendor.State2, vendor.Zip2, vendor.Phone2,
                 vendor.Fax2});
    AddCloseButton(*this, *layout, QStringLiteral("OK"));
}

ItemDetailsDialog::ItemDetailsDialog(const ItemDetailsModel& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const auto row = [this, form](const char16_t* label, const char16_t* name, const QString& text) {
        AddFormText(this, *form, QString::fromUtf16(label), QString::fromUtf16(name), text);
    };
    row(u"ID:", u"idText", model.idText());
    row(u"Name:", u"nameText", model.name());
    row(u"Number:", u"numberText", model.number());
    row(u"Description:", u"descriptionText", model.description());
    row(u"Primary Vendor:", u"primaryVendorText", model.primaryVendorText());
    row(u"Secondary Vendor:", u"secondaryVendorText", model.secondaryVendorText());
    row(u"Cost:", u"costText", model.costText());
    row(u"Selling Price:", u"priceText", model.sellingPriceText());
    row(u"Taxable:", u"taxableText", model.taxableText());
    row(u"Sales Tax Rate:", u"taxRateText", model.taxRateText());
    row(u"Reorder Quantity:", u"reorderQuantityText", model.reorderQuantityText());
    row(u"Reorder Level:", u"reorderLevelText", model.reorderLevelText());
    row(u"Quantity In Stock:", u"stockedText", model.stockedText());
    row(u"Quantity Ordered:", u"orderedText", model.orderedText());
    AddCloseButton(*this, *layout, QStringLiteral("OK"));
}

CustomerDetailsDialog::CustomerDetailsDialog(const CustomerDetailsModel& model, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("General Information"), this);
    layout->addWidget(group);
    auto* form = new QFormLayout(group);
    AddFormText(group, *form, QStringLiteral("Company:"), QStringLiteral("companyText"), model.company());
    AddFormText(group, *form, QStringLiteral("Name:"), QStringLiteral("nameText"), model.name());
    AddFormText(group, *form, QStringLiteral("Address:"), QStringLiteral("addressText"),
                model.addressLine1() + u'\n' + model.addressLine2());
    AddFormText(group, *form, QStringLiteral("Phone:"), QStringLiteral("phoneText"), model.phone());
    AddFormText(group, *form, QStringLiteral("Notes:"), QStringLiteral("notesText"), model.notes());
    AddFormText(group, *form, QStringLiteral("E-Mail"), QStringLiteral("emailText"), model.email());
    AddCloseButton(*this, *layout, QStringLiteral("Done"));
}
