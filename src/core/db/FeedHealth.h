#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>

#include "core/db/DbError.h"

class StationClock;

// What is refreshed on its own and reports how it went.
enum class Feed {
    Board,       // the tick: tables, counters, the selected table's dish views
    DishLists,   // the dish list and icon view re-run outside the tick
    Reminder,    // the overdue check and the overdue list
    AlertLists,  // hurry/return and recently served lists
    Heartbeat,   // the session row (shows no data)
    Command,     // a state or served command (shows no data)
};

// Whether what the pass sees is what the database says: every refresh reports its outcome
// here, and the window shows the band while anything failed. A feed that shows data is
// failing from its first failure until its own next success. Heartbeat and commands show
// no data: their failure counts only when it lost the connection, and then any success
// (the connection works again) clears it. No widgets: the window draws the band.
class FeedHealth : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxRetryMs = 30000;

    explicit FeedHealth(const StationClock& clock, QObject* parent = nullptr);

    void reportSuccess(Feed feed);
    void reportFailure(Feed feed, const DbError& error);
    void reportFailure(Feed feed, DbFailure failure, const QString& text);

    // Nothing failing: the screen is current.
    bool current() const;
    bool failing(Feed feed) const { return state(feed).failing; }
    // Failures in a row of the feed, 0 after a success.
    int failures(Feed feed) const { return state(feed).failures; }
    // When the data on screen were last read whole (invalid when never); what the band names.
    QDateTime dataTime() const;
    // The first failure since the screen was last current (invalid while current).
    QDateTime failingSince() const { return failingSince_; }
    DbFailure lastFailure() const { return lastFailure_; }
    QString lastError() const { return lastError_; }

    // When the feed runs next: its normal interval, or after failures the back-off.
    int nextIntervalMs(Feed feed, int normalMs) const;

    // The band's text; empty while current. "数据库连接中断，显示的是 18:30:05 的数据，正在重试"
    QString bandText() const;

signals:
    // The band appears, changes its text, or goes.
    void changed();

private:
    struct FeedState {
        bool failing = false;
        int failures = 0;
        QDateTime lastSuccess;
    };
    static bool showsData(Feed feed) { return feed != Feed::Heartbeat && feed != Feed::Command; }
    FeedState& state(Feed feed) { return feeds_[static_cast<size_t>(feed)]; }
    const FeedState& state(Feed feed) const { return feeds_[static_cast<size_t>(feed)]; }
    void settle(bool wasCurrent, const QString& oldText);

    const StationClock& clock_;
    std::array<FeedState, 6> feeds_{};
    QDateTime failingSince_;
    DbFailure lastFailure_ = DbFailure::Statement;
    QString lastError_;
};

// What went wrong, in a few words: "数据库连接中断", "数据库被其他程序锁定", "读取数据失败".
QString DbFailureSummary(DbFailure failure);

// Normal while failures is 0; then normal, twice, four times ... never above 30 s.
int RetryIntervalMs(int normalMs, int failures);
