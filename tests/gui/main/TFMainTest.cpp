#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "FakeSoundPlayer.h"
#include "FakeSpeechEngine.h"
#include "ModalDialog.h"
#include "ScriptedMessageBoxes.h"
#include "TestStation.h"
#include "WindowControls.h"
#include "core/db/IniFile.h"
#include "core/main/StationSettingsFile.h"
#include "core/session/SessionRegistry.h"
#include "gui/main/TFMain.h"

namespace {

struct MainFixture {
    TestStation st;
    StationState state;
    ManualTimeSource pc{QDateTime(QDate(2026, 7, 15), QTime(18, 30, 0))};
    StationClock clock{pc};
    ManualTickSource ticks;
    RefusingClockSetter clockSetter;
    ScriptedMessageBoxes boxes;
    FakeSpeechEngine speech;
    FakeSoundPlayer sound;
    std::unique_ptr<TFMain> main;

    explicit MainFixture(const QByteArray& settingsFile = QByteArray(), bool create = true) {
        if (!settingsFile.isNull()) {
            QFile f(StationSettingsPath(st.folder()));
            f.open(QIODevice::WriteOnly);
            f.write(settingsFile);
        }
        st.exec("insert into area values (:a1,:a2)", {"A1", "大厅"});
        st.exec("insert into area values (:a1,:a2)", {"A2", "包厢"});
        state.CurrentOperator = "001";
        state.SessionId = "S1";
        RegisterSession(st.dm(), "S1", "默认工作站", "001", "出品划菜", "10.0.0.1");
        main = std::make_unique<TFMain>(st.dm(), state, clock, ticks, clockSetter, boxes, speech,
                                        sound, st.folder());
        if (create) {
            main->FormCreate();
        }
    }
    WindowControls ui() { return FindWindowControls(main->parts().objects()); }
    void show() {
        main->resize(1064, 737);
        main->show();
        QApplication::setActiveWindow(main.get());
    }
    int count(const char* sql) { return st.scalar(QString::fromUtf8(sql)).toInt(); }
    QString stored(const char* key) {
        IniFile file(StationSettingsPath(st.folder()));
        return file.readString(kSettingsSection, QString::fromLatin1(key), "<none>");
    }
};

void Tick(QTimer* timer) {
    QMetaObject::invokeMethod(timer, "timeout");
}

using Open = std::function<void(MainFixture&)>;

}  // namespace

Q_DECLARE_METATYPE(Open)

class TFMainTest : public QObject {
    Q_OBJECT

private slots:
    void creationReadsSettingsAndSelectsStoredFilters();
    void storedPositionBeyondTheListLeavesNoSelection();
    void failedCreationStepShowsTheErrorAndKeepsTheWindow();
    void showStartsTimersAndFocusesTheDishBox_data();
    void showStartsTimersAndFocusesTheDishBox();
    void logoKeepsItsDistanceFromTheRightEdge();
    void heartbeatIsRetriedWhileItFails();
    void cancelledCloseChangesNothing();
    void confirmedCloseRemovesSessionAndLogsOut();
    void failedUnregisterKeepsTheWindowAndRepeats();
    void unwritableSettingsAreReportedAndTheCloseGoesOn();
    void digitMovesFocusToTheDishBox_data();
    void digitMovesFocusToTheDishBox();
    void functionKeysReachTheDishCommands();
    void settingsButtonOpensTheDialog();
    void keysAndButtonsOpenTheirWindows_data();
    void keysAndButtonsOpenTheirWindows();
};

void TFMainTest::creationReadsSettingsAndSelectsStoredFilters() {
    MainFixture f("[tzcp_config]\nCB_qy=2\nEt_cstx=9\nYYBC=Y\nRg_tmgxzt=1\ncb_cpzt=3\n");
    QCOMPARE(f.ui().CB_qy->count(), 3);
    QCOMPARE(f.ui().CB_qy->currentIndex(), 2);
    QCOMPARE(f.main->settings().Et_cstx, 9);
    QCOMPARE(f.main->settings().YYBC, QStringLiteral("Y"));
    QCOMPARE(f.main->settings().Rg_tmgxzt, 5);
    QCOMPARE(f.ui().CB_cpzt->currentIndex(), 0);
    QCOMPARE(f.ui().TAB_CP->currentIndex(), 0);
    QVERIFY(f.ui().Timer2->isActive());
    QVERIFY(!f.ui().Timer_sx->isActive());
    QVERIFY(!f.main->isVisible());
    QCOMPARE(f.main->windowTitle(), QStringLiteral("檀舟餐饮ERP出品划菜"));
    QVERIFY(f.boxes.shown().isEmpty());
}

