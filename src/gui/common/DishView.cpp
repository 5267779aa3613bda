#include "gui/common/DishView.h"

#include "core/db/QueryObject.h"

namespace {

const QString kLineKey = QStringLiteral("consume_bh");

bool Shown(const QueryObject& q) {
    return q.isOpen() && !q.isEmpty();
}

}  // namespace

void LineKeeper::remember() {
    kept_ = Shown(list_);
    key_ = kept_ ? list_.asString(kLineKey) : QString();
    runAt_ = list_.runCount();
}

void LineKeeper::returnTo() {
    if (!kept_ || !Shown(list_)) {
        kept_ = false;
        return;
    }
    kept_ = false;
    if (list_.runCount() == runAt_) {
        list_.rerun();
    }
    list_.locatePrefix(kLineKey, key_);
}
