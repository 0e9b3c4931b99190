#pragma once
// Today and now, behind a seam so tests run on fixed dates.

#include <QDate>
#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

/// A clock that stands still at a set moment.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    QDate today() const override { return m_at.date(); }
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = std::move(at); }

private:
    QDateTime m_at;
};
