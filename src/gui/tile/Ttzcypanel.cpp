#include "gui/tile/Ttzcypanel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cstdlib>

namespace {

constexpr int kDefaultSize = 80;
constexpr int kMoveThreshold = 5;
constexpr int kDragThreshold = 20;

Ttzcypanel* TileOf(QWidget* w) {
    if (auto* tile = qobject_cast<Ttzcypanel*>(w)) {
        return tile;
    }
    if (qobject_cast<Ttzcylabel*>(w)) {
        return qobject_cast<Ttzcypanel*>(w->parentWidget());
    }
    return nullptr;
}

}  // namespace

Ttzcypanel::Ttzcypanel(QWidget* parent) : QWidget(parent) {
    resize(kDefaultSize, kDefaultSize);
    color_ = QApplication::palette().color(QPalette::Button);
    setMouseTracking(true);

    const int W = width();
    const int H = height();
    const char* names[kLabels] = {"cy_rs", "cy_xfje", "cy_sph", "cy_ctzt", "Label5", "Label6"};
    for (int i = 0; i < kLabels; ++i) {
        labels_[i] = new Ttzcylabel(this);
        labels_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    Ttzcylabel* l1 = labels_[0];
    l1->setFontColor(QColor(255, 0, 0));
    const int h1 = l1->height();
    l1->move(2, H - h1 - 5);

    Ttzcylabel* l2 = labels_[1];
    l2->setFontColor(QColor(0, 0, 255));
    l2->setAutoSize(false);
    l2->setAlignment(Qt::AlignRight);
    l2->setGeometry(l1->width(), H - h1 - 5, W - l1->width(), l2->textSize().height());

    Ttzcylabel* l3 = labels_[2];
    QFont bold = l3->font();
    bold.setBold(true);
    l3->setFont(bold);
    l3->setAutoSize(false);
    l3->setAlignment(Qt::AlignHCenter);
    l3->setGeometry(0, H - 3 * h1 - 15, W, l3->textSize().height());

    Ttzcylabel* l4 = labels_[3];
    l4->setFontColor(QColor(128, 0, 128));
    const int h4 = l4->height();
    l4->setAutoSize(false);
    l4->setAlignment(Qt::AlignHCenter);
    l4->setGeometry(0, H - 2 * h4 - 10, W, h4);

    for (int i = 4; i < kLabels; ++i) {
        labels_[i]->move((W - l1->width()) / 2, labels_[i]->y());
        labels_[i]->hide();
    }
    bevelOuter_ = TileBevel::None;
}

Ttzcypanel::~Ttzcypanel() {
    if (dragging_) {
        QApplication::restoreOverrideCursor();
    }
}

void Ttzcypanel::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void Ttzcypanel::setBGImages(ImageList* list) {
    bgImages_ = list;
    if (!list) {
        update();
    }
}

void Ttzcypanel::setBGImageIndex(int index) {
    if (index != bgIndex_) {
        bgIndex_ = index;
        repaint();
    }
}

void Ttzcypanel::setStateImages(int k, ImageList* list) {
    stateImages_.at(k - 1) = list;
    if (!list) {
        update();
    }
}

void Ttzcypanel::setStateImageIndex(int k, int index) {
    int& slot = stateIndex_.at(k - 1);
    if (index != slot) {
        slot = index;
        repaint();
    }
}

void Ttzcypanel::setBevelInner(TileBevel bevel) {
    if (bevel != bevelInner_) {
        bevelInner_ = bevel;
        update();
    }
}

void Ttzcypanel::setBevelOuter(TileBevel bevel) {
    if (bevel != bevelOuter_) {
        bevelOuter_ = bevel;
        update();
    }
}

void Ttzcypanel::setBevelWidth(int width) {
    bevelWidth_ = qMax(1, width);
    update();
}

void Ttzcypanel::setBorderWidth(int width) {
    borderWidth_ = qMax(0, width);
    update();
}

void Ttzcypanel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Ttzcypanel::setLabel(int k, const QObject* source) {
    if (qobject_cast<const Ttzcylabel*>(source)) {
        Label(k)->Assign(source);
        repaint();
    }
}

// --- painting ---------------------------------------------------------------------------

void Ttzcypanel::drawFrame(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight,
                           int width) const {
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void Ttzcypanel::drawBevel(QPainter& p, QRect& r, TileBevel bevel) const {
    if (bevel == TileBevel::None) {
        return;
    }
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    if (bevel == TileBevel::Lowered) {
        drawFrame(p, r, dark, light, bevelWidth_);
    } else {
        drawFrame(p, r, light, dark, bevelWidth_);
    }
}

void Ttzcypanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    if (!picture_.isNull()) {
        p.drawPixmap(rect(), picture_);
    }
    if (bgImages_ && bgImages_->contains(bgIndex_)) {
        // The tile takes the size of its background pictures.
        if (size() != bgImages_->size()) {
            resize(bgImages_->size());
        }
        p.drawPixmap(0, 0, bgImages_->image(bgIndex_));
    }
    for (int k = 1; k <= kStateSlots; ++k) {
        ImageList* list = stateImages_.at(k - 1);
        const int index = stateIndex_.at(k - 1);
        if (!list || !list->contains(index)) {
            continue;
        }
        const int w = list->width();
        if (k * w < width()) {
            p.drawPixmap(width() - k * (w + 2), 2, list->image(index));
        }
    }
    QRect r = rect();
    drawBevel(p, r, bevelOuter_);
    drawFrame(p, r, color_, color_, borderWidth_);
    drawBevel(p, r, bevelInner_);
}

void Ttzcypanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QPointer<Ttzcypanel> self(this);
    emit OnResize(this);
    if (!self) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        labels_[i]->setGeometry(2, labels_[i]->y(), width(), labels_[i]->height());
    }
    labels_[0]->setAutoSize(false);
    labels_[0]->setAlignment(Qt::AlignLeft);
    labels_[1]->setAlignment(Qt::AlignRight);
    labels_[2]->setAlignment(Qt::AlignLeft);
    labels_[3]->setAlignment(Qt::AlignLeft);
}

