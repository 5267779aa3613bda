#pragma once

#include <QWidget>

#include "core/db/IniFile.h"
#include "core/main/StationSettings.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"
#include "gui/main/MainWindowParts.h"

class ClockSetter;

// The station's main window: its life cycle (creation, show, close), the settings, the
// window-level keys and the buttons that open the other windows. The parts on its skeleton
// (board, dish area, dish search, status buttons) handle their own areas. Created hidden
// before the login; shown when the login succeeded.
class TFMain : public QWidget {
    Q_OBJECT

public:
    TFMain(TF_dm& dm, StationState& state, StationClock& clock, const TickSource& ticks,
           ClockSetter& clockSetter, MessageBoxes& boxes, SpeechEngine& speech, SoundPlayer& sound,
           const QString& stationFolder, QWidget* parent = nullptr);
    ~TFMain() override;

    // The creation steps, run once before the login. An error ends them with the error box;
    // the window stays usable.
    void FormCreate();
    // The show steps, run when the window becomes visible.
    void FormShow();

    MainWindowParts& parts() { return parts_; }
    StationSettings& settings() { return settings_; }
    IniFile& settingsFile() { return settingsFile_; }
    StationContext& context() { return ctx_; }
    FeedHealth& health() { return health_; }

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

    ClockSetter& clockSetter_;
    StationSettings settings_;
    IniFile settingsFile_;
    FeedHealth health_;
    StationContext ctx_;
    ErrorGuard guard_;
    MainWindowParts parts_;
    MainWindowSkeleton& ui_;
    bool closedDone_ = false;
};
