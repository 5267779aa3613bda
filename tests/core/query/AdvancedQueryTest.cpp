#include <QtTest>

#include "TestStation.h"
#include "core/db/Dialect.h"
#include "core/db/QueryObject.h"
#include "core/db/SqlHelpers.h"
#include "core/db/StatementCatalogue.h"
#include "core/query/AdvancedQuery.h"
#include "core/query/TimePresets.h"

Q_DECLARE_METATYPE(AdvancedQueryFilter)
Q_DECLARE_METATYPE(TimePreset)
Q_DECLARE_METATYPE(TimeRange)

namespace {

const QString kDishHead = QStringLiteral(
    "select room_name, sit_name, consume_bh, consume_table, consume_guest_bh,consume_meal_id,  "
    "consume_num, consume_begintime, consume_Chupinstate,"
    "consume_chef, consume_CPdep, consume_state, consume_Taste, consume_sit, "
    "kitchen_name,employee_name,consume_Chupinlogo,consume_meal_name,Consume_return from "
    "((((select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id, "
    "consume_num, consume_begintime, consume_Chupinstate,"
    "consume_chef, consume_CPdep, consume_state, consume_Taste, "
    "consume_sit,consume_Chupinlogo,consume_meal_name,Consume_return "
    " from Consume left join SaleSit on consume_sit = sit_id) as t "
    "left join Kitchen on consume_CPdep = kitchen_bh) left join room on room_id = consume_table)"
    "left join Employee on consume_chef = employee_id)"
    " where Consume_num > 0 and Consume_return <> :a8 and Consume_state <> :a9");
const QString kDishTail = QStringLiteral(" order by consume_bh");

const QString kHurryHead = QStringLiteral(
    "select (case when consume_cccs>0 then '催菜('+cast(consume_cccs as varchar(50))+')' else "
    "consume_state end)as cctc,consume_bh, room_name, sit_name, consume_meal_id, consume_num, "
    "right(CONVERT(varchar(100), consume_begintime, 20),14) as consume_begintime, "
    "consume_Chupinstate,consume_state,consume_Taste,"
    "consume_sit, kitchen_name, employee_name, consume_Chupinlogo, consume_meal_name, "
    "Meal_time, DATEDIFF(mi, consume_begintime, getdate()) as sc_time,Consume_return"
    " from "
    "(select * from (select * from (select * from (select * from "
    "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
    "consume_num, consume_begintime,consume_cccs,Consume_return,"
    " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
    "consume_sit, consume_Chupinlogo,consume_meal_name"
    " from Consume left join SaleSit on consume_sit = sit_id"
    ") as t left join Kitchen on consume_CPdep = kitchen_bh"
    ") as tt left join room on room_id = consume_table"
    ") as ttt left join Employee on consume_chef = employee_id"
    ") as tttt left join Meal on meal_bh = consume_meal_id"
    ") as ttttt"
    " where (Consume_state <> :a1) and ((Consume_num > 0 and consume_return<>:a2 "
    " and consume_Chupinlogo <>:a3 "
    " and consume_Chupinlogo <>:a4) "
    " or (consume_return=:a5 and Consume_num<0)) ");
const QString kHurryTail = QStringLiteral(" order by cctc,room_name");

struct F {
    AdvancedQueryFilter f;
    F& state(int item) {
        f.stateItem = item;
        return *this;
    }
    F& department(const QString& c) {
        f.departmentCode = c;
        return *this;
    }
    F& station(const QString& c) {
        f.stationCode = c;
        return *this;
    }
    F& table(const QString& id) {
        f.currentTableOnly = true;
        f.tableId = id;
        return *this;
    }
    F& texts(const QString& name, const QString& number, const QString& request) {
        f.dishName = name;
        f.dishNumber = number;
        f.request = request;
        return *this;
    }
    F& time(const QString& from, const QString& to) {
        f.timeRange = {from, to};
        return *this;
    }
    operator AdvancedQueryFilter() const { return f; }
};

}  // namespace

