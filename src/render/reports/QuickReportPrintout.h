#pragma once

#include "core/reports/QuickReports.h"
#include "render/print/PrintJob.h"

#include <QFont>

class CReportDefinition;
class PrintLayout;

// The five fonts a quick report is set in, as the quick-report settings record
// names them.
struct QuickReportFontSet
{
    QFont title;
    QFont companyName;
    QFont companyInfo;
    QFont columnHeaders;
    QFont body;

    static QuickReportFontSet from(const CReportDefinition& fontsRecord);
};

// A quick report laid out by the print layout engine: the company block and the
// title centred, the date and head lines, each table with its headings repeated
// on every page it continues on, then the closing lines. A report that could not
// be built shows its error text alone.
class QuickReportPrintout
{
public:
    // The printout's name: the first line of the report's title.
    static QString title(const QuickReportContent& content);

    // Each column's width in inches: its fraction of `printableInches` when the
    // table fixes them, equal shares otherwise.
    static QList<double> columnWidths(const QuickTable& table, double printableInches);

    // Replaces the layout's content by the report and sets its margins; the page
    // size stays as the caller set it.
    static void build(PrintLayout& layout, const QuickReportContent& content, const QuickReportFontSet& fonts,
                      const ListReportMargins& margins);
};

// The report as a job the pane, the printer and a PDF file lay out alike, in the
// fonts of `fontsRecord` (QuickReportFonts::load).
PrintJob QuickReportJob(const QuickReportContent& content, const CReportDefinition& fontsRecord,
                        const ListReportMargins& margins);
