#include "core/reports/ReportDefinition.h"

#include "core/common/Archive.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Written with every record; readers accept any value.
constexpr double kRecordVersion = 3.51;

constexpr char kCodePage[] = "windows-1252";

// Byte offsets inside the 60-byte font record.
constexpr int kHeightAt = 0;
constexpr int kWidthAt = 4;
constexpr int kEscapementAt = 8;
constexpr int kOrientationAt = 12;
constexpr int kWeightAt = 16;
constexpr int kFlagsAt = 20;
constexpr int kFaceAt = 28;

// Weights from this one up read as bold.
constexpr qint32 kBoldFrom = 500;

QByteArray faceToCodePage(const QString& face)
{
    const bool ascii = std::all_of(face.cbegin(), face.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return face.toLatin1().left(ReportFont::kFaceNameSize - 1);
    QByteArray bytes;
    // Character by character, so one the code page lacks costs only itself;
    // the round trip catches characters a converter would quietly replace.
    for (QChar c : face) {
        QStringEncoder encoder(kCodePage);
        QStringDecoder decoder(kCodePage);
        if (!encoder.isValid() || !decoder.isValid()) {
            bytes += c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
            continue;
        }
        const QByteArray one = encoder.encode(QString(c));
        const bool held = !encoder.hasError() && one.size() == 1 && decoder.decode(one) == QString(c);
        bytes += held ? one : QByteArray("?");
    }
    // The last byte of the field is always the terminator.
    return bytes.left(ReportFont::kFaceNameSize - 1);
}

QString faceFromCodePage(const QByteArray& field)
{
    const qsizetype end = field.indexOf('\0');
    const QByteArray bytes = end < 0 ? field : field.left(end);
    const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= 0; });
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace

ReportFont ReportFont::fromPoints(const QString& face, int points, int pixelsPerInch)
{
    ReportFont font;
    // Rounded to the nearest pixel, as the system's own point-to-pixel
    // conversion does.
    font.height = -static_cast<qint32>(std::lround(double(points) * pixelsPerInch / 72.0));
    font.faceName = face;
    return font;
}

double ReportFont::points(int pixelsPerInch) const
{
    if (pixelsPerInch <= 0)
        return 0.0;
    return std::abs(double(height)) * 72.0 / pixelsPerInch;
}

QString ReportFont::styleName() const
{
    const bool bold = weight >= kBoldFrom;
    if (bold && italic)
        return QStringLiteral("Bold / Italic");
    if (bold)
        return QStringLiteral("Bold");
    if (italic)
        return QStringLiteral("Italic");
    return QStringLiteral("Regular");
}

QString ReportFont::description(int pixelsPerInch) const
{
    // The C library's rounding, so a size like 9.5 prints as it always has.
    char size[64];
    std::snprintf(size, sizeof size, "%.0f", points(pixelsPerInch));
    return faceName + QStringLiteral(" (") + styleName() + QStringLiteral(") ") + QString::fromLatin1(size) +
           QStringLiteral(" pnt");
}

