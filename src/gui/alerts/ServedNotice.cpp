#include "gui/alerts/ServedNotice.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

const QColor kTop(129, 202, 176);
const QColor kBottom(137, 205, 6);
const QColor kDishBlue(0, 0, 255);
const QColor kRefusedRed(200, 0, 0);

QFont SimSun(int pixels) {
    QFont f;
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

// The largest font up to `pixels` in which the text fits the box, wrapped at word or
// character boundaries: a long dish name is never cut off.
QFont Fitting(const QString& text, int pixels, const QRect& box) {
    QFont f = SimSun(pixels);
    for (int px = pixels; px > 12; px -= 2) {
        f.setPixelSize(px);
        const QRect need =
            QFontMetrics(f).boundingRect(box, Qt::AlignCenter | Qt::TextWrapAnywhere, text);
        if (need.width() <= box.width() && need.height() <= box.height()) {
            break;
        }
    }
    return f;
}

}  // namespace

NoticeWindow::NoticeWindow(const QString& title, const QString& dishName, const QString& reason,
                           const ErrorGuard& guard, QWidget* owner)
    // A tool tip's window: frameless and on top everywhere, shown without being activated
    // (X11 keeps the window manager out of it, Windows shows it without activating).
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus),
      guard_(guard),
      title_(title),
      dishName_(dishName),
      reason_(reason),
      shown_(new QTimer(this)),
      shrink_(new QTimer(this)) {
    setObjectName(QStringLiteral("MSNPopUp1"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(title);
    resize(kSize);
    shown_->setSingleShot(true);
    shown_->setInterval(kShownMs);
    shrink_->setInterval(kShrinkMs);
    connect(shown_, &QTimer::timeout, this, guard_.wrap([this] { startClosing(); }));
    connect(shrink_, &QTimer::timeout, this, guard_.wrap([this] { shrinkStep(); }));
}

void NoticeWindow::showInCorner() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen) {
        side_ = TaskbarSideOf(screen->geometry(), screen->availableGeometry());
        setGeometry(NoticeGeometry(screen->geometry(), screen->availableGeometry(), kSize));
    }
    show();
    shown_->start();
}

void NoticeWindow::startClosing() {
    closing_ = true;
    shown_->stop();
    shrink_->start();
}

void NoticeWindow::shrinkStep() {
    const QRect next = ShrinkNotice(geometry(), side_, kShrinkStep);
    if (next.isEmpty()) {
        shrink_->stop();
        close();
        return;
    }
    setGeometry(next);
}

void NoticeWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, kTop);
    fill.setColorAt(1, kBottom);
    p.fillRect(rect(), fill);
    p.setPen(QColor(60, 110, 40));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    // While it shrinks the content stays where it was, cut off by the window's edge.
    const QRect full(QPoint(0, 0), kSize);
    const bool refused = !reason_.isEmpty();
    p.setFont(SimSun(29));
    p.setPen(refused ? kRefusedRed : QColor(Qt::black));
    const QRect titleBox(8, 6, full.width() - 16, 38);
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, title_);

    QRect dishBox(8, titleBox.bottom() + 4, full.width() - 16,
                  full.height() - titleBox.bottom() - 12);
    QRect reasonBox;
    if (refused) {
        reasonBox = QRect(8, full.height() - 66, full.width() - 16, 58);
        dishBox.setBottom(reasonBox.top() - 4);
    }
    p.setPen(kDishBlue);
    p.setFont(Fitting(dishName_, 35, dishBox));
    p.drawText(dishBox, Qt::AlignCenter | Qt::TextWrapAnywhere, dishName_);
    if (refused) {
        p.setPen(kRefusedRed);
        p.setFont(Fitting(reason_, 18, reasonBox));
        p.drawText(reasonBox, Qt::AlignCenter | Qt::TextWrapAnywhere, reason_);
    }
}

void NoticeWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

ServedNotice::ServedNotice(StationContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

ServedNotice::~ServedNotice() {
    delete current_.data();
}

void ServedNotice::ShowServedNotice(const QString& dishName) {
    show(QStringLiteral("出品菜品"), dishName, QString());
}

void ServedNotice::ShowNotServedNotice(const QString& dishName, const QString& reason) {
    show(QStringLiteral("菜品未上"), dishName, reason);
}

void ServedNotice::ShowNotDoneNotice(const QString& title, const QString& dishName,
                                     const QString& reason) {
    show(title, dishName, reason);
}

void ServedNotice::show(const QString& title, const QString& dishName, const QString& reason) {
    if (current_) {
        // Closed at once, not left to shrink: notices never stack.
        current_->close();
    }
    current_ =
        new NoticeWindow(title, dishName, reason, ErrorGuard(ctx_.boxes, ctx_.window), ctx_.window);
    current_->showInCorner();
}
