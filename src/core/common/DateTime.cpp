#include "DateTime.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// 30 December 1899; a constant, so it is ready before any other file's static
// initialisers run.
constexpr QDate kEpoch = QDate::fromJulianDay(2415019);
constexpr double kMsPerDay = 86400000.0;

// Order of the day (d), month (M) and year (y) fields in a locale's short format.
QString fieldOrder(const QLocale& locale)
{
    QString order;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if ((c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) && !order.contains(c))
            order.append(c);
    }
    return order.size() == 3 ? order : QStringLiteral("Mdy");
}

} // namespace

DateTime DateTime::fromDate(QDate date)
{
    if (!date.isValid())
        return invalid();
    return fromDays(static_cast<double>(kEpoch.daysTo(date)));
}

DateTime DateTime::fromQDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return invalid();
    const double whole = static_cast<double>(kEpoch.daysTo(dateTime.date()));
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction still counts forward from midnight, so it
    // moves away from zero.
    return fromDays(whole < 0 ? whole - fraction : whole + fraction);
}

QDate DateTime::date() const
{
    if (!isValid() || !std::isfinite(m_days) || std::fabs(m_days) > 3.0e6)
        return QDate();
    return kEpoch.addDays(static_cast<qint64>(std::trunc(m_days)));
}

QDateTime DateTime::toQDateTime() const
{
    const QDate day = date();
    if (!day.isValid())
        return QDateTime();
    const double fraction = std::fabs(m_days - std::trunc(m_days));
    const int ms = static_cast<int>(std::llround(fraction * kMsPerDay));
    return QDateTime(day, QTime(0, 0)).addMSecs(ms);
}

DateTime DateTime::dateOnly() const
{
    return isValid() ? fromDate(date()) : *this;
}

QString DateTime::formatShortDate(const QLocale& locale) const
{
    const QDate day = date();
    if (!day.isValid())
        return QString();
    // Short formats with two-digit years make 1905 and 2005 look alike; show four.
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(day, format);
}

QString DateTime::queryLiteral() const
{
    const QDate day = date();
    return QStringLiteral("#%1/%2/%3#").arg(day.month()).arg(day.day()).arg(day.year());
}

DateTime DateTime::parseDate(const QString& text, const QLocale& locale)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return null();

    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const auto m = iso.match(s); m.hasMatch())
        return fromDate(QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()));

    static const QRegularExpression numeric(QStringLiteral("^(\\d{1,4})\\D{1,3}(\\d{1,4})\\D{1,3}(\\d{1,4})\\D?$"));
    if (const auto m = numeric.match(s); m.hasMatch()) {
        const QString order = fieldOrder(locale);
        int day = 0, month = 0, year = 0, yearDigits = 0;
        for (int i = 0; i < 3; ++i) {
            const QString part = m.captured(i + 1);
            const int value = part.toInt();
            switch (order.at(i).toLatin1()) {
            case 'd': day = value; break;
            case 'M': month = value; break;
            default: year = value; yearDigits = static_cast<int>(part.size()); break;
            }
        }
        if (yearDigits <= 2)
            year += year < 30 ? 2000 : 1900;
        else if (year < 500)
            year += 1900;
        return fromDate(QDate(year, month, day));
    }

    for (const auto format : {QLocale::LongFormat, QLocale::ShortFormat, QLocale::NarrowFormat}) {
        QDate day = locale.toDate(s, format);
        if (day.isValid()) {
            if (day.year() < 500)
                day = QDate(day.year() + 1900, day.month(), day.day());
            return fromDate(day);
        }
    }
    return invalid();
}
