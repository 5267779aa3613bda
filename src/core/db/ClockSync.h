#pragma once

#include <QDateTime>
#include <QString>

class Connection;
class StationClock;
class ClockSetter;

inline const QString kServerTimeSql = QStringLiteral("select GetDate() as DBTime");

struct ClockSyncResult {
    QDateTime serverTime;
    qint64 differenceMs = 0;  // |server - station clock| before the step
    bool adjusted = false;    // more than 30 ms off
    bool osClockSet = false;  // the OS accepted the new time; otherwise an offset is kept
};

// The PC clock follows the server's: more than 30 ms apart, the OS is asked to take the
// server's time; when it refuses, the station clock keeps the difference as an offset.
// The clock query's error is not caught (DbError reaches the caller).
ClockSyncResult SyncClockWithServer(Connection& connection, StationClock& clock,
                                    ClockSetter& setter);
