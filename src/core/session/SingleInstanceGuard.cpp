#include "core/session/SingleInstanceGuard.h"

#include <QDir>

namespace {

QString LockPath(const QString& folder) {
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    return QDir(dir).filePath(kSingleInstanceName + QStringLiteral(".lock"));
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& folder)
    : path_(LockPath(folder)), lock_(path_) {
    // Age never makes a live copy's lock stale; a dead owner always does.
    lock_.setStaleLockTime(0);
}

bool SingleInstanceGuard::acquire() {
    if (lock_.isLocked()) {
        return true;
    }
    // tryLock takes over a lock whose owner process no longer runs.
    return lock_.tryLock(0);
}
