#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Readable gtest output for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral(" | ")).toStdString() << ']';
}

#include "core/common/Money.h"

inline void PrintTo(const Money& m, std::ostream* os)
{
    *os << m.tenThousandths() << "/10000" << (m.isValid() ? "" : " (not valid)");
}
