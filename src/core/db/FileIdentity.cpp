#include "core/db/FileIdentity.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

FileIdentity IdentityOf(const QString& path) {
    FileIdentity id;
#ifdef Q_OS_WIN
    const HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return id;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
        id.device = info.dwVolumeSerialNumber;
        id.file = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        id.valid = true;
    }
    CloseHandle(h);
#else
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        id.device = static_cast<quint64>(st.st_dev);
        id.file = static_cast<quint64>(st.st_ino);
        id.valid = true;
    }
#endif
    return id;
}
