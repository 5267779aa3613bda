// The grouped page counters against the two per-tile statements they replace: on seeded random
// restaurants every tile must get exactly the figures the per-tile statements give it.
#include <QRandomGenerator>
#include <QtTest>

#include "TestStation.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/Dialect.h"

namespace {

QString Describe(const TileFigures& f) {
    return QStringLiteral("%1/%2 wfzz %3 cscp %4")
        .arg(f.served)
        .arg(f.ordered)
        .arg(f.cannotMake)
        .arg(f.overdue);
}

bool Same(const TileFigures& a, const TileFigures& b) {
    return a.served == b.served && a.ordered == b.ordered && a.cannotMake == b.cannotMake &&
           a.overdue == b.overdue;
}

TileFigures PerTile(TestStation& st, const QString& bill) {
    TileFigures f;
    ReadTileCounters(st.dm().ADO_Public2, bill, CounterBinding::Positional, f);
    ReadTileOverdue(st.dm().ADO_Public2, bill, f);
    return f;
}

// The catalogue the random lines draw on: an excluded category, one without a flag and a type
// with no category row; dishes with allowed minutes, without (null), with 0, and one missing.
void WriteCatalogue(TestStation& st) {
    st.exec(
        "insert into SmallType (Smalltype_id, Smalltype_NdyHc) values ('S1','N'), ('S2','N'),"
        " ('S8',NULL), ('S9','Y')");
    st.exec(
        "insert into Meal (meal_bh, meal_name, Meal_time) values ('M1','宫保鸡丁',9),"
        " ('M2','米饭',NULL), ('M3','凉菜',0), ('M4','烤鸭',25), ('M5','小菜',1)");
}

struct Dish {
    const char* id;
    int minutes;  // -1: null or no catalogue row
};
const Dish kDishes[] = {{"M1", 9}, {"M2", -1}, {"M3", 0}, {"M4", 25}, {"M5", 1}, {"GONE", -1}};

class RandomRestaurant {
public:
    RandomRestaurant(TestStation& st, quint32 seed) : st_(st), rng_(seed) {}

    // One line with every column drawn from the values the rules tell apart.
    void addLine(const QString& bill) {
        const Dish& dish = kDishes[rng_.bounded(static_cast<int>(std::size(kDishes)))];
        QVariantMap m{{"consume_bh", QStringLiteral("R%1").arg(++seq_)},
                      {"consume_guest_bh", bill},
                      {"consume_meal_id", QString::fromLatin1(dish.id)}};
        m["consume_meal_type"] =
            pick<QVariant>({"S1", "S1", "S1", "S2", "S8", "S9", "S404", QVariant()});
        m["consume_Chupinlogo"] =
            pick<QVariant>({"", "", "0", "1", "2", "3", "4", "4", QVariant()});
        m["consume_tcsign"] = pick<QVariant>({QVariant(), QVariant(), "", "", "TC", "tc"});
        const double num = 0.5 * (1 + rng_.bounded(8));
        m["consume_num"] = num;
        m["consume_returnNum"] = 0;
        m["consume_return"] = "N";
        switch (rng_.bounded(9)) {
            case 0:  // partly returned
                m["consume_return"] = "Y";
                m["consume_returnNum"] = num > 0.5 ? num - 0.5 : 0.25;
                m["consume_num"] = num > 0.5 ? num : 0.5;
                break;
            case 1:  // wholly returned
                m["consume_return"] = "Y";
                m["consume_returnNum"] = num;
                break;
            case 2:  // the return record
                m["consume_return"] = "Y";
                m["consume_num"] = -num;
                break;
            case 3:  // marks the ERP never meant but a database may hold
                m["consume_return"] = pick<QVariant>({QVariant(), "Y", "N"});
                m["consume_returnNum"] = pick<QVariant>({0, 0.5, num});
                break;
            default:
                break;
        }
        m["consume_begintime"] = beginTime(dish.minutes);
        st_.addLine(m);
    }

private:
    template <class T>
    T pick(std::initializer_list<T> values) {
        return *(values.begin() + rng_.bounded(static_cast<int>(values.size())));
    }

    // Mostly right at the dish's limit: at the exact minute, a second either side of it, and
    // a minute either side; sometimes anywhere, in the future, or no time at all.
    QVariant beginTime(int minutes) {
        const QDateTime now = st_.serverClock.now();
        const int r = static_cast<int>(rng_.bounded(20));
        if (r == 0) {
            return QVariant();
        }
        if (r == 1) {
            return now.addSecs(90).toString("yyyy-MM-dd HH:mm:ss");
        }
        const int limit = minutes >= 0 ? minutes : static_cast<int>(rng_.bounded(30));
        const int back = r < 5 ? static_cast<int>(rng_.bounded(120)) : limit + pick({-1, 0, 0, 1});
        // Whole minutes back from the minute the clock stands in, then a few seconds.
        QDateTime at = now.addSecs(-60 * back);
        at.setTime(QTime(at.time().hour(), at.time().minute(), pick({0, 0, 1, 30, 59})));
        return at.toString("yyyy-MM-dd HH:mm:ss");
    }

