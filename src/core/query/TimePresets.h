#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The order-time range of the advanced query: a date and a time of day for each end, as its
// four pickers hold them.
struct TimeRange {
    QDate date1;
    QTime time1;
    QDate date2;
    QTime time2;
    bool operator==(const TimeRange&) const = default;
};

// The items of the preset menu, in menu order.
enum class TimePreset {
    Last15Minutes,
    LastHalfHour,
    LastHour,
    LastTwoHours,
    Today,
    Yesterday,
    AllTime,
};

// The range a preset gives at the station's time now (seconds kept, milliseconds dropped).
// The "last N minutes" presets never reach back past today's midnight: shortly after
// midnight they start at today 00:00:00, so both ends stay on today.
TimeRange TimePresetRange(TimePreset preset, const QDateTime& now);

// "YYYY-MM-DD HH:MM:SS" of one end.
QString TimeBoundText(const QDate& date, const QTime& time);
