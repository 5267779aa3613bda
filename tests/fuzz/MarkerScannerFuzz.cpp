// Any SQL text: the markers found are in order, each is ":" and its name at its place in
// the text, and each became one "?" of the positional text.
#include <cstdint>

#include "FuzzCheck.h"
#include "core/db/MarkerScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ScannedSql scanned = ScanSqlMarkers(sql);
    qsizetype last = -1;
    qsizetype inNames = 0;
    for (const SqlMarker& m : scanned.markers) {
        FUZZ_CHECK(m.begin > last);
        FUZZ_CHECK(m.begin >= 0 && m.end <= sql.size() && m.end > m.begin + 1);
        FUZZ_CHECK(sql.mid(m.begin, m.end - m.begin) == QLatin1Char(':') + m.name);
        for (const QChar c : m.name) {
            FUZZ_CHECK(c != QLatin1Char(' ') && c != QLatin1Char(',') && c != QLatin1Char(';') &&
                       c != QLatin1Char(')') && c != QLatin1Char('\r') && c != QLatin1Char('\n'));
        }
        inNames += m.name.count(QLatin1Char('?'));
        last = m.end - 1;
    }
    FUZZ_CHECK(scanned.positional.count(QLatin1Char('?')) ==
               sql.count(QLatin1Char('?')) - inNames +
                   static_cast<qsizetype>(scanned.markers.size()));
    FUZZ_CHECK(scanned.positional.size() <= sql.size());
    return 0;
}
