#include <QtTest>

#include "core/common/TickSource.h"
#include "gui/session/TFLogin.h"

// The pause after a good password: never shorter than asked, whatever the timer does.
class LoginPauseTest : public QObject {
    Q_OBJECT

private slots:
    void neverShorter_data();
    void neverShorter();
};

void LoginPauseTest::neverShorter_data() {
    QTest::addColumn<int>("percent");  // how much of each wait the timer really gives
    QTest::addColumn<int>("waits");
    QTest::newRow("exact") << 100 << 1;
    QTest::newRow("coarse timer, 5 % early") << 95 << 4;
    QTest::newRow("late") << 110 << 1;
}

void LoginPauseTest::neverShorter() {
    QFETCH(int, percent);
    QFETCH(int, waits);
    ManualTickSource ticks;
    QList<int> asked;
    PauseKeepingResponsive(2000, ticks, [&](int ms) {
        asked << ms;
        ticks.advance(std::max<qint64>(1, qint64(ms) * percent / 100));
    });
    QCOMPARE(asked.first(), 2000);
    QCOMPARE(asked.size(), waits);
    QVERIFY(ticks.ticks() - 1000 >= 2000);
}

QTEST_MAIN(LoginPauseTest)
#include "LoginPauseTest.moc"
