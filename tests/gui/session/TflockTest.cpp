#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "ModalDialog.h"
#include "StationServices.h"
#include "gui/main/StationSkin.h"
#include "gui/session/Tflock.h"

namespace {

// Opens the lock as F2 does and drives it; whatever the driver leaves, the lock is opened
// with the right password at the end, so a failing check never leaves the test waiting.
ModalDialogRun Locked(StationServices& s, const std::function<void(Tflock&)>& drive) {
    return RunModalDialog([&] { OpenScreenLock(s.ctx); },
                          [&](QWidget* dialog) {
                              auto* lock = qobject_cast<Tflock*>(dialog);
                              QVERIFY(lock);
                              const auto unlock = qScopeGuard([&] {
                                  if (lock->isVisible()) {
                                      lock->emm->setText(s.state.CurrentPassword);
                                      lock->TransparentButton2->click();
                                  }
                              });
                              QApplication::setActiveWindow(lock);
                              drive(*lock);
                          });
}

}  // namespace

class TflockTest : public QObject {
    Q_OBJECT

private slots:
    void looksAndSits();
    void unlock_data();
    void unlock();
    void nothingElseOpensIt();
    void ownerTimersRunWhileLocked();
};

void TflockTest::looksAndSits() {
    StationServices s;
    ApplyStationSkin(&s.window);  // the main window's look, as the operator sees it
    s.state.CurrentPassword = QStringLiteral("123");
    const ModalDialogRun run = Locked(s, [&](Tflock& lock) {
        QVERIFY(lock.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(lock.isModal());
        QCOMPARE(lock.parentWidget(), &s.window);
        QCOMPARE(lock.size(), QSize(377, 177));
        QCOMPARE(lock.Label1->text(), QStringLiteral("请输入解锁密码"));
        QCOMPARE(lock.emm->echoMode(), QLineEdit::Password);
        lock.emm->setText(QStringLiteral("ab"));
        QCOMPARE(lock.emm->displayText(), QStringLiteral("**"));
        lock.emm->clear();
        QCOMPARE(lock.TransparentButton2->text(), QStringLiteral("解锁"));
        QCOMPARE(lock.TransparentButton2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(lock.focusWidget(), lock.emm);
    });
    QVERIFY(run.shown && !run.leftOpen);
}

void TflockTest::unlock_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<bool>("opens");
    QTest::newRow("right, button") << "123"
                                   << "123" << false << true;
    QTest::newRow("right, Enter") << "123"
                                  << "123" << true << true;
    QTest::newRow("blanks around ignored") << "123"
                                           << "  123 " << true << true;
    QTest::newRow("letter case counts") << "Abc"
                                        << "abc" << false << false;
    QTest::newRow("wrong") << "123"
                           << "1234" << true << false;
    QTest::newRow("empty entry, password set") << "123"
                                               << "" << false << false;
    QTest::newRow("no password: empty entry") << ""
                                              << "" << true << true;
    QTest::newRow("no password: blanks") << ""
                                         << "   " << false << true;
    QTest::newRow("no password: something typed") << ""
                                                  << "x" << false << false;
}

void TflockTest::unlock() {
    QFETCH(QString, current);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(bool, opens);
    StationServices s;
    s.state.CurrentPassword = current;
    Locked(s, [&](Tflock& lock) {
        lock.emm->setText(typed);
        if (enter) {
            QTest::keyClick(lock.emm, Qt::Key_Return);
        } else {
            QTest::mouseClick(lock.TransparentButton2, Qt::LeftButton);
        }
        QCOMPARE(lock.unlocked(), opens);
        QCOMPARE(lock.isVisible(), !opens);
        if (opens) {
            QVERIFY(s.boxes.shown().isEmpty());
            return;
        }
        QCOMPARE(s.boxes.shown().size(), 1);
        QCOMPARE(s.boxes.shown().at(0).caption, QStringLiteral("提示信息"));
        QCOMPARE(s.boxes.shown().at(0).text, QStringLiteral("密码错误！"));
        QCOMPARE(s.boxes.shown().at(0).icon, QMessageBox::Information);
        QVERIFY(lock.emm->text().isEmpty());
        QCOMPARE(lock.focusWidget(), lock.emm);
        // No limit on attempts.
        lock.emm->setText(current);
        QTest::keyClick(lock.emm, Qt::Key_Enter);
        QVERIFY(lock.unlocked());
    });
}

void TflockTest::nothingElseOpensIt() {
    StationServices s;
    s.state.CurrentPassword = QStringLiteral("123");
    Locked(s, [&](Tflock& lock) {
        lock.emm->setText(QStringLiteral("123"));
        QTest::keyClick(lock.emm, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(lock.TransparentButton2, Qt::Key_F4, Qt::AltModifier);
        QTest::keyClick(lock.emm, Qt::Key_Escape);
        // What a window manager sends for Alt+F4, and what a stray reject would do.
        QVERIFY(!lock.close());
        lock.reject();
        QVERIFY(lock.isVisible());
        QVERIFY(!lock.unlocked());
        QCOMPARE(lock.emm->text(), QStringLiteral("123"));
        QVERIFY(s.boxes.shown().isEmpty());
    });
}

void TflockTest::ownerTimersRunWhileLocked() {
    StationServices s;
    s.state.CurrentPassword = QStringLiteral("123");
    Tflock lock(s.state, s.boxes, &s.window);
    // A timer of the window behind the lock, like its refresh and heartbeat: it keeps firing
    // in the lock's own loop, and here it is what finally types the password.
    QTimer refresh(&s.window);
    refresh.setInterval(0);
    int whileLocked = 0;
    connect(&refresh, &QTimer::timeout, &lock, [&] {
        if (QApplication::activeModalWidget() == &lock && ++whileLocked == 3) {
            lock.emm->setText(QStringLiteral("123"));
            lock.TransparentButton2->click();
        }
    });
    refresh.start();
    lock.exec();
    QCOMPARE(whileLocked, 3);
    QVERIFY(lock.unlocked());
    QVERIFY(refresh.isActive());
}

QTEST_MAIN(TflockTest)
#include "TflockTest.moc"
