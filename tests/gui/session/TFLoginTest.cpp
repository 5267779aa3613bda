#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "ScriptedMessageBoxes.h"
#include "TestStation.h"
#include "core/common/StationState.h"
#include "core/session/Md5Hex.h"
#include "gui/session/TFLogin.h"

namespace {

struct LoginFixture {
    TestStation st;
    StationState state;
    ManualTimeSource pc{QDateTime(QDate(2026, 7, 15), QTime(11, 22, 33, 444))};
    StationClock clock{pc};
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TFLogin> login;

    LoginFixture() {
        st.exec("insert into users values (:a1,:a2,:a3)", {"001", Md5Hex("123"), 2});
        st.exec("insert into users values (:a1,:a2,:a3)", {"002", " ", 3});
        st.exec("insert into users values (:a1,:a2,:a3)", {"003", QVariant(), 4});
        st.exec("insert into users values (:a1,:a2,:a3)", {"000", Md5Hex("x").toLower(), 1});
        login = std::make_unique<TFLogin>(st.dm(), state, clock, boxes);
        login->setPause([] {});
        login->setIpAddressSource([] { return QStringLiteral("10.0.0.9"); });
        login->show();
        QApplication::setActiveWindow(login.get());
        login->edit1->setFocus();
    }
    int rowsOf(const char* table) {
        return st.scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))
            .toInt();
    }
};

}  // namespace

class TFLoginTest : public QObject {
    Q_OBJECT

private slots:
    void operatorListInUserOrder();
    void listToggleAndPick();
    void verification_data();
    void verification();
    void enterMovesToPasswordThenLogsIn();
    void cancelAndCloseWriteNothing_data();
    void cancelAndCloseWriteNothing();
    void secondOkDuringPauseIsIgnored();
    void pauseComesBeforeTheRows();
    void failedLogRowLeavesNoLogin();
};

void TFLoginTest::operatorListInUserOrder() {
    LoginFixture f;
    QStringList codes;
    for (int i = 0; i < f.login->ListBox1->count(); ++i) {
        codes << f.login->ListBox1->item(i)->text();
    }
    QCOMPARE(codes, (QStringList{"000", "001", "002", "003"}));
    QVERIFY(!f.login->ListBox1->isVisible());
    QCOMPARE(f.login->windowTitle(), QStringLiteral("用户登录"));
}

void TFLoginTest::listToggleAndPick() {
    LoginFixture f;
    QTest::mouseClick(f.login->TransparentButton1, Qt::LeftButton);
    QVERIFY(f.login->ListBox1->isVisible());
    QTest::mouseClick(f.login->TransparentButton1, Qt::LeftButton);
    QVERIFY(!f.login->ListBox1->isVisible());
    QTest::mouseClick(f.login->TransparentButton1, Qt::LeftButton);
    QListWidget* list = f.login->ListBox1;
    const QRect second = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(f.login->edit1->text(), QStringLiteral("002"));
    QVERIFY(!list->isVisible());
}

void TFLoginTest::verification_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("operatorCode");
    QTest::addColumn<QString>("storedPassword");
    QTest::newRow("right") << "001"
                           << "123" << true << "001"
                           << "123";
    QTest::newRow("blanks trimmed") << "  001 "
                                    << " 123  " << true << "001"
                                    << "123";
    QTest::newRow("lower-case digest") << "000"
                                       << "x" << true << "000"
                                       << "x";
    QTest::newRow("wrong password") << "001"
                                    << "12" << false << ""
                                    << "";
    QTest::newRow("unknown operator") << "999"
                                      << "" << false << ""
                                      << "";
    QTest::newRow("empty code") << ""
                                << "" << false << ""
                                << "";
    QTest::newRow("blank stands for empty") << "002"
                                            << "" << true << "002"
                                            << "";
    QTest::newRow("blank stored, typed one") << "002"
                                             << "1" << false << ""
                                             << "";
    QTest::newRow("null stored") << "003"
                                 << "  " << true << "003"
                                 << "";
}

void TFLoginTest::verification() {
    QFETCH(QString, code);
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    QFETCH(QString, operatorCode);
    QFETCH(QString, storedPassword);
    LoginFixture f;
    f.login->edit1->setText(code);
    f.login->Edit2->setText(password);
    QTest::mouseClick(f.login->ImgBtn1, Qt::LeftButton);
    QCOMPARE(f.state.CurrentOperator, operatorCode);
    QCOMPARE(f.state.CurrentPassword, storedPassword);
    if (!accepted) {
        QCOMPARE(f.boxes.shown().size(), 1);
        QCOMPARE(f.boxes.shown().at(0).caption, QStringLiteral("系统提示"));
        QCOMPARE(f.boxes.shown().at(0).text, QStringLiteral("密码不正确！"));
        QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Information);
        QVERIFY(f.login->Edit2->text().isEmpty());
        QCOMPARE(f.login->focusWidget(), f.login->Edit2);
        QCOMPARE(f.login->outcome(), TFLogin::Outcome::Waiting);
        QVERIFY(f.login->isVisible());
        QCOMPARE(f.rowsOf("logb") + f.rowsOf("khdzt"), 0);
        QVERIFY(f.state.SessionId.isEmpty());
        return;
    }
    QVERIFY(f.boxes.shown().isEmpty());
    QCOMPARE(f.login->outcome(), TFLogin::Outcome::LoggedIn);
    QVERIFY(f.login->showMainWindow());
    QCOMPARE(f.login->result(), int(QDialog::Accepted));
    QVERIFY(f.state.SessionId.startsWith(QStringLiteral("267151122334")));
    QCOMPARE(f.st.rows("select khdzt_id, khdzt_gzzdmc, khdzt_gzzdip, khdzt_user, khdzt_mkmc "
                       "from khdzt"),
             QStringList{f.state.SessionId + "|默认工作站|10.0.0.9|" + operatorCode + "|出品划菜"});
    QCOMPARE(
        f.st.rows("select Logb_datetime, Logb_mrzy, Logb_loginfo, Logb_user from logb"),
        QStringList{"2026-07-15 11:22:33|操作员登录|" + operatorCode + "登录系统|" + operatorCode});
}

