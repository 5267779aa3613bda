#include <QLabel>
#include <QLayout>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "StationWindow.h"
#include "core/db/QueryObject.h"
#include "gui/alerts/ServedNotice.h"
#include "gui/board/TableBoard.h"
#include "gui/dishes/DishListView.h"
#include "gui/tile/Ttzcypanel.h"

namespace {

// A station in service: six occupied tables, table R01 chosen, its lines in the list, the
// refresh driven by hand with the clocks moving as the timer's interval says.
struct Service : StationWindow {
    TableBoard& board = parts.board();
    DishArea& dishes = parts.dishes();

    Service() {
        db.dm().ADOConn.setTickSource(ticks);
        db.exec("insert into roomtype values ('T1','大厅')");
        db.exec("insert into area values ('A1','一楼')");
        db.exec("insert into SmallType values ('S1','凉菜','B1','N',1),('S2','热菜','B1','N',2)");
        db.exec(
            "insert into Meal (meal_bh, meal_name, Meal_type_id) values ('M1','宫保鸡丁','S1')");
        for (int n = 1; n <= 6; ++n) {
            const QString id = QStringLiteral("R%1").arg(n, 2, 10, QLatin1Char('0'));
            db.exec("insert into room values (:a, :b, 'T1', 'A1', '0')", {id, "大厅" + id.mid(1)});
            db.exec("insert into guest values (:a, :b, 4, 100, 'true')", {"G" + id.mid(1), id});
        }
        for (const char* bh : {"L1", "L2", "L3"}) {
            db.addLine({{"consume_bh", bh},
                        {"consume_guest_bh", "G01"},
                        {"consume_table", "R01"},
                        {"consume_meal_name", QStringLiteral("菜") + bh},
                        {"consume_meal_type", "S1"},
                        {"consume_begintime", "2026-07-15 18:25:00"}});
        }
        window.resize(1064, 737);
        window.show();
        board.fillAreaList();
        board.LoadTableTree();
        board.LoadTableTypeTabs();
        board.Timer3Timer();
        board.startRefresh();
        QTest::mouseClick(board.TableTiles.first(), Qt::LeftButton);
    }

