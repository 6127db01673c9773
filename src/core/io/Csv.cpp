#include "Csv.h"

#include <QDate>
#include <QStringDecoder>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr qsizetype kWriteBlock = 64 * 1024;
constexpr qsizetype kReadBlock = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

template <typename Real> QString shortestText(Real value)
{
    if (!std::isfinite(value))
        return QString();
    char digits[64];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return QString::fromLatin1(digits, end.ptr - digits);
}

// The offset of the first byte that does not begin a well-formed UTF-8
// sequence (overlong forms, surrogates and values past U+10FFFF are not);
// -1 when every byte is in place.
qsizetype firstInvalidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            return i;
        }
        if (n - i < length)
            return i;
        for (int k = 1; k < length; ++k) {
            const uchar next = p[i + k];
            if ((next & 0xC0) != 0x80)
                return i;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return i;
        i += length;
    }
    return -1;
}

// Appends the text as UTF-8 (a lone surrogate as U+FFFD); true when it holds
// a byte that makes its field quoted.
bool appendUtf8(QByteArray& buffer, QStringView text)
{
    const qsizetype start = buffer.size();
    buffer.resize(start + text.size() * 3);
    char* out = buffer.data() + start;
    bool special = false;
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t code = units[i];
        if (code < 0x80) {
            special = special || code == ',' || code == '"' || code == '\r' || code == '\n';
            *out++ = char(code);
            continue;
        }
        if (code < 0x800) {
            *out++ = char(0xC0 | (code >> 6));
            *out++ = char(0x80 | (code & 0x3F));
            continue;
        }
        if (QChar::isHighSurrogate(code) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
            code = QChar::surrogateToUcs4(char16_t(code), units[++i]);
            *out++ = char(0xF0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3F));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
            *out++ = char(0x80 | (code & 0x3F));
            continue;
        }
        if (QChar::isSurrogate(code))
            code = 0xFFFD;
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    }
    buffer.truncate(out - buffer.constData());
    return special;
}

} // namespace

