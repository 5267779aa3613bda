#pragma once

#include <QString>
#include <algorithm>
#include <climits>

// The station's preferences in memory, as read from cp_config.ini and changed by the
// settings dialog.
struct StationSettings {
    int Et_cstx = 5;                           // reminder minutes; 0 switches the reminder off
    QString YYBC = QStringLiteral("N");        // "Y": announce a served dish by voice
    int YYSD = 0;                              // speech rate, -10..10
    QString SDSR = QStringLiteral("Y");        // "Y": the dish search box accepts typing by hand
    QString MEAL_ORDER = QStringLiteral("Y");  // "Y": the serving-order question is asked
    int Rg_tmgxzt = 5;                         // the settings dialog's hidden radio group
};

// The reminder timer's interval for a number of minutes. A timer takes at most INT_MAX ms
// (about 24 days); a larger number of minutes waits that long instead of overflowing.
inline int ReminderIntervalMs(int minutes) {
    return static_cast<int>(std::clamp<qint64>(qint64(minutes) * 60000, 0, INT_MAX));
}
