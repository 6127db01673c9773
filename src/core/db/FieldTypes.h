#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"

#include <QString>
#include <QVariant>

#include <type_traits>

// The column types of a project table. The C++ type of a record member decides
// its column type, so a record structure is the one description of its table.
enum class FieldKind { Long, Integer, Single, Double, Currency, DateTime, Boolean, Text };

template <typename T> struct FieldKindOf;
template <> struct FieldKindOf<qint32> { static constexpr FieldKind value = FieldKind::Long; };
template <> struct FieldKindOf<qint16> { static constexpr FieldKind value = FieldKind::Integer; };
template <> struct FieldKindOf<float> { static constexpr FieldKind value = FieldKind::Single; };
template <> struct FieldKindOf<double> { static constexpr FieldKind value = FieldKind::Double; };
template <> struct FieldKindOf<Money> { static constexpr FieldKind value = FieldKind::Currency; };
template <> struct FieldKindOf<DateTime> { static constexpr FieldKind value = FieldKind::DateTime; };
template <> struct FieldKindOf<bool> { static constexpr FieldKind value = FieldKind::Boolean; };
template <> struct FieldKindOf<QString> { static constexpr FieldKind value = FieldKind::Text; };

// One column of a table: its name, type and, for text, its maximum length.
struct FieldDef
{
    const char* name;
    FieldKind kind;
    int size;
};

// Conversions between record members and database values. Amounts are stored as
// currency units and read back to the nearest ten-thousandth; dates as day
// numbers, NULL for a date that is not set.
namespace FieldValue {

inline QVariant toVariant(qint32 v) { return QVariant(v); }
inline QVariant toVariant(qint16 v) { return QVariant(static_cast<int>(v)); }
inline QVariant toVariant(float v) { return QVariant(static_cast<double>(v)); }
inline QVariant toVariant(double v) { return QVariant(v); }
inline QVariant toVariant(bool v) { return QVariant(v ? 1 : 0); }
inline QVariant toVariant(const QString& v) { return QVariant(v.isNull() ? QStringLiteral("") : v); }
inline QVariant toVariant(Money v)
{
    return v.isValid() ? QVariant(v.toDouble()) : QVariant(QMetaType::fromType<double>());
}
inline QVariant toVariant(const DateTime& v)
{
    return v.isValid() ? QVariant(v.days()) : QVariant(QMetaType::fromType<double>());
}

inline void fromVariant(const QVariant& v, qint32& out) { out = static_cast<qint32>(v.toLongLong()); }
inline void fromVariant(const QVariant& v, qint16& out) { out = static_cast<qint16>(v.toInt()); }
inline void fromVariant(const QVariant& v, float& out) { out = static_cast<float>(v.toDouble()); }
inline void fromVariant(const QVariant& v, double& out) { out = v.toDouble(); }
inline void fromVariant(const QVariant& v, bool& out) { out = v.toDouble() != 0.0; }
inline void fromVariant(const QVariant& v, QString& out) { out = v.toString(); }
inline void fromVariant(const QVariant& v, Money& out)
{
    out = v.isNull() ? Money() : Money::fromDouble(v.toDouble());
}
inline void fromVariant(const QVariant& v, DateTime& out)
{
    out = v.isNull() ? DateTime::null() : DateTime::fromDays(v.toDouble());
}

} // namespace FieldValue
