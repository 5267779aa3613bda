#include "core/db/MarkerScanner.h"

namespace {

bool EndsName(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char(')') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

}  // namespace

ScannedSql ScanSqlMarkers(const QString& sql) {
    ScannedSql out;
    out.positional.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A quoted literal, its doubled quote standing for one.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype stop = j < n ? j + 1 : n;
            out.positional += sql.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && sql.at(i + 1) == QLatin1Char(':')) {
                out.positional += QLatin1Char(':');
                i += 2;
                continue;
            }
            qsizetype j = i + 1;
            while (j < n && !EndsName(sql.at(j))) {
                ++j;
            }
            if (j == i + 1) {
                out.positional += c;  // a lone colon names nothing
                ++i;
                continue;
            }
            out.markers.push_back(SqlMarker{sql.mid(i + 1, j - i - 1), i, j});
            out.positional += QLatin1Char('?');
            i = j;
            continue;
        }
        out.positional += c;
        ++i;
    }
    return out;
}
