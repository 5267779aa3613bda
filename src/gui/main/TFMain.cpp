#include "gui/main/TFMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

#include "core/common/AppTexts.h"
#include "core/db/ClockSync.h"
#include "core/main/StationSettingsFile.h"
#include "core/session/SessionRegistry.h"
#include "gui/main/StationSkin.h"
#include "gui/main/TFsz.h"

namespace {

// A stored position that the refilled list no longer has leaves the list without a
// selection, which the filters read as "all".
void SelectStored(QComboBox* list, int position) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

}  // namespace

TFMain::TFMain(TF_dm& dm, StationState& state, StationClock& clock, ClockSetter& clockSetter,
               MessageBoxes& boxes, SpeechEngine& speech, SoundPlayer& sound,
               const QString& stationFolder, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      state_(state),
      clock_(clock),
      clockSetter_(clockSetter),
      boxes_(boxes),
      speech_(speech),
      sound_(sound),
      ui_(BuildMainWindowUi(this)),
      settingsFile_(StationSettingsPath(stationFolder)),
      ctx_{dm, state, settings_, boxes, clock, ui_, this},
      guard_(boxes, this),
      dishes_(ctx_),
      board_(ctx_, dishes_) {
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
    connect(ui_.ImgBtn11, &QToolButton::clicked, this, guard_.wrap([this] { ImgBtn11Click(); }));
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
    board_.fillAreaList();
    dishes_.fillFilterLists();
    const StoredFilterPositions stored = ReadFilterPositions(settingsFile_);
    SelectStored(ui_.CB_qy, stored.CB_qy);
    SelectStored(ui_.CB_cpbm, stored.CB_cpbm);
    SelectStored(ui_.CB_gzzd, stored.cb_gzzd);
    settings_ = ReadStationSettings(settingsFile_);
    ui_.CB_cpzt->setCurrentIndex(0);
    ui_.TAB_CP->setCurrentIndex(0);
    dishes_.QueryServedList();
    state_.ServeRefused = false;
    ui_.Timer2->start();
    SyncClockWithServer(dm_.ADOConn, clock_, clockSetter_);
}

void TFMain::FormShow() {
    guard_.run([this] {
        ui_.Label_operator->setText(QStringLiteral("当前操作员：") + state_.CurrentOperator);
        ui_.RG_xszt->setItemIndex(0);
        placeLogo();
        // A negative value in the file would be an invalid interval: off, like 0.
        if (settings_.Et_cstx <= 0) {
            ui_.Timer_cstx->stop();
        } else {
            ui_.Timer_cstx->setInterval(ReminderIntervalMs(settings_.Et_cstx));
            ui_.Timer_cstx->start();
        }
        board_.LoadTableTree();
        board_.LoadTableTypeTabs();
        ui_.CB_fyxs->setChecked(ReadPagingByType(settingsFile_));
        ui_.Timer_sx->start();
        ui_.Timer_updatezt->start();
        ui_.E_cpmc->setFocus();
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
    if (!boxes_.confirm(this, QStringLiteral("提示"), QStringLiteral("您确定要退出系统吗？"))) {
        event->ignore();
        return;
    }
    // A failed step keeps the window open; the next close asks again and runs them all.
    if (!guard_.run([this] { closeSteps(); })) {
        event->ignore();
        return;
    }
    closedDone_ = true;
    ui_.Timer_sx->stop();
    ui_.Timer_updatezt->stop();
    ui_.Timer_cstx->stop();
    ui_.Timer5->stop();
    event->accept();
    emit closed();
}

void TFMain::closeSteps() {
    UnregisterSession(dm_, state_.SessionId);
    ViewStateAtClose view;
    view.CB_qy = ui_.CB_qy->currentIndex();
    view.CB_fyxs = ui_.CB_fyxs->isChecked();
    view.cb_cpbm = ui_.CB_cpbm->currentIndex();
    view.cb_gzzd = ui_.CB_gzzd->currentIndex();
    view.RG_xszt = ui_.RG_xszt->itemIndex();
    if (!WriteViewState(settingsFile_, view)) {
        // Lost view positions are no reason to keep the operator from leaving (a folder that
        // cannot be written would never let the window close): say so and go on.
        boxes_.error(this, QStringLiteral("Unable to write to %1").arg(settingsFile_.path()));
    }
    WriteLogoutLog(dm_, clock_, state_.CurrentOperator);
}

void TFMain::Timer_updateztTimer() {
    // Re-armed only after the row was renewed: a failing database stops the heartbeat.
    ui_.Timer_updatezt->stop();
    TouchSession(dm_, state_.SessionId);
    ui_.Timer_updatezt->start();
}

void TFMain::ImgBtn12Click() {
    TFsz dialog(settings_, settingsFile_, *ui_.Timer_cstx, speech_, boxes_, this);
    dialog.fillFromSettings();
    dialog.exec();
}

// The advanced query and the sold-out windows come with their own parts.
void TFMain::ImgBtn10Click() {}

void TFMain::ImgBtn11Click() {}

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
            guard_.run([this] { dishes_.Button_wfzzClick(); });
            return true;
        case Qt::Key_F9:
            guard_.run([this] { dishes_.Button_cpysClick(); });
            return true;
        case Qt::Key_F6:
            guard_.run([this] { ImgBtn11Click(); });
            return true;
        case Qt::Key_F1:  // password change: a window of its own part
        case Qt::Key_F2:  // screen lock: a window of its own part
            return true;
        default:
            break;
    }
    const QString text = key->text();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')) {
        QWidget* focus = QApplication::focusWidget();
        if (focus != ui_.E_cpmc && focus != ui_.E_cth) {
            // The digit still goes to the control that had the focus; the next ones reach
            // the dish box.
            guard_.run([this] { ui_.E_cpmc->setFocus(); });
        }
    }
    return false;
}
