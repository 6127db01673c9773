#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// A date-time value as a number of days since 30 December 1899, the time of day
// as its fraction, with a validity state. A null value is an empty date field;
// an invalid one is text that could not be read as a date.
class DateTime
{
public:
    enum class Status
    {
        Valid = 0,
        Invalid = 1,
        Null = 2
    };

    constexpr DateTime() = default; // day 0, valid

    static constexpr DateTime fromDays(double days) { return DateTime(days, Status::Valid); }
    static DateTime fromDate(QDate date);
    static DateTime fromQDateTime(const QDateTime& dateTime);
    static constexpr DateTime null() { return DateTime(0.0, Status::Null); }
    static constexpr DateTime invalid() { return DateTime(0.0, Status::Invalid); }
    // Rebuilds a value from its stored status and day number.
    static constexpr DateTime fromStored(Status status, double days) { return DateTime(days, status); }

    constexpr double days() const { return m_days; }
    constexpr Status status() const { return m_status; }
    constexpr bool isValid() const { return m_status == Status::Valid; }
    constexpr bool isNull() const { return m_status == Status::Null; }

    QDate date() const;
    QDateTime toQDateTime() const;
    // The same day at midnight.
    DateTime dateOnly() const;

    // The user's short date format; empty for a value that is not valid. Every
    // date the user reads (lists, printouts, dialogs) is written by this in
    // UserLocale(), so that all of them agree; only formats fixed for a purpose
    // (query literals, a project's creation date) are written otherwise.
    QString formatShortDate(const QLocale& locale) const;
    // "#m/d/y#", the form a date takes inside query text.
    QString queryLiteral() const;

    // Date-only text in the locale's short format (day, month and year in the
    // locale's order, any separators), its long format, or ISO yyyy-mm-dd.
    // A two-digit year falls in 1930..2029; any other year below 500 is taken as
    // 1900 plus that year. Empty text gives null; unreadable text gives invalid.
    static DateTime parseDate(const QString& text, const QLocale& locale);

    friend constexpr bool operator==(const DateTime& a, const DateTime& b) = default;

private:
    constexpr DateTime(double days, Status status) : m_days(days), m_status(status) {}

    double m_days = 0.0;
    Status m_status = Status::Valid;
};
