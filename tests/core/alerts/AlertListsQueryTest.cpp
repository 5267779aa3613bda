#include <QtTest>

#include "TestStation.h"
#include "core/alerts/AlertRules.h"
#include "core/alerts/AlertStatements.h"
#include "core/db/Dialect.h"

Q_DECLARE_METATYPE(DishListFilter)

namespace {

// Server clock 2026-07-15 18:30:00 (TestStation). Dish M10 may wait 10 minutes, MN has no
// allowed minutes, MX no catalogue row.
void AddReferences(TestStation& st) {
    st.exec(
        QStringLiteral("insert into room values ('R1','A01','T1','A1','0'),"
                       "('R2','B02','T1','A1','0')"));
    st.exec(
        QStringLiteral("insert into SmallType values ('S1','凉菜','B1','N',1),"
                       "('S2','热菜','B1','N',2),('SX','酒水','B1','Y',9)"));
    st.exec(
        QStringLiteral("insert into Meal (meal_bh, meal_name, Meal_time) values "
                       "('M10','宫保鸡丁',10),('M20','清蒸鲈鱼',20),('MN','米饭',null)"));
    st.exec(QStringLiteral("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')"));
    st.exec(QStringLiteral("insert into SaleSit values ('P1','一楼'),('P2','二楼')"));
    st.exec(QStringLiteral("insert into Employee values ('E1','王师傅')"));
}

void AddLine(TestStation& st, const QString& bh, QVariantMap more) {
    more.insert(QStringLiteral("consume_bh"), bh);
    const auto fallback = [&](const char* key, const QVariant& v) {
        if (!more.contains(QLatin1String(key))) {
            more.insert(QString::fromLatin1(key), v);
        }
    };
    fallback("consume_meal_id", QStringLiteral("M10"));
    fallback("consume_meal_type", QStringLiteral("S2"));
    fallback("consume_CPdep", QStringLiteral("K1"));
    fallback("consume_sit", QStringLiteral("P1"));
    fallback("consume_begintime", QStringLiteral("2026-07-15 18:00:00"));
    st.addLine(more);
}

QStringList Keys(QueryObject& q, const char* column = "consume_bh") {
    QStringList out;
    for (int r = 0; r < q.rowCount(); ++r) {
        out << FieldText(q.valueAt(r, q.columnIndex(QString::fromLatin1(column))));
    }
    return out;
}

DishListFilter Scope(int item, const QString& search = {}) {
    DishListFilter f;
    f.scopeItem = item;
    f.searchText = search;
    return f;
}

}  // namespace

class AlertListsQueryTest : public QObject {
    Q_OBJECT

private slots:
    void overdueLine_data();
    void overdueLine();
    void overdueByMinuteBoundaries();
    void overdueListFiltersAndOrder();
    void overdueRowFields();
    void hurryReturnLine_data();
    void hurryReturnLine();
    void hurryReturnFiltersAndOrder();
    void servedListIsTheLastThirty();
    void servedListMembership();
    void failureIsReported();
};

// One line at a time, through both overdue statements: they must agree.
void AlertListsQueryTest::overdueLine_data() {
    QTest::addColumn<QVariantMap>("line");
    QTest::addColumn<bool>("overdue");
    const QString logo = QStringLiteral("consume_Chupinlogo");
    const QString begin = QStringLiteral("consume_begintime");
    QTest::newRow("waited 30 of 10") << QVariantMap{} << true;
    QTest::newRow("waited exactly the allowed minutes")
        << QVariantMap{{begin, "2026-07-15 18:20:00"}} << false;
    QTest::newRow("one boundary more") << QVariantMap{{begin, "2026-07-15 18:19:59"}} << true;
    QTest::newRow("untouched") << QVariantMap{{logo, ""}} << true;
    QTest::newRow("started") << QVariantMap{{logo, "0"}} << true;
    QTest::newRow("urgent") << QVariantMap{{logo, "1"}} << true;
    QTest::newRow("cannot make") << QVariantMap{{logo, "2"}} << false;
    QTest::newRow("made") << QVariantMap{{logo, "3"}} << false;
    QTest::newRow("served") << QVariantMap{{logo, "4"}} << false;
    QTest::newRow("no allowed minutes") << QVariantMap{{"consume_meal_id", "MN"}} << false;
    QTest::newRow("no catalogue row") << QVariantMap{{"consume_meal_id", "MX"}} << false;
    QTest::newRow("ordered 2, returned 1: one still to make")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 1}, {"consume_return", "Y"}}
        << true;
    QTest::newRow("ordered 2, returned 2")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 2}, {"consume_return", "Y"}}
        << false;
    QTest::newRow("returned flag without a returned quantity")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 0}, {"consume_return", "Y"}}
        << false;
    QTest::newRow("return record")
        << QVariantMap{{"consume_num", -1}, {"consume_return", "Y"}, {"consume_state", "已退"}}
        << false;
    QTest::newRow("excluded category") << QVariantMap{{"consume_meal_type", "SX"}} << false;
    QTest::newRow("package line") << QVariantMap{{"consume_tcsign", "TC"}} << false;
    QTest::newRow("package mark empty") << QVariantMap{{"consume_tcsign", ""}} << true;
    QTest::newRow("package mark null") << QVariantMap{{"consume_tcsign", QVariant()}} << true;
    QTest::newRow("settled bill") << QVariantMap{{"consume_state", "已结"}} << false;
    QTest::newRow("hurried") << QVariantMap{{"consume_cccs", 2}} << true;
}

