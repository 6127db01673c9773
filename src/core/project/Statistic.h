#pragma once

#include "core/common/DateTime.h"

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

    // Operator codes: the index of the operator's text in the operator list.
    static constexpr quint8 OpAdd = 0;
    static constexpr quint8 OpSubtract = 1;
    static constexpr quint8 OpMultiply = 2;
    static constexpr quint8 OpDivide = 3;
    static constexpr quint8 OpPower = 4;
    static constexpr quint8 OpEqual = 5;
    static constexpr quint8 OpLess = 6;
    static constexpr quint8 OpGreater = 7;
    static constexpr quint8 OpLessOrEqual = 8;
    static constexpr quint8 OpGreaterOrEqual = 9;
    static constexpr quint8 OpSum = 10;
    static constexpr quint8 OpAverage = 11;
    static constexpr quint8 OpAbsolute = 12;
    static constexpr quint8 OpSquareRoot = 13;
    static constexpr quint8 OperatorCount = 14;
    static constexpr quint8 NoOperator = 48;

    // Listing codes.
    static constexpr qint32 ListingItems = 1;
    static constexpr qint32 ListingOrders = 2;
    static constexpr qint32 ListingSales = 3;
    static constexpr qint32 ListingStock = 5;
    static constexpr qint32 ListingReceived = 6;
    static constexpr qint32 NoListing = -1;

    // "+", "-", ... "(SQR)"; empty for a code outside the list.
    static QString OperatorText(int code);
    // "(SUM)" and every code after it take the right operand only; the left
    // one is ignored whatever it holds.
    static constexpr bool IsOneOperand(int code) { return code > OpGreaterOrEqual; }
    static constexpr bool IsAggregate(int code) { return code == OpSum || code == OpAverage; }

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
