#pragma once

#include <QDateTime>

// Where "now" comes from, so tests can set the day.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The wall clock, shared by the application.
    static const Clock& system();
};

// A clock that stands still at a chosen moment.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(QDateTime now) { m_now = std::move(now); }

private:
    QDateTime m_now;
};
