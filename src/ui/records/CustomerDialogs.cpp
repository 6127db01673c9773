#include "ui/records/CustomerDialogs.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/RecordPickerModel.h"
#include "ui/records/FormFields.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using CustomerText = FormText<AddCustomerModel>;

using M = AddCustomerModel;
const CustomerText kCustomerTexts[] = {
    {u"Last Name:", u"lastNameEdit", &M::lastName, &M::setLastName},
    {u"First Name:", u"firstNameEdit", &M::firstName, &M::setFirstName},
    {u"Street:", u"streetEdit", &M::street, &M::setStreet},
    {u"City:", u"cityEdit", &M::city, &M::setCity},
    {u"State:", u"stateEdit", &M::state, &M::setState},
    {u"ZIP:", u"zipEdit", &M::zip, &M::setZip},
    {u"Phone:", u"phoneEdit", &M::phone, &M::setPhone},
    {u"Company:", u"companyEdit", &M::company, &M::setCompany},
    {u"E-Mail:", u"emailEdit", &M::email, &M::setEmail},
    {u"Notes:", u"notesEdit", &M::notes, &M::setNotes},
};

QPushButton* NamedButton(QWidget* owner, const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text, owner);
    button->setObjectName(objectName);
    return button;
}

} // namespace

// --- Add Customer ---

AddCustomerDialog::AddCustomerDialog(AddCustomerModel& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_model.helpLine(), this));
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (const CustomerText& text : kCustomerTexts)
        m_edits.append(AddFormEdit(this, *form, QString::fromUtf16(text.label),
                                   QString::fromUtf16(text.objectName), (m_model.*text.get)()));
    AddOkCancel(*this, *layout, [this] { save(); })->setObjectName(QStringLiteral("okButton"));
    m_edits.constFirst()->setFocus();
}

void AddCustomerDialog::save()
{
    TakeFormTexts<AddCustomerModel>(m_model, kCustomerTexts, m_edits);
    // Nothing is validated; a refusal means the customer vanished meanwhile.
    if (m_model.save().saved)
        accept();
}

// --- Search for Customer ---

