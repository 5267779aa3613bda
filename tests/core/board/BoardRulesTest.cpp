#include <QtTest>

#include "core/board/BoardRules.h"

using namespace Board;

class BoardRulesTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void tableState_data();
    void tableState();
    void counterText_data();
    void counterText();
    void refreshDecision_data();
    void refreshDecision();
};

void BoardRulesTest::layout_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("placed");
    QTest::addColumn<bool>("stoppedForRoom");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QPoint>("lastTile");

    QTest::newRow("design size, exactly 20 fit: the tables run out")
        << 337 << 422 << 20 << 20 << false << 4 << QPoint(246, 328);
    QTest::newRow("design size, one more: stops for room at 20")
        << 337 << 422 << 21 << 20 << true << 4 << QPoint(246, 328);
    QTest::newRow("320 wide: 4 columns, the fourth ends at 326")
        << 320 << 100 << 9 << 4 << true << 4 << QPoint(246, 0);
    QTest::newRow("319 wide: 3 columns") << 319 << 100 << 9 << 3 << true << 3 << QPoint(164, 0);
    QTest::newRow("lower than 82: the first row still shows")
        << 337 << 60 << 9 << 4 << true << 4 << QPoint(246, 0);
    QTest::newRow("a second row needs its bottom within the height")
        << 337 << 164 << 9 << 8 << true << 4 << QPoint(246, 82);
    QTest::newRow("163 high holds one row only")
        << 337 << 163 << 9 << 4 << true << 4 << QPoint(246, 0);
    QTest::newRow("fewer tables than a row") << 337 << 422 << 2 << 2 << false << 2 << QPoint(82, 0);
    QTest::newRow("no tables") << 337 << 422 << 0 << 0 << false << 0 << QPoint();
}

void BoardRulesTest::layout() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, tables);
    QFETCH(int, placed);
    QFETCH(bool, stoppedForRoom);
    QFETCH(int, columns);
    QFETCH(QPoint, lastTile);
    const PageLayout layout = LayOutTablePage(width, height, tables);
    QCOMPARE(layout.positions.size(), placed);
    QCOMPARE(layout.stoppedForRoom, stoppedForRoom);
    int firstRow = 0;
    for (const QPoint& p : layout.positions) {
        firstRow += p.y() == 0 ? 1 : 0;
    }
    QCOMPARE(firstRow, columns);
    if (placed > 0) {
        QCOMPARE(layout.positions.last(), lastTile);
        QCOMPARE(layout.positions.first(), QPoint(0, 0));
    }
}

void BoardRulesTest::tableState_data() {
    QTest::addColumn<double>("served");
    QTest::addColumn<double>("ordered");
    QTest::addColumn<double>("cannotMake");
    QTest::addColumn<int>("overdue");
    QTest::addColumn<int>("state");
    QTest::newRow("no lines at all") << 0.0 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("nothing served, overdue lines: still 0") << 0.0 << 5.0 << 0.0 << 3 << 0;
    QTest::newRow("nothing served, rest cannot be made") << 0.0 << 5.0 << 5.0 << 0 << 0;
    QTest::newRow("serving, on time") << 2.0 << 5.0 << 0.0 << 0 << 1;
    QTest::newRow("serving, one overdue") << 2.0 << 5.0 << 0.0 << 1 << 2;
    QTest::newRow("all served") << 5.0 << 5.0 << 0.0 << 0 << 3;
    QTest::newRow("served plus cannot-make reach ordered, overdue too")
        << 3.0 << 5.0 << 2.0 << 2 << 3;
    QTest::newRow("one short of complete") << 3.0 << 5.0 << 1.0 << 0 << 1;
    QTest::newRow("returns pushed served above ordered") << 3.0 << 2.0 << 0.0 << 0 << 3;
    QTest::newRow("half portions") << 0.5 << 1.0 << 0.5 << 0 << 3;
}

void BoardRulesTest::tableState() {
    QFETCH(double, served);
    QFETCH(double, ordered);
    QFETCH(double, cannotMake);
    QFETCH(int, overdue);
    QFETCH(int, state);
    QCOMPARE(TableState(served, ordered, cannotMake, overdue), state);
}

void BoardRulesTest::counterText_data() {
    QTest::addColumn<double>("served");
    QTest::addColumn<double>("ordered");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("complete");
    QTest::newRow("2 of 5") << 2.0 << 5.0 << "2.0/5.0" << false;
    QTest::newRow("nothing") << 0.0 << 0.0 << "0.0/0.0" << true;
    QTest::newRow("all out") << 12.0 << 12.0 << "12.0/12.0" << true;
    QTest::newRow("halves round away from zero") << 0.25 << 1.05 << "0.3/1.1" << false;
    QTest::newRow("a return record's negative") << 0.0 << -1.0 << "0.0/-1.0" << false;
    QTest::newRow("no negative zero") << -0.04 << 1.0 << "0.0/1.0" << false;
}

void BoardRulesTest::counterText() {
    QFETCH(double, served);
    QFETCH(double, ordered);
    QFETCH(QString, text);
    QFETCH(bool, complete);
    QCOMPARE(CounterText(served, ordered), text);
    QCOMPARE(CounterComplete(served, ordered), complete);
}

void BoardRulesTest::refreshDecision_data() {
    QTest::addColumn<int>("pageCapacity");
    QTest::addColumn<int>("tablesNow");
    QTest::addColumn<int>("tiles");
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("full page with more tables, one bill closed") << 20 << 24 << 20 << true;
    QTest::newRow("full page, tables now exactly the capacity") << 20 << 20 << 20 << true;
    QTest::newRow("equal counts on a partial board") << 20 << 7 << 7 << true;
    QTest::newRow("empty board stays empty") << 0 << 0 << 0 << true;
    QTest::newRow("a bill opened on an empty board") << 0 << 1 << 0 << false;
    QTest::newRow("a bill closed on a partial page") << 20 << 6 << 7 << false;
    QTest::newRow("last partial page reached by paging") << 20 << 25 << 5 << false;
    QTest::newRow("full page, fewer tables than fit now") << 20 << 19 << 20 << false;
    QTest::newRow("never stopped for room: capacity 0") << 0 << 5 << 4 << false;
}

void BoardRulesTest::refreshDecision() {
    QFETCH(int, pageCapacity);
    QFETCH(int, tablesNow);
    QFETCH(int, tiles);
    QFETCH(bool, inPlace);
    QCOMPARE(DecideRefresh(pageCapacity, tablesNow, tiles) == RefreshPath::CountersInPlace,
             inPlace);
}

QTEST_GUILESS_MAIN(BoardRulesTest)
#include "BoardRulesTest.moc"
