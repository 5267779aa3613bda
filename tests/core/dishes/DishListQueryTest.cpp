#include <QtTest>

#include "TestStation.h"
#include "core/db/Dialect.h"
#include "core/db/StatementCatalogue.h"
#include "core/dishes/DishListQuery.h"

Q_DECLARE_METATYPE(DishListFilter)

namespace {

// The statement as the station has always sent it to SQL Server, the returned-line test
// reading the net quantity.
const QString kHead = QStringLiteral(
    "select DATEDIFF(mi, consume_begintime, getdate()) as yysj,room_name, sit_name, consume_bh, "
    "consume_table, consume_guest_bh,consume_meal_id,  consume_num, right(CONVERT(varchar(100), "
    "consume_begintime, 20),14) as consume_begintime,"
    " consume_Chupinstate,consume_chef, consume_CPdep, consume_state, consume_Taste, "
    "consume_sit, kitchen_name,employee_name,consume_Chupinlogo,consume_meal_name,"
    "Consume_return,consume_meal_type,Smalltype_scsx,Consume_tcsign,consume_returnNum from "
    "(((((select sit_name, consume_bh, consume_table, consume_guest_bh, consume_meal_id, "
    "(consume_num-consume_returnNum) as consume_num, consume_begintime, consume_Chupinstate,"
    "consume_chef, consume_CPdep, consume_state, consume_Taste, consume_sit,consume_Chupinlogo,"
    "consume_meal_name,Consume_return,consume_meal_type,Consume_tcsign,consume_returnNum "
    " from Consume left join SaleSit on consume_sit = sit_id) as t "
    "left join Kitchen on consume_CPdep = kitchen_bh) left join room on room_id = consume_table)"
    "left join Employee on consume_chef = employee_id) left join SmallType on "
    "smalltype_id=consume_meal_type)"
    " where Consume_num >= 0 and (Consume_return <> :a8 or (Consume_return='Y' and "
    "consume_num<>0 and consume_returnNum>0)) and Consume_state <> :a9 ");
const QString kTail = QStringLiteral(
    " and (consume_meal_type not in (select smalltype_id from SmallType where "
    "Smalltype_NdyHc=:a10))"
    " and (consume_tcsign<>'TC' or consume_tcsign is null)"
    " order by room_name,Smalltype_scsx");

DishListFilter Filter(int state, std::optional<QString> dep = {}, std::optional<QString> sit = {},
                      int scope = 0, const QString& search = {}) {
    DishListFilter f;
    f.stateItem = state;
    f.departmentCode = std::move(dep);
    f.stationCode = std::move(sit);
    f.scopeItem = scope;
    f.searchText = search;
    return f;
}

}  // namespace

class DishListQueryTest : public QObject {
    Q_OBJECT

private slots:
    void sqlServerText_data();
    void sqlServerText();
    void listedLines_data();
    void listedLines();
    void rowFields();
    void catalogue();

private:
    void addFixture(TestStation& st);
    QStringList listed(TestStation& st, const DishListFilter& f, const QString& tableId);
};

void DishListQueryTest::sqlServerText_data() {
    QTest::addColumn<DishListFilter>("filter");
    QTest::addColumn<QString>("tableId");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QStringList>("values");

    const QString eq = QStringLiteral(" and consume_Chupinlogo =:a1 ");
    const QString y = QStringLiteral("Y");
    const QString settled = QStringLiteral("已结");
    QTest::newRow("no filter") << Filter(0) << "R1" << QString() << QStringList{y, settled, y};
    QTest::newRow("no item selected")
        << Filter(-1) << "R1" << QString() << QStringList{y, settled, y};
    QTest::newRow("served") << Filter(1) << "" << eq << QStringList{y, settled, "4", y};
    QTest::newRow("not served") << Filter(2) << ""
                                << " and consume_Chupinlogo <>:a1 "
                                << QStringList{y, settled, "4", y};
    QTest::newRow("start making") << Filter(3) << "" << eq << QStringList{y, settled, "0", y};
    QTest::newRow("urgent") << Filter(4) << "" << eq << QStringList{y, settled, "1", y};
    QTest::newRow("cannot make") << Filter(5) << "" << eq << QStringList{y, settled, "2", y};
    QTest::newRow("made") << Filter(6) << "" << eq << QStringList{y, settled, "3", y};
    QTest::newRow("untouched") << Filter(7) << ""
                               << " and consume_Chupinlogo =:a1" << QStringList{y, settled, "", y};
    QTest::newRow("department") << Filter(0, QStringLiteral("K02")) << ""
                                << " and consume_CPdep =:a2" << QStringList{y, settled, "K02", y};
    QTest::newRow("station") << Filter(0, {}, QStringLiteral("S07")) << ""
                             << " and consume_sit =:a3" << QStringList{y, settled, "S07", y};
    QTest::newRow("current table")
        << Filter(0, {}, {}, 1) << "R9"
        << " and consume_table = :a4" << QStringList{y, settled, "R9", y};
    QTest::newRow("all tables ignores the id")
        << Filter(0, {}, {}, 0) << "R9" << QString() << QStringList{y, settled, y};
    const QString search = QStringLiteral(
        " and (consume_meal_id like :a5 or consume_meal_name like :a6 or consume_Chupinstate "
        "like :a7 or consume_bh like :bh)");
    QTest::newRow("search keeps blanks")
        << Filter(0, {}, {}, 0, QStringLiteral(" 鱼 ")) << "" << search
        << QStringList{y, settled, "% 鱼 %", "% 鱼 %", "% 鱼 %", "% 鱼 %", y};
    QTest::newRow("blank search") << Filter(0, {}, {}, 0, QStringLiteral("   ")) << "" << QString()
                                  << QStringList{y, settled, y};
    QTest::newRow("quote stays a value")
        << Filter(0, {}, {}, 0, QStringLiteral("a'b")) << "" << search
        << QStringList{y, settled, "%a'b%", "%a'b%", "%a'b%", "%a'b%", y};
    QTest::newRow("all at once")
        << Filter(2, QStringLiteral("K01"), QStringLiteral("S01"), 1, QStringLiteral("12")) << "R3"
        << " and consume_Chupinlogo <>:a1  and consume_CPdep =:a2 and consume_sit =:a3 and "
           "consume_table = :a4" +
               search
        << QStringList{y, settled, "4", "K01", "S01", "R3", "%12%", "%12%", "%12%", "%12%", y};
}

