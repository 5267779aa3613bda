#include "gui/tile/BandPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap PaintBandPicture(int size, int bandHeight, const BandLook& look) {
    QPixmap pm(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, bandHeight, 0, size);
    body.setColorAt(0, look.selected ? QColor(255, 250, 214) : QColor(255, 252, 244));
    body.setColorAt(1, look.selected ? QColor(250, 232, 160) : QColor(240, 232, 214));
    p.fillRect(0, 0, size, size, body);
    p.fillRect(0, 0, size, bandHeight, look.band);

    QFont f;
    f.setFamilies(
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"), QStringLiteral("宋体")});
    f.setPixelSize(11);
    p.setFont(f);
    QRect words(0, 0, size, bandHeight);
    if (look.selected) {
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
    p.drawRect(look.selected ? QRect(1, 1, size - 2, size - 2) : QRect(0, 0, size - 1, size - 1));
    return pm;
}