void TFMainTest::storedPositionBeyondTheListLeavesNoSelection() {
    MainFixture f("[tzcp_config]\nCB_qy=3\nCB_cpbm=40\ncb_gzzd=-2\n");
    QCOMPARE(f.ui().CB_qy->currentIndex(), -1);
    QCOMPARE(f.ui().CB_cpbm->currentIndex(), -1);
    QCOMPARE(f.ui().CB_gzzd->currentIndex(), -1);
}

void TFMainTest::failedCreationStepShowsTheErrorAndKeepsTheWindow() {
    MainFixture f(QByteArray(), false);
    f.st.dm().ADOConn.close();  // the database went away: the clock query fails
    f.main->FormCreate();
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Critical);
    // One box for the first failing step; the rest of the steps are skipped.
    QCOMPARE(f.main->windowTitle(), QStringLiteral("檀舟餐饮ERP出品划菜"));
}

void TFMainTest::showStartsTimersAndFocusesTheDishBox_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("reminder");
    QTest::addColumn<bool>("paging");
    QTest::newRow("defaults") << QByteArray() << true << true;
    QTest::newRow("reminder off, no paging")
        << QByteArray("[tzcp_config]\nEt_cstx=0\nCB_fyxs=0\n") << false << false;
}

void TFMainTest::showStartsTimersAndFocusesTheDishBox() {
    QFETCH(QByteArray, file);
    QFETCH(bool, reminder);
    QFETCH(bool, paging);
    MainFixture f(file);
    f.show();
    QCOMPARE(f.ui().RG_xszt->itemIndex(), 0);
    QCOMPARE(f.ui().Timer_cstx->isActive(), reminder);
    if (reminder) {
        QCOMPARE(f.ui().Timer_cstx->interval(), 5 * 60000);
    }
    QCOMPARE(f.ui().CB_fyxs->isChecked(), paging);
    QVERIFY(f.ui().Timer_sx->isActive());
    QVERIFY(f.ui().Timer_updatezt->isActive());
    QCOMPARE(f.main->focusWidget(), f.ui().E_cpmc);
    QCOMPARE(f.ui().Label_operator->text(), QStringLiteral("当前操作员：001"));
}

void TFMainTest::logoKeepsItsDistanceFromTheRightEdge() {
    MainFixture f;
    f.show();
    for (int width : {1064, 1400, 1200}) {
        f.main->resize(width, 700);
        QCOMPARE(f.main->width(), width);
        QCOMPARE(f.ui().Image1->geometry().right() + 1, width - 30);
    }
}

void TFMainTest::heartbeatIsRetriedWhileItFails() {
    MainFixture f;
    f.show();
    f.st.serverClock.advanceMs(300000);
    Tick(f.ui().Timer_updatezt);
    QCOMPARE(f.st.scalar("select khdzt_zhgxsj from khdzt").toString(),
             QStringLiteral("2026-07-15 18:35:00.000"));
    QVERIFY(f.ui().Timer_updatezt->isActive());
    QCOMPARE(f.ui().Timer_updatezt->interval(), 300000);
    // A failed renewal never stops the heartbeat: it is tried again within 30 s, no box.
    f.st.exec("alter table khdzt rename to khdzt_gone");
    Tick(f.ui().Timer_updatezt);
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(f.ui().Timer_updatezt->isActive());
    QCOMPARE(f.ui().Timer_updatezt->interval(), 30000);
    QVERIFY(f.main->health().current());  // the data shown are still current
    f.st.exec("alter table khdzt_gone rename to khdzt");
    f.st.dm().ADOConn.setTickSource(f.ticks);
    f.st.dm().ADOConn.setFault(DbFailure::ConnectionLost);
    Tick(f.ui().Timer_updatezt);
    QVERIFY(!f.main->health().current());  // a lost connection is
    f.st.dm().ADOConn.setFault(std::nullopt);
    f.ticks.advance(30000);
    f.st.serverClock.advanceMs(60000);
    Tick(f.ui().Timer_updatezt);
    QCOMPARE(f.st.scalar("select khdzt_zhgxsj from khdzt").toString(),
             QStringLiteral("2026-07-15 18:36:00.000"));
    QCOMPARE(f.ui().Timer_updatezt->interval(), 300000);
    QVERIFY(f.main->health().current());
}

