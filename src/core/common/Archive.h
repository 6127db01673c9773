#pragma once

#include "core/common/DateTime.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QIODevice;

// Writes the little-endian binary records of the project's own files (the
// settings file, the report definition file). The first failed write puts the
// writer in an error state and every later write is dropped, so a caller checks
// hasError() once at the end.
class ArchiveWriter
{
public:
    explicit ArchiveWriter(QIODevice& device);

    void writeInt32(qint32 value);
    void writeUInt32(quint32 value);
    void writeUInt16(quint16 value);
    void writeByte(quint8 value);
    void writeDouble(double value);
    // Status (0 valid, 1 invalid, 2 null) as 32 bits, then the day number.
    void writeDate(const DateTime& value);
    // A length prefix and the characters in Windows-1252; text that code page
    // cannot hold is written in the wide form (UTF-16LE) instead.
    void writeText(const QString& text);

    bool hasError() const { return m_error; }

private:
    void writeLength(qint64 length);
    void writeBytes(const char* data, qint64 size);

    QIODevice& m_device;
    bool m_error = false;
};

// Reads what ArchiveWriter writes. Truncated input, a length beyond what the
// device still holds or an unknown date status put the reader in an error
// state; every read after that returns a zero value without touching the device.
// ranOut() tells the first fault that ends where the data ends (a file cut
// short) from one that is damage.
class ArchiveReader
{
public:
    explicit ArchiveReader(QIODevice& device);

    qint32 readInt32();
    quint32 readUInt32();
    quint16 readUInt16();
    quint8 readByte();
    double readDouble();
    DateTime readDate();
    QString readText();

    // For record readers that find a value they cannot accept; a reader
    // already in error keeps its first fault.
    void setError() { m_error = true; }
    bool hasError() const { return m_error; }
    // Whether the first fault was the data ending inside a value: too few
    // bytes for a number, or a text whose length runs past the end while the
    // bytes that are there could be its beginning.
    bool ranOut() const { return m_ranOut; }

private:
    template <typename T> T readLittleEndian();
    bool readExact(char* data, qint64 size);
    QByteArray readBlock(qint64 size);
    qint64 readLength(bool* wide);

    QIODevice& m_device;
    bool m_error = false;
    bool m_ranOut = false;
};

// Whether a text holds no control codes but tab, line feed and carriage
// return: what every text a user can type satisfies, and what bytes read from
// the wrong place rarely do.
bool isPlainText(const QString& text);

// Replaces the file at path with what body writes. The bytes go to a file
// beside it that is renamed over the old one only when everything was written,
// so a crash or a full disk never costs the previous file. body returns
// Status::Success or its own failure status. The result is body's status,
// Status::InvalidFileName when the file cannot be created, or
// Status::FileNotAccessible when a write, the final flush or the rename fails;
// either gives way to Status::NameTooLong or Status::ReadOnly when that is the
// cause. A write the file refuses fails the whole file, and names the cause,
// even when body does not notice it (a painter writing a PDF does not).
int writeFileSafely(const QString& path, const std::function<int(QIODevice&)>& body);

// For tests: while one of these lives, every writeFileSafely body writes
// through the device `wrap` puts in front of the file (one that fails part-way,
// say). The filter before it comes back when it goes.
class WriteFileFilter
{
public:
    using Wrap = std::function<std::unique_ptr<QIODevice>(QIODevice& file)>;

    explicit WriteFileFilter(Wrap wrap);
    ~WriteFileFilter();
    WriteFileFilter(const WriteFileFilter&) = delete;
    WriteFileFilter& operator=(const WriteFileFilter&) = delete;

private:
    Wrap m_previous;
};