SearchForCustomerDialog::SearchForCustomerDialog(SearchForCustomerModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_byId(new QRadioButton(QStringLiteral("ID"), this)),
      m_byTelephone(new QRadioButton(QStringLiteral("Telephone"), this)), m_text(new QLineEdit(this)),
      m_results(new QListWidget(this))
{
    setWindowTitle(m_model.caption());
    m_byId->setObjectName(QStringLiteral("idButton"));
    m_byTelephone->setObjectName(QStringLiteral("telephoneButton"));
    m_text->setObjectName(QStringLiteral("searchEdit"));
    m_results->setObjectName(QStringLiteral("resultList"));
    auto* by = new QButtonGroup(this);
    by->addButton(m_byId);
    by->addButton(m_byTelephone);
    (m_model.searchBy() == SearchForCustomerModel::SearchBy::ID ? m_byId : m_byTelephone)->setChecked(true);
    m_text->setText(m_model.searchText());

    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(m_model.helpLine(), this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_byId);
    searchRow->addWidget(m_byTelephone);
    searchRow->addWidget(m_text, 1);
    QPushButton* goButton = NamedButton(this, QStringLiteral("Go"), QStringLiteral("goButton"));
    searchRow->addWidget(goButton);
    layout->addLayout(searchRow);
    layout->addWidget(m_results);
    QPushButton* ok = AddOkCancel(*this, *layout, [this] { choose(); });
    ok->setObjectName(QStringLiteral("okButton"));
    // Return in the search text searches; in the results it chooses.
    ok->setDefault(false);
    goButton->setDefault(true);
    connect(goButton, &QPushButton::clicked, this, &SearchForCustomerDialog::go);
    connect(m_results, &QListWidget::currentRowChanged, this,
            [this](int row) { m_model.setSelectedIndex(row); });
    connect(m_results, &QListWidget::itemActivated, this, &SearchForCustomerDialog::choose);
    ChainTabOrder({m_byId, m_byTelephone, m_text, goButton, m_results, ok});
    m_text->setFocus();
}

void SearchForCustomerDialog::go()
{
    m_model.setSearchBy(m_byId->isChecked() ? SearchForCustomerModel::SearchBy::ID
                                            : SearchForCustomerModel::SearchBy::Telephone);
    m_model.setSearchText(m_text->text());
    m_model.go();
    const int selected = m_model.selectedIndex();
    m_results->clear();
    for (const SearchForCustomerModel::Match& match : m_model.results()) {
        auto* item = new QListWidgetItem(match.text, m_results);
        item->setData(RecordPickerModel::IdRole, match.customerId);
    }
    m_model.setSelectedIndex(selected);
    m_results->setCurrentRow(selected);
    if (selected >= 0)
        m_results->setFocus();
}

void SearchForCustomerDialog::choose()
{
    if (m_model.save().saved)
        accept();
    else
        m_results->setFocus();
}

// --- Customer Selection ---

CustomerSelectionDialog::CustomerSelectionDialog(CustomerSelectionModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_entries(new RecordPickerModel(this)), m_list(new QListView(this))
{
    setWindowTitle(m_model.caption());
    m_list->setObjectName(QStringLiteral("customerList"));
    m_list->setModel(m_entries);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto* existing = new QVBoxLayout;
    auto* listLabel = new QLabel(QStringLiteral("Existing Customers"), this);
    listLabel->setBuddy(m_list);
    existing->addWidget(listLabel);
    existing->addWidget(m_list);
    columns->addLayout(existing, 1);

    auto* actions = new QVBoxLayout;
    QPushButton* addNewButton =
        NamedButton(this, QStringLiteral("<< &Add New"), QStringLiteral("addNewButton"));
    QPushButton* modifyButton =
        NamedButton(this, QStringLiteral("<< &Modify"), QStringLiteral("modifyButton"));
    auto* searchButton = new QToolButton(this);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchButton->setIcon(QIcon::fromTheme(QStringLiteral("edit-find")));
    if (searchButton->icon().isNull())
        searchButton->setText(QStringLiteral("Search..."));
    searchButton->setToolTip(QStringLiteral("Search for Customer"));
    searchButton->setAccessibleName(QStringLiteral("Search for Customer"));
    actions->addWidget(addNewButton);
    actions->addWidget(modifyButton);
    actions->addWidget(searchButton);
    actions->addStretch();
    columns->addLayout(actions);

    auto* selected = new QGroupBox(QStringLiteral("Selected Customer"), this);
    auto* form = new QFormLayout(selected);
    const auto text = [this, selected, form](const QString& label, const QString& objectName) {
        AddFormText(selected, *form, label, objectName, QString());
        m_particulars.append(selected->findChild<QLabel*>(objectName));
    };
    text(QStringLiteral("Company:"), QStringLiteral("companyText"));
    text(QStringLiteral("Last Name:"), QStringLiteral("lastNameText"));
    text(QStringLiteral("First Name:"), QStringLiteral("firstNameText"));
    text(QStringLiteral("Address:"), QStringLiteral("addressText"));
    text(QStringLiteral("Phone:"), QStringLiteral("phoneText"));
    text(QStringLiteral("Notes:"), QStringLiteral("notesText"));
    columns->addWidget(selected, 1);

    AddOkCancel(*this, *layout, [this] { choose(); })->setObjectName(QStringLiteral("okButton"));
    connect(addNewButton, &QPushButton::clicked, this, &CustomerSelectionDialog::addNew);
    connect(modifyButton, &QPushButton::clicked, this, &CustomerSelectionDialog::modify);
    connect(searchButton, &QToolButton::clicked, this, &CustomerSelectionDialog::search);
    connect(m_list, &QListView::activated, this, &CustomerSelectionDialog::choose);

    showEntries();
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_model.setSelectedIndex(current.row());
                showSelected();
            });
    m_list->setFocus();
}

void CustomerSelectionDialog::showEntries()
{
    const int selected = m_model.selectedIndex();
    m_entries->setEntries(m_model.entries());
    if (selected >= 0) {
        const QModelIndex index = m_entries->index(selected);
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(index);
    }
    showSelected();
}

void CustomerSelectionDialog::showSelected()
{
    const QString address =
        m_model.addressLine1() + u'\n' + m_model.addressLine2() + u'\n' + m_model.addressLine3();
    const QString texts[] = {m_model.company(), m_model.lastName(), m_model.firstName(),
                             address,           m_model.phone(),    m_model.notes()};
    for (int i = 0; i < m_particulars.size(); ++i)
        m_particulars.at(i)->setText(texts[i]);
}

void CustomerSelectionDialog::addNew()
{
    std::unique_ptr<AddCustomerModel> added = m_model.addNew();
    bool accepted = false;
    if (added->checkPrerequisites()) {
        AddCustomerDialog dialog(*added, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (m_model.finishAddNew(*added, accepted))
        accept();
}

void CustomerSelectionDialog::modify()
{
    std::unique_ptr<AddCustomerModel> changed = m_model.modify();
    if (!changed)
        return;
    bool accepted = false;
    if (changed->checkPrerequisites()) {
        AddCustomerDialog dialog(*changed, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    m_model.finishModify(*changed, accepted);
    if (accepted)
        showEntries();
    m_list->setFocus();
}

void CustomerSelectionDialog::search()
{
    std::unique_ptr<SearchForCustomerModel> search = m_model.search();
    bool accepted = false;
    if (search->checkPrerequisites()) {
        SearchForCustomerDialog dialog(*search, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (m_model.finishSearch(*search, accepted))
        accept();
}

void CustomerSelectionDialog::choose()
{
    if (m_model.save().saved)
        accept();
    else
        m_list->setFocus();
}
