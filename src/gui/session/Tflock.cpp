#include "gui/session/Tflock.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "core/common/StationState.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/StationContext.h"
#include "gui/common/StationWidgets.h"

Tflock::Tflock(const StationState& state, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), state_(state), boxes_(boxes) {
    setObjectName(QStringLiteral("flock"));
    setWindowTitle(QStringLiteral("锁屏"));
    setFixedSize(377, 177);

    Label1 = Named(new QLabel(QStringLiteral("请输入解锁密码"), this), "Label1");
    QFont caption = Label1->font();
    caption.setPixelSize(16);
    caption.setBold(true);
    Label1->setFont(caption);
    Label1->setStyleSheet(QStringLiteral("color: white;"));
    Label1->setGeometry(40, 34, 297, 28);

    emm = Named(new QLineEdit(this), "emm");
    MakePasswordBox(emm);
    QFont large = emm->font();
    large.setPixelSize(18);
    emm->setFont(large);
    emm->setGeometry(40, 84, 200, 32);

    TransparentButton2 = Named(new QPushButton(QStringLiteral("解锁"), this), "TransparentButton2");
    TransparentButton2->setFlat(true);
    TransparentButton2->setAutoDefault(false);
    TransparentButton2->setCursor(Qt::PointingHandCursor);
    TransparentButton2->setFont(large);
    TransparentButton2->setGeometry(252, 84, 85, 32);
    TransparentButton2->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #2e8b57; border: 1px solid #236b43;"
                       " border-radius: 4px; } QPushButton:hover { background: #36a367; }"));

    emm->installEventFilter(this);
    TransparentButton2->installEventFilter(this);
    installEventFilter(this);
    const ErrorGuard guard(boxes_, this);
    connect(TransparentButton2, &QPushButton::clicked, this,
            guard.wrap([this] { TransparentButton2Click(); }));
}

void Tflock::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    emm->setFocus();
}

void Tflock::TransparentButton2Click() {
    if (emm->text().trimmed() == state_.CurrentPassword) {
        unlocked_ = true;
        accept();
        return;
    }
    boxes_.show(this, QMessageBox::Information, QStringLiteral("提示信息"),
                QStringLiteral("密码错误！"), QMessageBox::Ok);
    emm->clear();
    emm->setFocus();
}

void Tflock::closeEvent(QCloseEvent* event) {
    if (!unlocked_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool Tflock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 && (key->modifiers() & Qt::AltModifier)) {
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (watched == emm || watched == TransparentButton2)) {
            ErrorGuard(boxes_, this).run([this] { TransparentButton2Click(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tflock::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, kStationLightBlue);
    g.setColorAt(1, kStationBlue);
    p.fillRect(rect(), g);
    p.setPen(QPen(QColor(0x15, 0x45, 0x75), 2));
    p.drawRect(QRectF(1, 1, width() - 2, height() - 2));
    // A padlock beside the caption.
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(314, 22, 18, 20), 0, 180 * 16);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(310, 32, 26, 20), 3, 3);
}

void OpenScreenLock(StationContext& ctx) {
    Tflock lock(ctx.state, ctx.boxes, ctx.window);
    lock.exec();
}
