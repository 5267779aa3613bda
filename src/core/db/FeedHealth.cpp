#include "core/db/FeedHealth.h"

#include <algorithm>

#include "core/common/StationClock.h"

namespace {

constexpr Feed kAllFeeds[] = {Feed::Board,      Feed::DishLists, Feed::Reminder,
                              Feed::AlertLists, Feed::Heartbeat, Feed::Command};

}  // namespace

int RetryIntervalMs(int normalMs, int failures) {
    if (failures <= 0) {
        return normalMs;
    }
    qint64 ms = std::max(normalMs, 1);
    for (int i = 1; i < failures && ms < FeedHealth::kMaxRetryMs; ++i) {
        ms *= 2;
    }
    return static_cast<int>(std::min<qint64>(ms, FeedHealth::kMaxRetryMs));
}

QString DbFailureSummary(DbFailure failure) {
    switch (failure) {
        case DbFailure::ConnectionLost:
            return QStringLiteral("数据库连接中断");
        case DbFailure::Busy:
            return QStringLiteral("数据库被其他程序锁定");
        case DbFailure::Statement:
            break;
    }
    return QStringLiteral("读取数据失败");
}

FeedHealth::FeedHealth(const StationClock& clock, QObject* parent)
    : QObject(parent), clock_(clock) {}

bool FeedHealth::current() const {
    return std::none_of(feeds_.begin(), feeds_.end(), [](const FeedState& f) { return f.failing; });
}

void FeedHealth::reportSuccess(Feed feed) {
    const bool wasCurrent = current();
    const QString oldText = bandText();
    FeedState& f = state(feed);
    f.failing = false;
    f.failures = 0;
    f.lastSuccess = clock_.now();
    // Whatever succeeded, the connection works: a loss found by a command is over.
    for (const Feed other : kAllFeeds) {
        if (!showsData(other)) {
            state(other).failing = false;
        }
    }
    settle(wasCurrent, oldText);
}

void FeedHealth::reportFailure(Feed feed, const DbError& error) {
    reportFailure(feed, error.failure(), error.text());
}

void FeedHealth::reportFailure(Feed feed, DbFailure failure, const QString& text) {
    const bool wasCurrent = current();
    const QString oldText = bandText();
    FeedState& f = state(feed);
    ++f.failures;
    // A busy or refused command is the command's own news, told where it was given.
    if (showsData(feed) || failure == DbFailure::ConnectionLost) {
        f.failing = true;
        lastFailure_ = failure;
        lastError_ = text;
    }
    settle(wasCurrent, oldText);
}

void FeedHealth::settle(bool wasCurrent, const QString& oldText) {
    const bool isCurrent = current();
    if (isCurrent) {
        failingSince_ = QDateTime();
    } else if (wasCurrent) {
        failingSince_ = clock_.now();
    }
    if (isCurrent != wasCurrent || bandText() != oldText) {
        emit changed();
    }
}

QDateTime FeedHealth::dataTime() const {
    const bool dataFailing = std::any_of(kAllFeeds, std::end(kAllFeeds), [this](Feed f) {
        return showsData(f) && state(f).failing;
    });
    QDateTime oldest;
    for (const Feed f : kAllFeeds) {
        const FeedState& s = state(f);
        if (!showsData(f) || (dataFailing && !s.failing)) {
            continue;
        }
        if (!s.lastSuccess.isValid()) {
            if (s.failing) {
                return QDateTime();  // this feed has never shown data
            }
            continue;
        }
        if (!oldest.isValid() || s.lastSuccess < oldest) {
            oldest = s.lastSuccess;
        }
    }
    return oldest;
}

int FeedHealth::nextIntervalMs(Feed feed, int normalMs) const {
    return RetryIntervalMs(normalMs, failures(feed));
}

QString FeedHealth::bandText() const {
    if (current()) {
        return QString();
    }
    QString text = DbFailureSummary(lastFailure_);
    const QDateTime at = dataTime();
    if (!at.isValid()) {
        text += QStringLiteral("，还没有读到数据");
    } else if (at.date() == clock_.now().date()) {
        text += QStringLiteral("，显示的是 %1 的数据").arg(at.toString(QStringLiteral("HH:mm:ss")));
    } else {
        text += QStringLiteral("，显示的是 %1 的数据")
                    .arg(at.toString(QStringLiteral("M月d日 HH:mm:ss")));
    }
    return text + QStringLiteral("，正在重试");
}