// --- press, click, double-click ----------------------------------------------------------

void Ttzcypanel::handleMouseDown(QWidget*, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                 QPoint pos) {
    if (!canChecked_ && button == Qt::LeftButton && !doubleClickFlag_) {
        setBevelOuter(TileBevel::Lowered);
        setBevelInner(TileBevel::None);
    }
    if (canDrap_ && !doubleClickFlag_) {
        pressFlag_ = true;
        pressPoint_ = pos;
    }
    doubleClickFlag_ = false;
    emit OnMouseDown(this, button, shift, pos.x(), pos.y());
}

void Ttzcypanel::click() {
    if (canChecked_) {
        setBevelOuter(TileBevel::Lowered);
        setBevelInner(TileBevel::Lowered);
    }
    if (canDrap_ && pressFlag_ && movedFlag_) {
        return;
    }
    movedFlag_ = false;
    emit OnClick(this);
}

bool Ttzcypanel::handleRelease(QWidget* from, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                               QPoint pos, QPoint globalPos, bool clicked) {
    QPointer<Ttzcypanel> self(this);
    if (dragging_) {
        // The release that drops the tile is no click.
        finishDrag(globalPos, false);
        if (!self) {
            return false;
        }
    } else if (clicked) {
        click();
        if (!self) {
            return false;
        }
    }
    if (!canChecked_ && button == Qt::LeftButton) {
        setBevelOuter(TileBevel::None);
        setBevelInner(TileBevel::None);
    }
    if (canDrap_) {
        pressFlag_ = false;
        movedFlag_ = false;
    }
    emit OnMouseUp(this, button, shift, pos.x(), pos.y());
    if (!self) {
        return false;
    }
    if (from != this) {
        movedFlag_ = false;
    }
    return true;
}

void Ttzcypanel::handleDoubleClick(QWidget* from, Qt::MouseButton button,
                                   Qt::KeyboardModifiers shift, QPoint pos) {
    if (bevelOuter_ != TileBevel::None || bevelInner_ != TileBevel::None) {
        setBevelOuter(TileBevel::None);
        setBevelInner(TileBevel::None);
    }
    doubleClickFlag_ = true;
    QPointer<Ttzcypanel> self(this);
    emit OnDblClick(this);
    if (!self) {
        return;
    }
    // The second press of the double-click: no pressed look, no drag; clears the flag.
    handleMouseDown(from, button, shift, pos);
}

void Ttzcypanel::mousePressEvent(QMouseEvent* event) {
    clickArmed_ = event->button() == Qt::LeftButton;
    handleMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
}

void Ttzcypanel::mouseDoubleClickEvent(QMouseEvent* event) {
    clickArmed_ = false;
    handleDoubleClick(this, event->button(), event->modifiers(), event->position().toPoint());
}

void Ttzcypanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    // A click is a left press and release on the tile; the second release of a double-click
    // is none.
    const bool clicked = clickArmed_ && event->button() == Qt::LeftButton && rect().contains(pos);
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = false;
    }
    handleRelease(this, event->button(), event->modifiers(), pos, event->globalPosition().toPoint(),
                  clicked);
}

void Ttzcypanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    QPointer<Ttzcypanel> self(this);
    handleDragMove(this, pos, event->globalPosition().toPoint());
    if (self) {
        emit OnMouseMove(this, event->buttons(), event->modifiers(), pos.x(), pos.y());
    }
}

// --- dragging -----------------------------------------------------------------------------

