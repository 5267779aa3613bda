#pragma once

#include <QCoreApplication>

#include "StationServices.h"
#include "WindowControls.h"
#include "gui/main/MainWindowParts.h"

// A main window's parts on an embedded station database, wired as the station wires them,
// with a pinned PC clock, a hand-driven tick counter and scripted message boxes; `ui` finds
// every named control wherever its part put it.
struct StationWindow : StationServices {
    explicit StationWindow(const QDateTime& pcNow = QDateTime(QDate(2026, 7, 15), QTime(18, 30, 0)))
        : StationServices(pcNow) {}

    // The sounds the build made beside the test executables.
    QString programFolder = QCoreApplication::applicationDirPath();
    MainWindowParts parts{ctx, &window, programFolder};
    WindowControls ui = FindWindowControls(parts.objects());
};
