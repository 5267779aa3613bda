#include "core/dishes/ScanInput.h"

#include "core/common/TickSource.h"

bool ScanInputRule::keyDown(bool scannerMode) {
    if (!scannerMode) {
        return false;
    }
    const qint64 now = ticks_.ticks();
    if (lastScanKeyTick_ == 0) {
        lastScanKeyTick_ = now;
    }
    const bool slow = now - lastScanKeyTick_ > kScannerGapMs;
    lastScanKeyTick_ = slow ? 0 : now;
    return slow;
}

ScanInputRule::KeyPress ScanInputRule::keyPress(bool scannerMode, const QString& textBefore,
                                                bool enter) {
    KeyPress k;
    const bool holdsSomething = !textBefore.trimmed().isEmpty();
    k.showListTab = scannerMode;
    k.lookUp = scannerMode && holdsSomething;
    if (k.lookUp) {
        k.lookupCode = textBefore;
    }
    k.scan = enter && holdsSomething;
    return k;
}

bool ScannerMode(const QString& sdsrSetting) {
    return sdsrSetting == QLatin1String("N");
}