    TestStation& st_;
    QRandomGenerator rng_;
    int seq_ = 0;
};

}  // namespace

class PageFiguresTest : public QObject {
    Q_OBJECT

private slots:
    void sqlServerText();
    void groupedEqualsPerTile_data();
    void groupedEqualsPerTile();
    void statementsPerPage_data();
    void statementsPerPage();
    void rowsFindTheirBills_data();
    void rowsFindTheirBills();
    void failedStatementThrows();
};

void PageFiguresTest::sqlServerText() {
    QCOMPARE(
        BoardSql::PageCounters(SqlServerDialect(), 2),
        QStringLiteral(
            "select consume_guest_bh,sum(consume_num) as dcsl,sum(case consume_Chupinlogo when 4 "
            "then (consume_num-consume_returnNum) end) as yscp,sum(case consume_Chupinlogo when 2 "
            "then (consume_num-consume_returnNum) end) as wfzz,sum(case when (consume_chupinlogo "
            "<> 4) and (consume_chupinlogo <> 3) and (consume_chupinlogo <> 2) and DATEDIFF(mi, "
            "consume_begintime, getdate()) > Meal_time and (Consume_return <> 'Y' or "
            "(Consume_return='Y' and consume_num<>consume_returnNum and consume_returnNum>0)) "
            "then 1 else 0 end) as cscp from consume left join meal on meal_bh = consume_meal_id "
            "where consume_guest_bh in (:a1,:a2) and (consume_meal_type not in (select "
            "smalltype_id from SmallType where Smalltype_NdyHc='Y')) and (consume_tcsign<>'TC' or "
            "consume_tcsign is null) group by consume_guest_bh"));
    QVERIFY(BoardSql::PageCounters(SqliteDialect(), 1)
                .contains("tzcy_datediff_mi(consume_begintime, getdate()) > Meal_time"));
}

void PageFiguresTest::groupedEqualsPerTile_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("clockSecond");
    for (quint32 seed = 1; seed <= 8; ++seed) {
        // The server clock at the start of its minute and at its end.
        QTest::addRow("seed %u", seed) << seed << (seed % 2 ? 0 : 59);
    }
}

void PageFiguresTest::groupedEqualsPerTile() {
    QFETCH(quint32, seed);
    QFETCH(int, clockSecond);
    TestStation st(QDateTime(QDate(2026, 7, 15), QTime(18, 30, clockSecond)));
    WriteCatalogue(st);
    st.dm().ADOConn.database().transaction();
    // Bills whose state is known, so every picture is on the page whatever the seed.
    st.addLine({{"consume_bh", "F1"}, {"consume_guest_bh", "ALLOUT"}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "F2"}, {"consume_guest_bh", "ALLOUT"}, {"consume_Chupinlogo", "2"}});
    st.addLine({{"consume_bh", "F3"}, {"consume_guest_bh", "ONTIME"}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "F4"},
                {"consume_guest_bh", "ONTIME"},
                {"consume_begintime", "2026-07-15 18:29:00"}});
    st.addLine({{"consume_bh", "F5"}, {"consume_guest_bh", "LATE"}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "F6"}, {"consume_guest_bh", "LATE"}});
    // Only lines that are never counted: no row comes back for it.
    st.addLine({{"consume_bh", "F7"}, {"consume_guest_bh", "DRINKS"}, {"consume_meal_type", "S9"}});
    st.addLine({{"consume_bh", "F8"}, {"consume_guest_bh", "DRINKS"}, {"consume_tcsign", "TC"}});

    RandomRestaurant restaurant(st, seed);
    QRandomGenerator rng(seed * 7919);
    QStringList bills;
    for (int b = 0; b < 40; ++b) {
        const QString bill = QStringLiteral("ZD%1").arg(b, 4, 10, QLatin1Char('0'));
        bills << bill;
        for (int k = rng.bounded(25); k > 0; --k) {
            restaurant.addLine(bill);
        }
    }
    st.dm().ADOConn.database().commit();

    // A page: most of the bills in a random order (the others' lines must not leak in), the
    // fixed ones, one twice, one with no line at all and one no line refers to.
    QStringList page;
    for (const QString& bill : bills) {
        if (rng.bounded(5) != 0) {
            page.insert(rng.bounded(static_cast<int>(page.size()) + 1), bill);
        }
    }
    page << "ALLOUT"
         << "ONTIME"
         << "LATE"
         << "DRINKS" << page.first() << "ZD0000x" << QString("");
    const QVector<TileFigures> grouped = ReadPageFigures(st.dm().ADO_Public, page);
    QCOMPARE(grouped.size(), page.size());
    QSet<int> states;
    int overdue = 0;
    for (int i = 0; i < page.size(); ++i) {
        const TileFigures expected = PerTile(st, page.at(i));
        QVERIFY2(Same(grouped.at(i), expected),
                 qPrintable(QStringLiteral("%1: grouped %2, per tile %3")
                                .arg(page.at(i), Describe(grouped.at(i)), Describe(expected))));
        states.insert(expected.state());
        overdue += expected.overdue;
    }
    // The fixture is not degenerate: every picture and overdue lines are on the page.
    QCOMPARE(states, QSet<int>({0, 1, 2, 3}));
    QVERIFY(overdue > 0);
}

