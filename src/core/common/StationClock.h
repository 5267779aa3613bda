#pragma once

#include <QDateTime>

// Where "now" comes from: the PC clock in production, a pinned or stepped clock in tests.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QDateTime now() const = 0;
};

class SystemTimeSource final : public TimeSource {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock a test moves by hand.
class ManualTimeSource final : public TimeSource {
public:
    explicit ManualTimeSource(QDateTime start) : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

// Sets the operating system's clock; returns false when the OS refuses.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    virtual bool setLocalTime(const QDateTime& t) = 0;
};

class SystemClockSetter final : public ClockSetter {
public:
    bool setLocalTime(const QDateTime& t) override;
};

// Never touches the OS clock: used where the OS must not be changed (embedded engine, tests).
class RefusingClockSetter final : public ClockSetter {
public:
    bool setLocalTime(const QDateTime&) override { return false; }
};

// Every time the station writes or reads as "the PC clock". When the OS refused to be set
// from the server, the difference is kept as an offset so the station follows the server.
class StationClock {
public:
    explicit StationClock(const TimeSource& source) : source_(source) {}
    QDateTime now() const { return source_.now().addMSecs(offsetMs_); }
    qint64 offsetMs() const { return offsetMs_; }
    void setOffsetMs(qint64 ms) { offsetMs_ = ms; }

private:
    const TimeSource& source_;
    qint64 offsetMs_ = 0;
};
