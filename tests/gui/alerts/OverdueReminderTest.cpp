#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "StationServices.h"
#include "core/db/QueryObject.h"
#include "gui/alerts/AlertGrid.h"
#include "gui/alerts/OverdueReminder.h"
#include "gui/common/DishGridFooter.h"

namespace {

// Answers every box with OK; while the first one is open it runs `whileOpen` once, as the
// timers go on firing under a modal box.
class ReentrantBoxes final : public MessageBoxes {
public:
    QStringList texts;
    std::function<void()> whileOpen;
    QMessageBox::StandardButton show(QWidget*, QMessageBox::Icon, const QString&,
                                     const QString& text, QMessageBox::StandardButtons) override {
        texts << text;
        if (auto f = std::exchange(whileOpen, {})) {
            f();
        }
        return QMessageBox::Ok;
    }
};

// A reminder built into a place below a stand-in dish list, on a station whose server clock
// stands at 18:30:00; dish M10 may wait 10 minutes.
struct Reminder {
    explicit Reminder(MessageBoxes* boxes = nullptr)
        : ctx{s.db.dm(),     s.state,   s.settings, boxes ? *boxes : s.boxes,
              s.clock,       s.ticks,   s.sound,    s.speech,
              s.db.folder(), &s.window, s.health} {
        auto* column = new QVBoxLayout(&s.window);
        column->addWidget(dishList, 1);
        column->addWidget(place);
        part = std::make_unique<OverdueReminder>(ctx, place);
        s.db.exec("insert into room values ('R1','A01','T1','A1','0'),('R2','B02','T1','A1','0')");
        s.db.exec("insert into SmallType values ('S1','热菜','B1','N',1)");
        s.db.exec("insert into Meal (meal_bh, meal_name, Meal_time) values ('M10','鸡',10)");
        s.db.exec("insert into Kitchen values ('K1','热菜间')");
    }

    void addOverdue(const QString& bh, const QString& table = QStringLiteral("R1")) {
        s.db.addLine({{"consume_bh", bh},
                      {"consume_table", table},
                      {"consume_meal_id", "M10"},
                      {"consume_meal_type", "S1"},
                      {"consume_num", 2},
                      {"consume_begintime", "2026-07-15 18:00:00"}});
    }

    template <class W>
    W* find(const char* name) {
        W* w = s.window.findChild<W*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("no %s", name);
        }
        return w;
    }
    QFrame* panel() { return find<QFrame>("RzPl_cstx"); }
    QTimer* timer(const char* name) { return find<QTimer>(name); }
    QString seconds() { return find<QLabel>("lb_timer")->text(); }
    QString switchText() { return find<QLabel>("Label4")->text(); }
    // The timers as they fire, through the connections the part made.
    void check() { QMetaObject::invokeMethod(timer("Timer_cstx"), "timeout"); }
    void second() { QMetaObject::invokeMethod(timer("Timer5"), "timeout"); }
    void clickSwitch() { QTest::mouseClick(find<QLabel>("Label4"), Qt::LeftButton); }
    int rows() { return find<QTableView>("cxGrid4")->model()->rowCount(); }
    void breakDatabase() { s.db.exec("alter table Kitchen rename to Kitchen_gone"); }
    void mendDatabase() { s.db.exec("alter table Kitchen_gone rename to Kitchen"); }

    StationServices s;
    StationContext ctx;
    QTableView* dishList = new QTableView(&s.window);
    QWidget* place = new QWidget(&s.window);
    std::unique_ptr<OverdueReminder> part;
};

}  // namespace

class OverdueReminderTest : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void arm_data();
    void arm();
    void showsWhenRowsAreFound();
    void countsDownAndHides();
    void pauseAndResume();
    void checkWhileShownOnlyRereads();
    void closedThenNextReminderFrom20();
    void failedCheckShowsOneBoxAtATime();
    void failedCheckWhileShownSaysSo();
};

