#pragma once

#include <QDateTime>
#include <QString>

// "YYYY-MM-DD HH:MM:SS": the one text form of every time the station writes
// (served time, log stamps) and of every time column of the embedded database.
QString FormatDbTime(const QDateTime& t);

// The same form with milliseconds, as the embedded engine's server clock returns it.
QString FormatDbTimeMs(const QDateTime& t);

// Reads "YYYY-MM-DD HH:MM:SS", with optional ".zzz" and with "T" instead of the blank.
// Returns an invalid QDateTime for anything else.
QDateTime ParseDbTime(const QString& text);
