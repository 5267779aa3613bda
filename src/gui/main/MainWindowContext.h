#pragma once

#include <QWidget>

#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/db/TF_dm.h"
#include "core/main/StationSettings.h"
#include "gui/common/MessageBoxes.h"
#include "gui/main/MainWindowUi.h"

// What every part of the main window works with, handed down by the main window.
struct MainWindowContext {
    TF_dm& dm;
    StationState& state;
    StationSettings& settings;
    MessageBoxes& boxes;
    StationClock& clock;
    MainWindowUi& ui;
    QWidget* window;  // owner of message boxes
};
