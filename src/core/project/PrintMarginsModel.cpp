#include "core/project/PrintMarginsModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <array>
#include <cmath>

namespace {

const QString kTitle = QStringLiteral("Print Margins");

const std::array<QString PrintMargins::*, PrintMarginsModel::SideCount> kMembers = {
    &PrintMargins::left, &PrintMargins::right, &PrintMargins::top, &PrintMargins::bottom};

bool isListed(int index)
{
    return index >= 0 && index < PrintMarginsModel::SideCount;
}

} // namespace

PrintMarginsModel::PrintMarginsModel(UserSettings& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter), m_margins(PrintMargins::load(settings))
{
}

QString PrintMarginsModel::helpLine() const
{
    return QStringLiteral("Set the margins to use for your printed reports.");
}

std::optional<PrintMarginsModel::Side> PrintMarginsModel::side(Field field)
{
    if (field == Field::None)
        return std::nullopt;
    return static_cast<Side>(static_cast<int>(field) - 1);
}

QString PrintMarginsModel::label(Side side)
{
    switch (side) {
    case Left:
        return QStringLiteral("Left");
    case Right:
        return QStringLiteral("Right");
    case Top:
        return QStringLiteral("Top");
    case Bottom:
        return QStringLiteral("Bottom");
    case SideCount:
        break;
    }
    return QString();
}

QString PrintMarginsModel::text(Side side) const
{
    return isListed(side) ? m_margins.*kMembers[side] : QString();
}

void PrintMarginsModel::setText(Side side, const QString& text)
{
    if (isListed(side))
        m_margins.*kMembers[side] = text.trimmed();
}

std::optional<double> PrintMarginsModel::inches(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0)
        return std::nullopt;
    return value;
}

PrintMarginsModel::Result PrintMarginsModel::save()
{
    for (int side = 0; side < SideCount; ++side) {
        if (!inches(m_margins.*kMembers[side])) {
            warn(m_prompter,
                 QStringLiteral("The %1 margin must be a number of inches, 0 or more (for example 1.0).")
                     .arg(label(static_cast<Side>(side)).toLower()),
                 kTitle);
            return Result::refused(static_cast<Field>(side + 1));
        }
    }
    if (!m_margins.save(m_settings)) {
        warn(m_prompter, StatusMessage(Status::FileNotAccessible));
        return Result::refused();
    }
    return Result::ok();
}
