#include "ui/reports/ReportWizard.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// A page of the wizard: where Next leads is the model's to say, and leaving
// forward runs the page's check.
class WizardStep final : public QWizardPage
{
public:
    WizardStep(const ReportWizardModel& model, ReportWizardModel::Page page, std::function<bool()> leave = {})
        : m_model(model), m_page(page), m_leave(std::move(leave))
    {
    }

    int nextId() const override
    {
        const std::optional<ReportWizardModel::Page> next = m_model.nextPage(m_page);
        return next ? static_cast<int>(*next) : -1;
    }

    bool validatePage() override { return !m_leave || m_leave(); }

private:
    const ReportWizardModel& m_model;
    ReportWizardModel::Page m_page;
    std::function<bool()> m_leave;
};

} // namespace

ReportWizard::ReportWizard(ReportWizardModel& model, ProjectTables& tables, const DesktopServices& services,
                           QWidget* parent)
    : QWizard(parent), m_model(model)
{
    setWindowTitle(m_model.caption());
    setObjectName(QStringLiteral("reportWizard"));
    // The first page has Next only; the last has Back and Finish.
    setOption(QWizard::NoBackButtonOnStartPage);
    setPage(static_cast<int>(Page::Type), typePage());
    setPage(static_cast<int>(Page::Vendor), vendorPage(tables, services));
    setPage(static_cast<int>(Page::Date), datePage(services));
    setPage(static_cast<int>(Page::Name), namePage());
    setStartId(static_cast<int>(Page::Type));
}

void ReportWizard::chooseType(int type)
{
    m_model.setType(type);
    QAbstractButton* radio = m_types->button(m_model.type());
    if (radio) {
        radio->setChecked(true);
    } else {
        m_types->setExclusive(false);
        for (QAbstractButton* button : m_types->buttons())
            button->setChecked(false);
        m_types->setExclusive(true);
    }
    m_description->setText(m_model.description());
}

QWizardPage* ReportWizard::typePage()
{
    auto* page = new WizardStep(m_model, Page::Type);
    page->setTitle(QStringLiteral("Report Type"));
    page->setSubTitle(QStringLiteral("Choose the kind of report to create."));
    auto* layout = new QVBoxLayout(page);
    m_types = new QButtonGroup(page);
    static constexpr std::array<const char*, ReportWizardModel::kRadioCount> kNames = {
        "itemListingRadio", "vendorListingRadio", "customerListingRadio", "invoiceListingRadio",
        "reorderReportRadio"};
    for (int type = 0; type < ReportWizardModel::kRadioCount; ++type) {
        auto* radio = new QRadioButton(ReportWizardModel::typeCaption(type), page);
        radio->setObjectName(QString::fromLatin1(kNames[static_cast<size_t>(type)]));
        m_types->addButton(radio, type);
        layout->addWidget(radio);
    }
    layout->addSpacing(fontMetrics().height());
    layout->addWidget(new QLabel(QStringLiteral("Description:"), page));
    m_description = new QLabel(page);
    m_description->setObjectName(QStringLiteral("descriptionText"));
    m_description->setWordWrap(true);
    layout->addWidget(m_description);
    layout->addStretch();
    chooseType(m_model.type());
    connect(m_types, &QButtonGroup::idClicked, this, [this](int type) { chooseType(type); });
    return page;
}

