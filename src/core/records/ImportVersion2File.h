#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a record file of version 2.0: fixed-length records back to back, no
// header. The records are read in one pass through a small buffer, so a file of
// any size costs the same memory; a trailing partial record is ignored.
class ImportVersion2File
{
public:
    explicit ImportVersion2File(int recordLength);

    // False when the path is not a readable regular file.
    bool open(const QString& path);
    // The whole records the file held when it was opened.
    qint64 recordCount() const { return m_recordCount; }
    // The next record (recordLength bytes, valid until the next call), or nullptr
    // at the end; failed() then tells an end from a read error.
    const char* next();
    bool failed() const { return m_failed; }
    // 1 for the first record; the number of the record next() returned last.
    qint64 recordNumber() const { return m_returned; }

    // A text slot: up to its first zero byte, and never past its own end, so a
    // slot without a zero byte cannot run on into the next field. The bytes are
    // Windows-1252.
    static QString text(const char* record, int offset, int length);
    // An 8-byte little-endian IEEE double.
    static double number(const char* record, int offset);

private:
    bool fillBuffer();

    int m_recordLength;
    QFile m_file;
    QByteArray m_buffer;
    qint64 m_recordCount = 0;
    qint64 m_read = 0;     // records read from the file into the buffer so far
    qint64 m_returned = 0; // records handed out
    qsizetype m_bufferRecords = 0;
    qsizetype m_bufferNext = 0;
    bool m_failed = false;
};
