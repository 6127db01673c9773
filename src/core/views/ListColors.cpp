#include "ListColors.h"

#include "core/common/UserSettings.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Colors");

// The conditions that have a colour, in storage order.
constexpr std::array kConditions = {RowCondition::StockLow, RowCondition::Filled, RowCondition::Notes};

int slotOf(RowCondition condition)
{
    switch (condition) {
    case RowCondition::StockLow:
        return 0;
    case RowCondition::Filled:
        return 1;
    case RowCondition::Notes:
        return 2;
    case RowCondition::None:
        break;
    }
    return -1;
}

QString prefixOf(RowCondition condition)
{
    switch (condition) {
    case RowCondition::StockLow:
        return QStringLiteral("StockLow_");
    case RowCondition::Filled:
        return QStringLiteral("Filled_");
    case RowCondition::Notes:
        return QStringLiteral("Notes_");
    case RowCondition::None:
        break;
    }
    return QString();
}

int channel(const UserSettings& settings, const QString& key, int fallback)
{
    const int value = settings.number(kSection, key, fallback);
    return std::clamp(value, 0, 255);
}

} // namespace

ListColors::ListColors()
{
    for (RowCondition condition : kConditions)
        m_colors[static_cast<size_t>(slotOf(condition))] = defaultColor(condition);
}

ListColor ListColors::defaultColor(RowCondition condition)
{
    switch (condition) {
    case RowCondition::StockLow:
        return ListColor{255, 0, 0};
    case RowCondition::Filled:
        return ListColor{0, 0, 255};
    case RowCondition::Notes:
        return ListColor{0, 255, 0};
    case RowCondition::None:
        break;
    }
    return ListColor{};
}

QString ListColors::caption(RowCondition condition)
{
    switch (condition) {
    case RowCondition::StockLow:
        return QStringLiteral("Item Stocked < Reorder Level:");
    case RowCondition::Filled:
        return QStringLiteral("Purchase Order Has Been Filled");
    case RowCondition::Notes:
        return QStringLiteral("Customer Record Contains Notes");
    case RowCondition::None:
        break;
    }
    return QString();
}

void ListColors::load(const UserSettings& settings)
{
    for (RowCondition condition : kConditions) {
        const QString prefix = prefixOf(condition);
        const ListColor fallback = defaultColor(condition);
        m_colors[static_cast<size_t>(slotOf(condition))] =
            ListColor{channel(settings, prefix + QStringLiteral("Red"), fallback.red),
                      channel(settings, prefix + QStringLiteral("Green"), fallback.green),
                      channel(settings, prefix + QStringLiteral("Blue"), fallback.blue)};
    }
}

bool ListColors::save(UserSettings& settings) const
{
    for (RowCondition condition : kConditions) {
        const QString prefix = prefixOf(condition);
        const ListColor& value = m_colors[static_cast<size_t>(slotOf(condition))];
        settings.setValue(kSection, prefix + QStringLiteral("Red"), value.red);
        settings.setValue(kSection, prefix + QStringLiteral("Green"), value.green);
        settings.setValue(kSection, prefix + QStringLiteral("Blue"), value.blue);
    }
    return settings.sync();
}

ListColor ListColors::color(RowCondition condition) const
{
    const int slot = slotOf(condition);
    return slot < 0 ? ListColor{} : m_colors[static_cast<size_t>(slot)];
}

void ListColors::setColor(RowCondition condition, ListColor color)
{
    const int slot = slotOf(condition);
    if (slot < 0)
        return;
    color.red = std::clamp(color.red, 0, 255);
    color.green = std::clamp(color.green, 0, 255);
    color.blue = std::clamp(color.blue, 0, 255);
    m_colors[static_cast<size_t>(slot)] = color;
}
