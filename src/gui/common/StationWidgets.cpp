#include "gui/common/StationWidgets.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

QIcon PaintGlyph(Glyph glyph, const QColor& colour) {
    QPixmap pix(24, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
        case Glyph::Search:
            p.drawEllipse(QRectF(3, 3, 12, 12));
            p.drawLine(QPointF(13.5, 13.5), QPointF(21, 21));
            break;
        case Glyph::Query:
            p.drawRect(QRectF(3, 3, 18, 18));
            p.drawLine(QPointF(7, 9), QPointF(17, 9));
            p.drawLine(QPointF(7, 13), QPointF(17, 13));
            p.drawLine(QPointF(7, 17), QPointF(13, 17));
            break;
        case Glyph::Settings:
            p.drawEllipse(QRectF(7, 7, 10, 10));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(12, 12);
                p.rotate(45.0 * i);
                p.drawLine(QPointF(0, -7), QPointF(0, -10));
                p.restore();
            }
            break;
        case Glyph::Served: {
            QPainterPath tick;
            tick.moveTo(4, 13);
            tick.lineTo(10, 19);
            tick.lineTo(20, 5);
            p.drawPath(tick);
            break;
        }
        case Glyph::Refused:
        case Glyph::Close:
            p.drawLine(QPointF(5, 5), QPointF(19, 19));
            p.drawLine(QPointF(19, 5), QPointF(5, 19));
            break;
        case Glyph::SoldOut:
            p.drawEllipse(QRectF(3, 3, 18, 18));
            p.drawLine(QPointF(6.5, 17.5), QPointF(17.5, 6.5));
            break;
        case Glyph::Previous:
            p.drawLine(QPointF(15, 4), QPointF(7, 12));
            p.drawLine(QPointF(7, 12), QPointF(15, 20));
            break;
        case Glyph::Next:
            p.drawLine(QPointF(9, 4), QPointF(17, 12));
            p.drawLine(QPointF(17, 12), QPointF(9, 20));
            break;
        case Glyph::Plain:
            p.setBrush(colour);
            p.drawEllipse(QRectF(8, 8, 8, 8));
            break;
    }
    return QIcon(pix);
}

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

QToolButton* PictureButton(const char* name, const QString& text, Glyph glyph, const QColor& colour,
                           const QString& hint, QWidget* parent) {
    auto* b = Named(new QToolButton(parent), name);
    b->setText(text);
    b->setIcon(PaintGlyph(glyph, colour));
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    b->setMinimumHeight(30);
    return b;
}

QFrame* PlainPage(const char* name, QWidget* parent) {
    auto* f = Named(new QFrame(parent), name);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

QTimer* NamedTimer(const char* name, int interval, bool singleShot, QObject* owner) {
    auto* t = Named(new QTimer(owner), name);
    t->setInterval(interval);
    t->setSingleShot(singleShot);
    return t;
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& text, bool visible) {
    auto* a = Named(menu->addAction(text), name);
    a->setVisible(visible);
    return a;
}

void SelectStoredPosition(QComboBox* list, int position) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}
