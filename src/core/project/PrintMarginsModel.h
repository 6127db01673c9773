#pragma once

#include "common/UserSettings.h"

#include <QString>

#include <optional>

class Prompter;

// The Print Margins dialog's four margins, in inches, over the user's
// settings. Printing reads them as numbers, so only a number of zero or more
// is stored.
class PrintMarginsModel
{
public:
    enum Side
    {
        Left,
        Right,
        Top,
        Bottom,
        SideCount
    };

    explicit PrintMarginsModel(UserSettings& settings);

    static QString label(Side side);
    QString text(Side side) const;
    void setText(Side side, const QString& text);

    // Writes the margins when every one reads as inches; otherwise tells the
    // user which one does not and stores nothing.
    bool accept(Prompter& prompter);
    // The side the last accept refused, if any.
    std::optional<Side> refusedSide() const { return m_refused; }

    // The margin a text stands for, in inches; nothing for a text that is no
    // number or is negative.
    static std::optional<double> inches(const QString& text);

private:
    UserSettings& m_settings;
    PrintMargins m_margins;
    std::optional<Side> m_refused;
};
