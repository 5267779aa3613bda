#include "core/alerts/ReminderCountdown.h"

QString ReminderCountdown::switchText() const {
    return state_ == State::Paused ? kReminderResumeText : kReminderPauseText;
}

bool ReminderCountdown::checked(int rows) {
    if (rows <= 0 || state_ != State::Hidden) {
        return false;
    }
    state_ = State::Counting;
    seconds_ = kStartSeconds;
    return true;
}

void ReminderCountdown::tick() {
    if (state_ != State::Counting) {
        return;
    }
    if (seconds_ <= 0) {
        state_ = State::Hidden;
    } else {
        --seconds_;
    }
}

void ReminderCountdown::togglePause() {
    if (state_ == State::Counting) {
        state_ = State::Paused;
    } else if (state_ == State::Paused) {
        state_ = State::Counting;
    }
}

void ReminderCountdown::close() {
    state_ = State::Hidden;
}
