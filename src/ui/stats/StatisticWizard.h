#pragma once

#include <QWizard>

class Clock;
class StatisticWizardModel;

// The "Statistic Wizard": the type of standard statistic, its date range and
// its name on three pages; Finish adds it with the statistics it is built from.
class StatisticWizard final : public QWizard
{
public:
    StatisticWizard(StatisticWizardModel& model, const Clock& clock, QWidget* parent = nullptr);
};