void AlertListsQueryTest::overdueLine() {
    QFETCH(QVariantMap, line);
    QFETCH(bool, overdue);
    TestStation st;
    AddReferences(st);
    AddLine(st, QStringLiteral("L1"), line);
    const Dialect& d = SqliteDialect();
    QueryObject& reminder = st.dm().ADO_cstx;
    QueryObject& list = st.dm().ADO_cstx1;
    QVERIFY(OpenOverdueReminder(reminder, d));
    QVERIFY(OpenOverdueList(list, d, Scope(0), QString()));
    QCOMPARE(reminder.rowCount(), overdue ? 1 : 0);
    QCOMPARE(Keys(list), overdue ? QStringList{"L1"} : QStringList{});
}

// Minutes count the minute boundaries crossed, as SQL Server's DATEDIFF does.
void AlertListsQueryTest::overdueByMinuteBoundaries() {
    TestStation st(QDateTime(QDate(2026, 7, 15), QTime(18, 30, 59, 999)));
    AddReferences(st);
    AddLine(st, QStringLiteral("L1"), {{"consume_begintime", "2026-07-15 18:20:30"}});
    QueryObject& q = st.dm().ADO_cstx;
    QVERIFY(OpenOverdueReminder(q, SqliteDialect()));
    QCOMPARE(q.rowCount(), 0);  // 10 boundaries, 10.5 minutes
    st.serverClock.set(QDateTime(QDate(2026, 7, 15), QTime(18, 31, 0)));
    QVERIFY(OpenOverdueReminder(q, SqliteDialect()));
    QCOMPARE(q.rowCount(), 1);  // 11 boundaries, 10.5 minutes
    QCOMPARE(q.asInt(QStringLiteral("sc_time")), 11);
}

void AlertListsQueryTest::overdueListFiltersAndOrder() {
    TestStation st;
    AddReferences(st);
    // Waits: a 30, b 25, c 25, d 25 (R1 serving order 1), e 40 at B02.
    AddLine(st, "a", {{"consume_table", "R1"}, {"consume_begintime", "2026-07-15 18:00:00"}});
    AddLine(st, "c", {{"consume_table", "R2"}, {"consume_begintime", "2026-07-15 18:05:00"}});
    AddLine(st, "b",
            {{"consume_table", "R1"},
             {"consume_begintime", "2026-07-15 18:05:00"},
             {"consume_meal_name", "清蒸鲈鱼"}});
    AddLine(st, "d",
            {{"consume_table", "R1"},
             {"consume_begintime", "2026-07-15 18:05:00"},
             {"consume_meal_type", "S1"},
             {"consume_Chupinstate", "加急制作"},
             {"consume_Chupinlogo", "1"}});
    AddLine(st, "e",
            {{"consume_table", "R2"},
             {"consume_begintime", "2026-07-15 17:50:00"},
             {"consume_meal_id", "M20"}});
    const Dialect& d = SqliteDialect();
    QueryObject& list = st.dm().ADO_cstx1;
    const auto listed = [&](const DishListFilter& f, const QString& table) {
        return OpenOverdueList(list, d, f, table) ? Keys(list) : QStringList{"<error>"};
    };
    // Shortest wait first, then table name, then serving order.
    QCOMPARE(listed(Scope(0), "R2"), QStringList({"d", "b", "c", "a", "e"}));
    QCOMPARE(listed(Scope(1), "R2"), QStringList({"c", "e"}));
    QCOMPARE(listed(Scope(1), ""), QStringList());
    QCOMPARE(listed(Scope(0, "鲈"), ""), QStringList({"b"}));    // dish name
    QCOMPARE(listed(Scope(0, "M20"), ""), QStringList({"e"}));   // dish code
    QCOMPARE(listed(Scope(0, "加急"), ""), QStringList({"d"}));  // state text
    QCOMPARE(listed(Scope(0, " 鲈"), ""), QStringList());        // the blank is kept
    QCOMPARE(listed(Scope(0, "   "), ""), QStringList({"d", "b", "c", "a", "e"}));
    QCOMPARE(listed(Scope(1, "M10"), "R1"), QStringList({"d", "b", "a"}));
    // The reminder ignores table and search; its rows come in the same order.
    QVERIFY(OpenOverdueReminder(st.dm().ADO_cstx, d));
    QCOMPARE(Keys(st.dm().ADO_cstx, "room_name"), QStringList({"A01", "A01", "B02", "A01", "B02"}));
    QCOMPARE(Keys(st.dm().ADO_cstx, "sc_time"), QStringList({"25", "25", "25", "30", "40"}));
}

