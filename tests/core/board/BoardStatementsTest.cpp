#include <QtTest>

#include "TestStation.h"
#include "core/board/BoardStatements.h"
#include "core/board/TileFigures.h"
#include "core/db/Dialect.h"
#include "core/db/StatementCatalogue.h"

class BoardStatementsTest : public QObject {
    Q_OBJECT

private slots:
    void sqlServerTexts();
    void tableQueryValues_data();
    void tableQueryValues();
    void everyStatementIsCatalogued();
    void tableQueryOnTheEmbeddedEngine();
    void counters();
    void countersByNameEqualPositional();
    void overdueCount_data();
    void overdueCount();
    void failedCounterStatementSurfacesAtTheRead();
};

void BoardStatementsTest::sqlServerTexts() {
    QCOMPARE(
        BoardSql::TileCounters(),
        QStringLiteral(
            "select sum(consume_num) as dcsl,sum(case consume_Chupinlogo when 4 then "
            "(consume_num-consume_returnNum) end) as yscp,sum(case consume_Chupinlogo when 2 "
            "then (consume_num-consume_returnNum) end) as wfzz from consume where "
            "consume_guest_bh = :a1 and (consume_meal_type not in (select smalltype_id from "
            "SmallType where Smalltype_NdyHc=:a2)) and (consume_tcsign<>'TC' or consume_tcsign "
            "is null)"));
    QCOMPARE(
        BoardSql::TileOverdueCount(SqlServerDialect()),
        QStringLiteral(
            "select count(*) as cscp from consume left join meal on meal_bh = consume_meal_id "
            "where consume_guest_bh = :a1 and (consume_chupinlogo <> 4) and (consume_chupinlogo "
            "<> 3)  and (consume_chupinlogo <> 2) and DATEDIFF(mi, consume_begintime, "
            "getdate()) > Meal_time and (consume_return<>'Y' or (Consume_return='Y' and "
            "consume_num<>consume_returnNum and consume_returnNum>0)) and (consume_meal_type "
            "not in (select smalltype_id from SmallType where Smalltype_NdyHc='Y')) and "
            "(consume_tcsign<>'TC' or consume_tcsign is null)"));
    QCOMPARE(BuildTableQuery(false, {}, false, {}).sql,
             QStringLiteral("select room_id,room_name,guest_rs,guest_total,guest_bh from "
                            "room,guest where guest_table = room_id and room_state = :a3 and "
                            "guest_estate=:a4 order by room_name"));
    QCOMPARE(BuildTableQuery(true, "T1", true, "A1").sql,
             QStringLiteral("select room_id,room_name,guest_rs,guest_total,guest_bh from "
                            "room,guest where guest_table = room_id and room_type = :a1 and  "
                            "room_area =:a2 and room_state = :a3 and guest_estate=:a4 order by "
                            "room_name"));
    QCOMPARE(BoardSql::kTreeTables,
             QStringLiteral("select Room_id,Room_name,Room_type from room where Room_type =:a1 "
                            "and room_state =:a2"));
    QCOMPARE(BoardSql::kTableSearch,
             QStringLiteral("select Room_id,Room_name,room_type from room where Room_name like "
                            ":a1"));
    QCOMPARE(BoardSql::kTablePick,
             QStringLiteral("select room_name,room_id,room_type from room where room_name = :a1"));
}

void BoardStatementsTest::tableQueryValues_data() {
    QTest::addColumn<bool>("byType");
    QTest::addColumn<bool>("byArea");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("no filter") << false << false << QStringList{"0", "true"};
    QTest::newRow("type") << true << false << QStringList{"T1", "0", "true"};
    QTest::newRow("area") << false << true << QStringList{"A1", "0", "true"};
    QTest::newRow("both") << true << true << QStringList{"T1", "A1", "0", "true"};
}

void BoardStatementsTest::tableQueryValues() {
    QFETCH(bool, byType);
    QFETCH(bool, byArea);
    QFETCH(QStringList, values);
    QCOMPARE(BuildTableQuery(byType, "T1", byArea, "A1").values, values);
}

