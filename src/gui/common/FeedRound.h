#pragma once

#include <QTimer>
#include <exception>
#include <utility>

#include "core/db/FeedHealth.h"

// One round of a feed that runs on its own timer (the board's tick, the heartbeat, the
// reminder). The timer stops while the round runs, so rounds never overlap; the outcome goes
// to the feed's health, whose band tells the operator (no box); and the timer always starts
// again: at the normal interval, or while failures go on at the back-off. True when the round
// ran to its end.
template <class F>
bool RunFeedRound(FeedHealth& health, Feed feed, QTimer* timer, int normalMs, F&& round) {
    timer->stop();
    bool done = false;
    try {
        std::forward<F>(round)();
        health.reportSuccess(feed);
        done = true;
    } catch (const DbError& e) {
        health.reportFailure(feed, e);
    } catch (const std::exception& e) {
        health.reportFailure(feed, DbFailure::Statement, QString::fromUtf8(e.what()));
    } catch (...) {
        health.reportFailure(feed, DbFailure::Statement, QStringLiteral("未知错误。"));
    }
    timer->setInterval(health.nextIntervalMs(feed, normalMs));
    timer->start();
    return done;
}
