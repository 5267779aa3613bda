#include "gui/session/TFLogin.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>

#include "core/common/AppTexts.h"
#include "core/common/StationState.h"
#include "core/common/TickSource.h"
#include "core/db/TF_dm.h"
#include "core/session/SessionRegistry.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/StationWidgets.h"
#include "gui/common/WaitCursor.h"

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void PauseKeepingResponsive(int ms, const TickSource& ticks,
                            const std::function<void(int)>& runEventsFor) {
    const qint64 start = ticks.ticks();
    for (qint64 waited = 0; waited < ms; waited = ticks.ticks() - start) {
        runEventsFor(static_cast<int>(ms - waited));
    }
}

namespace {

QIcon PaintArrow() {
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x5f, 0x9f));
    p.drawPolygon(QPolygonF({QPointF(3, 5), QPointF(13, 5), QPointF(8, 11)}));
    return QIcon(pix);
}

QFont LargeFont(const QFont& base) {
    QFont f = base;
    f.setPixelSize(18);
    return f;
}

}  // namespace

TFLogin::TFLogin(TF_dm& dm, StationState& state, const StationClock& clock, MessageBoxes& boxes,
                 QWidget* parent)
    : QDialog(parent), dm_(dm), state_(state), clock_(clock), boxes_(boxes), ipAddress_([] {
          return LocalIpAddress();
      }) {
    setObjectName(QStringLiteral("FLogin"));
    setWindowTitle(QStringLiteral("用户登录"));
    setFixedSize(529, 319);
    QFont font;
    font.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(12);
    setFont(font);
    setPauseMs(2000);

    edit1 = new QLineEdit(this);
    edit1->setObjectName(QStringLiteral("edit1"));
    edit1->setFrame(false);
    edit1->setFont(LargeFont(font));
    edit1->setGeometry(190, 118, 230, 30);
    edit1->setTextMargins(4, 0, 24, 0);

    TransparentButton1 = new QToolButton(this);
    TransparentButton1->setObjectName(QStringLiteral("TransparentButton1"));
    TransparentButton1->setIcon(PaintArrow());
    TransparentButton1->setAutoRaise(true);
    TransparentButton1->setCursor(Qt::PointingHandCursor);
    TransparentButton1->setFocusPolicy(Qt::NoFocus);
    TransparentButton1->setGeometry(396, 121, 22, 24);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFrame(false);
    Edit2->setFont(LargeFont(font));
    MakePasswordBox(Edit2);
    Edit2->setGeometry(190, 170, 230, 30);
    Edit2->setTextMargins(4, 0, 4, 0);

    ImgBtn1 = new QPushButton(QStringLiteral("登 录"), this);
    ImgBtn1->setObjectName(QStringLiteral("ImgBtn1"));
    ImgBtn2 = new QPushButton(QStringLiteral("取 消"), this);
    ImgBtn2->setObjectName(QStringLiteral("ImgBtn2"));
    for (QPushButton* b : {ImgBtn1, ImgBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setCursor(Qt::PointingHandCursor);
        b->setFont(LargeFont(font));
    }
    ImgBtn1->setGeometry(190, 230, 105, 36);
    ImgBtn2->setGeometry(315, 230, 105, 36);
    ImgBtn1->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #2e8b57; border: 1px solid #236b43;"
                       " border-radius: 4px; } QPushButton:hover { background: #36a367; }"));
    ImgBtn2->setStyleSheet(
        QStringLiteral("QPushButton { color: #333; background: #e8eef5; border: 1px solid #9fb3c8;"
                       " border-radius: 4px; } QPushButton:hover { background: #f4f8fc; }"));

    // Created last so it lies over the password box when it drops down.
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(190, 148, 230, 21 * 5 + 4);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setFont(LargeFont(font));
    ListBox1->hide();

    edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    setTabOrder(edit1, Edit2);
    setTabOrder(Edit2, ImgBtn1);
    setTabOrder(ImgBtn1, ImgBtn2);

    const ErrorGuard guard(boxes_, this);
    connect(TransparentButton1, &QToolButton::clicked, this,
            guard.wrap([this] { ListBox1->setVisible(!ListBox1->isVisible()); }));
    connect(ListBox1, &QListWidget::itemClicked, this, [this, guard](QListWidgetItem* item) {
        guard.run([&] {
            edit1->setText(item->text());
            ListBox1->hide();
        });
    });
    connect(ImgBtn1, &QPushButton::clicked, this, guard.wrap([this] { ImgBtn1Click(); }));
    connect(ImgBtn2, &QPushButton::clicked, this, guard.wrap([this] { ImgBtn2Click(); }));

    guard.run([this] { FillOperatorList(); });
    edit1->setFocus();
}