QString CsvMoneyText(Money amount)
{
    if (!amount.isValid())
        return QString();
    const qint64 count = amount.tenThousandths();
    // The magnitude unsigned, so that the smallest amount has one too.
    const quint64 magnitude = count < 0 ? 0 - quint64(count) : quint64(count);
    QString decimals = QString::number(magnitude % Money::kScale).rightJustified(4, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return (count < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / Money::kScale) +
           QLatin1Char('.') + decimals;
}

QString CsvDateText(const DateTime& date)
{
    if (!date.isValid())
        return QString();
    const QDate day = date.date();
    if (!day.isValid() || day.year() < 1 || day.year() > 9999)
        return QString();
    // Written by hand: a register has a date on every row, and the locale's
    // formatter costs more than the rest of the row.
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    day.getDate(&year, &month, &dayOfMonth);
    QChar text[19];
    const auto put = [&text](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[at + i] = QChar(u'0' + value % 10);
    };
    put(0, year, 4);
    text[4] = u'-';
    put(5, month, 2);
    text[7] = u'-';
    put(8, dayOfMonth, 2);
    // The time of day to the nearest second; none at midnight.
    const double fraction = std::fabs(date.days() - std::trunc(date.days()));
    const int seconds = int(std::min<qint64>(std::llround(fraction * 86400.0), 86399));
    if (seconds == 0)
        return QString(text, 10);
    text[10] = u'T';
    put(11, seconds / 3600, 2);
    text[13] = u':';
    put(14, seconds / 60 % 60, 2);
    text[16] = u':';
    put(17, seconds % 60, 2);
    return QString(text, 19);
}

QString CsvBooleanText(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString CsvRealText(double value)
{
    return shortestText(value);
}

QString CsvValueText(const QVariant& value)
{
    if (!value.isValid())
        return QString();
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<Money>())
        return CsvMoneyText(value.value<Money>());
    if (type == QMetaType::fromType<DateTime>())
        return CsvDateText(value.value<DateTime>());
    switch (type.id()) {
    case QMetaType::Bool:
        return CsvBooleanText(value.toBool());
    case QMetaType::Double:
        return CsvRealText(value.toDouble());
    case QMetaType::Float:
        return shortestText(value.toFloat());
    case QMetaType::QDate:
        return CsvDateText(DateTime::fromDate(value.toDate()));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    default:
        return value.toString();
    }
}

void CsvWriter::separate()
{
    if (m_fieldWritten)
        m_buffer += ',';
    m_fieldWritten = true;
}

void CsvWriter::addText(QStringView text)
{
    separate();
    const qsizetype start = m_buffer.size();
    const bool special = appendUtf8(m_buffer, text);
    // Blanks at either end are quoted so that no reader trims them, and a
    // leading byte-order mark so that it is not taken for the file's own.
    const bool kept =
        !text.isEmpty() && (isBlank(text.front().toLatin1()) || isBlank(text.back().toLatin1()) ||
                            text.front() == QChar::ByteOrderMark);
    if (!special && !kept)
        return;
    const QByteArray bytes = m_buffer.sliced(start);
    m_buffer.truncate(start);
    m_buffer += '"';
    for (const char c : bytes) {
        if (c == '"')
            m_buffer += '"';
        m_buffer += c;
    }
    m_buffer += '"';
}

void CsvWriter::addValue(const QVariant& value)
{
    // Texts and whole numbers, most of any list, without a converted copy.
    switch (value.metaType().id()) {
    case QMetaType::QString:
        addText(*static_cast<const QString*>(value.constData()));
        return;
    case QMetaType::Int:
        addWhole(*static_cast<const int*>(value.constData()));
        return;
    case QMetaType::LongLong:
        addWhole(*static_cast<const qlonglong*>(value.constData()));
        return;
    default:
        addText(CsvValueText(value));
    }
}

void CsvWriter::addWhole(qint64 value)
{
    separate();
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    m_buffer.append(digits, end.ptr - digits);
}

void CsvWriter::endRecord()
{
    m_buffer += "\r\n";
    m_fieldWritten = false;
    if (m_buffer.size() >= kWriteBlock)
        flush();
}

void CsvWriter::writeRecord(const QStringList& fields)
{
    for (const QString& field : fields)
        addText(field);
    endRecord();
}

bool CsvWriter::flush()
{
    if (!m_buffer.isEmpty() && !m_failed)
        m_failed = m_device.write(m_buffer) != m_buffer.size();
    m_buffer.truncate(0); // keeps its room for the next block
    return !m_failed;
}

CsvReader::CsvReader(QIODevice& device, qsizetype maxFieldBytes)
    : m_device(&device), m_maxFieldBytes(maxFieldBytes)
{
}

CsvReader::CsvReader(const QByteArray& text, qsizetype maxFieldBytes)
    : m_block(text), m_maxFieldBytes(maxFieldBytes)
{
}

bool CsvReader::refill()
{
    if (!m_device || m_readFailed)
        return false;
    // What is left of the block stays in front of the bytes read after it.
    m_block.remove(0, m_at);
    m_at = 0;
    const qsizetype kept = m_block.size();
    m_block.resize(kept + kReadBlock);
    const qint64 read = m_device->read(m_block.data() + kept, kReadBlock);
    m_block.resize(kept + std::max<qint64>(read, 0));
    if (read < 0)
        m_readFailed = true;
    return read > 0;
}

int CsvReader::peek()
{
    if (m_at >= m_block.size() && !refill())
        return -1;
    return uchar(m_block.at(m_at));
}

bool CsvReader::refuse(qint64 line, const QString& message)
{
    m_error = CsvError{line, message};
    return false;
}

bool CsvReader::endOfRecord(int& end)
{
    // At a carriage return: the line feed must follow it.
    ++m_at;
    if (peek() != '\n')
        return refuse(
            m_line,
            QStringLiteral("Line %1 holds a carriage return without a line feed after it.").arg(m_line));
    ++m_at;
    end = '\n';
    return true;
}

bool CsvReader::tooLong(const QByteArray& field, qint64 startLine)
{
    if (field.size() <= m_maxFieldBytes)
        return false;
    refuse(startLine,
           QStringLiteral("A field on line %1 is longer than %2 bytes.").arg(startLine).arg(m_maxFieldBytes));
    return true;
}

bool CsvReader::readQuoted(QByteArray& field, int& end)
{
    const qint64 startLine = m_line;
    ++m_at; // the opening quote
    for (;;) {
        if (m_at >= m_block.size() && !refill())
            return refuse(
                startLine,
                QStringLiteral("The quote that opens a field on line %1 is never closed.").arg(startLine));
        const char* data = m_block.constData();
        const qsizetype size = m_block.size();
        qsizetype i = m_at;
        while (i < size && data[i] != '"' && data[i] != '\n')
            ++i;
        field.append(data + m_at, i - m_at);
        m_at = i;
        if (tooLong(field, startLine))
            return false;
        if (i == size)
            continue;
        ++m_at;
        if (data[i] == '\n') {
            field += '\n';
            ++m_line;
            continue;
        }
        // A quote: doubled it stands for itself, alone it closes the field.
        if (peek() == '"') {
            field += '"';
            ++m_at;
            continue;
        }
        break;
    }
    const int next = peek();
    if (next == ',' || next == '\n') {
        ++m_at;
        end = next;
        return true;
    }
    if (next == '\r')
        return endOfRecord(end);
    if (next < 0) {
        end = -1;
        return true;
    }
    return refuse(m_line, QStringLiteral("Line %1 has text after the closing quote of a field.").arg(m_line));
}

bool CsvReader::readUnquoted(QByteArray& field, int& end)
{
    const qint64 startLine = m_line;
    for (;;) {
        if (m_at >= m_block.size() && !refill()) {
            end = -1;
            return !tooLong(field, startLine);
        }
        const char* data = m_block.constData();
        const qsizetype size = m_block.size();
        qsizetype i = m_at;
        while (i < size && data[i] != ',' && data[i] != '\n' && data[i] != '\r' && data[i] != '"')
            ++i;
        field.append(data + m_at, i - m_at);
        m_at = i;
        if (tooLong(field, startLine))
            return false;
        if (i == size)
            continue;
        switch (data[i]) {
        case '"':
            return refuse(m_line,
                          QStringLiteral("Line %1 has a quote inside a field that does not begin with one.")
                              .arg(m_line));
        case '\r':
            return endOfRecord(end);
        default:
            ++m_at;
            end = data[i];
            return true;
        }
    }
}

bool CsvReader::addField(const QByteArray& field, qint64 startLine, QStringList& fields)
{
    if (const qsizetype bad = firstInvalidUtf8(field); bad >= 0) {
        const qint64 line = startLine + field.first(bad).count('\n');
        return refuse(line, QStringLiteral("Line %1 holds bytes that are not UTF-8 text.").arg(line));
    }
    if (fields.size() >= kMaxFields)
        return refuse(
            startLine,
            QStringLiteral("A record on line %1 has more than %2 fields.").arg(startLine).arg(kMaxFields));
    m_recordBytes += field.size();
    if (const qsizetype most = std::max(kMaxRecordBytes, m_maxFieldBytes); m_recordBytes > most)
        return refuse(
            startLine,
            QStringLiteral("A record on line %1 is longer than %2 bytes.").arg(startLine).arg(most));
    // A byte-order mark that begins a field is text of the field.
    QStringDecoder decode(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    fields.append(decode(field));
    return true;
}

bool CsvReader::readRecord(QStringList& fields)
{
    fields.clear();
    if (m_error)
        return false;
    if (!m_started) {
        m_started = true;
        while (m_block.size() - m_at < 3 && refill()) {
        }
        if (m_block.sliced(m_at).startsWith("\xEF\xBB\xBF"))
            m_at += 3;
    }
    const qint64 recordLine = m_line;
    if (peek() < 0) {
        if (m_readFailed)
            return refuse(recordLine,
                          QStringLiteral("The text could not be read after line %1.").arg(recordLine - 1));
        return false;
    }
    QByteArray field;
    m_recordBytes = 0;
    int end = ',';
    while (end == ',') {
        field.clear();
        const qint64 startLine = m_line;
        const bool read = peek() == '"' ? readQuoted(field, end) : readUnquoted(field, end);
        if (!read || !addField(field, startLine, fields))
            return false;
    }
    if (m_readFailed)
        return refuse(m_line, QStringLiteral("The text could not be read after line %1.").arg(m_line - 1));
    if (end == '\n')
        ++m_line;
    return true;
}

std::variant<QList<QStringList>, CsvError> ReadCsv(const QByteArray& text, qsizetype maxFieldBytes)
{
    CsvReader reader(text, maxFieldBytes);
    QList<QStringList> records;
    QStringList fields;
    while (reader.readRecord(fields))
        records.append(fields);
    if (reader.error())
        return *reader.error();
    return records;
}
