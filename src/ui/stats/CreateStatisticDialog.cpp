#include "ui/stats/CreateStatisticDialog.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/records/FormFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QComboBox* NewOperandBox(QWidget* owner, const QString& objectName)
{
    auto* box = new QComboBox(owner);
    box->setObjectName(objectName);
    // Typed text stays as typed: it is a constant, not a new entry.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

void SetEntries(QComboBox& box, const QStringList& entries)
{
    const QSignalBlocker quiet(box);
    const QString text = box.currentText();
    box.clear();
    box.addItems(entries);
    box.setCurrentIndex(-1);
    box.setEditText(text);
}

} // namespace

CreateStatisticDialog::CreateStatisticDialog(CreateStatisticModel& model, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const WindowFrame frame = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_name = AddFormEdit(this, *frame.form, QStringLiteral("Statistic &Name:"), QStringLiteral("nameEdit"),
                         QString());
    m_listing = new QComboBox(this);
    m_listing->setObjectName(QStringLiteral("listingBox"));
    m_listing->addItems(CreateStatisticModel::listingEntries());
    frame.form->addRow(QStringLiteral("&Listing:"), m_listing);
    m_intermediate = new QCheckBox(QStringLiteral("&Intermediate Calculation"), this);
    m_intermediate->setObjectName(QStringLiteral("intermediateCheck"));
    frame.form->addRow(QString(), m_intermediate);

    auto* formula = new QGroupBox(QStringLiteral("Formula"), this);
    auto* formulaRow = new QHBoxLayout(formula);
    m_left = NewOperandBox(formula, QStringLiteral("leftBox"));
    m_operator = new QComboBox(formula);
    m_operator->setObjectName(QStringLiteral("operatorBox"));
    m_operator->addItems(CreateStatisticModel::operatorEntries());
    m_right = NewOperandBox(formula, QStringLiteral("rightBox"));
    formulaRow->addWidget(m_left, 1);
    formulaRow->addWidget(m_operator);
    formulaRow->addWidget(m_right, 1);
    frame.layout->addWidget(formula);

    auto* dates = new QGroupBox(QStringLiteral("Dates"), this);
    auto* datesForm = new QFormLayout(dates);
    m_applyDates = new QCheckBox(QStringLiteral("&Apply Date Criteria"), dates);
    m_applyDates->setObjectName(QStringLiteral("applyDatesCheck"));
    datesForm->addRow(m_applyDates);
    m_start = new DateEdit(clock, dates);
    m_start->setObjectName(QStringLiteral("startEdit"));
    datesForm->addRow(QStringLiteral("&Start Date:"), m_start);
    m_thru = new DateEdit(clock, dates);
    m_thru->setObjectName(QStringLiteral("thruEdit"));
    datesForm->addRow(QStringLiteral("&Thru Date:"), m_thru);
    frame.layout->addWidget(dates);

    // The listing decides the operands offered; the operator whether there is a
    // left operand and whether dates apply.
    connect(m_listing, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.setListingIndex(index);
        showOperandEntries();
        showEnabling();
    });
    connect(m_operator, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.setOperatorIndex(index);
        showEnabling();
    });
    connect(m_applyDates, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setApplyDates(on);
        showEnabling();
    });

    m_next = NewButton(this, QStringLiteral("&Next >>"), QStringLiteral("nextButton"));
    connect(m_next, &QPushButton::clicked, this, [this] {
        takeFields();
        finish(m_model.saveAndNext(), false);
    });
    QPushButton* ok = AddOkCancel(*this, *frame.layout, [this] {
        takeFields();
        finish(m_model.save(), true);
    });
    ok->setObjectName(QStringLiteral("okButton"));
    InsertBeforeOk(*frame.layout, m_next);
    ChainTabOrder(
        {m_name, m_listing, m_intermediate, m_left, m_operator, m_right, m_applyDates, m_start, m_thru});

    showModel();
    m_name->setFocus();
}

void CreateStatisticDialog::showModel()
{
    m_name->setText(m_model.name());
    {
        const QSignalBlocker quietListing(m_listing);
        const QSignalBlocker quietOperator(m_operator);
        m_listing->setCurrentIndex(m_model.listingIndex());
        m_operator->setCurrentIndex(m_model.operatorIndex());
    }
    m_intermediate->setChecked(m_model.intermediate());
    // An operand that is no entry shows as the text it is.
    m_left->setEditText(m_model.leftOperand());
    m_right->setEditText(m_model.rightOperand());
    showOperandEntries();
    m_start->setText(m_model.startDate());
    m_thru->setText(m_model.thruDate());
    m_next->setEnabled(m_model.nextEnabled());
    showEnabling();
}

void CreateStatisticDialog::showOperandEntries()
{
    const QStringList entries = m_model.operandEntries();
    SetEntries(*m_left, entries);
    SetEntries(*m_right, entries);
}

void CreateStatisticDialog::showEnabling()
{
    m_left->setEnabled(m_model.leftEnabled());
    const bool dates = m_model.datesEnabled();
    m_applyDates->setEnabled(dates);
    {
        const QSignalBlocker quiet(m_applyDates);
        m_applyDates->setChecked(m_model.applyDates());
    }
    m_start->setEnabled(dates);
    m_thru->setEnabled(dates);
}

void CreateStatisticDialog::takeFields()
{
    m_model.setName(m_name->text());
    m_model.setIntermediate(m_intermediate->isChecked());
    m_model.setLeftOperand(m_left->currentText());
    m_model.setRightOperand(m_right->currentText());
    m_model.setApplyDates(m_applyDates->isChecked());
    m_model.setStartDate(m_start->text());
    m_model.setThruDate(m_thru->text());
}

void CreateStatisticDialog::finish(CreateStatisticModel::Result result, bool close)
{
    if (result.saved && close) {
        accept();
        return;
    }
    if (result.saved) {
        // Ready for the next statistic: the one just made is offered as an
        // operand, and the name is empty.
        showModel();
        FocusRefused(m_name);
        return;
    }
    FocusRefused(fieldOf(result.focus));
}

QWidget* CreateStatisticDialog::fieldOf(CreateStatisticModel::Field field) const
{
    using Field = CreateStatisticModel::Field;
    switch (field) {
    case Field::Name:
        return m_name;
    case Field::LeftOperand:
        return m_left;
    case Field::RightOperand:
        return m_right;
    case Field::StartDate:
        return m_start;
    case Field::ThruDate:
        return m_thru;
    case Field::None:
        break;
    }
    return nullptr;
}
