#pragma once

#include "core/common/DateTime.h"
#include "core/common/DialogModel.h"

#include <QString>
#include <QStringList>

class Clock;
class Prompter;
class ProjectTables;

// The New Purchase Order dialog: creates a purchase order addressed to a vendor,
// or rewrites an existing one (modify), with its dates, note and tax rate.
// Saving always leaves the purchase order open (not filled).
class NewPOModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Number,
        Vendor,
        Date,
        RequiredDate,
        Notes,
        TaxRate
    };
    using Result = SaveResult<Field>;

    static constexpr int kMaxNotes = 128;
    static constexpr double kMaxTaxRate = 1000.0;

    // A new purchase order: the next number is proposed, the first vendor is
    // selected and both dates are today.
    NewPOModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    // Switches to modify mode and shows the purchase order; false (with the
    // message for a missing record) when it does not exist.
    bool loadForModify(qint32 poID);

    bool isModify() const { return m_modifyID != NoID; }
    QString caption() const override;
    QString helpLine() const override;
    // The number of an existing purchase order cannot change.
    bool numberEnabled() const { return !isModify(); }

    QString numberText() const { return m_numberText; }
    void setNumberText(const QString& text) { m_numberText = text; }

    const QStringList& vendorEntries() const { return m_vendorEntries; }
    qint32 vendorID() const { return m_vendorID; }
    // Selects a vendor (also what Find Vendor does); an ID not in the picker
    // clears the selection.
    void selectVendor(qint32 vendorID);
    // The selected vendor's ID as shown beside the picker; empty without one.
    QString vendorIdText() const;

    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    QString requiredDateText() const { return m_requiredDateText; }
    void setRequiredDateText(const QString& text) { m_requiredDateText = text; }
    QString notes() const { return m_notes; }
    void setNotes(const QString& text) { m_notes = text; }
    QString taxRateText() const { return m_taxRateText; }
    void setTaxRateText(const QString& text) { m_taxRateText = text; }

    // Validates and writes; a refusal names the field to correct.
    Result save();

    // The purchase order written by the last successful save (NoID before).
    qint32 poID() const { return m_savedID; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;

    qint32 m_modifyID = NoID;
    qint32 m_savedID = NoID;
    QString m_numberText;
    QStringList m_vendorEntries;
    qint32 m_vendorID = NoSelection;
    QString m_dateText;
    QString m_requiredDateText;
    QString m_notes;
    QString m_taxRateText;
};