QWizardPage* ReportWizard::vendorPage(ProjectTables& tables, const DesktopServices& services)
{
    auto* page = new WizardStep(m_model, Page::Vendor, [this] { return leaveVendorPage(); });
    page->setTitle(QStringLiteral("Vendor"));
    page->setSubTitle(QStringLiteral("Optionally limit the report to the items of one vendor."));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    auto* pickerLine = new QHBoxLayout;
    m_vendor = new RecordPicker(RecordPicker::Kind::Vendor, page);
    m_vendor->setObjectName(QStringLiteral("vendorPicker"));
    m_vendor->setEntries(m_model.vendorEntries(), m_model.vendorID());
    pickerLine->addWidget(m_vendor, 1);
    QPushButton* find = AddFindButton(*m_vendor, tables, services.prompter, QStringLiteral("&Find Vendor"));
    find->setObjectName(QStringLiteral("findVendorButton"));
    find->setAutoDefault(false);
    pickerLine->addWidget(find);
    auto* vendorLabel = new QLabel(QStringLiteral("&Vendor:"), page);
    vendorLabel->setBuddy(m_vendor);
    form->addRow(vendorLabel, pickerLine);

    auto* id = new QLabel(m_model.vendorIDText(), page);
    id->setObjectName(QStringLiteral("vendorIdText"));
    id->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_vendor->setLinkedIdField(id);
    form->addRow(QStringLiteral("ID:"), id);

    m_applyVendor = new QCheckBox(QStringLiteral("&Apply Vendor Criteria"), page);
    m_applyVendor->setObjectName(QStringLiteral("applyVendorBox"));
    m_applyVendor->setChecked(m_model.applyVendorCriteria());
    layout->addWidget(m_applyVendor);
    layout->addStretch();

    connect(m_vendor, &RecordPicker::selectionChanged, this,
            [this](qint32 vendor) { m_model.setVendorID(vendor); });
    connect(m_applyVendor, &QCheckBox::toggled, this,
            [this](bool on) { m_model.setApplyVendorCriteria(on); });
    return page;
}

QWizardPage* ReportWizard::datePage(const DesktopServices& services)
{
    auto* page = new WizardStep(m_model, Page::Date, [this] { return leaveDatePage(); });
    page->setTitle(QStringLiteral("Dates"));
    page->setSubTitle(QStringLiteral("Optionally limit the report to the sales of a date range."));
    auto* layout = new QVBoxLayout(page);
    m_useDates = new QCheckBox(QStringLiteral("&Use date specification"), page);
    m_useDates->setObjectName(QStringLiteral("useDatesBox"));
    m_useDates->setChecked(m_model.useDates());
    layout->addWidget(m_useDates);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_start = new DateEdit(services.clock, page);
    m_start->setObjectName(QStringLiteral("startEdit"));
    m_start->setText(m_model.startDateText());
    m_thru = new DateEdit(services.clock, page);
    m_thru->setObjectName(QStringLiteral("thruEdit"));
    m_thru->setText(m_model.thruDateText());
    form->addRow(QStringLiteral("&Start Date:"), m_start);
    form->addRow(QStringLiteral("&Thru Date:"), m_thru);
    layout->addStretch();

    // The dates count only while the check box is on.
    const auto enableDates = [this](bool on) {
        m_start->setEnabled(on);
        m_thru->setEnabled(on);
    };
    enableDates(m_useDates->isChecked());
    connect(m_useDates, &QCheckBox::toggled, this, [this, enableDates](bool on) {
        m_model.setUseDates(on);
        enableDates(on);
    });
    connect(m_start, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.setStartDateText(text); });
    connect(m_thru, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.setThruDateText(text); });
    return page;
}

QWizardPage* ReportWizard::namePage()
{
    auto* page = new WizardStep(m_model, Page::Name, [this] { return finish(); });
    page->setTitle(QStringLiteral("Name"));
    page->setSubTitle(QStringLiteral("The report's name, which is also its title."));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = new QLineEdit(page);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setText(m_model.name());
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QString(), new QLabel(QStringLiteral("Example: Sales Report 5/5/97"), page));
    layout->addStretch();
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) { m_model.setName(text); });
    return page;
}

bool ReportWizard::leaveVendorPage()
{
    if (m_model.leavePage(Page::Vendor))
        return true;
    FocusRefused(m_vendor);
    return false;
}

bool ReportWizard::leaveDatePage()
{
    if (m_model.leavePage(Page::Date))
        return true;
    FocusRefused(m_start->date().isValid() ? m_thru : m_start);
    return false;
}

bool ReportWizard::finish()
{
    const ReportWizardModel::Result result = m_model.save();
    if (result.saved)
        return true;
    // The other pages were checked on the way here: only the name is left to blame.
    FocusRefused(result.focus == ReportWizardModel::Field::Name ? m_name : nullptr);
    return false;
}