void BoardStatementsTest::everyStatementIsCatalogued() {
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    for (const char* name :
         {"BoardAreas", "BoardTableTypes", "BoardTreeTables", "BoardTableSearch", "BoardTablePick",
          "BoardTables", "BoardTileCounters", "BoardTileOverdueCount", "BoardPageCounters"}) {
        QVERIFY2(catalogue.find(QString::fromLatin1(name)), name);
    }
    const QString sqlite = catalogue.find("BoardTileOverdueCount")->build(SqliteDialect(), {});
    QVERIFY(!sqlite.contains("DATEDIFF"));
    QVERIFY(sqlite.contains("tzcy_datediff_mi(consume_begintime, getdate())"));
}

void BoardStatementsTest::tableQueryOnTheEmbeddedEngine() {
    TestStation st;
    st.exec(
        "insert into room values ('R2','大厅02','T1','A1','0'), ('R1','大厅01','T2','A2','0'),"
        " ('R3','包间01','T1','A2','0'), ('R4','大厅04','T1','A1','1')");
    st.exec(
        "insert into guest values ('G1','R1',4,268.5,'true'), ('G2','R2',2,88,'true'),"
        " ('G3','R3',6,0,'false'), ('G4','R4',1,10,'true')");
    QueryObject& q = st.dm().ADO_ct;
    const auto names = [&](const TableQuery& tq) {
        q.setSql(tq.sql);
        for (const QString& v : tq.values) {
            q.addParam(v);
        }
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next()) {
            out << q.asString("room_name") + "/" + q.asString("guest_rs") + "/" +
                       q.asString("guest_total");
        }
        return out;
    };
    // Open bills at tables in use, by name; the closed bill and the free table are left out.
    QCOMPARE(names(BuildTableQuery(false, {}, false, {})),
             QStringList({"大厅01/4/268.5", "大厅02/2/88"}));
    QCOMPARE(names(BuildTableQuery(true, "T1", false, {})), QStringList({"大厅02/2/88"}));
    QCOMPARE(names(BuildTableQuery(false, {}, true, "A2")), QStringList({"大厅01/4/268.5"}));
    QCOMPARE(names(BuildTableQuery(true, "T2", true, "A1")), QStringList());
}

void BoardStatementsTest::counters() {
    TestStation st;
    st.exec("insert into SmallType (Smalltype_id, Smalltype_NdyHc) values ('S1','N'), ('S9','Y')");
    st.addLine({{"consume_bh", "1"}, {"consume_num", 2}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "2"},
                {"consume_num", 3},
                {"consume_returnNum", 1},
                {"consume_return", "Y"},
                {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "3"}, {"consume_num", 1}, {"consume_Chupinlogo", "2"}});
    st.addLine({{"consume_bh", "4"}, {"consume_num", 1.5}, {"consume_Chupinlogo", ""}});
    // A return record counts against the ordered quantity.
    st.addLine({{"consume_bh", "5"}, {"consume_num", -1}, {"consume_return", "Y"}});
    // Never counted: an excluded category, a package line; a null mark is an ordinary line.
    st.addLine({{"consume_bh", "6"}, {"consume_meal_type", "S9"}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "7"}, {"consume_tcsign", "TC"}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "8"}, {"consume_tcsign", QVariant()}, {"consume_Chupinlogo", "0"}});
    // Another bill.
    st.addLine({{"consume_bh", "9"}, {"consume_guest_bh", "G2"}, {"consume_num", 7}});

    TileFigures f;
    ReadTileCounters(st.dm().ADO_Public2, "G1", CounterBinding::Positional, f);
    QCOMPARE(f.ordered, 2 + 3 + 1 + 1.5 - 1 + 1);
    QCOMPARE(f.served, 2.0 + 2.0);
    QCOMPARE(f.cannotMake, 1.0);

    TileFigures none;
    ReadTileCounters(st.dm().ADO_Public2, "NOBILL", CounterBinding::Positional, none);
    QCOMPARE(none.ordered, 0.0);
    QCOMPARE(none.served, 0.0);
    QCOMPARE(none.state(), 0);
}

