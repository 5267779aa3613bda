#include "gui/common/MessageBoxes.h"

#include <QApplication>

#include "core/common/AppTexts.h"

void MessageBoxes::error(QWidget* owner, const QString& text) {
    show(owner, QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok);
}

QMessageBox::StandardButton QtMessageBoxes::show(QWidget* owner, QMessageBox::Icon icon,
                                                 const QString& caption, const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
    if (!owner) {
        owner = QApplication::activeWindow();
    }
    QMessageBox box(icon, caption, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
