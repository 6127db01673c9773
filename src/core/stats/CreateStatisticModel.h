#pragma once

#include "core/common/DialogModel.h"
#include "core/project/Statistic.h"

#include <QString>
#include <QStringList>

class Clock;
class CProjectSettings;
class Prompter;

// The state behind the "Create Statistic" dialog: a new statistic, or changes
// to an existing one (renaming it renames every reference to it).
class CreateStatisticModel : public DialogModel
{
public:
    // Statistics live in the project settings file by name, not as records: changes() stays empty.
    enum class Field
    {
        None,
        Name,
        LeftOperand,
        RightOperand,
        StartDate,
        ThruDate
    };
    using Result = SaveResult<Field>;

    // Modifies the statistic of this name when there is one; otherwise makes
    // new statistics.
    CreateStatisticModel(CProjectSettings& settings, Prompter& prompter, const Clock& clock,
                         const QString& nameToModify = QString());

    bool isModify() const { return m_modifyIndex >= 0; }

    QString caption() const override;
    // The text above the fields.
    QString helpLine() const override;

    // The "Listing:" entries and the operator entries, in code order.
    static QStringList listingEntries();
    static QStringList operatorEntries();

    QString name() const { return m_name; }
    void setName(const QString& text) { m_name = text; }
    // Position in listingEntries(); -1 while none is chosen.
    int listingIndex() const { return m_listingIndex; }
    void setListingIndex(int index);
    bool intermediate() const { return m_intermediate; }
    void setIntermediate(bool on) { m_intermediate = on; }
    QString leftOperand() const { return m_left; }
    void setLeftOperand(const QString& text) { m_left = text; }
    // Position in operatorEntries(); -1 while none is chosen.
    int operatorIndex() const { return m_operator; }
    void setOperatorIndex(int index);
    QString rightOperand() const { return m_right; }
    void setRightOperand(const QString& text) { m_right = text; }
    bool applyDates() const { return m_applyDates; }
    void setApplyDates(bool on) { m_applyDates = on && datesEnabled(); }
    QString startDate() const { return m_start; }
    void setStartDate(const QString& text) { m_start = text; }
    QString thruDate() const { return m_thru; }
    void setThruDate(const QString& text) { m_thru = text; }

    // Both operand lists offer these: the listing's numeric fields, then the
    // statistics that fit the listing.
    QStringList operandEntries() const { return m_fieldEntries + m_statisticEntries; }
    bool leftEnabled() const;
    bool datesEnabled() const;
    bool nextEnabled() const { return !isModify(); }

    // OK.
    Result save();
    // "Next >>": saves, then offers the new statistic as an operand and clears
    // the name for the next one.
    Result saveAndNext();

private:
    void rebuildOperandLists();
    qint32 operandType(const QString& text) const;
    qint32 listingCode() const;

    CProjectSettings& m_settings;
    Prompter& m_prompter;
    int m_modifyIndex = -1;

    QString m_name;
    int m_listingIndex = -1;
    bool m_intermediate = false;
    QString m_left;
    int m_operator = -1;
    QString m_right;
    bool m_applyDates = false;
    QString m_start;
    QString m_thru;

    QStringList m_fieldEntries;
    QStringList m_statisticEntries;
};
