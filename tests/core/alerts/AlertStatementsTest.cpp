#include <QtTest>

#include "core/alerts/AlertStatements.h"
#include "core/db/Dialect.h"
#include "core/db/StatementCatalogue.h"

Q_DECLARE_METATYPE(DishListFilter)

namespace {

// The texts as the station has always sent them to SQL Server, fragment by fragment, with the
// returned-line test reading the net quantity ("consume_num<>0"), the settled-bill test of
// the two overdue statements and the served list ordered by the served time.
const QString kNest =
    QStringLiteral("(select * from (select * from (select * from (select * from (select * from ");
const QString kJoins = QStringLiteral(
    " from Consume left join SaleSit on consume_sit = sit_id"
    ") as t left join Kitchen on consume_CPdep = kitchen_bh"
    ") as tt left join room on room_id = consume_table"
    ") as ttt left join Employee on consume_chef = employee_id"
    ") as tttt left join Meal on meal_bh = consume_meal_id");
const QString kOverdueTest = QStringLiteral(
    " and (Consume_state <> :a9)"
    " and DATEDIFF(mi, consume_begintime, getdate()) > Meal_time and (consume_return<>'Y' or "
    "(Consume_return='Y' and consume_num<>0 and consume_returnNum>0))");
const QString kPackage = QStringLiteral(" and (consume_tcsign<>'TC' or consume_tcsign is null)");

const QString kReminder =
    QStringLiteral(
        "select room_name, sit_name, consume_meal_id, consume_num, right(CONVERT(varchar(100), "
        "consume_begintime, 20),14) as consume_begintime, "
        "consume_Chupinstate,consume_return,consume_meal_type,consume_returnNum,"
        "consume_state, consume_Taste, consume_sit, kitchen_name, employee_name, "
        "consume_Chupinlogo, consume_meal_name, Meal_time, DATEDIFF(mi, consume_begintime, "
        "getdate()) as sc_time,Smalltype_scsx,consume_tcsign"
        " from ") +
    kNest +
    QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
        "(consume_num-consume_returnNum) as consume_num, "
        "consume_begintime,consume_return,consume_meal_type,"
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name,consume_tcsign,consume_returnNum") +
    kJoins +
    QStringLiteral(
        ") as ttttt left join SmallType on smalltype_id=consume_meal_type"
        ") as tttttt where (consume_chupinlogo <> 4) and (consume_chupinlogo <> 3) and "
        "(consume_chupinlogo <> 2) ") +
    kOverdueTest +
    QStringLiteral(
        " and (consume_meal_type not in (select smalltype_id from SmallType where "
        "Smalltype_NdyHc='Y'))") +
    kPackage + QStringLiteral(" order by sc_time,room_name,Smalltype_scsx");

const QString kOverdueHead =
    QStringLiteral(
        "select consume_bh, room_name, sit_name, consume_meal_id, consume_num, "
        "right(CONVERT(varchar(100), consume_begintime, 20),14) as consume_begintime, "
        "consume_Chupinstate,consume_return,consume_meal_type,consume_returnNum,"
        "consume_state, consume_Taste, consume_sit, kitchen_name, employee_name, "
        "consume_Chupinlogo, consume_meal_name, Meal_time, DATEDIFF(mi, consume_begintime, "
        "getdate()) as sc_time,Smalltype_scsx,consume_tcsign"
        " from ") +
    kNest +
    QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
        "(consume_num-consume_returnNum) as consume_num, "
        "consume_begintime,consume_return,consume_meal_type,"
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name, consume_tcsign, consume_returnNum") +
    kJoins +
    QStringLiteral(
        ") as ttttt left join SmallType on smalltype_id=consume_meal_type"
        ") as tttttt where (consume_chupinlogo <> 4) and (consume_chupinlogo <> 3) and "
        "(consume_chupinlogo <> 2)") +
    kOverdueTest;
const QString kOverdueTail =
    QStringLiteral(
        " and (consume_meal_type not in (select smalltype_id from SmallType where "
        "Smalltype_NdyHc=:a5))") +
    kPackage + QStringLiteral(" order by sc_time,room_name,Smalltype_scsx");

const QString kHurryHead =
    QStringLiteral(
        "select (case when consume_cccs>0 then '催菜('+cast(consume_cccs as varchar(50))+')' "
        "else consume_state end)as cctc,consume_bh, room_name, sit_name, consume_meal_id, "
        "consume_num, "
        "right(CONVERT(varchar(100), consume_begintime, 20),14) as consume_begintime, "
        "consume_Chupinstate,consume_state,consume_Taste,consume_meal_type,Smalltype_scsx,"
        "consume_sit, kitchen_name, employee_name, consume_Chupinlogo, consume_meal_name, "
        "Meal_time, DATEDIFF(mi, consume_begintime, getdate()) as "
        "sc_time,Consume_return,consume_tcsign"
        " from ") +
    kNest +
    QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id,  "
        "consume_num, consume_begintime,consume_cccs,Consume_return,"
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name,consume_meal_type,consume_tcsign") +
    kJoins +
    QStringLiteral(
        ") as ttttt left join SmallType on smalltype_id = consume_meal_type"
        ") as tttttt"
        " where (Consume_state <> :a9) and ((Consume_num >= 0 and consume_return<>:a10 "
        " and consume_Chupinlogo <>:a1 "
        " and consume_Chupinlogo <>:a2) "
        " or (consume_return=:a11 and Consume_num<0)) ");
const QString kHurryTail =
    QStringLiteral(
        " and (consume_meal_type not in (select smalltype_id from SmallType where "
        "Smalltype_NdyHc=:a11))") +
    kPackage + QStringLiteral(" order by cctc,room_name,Smalltype_scsx");

const QString kServedHead =
    QStringLiteral(
        "select top 30 consume_bh, room_name, sit_name, consume_meal_id, consume_num, "
        "right(CONVERT(varchar(100), consume_donetime, 20),14) as consume_donetime, "
        "consume_Chupinstate,consume_return,consume_meal_type,consume_returnNum,"
        "consume_state, consume_Taste, consume_sit, kitchen_name, employee_name, "
        "consume_Chupinlogo, consume_meal_name, Meal_time, DATEDIFF(mi, consume_donetime, "
        "getdate()) as sc_time,Smalltype_scsx,consume_tcsign"
        " from ") +
    kNest +
    QStringLiteral(
        "(select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id, "
        "(consume_num-consume_returnNum) as consume_num, "
        "consume_donetime,consume_return,consume_meal_type,"
        " consume_Chupinstate, consume_chef, consume_CPdep, consume_state, consume_Taste, "
        "consume_sit, consume_Chupinlogo,consume_meal_name, consume_tcsign, consume_returnNum") +
    kJoins +
    QStringLiteral(
        ") as ttttt left join SmallType on smalltype_id=consume_meal_type"
        ") as tttttt where (consume_chupinlogo=4)"
        " and (consume_return<>'Y' or (Consume_return='Y' and consume_num<>0 and "
        "consume_returnNum>0))");
const QString kServedTail =
    QStringLiteral(
        " and (consume_meal_type not in (select smalltype_id from SmallType where "
        "Smalltype_NdyHc=:a5))") +
    kPackage + QStringLiteral(" order by tttttt.consume_donetime desc");

DishListFilter Filter(std::optional<QString> dep = {}, std::optional<QString> sit = {},
                      int scope = 0, const QString& search = {}, int state = 0) {
    DishListFilter f;
    f.stateItem = state;
    f.departmentCode = std::move(dep);
    f.stationCode = std::move(sit);
    f.scopeItem = scope;
    f.searchText = search;
    return f;
}

const QString kSearch3 = QStringLiteral(
    " and (consume_meal_id like :a2 or consume_meal_name like :a3 or consume_Chupinstate like "
    ":a4)");

}  // namespace