void DishListQueryTest::sqlServerText() {
    QFETCH(DishListFilter, filter);
    QFETCH(QString, tableId);
    QFETCH(QString, middle);
    QFETCH(QStringList, values);
    const BoundSql s = BuildDishListStatement(SqlServerDialect(), filter, tableId);
    QCOMPARE(s.text, kHead + middle + kTail);
    QCOMPARE(s.values, values);
}

void DishListQueryTest::addFixture(TestStation& st) {
    st.exec(
        QStringLiteral("insert into room values ('R1','A01','T1','A1','0'),"
                       "('R2','B02','T1','A1','0')"));
    st.exec(
        QStringLiteral("insert into SmallType values ('S0','凉菜','B1','N',1),"
                       "('S2','热菜','B1','N',2),('S3','汤','B1','N',3),"
                       "('S4','主食','B1','N',4),('SN','未排','B1','N',null),"
                       "('SX','酒水','B1','Y',5)"));
    st.exec(QStringLiteral("insert into Kitchen values ('K1','热菜间'),('K2','凉菜间')"));
    st.exec(QStringLiteral("insert into SaleSit values ('P1','一楼'),('P2','二楼')"));
    auto line = [&](const QString& bh, const QString& table, const QString& type,
                    QVariantMap more = {}) {
        more.insert(QStringLiteral("consume_bh"), bh);
        more.insert(QStringLiteral("consume_table"), table);
        more.insert(QStringLiteral("consume_meal_type"), type);
        if (!more.contains(QStringLiteral("consume_CPdep"))) {
            more.insert(QStringLiteral("consume_CPdep"), QStringLiteral("K1"));
        }
        if (!more.contains(QStringLiteral("consume_sit"))) {
            more.insert(QStringLiteral("consume_sit"), QStringLiteral("P1"));
        }
        st.addLine(more);
    };
    const QString logo = QStringLiteral("consume_Chupinlogo");
    // B02 sorts after A01 although R2 is entered first.
    // Entered out of order: B02 after A01, serving order 4 before 2, null before 1.
    line("b1", "R2", "S2", {{logo, "0"}});
    line("a4", "R1", "S4",
         {{"consume_num", 2}, {"consume_returnNum", 1}, {"consume_return", "Y"}, {logo, "3"}});
    line("a2", "R1", "S2", {{logo, "4"}, {"consume_CPdep", "K2"}});
    line("a1", "R1", "S0", {{logo, ""}, {"consume_sit", "P2"}, {"consume_tcsign", ""}});
    line("a0", "R1", "SN", {{logo, QVariant()}, {"consume_meal_name", "清蒸鲈鱼"}});
    line("a3", "R1", "S3",
         {{"consume_tcsign", QVariant()}, {logo, "1"}, {"consume_Chupinstate", "加急制作"}});
    line("x-settled", "R1", "S2", {{"consume_state", "已结"}});
    line("x-package", "R1", "S2", {{"consume_tcsign", "TC"}});
    line("x-excluded", "R1", "SX");
    line("x-record", "R1", "S2", {{"consume_num", -1}, {"consume_return", "Y"}});
    line("x-whole", "R1", "S2",
         {{"consume_num", 2}, {"consume_returnNum", 2}, {"consume_return", "Y"}});
    line("x-zero", "R1", "S2",
         {{"consume_num", 2}, {"consume_returnNum", 0}, {"consume_return", "Y"}});
}

QStringList DishListQueryTest::listed(TestStation& st, const DishListFilter& f,
                                      const QString& tableId) {
    QueryObject& q = st.dm().ADO_cp;
    if (!OpenDishList(q, SqliteDialect(), f, tableId)) {
        return {QStringLiteral("<error>")};
    }
    QStringList out;
    for (q.first(); !q.eof(); q.next()) {
        out << q.asString(QStringLiteral("consume_bh"));
    }
    return out;
}

