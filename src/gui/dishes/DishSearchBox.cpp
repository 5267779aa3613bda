#include "gui/dishes/DishSearchBox.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "gui/common/StationWidgets.h"

DishSearchBox::DishSearchBox(QWidget* place, QWidget* floating, QObject* parent) : QObject(parent) {
    auto* row = qobject_cast<QBoxLayout*>(place->layout());
    auto* caption = Caption(QStringLiteral("菜品信息:"), place);
    E_cpmc = Named(new QLineEdit(place), "E_cpmc");
    E_cpmc->setToolTip(QStringLiteral("输入菜品名称、编号、状态或条码查询菜品"));
    E_cpmc->setMinimumWidth(220);
    SpeedButton1 = Named(new QToolButton(place), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral(">>"));
    SpeedButton1->setToolTip(QStringLiteral("菜品列表"));
    SpeedButton1->setMinimumHeight(30);
    ImgBtn9 = PictureButton("ImgBtn9", QStringLiteral("查询"), Glyph::Search, kStationBlue,
                            QStringLiteral("查询菜品"), place);
    Button_cp_cz = Named(new QPushButton(QStringLiteral("查找"), place), "Button_cp_cz");
    Button_cp_cz->hide();
    if (row) {
        row->addWidget(caption);
        row->addWidget(E_cpmc, 1);
        row->addWidget(SpeedButton1);
        row->addWidget(ImgBtn9);
    }

    Panel_cp = Named(new QFrame(floating), "Panel_cp");
    Panel_cp->setFrameShape(QFrame::Box);
    Panel_cp->setAutoFillBackground(true);
    Panel_cp->setGeometry(425, 133, 289, 235);
    Panel_cp->hide();

    connect(E_cpmc, &QLineEdit::textChanged, this, &DishSearchBox::textChanged);
}

QString DishSearchBox::text() const {
    return E_cpmc->text();
}

bool DishSearchBox::hasFocus() const {
    return E_cpmc->hasFocus();
}

void DishSearchBox::takeFocus() {
    E_cpmc->setFocus();
}
