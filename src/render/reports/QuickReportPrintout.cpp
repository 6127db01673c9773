#include "QuickReportPrintout.h"

#include "ReportFonts.h"

#include "core/reports/QuickReportSettings.h"
#include "core/reports/ReportDefinition.h"
#include "render/print/PrintLayout.h"
#include "render/print/PrintTable.h"
#include "render/print/TwipsTransform.h"

#include <algorithm>

namespace {

void AddLines(PrintLayout& layout, const QStringList& lines)
{
    for (const QString& line : lines)
        layout.AddText(line + QLatin1Char('\n'));
}

void AddTable(PrintLayout& layout, const QuickTable& table, const QuickReportFontSet& fonts,
              double printableInches)
{
    const int columnCount = int(table.headings.size());
    if (columnCount == 0)
        return;
    const QList<double> widths = QuickReportPrintout::columnWidths(table, printableInches);
    // The headings repeat at the top of every page the rows continue on.
    PrintTable printed(int(1 + table.rows.size()), columnCount);
    printed.setHeaderRows(1);
    for (int column = 0; column < columnCount; ++column) {
        printed.setColumn(column, widths.at(column),
                          table.rightAligned.value(column) ? CellAlignment::Right : CellAlignment::Left);
        printed.setCellText(0, column, table.headings.at(column));
        printed.setCellFont(0, column, fonts.columnHeaders);
    }
    // Cells take the body font in force where the table is set.
    for (int row = 1; row <= table.rows.size(); ++row) {
        const QStringList& cells = table.rows.at(row - 1);
        const int filled = int(std::min<qsizetype>(cells.size(), columnCount));
        for (int column = 0; column < filled; ++column)
            printed.setCellText(row, column, cells.at(column));
    }
    layout.AddTable(std::move(printed));
}

} // namespace

QuickReportFontSet QuickReportFontSet::from(const CReportDefinition& fontsRecord)
{
    const auto font = [&fontsRecord](QuickReportFonts::Line line) {
        return ToQFont(fontsRecord.fonts[static_cast<size_t>(QuickReportFonts::slot(line))]);
    };
    return {font(QuickReportFonts::Title), font(QuickReportFonts::CompanyName),
            font(QuickReportFonts::CompanyInfo), font(QuickReportFonts::ColumnHeaders),
            font(QuickReportFonts::Body)};
}

QString QuickReportPrintout::title(const QuickReportContent& content)
{
    const QString first = content.title.section(QLatin1Char('\n'), 0, 0).trimmed();
    return first.isEmpty() ? QStringLiteral("Quick Report") : first;
}

QList<double> QuickReportPrintout::columnWidths(const QuickTable& table, double printableInches)
{
    if (table.widths.isEmpty()) {
        // Columns of no on-screen width share the printable width equally.
        QList<ListReportColumn> columns;
        columns.reserve(table.headings.size());
        for (const QString& heading : table.headings)
            columns.append({heading, 0, ColumnJustification::Left});
        return ListReport::columnWidths(columns, printableInches);
    }
    // Fractions that fall short of the whole leave the rest of the width empty.
    QList<double> widths;
    widths.reserve(table.headings.size());
    for (qsizetype column = 0; column < table.headings.size(); ++column)
        widths.append(std::max(printableInches, 0.0) * std::max(table.widths.value(column), 0.0));
    return widths;
}

void QuickReportPrintout::build(PrintLayout& layout, const QuickReportContent& content,
                                const QuickReportFontSet& fonts, const ListReportMargins& margins)
{
    layout.Reset();
    layout.SetMargins(margins.left, margins.top, margins.right, margins.bottom);

    // Failing fonts are passed over: the report is still worth reading in the
    // font in force.
    if (!content.ok()) {
        layout.AddFont(fonts.body);
        layout.AddParagraphFlag(PrintLayout::kBodyParagraph);
        layout.AddText(content.error + QLatin1Char('\n'));
        return;
    }

    // The letterhead and the title are centred between the margins.
    layout.AddParagraphFlag(PrintLayout::kTitleParagraph);
    if (!content.companyName.isEmpty()) {
        layout.AddFont(fonts.companyName);
        layout.AddText(content.companyName + QLatin1Char('\n'));
    }
    if (!content.companyLines.isEmpty()) {
        layout.AddFont(fonts.companyInfo);
        AddLines(layout, content.companyLines);
    }
    if (!content.companyName.isEmpty() || !content.companyLines.isEmpty())
        layout.AddText(QStringLiteral("\n"));
    if (!content.title.isEmpty()) {
        layout.AddFont(fonts.title);
        layout.AddText(content.title + QLatin1Char('\n'));
    }

    layout.AddFont(fonts.body);
    layout.AddParagraphFlag(PrintLayout::kBodyParagraph);
    if (!content.dateLine.isEmpty())
        layout.AddText(content.dateLine + QStringLiteral("\n\n"));
    if (!content.headLines.isEmpty()) {
        AddLines(layout, content.headLines);
        layout.AddText(QStringLiteral("\n"));
    }

    const double printable = (layout.pageWidth() / kTwipsPerInch) - margins.left - margins.right;
    for (const QuickTable& table : content.tables) {
        AddTable(layout, table, fonts, printable);
        layout.AddText(QStringLiteral("\n"));
    }
    AddLines(layout, content.closingLines);
}

PrintJob QuickReportJob(const QuickReportContent& content, const CReportDefinition& fontsRecord,
                        const ListReportMargins& margins)
{
    const QuickReportFontSet fonts = QuickReportFontSet::from(fontsRecord);
    return LayoutJob(QuickReportPrintout::title(content), margins,
                     [content, fonts, margins](PrintLayout& layout) {
                         QuickReportPrintout::build(layout, content, fonts, margins);
                     });
}