void TFMainTest::cancelledCloseChangesNothing() {
    MainFixture f;
    f.show();
    f.boxes.answer(QMessageBox::Cancel);
    QSignalSpy closed(f.main.get(), &TFMain::closed);
    QVERIFY(!f.main->close());
    QVERIFY(f.main->isVisible());
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).caption, QStringLiteral("提示"));
    QCOMPARE(f.boxes.shown().at(0).text, QStringLiteral("您确定要退出系统吗？"));
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Question);
    QCOMPARE(f.count("select count(*) from khdzt"), 1);
    QCOMPARE(f.count("select count(*) from logb"), 0);
    QVERIFY(!QFile::exists(StationSettingsPath(f.st.folder())));
    QCOMPARE(closed.count(), 0);
}

void TFMainTest::confirmedCloseRemovesSessionAndLogsOut() {
    MainFixture f;
    f.show();
    f.ui().CB_qy->setCurrentIndex(2);
    f.ui().CB_fyxs->setChecked(false);
    f.ui().RG_xszt->setItemIndex(1);
    f.boxes.answer(QMessageBox::Ok);
    QSignalSpy closed(f.main.get(), &TFMain::closed);
    QVERIFY(f.main->close());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(f.count("select count(*) from khdzt"), 0);
    QCOMPARE(f.st.rows("select Logb_mrzy, Logb_loginfo, Logb_mkmc, Logb_user, Logb_gzzd, "
                       "logb_xtbl, Logb_mkjp from logb"),
             QStringList{"操作员登录|001退出登录|出品划菜|001|默认工作站|N|roze"});
    QCOMPARE(f.stored("CB_qy"), QStringLiteral("2"));
    QCOMPARE(f.stored("CB_fyxs"), QStringLiteral("0"));
    QCOMPARE(f.stored("RG_xszt"), QStringLiteral("1"));
    QCOMPARE(f.stored("cb_cpzt"), QStringLiteral("0"));
    QVERIFY(!f.ui().Timer_sx->isActive());
}

void TFMainTest::failedUnregisterKeepsTheWindowAndRepeats() {
    MainFixture f;
    f.show();
    f.st.exec("alter table khdzt rename to khdzt_away");
    f.boxes.answer(QMessageBox::Ok);
    QVERIFY(!f.main->close());
    QVERIFY(f.main->isVisible());
    QCOMPARE(f.boxes.shown().size(), 2);
    QCOMPARE(f.boxes.shown().at(1).icon, QMessageBox::Critical);
    QCOMPARE(f.count("select count(*) from logb"), 0);
    QVERIFY(!QFile::exists(StationSettingsPath(f.st.folder())));

    f.st.exec("alter table khdzt_away rename to khdzt");
    f.boxes.clear();
    f.boxes.answer(QMessageBox::Ok);
    QVERIFY(f.main->close());
    QCOMPARE(f.boxes.texts(), QStringList{"您确定要退出系统吗？"});
    QCOMPARE(f.count("select count(*) from khdzt"), 0);
    QCOMPARE(f.count("select count(*) from logb"), 1);
    QCOMPARE(f.stored("cb_cpzt"), QStringLiteral("0"));
}

void TFMainTest::digitMovesFocusToTheDishBox_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("focusAfter");
    QTest::newRow("digit on the grid") << "cxGrid_ct_cp"
                                       << "5"
                                       << "E_cpmc";
    QTest::newRow("digit on a button") << "Button_ct_cz"
                                       << "0"
                                       << "E_cpmc";
    QTest::newRow("letter on the grid") << "cxGrid_ct_cp"
                                        << "a"
                                        << "cxGrid_ct_cp";
    QTest::newRow("digit in the table box") << "E_cth"
                                            << "7"
                                            << "E_cth";
    QTest::newRow("digit in the dish box") << "E_cpmc"
                                           << "7"
                                           << "E_cpmc";
}

void TFMainTest::digitMovesFocusToTheDishBox() {
    QFETCH(QString, focused);
    QFETCH(QString, key);
    QFETCH(QString, focusAfter);
    MainFixture f;
    f.show();
    auto* start = f.main->findChild<QWidget*>(focused);
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);
    QTest::keyClick(start, key.at(0).toLatin1());
    QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
    // The digit itself stayed with the control that had the focus.
    const QString expected = (focused == "E_cpmc" || focused == "E_cth") ? key : QString();
    QCOMPARE(f.ui().E_cpmc->text() + f.ui().E_cth->text(), expected);
    if (focusAfter == "E_cpmc" && focused != "E_cpmc") {
        QTest::keyClick(QApplication::focusWidget(), '8');
        QCOMPARE(f.ui().E_cpmc->text(), QStringLiteral("8"));
    }
}

