#pragma once

#include "core/common/DialogModel.h"

#include <QString>
#include <QStringList>

class Clock;
class CProjectSettings;
class Prompter;

// The state behind the three pages of the "Statistic Wizard": the type of
// standard statistic, its date range and its name. Finish adds the statistic
// with the intermediate ones it is built from.
class StatisticWizardModel : public DialogModel
{
public:
    // Statistics live in the project settings file by name, not as records: changes() stays empty.
    enum class Field
    {
        None,
        StartDate,
        ThruDate,
        Name
    };
    using Result = SaveResult<Field>;

    StatisticWizardModel(CProjectSettings& settings, Prompter& prompter, const Clock& clock);

    // Every page's caption.
    QString caption() const override { return QStringLiteral("Statistic Wizard"); }
    static QString datePageText();
    static QString namePageText();
    static QString nameExample() { return QStringLiteral("Example: Net Sales Q1 1998"); }

    // Type page: the radio buttons' texts in order.
    static QStringList typeNames();
    int type() const { return m_type; }
    // Choosing a type that needs dates ticks "Use date specification" and locks
    // it; any other type unlocks it and leaves it as it is.
    void setType(int type);
    QString description() const;

    // Date page.
    bool useDates() const { return m_useDates; }
    void setUseDates(bool on);
    bool useDatesEnabled() const { return !m_datesRequired; }
    QString startDate() const { return m_start; }
    void setStartDate(const QString& text) { m_start = text; }
    QString thruDate() const { return m_thru; }
    void setThruDate(const QString& text) { m_thru = text; }
    // Next on the date page: refused (the user told) while the dates are ticked
    // but not both valid.
    Result datePageNext();

    // Name page.
    QString name() const { return m_name; }
    void setName(const QString& text) { m_name = text; }
    // Finish: checks the name and adds the statistics; refused (the user told)
    // when the name is empty or taken, or when they cannot all be added.
    Result save();

    // The statistics Finish added, in order (reused intermediate ones are not).
    const QStringList& added() const { return m_added; }

private:
    CProjectSettings& m_settings;
    Prompter& m_prompter;
    int m_type = 0;
    bool m_useDates = false;
    bool m_datesRequired = false;
    QString m_start;
    QString m_thru;
    QString m_name;
    QStringList m_added;
};
