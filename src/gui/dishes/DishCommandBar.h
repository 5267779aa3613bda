#pragma once

#include <QObject>

#include "core/db/DishState.h"

class QToolButton;
class QWidget;

// The status buttons under the dish pages: the state commands and the sold-out window. They
// only say what the operator asked for; the window sends it where it is carried out.
class DishCommandBar : public QObject {
    Q_OBJECT

public:
    explicit DishCommandBar(QWidget* place, QObject* parent = nullptr);

signals:
    // A state command other than served.
    void stateRequested(DishState state);
    void servedRequested();
    void soldOutRequested();

private:
    QToolButton* Button_kszz = nullptr;  // hidden
    QToolButton* Button_jjzz = nullptr;  // hidden
    QToolButton* Button_zzwc = nullptr;  // hidden
    QToolButton* Button_wfzz = nullptr;
    QToolButton* Button_cpys = nullptr;
    QToolButton* ImgBtn11 = nullptr;
};
