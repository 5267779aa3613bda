#include <QtTest>

#include "core/dishes/IconLayout.h"

Q_DECLARE_METATYPE(Icons::Fit)

class IconLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void positionsOnTheGrid();
    void background_data();
    void background();
    void orderTime();
    void previousPageIsThePageBefore();
};

void IconLayoutTest::layout_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rows");
    QTest::addColumn<Icons::Fit>("fit");
    QTest::addColumn<int>("placed");
    QTest::addColumn<int>("perRow");
    QTest::addColumn<bool>("stopped");

    using Icons::Fit;
    QTest::newRow("669 x 438 takes 8 x 5") << 669 << 438 << 100 << Fit::Build << 40 << 8 << true;
    QTest::newRow("656 wide: 7 a row when built")
        << 656 << 438 << 100 << Fit::Build << 35 << 7 << true;
    QTest::newRow("656 wide: 8 a row after a page turn")
        << 656 << 438 << 100 << Fit::PageTurn << 40 << 8 << true;
    QTest::newRow("410 high: 4 rows when built")
        << 669 << 410 << 100 << Fit::Build << 32 << 8 << true;
    QTest::newRow("410 high: 5 rows after a page turn")
        << 669 << 410 << 100 << Fit::PageTurn << 40 << 8 << true;
    QTest::newRow("fewer lines than room") << 669 << 438 << 11 << Fit::Build << 11 << 8 << false;
    QTest::newRow("exactly a full page") << 669 << 438 << 40 << Fit::Build << 40 << 8 << false;
    QTest::newRow("one more than a page") << 669 << 438 << 41 << Fit::Build << 40 << 8 << true;
    QTest::newRow("no lines") << 669 << 438 << 0 << Fit::Build << 0 << 0 << false;
    QTest::newRow("an area too low for a row") << 669 << 82 << 5 << Fit::Build << 5 << 5 << false;
}

void IconLayoutTest::layout() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, rows);
    QFETCH(Icons::Fit, fit);
    const Icons::PageLayout l = Icons::LayOutIconPage(width, height, rows, fit);
    QTEST(static_cast<int>(l.positions.size()), "placed");
    int perRow = 0;
    for (const QPoint& p : l.positions) {
        perRow += p.y() == Icons::kIconMargin ? 1 : 0;
    }
    QTEST(perRow, "perRow");
    QTEST(l.stoppedForRoom, "stopped");
}

void IconLayoutTest::positionsOnTheGrid() {
    const Icons::PageLayout l = Icons::LayOutIconPage(669, 438, 40, Icons::Fit::Build);
    QCOMPARE(l.positions.at(0), QPoint(4, 4));
    QCOMPARE(l.positions.at(1), QPoint(86, 4));
    QCOMPARE(l.positions.at(7), QPoint(578, 4));
    QCOMPARE(l.positions.at(8), QPoint(4, 86));
    QCOMPARE(l.positions.at(39), QPoint(578, 332));
}

void IconLayoutTest::background_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("index");
    QTest::newRow("blank") << "" << 5;
    QTest::newRow("blanks") << "  " << 5;
    QTest::newRow("start making") << "0" << 0;
    QTest::newRow("served, with blanks") << " 4 " << 4;
    QTest::newRow("not a number") << "x" << 5;
    QTest::newRow("out of the pictures, kept") << "9" << 9;
}

void IconLayoutTest::background() {
    QFETCH(QString, code);
    QTEST(Icons::BackgroundIndex(code), "index");
}

void IconLayoutTest::orderTime() {
    QCOMPARE(Icons::OrderTimeText(QStringLiteral("07-15 18:05:09")), QStringLiteral("07-15 18:05"));
    QCOMPARE(Icons::OrderTimeText(QString()), QString());
}

void IconLayoutTest::previousPageIsThePageBefore() {
    Icons::PageHistory h;
    QCOMPARE(h.takePreviousStart(), QString());  // on the first page: the first page
    h.turnedForwardFrom(QStringLiteral("L01"));
    h.turnedForwardFrom(QStringLiteral("L41"));
    h.turnedForwardFrom(QStringLiteral("L81"));
    QCOMPARE(h.takePreviousStart(), QStringLiteral("L81"));
    QCOMPARE(h.takePreviousStart(), QStringLiteral("L41"));
    h.turnedForwardFrom(QStringLiteral("L41"));
    QCOMPARE(h.depth(), 2);
    h.clear();  // a new build starts over
    QCOMPARE(h.takePreviousStart(), QString());
}

QTEST_GUILESS_MAIN(IconLayoutTest)
#include "IconLayoutTest.moc"
