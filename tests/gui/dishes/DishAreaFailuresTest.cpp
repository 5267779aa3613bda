#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>

#include "StationWindow.h"
#include "gui/alerts/ServedNotice.h"
#include "gui/dishes/DishArea.h"
#include "gui/dishes/DishListView.h"
#include "gui/main/StationSkin.h"

namespace {

// A main window with its dish area on an embedded station database.
struct Station : StationWindow {
    Station() : StationWindow(QDateTime(QDate(2026, 7, 15), QTime(18, 31, 5))) {}
    bool skinned = (ApplyStationSkin(&window), true);  // the look the operator sees
    DishArea& views = parts.dishes();

    QueryObject& list() { return db.dm().ADO_cp; }
    QString currentLine() { return list().asString(QStringLiteral("consume_bh")); }
    void select(const QString& line) {
        QVERIFY(list().locatePrefix(QStringLiteral("consume_bh"), line));
    }
    QString lineState(const QString& line) {
        return db
            .rows(QStringLiteral("select consume_Chupinlogo, consume_Chupinstate, "
                                 "consume_donetime from Consume where consume_bh = :bh"),
                  {line})
            .value(0);
    }
};

// Two tables and three courses.
void AddMenu(Station& s) {
    s.db.exec(
        QStringLiteral("insert into room values ('R1','A01','T1','A1','0'),"
                       "('R2','B02','T1','A1','0')"));
    s.db.exec(
        QStringLiteral("insert into SmallType values ('S1','凉菜','B1','N',1),"
                       "('S2','热菜','B1','N',2),('S3','汤','B1','N',3)"));
}

void AddLine(Station& s, const QString& bh, const QString& table, const QString& type) {
    s.db.addLine({{"consume_bh", bh},
                  {"consume_table", table},
                  {"consume_meal_type", type},
                  {"consume_meal_name", QStringLiteral("菜") + bh}});
}

void OpenAllTables(Station& s) {
    s.ui.RG_xszt->setItemIndex(0);  // runs the scope change: the list of all tables
}

}  // namespace

// What the dish area does when the database does not do what it was asked: a command that
// writes nothing, a list that cannot be read; and where a re-run leaves the line on screen.
class DishAreaFailuresTest : public QObject {
    Q_OBJECT

private slots:
    void servingOrderQueryErrorIsANotice();
    void commandNotWrittenIsToldAtOnce();
    void failedListReadIsNeverAnEmptyQueue();
    void rerunKeepsTheLineUnderTheMouse();
};

void DishAreaFailuresTest::servingOrderQueryErrorIsANotice() {
    Station s;
    AddMenu(s);
    AddLine(s, "L3", "R1", "S3");
    OpenAllTables(s);
    s.db.exec("drop table SmallType");
    // A click, a key or a double click on a busy pass: no box, the notice and the sound.
    s.ui.Button_cpys->click();
    QVERIFY(s.boxes.shown().isEmpty());
    QVERIFY(s.state.ServeRefused);
    NoticeWindow* notice = s.parts.notice().current();
    QVERIFY(notice);
    QCOMPARE(notice->title(), QStringLiteral("菜品未上"));
    QCOMPARE(notice->dishName(), QStringLiteral("菜L3"));
    QVERIFY2(notice->reason().startsWith(QStringLiteral("检查上菜顺序时出错：")),
             qPrintable(notice->reason()));
    QCOMPARE(s.sound.played.size(), 1);
    QVERIFY(s.sound.played.first().endsWith(QStringLiteral("wav/tm_fail.wav")));
    QCOMPARE(s.lineState("L3"), QStringLiteral("|NULL|NULL"));
}

void DishAreaFailuresTest::commandNotWrittenIsToldAtOnce() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1");
    OpenAllTables(s);
    s.db.exec(
        "create trigger no_update before update on Consume begin "
        "select raise(abort, 'read only'); end");
    s.views.Button_cpysClick();
    // Not served in the database, so never shown or reported as served.
    QVERIFY(s.state.ServeRefused);
    QCOMPARE(s.lineState("L1"), QStringLiteral("|NULL|NULL"));
    QCOMPARE(s.list().asString("consume_Chupinstate"), QString());
    NoticeWindow* notice = s.parts.notice().current();
    QVERIFY(notice);
    QCOMPARE(notice->title(), QStringLiteral("菜品未上"));
    QVERIFY2(notice->reason().contains(QStringLiteral("read only")), qPrintable(notice->reason()));

    s.views.Button_zzwcClick();
    QCOMPARE(s.list().rowCount(), 1);
    QVERIFY(s.boxes.shown().isEmpty());
    notice = s.parts.notice().current();
    QCOMPARE(notice->title(), QStringLiteral("状态未改"));
    QVERIFY(notice->reason().startsWith(QStringLiteral("未设为“制作完成”：")));
    QCOMPARE(s.sound.played.size(), 2);

    // A line that vanished since the list was run changes no row: not served either.
    s.db.exec("drop trigger no_update");
    s.db.exec("delete from Consume");
    s.views.Button_cpysClick();
    QVERIFY(s.state.ServeRefused);
    QCOMPARE(s.parts.notice().current()->reason(),
             QStringLiteral("数据库没有更新这道菜品，菜品未上"));
    QCOMPARE(s.list().rowCount(), 0);  // re-run all the same
    // A lost connection is the band's news as well.
    AddLine(s, "L2", "R1", "S1");
    s.views.QueryDishList(QString());
    s.db.dm().ADOConn.setFault(DbFailure::ConnectionLost);
    s.views.Button_wfzzClick();
    QVERIFY(s.health.failing(Feed::Command));
    QCOMPARE(s.sound.played.size(), 4);
    s.db.dm().ADOConn.setFault(std::nullopt);
}