void DishListQueryTest::listedLines_data() {
    QTest::addColumn<DishListFilter>("filter");
    QTest::addColumn<QString>("tableId");
    QTest::addColumn<QStringList>("expected");

    // By table name, then serving order with no serving order first.
    QTest::newRow("all") << Filter(0) << "" << QStringList{"a0", "a1", "a2", "a3", "a4", "b1"};
    QTest::newRow("served") << Filter(1) << "" << QStringList{"a2"};
    QTest::newRow("not served: null state not listed")
        << Filter(2) << "" << QStringList{"a1", "a3", "a4", "b1"};
    QTest::newRow("start making") << Filter(3) << "" << QStringList{"b1"};
    QTest::newRow("urgent") << Filter(4) << "" << QStringList{"a3"};
    QTest::newRow("made: partly returned line") << Filter(6) << "" << QStringList{"a4"};
    QTest::newRow("untouched: empty state only") << Filter(7) << "" << QStringList{"a1"};
    QTest::newRow("department") << Filter(0, QStringLiteral("K2")) << "" << QStringList{"a2"};
    QTest::newRow("station") << Filter(0, {}, QStringLiteral("P2")) << "" << QStringList{"a1"};
    QTest::newRow("current table") << Filter(0, {}, {}, 1) << "R2" << QStringList{"b1"};
    QTest::newRow("current table, none chosen") << Filter(0, {}, {}, 1) << "" << QStringList{};
    QTest::newRow("search name") << Filter(0, {}, {}, 0, QStringLiteral("鲈")) << ""
                                 << QStringList{"a0"};
    QTest::newRow("search blanks are part of the pattern")
        << Filter(0, {}, {}, 0, QStringLiteral(" 鲈")) << "" << QStringList{};
    QTest::newRow("search line number")
        << Filter(0, {}, {}, 0, QStringLiteral("b")) << "" << QStringList{"b1"};
    QTest::newRow("search state text")
        << Filter(0, {}, {}, 0, QStringLiteral("加急")) << "" << QStringList{"a3"};
    QTest::newRow("percent is a wildcard, quote a value")
        << Filter(0, {}, {}, 0, QStringLiteral("'%")) << "" << QStringList{};
}

void DishListQueryTest::listedLines() {
    QFETCH(DishListFilter, filter);
    QFETCH(QString, tableId);
    QFETCH(QStringList, expected);
    TestStation st;
    addFixture(st);
    QCOMPARE(listed(st, filter, tableId), expected);
}

void DishListQueryTest::rowFields() {
    TestStation st;  // server clock 2026-07-15 18:30:00
    addFixture(st);
    st.exec(
        QStringLiteral("update Consume set consume_begintime='2026-07-15 18:05:59', "
                       "consume_Chupinstate='制作完成' where consume_bh='a4'"));
    QueryObject& q = st.dm().ADO_cp;
    QVERIFY(OpenDishList(q, SqliteDialect(), Filter(6), QString()));
    QCOMPARE(q.rowCount(), 1);
    QCOMPARE(q.asInt(QStringLiteral("yysj")), 25);
    QCOMPARE(q.asString(QStringLiteral("consume_begintime")), QStringLiteral("07-15 18:05:59"));
    QCOMPARE(q.asDouble(QStringLiteral("consume_num")), 1.0);
    QCOMPARE(q.asDouble(QStringLiteral("consume_returnNum")), 1.0);
    QCOMPARE(q.asString(QStringLiteral("room_name")), QStringLiteral("A01"));
    QCOMPARE(q.asString(QStringLiteral("kitchen_name")), QStringLiteral("热菜间"));
    QCOMPARE(q.asString(QStringLiteral("sit_name")), QStringLiteral("一楼"));
    QCOMPARE(q.asInt(QStringLiteral("Smalltype_scsx")), 4);
    QCOMPARE(q.columnNames().size(), 24);
}

void DishListQueryTest::catalogue() {
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    for (const char* name : {"DishStateUpdate", "DishServedUpdate", "ServingOrderCheck"}) {
        QVERIFY2(catalogue.find(QString::fromLatin1(name)), name);
    }
    const CatalogueStatement* list = catalogue.find(QStringLiteral("DishList"));
    QVERIFY(list);
    QCOMPARE(list->build(SqlServerDialect(), {}), kHead + kTail);
    const QSet<QString> all(list->optionalParts.begin(), list->optionalParts.end());
    const QString full = list->build(SqlServerDialect(), all);
    for (const char* part :
         {" and consume_Chupinlogo =:a1 ", " and consume_CPdep =:a2", " and consume_sit =:a3",
          " and consume_table = :a4", " or consume_bh like :bh)"}) {
        QVERIFY2(full.contains(QString::fromLatin1(part)), part);
    }
}

QTEST_GUILESS_MAIN(DishListQueryTest)
#include "DishListQueryTest.moc"
