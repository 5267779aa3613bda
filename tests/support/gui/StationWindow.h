#pragma once

#include <QWidget>

#include "ScriptedMessageBoxes.h"
#include "TestStation.h"
#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/main/StationSettings.h"
#include "gui/main/MainWindowContext.h"
#include "gui/main/MainWindowUi.h"

// The controls of a main window on an embedded station database, with a pinned PC clock
// and scripted message boxes: what every part of the window is built on in a test.
struct StationWindow {
    explicit StationWindow(const QDateTime& pcNow = QDateTime(QDate(2026, 7, 15), QTime(18, 30, 0)))
        : pcTime(pcNow) {}

    TestStation db;
    ManualTimeSource pcTime;
    StationClock clock{pcTime};
    StationState state;
    StationSettings settings;
    ScriptedMessageBoxes boxes;
    QWidget window;
    MainWindowUi ui = BuildMainWindowUi(&window);
    MainWindowContext ctx{db.dm(), state, settings, boxes, clock, ui, &window};
};
