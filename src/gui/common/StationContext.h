#pragma once

#include <QString>

#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/common/TickSource.h"
#include "core/db/FeedHealth.h"
#include "core/db/TF_dm.h"
#include "core/main/StationSettings.h"
#include "gui/common/MessageBoxes.h"

class QWidget;
class SoundPlayer;
class SpeechEngine;

// The services every part of the main window works with, handed down by the window. No
// window controls: a part reaches another part's controls only through the window's wiring.
struct StationContext {
    TF_dm& dm;
    StationState& state;
    StationSettings& settings;
    MessageBoxes& boxes;
    StationClock& clock;
    const TickSource& ticks;
    SoundPlayer& sound;
    SpeechEngine& speech;
    QString stationFolder;
    QWidget* window;  // owner of the message boxes and dialogs a part opens
    // Every refresh reports how it went; the window shows the band while anything fails.
    FeedHealth& health;
};
