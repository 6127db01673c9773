#pragma once

#include "core/common/Archive.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <memory>

// A device that passes a fixed number of bytes and then fails every transfer,
// for the error paths of file code. Opened for writing it forwards to a target
// device (or keeps the bytes); opened for reading it serves the given data. It
// is sequential, so readers cannot ask it for its size in advance.
class FailDevice final : public QIODevice
{
public:
    explicit FailDevice(qint64 budget, QIODevice* target = nullptr) : m_budget(budget), m_target(target)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    FailDevice(qint64 budget, QByteArray source) : m_budget(budget), m_source(std::move(source))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return remaining() + QIODevice::bytesAvailable(); }

    // Bytes that passed before the failure.
    qint64 passed() const { return m_passed; }
    QByteArray kept() const { return m_kept; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min(maxSize, remaining());
        if (n <= 0)
            return -1;
        std::copy_n(m_source.constData() + m_passed, n, data);
        m_passed += n;
        return n;
    }

    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 n = std::min(size, m_budget - m_passed);
        if (n <= 0)
            return -1;
        if (m_target) {
            if (m_target->write(data, n) != n)
                return -1;
        } else {
            m_kept.append(data, n);
        }
        m_passed += n;
        return n;
    }

private:
    qint64 remaining() const
    {
        return std::max<qint64>(0, std::min<qint64>(m_budget, m_source.size()) - m_passed);
    }

    qint64 m_budget;
    qint64 m_passed = 0;
    QIODevice* m_target = nullptr;
    QByteArray m_source;
    QByteArray m_kept;
};

// While one lives, the `nth` file written through writeFileSafely (counting
// from 0) fails after `budget` bytes, as a full or failing disk would; the
// files before and after it are written whole.
class FailingFileWrites
{
public:
    explicit FailingFileWrites(qint64 budget, int nth = 0)
        : m_filter([budget, nth, seen = 0](QIODevice& file) mutable -> std::unique_ptr<QIODevice> {
              if (seen++ != nth)
                  return nullptr;
              return std::make_unique<FailDevice>(budget, &file);
          })
    {
    }

private:
    WriteFileFilter m_filter;
};
