#pragma once

#include <QString>

#include "core/main/StationSettings.h"

class IniFile;

inline const QString kSettingsFileName = QStringLiteral("cp_config.ini");
inline const QString kSettingsSection = QStringLiteral("tzcp_config");

// Path of cp_config.ini in the station folder.
QString StationSettingsPath(const QString& stationFolder);

// The preferences read when the main window is created. The scan radio group position is
// never read back: it starts as 5 on every start.
StationSettings ReadStationSettings(const IniFile& ini);

// Filter positions stored at the last close (item indexes; 0 = "all").
struct StoredFilterPositions {
    int CB_qy = 0;
    int CB_cpbm = 0;
    int cb_gzzd = 0;
};
StoredFilterPositions ReadFilterPositions(const IniFile& ini);

// Whether the board pages by table type (read at show).
bool ReadPagingByType(const IniFile& ini);

// The filter and view state written when the main window closes.
struct ViewStateAtClose {
    int CB_qy = 0;
    bool CB_fyxs = true;
    int cb_cpbm = 0;
    int cb_gzzd = 0;
    int RG_xszt = 0;
};
// False when a value did not reach the file.
bool WriteViewState(IniFile& ini, const ViewStateAtClose& state);

// What the settings dialog's OK writes, and then applies to memory.
struct DialogSettings {
    int reminderMinutes = 5;
    int scanRadioGroup = 5;
    bool voice = false;
    int speechRate = 0;          // written and applied only with voice on
    bool noManualInput = false;  // SDSR "N"
    bool servingOrderPrompt = true;
};
// False when a value did not reach the file.
bool WriteDialogSettings(IniFile& ini, const DialogSettings& values);
void ApplyDialogSettings(StationSettings& settings, const DialogSettings& values);
