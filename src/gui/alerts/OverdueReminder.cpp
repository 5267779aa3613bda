#include "gui/alerts/OverdueReminder.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include "core/alerts/AlertStatements.h"
#include "core/main/StationSettings.h"
#include "gui/alerts/AlertColumns.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/common/StationWidgets.h"

namespace {

constexpr int kPanelHeight = 240;
constexpr int kTitleHeight = 35;

QFont TitleFont(bool underline = false) {
    QFont f;
    f.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(21);
    f.setBold(true);
    f.setUnderline(underline);
    return f;
}

QLabel* TitleLabel(const char* name, const QString& text, const char* colour, bool underline,
                   QWidget* parent) {
    auto* l = Named(new QLabel(text, parent), name);
    l->setFont(TitleFont(underline));
    l->setStyleSheet(QStringLiteral("QLabel { color: %1; background: transparent; }")
                         .arg(QString::fromLatin1(colour)));
    return l;
}

}  // namespace

OverdueReminder::OverdueReminder(StationContext& ctx, QWidget* place, QObject* parent)
    : QObject(parent), ctx_(ctx), guard_(ctx.boxes, ctx.window) {
    RzPl_cstx = PlainPage("RzPl_cstx", place);
    RzPl_cstx->setFrameShape(QFrame::StyledPanel);
    RzPl_cstx->setFixedHeight(kPanelHeight);
    RzPl_cstx->hide();
    PlaceLayout(place)->addWidget(RzPl_cstx);
    auto* column = PlaceLayout(RzPl_cstx);
    buildTitleBar();
    column->addWidget(RzPl_cstxtitle);
    grid_ = new AlertGrid(ctx.dm.ADO_cstx, OverdueColumns(), "cxGrid4",
                          {QStringLiteral("room_name"), QStringLiteral("consume_num")}, RzPl_cstx,
                          this);

    // The timers live in the panel, so they end with the window.
    Timer_cstx = NamedTimer("Timer_cstx", 5 * 60000, false, RzPl_cstx);
    Timer5 = NamedTimer("Timer5", 1000, false, RzPl_cstx);
    connect(Timer_cstx, &QTimer::timeout, this, guard_.wrap([this] { Timer_cstxTimer(); }));
    connect(Timer5, &QTimer::timeout, this, guard_.wrap([this] { Timer5Timer(); }));
    connect(ImgBtn13, &QToolButton::clicked, this, guard_.wrap([this] { ImgBtn13Click(); }));
    Label4->installEventFilter(this);
    showState();
}

OverdueReminder::~OverdueReminder() = default;

void OverdueReminder::buildTitleBar() {
    RzPl_cstxtitle = PlainPage("RzPl_cstxtitle", RzPl_cstx);
    RzPl_cstxtitle->setFixedHeight(kTitleHeight);
    RzPl_cstxtitle->setStyleSheet(QStringLiteral("#RzPl_cstxtitle { background: #17406b; }"));
    auto* row = new QHBoxLayout(RzPl_cstxtitle);
    row->setContentsMargins(2, 0, 8, 0);
    row->setSpacing(6);

    ImgBtn13 = Named(new QToolButton(RzPl_cstxtitle), "ImgBtn13");
    ImgBtn13->setIcon(PaintGlyph(Glyph::Close, Qt::white));
    ImgBtn13->setIconSize(QSize(24, 24));
    ImgBtn13->setFixedSize(32, 32);
    ImgBtn13->setToolTip(QStringLiteral("点击关闭提醒"));
    ImgBtn13->setCursor(Qt::PointingHandCursor);
    ImgBtn13->setFocusPolicy(Qt::NoFocus);  // the dish search box keeps the keyboard
    ImgBtn13->setStyleSheet(
        QStringLiteral("QToolButton { background: transparent; border: none; padding: 0; }"
                       "QToolButton:hover { background: rgba(255, 255, 255, 48); }"));
    row->addWidget(ImgBtn13);

    lbl_cstx =
        TitleLabel("lbl_cstx", QStringLiteral("超时菜品提醒"), "white", false, RzPl_cstxtitle);
    row->addWidget(lbl_cstx);
    row->addSpacing(24);
    lb_timer = TitleLabel("lb_timer", QString::number(ReminderCountdown::kStartSeconds), "red",
                          false, RzPl_cstxtitle);
    row->addWidget(lb_timer);
    Label1 = TitleLabel("Label1", QStringLiteral("秒后提醒关闭"), "white", false, RzPl_cstxtitle);
    row->addWidget(Label1);
    row->addSpacing(24);
    Label4 = TitleLabel("Label4", kReminderPauseText, "red", true, RzPl_cstxtitle);
    Label4->setCursor(Qt::PointingHandCursor);
    row->addWidget(Label4);
    row->addStretch(1);
}

bool OverdueReminder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        guard_.run([this] { Label4Click(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void OverdueReminder::arm(int minutes) {
    if (!Timer_cstx) {
        return;
    }
    // Stopped first: a new period starts now.
    Timer_cstx->stop();
    if (minutes > 0) {
        Timer_cstx->setInterval(ReminderIntervalMs(minutes));
        Timer_cstx->start();
    }
}

QTimer* OverdueReminder::reminderTimer() const {
    return Timer_cstx;
}

void OverdueReminder::stop() {
    if (Timer_cstx) {
        Timer_cstx->stop();
    }
    if (Timer5) {
        Timer5->stop();
    }
}

void OverdueReminder::Timer_cstxTimer() {
    const ListRead read = OpenOverdueReminder(ctx_.dm.ADO_cstx, ctx_.dm.ADOConn.dialect());
    if (!read) {
        checkFailed(read);
        return;
    }
    ctx_.health.reportSuccess(Feed::Reminder);
    if (countdown_.checked(ctx_.dm.ADO_cstx.rowCount())) {
        showState();
        emit reminderShown();
    }
}

// The panel stays as it was (an open one says the list is not current), the window's band
// says the data are not current, and the next period tries again. While nobody is at the pass one
// error box is enough: checks that fail while it is open add none.
void OverdueReminder::checkFailed(const ListRead& read) {
    grid_->readFailed(read.error, ctx_.clock.now());
    ctx_.health.reportFailure(Feed::Reminder, read.failure, read.error);
    if (errorBoxOpen_) {
        return;
    }
    errorBoxOpen_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{errorBoxOpen_};
    ctx_.boxes.error(ctx_.window,
                     QStringLiteral("超时菜品提醒读取失败，下一次提醒时将重试。\n") + read.error);
}

void OverdueReminder::Timer5Timer() {
    countdown_.tick();
    showState();
}

void OverdueReminder::Label4Click() {
    countdown_.togglePause();
    showState();
}

void OverdueReminder::ImgBtn13Click() {
    countdown_.close();
    showState();
}

void OverdueReminder::showState() {
    if (!RzPl_cstx || !Timer5) {
        return;
    }
    lb_timer->setText(QString::number(countdown_.secondsLeft()));
    Label4->setText(countdown_.switchText());
    RzPl_cstx->setVisible(countdown_.shown());
    if (!countdown_.counting()) {
        Timer5->stop();
    } else if (!Timer5->isActive()) {
        Timer5->start();
    }
}
