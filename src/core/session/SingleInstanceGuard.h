#pragma once

#include <QLockFile>
#include <QString>

inline const QString kSingleInstanceName = QStringLiteral("zided_roze");

// One running station per user and PC. A lock file whose owner process is gone (a crash, a
// kill) is stale and taken over, so a dead copy never blocks a new start. Held until the
// guard is destroyed.
class SingleInstanceGuard {
public:
    // The lock file "zided_roze-USER.lock" in folder (the temporary folder by default).
    explicit SingleInstanceGuard(const QString& folder = QString());

    // True when this process now holds the guard; false when another live copy does.
    bool acquire();
    bool held() const { return lock_.isLocked(); }
    QString path() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};
