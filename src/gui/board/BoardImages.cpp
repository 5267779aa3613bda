#include "gui/board/BoardImages.h"

#include <QPainter>
#include <QPainterPath>

#include "gui/tile/ImageList.h"

namespace {

struct Look {
    QColor band;
    QString words;
    bool selected;
};

QPixmap PaintTile(const Look& look) {
    constexpr int kSize = 80;
    constexpr int kBand = 17;
    QPixmap pm(kSize, kSize);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, kBand, 0, kSize);
    body.setColorAt(0, look.selected ? QColor(255, 250, 214) : QColor(255, 252, 244));
    body.setColorAt(1, look.selected ? QColor(250, 232, 160) : QColor(240, 232, 214));
    p.fillRect(0, 0, kSize, kSize, body);
    p.fillRect(0, 0, kSize, kBand, look.band);

    QFont f;
    f.setFamilies(
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"), QStringLiteral("宋体")});
    f.setPixelSize(11);
    p.setFont(f);
    QRect words(0, 0, kSize, kBand);
    if (look.selected) {
        // A check mark before the words.
        QPainterPath tick;
        tick.moveTo(4, 8);
        tick.lineTo(8, 13);
        tick.lineTo(16, 3);
        p.setPen(QPen(QColor(0, 128, 0), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        words.setLeft(16);
    }
    p.setPen(look.selected || look.band.lightness() > 150 ? QColor(60, 40, 0) : Qt::white);
    p.drawText(words, Qt::AlignCenter, look.words);

    const QColor edge = look.selected ? QColor(230, 140, 0) : look.band.darker(130);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(edge, look.selected ? 2 : 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(look.selected ? QRect(1, 1, kSize - 2, kSize - 2)
                             : QRect(0, 0, kSize - 1, kSize - 1));
    return pm;
}

}  // namespace

void PaintTableBoardImages(ImageList& list) {
    const QColor yellow(255, 214, 0);
    const Look looks[] = {
        {QColor(210, 170, 110), QStringLiteral("未上菜品"), false},
        {QColor(40, 160, 70), QStringLiteral("上菜中[正常]"), false},
        {QColor(215, 40, 40), QStringLiteral("上菜中[超时]"), false},
        {QColor(140, 140, 140), QStringLiteral("上菜完成"), false},
        {yellow, QStringLiteral("未上菜品"), true},
        {yellow, QStringLiteral("上菜正常"), true},
        {yellow, QStringLiteral("上菜超时"), true},
        {yellow, QStringLiteral("上菜完成"), true},
    };
    list.clear();
    for (const Look& look : looks) {
        list.add(PaintTile(look));
    }
}