void AlertListsQueryTest::overdueRowFields() {
    TestStation st;
    AddReferences(st);
    AddLine(st, "L1",
            {{"consume_begintime", "2026-07-15 18:05:59"},
             {"consume_num", 3},
             {"consume_returnNum", 1},
             {"consume_return", "Y"},
             {"consume_chef", "E1"},
             {"consume_CPdep", "K2"},
             {"consume_sit", "P2"},
             {"consume_Chupinstate", "开始制作"},
             {"consume_Chupinlogo", "0"}});
    QueryObject& q = st.dm().ADO_cstx1;
    QVERIFY(OpenOverdueList(q, SqliteDialect(), Scope(0), QString()));
    QCOMPARE(q.rowCount(), 1);
    QCOMPARE(q.asString("consume_bh"), QStringLiteral("L1"));
    QCOMPARE(q.asString("consume_begintime"), QStringLiteral("07-15 18:05:59"));
    QCOMPARE(q.asInt("sc_time"), 25);
    QCOMPARE(q.asDouble("consume_num"), 2.0);  // after returns
    QCOMPARE(q.asString("room_name"), QStringLiteral("A01"));
    QCOMPARE(q.asString("kitchen_name"), QStringLiteral("凉菜间"));
    QCOMPARE(q.asString("sit_name"), QStringLiteral("二楼"));
    QCOMPARE(q.asString("employee_name"), QStringLiteral("王师傅"));
    QCOMPARE(q.asInt("Smalltype_scsx"), 2);
    QCOMPARE(q.asInt("Meal_time"), 10);
    QCOMPARE(q.columnNames().size(), 21);
    QVERIFY(OpenOverdueReminder(st.dm().ADO_cstx, SqliteDialect()));
    QCOMPARE(st.dm().ADO_cstx.columnNames().size(), 20);  // no line number
}

void AlertListsQueryTest::hurryReturnLine_data() {
    QTest::addColumn<QVariantMap>("line");
    QTest::addColumn<QString>("label");  // empty: not listed
    const QString logo = QStringLiteral("consume_Chupinlogo");
    QTest::newRow("hurried three times")
        << QVariantMap{{"consume_cccs", 3}, {"consume_state", "叫起"}} << "催菜(3)";
    QTest::newRow("start at once") << QVariantMap{} << "即起";
    QTest::newRow("start when called") << QVariantMap{{"consume_state", "叫起"}} << "叫起";
    QTest::newRow("made, not yet served")
        << QVariantMap{{logo, "3"}, {"consume_cccs", 1}} << "催菜(1)";
    QTest::newRow("served") << QVariantMap{{logo, "4"}, {"consume_cccs", 2}} << "";
    QTest::newRow("cannot make") << QVariantMap{{logo, "2"}} << "";
    QTest::newRow("return record, whatever its state") << QVariantMap{{"consume_num", -1},
                                                                      {"consume_return", "Y"},
                                                                      {"consume_state", "已退"},
                                                                      {logo, "4"}}
                                                       << "已退";
    QTest::newRow("returned in part")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 1}, {"consume_return", "Y"}} << "";
    QTest::newRow("settled, hurried")
        << QVariantMap{{"consume_state", "已结"}, {"consume_cccs", 2}} << "";
    QTest::newRow("settled return record")
        << QVariantMap{{"consume_num", -1}, {"consume_return", "Y"}, {"consume_state", "已结"}}
        << "";
    QTest::newRow("excluded category") << QVariantMap{{"consume_meal_type", "SX"}} << "";
    QTest::newRow("package line") << QVariantMap{{"consume_tcsign", "TC"}} << "";
    QTest::newRow("no catalogue row is still listed")
        << QVariantMap{{"consume_meal_id", "MX"}} << "即起";
}

