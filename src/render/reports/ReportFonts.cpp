#include "render/reports/ReportFonts.h"

#include "core/reports/ReportFile.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDefaultPoints = 10.0;

} // namespace

QFont ToQFont(const ReportFont& font)
{
    QFont result(font.faceName);
    // Heights are kept in whole pixels, so 14 points come back as 14.25: the font
    // is drawn at the whole points its description shows.
    const double points = std::round(font.points());
    result.setPointSizeF(points > 0.0 ? points : kDefaultPoints);
    // Both scales run from 100 (thin) to 900 (black); 0 means "normal".
    const int weight = font.weight <= 0 ? int(QFont::Normal) : std::clamp(int(font.weight), 1, 1000);
    result.setWeight(static_cast<QFont::Weight>(weight));
    result.setItalic(font.italic != 0);
    result.setUnderline(font.underline != 0);
    result.setStrikeOut(font.strikeOut != 0);
    return result;
}

ReportFont FromQFont(const QFont& font)
{
    const double points = font.pointSizeF() > 0.0 ? font.pointSizeF() : kDefaultPoints;
    ReportFont result = ReportFont::fromPoints(font.family(), static_cast<int>(std::lround(points)));
    result.weight = std::clamp(static_cast<qint32>(font.weight()), qint32(1), ReportFont::kHeaviestWeight);
    result.italic = font.italic() ? 1 : 0;
    result.underline = font.underline() ? 1 : 0;
    result.strikeOut = font.strikeOut() ? 1 : 0;
    return result;
}

ListReportFonts ListFontsFromReportFile(const QString& reportPath)
{
    ReportFile file(reportPath);
    if (reportPath.isEmpty() || !file.getByName(ReportFile::reservedName()))
        return ListReportFonts::defaults();
    const auto& fonts = file.readBuffer().fonts;
    return {ToQFont(fonts[TitleFont]), ToQFont(fonts[ColumnHeadersFont]), ToQFont(fonts[BodyFont])};
}