class AlertStatementsTest : public QObject {
    Q_OBJECT

private slots:
    void reminderText();
    void overdueListText_data();
    void overdueListText();
    void hurryReturnText_data();
    void hurryReturnText();
    void servedListText_data();
    void servedListText();
    void embeddedTextDiffersOnlyByDialect();
    void catalogue();
};

void AlertStatementsTest::reminderText() {
    const BoundSql s = BuildOverdueReminderStatement(SqlServerDialect());
    QCOMPARE(s.text, kReminder);
    QCOMPARE(s.values, QStringList{QStringLiteral("已结")});
}

void AlertStatementsTest::overdueListText_data() {
    QTest::addColumn<DishListFilter>("filter");
    QTest::addColumn<QString>("tableId");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    const QString settled = QStringLiteral("已结");
    const QString y = QStringLiteral("Y");
    QTest::newRow("all tables") << Filter() << "R1" << QString() << QStringList{settled, y};
    QTest::newRow("department, station and state do not apply")
        << Filter("K1", "P1", 0, {}, 2) << "" << QString() << QStringList{settled, y};
    QTest::newRow("current table") << Filter({}, {}, 1) << "R7"
                                   << " and (consume_table = :a1)" << QStringList{settled, "R7", y};
    QTest::newRow("current table, none chosen")
        << Filter({}, {}, 1) << QString() << " and (consume_table = :a1)"
        << QStringList{settled, "", y};
    QTest::newRow("search keeps blanks, a gap in the numbering")
        << Filter({}, {}, 0, " 鱼 ") << "" << kSearch3
        << QStringList{settled, "% 鱼 %", "% 鱼 %", "% 鱼 %", y};
    QTest::newRow("blank search") << Filter({}, {}, 0, "  ") << "" << QString()
                                  << QStringList{settled, y};
    QTest::newRow("table and search") << Filter({}, {}, 1, "a'b") << "R2"
                                      << " and (consume_table = :a1)" + kSearch3
                                      << QStringList{settled, "R2", "%a'b%", "%a'b%", "%a'b%", y};
}

