#pragma once

#include "core/common/DialogModel.h"
#include "core/reports/ReportDefinition.h"

#include <QString>

#include <array>

class Clock;
class Prompter;

// The fonts of the quick reports and of the purchase-order printout, kept in the
// report file's reserved record "PURCHASE_ORDER" with the purchase-order
// columns.
namespace QuickReportFonts {

// The five fonts in the order Quick Report Settings lists them.
enum Line : int
{
    Title = 0,
    CompanyName,
    CompanyInfo,
    ColumnHeaders,
    Body,
    LineCount
};

// "Title", "Company Name", "Company Info", "Column Headers", "Body ".
QString label(Line line);
// Where a line's font sits among a definition's six fonts.
ReportFontSlot slot(Line line);

// The record a project starts with: five "Times New Roman" fonts, the title
// and the company name at 16 points, the company's address at 12, the column
// headers (bold) and the body at 10, and the five purchase-order columns.
CReportDefinition defaults();

// The stored record of the report file at `reportPath`, or the defaults when
// the file holds none or cannot be read.
CReportDefinition load(const QString& reportPath);

// Stores the defaults when the report file holds no record of that name. A
// damaged file is left alone (the reports then use the defaults), since
// rewriting it would lose the records after the damage. False only when the
// file could not be written.
bool ensureStored(const QString& reportPath, Prompter& prompter, const Clock& clock);

} // namespace QuickReportFonts

// The Quick Report Settings dialog: one font for each of the five lines, each
// changed through the font chooser, written to the reserved record on OK.
class QuickReportSettingsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    QuickReportSettingsModel(QString reportPath, Prompter& prompter, const Clock& clock);

    QString caption() const override { return QStringLiteral("Quick Report Settings"); }
    // "Choose the font settings you wish to use on your purchase orders."
    QString helpLine() const override;

    const ReportFont& font(QuickReportFonts::Line line) const;
    void setFont(QuickReportFonts::Line line, const ReportFont& font);
    // The line's font as "face (style) size pnt".
    QString description(QuickReportFonts::Line line) const;

    // Writes the record; the user is told when the file cannot be written, and
    // a damaged file the user chose to keep as it is stays unchanged.
    Result save();

private:
    QString m_reportPath;
    Prompter& m_prompter;
    const Clock& m_clock;
    CReportDefinition m_record;
};
