#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

class ArchiveReader;
class ArchiveWriter;

// Fonts are sized against the screen's logical resolution; the engine has no
// screen, so callers that do pass theirs and everything else uses this one.
inline constexpr int kScreenPixelsPerInch = 96;

// One font of a report as the definition file keeps it: a Windows logical font
// record of 60 bytes (five 32-bit values, eight bytes of flags and a 32-byte face
// name in the ANSI code page). Turning it into a real font is the renderer's job.
struct ReportFont
{
    static constexpr int kRecordSize = 60;
    static constexpr int kFaceNameSize = 32;
    static constexpr qint32 kNormalWeight = 400;
    static constexpr qint32 kBoldWeight = 700;
    static constexpr quint8 kDefaultCharSet = 1;
    // No font is larger, in logical units, or heavier than these.
    static constexpr qint32 kLargestSize = 0x7FFF;
    static constexpr qint32 kHeaviestWeight = 1000;

    qint32 height = 0; // logical units; negative means character height
    qint32 width = 0;
    qint32 escapement = 0;
    qint32 orientation = 0;
    qint32 weight = kNormalWeight;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 charSet = kDefaultCharSet;
    quint8 outPrecision = 0;
    quint8 clipPrecision = 0;
    quint8 quality = 0;
    quint8 pitchAndFamily = 0;
    QString faceName;

    // A regular font of that face whose character height is `points` at the
    // given resolution.
    static ReportFont fromPoints(const QString& face, int points, int pixelsPerInch = kScreenPixelsPerInch);

    // The size in points: the absolute height times 72 over the resolution.
    double points(int pixelsPerInch = kScreenPixelsPerInch) const;
    // "Regular", "Bold", "Italic" or "Bold / Italic".
    QString styleName() const;
    // The face, the style and the size as one line of the General page.
    QString description(int pixelsPerInch = kScreenPixelsPerInch) const;

    // The 60 bytes as stored. A face name longer than 31 bytes is cut, and
    // characters the code page lacks become '?'.
    QByteArray toRecord() const;
    static ReportFont fromRecord(const QByteArray& record);

    // Whether 60 bytes could be a font record at all: sizes and weight in
    // their ranges, a face name of characters that ends inside its field.
    static bool isPlausibleRecord(const QByteArray& record);

    void write(ArchiveWriter& archive) const;
    // False (and this font unchanged) when the record is cut short or is no
    // font record; the archive is then in error.
    bool read(ArchiveReader& archive);

    friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

// Where text sits in its line or column.
enum ReportAlignment : qint32
{
    AlignCenter = 0,
    AlignLeft = 1,
    AlignRight = 2,
};

// One column of a custom report.
struct ReportColumn
{
    // What a column shows: a field of the table (lookup names included) or the
    // value of a statistic evaluated for each record.
    static constexpr qint32 KindField = 0;
    static constexpr qint32 KindStatistic = 1;

    QString header;
    QString field;
    qint32 alignment = AlignLeft;
    qint32 x = 0; // twips; the renderer records where it put the column
    qint32 kind = KindField;

    friend bool operator==(const ReportColumn&, const ReportColumn&) = default;
};

// The six fonts of a report, in the order the definition file stores them.
enum ReportFontSlot : int
{
    TitleFont = 0,
    StatisticsTitleFont,
    BodyFont,
    CompanyNameFont,
    CompanyInfoFont,
    ColumnHeadersFont,
    ReportFontCount
};

// A custom report's design: the table it lists, its columns, titles, fonts,
// rules, the stored query that may select its records and the statistics that
// close it. One record of the report definition file (name.irp).
class CReportDefinition
{
public:
    // The most columns and statistics a record may claim; a count beyond
    // them is damage.
    static constexpr qint32 kMostColumns = 1000;
    static constexpr qint32 kMostStatistics = 100;

    QString table;
    QString name;
    QString title;
    QString statisticsTitle;
    std::array<ReportFont, ReportFontCount> fonts;
    quint16 titleAlignment = AlignCenter;
    quint16 statisticsTitleAlignment = AlignCenter;
    qint32 verticalLines = 0;
    qint32 horizontalLines = 0;
    qint32 pageNumbers = 0;
    qint32 companyInformation = 0;
    qint32 applyQuery = 0;
    QString queryName;
    qint32 showList = 0;
    qint32 showRecordNumbers = 0;
    QString sortField;
    QList<ReportColumn> columns;
    QStringList statistics;

    // An independent copy, fonts included.
    CReportDefinition clone() const { return *this; }

    // One record of the definition file.
    void Write(ArchiveWriter& archive) const;
    // False when the record is cut short or holds a value no definition holds
    // (an empty name, a control code in a text, an alignment, flag, count or
    // font out of its range); this definition is then left unchanged and the
    // archive's ranOut() tells which.
    bool Read(ArchiveReader& archive);

    friend bool operator==(const CReportDefinition&, const CReportDefinition&) = default;
};