void Ttzcypanel::handleDragMove(QWidget*, QPoint pos, QPoint globalPos) {
    if (dragging_) {
        queryDragOver(widgetAtGlobal(globalPos), globalPos);
        return;
    }
    if (!canDrap_ || !pressFlag_) {
        return;
    }
    const int dx = std::abs(pos.x() - pressPoint_.x());
    const int dy = std::abs(pos.y() - pressPoint_.y());
    if (dx > kMoveThreshold || dy > kMoveThreshold) {
        movedFlag_ = true;
    }
    if (dx > kDragThreshold || dy > kDragThreshold) {
        beginDrag();
        movedFlag_ = true;
        queryDragOver(widgetAtGlobal(globalPos), globalPos);
    }
}

void Ttzcypanel::beginDrag() {
    // Past 20 pixels the toolkit's start distance is passed as well: the drag runs at once.
    dragging_ = true;
    QApplication::setOverrideCursor(QCursor(dragCursor_));
}

QWidget* Ttzcypanel::widgetAtGlobal(QPoint globalPos) const {
    QWidget* top = window();
    const QPoint local = top->mapFromGlobal(globalPos);
    if (QWidget* hit = top->childAt(local)) {
        return hit;
    }
    if (top->rect().contains(local)) {
        return top;
    }
    return QApplication::widgetAt(globalPos);
}

bool Ttzcypanel::queryDragOver(QWidget* over, QPoint globalPos) {
    Ttzcypanel* target = TileOf(over);
    bool accept = false;
    if (target) {
        const QPoint local = over->mapFromGlobal(globalPos);
        // A label takes the drag; its tile's handler has the last word.
        accept = over != target;
        if (target->isSignalConnected(QMetaMethod::fromSignal(&Ttzcypanel::OnDragOver))) {
            accept = true;
            emit target->OnDragOver(target, this, local.x(), local.y(), &accept);
        }
    }
    if (dragging_) {
        QApplication::changeOverrideCursor(QCursor(accept ? dragCursor_ : Qt::ForbiddenCursor));
    }
    return accept;
}

void Ttzcypanel::finishDrag(QPoint globalPos, bool cancelled) {
    dragging_ = false;
    QApplication::restoreOverrideCursor();
    QWidget* over = cancelled ? nullptr : widgetAtGlobal(globalPos);
    Ttzcypanel* target = TileOf(over);
    QPointer<Ttzcypanel> self(this);
    if (over && target != this) {
        const QPoint local = over->mapFromGlobal(globalPos);
        if (target) {
            QPointer<Ttzcypanel> guardTarget(target);
            if (queryDragOver(over, globalPos)) {
                target->dragDropped(this, target->mapFromGlobal(globalPos));
            }
            if (self && guardTarget) {
                emit OnEndDrag(this, target, local.x(), local.y());
            }
        } else {
            emit OnEndDrag(this, over, local.x(), local.y());
        }
    }
    if (self) {
        movedFlag_ = false;
        pressFlag_ = false;
    }
}

void Ttzcypanel::dragDropped(Ttzcypanel*, QPoint) {}

// --- keyboard, focus, menu ----------------------------------------------------------------

void Ttzcypanel::keyPressEvent(QKeyEvent* event) {
    if (dragging_ && event->key() == Qt::Key_Escape) {
        finishDrag(QPoint(), true);
        return;
    }
    QWidget::keyPressEvent(event);
}

void Ttzcypanel::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    emit OnExit(this);
}

void Ttzcypanel::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_) {
        popupMenu_->popup(event->globalPos());
        return;
    }
    QWidget::contextMenuEvent(event);
}

// --- Tcypanel -------------------------------------------------------------------------------

// Like a panel, a tile takes no focus from a click: the dish search box keeps it for the
// scanner.
Tcypanel::Tcypanel(QWidget* parent) : Ttzcypanel(parent) {}

void Tcypanel::dragDropped(Ttzcypanel* source, QPoint pos) {
    emit OnDragDrop(this, source, pos.x(), pos.y());
}

void Tcypanel::keyPressEvent(QKeyEvent* event) {
    QPointer<Tcypanel> self(this);
    emit OnKeyDown(this, event->key(), event->modifiers());
    if (self && !event->text().isEmpty()) {
        emit OnKeyPress(this, event->text());
    }
    if (self) {
        Ttzcypanel::keyPressEvent(event);
    }
}

void Tcypanel::keyReleaseEvent(QKeyEvent* event) {
    emit OnKeyUp(this, event->key(), event->modifiers());
    Ttzcypanel::keyReleaseEvent(event);
}

void SettleTileGeometry(Ttzcypanel* tile) {
    if (tile->testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent e(tile->size(), QSize());
        QCoreApplication::sendEvent(tile, &e);
        tile->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
}
