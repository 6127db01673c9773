#include "ui/records/AddVendorDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/records/FormFields.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One text of the vendor: where the window shows it and how it meets the model.
using VendorText = FormText<AddVendorModel>;

using M = AddVendorModel;
constexpr int kNameAndNumber = 2;
constexpr int kLocationFields = 7;
const VendorText kTexts[] = {
    {u"&Name:", u"nameEdit", &M::name, &M::setName},
    {u"N&umber:", u"numberEdit", &M::number, &M::setNumber},
    {u"&Contact:", u"contactEdit", &M::contact, &M::setContact},
    {u"&Street:", u"streetEdit", &M::street, &M::setStreet},
    {u"C&ity:", u"cityEdit", &M::city, &M::setCity},
    {u"S&tate:", u"stateEdit", &M::state, &M::setState},
    {u"&Zip:", u"zipEdit", &M::zip, &M::setZip},
    {u"&Phone:", u"phoneEdit", &M::phone, &M::setPhone},
    {u"&Fax:", u"faxEdit", &M::fax, &M::setFax},
    {u"Contact:", u"contact2Edit", &M::contact2, &M::setContact2},
    {u"Street:", u"street2Edit", &M::street2, &M::setStreet2},
    {u"City:", u"city2Edit", &M::city2, &M::setCity2},
    {u"State:", u"state2Edit", &M::state2, &M::setState2},
    {u"Zip:", u"zip2Edit", &M::zip2, &M::setZip2},
    {u"Phone:", u"phone2Edit", &M::phone2, &M::setPhone2},
    {u"Fax:", u"fax2Edit", &M::fax2, &M::setFax2},
};

} // namespace

AddVendorDialog::AddVendorDialog(AddVendorModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* general = new QFormLayout;
    layout->addLayout(general);
    auto* locations = new QHBoxLayout;
    layout->addLayout(locations);
    auto* primary = new QGroupBox(QStringLiteral("Primary"), this);
    auto* secondary = new QGroupBox(QStringLiteral("Secondary"), this);
    locations->addWidget(primary);
    locations->addWidget(secondary);
    auto* primaryForm = new QFormLayout(primary);
    auto* secondaryForm = new QFormLayout(secondary);

    int index = 0;
    for (const VendorText& text : kTexts) {
        QWidget* owner = index < kNameAndNumber                     ? static_cast<QWidget*>(this)
                         : index < kNameAndNumber + kLocationFields ? primary
                                                                    : secondary;
        QFormLayout& form = index < kNameAndNumber                     ? *general
                            : index < kNameAndNumber + kLocationFields ? *primaryForm
                                                                       : *secondaryForm;
        m_edits.append(AddFormEdit(owner, form, QString::fromUtf16(text.label),
                                   QString::fromUtf16(text.objectName), QString()));
        ++index;
    }
    for (int i = 1; i < m_edits.size(); ++i)
        QWidget::setTabOrder(m_edits.at(i - 1), m_edits.at(i));

    m_next = new QPushButton(QStringLiteral("Next >>"), this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    connect(m_next, &QPushButton::clicked, this, [this] {
        takeEdits();
        finish(m_model.saveAndNext(), false);
    });
    m_ok = AddOkCancel(*this, *layout, [this] {
        takeEdits();
        finish(m_model.save(), true);
    });
    m_ok->setObjectName(QStringLiteral("okButton"));
    InsertBeforeOk(*layout, m_next);
    showModel();
    nameEdit()->setFocus();
}

void AddVendorDialog::showModel()
{
    ShowFormTexts<AddVendorModel>(m_model, kTexts, m_edits);
}

void AddVendorDialog::takeEdits()
{
    TakeFormTexts<AddVendorModel>(m_model, kTexts, m_edits);
}

void AddVendorDialog::finish(AddVendorModel::Result result, bool close)
{
    if (result.saved && close) {
        accept();
        return;
    }
    if (result.saved)
        showModel();
    // The name is the only field a save can refuse, and the next vendor starts there.
    FocusRefused(result.focus == AddVendorModel::Field::Name ? nameEdit() : nullptr);
}