void AlertStatementsTest::overdueListText() {
    QFETCH(DishListFilter, filter);
    QFETCH(QString, tableId);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildOverdueListStatement(SqlServerDialect(), filter, tableId);
    QCOMPARE(s.text, kOverdueHead + middle + kOverdueTail);
    QCOMPARE(s.values, values);
}

void AlertStatementsTest::hurryReturnText_data() {
    QTest::addColumn<DishListFilter>("filter");
    QTest::addColumn<QString>("tableId");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    const QStringList head{"已结", "Y", "4", "2", "Y"};
    const QString y = QStringLiteral("Y");
    const QString search = QStringLiteral(
        " and (consume_meal_id like :a6 or consume_meal_name like :a7 or consume_Chupinstate "
        "like :a8)");
    QTest::newRow("no filter") << Filter() << "R1" << QString() << head + QStringList{y};
    QTest::newRow("state filter does not apply")
        << Filter({}, {}, 0, {}, 1) << "" << QString() << head + QStringList{y};
    QTest::newRow("department") << Filter("K2") << ""
                                << " and consume_CPdep =:a3" << head + QStringList{"K2", y};
    QTest::newRow("station") << Filter({}, "P3") << ""
                             << " and consume_sit =:a4" << head + QStringList{"P3", y};
    QTest::newRow("current table") << Filter({}, {}, 1) << "R4"
                                   << " and consume_table = :a5" << head + QStringList{"R4", y};
    QTest::newRow("search") << Filter({}, {}, 0, "12 ") << "" << search
                            << head + QStringList{"%12 %", "%12 %", "%12 %", y};
    QTest::newRow("blank search") << Filter({}, {}, 0, " ") << "" << QString()
                                  << head + QStringList{y};
    QTest::newRow("all at once")
        << Filter("K1", "P1", 1, "鸡") << "R3"
        << " and consume_CPdep =:a3 and consume_sit =:a4 and consume_table = :a5" + search
        << head + QStringList{"K1", "P1", "R3", "%鸡%", "%鸡%", "%鸡%", y};
}

void AlertStatementsTest::hurryReturnText() {
    QFETCH(DishListFilter, filter);
    QFETCH(QString, tableId);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildHurryReturnStatement(SqlServerDialect(), filter, tableId);
    QCOMPARE(s.text, kHurryHead + middle + kHurryTail);
    QCOMPARE(s.values, values);
}

