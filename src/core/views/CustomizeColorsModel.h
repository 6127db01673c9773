#pragma once

#include "ListColors.h"

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>

class Prompter;
class RecordLists;

// The state behind the Customize Colors dialog: the colour of each row
// condition, shared by every list. Nothing changes until OK.
class CustomizeColorsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    CustomizeColorsModel(RecordLists& lists, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Customize Colors"); }
    // "Choose the colors to be displayed for the following conditions in their
    // respective lists."
    QString helpLine() const override;
    // The three conditions in the order the dialog shows them.
    static QList<RowCondition> conditions();

    ListColor color(RowCondition condition) const { return m_colors.color(condition); }
    // What the colour chooser returned.
    void setColor(RowCondition condition, ListColor color) { m_colors.setColor(condition, color); }

    // OK: the nine values are stored and every list draws in the new colours.
    // When the settings cannot be written the user is told and nothing changes.
    // No record changes.
    Result save();

private:
    RecordLists& m_lists;
    Prompter& m_prompter;
    ListColors m_colors;
};
