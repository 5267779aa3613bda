#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "FakeSoundPlayer.h"
#include "FakeSpeechEngine.h"
#include "ScriptedMessageBoxes.h"
#include "core/db/TF_dm.h"
#include "core/session/SingleInstanceGuard.h"
#include "gui/main/StationStartup.h"

namespace {

class RecordingLauncher final : public ProgramLauncher {
public:
    bool starts = true;
    QStringList started;
    bool startDetached(const QString& program, const QStringList&, QString* error) override {
        started << program;
        if (!starts) {
            *error = QStringLiteral("Permission denied");
        }
        return starts;
    }
};

struct StartupFixture {
    QTemporaryDir home;
    QTemporaryDir program;
    QTemporaryDir locks;
    ScriptedMessageBoxes boxes;
    RecordingLauncher launcher;
    FakeSpeechEngine speech;
    FakeSoundPlayer sound;

    StartupEnvironment env() const {
        StartupEnvironment e;
        e.arguments = {"tzcy-station", "--home", home.path()};
        e.programFolder = program.path();
        e.lockFolder = locks.path();
        return e;
    }
    int run() { return StationStartup(boxes, launcher, speech, sound).run(env()); }
};

}  // namespace

// The paths of the start-up that end before the login window.
class StationStartupTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsToldAndTouchesNothing();
    void missingConnectionStartsTheToolAndEnds();
    void missingToolSaysWhereTheFileBelongs_data();
    void missingToolSaysWhereTheFileBelongs();
};

namespace {

void MakeTool(const QString& folder) {
    QFile tool(QDir(folder).filePath(kConfigToolName));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
}

}  // namespace

void StationStartupTest::secondCopyIsToldAndTouchesNothing() {
    StartupFixture f;
    SingleInstanceGuard running(f.locks.path());
    QVERIFY(running.acquire());
    QCOMPARE(f.run(), 0);
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).caption, QStringLiteral("提示信息"));
    QCOMPARE(f.boxes.shown().at(0).text, QStringLiteral("程序已经运行!"));
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Information);
    QVERIFY(f.launcher.started.isEmpty());
    QVERIFY(QDir(f.home.path()).isEmpty());
}

void StationStartupTest::missingConnectionStartsTheToolAndEnds() {
    StartupFixture f;
    MakeTool(f.program.path());
    QCOMPARE(f.run(), 0);
    QCOMPARE(f.launcher.started.size(), 1);
    QVERIFY(f.boxes.shown().isEmpty());
    // The guard is released when the station ends.
    SingleInstanceGuard next(f.locks.path());
    QVERIFY(next.acquire());
}

void StationStartupTest::missingToolSaysWhereTheFileBelongs_data() {
    QTest::addColumn<bool>("toolThere");
    QTest::addColumn<QString>("says");
    QTest::newRow("not found") << false << QStringLiteral("找不到连接配置工具 rod_edididu");
    QTest::newRow("could not start")
        << true << QStringLiteral("无法启动连接配置工具 %1：Permission denied");
}

void StationStartupTest::missingToolSaysWhereTheFileBelongs() {
    QFETCH(bool, toolThere);
    QFETCH(QString, says);
    StartupFixture f;
    if (toolThere) {
        MakeTool(f.program.path());
        says = says.arg(QDir::toNativeSeparators(QDir(f.program.path()).filePath(kConfigToolName)));
    }
    f.launcher.starts = false;
    QVERIFY(f.run() != 0);
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Critical);
    const QString text = f.boxes.shown().at(0).text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(
                 QDir(f.home.path()).filePath(QStringLiteral("sql_config.ini")))),
             qPrintable(text));
    QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("找不到连接配置文件")), qPrintable(text));
}

QTEST_MAIN(StationStartupTest)
#include "StationStartupTest.moc"