class AdvancedQueryTest : public QObject {
    Q_OBJECT

private slots:
    void dishListText_data();
    void dishListText();
    void hurryListText_data();
    void hurryListText();
    void catalogueHasBoth();
    void presets_data();
    void presets();
    void boundText();
    void listedLines_data();
    void listedLines();
    void hurryListRows();

private:
    void addFixture(TestStation& st);
};

void AdvancedQueryTest::dishListText_data() {
    QTest::addColumn<AdvancedQueryFilter>("filter");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    const QString y = QStringLiteral("Y");
    const QString settled = QStringLiteral("已结");
    QTest::newRow("nothing ticked") << AdvancedQueryFilter(F()) << "" << QStringList{y, settled};
    QTest::newRow("served") << AdvancedQueryFilter(F().state(1)) << " and consume_Chupinlogo =:a1 "
                            << QStringList{y, settled, "4"};
    QTest::newRow("not served") << AdvancedQueryFilter(F().state(2))
                                << " and consume_Chupinlogo <>:a1 " << QStringList{y, settled, "4"};
    QTest::newRow("cannot make") << AdvancedQueryFilter(F().state(3))
                                 << " and consume_Chupinlogo =:a1 " << QStringList{y, settled, "2"};
    QTest::newRow("untouched: the empty text")
        << AdvancedQueryFilter(F().state(4)) << " and consume_Chupinlogo =:a1"
        << QStringList{y, settled, ""};
    QTest::newRow("state out of range")
        << AdvancedQueryFilter(F().state(9)) << "" << QStringList{y, settled};
    QTest::newRow("department") << AdvancedQueryFilter(F().department("K2"))
                                << " and consume_CPdep =:a2" << QStringList{y, settled, "K2"};
    QTest::newRow("station") << AdvancedQueryFilter(F().station("P1")) << " and consume_sit =:a3"
                             << QStringList{y, settled, "P1"};
    QTest::newRow("current table") << AdvancedQueryFilter(F().table("R7"))
                                   << " and consume_table = :a4" << QStringList{y, settled, "R7"};
    QTest::newRow("name keeps its blanks")
        << AdvancedQueryFilter(F().texts(" 鱼 ", "", "")) << " and (consume_meal_name like :a5)"
        << QStringList{y, settled, "% 鱼 %"};
    QTest::newRow("blank texts add nothing")
        << AdvancedQueryFilter(F().texts("  ", " ", "")) << "" << QStringList{y, settled};
    QTest::newRow("number and request")
        << AdvancedQueryFilter(F().texts("", "M1", "少辣"))
        << " and (consume_meal_id like :a6) and (consume_taste like :a7)"
        << QStringList{y, settled, "%M1%", "%少辣%"};
    QTest::newRow("time range") << AdvancedQueryFilter(
                                       F().time("2026-07-15 00:00:00", "2026-07-15 18:30:00"))
                                << " and (consume_begintime between :a8 and :a9)"
                                << QStringList{y, settled, "2026-07-15 00:00:00",
                                               "2026-07-15 18:30:00"};
    QTest::newRow("everything, values in text order")
        << AdvancedQueryFilter(F().state(2)
                                   .department("K1")
                                   .station("P2")
                                   .table("R1")
                                   .texts("a'b", "%", "x")
                                   .time("2000-01-01 00:00:00", "2026-07-15 18:30:00"))
        << " and consume_Chupinlogo <>:a1  and consume_CPdep =:a2 and consume_sit =:a3 and "
           "consume_table = :a4 and (consume_meal_name like :a5) and (consume_meal_id like :a6) "
           "and (consume_taste like :a7) and (consume_begintime between :a8 and :a9)"
        << QStringList{y,
                       settled,
                       "4",
                       "K1",
                       "P2",
                       "R1",
                       "%a'b%",
                       "%%%",
                       "%x%",
                       "2000-01-01 00:00:00",
                       "2026-07-15 18:30:00"};
}

void AdvancedQueryTest::dishListText() {
    QFETCH(AdvancedQueryFilter, filter);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildAdvancedDishListStatement(SqlServerDialect(), filter);
    QCOMPARE(s.text, kDishHead + middle + kDishTail);
    QCOMPARE(s.values, values);
}