void DishAreaFailuresTest::failedListReadIsNeverAnEmptyQueue() {
    Station s;
    AddMenu(s);
    AddLine(s, "L1", "R1", "S1");
    AddLine(s, "L2", "R2", "S1");
    OpenAllTables(s);
    s.select("L2");
    QLabel* notice = s.views.list().readNotice();
    QVERIFY(notice->isHidden());
    s.db.dm().ADOConn.setFault(DbFailure::Busy);
    // The same list again (the tick, a command): its rows and its line stay, marked as old.
    s.views.list().rememberLine();
    QVERIFY_THROWS_EXCEPTION(DbError, s.views.list().returnToLine());
    QCOMPARE(s.list().rowCount(), 2);
    QCOMPARE(s.currentLine(), QStringLiteral("L2"));
    QCOMPARE(s.ui.cxGrid_ct_cp->model()->rowCount(), 2);
    QVERIFY(!notice->isHidden());
    QVERIFY2(notice->text().contains(QStringLiteral("显示的是 18:31:05 读到的菜品")),
             qPrintable(notice->text()));
    QVERIFY(s.health.failing(Feed::DishLists));
    // Another list (a table chosen): none of the old rows, and the line says why.
    s.views.showTable("R1");
    QCOMPARE(s.ui.cxGrid_ct_cp->model()->rowCount(), 0);
    QVERIFY(notice->text().contains(QStringLiteral("不是没有菜品")));
    // The next tick reads the list that failed.
    s.db.dm().ADOConn.setFault(std::nullopt);
    s.views.list().rememberLine();
    s.views.list().returnToLine();
    QCOMPARE(s.list().rowCount(), 1);
    QVERIFY(notice->isHidden());
    QVERIFY(s.health.current());
    QVERIFY(s.boxes.shown().isEmpty());
}

void DishAreaFailuresTest::rerunKeepsTheLineUnderTheMouse() {
    Station s;
    AddMenu(s);
    for (int i = 10; i < 70; ++i) {
        AddLine(s, QStringLiteral("L%1").arg(i), "R1", "S2");
    }
    s.window.resize(1064, 737);
    s.window.show();
    OpenAllTables(s);
    QTableView* grid = s.ui.cxGrid_ct_cp;
    grid->doItemsLayout();
    const int shown = grid->viewport()->height() / grid->verticalHeader()->sectionSize(0);
    QVERIFY2(shown > 5 && shown < 50, "more rows than fit");
    // The operator scrolled down and points at the line L40, a few rows from the top.
    s.select("L40");
    grid->scrollTo(grid->model()->index(s.list().currentRow(), 1),
                   QAbstractItemView::PositionAtTop);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() - 3);
    const QPoint mouse = grid->visualRect(grid->model()->index(s.list().currentRow(), 1)).center();
    auto lineAt = [&](const QPoint& p) {
        return grid->model()->index(grid->indexAt(p).row(), 0).isValid()
                   ? s.db.dm()
                         .ADO_cp.valueAt(grid->indexAt(p).row(), s.list().columnIndex("consume_bh"))
                         .toString()
                   : QString();
    };
    QCOMPARE(lineAt(mouse), QStringLiteral("L40"));

    // A command re-runs the list; a line ordered meanwhile sorts above: the line stays put.
    AddLine(s, "L05", "R1", "S1");
    s.views.Button_zzwcClick();
    QCOMPARE(s.lineState("L40"), QStringLiteral("3|制作完成|NULL"));
    QCOMPARE(lineAt(mouse), QStringLiteral("L40"));
    // The tick's re-run too.
    AddLine(s, "L06", "R1", "S1");
    RefreshReport report;
    s.views.refreshForTick(QString(), &report);
    QVERIFY(!report.failed);
    QCOMPARE(s.currentLine(), QStringLiteral("L40"));
    QCOMPARE(lineAt(mouse), QStringLiteral("L40"));
    // A second double click at the same spot serves the same dish.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, mouse);
    emit grid->doubleClicked(grid->indexAt(mouse));
    QCOMPARE(s.lineState("L40").left(1), QStringLiteral("4"));
}

QTEST_MAIN(DishAreaFailuresTest)
#include "DishAreaFailuresTest.moc"
