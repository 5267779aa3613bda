#include "core/db/ClockSync.h"

#include "core/common/StationClock.h"
#include "core/db/QueryObject.h"
#include "core/db/Registrations.h"
#include "core/db/StatementCatalogue.h"

ClockSyncResult SyncClockWithServer(Connection& connection, StationClock& clock,
                                    ClockSetter& setter) {
    ClockSyncResult result;
    {
        QueryObject query(connection, QStringLiteral("ClockQuery"));
        query.setSql(kServerTimeSql);
        query.open();
        result.serverTime = query.asDateTime(QStringLiteral("DBTime"));
    }
    const QDateTime pc = clock.now();
    const qint64 signedDiff = pc.msecsTo(result.serverTime);
    result.differenceMs = signedDiff < 0 ? -signedDiff : signedDiff;
    if (result.differenceMs > 30) {
        result.adjusted = true;
        result.osClockSet = setter.setLocalTime(result.serverTime);
        clock.setOffsetMs(result.osClockSet ? 0 : clock.offsetMs() + signedDiff);
    }
    return result;
}

void RegisterDbStatements(StatementCatalogue& catalogue) {
    catalogue.add({QStringLiteral("ServerTime"), {}, [](const Dialect&, const QSet<QString>&) {
                       return kServerTimeSql;
                   }});
}