void PageFiguresTest::statementsPerPage_data() {
    QTest::addColumn<int>("bills");
    QTest::addColumn<int>("statements");
    QTest::addColumn<int>("lastMarkers");
    QTest::newRow("no tile") << 0 << 0 << 0;
    QTest::newRow("one tile") << 1 << 1 << 1;
    QTest::newRow("a full page of 20") << 20 << 1 << 32;
    QTest::newRow("exactly one statement's worth") << kBillsPerStatement << 1 << kBillsPerStatement;
    QTest::newRow("more than two statements take") << 2 * kBillsPerStatement + 76 << 3 << 128;
}

void PageFiguresTest::statementsPerPage() {
    QFETCH(int, bills);
    QFETCH(int, statements);
    QFETCH(int, lastMarkers);
    TestStation st;
    st.dm().ADOConn.database().transaction();
    QStringList page;
    for (int b = 0; b < bills; ++b) {
        page << QStringLiteral("B%1").arg(b);
        // Bill b: one line of b + 1 dishes, overdue.
        st.addLine({{"consume_bh", QStringLiteral("L%1").arg(b)},
                    {"consume_guest_bh", page.last()},
                    {"consume_num", b + 1}});
    }
    st.dm().ADOConn.database().commit();
    st.exec("insert into Meal (meal_bh, Meal_time) values ('M1', 5)");
    // Every bill twice: a tile's table may be listed twice; it costs no statement.
    const QStringList twice = page + page;
    QueryObject& scratch = st.dm().ADO_Public;
    const quint64 before = scratch.runCount();
    const QVector<TileFigures> figures = ReadPageFigures(scratch, twice);
    QCOMPARE(static_cast<int>(scratch.runCount() - before), statements);
    if (statements > 0) {
        QCOMPARE(scratch.markerCount(), lastMarkers);
    }
    QCOMPARE(figures.size(), twice.size());
    for (int i = 0; i < twice.size(); ++i) {
        QCOMPARE(figures.at(i).ordered, double(i % std::max(1, bills) + 1));
        QCOMPARE(figures.at(i).overdue, 1);
    }
}

void PageFiguresTest::rowsFindTheirBills_data() {
    QTest::addColumn<QString>("bill");
    QTest::addColumn<bool>("folds");
    QTest::addColumn<double>("ordered");  // which row it got; 0: none
    QTest::newRow("exact") << "ZD1" << false << 1.0;
    QTest::newRow("exact, folding server") << "ZD1" << true << 1.0;
    QTest::newRow("row from a char column") << "ZD2" << true << 2.0;
    QTest::newRow("bill from a char column") << "ZD1   " << true << 1.0;
    QTest::newRow("letter case") << "ZD3" << true << 3.0;
    QTest::newRow("exact text wins over a folded one") << "ab" << true << 5.0;
    QTest::newRow("two rows fold alike: neither") << "Ab" << true << 0.0;
    QTest::newRow("one bill's row from two statements") << "ZD6 " << true << 6.0;
    QTest::newRow("no blank folding on the embedded engine") << "ZD2" << false << 0.0;
    QTest::newRow("no case folding on the embedded engine") << "ZD3" << false << 0.0;
    QTest::newRow("no row") << "ZD9" << true << 0.0;
}

void PageFiguresTest::rowsFindTheirBills() {
    QFETCH(QString, bill);
    QFETCH(bool, folds);
    QFETCH(double, ordered);
    QVector<BillFigures> rows;
    const std::pair<const char*, double> keys[] = {{"ZD1", 1}, {"ZD2  ", 2}, {"zd3", 3}, {"AB", 4},
                                                   {"ab", 5},  {"ZD6", 6},   {"ZD6", 6}};
    for (const auto& [key, ordered] : keys) {
        BillFigures row{QString::fromLatin1(key), {}};
        row.figures.ordered = ordered;
        row.figures.overdue = 1;
        rows << row;
    }
    const QVector<TileFigures> got = AssignBillRows({bill}, rows, folds);
    QCOMPARE(got.size(), 1);
    QCOMPARE(got.first().ordered, ordered);
    QCOMPARE(got.first().overdue, ordered > 0 ? 1 : 0);
}

void PageFiguresTest::failedStatementThrows() {
    TestStation st;
    st.exec("alter table Consume rename to Consume_gone");
    QVERIFY(ReadPageFigures(st.dm().ADO_Public, {}).isEmpty());
    QVERIFY_THROWS_EXCEPTION(DbError, ReadPageFigures(st.dm().ADO_Public, {"G1"}));
}

QTEST_GUILESS_MAIN(PageFiguresTest)
#include "PageFiguresTest.moc"