void BoardStatementsTest::countersByNameEqualPositional() {
    TestStation st;
    st.addLine({{"consume_bh", "1"}, {"consume_num", 2}, {"consume_Chupinlogo", "4"}});
    st.addLine({{"consume_bh", "2"}, {"consume_num", 3}});
    TileFigures a;
    TileFigures b;
    ReadTileCounters(st.dm().ADO_Public2, "G1", CounterBinding::Positional, a);
    ReadTileCounters(st.dm().ADO_Public, "G1", CounterBinding::ByName, b);
    QCOMPARE(b.served, a.served);
    QCOMPARE(b.ordered, a.ordered);
    QCOMPARE(a.ordered, 5.0);
}

void BoardStatementsTest::overdueCount_data() {
    QTest::addColumn<QVariantMap>("line");
    QTest::addColumn<int>("overdue");
    // The server clock stands at 18:30:00; the dish may wait 9 minutes.
    const auto line = [](QVariantMap m) {
        m.insert("consume_bh", "X");
        if (!m.contains("consume_begintime")) {
            m.insert("consume_begintime", "2026-07-15 18:20:00");
        }
        return m;
    };
    QTest::newRow("10 boundaries crossed, 10 min waited") << line({}) << 1;
    QTest::newRow("9 min 1 s waited but 10 boundaries crossed")
        << line({{"consume_begintime", "2026-07-15 18:20:59"}}) << 1;
    QTest::newRow("9 boundaries: not strictly more")
        << line({{"consume_begintime", "2026-07-15 18:21:00"}}) << 0;
    QTest::newRow("state 0 start making counts") << line({{"consume_Chupinlogo", "0"}}) << 1;
    QTest::newRow("state 1 urgent counts") << line({{"consume_Chupinlogo", "1"}}) << 1;
    QTest::newRow("state 2 cannot make") << line({{"consume_Chupinlogo", "2"}}) << 0;
    QTest::newRow("state 3 made") << line({{"consume_Chupinlogo", "3"}}) << 0;
    QTest::newRow("state 4 served") << line({{"consume_Chupinlogo", "4"}}) << 0;
    QTest::newRow("wholly returned")
        << line({{"consume_return", "Y"}, {"consume_num", 2}, {"consume_returnNum", 2}}) << 0;
    QTest::newRow("partly returned still waits")
        << line({{"consume_return", "Y"}, {"consume_num", 2}, {"consume_returnNum", 1}}) << 1;
    QTest::newRow("return record")
        << line({{"consume_return", "Y"}, {"consume_num", -1}, {"consume_returnNum", 0}}) << 0;
    QTest::newRow("excluded category") << line({{"consume_meal_type", "S9"}}) << 0;
    QTest::newRow("package line") << line({{"consume_tcsign", "TC"}}) << 0;
    QTest::newRow("null package mark") << line({{"consume_tcsign", QVariant()}}) << 1;
    QTest::newRow("dish not in the catalogue") << line({{"consume_meal_id", "GONE"}}) << 0;
    QTest::newRow("dish without allowed minutes") << line({{"consume_meal_id", "M2"}}) << 0;
}

void BoardStatementsTest::overdueCount() {
    QFETCH(QVariantMap, line);
    QFETCH(int, overdue);
    TestStation st;
    st.exec("insert into SmallType (Smalltype_id, Smalltype_NdyHc) values ('S1','N'), ('S9','Y')");
    st.exec(
        "insert into Meal (meal_bh, meal_name, Meal_time) values ('M1','宫保鸡丁',9),"
        " ('M2','米饭',NULL)");
    st.addLine(line);
    TileFigures f;
    ReadTileOverdue(st.dm().ADO_Public2, "G1", f);
    QCOMPARE(f.overdue, overdue);
}

void BoardStatementsTest::failedCounterStatementSurfacesAtTheRead() {
    TestStation st;
    st.exec("alter table Consume rename to Consume_gone");
    TileFigures f;
    QVERIFY_THROWS_EXCEPTION(
        DbError, ReadTileCounters(st.dm().ADO_Public2, "G1", CounterBinding::Positional, f));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             ReadTileCounters(st.dm().ADO_Public, "G1", CounterBinding::ByName, f));
    QVERIFY_THROWS_EXCEPTION(DbError, ReadTileOverdue(st.dm().ADO_Public2, "G1", f));
}

QTEST_GUILESS_MAIN(BoardStatementsTest)
#include "BoardStatementsTest.moc"
