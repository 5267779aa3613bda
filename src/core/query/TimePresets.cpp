#include "core/query/TimePresets.h"

namespace {

QTime WholeSeconds(const QTime& t) {
    return QTime(t.hour(), t.minute(), t.second());
}

TimeRange LastMinutes(const QDateTime& now, int minutes) {
    const QDate today = now.date();
    const QDateTime start = now.addSecs(-60LL * minutes);
    const QTime from = start.date() < today ? QTime(0, 0) : WholeSeconds(start.time());
    return {today, from, today, WholeSeconds(now.time())};
}

}  // namespace

TimeRange TimePresetRange(TimePreset preset, const QDateTime& now) {
    const QDate today = now.date();
    const QTime time = WholeSeconds(now.time());
    switch (preset) {
        case TimePreset::Last15Minutes:
            return LastMinutes(now, 15);
        case TimePreset::LastHalfHour:
            return LastMinutes(now, 30);
        case TimePreset::LastHour:
            return LastMinutes(now, 60);
        case TimePreset::LastTwoHours:
            return LastMinutes(now, 120);
        case TimePreset::Today:
            return {today, QTime(0, 0), today, time};
        case TimePreset::Yesterday:
            return {today.addDays(-1), QTime(0, 0), today.addDays(-1), QTime(23, 59, 59)};
        case TimePreset::AllTime:
            return {QDate(2000, 1, 1), QTime(0, 0), today, time};
    }
    return {today, time, today, time};
}

QString TimeBoundText(const QDate& date, const QTime& time) {
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}