void AlertStatementsTest::servedListText_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("no search") << QString() << QString() << QStringList{"Y"};
    QTest::newRow("blank search") << "   " << QString() << QStringList{"Y"};
    QTest::newRow("search keeps blanks")
        << " 汤" << kSearch3 << QStringList{"% 汤%", "% 汤%", "% 汤%", "Y"};
}

void AlertStatementsTest::servedListText() {
    QFETCH(QString, search);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildServedListStatement(SqlServerDialect(), search);
    QCOMPARE(s.text, kServedHead + middle + kServedTail);
    QCOMPARE(s.values, values);
}

// The embedded text is the SQL Server text with the dialect's constructs in place, nothing else.
void AlertStatementsTest::embeddedTextDiffersOnlyByDialect() {
    const Dialect& ms = SqlServerDialect();
    const Dialect& lite = SqliteDialect();
    auto toLite = [&](QString sql) {
        for (const char* column : {"consume_begintime", "consume_donetime"}) {
            const QString c = QString::fromLatin1(column);
            sql.replace(ms.minutesSince(c), lite.minutesSince(c));
            sql.replace(ms.shortTimeText(c), lite.shortTimeText(c));
        }
        sql.replace(QStringLiteral("'催菜('+cast(consume_cccs as varchar(50))+')'"),
                    QStringLiteral("'催菜('||cast(consume_cccs as varchar(50))||')'"));
        if (sql.startsWith(QStringLiteral("select top 30 "))) {
            sql = QStringLiteral("select ") + sql.mid(14) + QStringLiteral(" limit 30");
        }
        return sql;
    };
    const DishListFilter all = Filter("K1", "P1", 1, "x");
    QCOMPARE(BuildOverdueReminderStatement(lite).text,
             toLite(BuildOverdueReminderStatement(ms).text));
    QCOMPARE(BuildOverdueListStatement(lite, all, "R1").text,
             toLite(BuildOverdueListStatement(ms, all, "R1").text));
    QCOMPARE(BuildHurryReturnStatement(lite, all, "R1").text,
             toLite(BuildHurryReturnStatement(ms, all, "R1").text));
    QCOMPARE(BuildServedListStatement(lite, "x").text,
             toLite(BuildServedListStatement(ms, "x").text));
    QVERIFY(!BuildServedListStatement(lite, "x").text.contains(QLatin1String(" top ")));
}

void AlertStatementsTest::catalogue() {
    const StatementCatalogue c = BuildStatementCatalogue();
    struct Expected {
        const char* name;
        QStringList parts;
        QString base;
        QString all;
    };
    const QList<Expected> expected{
        {"OverdueReminder", {}, kReminder, QString()},
        {"OverdueList",
         {"currentTable", "search"},
         kOverdueHead + kOverdueTail,
         kOverdueHead + " and (consume_table = :a1)" + kSearch3 + kOverdueTail},
        {"HurryReturnList",
         {"department", "station", "currentTable", "search"},
         kHurryHead + kHurryTail,
         kHurryHead +
             " and consume_CPdep =:a3 and consume_sit =:a4 and consume_table = :a5 and "
             "(consume_meal_id like :a6 or consume_meal_name like :a7 or consume_Chupinstate "
             "like :a8)" +
             kHurryTail},
        {"ServedList", {"search"}, kServedHead + kServedTail, kServedHead + kSearch3 + kServedTail},
    };
    for (const Expected& e : expected) {
        const CatalogueStatement* s = c.find(QString::fromLatin1(e.name));
        QVERIFY2(s, e.name);
        QCOMPARE(s->optionalParts, e.parts);
        QCOMPARE(s->build(SqlServerDialect(), {}), e.base);
        if (!e.parts.isEmpty()) {
            const QSet<QString> on(e.parts.begin(), e.parts.end());
            QCOMPARE(s->build(SqlServerDialect(), on), e.all);
        }
    }
}

QTEST_GUILESS_MAIN(AlertStatementsTest)
#include "AlertStatementsTest.moc"