void AdvancedQueryTest::hurryListText_data() {
    QTest::addColumn<AdvancedQueryFilter>("filter");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    const QStringList fixed{"已结", "Y", "4", "2", "Y"};
    QTest::newRow("nothing ticked") << AdvancedQueryFilter(F()) << "" << fixed;
    QTest::newRow("untouched") << AdvancedQueryFilter(F().state(4))
                               << " and consume_Chupinlogo =:a6" << fixed + QStringList{""};
    QTest::newRow("everything")
        << AdvancedQueryFilter(F().state(3)
                                   .department("K1")
                                   .station("P2")
                                   .table("R1")
                                   .texts("鱼", "M", " 辣")
                                   .time("2026-07-14 00:00:00", "2026-07-14 23:59:59"))
        << " and consume_Chupinlogo =:a6  and consume_CPdep =:a7 and consume_sit =:a8 and "
           "consume_table = :a9 and (consume_meal_name like :a10) and (consume_meal_id like "
           ":a11) and (consume_taste like :a12) and (consume_begintime between :a13 and :a14)"
        << fixed + QStringList{"2",
                               "K1",
                               "P2",
                               "R1",
                               "%鱼%",
                               "%M%",
                               "% 辣%",
                               "2026-07-14 00:00:00",
                               "2026-07-14 23:59:59"};
}

void AdvancedQueryTest::hurryListText() {
    QFETCH(AdvancedQueryFilter, filter);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildAdvancedHurryListStatement(SqlServerDialect(), filter);
    QCOMPARE(s.text, kHurryHead + middle + kHurryTail);
    QCOMPARE(s.values, values);
}

void AdvancedQueryTest::catalogueHasBoth() {
    const StatementCatalogue c = BuildStatementCatalogue();
    const CatalogueStatement* dish = c.find(QStringLiteral("AdvancedDishList"));
    const CatalogueStatement* hurry = c.find(QStringLiteral("AdvancedHurryReturnList"));
    QVERIFY(dish && hurry);
    QCOMPARE(dish->build(SqlServerDialect(), {}), kDishHead + kDishTail);
    QCOMPARE(hurry->build(SqlServerDialect(), {}), kHurryHead + kHurryTail);
    QCOMPARE(dish->optionalParts.size(), 8);
}

void AdvancedQueryTest::presets_data() {
    QTest::addColumn<TimePreset>("preset");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<TimeRange>("range");
    const QDate today(2026, 7, 15);
    const QDate yesterday(2026, 7, 14);
    const QDateTime evening(today, QTime(18, 30, 15, 900));
    const QTime now(18, 30, 15);
    const auto row = [](const char* name, TimePreset p, const QDateTime& at, const TimeRange& r) {
        QTest::newRow(name) << p << at << r;
    };
    row("15 minutes", TimePreset::Last15Minutes, evening, {today, QTime(18, 15, 15), today, now});
    row("half hour", TimePreset::LastHalfHour, evening, {today, QTime(18, 0, 15), today, now});
    row("one hour", TimePreset::LastHour, evening, {today, QTime(17, 30, 15), today, now});
    row("two hours", TimePreset::LastTwoHours, evening, {today, QTime(16, 30, 15), today, now});
    row("today", TimePreset::Today, evening, {today, QTime(0, 0), today, now});
    row("yesterday", TimePreset::Yesterday, evening,
        {yesterday, QTime(0, 0), yesterday, QTime(23, 59, 59)});
    row("all time", TimePreset::AllTime, evening, {QDate(2000, 1, 1), QTime(0, 0), today, now});
    // Shortly after midnight the recent presets start at today's midnight, never late on a
    // day that then lies after the end.
    const QDateTime justAfter(today, QTime(0, 5, 30));
    row("15 minutes after midnight", TimePreset::Last15Minutes, justAfter,
        {today, QTime(0, 0), today, QTime(0, 5, 30)});
    row("two hours after midnight", TimePreset::LastTwoHours, QDateTime(today, QTime(1, 59, 59)),
        {today, QTime(0, 0), today, QTime(1, 59, 59)});
    row("exactly back to midnight", TimePreset::LastHalfHour, QDateTime(today, QTime(0, 30)),
        {today, QTime(0, 0), today, QTime(0, 30)});
    row("yesterday across a month", TimePreset::Yesterday,
        QDateTime(QDate(2026, 3, 1), QTime(0, 1)),
        {QDate(2026, 2, 28), QTime(0, 0), QDate(2026, 2, 28), QTime(23, 59, 59)});
}

