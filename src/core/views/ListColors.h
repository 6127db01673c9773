#pragma once

#include "ListDefinitions.h"

#include <QString>

#include <array>

class UserSettings;

// A text colour as red, green and blue, each 0..255.
struct ListColor
{
    int red = 0;
    int green = 0;
    int blue = 0;

    // Each channel replaced by 255 minus its value: readable on the selection.
    ListColor inverse() const { return ListColor{255 - red, 255 - green, 255 - blue}; }

    friend bool operator==(const ListColor&, const ListColor&) = default;
};

// The colours rows are drawn in for their conditions, shared by every list and
// kept per user in the "Colors" section.
class ListColors
{
public:
    // The defaults: low stock red, filled blue, notes green.
    ListColors();

    static ListColor defaultColor(RowCondition condition);
    // The caption the Customize Colors dialog shows for a condition.
    static QString caption(RowCondition condition);

    // Missing or unusable values read as the condition's default.
    void load(const UserSettings& settings);
    // Writes the nine values; false when the settings could not be written.
    bool save(UserSettings& settings) const;

    // Black for RowCondition::None.
    ListColor color(RowCondition condition) const;
    void setColor(RowCondition condition, ListColor color);

    friend bool operator==(const ListColors&, const ListColors&) = default;

private:
    std::array<ListColor, kRowConditionCount> m_colors;
};
