#pragma once

#include <QWidget>
#include <exception>
#include <utility>

#include "core/db/DbError.h"
#include "gui/common/MessageBoxes.h"

// Runs a handler so that no exception crosses Qt's event loop: an error ends the event
// with the standard error box, owned by the active window, and the program goes on.
class ErrorGuard {
public:
    ErrorGuard(MessageBoxes& boxes, QWidget* owner) : boxes_(boxes), owner_(owner) {}

    // True when the handler ran to its end.
    template <class F>
    bool run(F&& handler) const {
        try {
            std::forward<F>(handler)();
            return true;
        } catch (const DbError& e) {
            boxes_.error(owner_, e.text());
        } catch (const std::exception& e) {
            boxes_.error(owner_, QString::fromUtf8(e.what()));
        } catch (...) {
            boxes_.error(owner_, QStringLiteral("未知错误。"));
        }
        return false;
    }

    // A slot that runs the handler guarded, for connect().
    template <class F>
    auto wrap(F handler) const {
        return [guard = *this, handler = std::move(handler)](auto&&...) { guard.run(handler); };
    }

    MessageBoxes& boxes() const { return boxes_; }

private:
    MessageBoxes& boxes_;
    QWidget* owner_;
};