void AdvancedQueryTest::presets() {
    QFETCH(TimePreset, preset);
    QFETCH(QDateTime, now);
    QFETCH(TimeRange, range);
    const TimeRange r = TimePresetRange(preset, now);
    QCOMPARE(TimeBoundText(r.date1, r.time1), TimeBoundText(range.date1, range.time1));
    QCOMPARE(TimeBoundText(r.date2, r.time2), TimeBoundText(range.date2, range.time2));
}

void AdvancedQueryTest::boundText() {
    QCOMPARE(TimeBoundText(QDate(2013, 5, 2), QTime(4, 3, 9)),
             QStringLiteral("2013-05-02 04:03:09"));
}

void AdvancedQueryTest::addFixture(TestStation& st) {
    st.exec("insert into room values ('R1','A01','T1','A1','0'),('R2','B02','T1','A1','0')");
    st.exec("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')");
    st.exec("insert into SaleSit values ('P1','一楼'),('P2','二楼')");
    st.exec("insert into SmallType values ('SX','酒水','B1','Y',5)");
    st.exec(
        "insert into Meal (meal_bh,meal_name,Meal_type_id,Meal_time) values ('M1','鱼',"
        "'S1',10)");
    const auto line = [&st](const char* bh, QVariantMap more) {
        more.insert(QStringLiteral("consume_bh"), QString::fromLatin1(bh));
        if (!more.contains(QStringLiteral("consume_CPdep"))) {
            more.insert(QStringLiteral("consume_CPdep"), QStringLiteral("K1"));
        }
        if (!more.contains(QStringLiteral("consume_sit"))) {
            more.insert(QStringLiteral("consume_sit"), QStringLiteral("P1"));
        }
        st.addLine(more);
    };
    const QString logo = QStringLiteral("consume_Chupinlogo");
    const QString at = QStringLiteral("consume_begintime");
    line("01", {{logo, ""}, {at, "2026-07-15 00:00:00"}, {"consume_meal_name", "清蒸 鱼"}});
    line("02", {{logo, "4"}, {at, "2026-07-15 18:30:00"}, {"consume_CPdep", "K2"}});
    line("03", {{logo, "2"}, {at, "2026-07-14 23:59:59"}, {"consume_sit", "P2"}});
    line("04", {{logo, "0"},
                {"consume_table", "R2"},
                {"consume_taste", "少辣"},
                {"consume_meal_id", "M2"}});
    line("05",
         {{logo, "3"}, {"consume_cccs", 3}, {"consume_meal_type", "SX"}, {"consume_tcsign", "TC"}});
    line("x-settled", {{"consume_state", "已结"}});
    line("x-returned", {{"consume_return", "Y"}, {"consume_num", 2}, {"consume_returnNum", 1}});
    line("x-record", {{"consume_return", "Y"}, {"consume_num", -1}, {"consume_state", "已退"}});
    line("x-zero", {{"consume_num", 0}});
}

