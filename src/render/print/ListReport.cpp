#include "ListReport.h"

#include "PrintLayout.h"
#include "PrintTable.h"
#include "TwipsTransform.h"

#include "core/common/DateTime.h"
#include "core/common/UserSettings.h"

#include <algorithm>
#include <optional>

namespace {

// The user types margins as decimal inches; a typed comma in a locale that
// writes one is read as well.
std::optional<double> inches(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = trimmed.toDouble(&ok);
    if (!ok)
        value = QLocale().toDouble(trimmed, &ok);
    if (!ok || !(value >= 0) || value > PrintLayout::kMaxTwips / kTwipsPerInch)
        return std::nullopt;
    return value;
}

CellAlignment alignmentOf(ColumnJustification justification)
{
    switch (justification) {
    case ColumnJustification::Right:
        return CellAlignment::Right;
    case ColumnJustification::Center:
        return CellAlignment::Center;
    case ColumnJustification::Left:
        break;
    }
    return CellAlignment::Left;
}

} // namespace

ListReportMargins ListReportMargins::load(const UserSettings& settings)
{
    const PrintMargins typed = PrintMargins::load(settings);
    ListReportMargins margins;
    margins.left = inches(typed.left).value_or(kDefaultInches);
    margins.top = inches(typed.top).value_or(kDefaultInches);
    margins.right = inches(typed.right).value_or(kDefaultInches);
    margins.bottom = inches(typed.bottom).value_or(kDefaultInches);
    return margins;
}

QString ListReport::title()
{
    return QStringLiteral("Quick Listing Report");
}

QString ListReport::dateLine(QDate today, const QLocale& locale)
{
    return QStringLiteral("Date: ") + DateTime::fromDate(today).formatShortDate(locale);
}

QList<double> ListReport::columnWidths(const QList<ListReportColumn>& columns, double printableInches)
{
    qint64 total = 0;
    for (const ListReportColumn& column : columns)
        total += std::max(column.width, 0);
    const double printable = std::max(printableInches, 0.0);
    QList<double> widths;
    widths.reserve(columns.size());
    for (const ListReportColumn& column : columns) {
        widths.append(total > 0 ? printable * std::max(column.width, 0) / double(total)
                                : printable / double(columns.size()));
    }
    return widths;
}

ListReportFonts ListReportFonts::defaults()
{
    return {PrintLayout::defaultTitleFont(), PrintLayout::defaultHeadingFont(),
            PrintLayout::defaultBodyFont()};
}

void ListReport::build(PrintLayout& layout, const ListReportContent& content,
                       const ListReportMargins& margins, QDate today, const QLocale& locale,
                       const ListReportFonts& fonts)
{
    layout.Reset();
    layout.SetMargins(margins.left, margins.top, margins.right, margins.bottom);

    // Failing fonts are passed over: the report is still worth printing in the
    // font in force.
    layout.AddFont(fonts.title);
    layout.AddParagraphFlag(PrintLayout::kTitleParagraph);
    layout.AddText(title() + QLatin1Char('\n'));
    layout.AddFont(fonts.body);
    layout.AddParagraphFlag(PrintLayout::kBodyParagraph);
    layout.AddText(dateLine(today, locale) + QStringLiteral("\n\n"));

    const qsizetype columnCount = content.columns.size();
    if (columnCount == 0)
        return;
    const double printable = (layout.pageWidth() / kTwipsPerInch) - margins.left - margins.right;
    const QList<double> widths = columnWidths(content.columns, printable);

    // The headings repeat at the top of every page the rows continue on.
    PrintTable table(1, int(columnCount));
    table.setHeaderRows(1);
    const QFont& heading = fonts.heading;
    for (int column = 0; column < columnCount; ++column) {
        const ListReportColumn& shown = content.columns.at(column);
        table.setColumn(column, widths.at(column), alignmentOf(shown.justification));
        table.setCellText(0, column, shown.title);
        table.setCellFont(0, column, heading);
    }
    // The rows are read as they are set (held rows are shared, not copied).
    table.appendSourcedRows(content.size(), [content](qsizetype row, int column) {
        return content.text(row, column);
    });
    layout.AddTable(std::move(table));
}