    QueryObject& list() { return db.dm().ADO_cp; }
    QWidget* band() { return skeletonPlace("Place_health"); }
    QWidget* skeletonPlace(const char* name) { return window.findChild<QWidget*>(name); }
    QString bandText() { return parts.healthBand().label()->text(); }
    // The timer's interval passes, then it fires.
    void tick() {
        const int ms = ui.Timer_sx->interval();
        ticks.advance(ms);
        pcTime.advanceMs(ms);
        db.serverClock.advanceMs(ms);
        board.Timer_sxTimer();
    }
    // Only the station's own statements fail; the test's fixture is another program.
    void fault(std::optional<DbFailure> kind) {
        if (!kind) {
            db.dm().ADOConn.setFaultPlan({});
            return;
        }
        const Connection::Fault f{*kind, QStringLiteral("模拟故障")};
        db.dm().ADOConn.setFaultPlan([f](const QString& object, const QString&, bool) {
            return object == QLatin1String("Fixture") ? std::optional<Connection::Fault>()
                                                      : std::optional(f);
        });
    }
    // Read as another program does, also while the station's connection is down.
    QString lineState(const QString& line) { return lines().value(line).section('|', 0, 0); }
    // Every line's state code and served time, by line number.
    QMap<QString, QString> lines() {
        QMap<QString, QString> out;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "peek");
            other.setDatabaseName(db.databasePath());
            other.open();
            QSqlQuery q(other);
            q.exec(QStringLiteral(
                "select consume_bh, consume_Chupinlogo, consume_donetime from Consume"));
            while (q.next()) {
                out.insert(q.value(0).toString(),
                           q.value(1).toString() + QLatin1Char('|') + q.value(2).toString());
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        return out;
    }
};

// Another program on the same file: the ordering terminals go on while the station is cut off.
void OrderElsewhere(const QString& file, const QString& line) {
    const QString name = QStringLiteral("terminal");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(file);
        QVERIFY(other.open());
        QSqlQuery q(other);
        q.prepare(QStringLiteral(
            "insert into Consume (consume_bh, consume_guest_bh, consume_table, consume_meal_name,"
            " consume_meal_type, consume_num, consume_begintime, consume_Chupinlogo, "
            "consume_state, consume_return) values (?, 'G01', 'R01', '新菜', 'S1', 1, "
            "'2026-07-15 18:31:00', '', '即起', 'N')"));
        q.addBindValue(line);
        QVERIFY(q.exec());
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

// What the pass sees when the database goes away during service and comes back.
class OutageTest : public QObject {
    Q_OBJECT

private slots:
    void outageDuringService_data();
    void outageDuringService();
    void tickWhileTheQuestionIsOpen();
    void thousandRandomFaults();
};

void OutageTest::outageDuringService_data() {
    QTest::addColumn<DbFailure>("kind");
    QTest::newRow("connection lost, file replaced") << DbFailure::ConnectionLost;
    QTest::newRow("table renamed") << DbFailure::Statement;
    QTest::newRow("locked by another program") << DbFailure::Busy;
}

void OutageTest::outageDuringService() {
    QFETCH(DbFailure, kind);
    Service s;
    s.tick();
    QVERIFY(s.band()->isHidden());
    QCOMPARE(s.list().rowCount(), 3);
    const QDateTime lastGood = s.pcTime.now();
    QTableView* grid = s.ui.cxGrid_ct_cp;
    const QPoint gridAt = grid->mapTo(&s.window, QPoint(0, 0));

    // The fault begins just after a good tick: the band is up at the next one, 5 s later.
    s.fault(kind);
    s.tick();
    QVERIFY(!s.band()->isHidden());
    QVERIFY(s.pcTime.now().toMSecsSinceEpoch() - lastGood.toMSecsSinceEpoch() <= 5000);
    QVERIFY2(s.bandText().contains(QStringLiteral("显示的是 %1 的数据")
                                       .arg(lastGood.toString(QStringLiteral("HH:mm:ss")))),
             qPrintable(s.bandText()));
    // The band takes no room: no row moves from under the mouse when it comes.
    s.window.layout()->activate();
    QCOMPARE(grid->mapTo(&s.window, QPoint(0, 0)), gridAt);
    // The window resized meanwhile: the page is not laid out on tables that were not read.
    s.window.resize(s.window.width(), s.window.height() - 100);
    s.window.layout()->activate();
    s.board.relayoutPage();
    QCOMPARE(s.board.TableTiles.size(), 6);

    // While it lasts: nothing is empty because of it, nothing that failed looks done, no box.
    OrderElsewhere(s.db.databasePath(), QStringLiteral("L4"));
    for (int i = 0; i < 4; ++i) {
        s.tick();
        QVERIFY(s.ui.Timer_sx->isActive());
        QCOMPARE(s.board.TableTiles.size(), 6);
        QCOMPARE(s.list().rowCount(), 3);
        QCOMPARE(s.ui.cxGrid_ct_cp->model()->rowCount(), 3);
        QVERIFY(!s.band()->isHidden());
    }
    QVERIFY(s.ui.Timer_sx->interval() <= 30000);
    QVERIFY(s.list().locatePrefix(QStringLiteral("consume_bh"), QStringLiteral("L2")));
    s.ui.Button_cpys->click();
    QCOMPARE(s.lineState(QStringLiteral("L2")), QString());
    QCOMPARE(s.list().asString(QStringLiteral("consume_Chupinlogo")), QString());
    QVERIFY(s.state.ServeRefused);
    QVERIFY(s.parts.notice().current());
    QCOMPARE(s.parts.notice().current()->title(), QStringLiteral("菜品未上"));
    QCOMPARE(s.parts.notice().current()->dishName(), QStringLiteral("菜L2"));
    QVERIFY(!s.band()->isHidden());
    QVERIFY(s.boxes.shown().isEmpty());

    // Over: the first tick brings the screen back, without a restart.
    s.fault(std::nullopt);
    s.tick();
    QVERIFY(s.band()->isHidden());
    QVERIFY(s.dishes.list().readNotice()->isHidden());
    QCOMPARE(s.ui.Timer_sx->interval(), 5000);
    QCOMPARE(s.list().rowCount(), 4);  // what was ordered meanwhile
    QCOMPARE(s.state.CurrentTableId, QStringLiteral("R01"));
    QCOMPARE(s.board.TableTiles.first()->BGImageIndex(), 4);
    s.ui.Button_cpys->click();
    QCOMPARE(s.lineState(QStringLiteral("L2")), QStringLiteral("4"));
    QVERIFY(s.boxes.shown().isEmpty());
}

void OutageTest::tickWhileTheQuestionIsOpen() {
    Service s;
    s.db.exec("update Consume set consume_meal_type = 'S2' where consume_bh = 'L3'");
    s.tick();
    QVERIFY(s.list().locatePrefix(QStringLiteral("consume_bh"), QStringLiteral("L3")));
    // While the operator reads the question, the refresh runs: a line "L30" ordered meanwhile
    // sorts before L3, so the list comes back on L30 (its number begins with "L3").
    bool ticked = false;
    s.boxes.whileOpen = [&] {
        s.boxes.whileOpen = nullptr;
        s.db.addLine({{"consume_bh", "L30"},
                      {"consume_guest_bh", "G01"},
                      {"consume_table", "R01"},
                      {"consume_meal_type", "S1"}});
        s.tick();
        ticked = s.list().asString(QStringLiteral("consume_bh")) == QLatin1String("L30");
    };
    s.boxes.answer(QMessageBox::Yes);
    s.ui.Button_cpys->click();
    QCOMPARE(s.boxes.shown().size(), 1);
    QVERIFY(ticked);
    // The line asked about is the one served.
    QCOMPARE(s.lineState(QStringLiteral("L3")), QStringLiteral("4"));
    QCOMPARE(s.lineState(QStringLiteral("L30")), QString());
    QVERIFY(!s.state.ServeRefused);
}

void OutageTest::thousandRandomFaults() {
    Service s;
    // Three tables with lines of two courses, so F9 asks now and then.
    for (int n = 2; n <= 3; ++n) {
        for (int i = 1; i <= 4; ++i) {
            s.db.addLine({{"consume_bh", QStringLiteral("T%1L%2").arg(n).arg(i)},
                          {"consume_guest_bh", QStringLiteral("G0%1").arg(n)},
                          {"consume_table", QStringLiteral("R0%1").arg(n)},
                          {"consume_meal_type", i % 2 ? "S1" : "S2"}});
        }
    }
    s.db.exec("update Consume set consume_meal_type = 'S2' where consume_bh = 'L3'");
    s.tick();
    Connection& conn = s.db.dm().ADOConn;
    QRandomGenerator random(20260716);
    const DbFailure kinds[] = {DbFailure::Statement, DbFailure::Busy, DbFailure::ConnectionLost};
    // The fault of one action: its n-th statement fails (a reopening is never the one).
    int countdown = 0;
    bool fired = false;
    Connection::Fault fault;
    QString failedAt;
    conn.setFaultPlan([&](const QString& object, const QString& sql, bool) {
        if (object.isEmpty() || object == QLatin1String("Fixture") || countdown <= 0 ||
            --countdown > 0) {
            return std::optional<Connection::Fault>();
        }
        fired = true;
        failedAt = object + QLatin1Char(' ') + sql.left(60);
        return std::optional(fault);
    });
    struct Command {
        QString name;
        QString code;  // what it writes to the line
        std::function<void()> run;
    };
    const QList<Command> commands{
        {"F9", "4", [&] { s.ui.Button_cpys->click(); }},
        {"F5", "2", [&] { s.ui.Button_wfzz->click(); }},
        {"开始制作", "0", [&] { s.ui.N9->trigger(); }},
        {"加急制作", "1", [&] { s.ui.N10->trigger(); }},
        {"制作完成", "3", [&] { s.ui.N2->trigger(); }},
    };
    // The scan: a scanner types the line number and Enter, 8 ms a key. The fault falls from
    // the Enter on (its lookup, the line's read, the update, the views); the lookups of the
    // keys before are each superseded by the next one's.
    s.settings.SDSR = QStringLiteral("N");
    const Command scanCommand{"扫描", "4", {}};
    auto scan = [&](const QString& code) {
        const int armed = countdown;
        countdown = 0;
        for (QChar c : code) {
            s.ticks.advance(8);
            QTest::keyClick(s.ui.E_cpmc, c.toLatin1());
        }
        countdown = armed;
        s.ticks.advance(8);
        QTest::keyClick(s.ui.E_cpmc, Qt::Key_Return);
    };
    int injected = 0;
    int actions = 0;
    int scans = 0;
    while (injected < 1000) {
        ++actions;
        fired = false;
        countdown = random.bounded(3) == 0 ? 0 : 1 + static_cast<int>(random.bounded(4));
        fault = {kinds[random.bounded(3)], QStringLiteral("模拟故障 %1").arg(actions)};
        s.pcTime.advanceMs(1000);
        const QMap<QString, QString> before = s.lines();
        const NoticeWindow* noticeBefore = s.parts.notice().current();
        const int boxesBefore = static_cast<int>(s.boxes.shown().size());
        QueryObject& list = s.list();
        const int action = static_cast<int>(random.bounded(10));
        QString target;
        const Command* command = nullptr;
        bool answeredNo = false;
        if (action < 5) {
            command = &commands.at(action);
            if (list.isOpen() && !list.isEmpty()) {
                list.setCurrentRow(static_cast<int>(random.bounded(list.rowCount())));
                target = list.asString(QStringLiteral("consume_bh"));
            }
            answeredNo = random.bounded(2) == 0;
            s.boxes.whileOpen = [&] {
                s.boxes.answer(answeredNo ? QMessageBox::No : QMessageBox::Yes);
            };
            command->run();
        } else if (action >= 8) {
            command = &scanCommand;
            const QStringList keys = before.keys();
            target = keys.at(static_cast<int>(random.bounded(keys.size())));
            answeredNo = random.bounded(2) == 0;
            s.boxes.whileOpen = [&] {
                s.boxes.answer(answeredNo ? QMessageBox::No : QMessageBox::Yes);
            };
            s.ticks.advance(1000);
            scan(target);
            ++scans;
        } else if (action == 5) {
            QTest::mouseClick(
                s.board.TableTiles.at(static_cast<int>(random.bounded(s.board.TableTiles.size()))),
                Qt::LeftButton);
        } else {
            s.tick();
        }
        const bool asked = s.boxes.shown().size() > boxesBefore;
        for (const auto& box : s.boxes.shown()) {
            QVERIFY2(box.icon != QMessageBox::Critical, qPrintable(box.text));
        }
        const NoticeWindow* notice = s.parts.notice().current();
        const bool servedNotice =
            notice && notice != noticeBefore && notice->title() == QStringLiteral("出品菜品");
        const bool noticed = notice && notice != noticeBefore && !servedNotice;
        const bool banded = !s.band()->isHidden();
        if (fired) {
            ++injected;
            QVERIFY2(
                noticed || banded,
                qPrintable(QStringLiteral("action %1 (%2, kind %3): a failure nobody sees at %4")
                               .arg(actions)
                               .arg(action)
                               .arg(int(fault.failure))
                               .arg(failedAt)));
        }
        // Only the command's own line changes, to its state, and only when nothing said it
        // did not; a line not written is never shown as written.
        const QMap<QString, QString> after = s.lines();
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (it.key() != target) {
                QCOMPARE(after.value(it.key()), it.value());
            }
        }
        if (command && !target.isEmpty()) {
            const bool written = after.value(target) != before.value(target);
            const bool refused = asked && answeredNo && command->code == QLatin1String("4");
            if (written) {
                QVERIFY(!noticed);
                QCOMPARE(after.value(target).section('|', 0, 0), command->code);
                // A scan tells the runner the dish is out only when it is.
                QCOMPARE(servedNotice, command == &scanCommand);
            } else if (command == &scanCommand) {
                QVERIFY(!servedNotice);
                QVERIFY2(noticed || refused,
                         qPrintable(QStringLiteral("action %1: scan of %2 served nothing and "
                                                   "said nothing")
                                        .arg(actions)
                                        .arg(target)));
            } else if (!refused && (command->code == QLatin1String("4") ||
                                    before.value(target).section('|', 0, 0) != command->code)) {
                QVERIFY2(noticed, qPrintable(QStringLiteral("action %1: %2 on %3 wrote nothing "
                                                            "and said nothing")
                                                 .arg(actions)
                                                 .arg(command->name, target)));
            }
        }
        if (list.isOpen() && !list.stale()) {
            const int key = list.columnIndex(QStringLiteral("consume_bh"));
            const int logo = list.columnIndex(QStringLiteral("consume_Chupinlogo"));
            for (int r = 0; r < list.rowCount(); ++r) {
                QCOMPARE(FieldText(list.valueAt(r, logo)),
                         after.value(FieldText(list.valueAt(r, key))).section('|', 0, 0));
            }
        }
    }
    // The faults over: the next tick brings everything back.
    countdown = 0;
    s.tick();
    QVERIFY(s.band()->isHidden());
    QVERIFY(conn.reopenCount() > 0);
    qInfo("%d faults in %d actions (%d scans): 0 crashes, 0 wrong lines, every failure seen",
          injected, actions, scans);
}

QTEST_MAIN(OutageTest)
#include "OutageTest.moc"
