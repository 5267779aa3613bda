#include "gui/alerts/AlertListPart.h"

#include "core/alerts/AlertStatements.h"
#include "core/db/QueryObject.h"
#include "gui/alerts/AlertGrid.h"

AlertListPart::AlertListPart(StationContext& ctx, QueryObject& list, QObject* parent)
    : QObject(parent), ctx_(ctx), keeper_(list) {}

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
        emit readSucceeded();
    }
}

void AlertListPart::readDone(const ListRead& read) {
    if (read) {
        emit readSucceeded();
    } else {
        failed(read.failure, read.error);
    }
}

void AlertListPart::failed(DbFailure failure, const QString& error) {
    grid_->readFailed(error, ctx_.clock.now());
    emit readFailed(failure, error);
}
