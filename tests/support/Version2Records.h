#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <bit>
#include <cstring>

// A record of a version 2.0 file, built byte by byte: text slots and
// little-endian doubles at the offsets the file format gives.
class RecordBytes
{
public:
    explicit RecordBytes(int length) : m_bytes(length, '\0') {}
    // The text goes into its slot, followed by the slot's zero bytes when shorter.
    RecordBytes& text(int offset, const QByteArray& text)
    {
        std::memcpy(m_bytes.data() + offset, text.constData(), static_cast<size_t>(text.size()));
        return *this;
    }
    RecordBytes& number(int offset, double value)
    {
        const quint64 bits = std::bit_cast<quint64>(value);
        for (int i = 0; i < 8; ++i)
            m_bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