void TFLoginTest::enterMovesToPasswordThenLogsIn() {
    LoginFixture f;
    QTest::keyClicks(f.login->edit1, "001");
    QTest::keyClick(f.login->edit1, Qt::Key_Return);
    QCOMPARE(f.login->focusWidget(), f.login->Edit2);
    QCOMPARE(f.login->outcome(), TFLogin::Outcome::Waiting);
    QTest::keyClicks(f.login->Edit2, "123");
    QTest::keyClick(f.login->Edit2, Qt::Key_Enter);
    QCOMPARE(f.login->outcome(), TFLogin::Outcome::LoggedIn);
    QCOMPARE(f.rowsOf("khdzt"), 1);
}

void TFLoginTest::cancelAndCloseWriteNothing_data() {
    QTest::addColumn<bool>("cancelButton");
    QTest::newRow("cancel button") << true;
    QTest::newRow("close box") << false;
}

void TFLoginTest::cancelAndCloseWriteNothing() {
    QFETCH(bool, cancelButton);
    LoginFixture f;
    f.login->edit1->setText("001");
    f.login->Edit2->setText("123");
    if (cancelButton) {
        QTest::mouseClick(f.login->ImgBtn2, Qt::LeftButton);
    } else {
        f.login->close();
    }
    QVERIFY(!f.login->isVisible());
    QCOMPARE(f.login->outcome(),
             cancelButton ? TFLogin::Outcome::Cancelled : TFLogin::Outcome::Closed);
    QVERIFY(!f.login->showMainWindow());
    QCOMPARE(f.rowsOf("logb") + f.rowsOf("khdzt"), 0);
    QVERIFY(f.state.CurrentOperator.isEmpty());
}

void TFLoginTest::secondOkDuringPauseIsIgnored() {
    LoginFixture f;
    int pauses = 0;
    f.login->setPause([&] {
        ++pauses;
        // What a person can do while the pause lets messages through.
        QTest::mouseClick(f.login->ImgBtn1, Qt::LeftButton);
        QTest::keyClick(f.login->Edit2, Qt::Key_Return);
        QTest::mouseClick(f.login->ImgBtn2, Qt::LeftButton);
        f.login->close();
    });
    f.login->edit1->setText("001");
    f.login->Edit2->setText("123");
    QTest::mouseClick(f.login->ImgBtn1, Qt::LeftButton);
    QCOMPARE(pauses, 1);
    QCOMPARE(f.rowsOf("logb"), 1);
    QCOMPARE(f.rowsOf("khdzt"), 1);
    QCOMPARE(f.login->outcome(), TFLogin::Outcome::LoggedIn);
    // Once logged in, the buttons do nothing more.
    QTest::mouseClick(f.login->ImgBtn1, Qt::LeftButton);
    QCOMPARE(f.rowsOf("logb"), 1);
}

void TFLoginTest::pauseComesBeforeTheRows() {
    LoginFixture f;
    QString operatorDuringPause;
    int rowsDuringPause = -1;
    f.login->setPause([&] {
        operatorDuringPause = f.state.CurrentOperator;
        rowsDuringPause = f.rowsOf("logb") + f.rowsOf("khdzt");
        f.pc.advanceMs(2000);
    });
    f.login->edit1->setText("001");
    f.login->Edit2->setText("123");
    f.login->ImgBtn1Click();
    QCOMPARE(operatorDuringPause, QStringLiteral("001"));
    QCOMPARE(rowsDuringPause, 0);
    QCOMPARE(f.st.scalar("select Logb_datetime from logb").toString(),
             QStringLiteral("2026-07-15 11:22:35"));
}

void TFLoginTest::failedLogRowLeavesNoLogin() {
    LoginFixture f;
    f.st.exec("drop table logb");
    f.login->edit1->setText("001");
    f.login->Edit2->setText("123");
    QTest::mouseClick(f.login->ImgBtn1, Qt::LeftButton);
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).icon, QMessageBox::Critical);
    QVERIFY(f.login->isVisible());
    QCOMPARE(f.rowsOf("khdzt"), 0);
    QVERIFY(f.state.CurrentOperator.isEmpty());
    f.login->close();
    QCOMPARE(f.login->outcome(), TFLogin::Outcome::Closed);
}

QTEST_MAIN(TFLoginTest)
#include "TFLoginTest.moc"
