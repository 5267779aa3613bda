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
    try {
        if (grid_->failed() && !q.isOpen() && !q.sql().isEmpty()) {
            q.rerun();
            return;
        }
        keeper_.returnTo();
    } catch (const DbError& e) {
        failed(e.text());
        throw;
    }
}

void AlertListPart::readDone(const ListRead& read) {
    if (!read) {
        failed(read.error);
    }
}

void AlertListPart::failed(const QString& error) {
    grid_->readFailed(error, ctx_.clock.now());
    emit readFailed(error);
}
