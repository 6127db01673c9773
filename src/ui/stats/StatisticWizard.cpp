#include "ui/stats/StatisticWizard.h"

#include "ui/common/DateEdit.h"
#include "ui/common/FocusRefused.h"

#include "core/stats/StatisticWizardModel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWizardPage>

namespace {

QLabel* AddText(QWidget* page, QBoxLayout& layout, const QString& text)
{
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    layout.addWidget(label);
    return label;
}

// The ten types and what the chosen one computes.
class TypePage final : public QWizardPage
{
public:
    explicit TypePage(StatisticWizardModel& model) : m_model(model)
    {
        auto* layout = new QVBoxLayout(this);
        auto* types = new QGroupBox(QStringLiteral("Statistic Type"), this);
        auto* grid = new QGridLayout(types);
        const QStringList names = StatisticWizardModel::typeNames();
        const int rows = static_cast<int>((names.size() + 1) / 2);
        for (int type = 0; type < names.size(); ++type) {
            auto* radio = new QRadioButton(names.at(type), types);
            radio->setObjectName(QStringLiteral("typeRadio%1").arg(type));
            m_group.addButton(radio, type);
            grid->addWidget(radio, type % rows, type / rows);
        }
        layout->addWidget(types);
        auto* about = new QGroupBox(QStringLiteral("Description"), this);
        auto* aboutLayout = new QVBoxLayout(about);
        m_description = AddText(about, *aboutLayout, QString());
        m_description->setObjectName(QStringLiteral("descriptionText"));
        m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 2);
        layout->addWidget(about);
        layout->addStretch();
        // The model ticks and locks the date page's check box for the types
        // that need dates; the date page shows it so when it is entered.
        connect(&m_group, &QButtonGroup::idToggled, this, [this](int type, bool on) {
            if (!on)
                return;
            m_model.setType(type);
            m_description->setText(m_model.description());
        });
    }

    void initializePage() override
    {
        if (QAbstractButton* chosen = m_group.button(m_model.type()))
            chosen->setChecked(true);
        m_description->setText(m_model.description());
    }

private:
    StatisticWizardModel& m_model;
    QButtonGroup m_group;
    QLabel* m_description = nullptr;
};

// Whether and over which dates the statistic is computed.
class DatePage final : public QWizardPage
{
public:
    DatePage(StatisticWizardModel& model, const Clock& clock) : m_model(model)
    {
        auto* layout = new QVBoxLayout(this);
        AddText(this, *layout, StatisticWizardModel::datePageText());
        m_useDates = new QCheckBox(QStringLiteral("&Use date specification"), this);
        m_useDates->setObjectName(QStringLiteral("useDatesCheck"));
        layout->addWidget(m_useDates);
        auto* form = new QFormLayout;
        m_start = new DateEdit(clock, this);
        m_start->setObjectName(QStringLiteral("startEdit"));
        form->addRow(QStringLiteral("&Start Date:"), m_start);
        m_thru = new DateEdit(clock, this);
        m_thru->setObjectName(QStringLiteral("thruEdit"));
        form->addRow(QStringLiteral("&Thru Date:"), m_thru);
        layout->addLayout(form);
        layout->addStretch();
        connect(m_useDates, &QCheckBox::toggled, this, [this](bool on) {
            m_model.setUseDates(on);
            showDates();
        });
    }

    void initializePage() override
    {
        m_start->setText(m_model.startDate());
        m_thru->setText(m_model.thruDate());
        showDates();
    }

    bool validatePage() override
    {
        m_model.setStartDate(m_start->text());
        m_model.setThruDate(m_thru->text());
        const StatisticWizardModel::Result result = m_model.datePageNext();
        if (!result.saved)
            FocusRefused(result.focus == StatisticWizardModel::Field::ThruDate ? m_thru : m_start);
        return result.saved;
    }

private:
    void showDates()
    {
        {
            const QSignalBlocker quiet(m_useDates);
            m_useDates->setChecked(m_model.useDates());
        }
        m_useDates->setEnabled(m_model.useDatesEnabled());
        m_start->setEnabled(m_model.useDates());
        m_thru->setEnabled(m_model.useDates());
    }

    StatisticWizardModel& m_model;
    QCheckBox* m_useDates = nullptr;
    DateEdit* m_start = nullptr;
    DateEdit* m_thru = nullptr;
};

// The name; Finish adds the statistics.
class NamePage final : public QWizardPage
{
public:
    explicit NamePage(StatisticWizardModel& model) : m_model(model)
    {
        auto* layout = new QVBoxLayout(this);
        AddText(this, *layout, StatisticWizardModel::namePageText());
        auto* form = new QFormLayout;
        m_name = new QLineEdit(this);
        m_name->setObjectName(QStringLiteral("nameEdit"));
        form->addRow(QStringLiteral("Statistic &Name:"), m_name);
        layout->addLayout(form);
        AddText(this, *layout, StatisticWizardModel::nameExample());
        layout->addStretch();
    }

    void initializePage() override
    {
        m_name->setText(m_model.name());
        m_name->setFocus();
    }

    bool validatePage() override
    {
        m_model.setName(m_name->text());
        const StatisticWizardModel::Result result = m_model.save();
        if (!result.saved)
            FocusRefused(m_name);
        return result.saved;
    }

private:
    StatisticWizardModel& m_model;
    QLineEdit* m_name = nullptr;
};

} // namespace

StatisticWizard::StatisticWizard(StatisticWizardModel& model, const Clock& clock, QWidget* parent)
    : QWizard(parent)
{
    setObjectName(QStringLiteral("statisticWizard"));
    setWindowTitle(model.caption());
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage, true);
    addPage(new TypePage(model));
    addPage(new DatePage(model, clock));
    addPage(new NamePage(model));
}