void TFLogin::setPauseMs(int ms) {
    pause_ = [ms] {
        const SystemTickSource ticks;
        PauseKeepingResponsive(ms, ticks, RunEventsFor);
    };
}

void TFLogin::FillOperatorList() {
    QueryObject& q = dm_.ADO_Public;
    q.close();
    q.setSql(kLoginOperatorsSql);
    q.open();
    ListBox1->clear();
    for (int r = 0; r < q.rowCount(); ++r) {
        q.setCurrentRow(r);
        auto* item = new QListWidgetItem(q.asString(QStringLiteral("user_bh")));
        item->setSizeHint(QSize(0, 21));
        ListBox1->addItem(item);
    }
    // Up to five rows show at once; more scroll.
    const int rows = std::clamp(ListBox1->count(), 1, 5);
    ListBox1->setFixedHeight(rows * 21 + 2 * ListBox1->frameWidth());
}

void TFLogin::ImgBtn1Click() {
    // A second OK or Enter while the pause lets messages through must not log in twice.
    if (busy_ || outcome_ != Outcome::Waiting) {
        return;
    }
    busy_ = true;
    const auto done = qScopeGuard([this] { busy_ = false; });
    login();
}

void TFLogin::login() {
    WaitCursor wait;
    const QString code = edit1->text().trimmed();
    const QString password = Edit2->text().trimmed();
    if (!VerifyOperatorPassword(dm_, code, password)) {
        wait.restore();
        boxes_.show(this, QMessageBox::Information, QStringLiteral("系统提示"),
                    QStringLiteral("密码不正确！"), QMessageBox::Ok);
        Edit2->setEnabled(true);
        Edit2->clear();
        Edit2->setFocus();
        return;
    }
    state_.CurrentOperator = code;
    try {
        pause_();
        WriteLoginLog(dm_, clock_, code);
        state_.SessionId = NewLineId(clock_);
        RegisterSession(dm_, state_.SessionId, kWorkstationName, code, kModuleName, ipAddress_());
    } catch (...) {
        // Without its rows the login has not happened: closing the window now ends the
        // program instead of showing a main window that no session row stands for.
        state_.CurrentOperator.clear();
        state_.SessionId.clear();
        throw;
    }
    state_.CurrentPassword = password;
    outcome_ = Outcome::LoggedIn;
    wait.restore();
    accept();
}

void TFLogin::ImgBtn2Click() {
    if (busy_) {
        return;
    }
    outcome_ = Outcome::Cancelled;
    QDialog::reject();
}

void TFLogin::reject() {
    // The close box, Alt+F4 or Escape; ignored while a login is being written.
    if (busy_) {
        return;
    }
    if (outcome_ == Outcome::Waiting && state_.CurrentOperator.isEmpty()) {
        outcome_ = Outcome::Closed;
    }
    QDialog::reject();
}

bool TFLogin::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == edit1) {
                ListBox1->hide();
                Edit2->setFocus();
                return true;
            }
            if (watched == Edit2) {
                ErrorGuard(boxes_, this).run([this] { ImgBtn1Click(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFLogin::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x5a, 0x9b, 0xd5));
    g.setColorAt(0.35, QColor(0x1f, 0x5f, 0x9f));
    g.setColorAt(0.351, QColor(0xf3, 0xf6, 0xfa));
    g.setColorAt(1, QColor(0xe2, 0xea, 0xf3));
    p.fillRect(rect(), g);

    QFont title = font();
    title.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("宋体")});
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 20, width(), 50), Qt::AlignCenter, kApplicationTitle);

    QFont label = font();
    label.setPixelSize(16);
    p.setFont(label);
    p.setPen(QColor(0x33, 0x44, 0x55));
    p.drawText(QRect(90, 118, 96, 30), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("操作员："));
    p.drawText(QRect(90, 170, 96, 30), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("密  码："));
    p.setPen(QPen(QColor(0x9f, 0xb3, 0xc8), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(188.5, 116.5, 233, 33), 3, 3);
    p.drawRoundedRect(QRectF(188.5, 168.5, 233, 33), 3, 3);
}
