#pragma once

#include "core/common/DialogModel.h"
#include "core/common/UserSettings.h"

#include <QString>

#include <optional>

class Prompter;

// The Print Margins dialog's four margins, in inches, over the user's
// settings. Printing reads them as numbers, so only a number of zero or more
// is stored.
class PrintMarginsModel : public DialogModel
{
public:
    // The margin a refusal blames; a failed write blames none.
    enum class Field
    {
        None,
        Left,
        Right,
        Top,
        Bottom
    };
    using Result = SaveResult<Field>;

    enum Side
    {
        Left,
        Right,
        Top,
        Bottom,
        SideCount
    };

    PrintMarginsModel(UserSettings& settings, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Print Margins"); }
    QString helpLine() const override;

    static QString label(Side side);
    QString text(Side side) const;
    void setText(Side side, const QString& text);

    // OK: writes the margins to the user's settings (no record changes) when
    // every one reads as inches; otherwise tells the user which one does not,
    // blames it and stores nothing.
    Result save();
    // The side a refused field stands for; nothing for Field::None.
    static std::optional<Side> side(Field field);

    // The margin a text stands for, in inches; nothing for a text that is no
    // number or is negative.
    static std::optional<double> inches(const QString& text);

private:
    UserSettings& m_settings;
    Prompter& m_prompter;
    PrintMargins m_margins;
};
