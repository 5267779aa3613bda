#pragma once

#include <QString>
#include <functional>

class QWidget;

// What became of a modal dialog a test opened.
struct ModalDialogRun {
    bool shown = false;     // a new modal window came up
    bool leftOpen = false;  // the driver did not close it; the helper closed it
    QString title;
    QString objectName;
};

// Calls open(), which brings up a modal window and blocks in its own loop (exec()), and hands
// that window to drive() as soon as it is up: drive answers or inspects it and closes it (a
// button, a key, reject()). A window drive leaves open is closed by the helper, so a test
// never hangs; a nested dialog is driven by calling this again from inside drive().
ModalDialogRun RunModalDialog(const std::function<void()>& open,
                              const std::function<void(QWidget* dialog)>& drive);
