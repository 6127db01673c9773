#include "core/reports/QuickReportSettings.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/reports/ReportFile.h"

namespace QuickReportFonts {

namespace {

const QString kFace = QStringLiteral("Times New Roman");

} // namespace

QString label(Line line)
{
    switch (line) {
    case Title:
        return QStringLiteral("Title");
    case CompanyName:
        return QStringLiteral("Company Name");
    case CompanyInfo:
        return QStringLiteral("Company Info");
    case ColumnHeaders:
        return QStringLiteral("Column Headers");
    case Body:
    case LineCount:
        break;
    }
    return QStringLiteral("Body ");
}

ReportFontSlot slot(Line line)
{
    switch (line) {
    case Title:
        return TitleFont;
    case CompanyName:
        return CompanyNameFont;
    case CompanyInfo:
        return CompanyInfoFont;
    case ColumnHeaders:
        return ColumnHeadersFont;
    case Body:
    case LineCount:
        break;
    }
    return BodyFont;
}

CReportDefinition defaults()
{
    CReportDefinition record;
    record.name = ReportFile::reservedName();
    record.table = QStringLiteral("Order");
    record.title = QStringLiteral("PURCHASE ORDER");
    record.fonts[TitleFont] = ReportFont::fromPoints(kFace, 16);
    record.fonts[CompanyNameFont] = ReportFont::fromPoints(kFace, 16);
    record.fonts[CompanyInfoFont] = ReportFont::fromPoints(kFace, 12);
    record.fonts[ColumnHeadersFont] = ReportFont::fromPoints(kFace, 10);
    record.fonts[ColumnHeadersFont].weight = ReportFont::kBoldWeight;
    record.fonts[BodyFont] = ReportFont::fromPoints(kFace, 10);
    // The printout's totals close it under the column headers' font.
    record.fonts[StatisticsTitleFont] = record.fonts[ColumnHeadersFont];
    record.titleAlignment = AlignCenter;
    record.companyInformation = 1;
    record.showList = 1;
    record.columns = {
        {QStringLiteral("Item"), QStringLiteral("ItemName"), AlignLeft, 0, ReportColumn::KindField},
        {QStringLiteral("Number"), QStringLiteral("ItemNumber"), AlignLeft, 0, ReportColumn::KindField},
        {QStringLiteral("Quantity"), QStringLiteral("Quanity"), AlignRight, 0, ReportColumn::KindField},
        {QStringLiteral("Unit Price"), QStringLiteral("Cost"), AlignRight, 0, ReportColumn::KindField},
        {QStringLiteral("Extended Cost"), QStringLiteral("EXTENDED_COST"), AlignRight, 0,
         ReportColumn::KindField},
    };
    return record;
}

CReportDefinition load(const QString& reportPath)
{
    ReportFile file(reportPath);
    if (!file.getByName(ReportFile::reservedName()))
        return defaults();
    CReportDefinition record;
    file.apply(record);
    return record;
}

bool ensureStored(const QString& reportPath, Prompter& prompter, const Clock& clock)
{
    ReportFile file(reportPath);
    const ReportFile::Contents contents = file.read();
    if (contents.readEnd == ReportFile::ReadEnd::Damaged ||
        contents.readEnd == ReportFile::ReadEnd::Unreadable)
        return true;
    for (const CReportDefinition& record : contents.records) {
        if (record.name == ReportFile::reservedName())
            return true;
    }
    CReportDefinition record = defaults();
    return file.saveAsNew(record, ReportFile::reservedName(), prompter, clock) ==
           ReportFile::SaveStatus::Saved;
}

} // namespace QuickReportFonts

QuickReportSettingsModel::QuickReportSettingsModel(QString reportPath, Prompter& prompter, const Clock& clock)
    : m_reportPath(std::move(reportPath)), m_prompter(prompter), m_clock(clock),
      m_record(QuickReportFonts::load(m_reportPath))
{
}

QString QuickReportSettingsModel::helpLine() const
{
    return QStringLiteral("Choose the font settings you wish to use on your purchase orders.");
}

const ReportFont& QuickReportSettingsModel::font(QuickReportFonts::Line line) const
{
    return m_record.fonts[QuickReportFonts::slot(line)];
}

void QuickReportSettingsModel::setFont(QuickReportFonts::Line line, const ReportFont& font)
{
    m_record.fonts[QuickReportFonts::slot(line)] = font;
}

QString QuickReportSettingsModel::description(QuickReportFonts::Line line) const
{
    return font(line).description();
}

QuickReportSettingsModel::Result QuickReportSettingsModel::save()
{
    ReportFile file(m_reportPath);
    const QString name = ReportFile::reservedName();
    switch (file.replace(name, m_record, name, m_prompter, m_clock)) {
    case ReportFile::SaveStatus::Saved:
        return Result::ok();
    case ReportFile::SaveStatus::Cancelled:
        return Result::refused();
    case ReportFile::SaveStatus::NameTaken:
    case ReportFile::SaveStatus::Failed:
        break;
    }
    warn(m_prompter,
         QStringLiteral("The quick report settings could not be saved to \"%1\".").arg(m_reportPath));
    return Result::refused();
}