void OverdueReminderTest::controls() {
    Reminder r;
    r.s.window.resize(900, 600);
    r.s.window.show();
    QFrame* panel = r.panel();
    QVERIFY(!panel->isVisible());
    QCOMPARE(panel->parentWidget(), r.place);
    QCOMPARE(panel->height(), 240);
    QCOMPARE(r.find<QFrame>("RzPl_cstxtitle")->height(), 35);
    auto* close = r.find<QToolButton>("ImgBtn13");
    QCOMPARE(close->size(), QSize(32, 32));
    QCOMPARE(close->toolTip(), QStringLiteral("点击关闭提醒"));
    QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
    const QList<std::pair<const char*, QString>> labels{{"lbl_cstx", "超时菜品提醒"},
                                                        {"lb_timer", "20"},
                                                        {"Label1", "秒后提醒关闭"},
                                                        {"Label4", "点击不关闭提醒"}};
    for (const auto& [name, text] : labels) {
        QLabel* l = r.find<QLabel>(name);
        QCOMPARE(l->text(), text);
        QCOMPARE(l->font().pixelSize(), 21);
        QVERIFY(l->font().bold());
        QCOMPARE(l->font().underline(), QByteArray(name) == "Label4");
    }
    QCOMPARE(r.find<QLabel>("Label4")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(r.timer("Timer_cstx")->interval(), 300000);
    QVERIFY(!r.timer("Timer_cstx")->isActive());
    QCOMPARE(r.timer("Timer5")->interval(), 1000);
    QVERIFY(!r.timer("Timer5")->isActive());
    QVERIFY(panel->isAncestorOf(r.find<QTableView>("cxGrid4")));

    r.addOverdue("L1");
    r.check();
    QVERIFY(panel->isVisible());
    r.s.window.layout()->activate();
    // Below the dish list; the seconds, then their caption, then the switch.
    QVERIFY(panel->mapTo(&r.s.window, QPoint(0, 0)).y() > r.dishList->geometry().bottom());
    QVERIFY(r.find<QLabel>("Label1")->x() > r.find<QLabel>("lb_timer")->x());
    QVERIFY(r.find<QLabel>("Label4")->x() > r.find<QLabel>("Label1")->x());
}

void OverdueReminderTest::arm_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("interval");
    QTest::newRow("off") << 0 << false << 300000;
    QTest::newRow("negative is off") << -3 << false << 300000;
    QTest::newRow("one minute") << 1 << true << 60000;
    QTest::newRow("half an hour") << 30 << true << 1800000;
    QTest::newRow("beyond a timer's range") << 100000 << true << INT_MAX;
}

void OverdueReminderTest::arm() {
    QFETCH(int, minutes);
    QFETCH(bool, active);
    QFETCH(int, interval);
    Reminder r;
    r.part->arm(minutes);
    QTimer* t = r.timer("Timer_cstx");
    QCOMPARE(t->isActive(), active);
    QCOMPARE(t->interval(), interval);
    QCOMPARE(r.part->reminderTimer(), t);
    // The settings dialog's re-arm with 0 switches a running reminder off.
    r.part->arm(5);
    r.part->arm(0);
    QVERIFY(!t->isActive());
    r.part->arm(minutes);
    r.part->stop();
    QVERIFY(!t->isActive());
}

void OverdueReminderTest::showsWhenRowsAreFound() {
    Reminder r;
    QSignalSpy shown(r.part.get(), &OverdueReminder::reminderShown);
    r.s.window.show();
    r.check();  // nothing overdue
    QVERIFY(!r.panel()->isVisible());
    QVERIFY(!r.timer("Timer5")->isActive());
    QCOMPARE(shown.count(), 0);

    r.addOverdue("L1");
    r.addOverdue("L2", "R2");
    r.check();
    QVERIFY(r.panel()->isVisible());
    QVERIFY(r.timer("Timer5")->isActive());
    QCOMPARE(r.seconds(), QStringLiteral("20"));
    QCOMPARE(r.switchText(), QStringLiteral("点击不关闭提醒"));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(r.rows(), 2);
    DishGridFooter* footer = r.part->grid().footer();
    QCOMPARE(footer->cellText(0), QStringLiteral("共2笔记录"));
    QCOMPARE(footer->cellText(6), QStringLiteral("4"));
    QVERIFY(r.s.boxes.shown().isEmpty());
}

void OverdueReminderTest::countsDownAndHides() {
    Reminder r;
    r.s.window.show();
    r.addOverdue("L1");
    r.check();
    for (int left = 19; left >= 0; --left) {
        r.second();
        QCOMPARE(r.seconds(), QString::number(left));
        QVERIFY(r.panel()->isVisible());
    }
    r.second();  // the one after 0
    QVERIFY(!r.panel()->isVisible());
    QVERIFY(!r.timer("Timer5")->isActive());
}

void OverdueReminderTest::pauseAndResume() {
    Reminder r;
    r.s.window.show();
    r.addOverdue("L1");
    r.check();
    r.second();
    r.second();
    r.clickSwitch();
    QCOMPARE(r.switchText(), QStringLiteral("点击继续倒计时"));
    QVERIFY(!r.timer("Timer5")->isActive());
    QCOMPARE(r.seconds(), QStringLiteral("18"));
    QVERIFY(r.panel()->isVisible());
    r.clickSwitch();
    QCOMPARE(r.switchText(), QStringLiteral("点击不关闭提醒"));
    QVERIFY(r.timer("Timer5")->isActive());
    r.second();
    QCOMPARE(r.seconds(), QStringLiteral("17"));
}