void AlertListsQueryTest::hurryReturnLine() {
    QFETCH(QVariantMap, line);
    QFETCH(QString, label);
    TestStation st;
    AddReferences(st);
    AddLine(st, QStringLiteral("L1"), line);
    QueryObject& q = st.dm().ADO_cctc;
    QVERIFY(OpenHurryReturnList(q, SqliteDialect(), Scope(0), QString()));
    QCOMPARE(Keys(q, "cctc"), label.isEmpty() ? QStringList{} : QStringList{label});
    if (!label.isEmpty()) {
        // The database's label is the rule's.
        QCOMPARE(HurryReturnLabel(line.value("consume_cccs").toInt(),
                                  line.value("consume_state", QStringLiteral("即起")).toString()),
                 label);
    }
}

void AlertListsQueryTest::hurryReturnFiltersAndOrder() {
    TestStation st;
    AddReferences(st);
    AddLine(st, "a", {{"consume_table", "R2"}, {"consume_cccs", 2}, {"consume_CPdep", "K2"}});
    AddLine(st, "b", {{"consume_table", "R1"}, {"consume_sit", "P2"}});
    AddLine(st, "c", {{"consume_table", "R1"}, {"consume_cccs", 2}, {"consume_meal_type", "S1"}});
    AddLine(st, "d", {{"consume_table", "R1"}, {"consume_state", "叫起"}, {"consume_cccs", 10}});
    AddLine(st, "e",
            {{"consume_table", "R2"},
             {"consume_num", -1},
             {"consume_return", "Y"},
             {"consume_state", "已退"},
             {"consume_meal_name", "清蒸鲈鱼"}});
    const Dialect& d = SqliteDialect();
    QueryObject& q = st.dm().ADO_cctc;
    const auto listed = [&](const DishListFilter& f, const QString& table) {
        return OpenHurryReturnList(q, d, f, table) ? Keys(q) : QStringList{"<error>"};
    };
    // By label text, then table name, then serving order: "催菜(10)" < "催菜(2)" as texts.
    QCOMPARE(listed(Scope(0), ""), QStringList({"d", "c", "a", "b", "e"}));
    DishListFilter f = Scope(0);
    f.departmentCode = QStringLiteral("K2");
    QCOMPARE(listed(f, ""), QStringList({"a"}));
    f = Scope(0);
    f.stationCode = QStringLiteral("P2");
    QCOMPARE(listed(f, ""), QStringList({"b"}));
    QCOMPARE(listed(Scope(1), "R2"), QStringList({"a", "e"}));
    QCOMPARE(listed(Scope(0), "R2"), QStringList({"d", "c", "a", "b", "e"}));  // all tables
    QCOMPARE(listed(Scope(0, "鲈"), ""), QStringList({"e"}));
    QCOMPARE(listed(Scope(0, " "), "").size(), 5);
}

