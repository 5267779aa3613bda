#include "core/main/StationSettingsFile.h"

#include <QDir>

#include "core/db/IniFile.h"

QString StationSettingsPath(const QString& stationFolder) {
    return QDir(stationFolder).filePath(kSettingsFileName);
}

StationSettings ReadStationSettings(const IniFile& ini) {
    StationSettings s;
    const QString& sec = kSettingsSection;
    s.YYBC = ini.readString(sec, QStringLiteral("YYBC"), QStringLiteral("N"));
    s.YYSD = ini.readInt(sec, QStringLiteral("YYSD"), 0);
    s.SDSR = ini.readString(sec, QStringLiteral("SDSR"), QStringLiteral("Y"));
    s.MEAL_ORDER = ini.readString(sec, QStringLiteral("MEAL_ORDER"), QStringLiteral("Y"));
    s.Et_cstx = ini.readInt(sec, QStringLiteral("Et_cstx"), 5);
    s.Rg_tmgxzt = 5;
    return s;
}

StoredFilterPositions ReadFilterPositions(const IniFile& ini) {
    StoredFilterPositions p;
    p.CB_qy = ini.readInt(kSettingsSection, QStringLiteral("CB_qy"), 0);
    p.CB_cpbm = ini.readInt(kSettingsSection, QStringLiteral("CB_cpbm"), 0);
    p.cb_gzzd = ini.readInt(kSettingsSection, QStringLiteral("cb_gzzd"), 0);
    return p;
}

bool ReadPagingByType(const IniFile& ini) {
    return ini.readBool(kSettingsSection, QStringLiteral("CB_fyxs"), true);
}

bool WriteViewState(IniFile& ini, const ViewStateAtClose& state) {
    const QString& sec = kSettingsSection;
    bool ok = ini.writeInt(sec, QStringLiteral("CB_qy"), state.CB_qy);
    ok = ini.writeBool(sec, QStringLiteral("CB_fyxs"), state.CB_fyxs) && ok;
    ok = ini.writeInt(sec, QStringLiteral("cb_cpbm"), state.cb_cpbm) && ok;
    ok = ini.writeInt(sec, QStringLiteral("cb_gzzd"), state.cb_gzzd) && ok;
    ok = ini.writeInt(sec, QStringLiteral("RG_xszt"), state.RG_xszt) && ok;
    ok = ini.writeInt(sec, QStringLiteral("cb_cpzt"), 0) && ok;
    return ok;
}

bool WriteDialogSettings(IniFile& ini, const DialogSettings& values) {
    const QString& sec = kSettingsSection;
    bool ok = ini.writeInt(sec, QStringLiteral("Et_cstx"), values.reminderMinutes);
    ok = ini.writeInt(sec, QStringLiteral("Rg_tmgxzt"), values.scanRadioGroup) && ok;
    if (values.voice) {
        ok = ini.writeString(sec, QStringLiteral("YYBC"), QStringLiteral("Y")) && ok;
        ok = ini.writeInt(sec, QStringLiteral("YYSD"), values.speechRate) && ok;
    } else {
        ok = ini.writeString(sec, QStringLiteral("YYBC"), QStringLiteral("N")) && ok;
    }
    ok = ini.writeString(sec, QStringLiteral("SDSR"),
                         values.noManualInput ? QStringLiteral("N") : QStringLiteral("Y")) &&
         ok;
    ok = ini.writeString(sec, QStringLiteral("MEAL_ORDER"),
                         values.servingOrderPrompt ? QStringLiteral("Y") : QStringLiteral("N")) &&
         ok;
    return ok;
}

void ApplyDialogSettings(StationSettings& settings, const DialogSettings& values) {
    settings.YYBC = values.voice ? QStringLiteral("Y") : QStringLiteral("N");
    if (values.voice) {
        settings.YYSD = values.speechRate;
    }
    settings.SDSR = values.noManualInput ? QStringLiteral("N") : QStringLiteral("Y");
    settings.MEAL_ORDER = values.servingOrderPrompt ? QStringLiteral("Y") : QStringLiteral("N");
    settings.Rg_tmgxzt = values.scanRadioGroup;
    settings.Et_cstx = values.reminderMinutes;
}
