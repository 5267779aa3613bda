#pragma once

#include <QApplication>

// The hourglass for the length of a handler, restored on every way out (or earlier, once).
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore() {
        if (on_) {
            QApplication::restoreOverrideCursor();
            on_ = false;
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool on_ = true;
};
