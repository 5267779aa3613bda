#include "gui/main/TFMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "core/common/AppTexts.h"
#include "core/db/ClockSync.h"
#include "core/main/StationSettingsFile.h"
#include "core/session/SessionRegistry.h"
#include "gui/common/FeedRound.h"
#include "gui/dishes/DishFilters.h"
#include "gui/main/StationSkin.h"
#include "gui/main/TFsz.h"
#include "gui/query/TFgjcx.h"
#include "gui/session/Tflock.h"
#include "gui/session/Tfxgmm.h"
#include "gui/soldout/TFgqgl.h"

TFMain::TFMain(TF_dm& dm, StationState& state, StationClock& clock, const TickSource& ticks,
               ClockSetter& clockSetter, MessageBoxes& boxes, SpeechEngine& speech,
               SoundPlayer& sound, const QString& stationFolder, QWidget* parent)
    : QWidget(parent),
      clockSetter_(clockSetter),
      settingsFile_(StationSettingsPath(stationFolder)),
      health_(clock),
      ctx_{dm, state, settings_, boxes, clock, ticks, sound, speech, stationFolder, this, health_},
      guard_(boxes, this),
      parts_(ctx_, this, QCoreApplication::applicationDirPath()),
      ui_(parts_.skeleton()) {
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(kApplicationTitle);
    ApplyStationSkin(this);
    connectControls();
    // Window-level keys: the main window sees a key before the control that has the focus.
    qApp->installEventFilter(this);
}

TFMain::~TFMain() {
    qApp->removeEventFilter(this);
}

void TFMain::connectControls() {
    connect(ui_.ImgBtn12, &QToolButton::clicked, this, guard_.wrap([this] { ImgBtn12Click(); }));
    connect(ui_.Button1, &QPushButton::clicked, this, guard_.wrap([this] { ImgBtn12Click(); }));
    connect(ui_.ImgBtn10, &QToolButton::clicked, this, guard_.wrap([this] { ImgBtn10Click(); }));
    connect(ui_.Button2, &QPushButton::clicked, this, guard_.wrap([this] { ImgBtn10Click(); }));
    connect(ui_.Button3, &QPushButton::clicked, this, guard_.wrap([this] { ImgBtn11Click(); }));
    connect(&parts_.commands(), &DishCommandBar::soldOutRequested, this,
            guard_.wrap([this] { ImgBtn11Click(); }));
    connect(ui_.Timer2, &QTimer::timeout, this, guard_.wrap([this] {
        ui_.Timer2->stop();
        QCoreApplication::processEvents();
    }));
    connect(ui_.Timer_updatezt, &QTimer::timeout, this,
            guard_.wrap([this] { Timer_updateztTimer(); }));
}

void TFMain::FormCreate() {
    guard_.run([this] { creationSteps(); });
}

void TFMain::creationSteps() {
    setWindowTitle(kApplicationTitle);
    // Qt paints every widget double-buffered; the settings file was opened with the window.
    TableBoard& board = parts_.board();
    DishArea& dishes = parts_.dishes();
    board.fillAreaList();
    dishes.fillFilterLists();
    const StoredFilterPositions stored = ReadFilterPositions(settingsFile_);
    board.selectStoredArea(stored.CB_qy);
    dishes.filters().selectStored(stored.CB_cpbm, stored.cb_gzzd);
    settings_ = ReadStationSettings(settingsFile_);
    dishes.showListOfAllStates();
    dishes.QueryServedList();
    ctx_.state.ServeRefused = false;
    ui_.Timer2->start();
    SyncClockWithServer(ctx_.dm.ADOConn, ctx_.clock, clockSetter_);
}

void TFMain::FormShow() {
    guard_.run([this] {
        ui_.Label_operator->setText(QStringLiteral("当前操作员：") + ctx_.state.CurrentOperator);
        parts_.dishes().setScope(0);
        placeLogo();
        // A negative value in the file would be an invalid interval: off, like 0.
        parts_.reminder().arm(settings_.Et_cstx);
        TableBoard& board = parts_.board();
        // Started first: a board that cannot be read now is read again by the refresh.
        board.startRefresh();
        ui_.Timer_updatezt->start();
        try {
            board.LoadTableTree();
            board.LoadTableTypeTabs();
        } catch (const DbError& e) {
            health_.reportFailure(Feed::Board, e);  // the band says it, the refresh retries
        }
        board.setPagingByType(ReadPagingByType(settingsFile_));
        parts_.search().takeFocus();
    });
}

void TFMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeLogo();
}

void TFMain::placeLogo() {
    ui_.Image1->move(width() - ui_.Image1->width() - 30, ui_.Image1->y());
    ui_.Image_content->resize(std::max(width(), ui_.Image_content->width()), 72);
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (closedDone_) {
        event->accept();
        return;
    }
    if (!ctx_.boxes.confirm(this, QStringLiteral("提示"), QStringLiteral("您确定要退出系统吗？"))) {
        event->ignore();
        return;
    }
    // A failed step keeps the window open; the next close asks again and runs them all.
    if (!guard_.run([this] { closeSteps(); })) {
        event->ignore();
        return;
    }
    closedDone_ = true;
    parts_.board().stopRefresh();
    ui_.Timer_updatezt->stop();
    parts_.reminder().stop();
    event->accept();
    emit closed();
}

void TFMain::closeSteps() {
    UnregisterSession(ctx_.dm, ctx_.state.SessionId);
    const DishFilters& filters = parts_.dishes().filters();
    ViewStateAtClose view;
    view.CB_qy = parts_.board().areaPosition();
    view.CB_fyxs = parts_.board().pagingByType();
    view.cb_cpbm = filters.departmentPosition();
    view.cb_gzzd = filters.stationPosition();
    view.RG_xszt = filters.scopeItem();
    if (!WriteViewState(settingsFile_, view)) {
        // Lost view positions are no reason to keep the operator from leaving (a folder that
        // cannot be written would never let the window close): say so and go on.
        ctx_.boxes.error(this, QStringLiteral("无法写入设置文件 %1")
                                   .arg(QDir::toNativeSeparators(settingsFile_.path())));
    }
    WriteLogoutLog(ctx_.dm, ctx_.clock, ctx_.state.CurrentOperator);
}

void TFMain::Timer_updateztTimer() {
    // Never stopped for good: a failed renewal is tried again at the back-off.
    RunFeedRound(health_, Feed::Heartbeat, ui_.Timer_updatezt, kHeartbeatMs,
                 [this] { TouchSession(ctx_.dm, ctx_.state.SessionId); });
}

void TFMain::ImgBtn12Click() {
    TFsz dialog(settings_, settingsFile_, *parts_.reminder().reminderTimer(), ctx_.speech,
                ctx_.boxes, this);
    dialog.fillFromSettings();
    dialog.exec();
}

void TFMain::ImgBtn10Click() {
    const DishArea& dishes = parts_.dishes();
    OpenAdvancedQueryWindow(ctx_, dishes.filters().scopeItem(), dishes.currentTab());
}

void TFMain::ImgBtn11Click() {
    OpenSoldOutWindow(ctx_);
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        if (static_cast<QWidget*>(watched)->window() == this && isVisible()) {
            return handleKey(static_cast<QKeyEvent*>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TFMain::handleKey(QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_F5:
            guard_.run([this] { parts_.dishes().Button_wfzzClick(); });
            return true;
        case Qt::Key_F9:
            guard_.run([this] { parts_.dishes().Button_cpysClick(); });
            return true;
        case Qt::Key_F6:
            guard_.run([this] { ImgBtn11Click(); });
            return true;
        case Qt::Key_F1:
            guard_.run([this] { OpenPasswordChange(ctx_); });
            return true;
        case Qt::Key_F2:
            guard_.run([this] { OpenScreenLock(ctx_); });
            return true;
        default:
            break;
    }
    const QString text = key->text();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')) {
        if (!parts_.search().hasFocus() && !parts_.board().tableSearchHasFocus()) {
            // The digit still goes to the control that had the focus; the next ones reach
            // the dish box.
            guard_.run([this] { parts_.search().takeFocus(); });
        }
    }
    return false;
}
