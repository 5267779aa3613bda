#pragma once

// The main window's parts on a benchmark restaurant, built and wired as the GUI tests build
// them, with the tile area at its design size (4 x 5 tiles) and the board shown.

#include <QApplication>
#include <QLayout>
#include <QTimer>
#include <QWidget>

#include "FakeSoundPlayer.h"
#include "FakeSpeechEngine.h"
#include "ScriptedMessageBoxes.h"
#include "WindowControls.h"
#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/common/TickSource.h"
#include "core/main/StationSettings.h"
#include "gui/common/StationContext.h"
#include "gui/main/MainWindowParts.h"
#include "gui/main/StationSkin.h"
#include "gui/tile/Ttzcypanel.h"

namespace bench {

// Offscreen unless the caller chose a platform.
inline void UseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

struct BenchWindow {
    explicit BenchWindow(TF_dm& data) : dm(data) {
        ApplyStationSkin(&window);
        ui.Panel_Left_Client->setFixedSize(337, 422);
        window.show();
        window.layout()->activate();
        dishes.fillFilterLists();
        board.fillAreaList();
        board.LoadTableTree();
        board.LoadTableTypeTabs();
        board.Timer3Timer();
        QApplication::processEvents();
    }

    // One five-second tick as the timer runs it; false when the tick failed (the refresh
    // stops itself then).
    bool tick() {
        ui.Timer_sx->start();
        board.Timer_sxTimer();
        const bool ok = ui.Timer_sx->isActive();
        ui.Timer_sx->stop();
        return ok;
    }

    TF_dm& dm;
    SystemTimeSource pcTime;
    StationClock clock{pcTime};
    SystemTickSource ticks;
    StationState state;
    StationSettings settings;
    ScriptedMessageBoxes boxes;
    FakeSoundPlayer sound;
    FakeSpeechEngine speech;
    QWidget window;
    FeedHealth health{clock};
    StationContext ctx{dm,    state,  settings,  boxes,   clock, ticks,
                       sound, speech, QString(), &window, health};
    MainWindowParts parts{ctx, &window, QCoreApplication::applicationDirPath()};
    WindowControls ui = FindWindowControls(parts.objects());
    TableBoard& board = parts.board();
    DishArea& dishes = parts.dishes();
};

}  // namespace bench
