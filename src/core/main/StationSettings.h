#pragma once

#include <QString>

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