// A check while the panel is open re-reads its list and changes nothing else: no restart, no
// resume, no second "shown".
void OverdueReminderTest::checkWhileShownOnlyRereads() {
    Reminder r;
    QSignalSpy shown(r.part.get(), &OverdueReminder::reminderShown);
    r.s.window.show();
    r.addOverdue("L1");
    r.check();
    r.second();
    r.second();
    r.second();
    r.addOverdue("L2");
    r.check();
    QCOMPARE(r.rows(), 2);
    QCOMPARE(r.seconds(), QStringLiteral("17"));
    QVERIFY(r.timer("Timer5")->isActive());

    r.clickSwitch();
    r.s.db.exec("delete from Consume");
    r.check();  // nothing overdue any more: open, paused, empty
    QVERIFY(r.panel()->isVisible());
    QCOMPARE(r.rows(), 0);
    QCOMPARE(r.part->grid().footer()->cellText(0), QStringLiteral("共0笔记录"));
    QCOMPARE(r.switchText(), QStringLiteral("点击继续倒计时"));
    QVERIFY(!r.timer("Timer5")->isActive());
    QCOMPARE(r.seconds(), QStringLiteral("17"));
    QCOMPARE(shown.count(), 1);
}

void OverdueReminderTest::closedThenNextReminderFrom20() {
    Reminder r;
    QSignalSpy shown(r.part.get(), &OverdueReminder::reminderShown);
    r.s.window.show();
    r.addOverdue("L1");
    r.check();
    r.second();
    r.clickSwitch();  // paused at 19
    QTest::mouseClick(r.find<QToolButton>("ImgBtn13"), Qt::LeftButton);
    QVERIFY(!r.panel()->isVisible());
    QVERIFY(!r.timer("Timer5")->isActive());
    r.check();
    QVERIFY(r.panel()->isVisible());
    QCOMPARE(r.seconds(), QStringLiteral("20"));
    QCOMPARE(r.switchText(), QStringLiteral("点击不关闭提醒"));
    QVERIFY(r.timer("Timer5")->isActive());
    QCOMPARE(shown.count(), 2);
}

// Nobody may be at the pass: checks that fail while the box is open add no box; the next
// period tries again.
void OverdueReminderTest::failedCheckShowsOneBoxAtATime() {
    ReentrantBoxes boxes;
    Reminder r(&boxes);
    r.s.window.show();
    r.addOverdue("L1");
    r.part->arm(1);
    r.breakDatabase();
    boxes.whileOpen = [&] {
        r.check();
        r.check();
    };
    r.check();
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts.first().startsWith(QStringLiteral("超时菜品提醒读取失败")),
             qPrintable(boxes.texts.first()));
    QVERIFY(boxes.texts.first().contains(QLatin1String("Kitchen")));
    QCOMPARE(r.s.health.failures(Feed::Reminder), 3);  // each failure reaches the band
    QCOMPARE(r.s.health.lastFailure(), DbFailure::Statement);
    QVERIFY(!r.panel()->isVisible());
    QVERIFY(r.timer("Timer_cstx")->isActive());  // still armed

    r.check();  // the box was closed: the next failure says so again
    QCOMPARE(boxes.texts.size(), 2);

    r.mendDatabase();
    r.check();
    QVERIFY(r.panel()->isVisible());
    QCOMPARE(r.rows(), 1);
    QVERIFY(!r.part->grid().notice()->isVisible());
    QCOMPARE(boxes.texts.size(), 2);
    QVERIFY(r.s.health.current());
}

// An open panel must not show an empty list as if nothing were overdue any more.
void OverdueReminderTest::failedCheckWhileShownSaysSo() {
    Reminder r;
    r.s.window.show();
    r.addOverdue("L1");
    r.check();
    r.second();
    r.breakDatabase();
    r.s.pcTime.set(QDateTime(QDate(2026, 7, 15), QTime(18, 35, 7)));
    r.check();
    QVERIFY(r.panel()->isVisible());
    QCOMPARE(r.seconds(), QStringLiteral("19"));
    QVERIFY(r.timer("Timer5")->isActive());
    QLabel* notice = r.part->grid().notice();
    QVERIFY(notice->isVisible());
    QVERIFY2(notice->text().startsWith(QStringLiteral("读取失败（18:35:07）")),
             qPrintable(notice->text()));
    QCOMPARE(r.part->grid().footer()->cellText(0), QString());  // no "共0笔记录"
    QCOMPARE(r.s.boxes.shown().size(), 1);

    r.mendDatabase();
    r.check();
    QVERIFY(!notice->isVisible());
    QCOMPARE(r.rows(), 1);
    QCOMPARE(r.seconds(), QStringLiteral("19"));
}

QTEST_MAIN(OverdueReminderTest)
#include "OverdueReminderTest.moc"
