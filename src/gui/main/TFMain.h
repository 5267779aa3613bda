#pragma once

#include <QWidget>

#include "core/db/IniFile.h"
#include "core/main/StationSettings.h"
#include "gui/board/TableBoard.h"
#include "gui/common/ErrorGuard.h"
#include "gui/dishes/DishViews.h"
#include "gui/main/MainWindowContext.h"
#include "gui/main/MainWindowUi.h"

class ClockSetter;
class SpeechEngine;
class SoundPlayer;

// The station's main window: builds the controls, holds the settings, and wires the parts
// (board, dish views) that handle their own areas. Created hidden before the login; shown
// when the login succeeded.
class TFMain : public QWidget {
    Q_OBJECT

public:
    TFMain(TF_dm& dm, StationState& state, StationClock& clock, ClockSetter& clockSetter,
           MessageBoxes& boxes, SpeechEngine& speech, SoundPlayer& sound,
           const QString& stationFolder, QWidget* parent = nullptr);
    ~TFMain() override;

    // The creation steps, run once before the login. An error ends them with the error box;
    // the window stays usable.
    void FormCreate();
    // The show steps, run when the window becomes visible.
    void FormShow();

    MainWindowUi& ui() { return ui_; }
    StationSettings& settings() { return settings_; }
    IniFile& settingsFile() { return settingsFile_; }
    MainWindowContext& context() { return ctx_; }
    DishViews& dishes() { return dishes_; }
    TableBoard& board() { return board_; }
    SpeechEngine& speech() { return speech_; }
    SoundPlayer& sound() { return sound_; }

    void ImgBtn12Click();  // settings dialog
    void ImgBtn10Click();  // advanced query
    void ImgBtn11Click();  // sold-out window
    void Timer_updateztTimer();

signals:
    // The close was confirmed and its steps ran: the program ends.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void creationSteps();
    void closeSteps();
    void placeLogo();
    void connectControls();
    bool handleKey(QKeyEvent* key);

    TF_dm& dm_;
    StationState& state_;
    StationClock& clock_;
    ClockSetter& clockSetter_;
    MessageBoxes& boxes_;
    SpeechEngine& speech_;
    SoundPlayer& sound_;
    MainWindowUi ui_;
    StationSettings settings_;
    IniFile settingsFile_;
    MainWindowContext ctx_;
    ErrorGuard guard_;
    DishViews dishes_;
    TableBoard board_;
    bool closedDone_ = false;
};