void TFMainTest::functionKeysReachTheDishCommands() {
    MainFixture f;
    f.show();
    f.st.addLine({{"consume_bh", "L9"}});
    f.ui().cxGrid_ct_cp->setFocus();
    // F9 on an empty list: the served command refuses.
    f.st.dm().ADO_cp.setSql("select * from Consume where 1 = 0");
    f.st.dm().ADO_cp.open();
    f.state.ServeRefused = false;
    QTest::keyClick(f.ui().cxGrid_ct_cp, Qt::Key_F9);
    QVERIFY(f.state.ServeRefused);
    // F5 on the list's line: "cannot make".
    f.st.dm().ADO_cp.setSql("select * from Consume");
    f.st.dm().ADO_cp.open();
    QTest::keyClick(f.ui().cxGrid_ct_cp, Qt::Key_F5);
    QCOMPARE(
        f.st.scalar("select consume_Chupinlogo from Consume where consume_bh = 'L9'").toString(),
        QStringLiteral("2"));
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TFMainTest::keysAndButtonsOpenTheirWindows_data() {
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("title");
    auto key = [](Qt::Key k) {
        return Open([k](MainFixture& f) { QTest::keyClick(f.ui().cxGrid_ct_cp, k); });
    };
    QTest::newRow("F1") << key(Qt::Key_F1) << "修改当前操作员密码";
    QTest::newRow("F2") << key(Qt::Key_F2) << "锁屏";
    QTest::newRow("F6") << key(Qt::Key_F6) << "菜品沽清管理";
    QTest::newRow("沽清管理") << Open([](MainFixture& f) { f.ui().ImgBtn11->click(); })
                              << "菜品沽清管理";
    QTest::newRow("hidden 沽清管理")
        << Open([](MainFixture& f) { f.ui().Button3->click(); }) << "菜品沽清管理";
    QTest::newRow("高级查询") << Open([](MainFixture& f) { f.ui().ImgBtn10->click(); })
                              << "高级查询";
    QTest::newRow("hidden 高级查询")
        << Open([](MainFixture& f) { f.ui().Button2->click(); }) << "高级查询";
}

void TFMainTest::keysAndButtonsOpenTheirWindows() {
    QFETCH(Open, open);
    QFETCH(QString, title);
    MainFixture f;
    f.show();
    f.ui().cxGrid_ct_cp->setFocus();
    const ModalDialogRun run = RunModalDialog(
        [&] { open(f); },
        [](QWidget* dialog) {
            // The lock gives way to the password only.
            if (auto* unlock = dialog->findChild<QPushButton*>("TransparentButton2")) {
                unlock->click();
            } else {
                dialog->close();
            }
        });
    QVERIFY(run.shown);
    QVERIFY(!run.leftOpen);
    QCOMPARE(run.title, title);
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TFMainTest::settingsButtonOpensTheDialog() {
    MainFixture f;
    f.show();
    f.speech.installed = {{"sit/cmn", "Chinese (Mandarin)", "cmn"}};
    const ModalDialogRun run =
        RunModalDialog([&] { QTest::mouseClick(f.ui().ImgBtn12, Qt::LeftButton); },
                       [](QWidget* dialog) {
                           dialog->findChild<QLineEdit*>("EtCstx")->setText("0");
                           dialog->findChild<QPushButton*>("Button1")->click();
                       });
    QVERIFY(!run.leftOpen);
    QCOMPARE(run.title, QStringLiteral("出品划菜设置"));
    QCOMPARE(f.speech.voiceListings, 1);
    QVERIFY(!f.ui().Timer_cstx->isActive());
    QCOMPARE(f.main->settings().Et_cstx, 0);
    QCOMPARE(f.stored("Et_cstx"), QStringLiteral("0"));
}

void TFMainTest::unwritableSettingsAreReportedAndTheCloseGoesOn() {
    MainFixture f;
    f.show();
    // A folder where the file should be: no write can replace it.
    QVERIFY(QDir(f.st.folder()).mkdir(kSettingsFileName));
    f.boxes.answer(QMessageBox::Ok);
    QSignalSpy closed(f.main.get(), &TFMain::closed);
    QVERIFY(f.main->close());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(f.boxes.shown().size(), 2);
    QCOMPARE(f.boxes.shown().at(1).icon, QMessageBox::Critical);
    QVERIFY(f.boxes.shown().at(1).text.contains(kSettingsFileName));
    QCOMPARE(f.count("select count(*) from khdzt"), 0);
    QCOMPARE(f.st.rows("select Logb_loginfo from logb"), QStringList{"001退出登录"});
}

QTEST_MAIN(TFMainTest)
#include "TFMainTest.moc"