QByteArray ReportFont::toRecord() const
{
    QByteArray record(kRecordSize, '\0');
    char* data = record.data();
    qToLittleEndian(height, data + kHeightAt);
    qToLittleEndian(width, data + kWidthAt);
    qToLittleEndian(escapement, data + kEscapementAt);
    qToLittleEndian(orientation, data + kOrientationAt);
    qToLittleEndian(weight, data + kWeightAt);
    const quint8 flags[] = {italic,       underline,     strikeOut, charSet,
                            outPrecision, clipPrecision, quality,   pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        data[kFlagsAt + i] = static_cast<char>(flags[i]);
    const QByteArray face = faceToCodePage(faceName);
    std::copy(face.cbegin(), face.cend(), data + kFaceAt);
    return record;
}

ReportFont ReportFont::fromRecord(const QByteArray& record)
{
    ReportFont font;
    if (record.size() != kRecordSize)
        return font;
    const char* data = record.constData();
    font.height = qFromLittleEndian<qint32>(data + kHeightAt);
    font.width = qFromLittleEndian<qint32>(data + kWidthAt);
    font.escapement = qFromLittleEndian<qint32>(data + kEscapementAt);
    font.orientation = qFromLittleEndian<qint32>(data + kOrientationAt);
    font.weight = qFromLittleEndian<qint32>(data + kWeightAt);
    font.italic = static_cast<quint8>(data[kFlagsAt + 0]);
    font.underline = static_cast<quint8>(data[kFlagsAt + 1]);
    font.strikeOut = static_cast<quint8>(data[kFlagsAt + 2]);
    font.charSet = static_cast<quint8>(data[kFlagsAt + 3]);
    font.outPrecision = static_cast<quint8>(data[kFlagsAt + 4]);
    font.clipPrecision = static_cast<quint8>(data[kFlagsAt + 5]);
    font.quality = static_cast<quint8>(data[kFlagsAt + 6]);
    font.pitchAndFamily = static_cast<quint8>(data[kFlagsAt + 7]);
    font.faceName = faceFromCodePage(record.mid(kFaceAt, kFaceNameSize));
    return font;
}

void ReportFont::write(ArchiveWriter& archive) const
{
    const QByteArray record = toRecord();
    for (char byte : record)
        archive.writeByte(static_cast<quint8>(byte));
}

bool ReportFont::isPlausibleRecord(const QByteArray& record)
{
    if (record.size() != kRecordSize)
        return false;
    const char* data = record.constData();
    const qint32 height = qFromLittleEndian<qint32>(data + kHeightAt);
    const qint32 width = qFromLittleEndian<qint32>(data + kWidthAt);
    const qint32 weight = qFromLittleEndian<qint32>(data + kWeightAt);
    if (std::abs(qint64(height)) > kLargestSize || std::abs(qint64(width)) > kLargestSize || weight < 0 ||
        weight > kHeaviestWeight)
        return false;
    // The face name always ends inside its field.
    const QByteArray face = record.mid(kFaceAt, kFaceNameSize);
    const qsizetype end = face.indexOf('\0');
    return end >= 0 && std::all_of(face.cbegin(), face.cbegin() + end,
                                   [](char byte) { return static_cast<unsigned char>(byte) >= 0x20; });
}

bool ReportFont::read(ArchiveReader& archive)
{
    QByteArray record(kRecordSize, '\0');
    for (char& byte : record)
        byte = static_cast<char>(archive.readByte());
    if (archive.hasError())
        return false;
    if (!isPlausibleRecord(record)) {
        archive.setError();
        return false;
    }
    *this = fromRecord(record);
    return true;
}

void CReportDefinition::Write(ArchiveWriter& archive) const
{
    archive.writeDouble(kRecordVersion);
    archive.writeText(table);
    archive.writeText(name);
    archive.writeText(title);
    archive.writeText(statisticsTitle);
    for (const ReportFont& font : fonts)
        font.write(archive);
    archive.writeUInt16(titleAlignment);
    archive.writeUInt16(statisticsTitleAlignment);
    archive.writeInt32(verticalLines);
    archive.writeInt32(horizontalLines);
    archive.writeInt32(pageNumbers);
    archive.writeInt32(companyInformation);
    archive.writeInt32(applyQuery);
    archive.writeText(queryName);
    archive.writeInt32(showList);
    archive.writeInt32(showRecordNumbers);
    archive.writeText(sortField);
    archive.writeInt32(static_cast<qint32>(columns.size()));
    for (const ReportColumn& column : columns) {
        archive.writeText(column.header);
        archive.writeText(column.field);
        archive.writeInt32(column.alignment);
        archive.writeInt32(column.x);
        archive.writeInt32(column.kind);
    }
    archive.writeInt32(static_cast<qint32>(statistics.size()));
    for (const QString& statistic : statistics)
        archive.writeText(statistic);
}

bool CReportDefinition::Read(ArchiveReader& archive)
{
    // Every value is checked as soon as it is read, so the first fault is the
    // one that ends the record: a value no definition holds (damage), or the
    // end of the data (a file cut short). Counts are believed one element at a
    // time, so nothing is reserved up front.
    const auto check = [&archive](bool plausible) {
        if (!archive.hasError() && !plausible)
            archive.setError();
    };
    const auto text = [&](bool required) {
        QString value = archive.readText();
        check(isPlainText(value) && (!required || !value.isEmpty()));
        return value;
    };
    const auto flag = [&] {
        const qint32 value = archive.readInt32();
        check(value == 0 || value == 1);
        return value;
    };
    const auto inRange = [&](qint32 value, qint32 lowest, qint32 highest) {
        check(value >= lowest && value <= highest);
        return value;
    };

    CReportDefinition read;
    archive.readDouble();
    read.table = text(false);
    read.name = text(true);
    read.title = text(false);
    read.statisticsTitle = text(false);
    for (ReportFont& font : read.fonts)
        font.read(archive);
    read.titleAlignment = static_cast<quint16>(inRange(archive.readUInt16(), AlignCenter, AlignRight));
    read.statisticsTitleAlignment =
        static_cast<quint16>(inRange(archive.readUInt16(), AlignCenter, AlignRight));
    read.verticalLines = flag();
    read.horizontalLines = flag();
    read.pageNumbers = flag();
    read.companyInformation = flag();
    read.applyQuery = flag();
    read.queryName = text(false);
    read.showList = flag();
    read.showRecordNumbers = flag();
    read.sortField = text(false);

    const qint32 columnCount = inRange(archive.readInt32(), 0, kMostColumns);
    for (qint32 i = 0; i < columnCount && !archive.hasError(); ++i) {
        ReportColumn column;
        column.header = text(false);
        column.field = text(true);
        column.alignment = inRange(archive.readInt32(), AlignCenter, AlignRight);
        column.x = archive.readInt32();
        column.kind = inRange(archive.readInt32(), ReportColumn::KindField, ReportColumn::KindStatistic);
        if (!archive.hasError())
            read.columns.append(column);
    }
    const qint32 statisticCount = inRange(archive.readInt32(), 0, kMostStatistics);
    for (qint32 i = 0; i < statisticCount && !archive.hasError(); ++i) {
        const QString statistic = text(true);
        if (!archive.hasError())
            read.statistics.append(statistic);
    }
    if (archive.hasError())
        return false;
    *this = std::move(read);
    return true;
}
