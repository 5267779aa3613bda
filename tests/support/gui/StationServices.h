#pragma once

#include <QWidget>

#include "FakeSoundPlayer.h"
#include "FakeSpeechEngine.h"
#include "ScriptedMessageBoxes.h"
#include "TestStation.h"
#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/common/TickSource.h"
#include "core/main/StationSettings.h"
#include "gui/common/StationContext.h"

// The services of a station on an embedded database, with a pinned PC clock, a tick counter
// moved by hand, scripted message boxes and recording speech and sound: what a part of the
// main window is built on in a test. `window` is where a part's controls go.
struct StationServices {
    explicit StationServices(const QDateTime& pcNow = QDateTime(QDate(2026, 7, 15),
                                                                QTime(18, 30, 0)))
        : pcTime(pcNow) {}

    TestStation db;
    ManualTimeSource pcTime;
    StationClock clock{pcTime};
    ManualTickSource ticks;
    StationState state;
    StationSettings settings;
    ScriptedMessageBoxes boxes;
    FakeSoundPlayer sound;
    FakeSpeechEngine speech;
    QWidget window;
    FeedHealth health{clock};
    StationContext ctx{db.dm(), state,  settings,    boxes,   clock, ticks,
                       sound,   speech, db.folder(), &window, health};
};
