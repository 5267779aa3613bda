#include "ScriptedMessageBoxes.h"

QStringList ScriptedMessageBoxes::texts() const {
    QStringList out;
    for (const Shown& s : shown_) {
        out << s.text;
    }
    return out;
}

QMessageBox::StandardButton ScriptedMessageBoxes::show(QWidget*, QMessageBox::Icon icon,
                                                       const QString& caption, const QString& text,
                                                       QMessageBox::StandardButtons buttons) {
    shown_.append({icon, caption, text, buttons});
    if (whileOpen) {
        whileOpen();
    }
    if (!answers_.isEmpty()) {
        return answers_.takeFirst();
    }
    if (buttons.testFlag(QMessageBox::Ok)) {
        return QMessageBox::Ok;
    }
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1) {
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(b))) {
            return static_cast<QMessageBox::StandardButton>(b);
        }
    }
    return QMessageBox::NoButton;
}
