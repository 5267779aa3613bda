#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// A millisecond counter that only moves forward, like the OS tick count: what the scan's
// timing rule measures keystrokes with. Tests drive one by hand instead of waiting.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual qint64 ticks() const = 0;
};

class SystemTickSource final : public TickSource {
public:
    SystemTickSource() { started_.start(); }
    qint64 ticks() const override { return started_.elapsed(); }

private:
    QElapsedTimer started_;
};

class ManualTickSource final : public TickSource {
public:
    explicit ManualTickSource(qint64 start = 1000) : now_(start) {}
    qint64 ticks() const override { return now_; }
    void advance(qint64 ms) { now_ += ms; }

private:
    qint64 now_;
};
