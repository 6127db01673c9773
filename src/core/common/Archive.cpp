#include "core/common/Archive.h"

#include "core/common/StatusCodes.h"

#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <utility>

namespace {

// A first length byte of 255 announces a 16-bit length; the 16-bit values
// 0xFFFE and 0xFFFF in turn announce wide text and a 32-bit length.
constexpr quint8 kLongLength = 255;
constexpr quint16 kWideText = 0xFFFE;
constexpr quint16 kHugeLength = 0xFFFF;

// Large blocks are read piecewise so a damaged length on a stream whose size is
// unknown only costs memory for bytes that actually arrive.
constexpr qint64 kReadChunk = qint64(1) << 20;

constexpr char kCodePage[] = "windows-1252";

// The text in the single-byte code page, or nothing when a character has no
// place there. The round trip also catches characters the converter would
// silently replace.
std::optional<QByteArray> toCodePage(const QString& text)
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return text.toLatin1();
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.size() != text.size())
        return std::nullopt;
    QStringDecoder decoder(kCodePage);
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

// Whether a character code may stand in a text: none of the control codes
// but tab, line feed and carriage return.
bool isTextCode(char16_t code)
{
    return code >= 0x20 || code == u'\t' || code == u'\n' || code == u'\r';
}

// Whether bytes could be the characters of a text, in the code page or wide.
bool couldBeText(const QByteArray& bytes, bool wide)
{
    if (!wide)
        return std::all_of(bytes.cbegin(), bytes.cend(),
                           [](char byte) { return isTextCode(static_cast<unsigned char>(byte)); });
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        if (!isTextCode(qFromLittleEndian<quint16>(bytes.constData() + i)))
            return false;
    }
    return true;
}

