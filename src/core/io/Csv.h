#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

#include <optional>
#include <variant>

// Comma-separated values as RFC 4180 has them: fields separated by commas,
// records ended by CR LF, a field quoted when it holds a comma, a quote or a
// line break (or begins or ends with a blank, or begins with a byte-order
// mark), and a quote inside a quoted field written twice. The text is UTF-8.

// The texts values take in a file, the same for every export, so that a
// spreadsheet or another program reads them back without guessing:
// - an amount: a plain number with a point and no group separators, with two
//   decimals and up to four where the amount has them ("40.94", "-0.0125");
// - a whole number as it is, an ID without its padding;
// - a date as yyyy-MM-dd, one with a time of day as yyyy-MM-ddTHH:mm:ss;
// - a yes/no value as TRUE or FALSE;
// - a real number in the fewest digits that read back as the same number;
// - an empty date, an amount that cannot be shown or an empty value as an
//   empty field.
QString CsvMoneyText(Money amount);
QString CsvDateText(const DateTime& date);
QString CsvBooleanText(bool value);
QString CsvRealText(double value);
// Any of the above by the value's type (QString, whole numbers, bool, double,
// float, Money, DateTime, QDate); other types as QVariant::toString gives them.
QString CsvValueText(const QVariant& value);

// Writes records to a device. Writes are gathered into large blocks; failed()
// tells whether the device refused one.
class CsvWriter
{
public:
    explicit CsvWriter(QIODevice& device) : m_device(device) {}
    ~CsvWriter() { flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Fields of the record being written, in order.
    void addText(QStringView text);
    // As CsvValueText gives it.
    void addValue(const QVariant& value);
    void addWhole(qint64 value);
    void addEmpty() { separate(); }
    // Ends the record. A record must have a field: one empty field is written
    // as an empty line.
    void endRecord();
    void writeRecord(const QStringList& fields);

    // Hands the gathered bytes to the device; false once any write failed.
    bool flush();
    bool failed() const { return m_failed; }

private:
    void separate();

    QIODevice& m_device;
    QByteArray m_buffer;
    bool m_fieldWritten = false;
    bool m_failed = false;
};

// Why a text was refused: the line (from 1) the fault is on and what is wrong.
struct CsvError
{
    qint64 line = 0;
    QString message;

    friend bool operator==(const CsvError&, const CsvError&) = default;
};

// Reads records from a device or a byte array, one at a time, refusing text
// that is not valid rather than guessing what it meant: a quote left open, text
// after a closing quote, a quote inside a field that is not quoted, a carriage
// return without its line feed, bytes that are not UTF-8, a field longer than
// the limit. A leading byte-order mark is skipped; records end in CR LF or LF.
// An empty line is a record of one empty field; the line break after the last
// record is optional. The reader keeps one block of the device and the record
// being read, so its time and memory grow with the text, never faster.
class CsvReader
{
public:
    static constexpr qsizetype kDefaultMaxFieldBytes = 1 << 20;
    static constexpr qsizetype kMaxFields = 1 << 16;
    // A record's fields together, or one field when that limit is higher.
    static constexpr qsizetype kMaxRecordBytes = 1 << 24;

    explicit CsvReader(QIODevice& device, qsizetype maxFieldBytes = kDefaultMaxFieldBytes);
    explicit CsvReader(const QByteArray& text, qsizetype maxFieldBytes = kDefaultMaxFieldBytes);

    // The next record's fields; false at the end of the text or when the
    // text is refused (error() then says why, and every later call is false).
    bool readRecord(QStringList& fields);
    const std::optional<CsvError>& error() const { return m_error; }
    // The line the next record begins on.
    qint64 line() const { return m_line; }

private:
    // The next byte without taking it; -1 at the end (or a failed read).
    int peek();
    // Reads more of the device after what is left of the block; false when
    // nothing more came.
    bool refill();
    // A field from its first byte on; `end` is what ended it: a comma, a line
    // feed or -1 for the end of the text.
    bool readQuoted(QByteArray& field, int& end);
    bool readUnquoted(QByteArray& field, int& end);
    bool endOfRecord(int& end);
    bool tooLong(const QByteArray& field, qint64 startLine);
    bool addField(const QByteArray& field, qint64 startLine, QStringList& fields);
    bool refuse(qint64 line, const QString& message);

    QIODevice* m_device = nullptr;
    QByteArray m_block;
    qsizetype m_at = 0;
    qsizetype m_maxFieldBytes;
    qint64 m_line = 1;
    qsizetype m_recordBytes = 0;
    bool m_started = false;
    bool m_readFailed = false;
    std::optional<CsvError> m_error;
};

// Every record of a text, or why it was refused.
std::variant<QList<QStringList>, CsvError>
ReadCsv(const QByteArray& text, qsizetype maxFieldBytes = CsvReader::kDefaultMaxFieldBytes);
