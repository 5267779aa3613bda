#include "gui/common/FocusNext.h"

#include <QWidget>

bool FocusNextControl(QWidget* w) {
    for (QWidget* next = w->nextInFocusChain(); next && next != w;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(next->window()) &&
            next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}
