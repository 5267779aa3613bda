#pragma once

#include <QString>
#include <vector>

// A parameter marker ":name" in an SQL text. The name ends at a blank, comma, semicolon,
// closing parenthesis, CR, LF or the end of the text. Colons inside quoted literals are not
// markers, and "::" stands for one literal colon. Every occurrence is its own marker.
struct SqlMarker {
    QString name;
    qsizetype begin = 0;  // position of the colon
    qsizetype end = 0;    // one past the name
};

struct ScannedSql {
    std::vector<SqlMarker> markers;
    QString positional;  // the text with "?" for each marker and ":" for each "::"
};

ScannedSql ScanSqlMarkers(const QString& sql);
