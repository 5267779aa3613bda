#include "gui/alerts/AlertListPart.h"

#include "core/alerts/AlertStatements.h"
#include "core/db/QueryObject.h"
#include "gui/alerts/AlertGrid.h"

AlertListPart::AlertListPart(StationContext& ctx, QueryObject& list, Feed feed, QObject* parent)
    : QObject(parent), ctx_(ctx), feed_(feed), keeper_(list) {}

AlertListPart::~AlertListPart() = default;

void AlertListPart::rememberLine() {
    keeper_.remember();
}

void AlertListPart::returnToLine() {
    QueryObject& q = keeper_.list();
    const quint64 runs = q.runCount();
    try {
        if (grid_->failed() && !q.isOpen() && !q.sql().isEmpty()) {
            q.rerun();
        } else {
            keeper_.returnTo();
        }
    } catch (const DbError& e) {
        failed(e.failure(), e.text());
        throw;
    }
    if (q.runCount() != runs) {
        ctx_.health.reportSuccess(feed_);
    }
}

void AlertListPart::readDone(const ListRead& read) {
    if (read) {
        ctx_.health.reportSuccess(feed_);
    } else {
        failed(read.failure, read.error);
    }
}

void AlertListPart::failed(DbFailure failure, const QString& error) {
    grid_->readFailed(error, ctx_.clock.now());
    ctx_.health.reportFailure(feed_, failure, error);
}
