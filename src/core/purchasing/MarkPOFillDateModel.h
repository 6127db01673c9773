#pragma once

#include "core/common/DateTime.h"
#include "core/common/DialogModel.h"

#include <QString>

class Clock;
class Prompter;
class ProjectTables;

// The Mark PO Fill Date dialog: asks the date a purchase order was received in
// full and marks it filled on that date.
class MarkPOFillDateModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Date
    };
    using Result = SaveResult<Field>;

    // The date starts at today.
    MarkPOFillDateModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, qint32 poID);

    QString caption() const override;
    // "Please enter the date the PO was received."
    QString helpLine() const override;
    QString dateLabel() const;

    QString dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }

    // Marks the purchase order filled; refuses an invalid date.
    Result save();

    qint32 poID() const { return m_poID; }
    // The date written by the last successful save.
    DateTime fillDate() const { return m_fillDate; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    qint32 m_poID;
    QString m_dateText;
    DateTime m_fillDate = DateTime::null();
};
