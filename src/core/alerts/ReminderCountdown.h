#pragma once

#include <QString>

// The overdue reminder's panel as states: hidden; shown and counting down from 20 seconds;
// shown and paused. The window drives it from its timers and clicks and shows what it says.
class ReminderCountdown {
public:
    enum class State { Hidden, Counting, Paused };
    static constexpr int kStartSeconds = 20;

    State state() const { return state_; }
    bool shown() const { return state_ != State::Hidden; }
    // Whether the one-second timer runs.
    bool counting() const { return state_ == State::Counting; }
    int secondsLeft() const { return seconds_; }
    // The pause switch's text: what a click on it will do.
    QString switchText() const;

    // A check found `rows` overdue lines. Only a hidden reminder with rows changes: it shows,
    // counting from 20; then true. A shown one keeps its seconds and its pause.
    bool checked(int rows);
    // One second: down to 0, and hidden on the second after 0.
    void tick();
    // Pause while counting, go on from the seconds shown while paused.
    void togglePause();
    void close();

private:
    State state_ = State::Hidden;
    int seconds_ = kStartSeconds;
};

inline const QString kReminderPauseText = QStringLiteral("点击不关闭提醒");
inline const QString kReminderResumeText = QStringLiteral("点击继续倒计时");
