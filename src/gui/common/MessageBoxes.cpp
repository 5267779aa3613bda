#include "gui/common/MessageBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QSpacerItem>

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
    // A short text makes a box narrower than its caption and the window manager cuts the
    // caption off ("系…示"): keep room for the caption and the title bar's buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(caption) * 3 / 2 + 140;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
