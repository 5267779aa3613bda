#include <QtTest>

#include "core/alerts/AlertRules.h"
#include "core/alerts/ReminderCountdown.h"

Q_DECLARE_METATYPE(ReminderCountdown::State)

class AlertRulesTest : public QObject {
    Q_OBJECT

private slots:
    void hurryLabel_data();
    void hurryLabel();
    void hurryRowColour_data();
    void hurryRowColour();
    void countdown_data();
    void countdown();
};

void AlertRulesTest::hurryLabel_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("label");
    QTest::newRow("hurried") << 3 << "叫起"
                             << "催菜(3)";
    QTest::newRow("not hurried") << 0 << "叫起"
                                 << "叫起";
    QTest::newRow("negative count") << -1 << "已退"
                                    << "已退";
}

void AlertRulesTest::hurryLabel() {
    QFETCH(int, count);
    QFETCH(QString, state);
    QFETCH(QString, label);
    QCOMPARE(HurryReturnLabel(count, state), label);
}

void AlertRulesTest::hurryRowColour_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("rgb");  // -1: the grid's colour
    QTest::newRow("returned") << "已退" << 0x800000;
    QTest::newRow("returned, blanks around") << " 已退 " << 0x800000;
    QTest::newRow("at once") << "即起" << 0x000000;
    QTest::newRow("hurried") << "催菜(3)" << 0xff0000;
    QTest::newRow("hurry inside another text") << "再催菜" << 0xff0000;
    QTest::newRow("when called") << "叫起" << 0x000080;
    QTest::newRow("other") << "已上" << -1;
    QTest::newRow("empty") << "" << -1;
}

void AlertRulesTest::hurryRowColour() {
    QFETCH(QString, label);
    QFETCH(int, rgb);
    const auto c = HurryReturnRowColour(label);
    QCOMPARE(c.has_value(), rgb >= 0);
    if (c) {
        QCOMPARE((c->red << 16) | (c->green << 8) | c->blue, rgb);
    }
}

// Events: r a check that found rows, e one that found none, t a second, p the pause switch,
// c the close button.
void AlertRulesTest::countdown_data() {
    using S = ReminderCountdown::State;
    QTest::addColumn<QString>("events");
    QTest::addColumn<ReminderCountdown::State>("state");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("shows");  // checks that showed the reminder
    const QString zero = QStringLiteral("r") + QString(20, QLatin1Char('t'));
    QTest::newRow("nothing overdue") << "e" << S::Hidden << 20 << 0;
    QTest::newRow("rows show it from 20") << "r" << S::Counting << 20 << 1;
    QTest::newRow("counting down") << "rttt" << S::Counting << 17 << 1;
    QTest::newRow("0 is shown") << zero << S::Counting << 0 << 1;
    QTest::newRow("hidden on the second after 0") << zero + "t" << S::Hidden << 0 << 1;
    QTest::newRow("pause keeps the seconds") << "rttp" << S::Paused << 18 << 1;
    QTest::newRow("paused, seconds stand") << "rptt" << S::Paused << 20 << 1;
    QTest::newRow("resume from the seconds shown") << "rttppt" << S::Counting << 17 << 1;
    QTest::newRow("check while counting changes nothing") << "rttr" << S::Counting << 18 << 1;
    QTest::newRow("check while paused changes nothing") << "rtprt" << S::Paused << 19 << 1;
    QTest::newRow("empty check leaves it open") << "rte" << S::Counting << 19 << 1;
    QTest::newRow("closed while counting") << "rtc" << S::Hidden << 19 << 1;
    QTest::newRow("closed while paused, next from 20") << "rtpcr" << S::Counting << 20 << 2;
    QTest::newRow("hidden again, next from 20") << zero + "tr" << S::Counting << 20 << 2;
    QTest::newRow("switch and ticks while hidden do nothing") << "ptcr" << S::Counting << 20 << 1;
}

void AlertRulesTest::countdown() {
    QFETCH(QString, events);
    QFETCH(ReminderCountdown::State, state);
    QFETCH(int, seconds);
    QFETCH(int, shows);
    ReminderCountdown r;
    int shown = 0;
    for (const QChar e : events) {
        switch (e.toLatin1()) {
            case 'r':
                shown += r.checked(3) ? 1 : 0;
                break;
            case 'e':
                shown += r.checked(0) ? 1 : 0;
                break;
            case 't':
                r.tick();
                break;
            case 'p':
                r.togglePause();
                break;
            case 'c':
                r.close();
                break;
        }
    }
    QCOMPARE(r.state(), state);
    QCOMPARE(shown, shows);
    QCOMPARE(r.shown(), state != ReminderCountdown::State::Hidden);
    QCOMPARE(r.counting(), state == ReminderCountdown::State::Counting);
    if (r.shown()) {
        QCOMPARE(r.secondsLeft(), seconds);
    }
    QCOMPARE(r.switchText(), state == ReminderCountdown::State::Paused
                                 ? QStringLiteral("点击继续倒计时")
                                 : QStringLiteral("点击不关闭提醒"));
}

QTEST_GUILESS_MAIN(AlertRulesTest)
#include "AlertRulesTest.moc"
