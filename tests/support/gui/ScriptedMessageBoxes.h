#pragma once

#include <QList>
#include <QStringList>
#include <functional>

#include "gui/common/MessageBoxes.h"

// Answers message boxes from a queue (OK or the first button when it runs dry) and
// records every box shown.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    void answer(QMessageBox::StandardButton button) { answers_.append(button); }
    const QList<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); }
    // Runs while a box is open, before it is answered: what the timers do meanwhile.
    std::function<void()> whileOpen;

    QMessageBox::StandardButton show(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                     const QString& text,
                                     QMessageBox::StandardButtons buttons) override;

private:
    QList<QMessageBox::StandardButton> answers_;
    QList<Shown> shown_;
};
