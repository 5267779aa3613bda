#pragma once

#include <QString>
#include <QtGlobal>

// Which file a path names now: the device and the file number (inode; volume serial and
// file index on Windows). A file deleted, moved away or replaced by another at the same
// path has another identity, or none.
struct FileIdentity {
    quint64 device = 0;
    quint64 file = 0;
    bool valid = false;

    bool operator==(const FileIdentity&) const = default;
};

// Not valid when nothing is at the path.
FileIdentity IdentityOf(const QString& path);
