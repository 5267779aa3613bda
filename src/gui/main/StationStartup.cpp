#include "gui/main/StationStartup.h"

#include <QApplication>
#include <QDir>

#include "core/common/AppTexts.h"
#include "core/common/StationClock.h"
#include "core/common/StationState.h"
#include "core/common/TickSource.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/TF_dm.h"
#include "core/session/SingleInstanceGuard.h"
#include "gui/common/MessageBoxes.h"
#include "gui/main/TFMain.h"
#include "gui/session/TFLogin.h"

int StationStartup::run(const StartupEnvironment& env) {
    SingleInstanceGuard instance(env.lockFolder);
    if (!instance.acquire()) {
        boxes_.show(nullptr, QMessageBox::Information, kAlreadyRunningCaption, kAlreadyRunningText,
                    QMessageBox::Ok);
        return 0;
    }

    const QString folder = ResolveStationFolder(env.arguments, env.home, env.programFolder);
    // Outlives the data module: the connection waits between reopening tries on it.
    SystemTickSource ticks;
    TF_dm dm;
    dm.ADOConn.setTickSource(ticks);
    if (!env.sqlTrace.isEmpty()) {
        dm.ADOConn.setTrace(SqlTrace(env.sqlTrace));
    }
    const SetUpResult setUp = SetUpDataModule(dm, folder, env.programFolder, launcher_);
    if (setUp.outcome == SetUpOutcome::ToolStarted) {
        return 0;
    }
    if (setUp.outcome == SetUpOutcome::ToolNotFound ||
        setUp.outcome == SetUpOutcome::ToolNotStarted) {
        QString text = QStringLiteral("无法连接数据库：%1\n连接配置文件：%2\n")
                           .arg(setUp.error, QDir::toNativeSeparators(setUp.iniPath));
        if (setUp.outcome == SetUpOutcome::ToolNotFound) {
            text += QStringLiteral(
                        "找不到连接配置工具 %1（程序目录 %2 和系统搜索路径中都没有），"
                        "请用它写好连接配置文件后再启动。")
                        .arg(kConfigToolName, QDir::toNativeSeparators(env.programFolder));
        } else {
            text += QStringLiteral("无法启动连接配置工具 %1：%2")
                        .arg(QDir::toNativeSeparators(setUp.tool), setUp.toolError);
        }
        boxes_.show(nullptr, QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok);
        return 2;
    }

    StationState state;
    SystemTimeSource pcTime;
    StationClock clock(pcTime);
    // On the embedded engine the server is this machine: its clock is never set.
    SystemClockSetter systemClock;
    RefusingClockSetter keepClock;
    ClockSetter& clockSetter =
        dm.ADOConn.engine() == Engine::Sqlite ? static_cast<ClockSetter&>(keepClock) : systemClock;

    // The login closes before the main window is shown: only the main window ends the loop.
    qApp->setQuitOnLastWindowClosed(false);
    TFMain main(dm, state, clock, ticks, clockSetter, boxes_, speech_, sound_, folder);
    main.FormCreate();

    TFLogin login(dm, state, clock, boxes_);
    login.setPauseMs(env.loginPauseMs);
    login.exec();
    if (!login.showMainWindow()) {
        return 0;
    }
    QObject::connect(&main, &TFMain::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    main.showMaximized();
    QApplication::exec();
    return 0;
}
