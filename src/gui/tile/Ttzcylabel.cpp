#include "gui/tile/Ttzcylabel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "gui/tile/Ttzcypanel.h"

namespace {

// Blanks count: a caption ending in blanks stands that far from a right edge.
constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextIncludeTrailingSpaces;

}  // namespace

Ttzcylabel::Ttzcylabel(QWidget* parent) : QWidget(parent) {
    color_ = palette().color(QPalette::Button);
    adjustBounds();
}

void Ttzcylabel::setAutoSize(bool on) {
    autoSize_ = on;
    adjustBounds();
}

void Ttzcylabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void Ttzcylabel::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    adjustBounds();
    update();
}

void Ttzcylabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Ttzcylabel::setTransparent(bool on) {
    transparent_ = on;
    update();
}

void Ttzcylabel::setFontColor(const QColor& color) {
    fontColor_ = color;
    update();
}

void Ttzcylabel::Assign(const QObject* source) {
    const auto* other = qobject_cast<const Ttzcylabel*>(source);
    if (!other) {
        return;
    }
    setCaption(other->caption_);
    QFont f = font();
    f.setBold(other->font().bold());
    f.setItalic(other->font().italic());
    f.setUnderline(other->font().underline());
    f.setStrikeOut(other->font().strikeOut());
    setFont(f);
    fontColor_ = other->fontColor_;
    color_ = other->color_;
    setVisible(other->Visible());
    alignment_ = other->alignment_;
    setGeometry(other->geometry());
    OnClick = other->OnClick;
    OnDblClick = other->OnDblClick;
    OnMouseDown = other->OnMouseDown;
    OnMouseMove = other->OnMouseMove;
    OnMouseUp = other->OnMouseUp;
    OnResize = other->OnResize;
    update();
}

QSize Ttzcylabel::textSize() const {
    const QFontMetrics fm(font());
    const QString text = caption_.isEmpty() ? QStringLiteral(" ") : caption_;
    return QSize(fm.boundingRect(QRect(0, 0, 10000, 1000), kTextFlags, text).width(), fm.height());
}

void Ttzcylabel::adjustBounds() {
    if (!autoSize_) {
        return;
    }
    const QSize s = textSize();
    // A right-aligned caption grows to the left.
    const int left = alignment_ & Qt::AlignRight ? x() + width() - s.width() : x();
    setGeometry(left, y(), s.width(), s.height());
}

void Ttzcylabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!transparent_) {
        p.fillRect(rect(), color_);
    }
    p.setFont(font());
    p.setPen(fontColor_);
    p.drawText(rect(), static_cast<int>(alignment_ | Qt::AlignTop) | kTextFlags, caption_);
}

void Ttzcylabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        adjustBounds();
    }
    QWidget::changeEvent(event);
}

void Ttzcylabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (OnResize) {
        OnResize(this);
    }
}

Ttzcypanel* Ttzcylabel::tile() const {
    return qobject_cast<Ttzcypanel*>(parentWidget());
}

void Ttzcylabel::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    clickArmed_ = event->button() == Qt::LeftButton;
    if (Ttzcypanel* t = tile()) {
        QPointer<Ttzcylabel> self(this);
        t->handleMouseDown(this, event->button(), event->modifiers(), pos);
        if (!self) {
            return;
        }
    }
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
}

void Ttzcylabel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (Ttzcypanel* t = tile()) {
        t->handleDragMove(this, pos, event->globalPosition().toPoint());
    }
    if (OnMouseMove) {
        OnMouseMove(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
}

void Ttzcylabel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool click = clickArmed_ && event->button() == Qt::LeftButton && rect().contains(pos);
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = false;
    }
    QPointer<Ttzcylabel> self(this);
    if (Ttzcypanel* t = tile()) {
        if (!t->handleRelease(this, event->button(), event->modifiers(), pos,
                              event->globalPosition().toPoint(), click) ||
            !self) {
            return;
        }
    }
    if (click && OnClick) {
        OnClick(this);
    }
    if (self && OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
}

void Ttzcylabel::mouseDoubleClickEvent(QMouseEvent* event) {
    clickArmed_ = false;
    QPointer<Ttzcylabel> self(this);
    if (Ttzcypanel* t = tile()) {
        t->handleDoubleClick(this, event->button(), event->modifiers(),
                             event->position().toPoint());
        if (!self) {
            return;
        }
    }
    if (OnDblClick) {
        OnDblClick(this);
    }
}