void AdvancedQueryTest::listedLines_data() {
    QTest::addColumn<AdvancedQueryFilter>("filter");
    QTest::addColumn<QStringList>("dishList");
    QTest::addColumn<QStringList>("hurryList");
    // Unlike the dish list, excluded categories and package lines (05) are listed.
    QTest::newRow("nothing ticked")
        << AdvancedQueryFilter(F()) << QStringList{"01", "02", "03", "04", "05"}
        << QStringList{"01", "04", "05", "x-record"};
    QTest::newRow("untouched") << AdvancedQueryFilter(F().state(4)) << QStringList{"01"}
                               << QStringList{"01", "x-record"};
    QTest::newRow("not served") << AdvancedQueryFilter(F().state(2))
                                << QStringList{"01", "03", "04", "05"}
                                << QStringList{"01", "04", "05", "x-record"};
    QTest::newRow("cannot make") << AdvancedQueryFilter(F().state(3)) << QStringList{"03"}
                                 << QStringList{};
    QTest::newRow("department") << AdvancedQueryFilter(F().department("K2")) << QStringList{"02"}
                                << QStringList{};
    QTest::newRow("station") << AdvancedQueryFilter(F().station("P2")) << QStringList{"03"}
                             << QStringList{};
    QTest::newRow("current table")
        << AdvancedQueryFilter(F().table("R2")) << QStringList{"04"} << QStringList{"04"};
    QTest::newRow("no table chosen")
        << AdvancedQueryFilter(F().table("")) << QStringList{} << QStringList{};
    QTest::newRow("name with its blank")
        << AdvancedQueryFilter(F().texts(" 鱼", "", "")) << QStringList{"01"} << QStringList{"01"};
    QTest::newRow("number and request")
        << AdvancedQueryFilter(F().texts("", "m2", "辣")) << QStringList{"04"} << QStringList{"04"};
    QTest::newRow("both ends included")
        << AdvancedQueryFilter(F().time("2026-07-15 00:00:00", "2026-07-15 18:30:00"))
        << QStringList{"01", "02", "04", "05"} << QStringList{"01", "04", "05", "x-record"};
    QTest::newRow("yesterday") << AdvancedQueryFilter(
                                      F().time("2026-07-14 00:00:00", "2026-07-14 23:59:59"))
                               << QStringList{"03"} << QStringList{};
    QTest::newRow("end before start")
        << AdvancedQueryFilter(F().time("2026-07-15 18:00:00", "2026-07-15 00:00:00"))
        << QStringList{} << QStringList{};
}

void AdvancedQueryTest::listedLines() {
    QFETCH(AdvancedQueryFilter, filter);
    QFETCH(QStringList, dishList);
    QFETCH(QStringList, hurryList);
    TestStation st;
    addFixture(st);
    const auto listed = [&st](QueryObject& q, const BoundSql& s) {
        QStringList out;
        if (!OpenSqlParams(q, s.text, s.values)) {
            return QStringList{QStringLiteral("<error>")};
        }
        for (q.first(); !q.eof(); q.next()) {
            out << q.asString(QStringLiteral("consume_bh"));
        }
        return out;
    };
    QCOMPARE(listed(st.dm().ADO_cp, BuildAdvancedDishListStatement(SqliteDialect(), filter)),
             dishList);
    QStringList hurry =
        listed(st.dm().ADO_cctc, BuildAdvancedHurryListStatement(SqliteDialect(), filter));
    hurry.sort();
    QCOMPARE(hurry, hurryList);
}

void AdvancedQueryTest::hurryListRows() {
    TestStation st;  // server clock 2026-07-15 18:30:00
    addFixture(st);
    const BoundSql s = BuildAdvancedHurryListStatement(SqliteDialect(), F());
    QueryObject& q = st.dm().ADO_cctc;
    QVERIFY(OpenSqlParams(q, s.text, s.values));
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        rows << QStringList{q.asString("cctc"), q.asString("consume_bh"),
                            q.asString("consume_begintime"), q.asString("sc_time"),
                            q.asString("Meal_time")}
                    .join(QLatin1Char('|'));
    }
    // By label, then table name; the serving order is not part of this result.
    QCOMPARE(rows,
             (QStringList{"催菜(3)|05|07-15 18:00:00|30|10", "即起|01|07-15 00:00:00|1110|10",
                          "即起|04|07-15 18:00:00|30|", "已退|x-record|07-15 18:00:00|30|10"}));
    QCOMPARE(q.columnIndex(QStringLiteral("Smalltype_scsx")), -1);
}

QTEST_GUILESS_MAIN(AdvancedQueryTest)
#include "AdvancedQueryTest.moc"
