#include "project/PrintMarginsModel.h"

#include "common/Prompter.h"
#include "common/StatusCodes.h"

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

PrintMarginsModel::PrintMarginsModel(UserSettings& settings)
    : m_settings(settings), m_margins(PrintMargins::load(settings))
{
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

bool PrintMarginsModel::accept(Prompter& prompter)
{
    m_refused.reset();
    for (int side = 0; side < SideCount; ++side) {
        if (!inches(m_margins.*kMembers[side])) {
            m_refused = static_cast<Side>(side);
            prompter.message(
                QStringLiteral("The %1 margin must be a number of inches, 0 or more (for example 1.0).")
                    .arg(label(*m_refused).toLower()),
                kTitle, Prompter::Icon::Exclamation);
            return false;
        }
    }
    if (!m_margins.save(m_settings)) {
        prompter.message(StatusMessage(Status::FileNotAccessible), AppTitle(), Prompter::Icon::Exclamation);
        return false;
    }
    return true;
}
