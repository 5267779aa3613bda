#include "core/session/SingleInstanceGuard.h"

#include <QDir>
#include <QRegularExpression>

namespace {

QString LockPath(const QString& folder) {
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    // Per user, like a session's mutex: another user's station on a shared /tmp is no copy.
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")));
    const QString suffix = user.isEmpty() ? QString() : QStringLiteral("-") + user;
    return QDir(dir).filePath(kSingleInstanceName + suffix + QStringLiteral(".lock"));
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
