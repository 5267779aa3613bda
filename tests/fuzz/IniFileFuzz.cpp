// Any bytes as an INI file: reading never crashes, a value written reads back, and every
// other line keeps its bytes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "core/db/IniFile.h"

namespace {

QList<QByteArray> Lines(const QByteArray& bytes) {
    QByteArray unified = bytes;
    unified.replace("\r\n", "\n");
    unified.replace('\r', '\n');
    return unified.split('\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where there is such a folder: every write is synced to disk.
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                        : QDir::tempPath()) +
                             QStringLiteral("/station-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    const QByteArray before(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(before);
    }
    IniFile ini(path);
    // Sections and keys the station reads, in other cases as other programs write them.
    (void)ini.readString(QStringLiteral("sql_conn"), QStringLiteral("sql_servername"), {});
    (void)ini.readInt(QStringLiteral("TZCP_CONFIG"), QStringLiteral("et_cstx"), 5);
    (void)ini.readBool(QStringLiteral("tzcp_config"), QStringLiteral("CB_fyxs"), true);

    const QString value = QStringLiteral("v%1值").arg(size);
    FUZZ_CHECK(ini.writeString(QStringLiteral("sql_conn"), QStringLiteral("sql_file"), value));
    FUZZ_CHECK(IniFile(path).readString(QStringLiteral("sql_conn"), QStringLiteral("sql_file"),
                                        {}) == value);
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> after = Lines(f.readAll());
    // Every line but the one written is still there, in order: the longest common
    // subsequence misses at most one line of the old file.
    const QList<QByteArray> old = Lines(before);
    if (old.size() <= 300) {
        std::vector<std::vector<int>> lcs(old.size() + 1, std::vector<int>(after.size() + 1, 0));
        for (qsizetype i = old.size() - 1; i >= 0; --i) {
            for (qsizetype j = after.size() - 1; j >= 0; --j) {
                lcs[i][j] = old.at(i) == after.at(j) ? lcs[i + 1][j + 1] + 1
                                                     : std::max(lcs[i + 1][j], lcs[i][j + 1]);
            }
        }
        FUZZ_CHECK(lcs[0][0] >= old.size() - 1);
    }
    return 0;
}
