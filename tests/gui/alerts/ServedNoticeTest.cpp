#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include "StationServices.h"
#include "gui/alerts/ServedNotice.h"

namespace {

QList<NoticeWindow*> NoticesOnScreen() {
    QList<NoticeWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* n = qobject_cast<NoticeWindow*>(w); n && n->isVisible()) {
            out << n;
        }
    }
    return out;
}

}  // namespace

class ServedNoticeTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheDishInTheCorner();
    void theNextNoticeClosesThePrevious();
    void neverTakesTheFocus();
    void shrinksAwayAfterItsTime();
    void aClickClosesIt();
    void notServedSaysWhy();
};

void ServedNoticeTest::showsTheDishInTheCorner() {
    StationServices s;
    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    NoticeWindow* n = notice.current();
    QVERIFY(n);
    QVERIFY(n->isVisible());
    QCOMPARE(n->objectName(), QStringLiteral("MSNPopUp1"));
    QCOMPARE(n->title(), QStringLiteral("出品菜品"));
    QCOMPARE(n->dishName(), QStringLiteral("宫保鸡丁"));
    QVERIFY(n->reason().isEmpty());
    const Qt::WindowFlags f = n->windowFlags();
    QVERIFY(f.testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(n->testAttribute(Qt::WA_ShowWithoutActivating));
    const QScreen* screen = s.window.screen();
    QCOMPARE(n->geometry(),
             NoticeGeometry(screen->geometry(), screen->availableGeometry(), QSize(300, 200)));
    QVERIFY(!n->grab().isNull());  // the painting runs
}

void ServedNoticeTest::theNextNoticeClosesThePrevious() {
    StationServices s;
    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    QPointer<NoticeWindow> first = notice.current();
    notice.ShowServedNotice(QStringLiteral("清蒸鲈鱼"));
    QVERIFY(!first || !first->isVisible());
    QCOMPARE(NoticesOnScreen().size(), 1);
    QCOMPARE(NoticesOnScreen().at(0)->dishName(), QStringLiteral("清蒸鲈鱼"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);  // freed, not kept hidden
}

void ServedNoticeTest::neverTakesTheFocus() {
    StationServices s;
    auto* box = new QLineEdit(&s.window);
    s.window.show();
    QApplication::setActiveWindow(&s.window);
    box->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QCOMPARE(QApplication::focusWidget(), box);

    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &s.window);
    QCOMPARE(QApplication::focusWidget(), box);
}

void ServedNoticeTest::shrinksAwayAfterItsTime() {
    StationServices s;
    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    NoticeWindow* n = notice.current();
    auto timers = n->findChildren<QTimer*>();
    QCOMPARE(timers.size(), 2);
    QTimer* shown = timers.at(0)->isActive() ? timers.at(0) : timers.at(1);
    QTimer* shrink = shown == timers.at(0) ? timers.at(1) : timers.at(0);
    QVERIFY(shown->isActive() && shown->isSingleShot());
    QCOMPARE(shown->interval(), 8000);
    QVERIFY(!shrink->isActive());

    const QRect full = n->geometry();
    n->startClosing();  // the 8 seconds are over
    QVERIFY(shrink->isActive());
    QCOMPARE(shrink->interval(), 25);
    QPointer<NoticeWindow> alive(n);
    int steps = 0;
    while (alive && alive->isVisible() && steps < 100) {
        n->shrinkStep();
        ++steps;
        if (alive && alive->isVisible()) {
            // Towards the taskbar, at the bottom on this screen: the top comes down.
            QCOMPARE(n->geometry().bottom(), full.bottom());
            QCOMPARE(n->height(), full.height() - 9 * steps);
        }
    }
    QCOMPARE(steps, 23);  // 200 px in steps of 9
    QVERIFY(NoticesOnScreen().isEmpty());
}

void ServedNoticeTest::aClickClosesIt() {
    StationServices s;
    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    QTest::mouseClick(notice.current(), Qt::LeftButton, {}, QPoint(150, 100));
    QVERIFY(NoticesOnScreen().isEmpty());
}

void ServedNoticeTest::notServedSaysWhy() {
    StationServices s;
    ServedNotice notice(s.ctx);
    notice.ShowServedNotice(QStringLiteral("宫保鸡丁"));
    notice.ShowNotServedNotice(QStringLiteral("清蒸鲈鱼（大份，加辣，少油，不要葱花）"),
                               QStringLiteral("该桌账单已结账，不能上菜"));
    QCOMPARE(NoticesOnScreen().size(), 1);
    NoticeWindow* n = notice.current();
    QCOMPARE(n->title(), QStringLiteral("菜品未上"));
    QCOMPARE(n->reason(), QStringLiteral("该桌账单已结账，不能上菜"));
    QVERIFY(!n->grab().isNull());
}

QTEST_MAIN(ServedNoticeTest)
#include "ServedNoticeTest.moc"
