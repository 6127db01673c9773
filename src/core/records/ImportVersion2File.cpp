#include "ImportVersion2File.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

#include <array>
#include <bit>
#include <cstring>

namespace {

// Records read from the disk at a time.
constexpr qsizetype kBlockRecords = 256;

// The characters of the 256 Windows-1252 bytes, decoded once; a byte the code
// page leaves undefined stays the replacement character.
const std::array<QChar, 256>& Windows1252()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> chars;
        chars.fill(QChar(QChar::ReplacementCharacter));
        QStringDecoder decoder("windows-1252");
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            if (!decoder.isValid()) {
                chars[static_cast<size_t>(byte)] =
                    QChar(static_cast<char16_t>(byte)); // Latin-1 is the nearest
                continue;
            }
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            decoder.resetState();
            if (decoded.size() == 1)
                chars[static_cast<size_t>(byte)] = decoded.at(0);
        }
        return chars;
    }();
    return table;
}

} // namespace

ImportVersion2File::ImportVersion2File(int recordLength) : m_recordLength(recordLength) {}

bool ImportVersion2File::open(const QString& path)
{
    // A device or a pipe would never end (or block the open itself).
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_recordCount = m_file.size() / m_recordLength;
    m_read = m_returned = 0;
    m_bufferRecords = m_bufferNext = 0;
    m_failed = false;
    return true;
}

bool ImportVersion2File::fillBuffer()
{
    const qint64 wanted = qMin<qint64>(kBlockRecords, m_recordCount - m_read);
    if (wanted <= 0)
        return false;
    m_buffer.resize(wanted * m_recordLength);
    const qint64 got = m_file.read(m_buffer.data(), m_buffer.size());
    if (got < 0) {
        m_failed = true;
        return false;
    }
    // A file that shrank while being read ends at its last whole record.
    m_bufferRecords = static_cast<qsizetype>(got / m_recordLength);
    m_bufferNext = 0;
    m_read += m_bufferRecords;
    if (m_bufferRecords < wanted)
        m_recordCount = m_read;
    return m_bufferRecords > 0;
}

const char* ImportVersion2File::next()
{
    if (!m_file.isOpen() || m_failed)
        return nullptr;
    if (m_bufferNext >= m_bufferRecords && !fillBuffer())
        return nullptr;
    ++m_returned;
    return m_buffer.constData() + (m_bufferNext++) * m_recordLength;
}

QString ImportVersion2File::text(const char* record, int offset, int length)
{
    const char* slot = record + offset;
    const void* zero = std::memchr(slot, 0, static_cast<size_t>(length));
    const int size = zero ? static_cast<int>(static_cast<const char*>(zero) - slot) : length;
    const std::array<QChar, 256>& chars = Windows1252();
    QString result(size, Qt::Uninitialized);
    QChar* out = result.data();
    for (int i = 0; i < size; ++i)
        out[i] = chars[static_cast<unsigned char>(slot[i])];
    return result;
}

double ImportVersion2File::number(const char* record, int offset)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(record + offset));
}
