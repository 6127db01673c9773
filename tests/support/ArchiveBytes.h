#pragma once

#include "core/project/Statistic.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <initializer_list>

// Little-endian bytes laid out by hand, independently of the archive code, to
// compare a written file with what its format says it holds.
class ArchiveBytes
{
public:
    ArchiveBytes& raw(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            m_data.append(static_cast<char>(b));
        return *this;
    }
    ArchiveBytes& append(const QByteArray& bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    ArchiveBytes& le(quint64 value, int size)
    {
        for (int i = 0; i < size; ++i)
            m_data.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        return *this;
    }
    ArchiveBytes& i32(qint32 value) { return le(static_cast<quint32>(value), 4); }
    ArchiveBytes& u16(quint16 value) { return le(value, 2); }
    ArchiveBytes& f64(double value)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return le(bits, 8);
    }
    // Latin-1 text: one length byte below 255, else 255 and 16 bits.
    ArchiveBytes& text(const QString& latin1)
    {
        if (latin1.size() < 255)
            le(static_cast<quint64>(latin1.size()), 1);
        else
            raw({0xFF}).u16(static_cast<quint16>(latin1.size()));
        m_data.append(latin1.toLatin1());
        return *this;
    }
    ArchiveBytes& date(int status, double days) { return i32(status).f64(days); }
    // A statistic record as the settings file and the report definitions hold it.
    ArchiveBytes& statistic(const CStatistic& s)
    {
        f64(3.51).text(s.Name).text(s.LeftOperand).text(s.RightOperand);
        i32(s.LeftType).i32(s.RightType).i32(s.Intermediate).i32(s.Listing).raw({s.Operator});
        date(static_cast<int>(s.StartDate.status()), s.StartDate.days());
        date(static_cast<int>(s.ThruDate.status()), s.ThruDate.days());
        return i32(s.ApplyDates);
    }
    const QByteArray& data() const { return m_data; }

private:
    QByteArray m_data;
};
