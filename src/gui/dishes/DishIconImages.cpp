#include "gui/dishes/DishIconImages.h"

#include <QPainter>
#include <QPainterPath>

#include "core/dishes/IconLayout.h"
#include "gui/tile/ImageList.h"

namespace {

struct Band {
    QColor colour;
    QString words;
    bool selected = false;
};

QPixmap PaintIcon(const Band& band) {
    constexpr int kSize = Icons::kIconSize;
    constexpr int kBand = 16;
    QPixmap pm(kSize, kSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, kBand, 0, kSize);
    body.setColorAt(0, band.selected ? QColor(255, 251, 220) : QColor(255, 253, 246));
    body.setColorAt(1, band.selected ? QColor(250, 234, 150) : QColor(238, 232, 218));
    p.fillRect(0, 0, kSize, kSize, body);
    p.fillRect(0, 0, kSize, kBand, band.colour);

    QFont f;
    f.setFamilies(
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"), QStringLiteral("宋体")});
    f.setPixelSize(11);
    p.setFont(f);
    QRect words(0, 0, kSize, kBand);
    if (band.selected) {
        QPainterPath tick;
        tick.moveTo(5, 8);
        tick.lineTo(9, 12);
        tick.lineTo(16, 3);
        p.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        words.setLeft(14);
    }
    p.setPen(band.colour.lightness() > 150 ? QColor(60, 40, 0) : Qt::white);
    p.drawText(words, Qt::AlignCenter, band.words);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(
        QPen(band.selected ? QColor(230, 140, 0) : band.colour.darker(130), band.selected ? 2 : 1));
    p.drawRect(band.selected ? QRect(1, 1, kSize - 2, kSize - 2)
                             : QRect(0, 0, kSize - 1, kSize - 1));
    return pm;
}

}  // namespace

void PaintDishIconImages(ImageList& list) {
    const Band bands[Icons::kBackgroundCount] = {
        {QColor(215, 40, 40), QStringLiteral("开始制作")},
        {QColor(40, 160, 70), QStringLiteral("加急制作")},
        {QColor(140, 140, 140), QStringLiteral("无法制作")},
        {QColor(40, 90, 200), QStringLiteral("制作完成")},
        {QColor(150, 90, 40), QStringLiteral("菜品已上")},
        {QColor(245, 170, 200), QString()},
        {QColor(255, 214, 0), QStringLiteral("选中"), true},
    };
    list.clear();
    for (const Band& band : bands) {
        list.add(PaintIcon(band));
    }
}
