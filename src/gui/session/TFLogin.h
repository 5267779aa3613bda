#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class MessageBoxes;
class StationClock;
struct StationState;
class TF_dm;

class TickSource;

// Lets window messages go on for ms milliseconds, so the window repaints and stays responsive.
// Measured on the tick counter and never shorter: a timer may fire early (Qt's coarse timers
// by up to 5 %), and the rest is then waited for.
void PauseKeepingResponsive(int ms, const TickSource& ticks,
                            const std::function<void(int)>& runEventsFor);
// Runs the event loop for about ms milliseconds on a precise timer.
void RunEventsFor(int ms);

// The login window: operator code and password, then the login row, the session id and the
// session row. Shown modally by the start-up before the main window appears.
class TFLogin : public QDialog {
    Q_OBJECT

public:
    enum class Outcome {
        Waiting,    // still open
        LoggedIn,   // rows written; the main window is to be shown
        Cancelled,  // the cancel button: the program ends
        Closed,     // closed without a login: the program ends at once
    };

    TFLogin(TF_dm& dm, StationState& state, const StationClock& clock, MessageBoxes& boxes,
            QWidget* parent = nullptr);

    Outcome outcome() const { return outcome_; }
    bool showMainWindow() const { return outcome_ == Outcome::LoggedIn; }

    // The pause after a successful check (2000 ms); tests give their own.
    void setPauseMs(int ms);
    void setPause(std::function<void()> pause) { pause_ = std::move(pause); }
    // The address stored in the session row; tests give a fixed one.
    void setIpAddressSource(std::function<QString()> source) { ipAddress_ = std::move(source); }

    void FillOperatorList();
    void ImgBtn1Click();  // OK: the login
    void ImgBtn2Click();  // cancel

    QLineEdit* edit1;
    QToolButton* TransparentButton1;
    QListWidget* ListBox1;
    QLineEdit* Edit2;
    QPushButton* ImgBtn1;
    QPushButton* ImgBtn2;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void login();

    TF_dm& dm_;
    StationState& state_;
    const StationClock& clock_;
    MessageBoxes& boxes_;
    std::function<void()> pause_;
    std::function<QString()> ipAddress_;
    Outcome outcome_ = Outcome::Waiting;
    bool busy_ = false;
};
