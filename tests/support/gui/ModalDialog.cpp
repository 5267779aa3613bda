#include "ModalDialog.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace {

// Event-loop turns to wait for the window before giving up; no wall time is involved.
constexpr int kMaxTurns = 10000;

void CloseModal(QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->reject();
    } else {
        w->close();
    }
}

}  // namespace

ModalDialogRun RunModalDialog(const std::function<void()>& open,
                              const std::function<void(QWidget*)>& drive) {
    ModalDialogRun run;
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer poll;
    poll.setInterval(0);
    int turns = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == before) {
            if (++turns > kMaxTurns) {
                poll.stop();
            }
            return;
        }
        poll.stop();
        run.shown = true;
        run.title = modal->windowTitle();
        run.objectName = modal->objectName();
        QPointer<QWidget> dialog = modal;
        drive(modal);
        if (dialog && dialog->isVisible()) {
            run.leftOpen = true;
            CloseModal(dialog);
        }
    });
    poll.start();
    open();
    poll.stop();
    return run;
}
