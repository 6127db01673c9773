// The CSV reader: any bytes either read as records or give a refusal on a line
// the text has; read in small pieces or whole, the answer is the same; what
// the writer writes of the records reads back as the same records, and
// writes again to the same bytes.
#include "FuzzSupport.h"

#include "core/io/Csv.h"

#include <QBuffer>

#include <algorithm>
#include <cstdlib>

QM_FUZZ_INITIALIZE

namespace {

// Hands out a few bytes a read, so that fields and quotes fall across the
// reader's blocks.
class TrickleDevice final : public QIODevice
{
public:
    explicit TrickleDevice(const QByteArray& bytes) : m_bytes(bytes) { open(ReadOnly | Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        // 0 at the end, as a file gives; -1 would be a failed read.
        const qint64 n = std::min<qint64>({maxSize, 3, m_bytes.size() - m_at});
        if (n <= 0)
            return 0;
        std::copy_n(m_bytes.constData() + m_at, n, data);
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

constexpr qsizetype kMaxField = 4096;

std::variant<QList<QStringList>, CsvError> readTrickled(const QByteArray& bytes)
{
    TrickleDevice device(bytes);
    CsvReader reader(device, kMaxField);
    QList<QStringList> records;
    for (QStringList fields; reader.readRecord(fields);)
        records.append(fields);
    if (reader.error())
        return *reader.error();
    return records;
}

QByteArray written(const QList<QStringList>& records)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    {
        CsvWriter writer(out);
        for (const QStringList& record : records)
            writer.writeRecord(record);
        if (!writer.flush())
            std::abort();
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const auto read = ReadCsv(input, kMaxField);
    if (readTrickled(input) != read)
        std::abort();
    if (const CsvError* error = std::get_if<CsvError>(&read)) {
        if (error->line < 1 || error->line > input.count('\n') + 1 || error->message.isEmpty())
            std::abort();
        return 0;
    }
    const QList<QStringList>& records = std::get<QList<QStringList>>(read);
    for (const QStringList& record : records) {
        if (record.isEmpty())
            std::abort();
    }
    const QByteArray bytes = written(records);
    const auto again = ReadCsv(bytes, kMaxField);
    if (!std::holds_alternative<QList<QStringList>>(again) || std::get<QList<QStringList>>(again) != records)
        std::abort();
    if (written(std::get<QList<QStringList>>(again)) != bytes)
        std::abort();
    return 0;
}