void AlertListsQueryTest::servedListIsTheLastThirty() {
    TestStation st;  // 18:30:00
    AddReferences(st);
    // 35 served lines, one a minute from 17:55 on; line s34 at 18:29 was served last.
    for (int i = 0; i < 35; ++i) {
        const QTime done = QTime(17, 55).addSecs(60 * i);
        AddLine(st, QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')),
                {{"consume_Chupinlogo", "4"},
                 {"consume_table", i % 2 ? "R1" : "R2"},
                 {"consume_state", i % 3 ? "即起" : "已结"},
                 {"consume_donetime", "2026-07-15 " + done.toString("HH:mm:ss")}});
    }
    // Served long ago; its short time text sorts after all of today's.
    AddLine(st, "x-old",
            {{"consume_Chupinlogo", "4"}, {"consume_donetime", "2025-12-31 23:59:00"}});
    QueryObject& q = st.dm().ADOQ_finished;
    QVERIFY(OpenServedList(q, SqliteDialect(), QString()));
    QCOMPARE(q.rowCount(), 30);
    QCOMPARE(q.asString("consume_bh"), QStringLiteral("s34"));
    QCOMPARE(q.asInt("sc_time"), 1);
    QCOMPARE(q.asString("consume_donetime"), QStringLiteral("07-15 18:29:00"));
    q.last();
    QCOMPARE(q.asString("consume_bh"), QStringLiteral("s05"));
    QCOMPARE(q.asInt("sc_time"), 30);
    QCOMPARE(Keys(q, "sc_time").first(), QStringLiteral("1"));
    QVERIFY(OpenServedList(q, SqliteDialect(), QStringLiteral("s0")));
    QCOMPARE(q.rowCount(), 0);  // the line number is not searched
}

void AlertListsQueryTest::servedListMembership() {
    TestStation st;
    AddReferences(st);
    const QString done = QStringLiteral("2026-07-15 18:20:00");
    auto served = [&](const QString& bh, QVariantMap more) {
        more.insert("consume_Chupinlogo", "4");
        more.insert("consume_donetime", done);
        AddLine(st, bh, more);
    };
    served("a", {{"consume_meal_name", "清蒸鲈鱼"}});
    served("b", {{"consume_num", 2}, {"consume_returnNum", 1}, {"consume_return", "Y"}});
    served("x-whole", {{"consume_num", 2}, {"consume_returnNum", 2}, {"consume_return", "Y"}});
    served("x-record", {{"consume_num", -1}, {"consume_return", "Y"}});
    served("x-excluded", {{"consume_meal_type", "SX"}});
    served("x-package", {{"consume_tcsign", "TC"}});
    AddLine(st, "x-made", {{"consume_Chupinlogo", "3"}});
    QueryObject& q = st.dm().ADOQ_finished;
    QVERIFY(OpenServedList(q, SqliteDialect(), QString()));
    QStringList keys = Keys(q);
    keys.sort();
    QCOMPARE(keys, QStringList({"a", "b"}));
    QVERIFY(q.locatePrefix("consume_bh", "b"));
    QCOMPARE(q.asDouble("consume_num"), 1.0);
    QCOMPARE(q.asInt("sc_time"), 10);
    QVERIFY(OpenServedList(q, SqliteDialect(), QStringLiteral("鲈")));
    QCOMPARE(Keys(q), QStringList({"a"}));
}

void AlertListsQueryTest::failureIsReported() {
    TestStation st;
    AddReferences(st);
    AddLine(st, "L1", {});
    QueryObject& q = st.dm().ADO_cstx1;
    QVERIFY(OpenOverdueList(q, SqliteDialect(), Scope(0), QString()));
    QCOMPARE(q.rowCount(), 1);
    st.exec(QStringLiteral("alter table Kitchen rename to Kitchen_gone"));
    const ListRead read = OpenOverdueList(q, SqliteDialect(), Scope(0), QString());
    QVERIFY(!read);
    QVERIFY2(read.error.contains(QLatin1String("Kitchen")), qPrintable(read.error));
    QCOMPARE(read.failure, DbFailure::Statement);
    QVERIFY(!q.isOpen());  // no old rows pass for the new ones
    QVERIFY(!OpenOverdueReminder(st.dm().ADO_cstx, SqliteDialect()).error.isEmpty());
    QVERIFY(!OpenHurryReturnList(st.dm().ADO_cctc, SqliteDialect(), Scope(0), {}).ok);
    QVERIFY(!OpenServedList(st.dm().ADOQ_finished, SqliteDialect(), {}).ok);
    // The kind of trouble comes with it, for what the station does next.
    st.exec(QStringLiteral("alter table Kitchen_gone rename to Kitchen"));
    st.dm().ADOConn.setFault(DbFailure::Busy);
    QCOMPARE(OpenOverdueList(q, SqliteDialect(), Scope(0), QString()).failure, DbFailure::Busy);
    st.dm().ADOConn.setFault(std::nullopt);
    QVERIFY(OpenOverdueList(q, SqliteDialect(), Scope(0), QString()));
}

QTEST_GUILESS_MAIN(AlertListsQueryTest)
#include "AlertListsQueryTest.moc"
