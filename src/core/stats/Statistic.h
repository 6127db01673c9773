#pragma once

#include "common/DateTime.h"

#include <QString>
#include <QtGlobal>

class ArchiveReader;
class ArchiveWriter;

// A user-defined statistic: one operator over up to two operands (constants,
// fields of the listing's current record, or other statistics by name),
// evaluated over one listing, optionally within a date range.
class CStatistic
{
public:
    // Operand types.
    static constexpr qint32 OperandConstant = 0;
    static constexpr qint32 OperandField = 1;
    static constexpr qint32 OperandStatistic = 2;
    static constexpr qint32 OperandNone = 3;

    static constexpr quint8 NoOperator = 48;
    static constexpr qint32 NoListing = -1;

    QString Name;
    QString LeftOperand;
    QString RightOperand;
    qint32 LeftType = OperandNone;
    qint32 RightType = OperandNone;
    qint32 Intermediate = 0;
    qint32 Listing = NoListing;
    quint8 Operator = NoOperator;
    DateTime StartDate = DateTime::null();
    DateTime ThruDate = DateTime::null();
    qint32 ApplyDates = 0;

    // The stored record inside the settings file and the report definitions.
    void Write(ArchiveWriter& archive) const;
    // Leaves this statistic unchanged and returns false when the record is
    // truncated or malformed.
    bool Read(ArchiveReader& archive);

    friend bool operator==(const CStatistic&, const CStatistic&) = default;
};
