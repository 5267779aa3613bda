#include "gui/dishes/DishCommandBar.h"

#include <QBoxLayout>
#include <QToolButton>

#include "gui/common/StationWidgets.h"

DishCommandBar::DishCommandBar(QWidget* place, QObject* parent) : QObject(parent) {
    Button_kszz = PictureButton("Button_kszz", QStringLiteral("开始制作"), Glyph::Plain,
                                kStationBlue, QStringLiteral("快捷方式：Ctrl+K"), place);
    Button_jjzz = PictureButton("Button_jjzz", QStringLiteral("加急制作"), Glyph::Plain,
                                kStationRed, QStringLiteral("快捷方式：Ctrl+J"), place);
    Button_zzwc = PictureButton("Button_zzwc", QStringLiteral("制作完成"), Glyph::Served,
                                kStationBlue, QStringLiteral("快捷方式：Ctrl+C"), place);
    Button_wfzz = PictureButton("Button_wfzz", QStringLiteral("无法制作"), Glyph::Refused,
                                kStationRed, QStringLiteral("快捷方式：F5"), place);
    Button_cpys = PictureButton("Button_cpys", QStringLiteral("菜品已上"), Glyph::Served,
                                kStationGreen, QStringLiteral("快捷方式：F9"), place);
    ImgBtn11 = PictureButton("ImgBtn11", QStringLiteral("沽清管理"), Glyph::SoldOut, kStationRed,
                             QStringLiteral("快捷方式：F6"), place);
    auto* row = qobject_cast<QBoxLayout*>(place->layout());
    for (QToolButton* b :
         {Button_kszz, Button_jjzz, Button_zzwc, Button_wfzz, Button_cpys, ImgBtn11}) {
        if (row) {
            row->addWidget(b);
        }
    }
    for (QToolButton* b : {Button_kszz, Button_jjzz, Button_zzwc}) {
        b->hide();
    }
    connect(Button_kszz, &QToolButton::clicked, this,
            [this] { emit stateRequested(DishState::StartMaking); });
    connect(Button_jjzz, &QToolButton::clicked, this,
            [this] { emit stateRequested(DishState::Urgent); });
    connect(Button_zzwc, &QToolButton::clicked, this,
            [this] { emit stateRequested(DishState::Made); });
    connect(Button_wfzz, &QToolButton::clicked, this,
            [this] { emit stateRequested(DishState::CannotMake); });
    connect(Button_cpys, &QToolButton::clicked, this, &DishCommandBar::servedRequested);
    connect(ImgBtn11, &QToolButton::clicked, this, &DishCommandBar::soldOutRequested);
}