QString fromCodePage(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace

ArchiveWriter::ArchiveWriter(QIODevice& device) : m_device(device) {}

void ArchiveWriter::writeBytes(const char* data, qint64 size)
{
    if (m_error || size == 0)
        return;
    if (m_device.write(data, size) != size)
        m_error = true;
}

void ArchiveWriter::writeInt32(qint32 value)
{
    char buffer[sizeof value];
    qToLittleEndian(value, buffer);
    writeBytes(buffer, sizeof buffer);
}

void ArchiveWriter::writeUInt32(quint32 value)
{
    char buffer[sizeof value];
    qToLittleEndian(value, buffer);
    writeBytes(buffer, sizeof buffer);
}

void ArchiveWriter::writeUInt16(quint16 value)
{
    char buffer[sizeof value];
    qToLittleEndian(value, buffer);
    writeBytes(buffer, sizeof buffer);
}

void ArchiveWriter::writeByte(quint8 value)
{
    const char byte = static_cast<char>(value);
    writeBytes(&byte, 1);
}

void ArchiveWriter::writeDouble(double value)
{
    char buffer[sizeof(quint64)];
    qToLittleEndian(std::bit_cast<quint64>(value), buffer);
    writeBytes(buffer, sizeof buffer);
}

void ArchiveWriter::writeDate(const DateTime& value)
{
    writeInt32(static_cast<qint32>(value.status()));
    writeDouble(value.days());
}

void ArchiveWriter::writeLength(qint64 length)
{
    if (length < kLongLength) {
        writeByte(static_cast<quint8>(length));
    } else if (length < kWideText) {
        writeByte(kLongLength);
        writeUInt16(static_cast<quint16>(length));
    } else if (length <= std::numeric_limits<quint32>::max()) {
        writeByte(kLongLength);
        writeUInt16(kHugeLength);
        writeUInt32(static_cast<quint32>(length));
    } else {
        m_error = true;
    }
}

void ArchiveWriter::writeText(const QString& text)
{
    if (const std::optional<QByteArray> bytes = toCodePage(text)) {
        writeLength(bytes->size());
        writeBytes(bytes->constData(), bytes->size());
        return;
    }
    // Names in other scripts would be mangled by the code page, so they are
    // kept whole in UTF-16.
    writeByte(kLongLength);
    writeUInt16(kWideText);
    writeLength(text.size());
    QByteArray units(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian(text.at(i).unicode(), units.data() + 2 * i);
    writeBytes(units.constData(), units.size());
}

ArchiveReader::ArchiveReader(QIODevice& device) : m_device(device) {}

bool ArchiveReader::readExact(char* data, qint64 size)
{
    if (m_error)
        return false;
    qint64 done = 0;
    while (done < size) {
        const qint64 got = m_device.read(data + done, size - done);
        if (got <= 0) {
            m_ranOut = true;
            m_error = true;
            return false;
        }
        done += got;
    }
    return true;
}

QByteArray ArchiveReader::readBlock(qint64 size)
{
    if (m_error)
        return {};
    if (size < 0 || (!m_device.isSequential() && size > m_device.bytesAvailable())) {
        m_error = true;
        return {};
    }
    QByteArray block;
    while (block.size() < size) {
        const qsizetype old = block.size();
        const qint64 chunk = std::min(size - old, kReadChunk);
        block.resize(old + chunk);
        if (!readExact(block.data() + old, chunk))
            return {};
    }
    return block;
}

template <typename T> T ArchiveReader::readLittleEndian()
{
    char buffer[sizeof(T)];
    if (!readExact(buffer, sizeof buffer))
        return T(0);
    return qFromLittleEndian<T>(buffer);
}

qint32 ArchiveReader::readInt32()
{
    return readLittleEndian<qint32>();
}

quint32 ArchiveReader::readUInt32()
{
    return readLittleEndian<quint32>();
}

quint16 ArchiveReader::readUInt16()
{
    return readLittleEndian<quint16>();
}

quint8 ArchiveReader::readByte()
{
    return readLittleEndian<quint8>();
}

double ArchiveReader::readDouble()
{
    return std::bit_cast<double>(readLittleEndian<quint64>());
}

DateTime ArchiveReader::readDate()
{
    const qint32 status = readInt32();
    const double days = readDouble();
    if (m_error)
        return DateTime::null();
    switch (status) {
    case static_cast<qint32>(DateTime::Status::Valid):
    case static_cast<qint32>(DateTime::Status::Invalid):
    case static_cast<qint32>(DateTime::Status::Null):
        return DateTime::fromStored(static_cast<DateTime::Status>(status), days);
    default:
        m_error = true;
        return DateTime::null();
    }
}

// The length of a text; *wide is set when the wide marker came first, in
// which case the real length prefix follows it.
qint64 ArchiveReader::readLength(bool* wide)
{
    const quint8 first = readByte();
    if (m_error)
        return -1;
    if (first < kLongLength)
        return first;
    const quint16 second = readUInt16();
    if (m_error)
        return -1;
    if (second == kWideText) {
        if (*wide) {
            m_error = true;
            return -1;
        }
        *wide = true;
        return readLength(wide);
    }
    if (second == kHugeLength) {
        const quint32 length = readUInt32();
        return m_error ? -1 : qint64(length);
    }
    return second;
}

QString ArchiveReader::readText()
{
    bool wide = false;
    const qint64 length = readLength(&wide);
    if (m_error)
        return {};
    const qint64 size = wide ? length * 2 : length;
    if (!m_device.isSequential() && size > m_device.bytesAvailable()) {
        // A file cut short inside a text ends in that text's first characters;
        // a damaged length that runs on over the numbers behind it does not.
        m_ranOut = couldBeText(m_device.peek(m_device.bytesAvailable()), wide);
        m_error = true;
        return {};
    }
    const QByteArray bytes = readBlock(size);
    if (m_error)
        return {};
    if (!wide)
        return fromCodePage(bytes);
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.constData() + 2 * i));
    return text;
}

bool isPlainText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return isTextCode(c.unicode()); });
}

namespace {

WriteFileFilter::Wrap& currentFilter()
{
    static WriteFileFilter::Wrap wrap;
    return wrap;
}

// Passes writes on to the file and remembers whether one of them failed, for
// the bodies that write through something that drops the failure.
class CheckedWrites final : public QIODevice
{
public:
    explicit CheckedWrites(QIODevice& target) : m_target(target)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        if (!m_failed && m_target.write(data, size) == size)
            return size;
        m_failed = true;
        return -1;
    }

private:
    QIODevice& m_target;
    bool m_failed = false;
};

} // namespace

int writeFileSafely(const QString& path, const std::function<int(QIODevice&)>& body)
{
    if (path.isEmpty())
        return Status::InvalidFileName;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailureStatus(path, Status::InvalidFileName);
    const std::unique_ptr<QIODevice> filter = currentFilter() ? currentFilter()(file) : nullptr;
    CheckedWrites checked(filter ? *filter : file);
    int status = body(checked);
    // A refused write is the cause of whatever the body made of it.
    if (checked.failed())
        status = WriteFailureStatus(path, Status::FileNotAccessible);
    if (status != Status::Success) {
        file.cancelWriting();
        return status;
    }
    // The file gets its name only here, so a name the file system refuses
    // fails here too.
    if (!file.commit())
        return WriteFailureStatus(path, Status::FileNotAccessible);
    return Status::Success;
}

WriteFileFilter::WriteFileFilter(Wrap wrap) : m_previous(std::exchange(currentFilter(), std::move(wrap))) {}

WriteFileFilter::~WriteFileFilter()
{
    currentFilter() = std::move(m_previous);
}
