#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "TestStation.h"
#include "core/db/SqlHelpers.h"

namespace {

QVariantMap Line(const QString& bh, const QVariantMap& more = {}) {
    QVariantMap m = more;
    m.insert(QStringLiteral("consume_bh"), bh);
    return m;
}

}  // namespace

class QueryObjectTest : public QObject {
    Q_OBJECT

private slots:
    void bindsByPositionInTheText_data();
    void bindsByPositionInTheText();
    void bindsByNameEveryMarker();
    void valueCountMustMatch_data();
    void valueCountMustMatch();
    void helpersSwallowErrorsAndLeaveTheObjectClosed_data();
    void helpersSwallowErrorsAndLeaveTheObjectClosed();
    void helpersRunWithValues();
    void rerunKeepsTextAndValuesAndSeesNewRows();
    void locatePrefix_data();
    void locatePrefix();
    void fieldsByNameWithoutCase();
    void fieldErrors();
    void fieldText_data();
    void fieldText();
    void eofAndBof();
    void signals_();
    void traceWritesEveryStatement();
    void noTraceWithoutPath();
};

void QueryObjectTest::bindsByPositionInTheText_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("row");
    QTest::newRow("a8 a9 before a1")
        << "select :a8, :a9, :a1" << QStringList{"x", "y", "z"} << "x|y|z";
    QTest::newRow("bh among numbered")
        << "select :a2 || :bh || :a1" << QStringList{"1", "2", "3"} << "123";
    QTest::newRow("same name twice takes two values")
        << "select :a11, :a11" << QStringList{"first", "second"} << "first|second";
    QTest::newRow("quoted colon is no marker")
        << "select ':a1', :a2" << QStringList{"v"} << ":a1|v";
    QTest::newRow("no values") << "select 'plain'" << QStringList{} << "plain";
    QTest::newRow("chinese text value") << "select :a1" << QStringList{"已结"} << "已结";
}

void QueryObjectTest::bindsByPositionInTheText() {
    QFETCH(QString, sql);
    QFETCH(QStringList, values);
    TestStation st;
    QueryObject& q = st.dm().ADO_Public;
    QVERIFY(OpenSqlParams(q, sql, values));
    QCOMPARE(q.rowCount(), 1);
    QStringList cols;
    for (int c = 0; c < q.columnNames().size(); ++c) {
        cols << q.valueAt(0, c).toString();
    }
    QTEST(cols.join(QLatin1Char('|')), "row");
}

void QueryObjectTest::bindsByNameEveryMarker() {
    TestStation st;
    st.addLine(
        Line(QStringLiteral("L1"), {{QStringLiteral("consume_table"), QStringLiteral("R1")}}));
    st.addLine(
        Line(QStringLiteral("L2"), {{QStringLiteral("consume_table"), QStringLiteral("R2")}}));
    QueryObject& q = st.dm().ADO_Public;
    q.setSql(
        QStringLiteral("update Consume set consume_Chupinlogo=:logo, consume_Chupinstate=:state "
                       "where consume_bh=:bh or consume_table=:BH"));
    q.setParam(QStringLiteral("logo"), QStringLiteral("4"));
    q.setParam(QStringLiteral("state"), QStringLiteral("菜品已上"));
    q.setParam(QStringLiteral("bh"), QStringLiteral("L1"));
    QCOMPARE(q.params().size(), 4);
    QCOMPARE(q.params().at(3).toString(), QStringLiteral("L1"));
    q.execute();
    QCOMPARE(q.rowsAffected(), 1);
    QCOMPARE(st.rows(QStringLiteral("select consume_bh, consume_Chupinlogo, consume_Chupinstate "
                                    "from Consume order by consume_bh")),
             (QStringList{QStringLiteral("L1|4|菜品已上"), QStringLiteral("L2||NULL")}));
    QVERIFY_THROWS_EXCEPTION(DbError, q.setParam(QStringLiteral("nope"), 1));
}

void QueryObjectTest::valueCountMustMatch_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("too few") << 1;
    QTest::newRow("too many") << 3;
    QTest::newRow("none") << 0;
}

void QueryObjectTest::valueCountMustMatch() {
    QFETCH(int, count);
    TestStation st;
    QueryObject& q = st.dm().ADO_Public;
    q.setSql(QStringLiteral("select :a1, :a2"));
    for (int i = 0; i < count; ++i) {
        q.addParam(QString::number(i));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, q.open());
    QVERIFY(!q.isOpen());
}

void QueryObjectTest::helpersSwallowErrorsAndLeaveTheObjectClosed_data() {
    QTest::addColumn<int>("helper");  // 0 OpenSql, 1 OpenSqlParams, 2 ExecSqlParams
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("OpenSql syntax") << 0 << "select from where" << QStringList{};
    QTest::newRow("OpenSql unknown table") << 0 << "select * from NoSuchTable" << QStringList{};
    QTest::newRow("OpenSqlParams too few values") << 1 << "select :a1, :a2" << QStringList{"x"};
    QTest::newRow("OpenSqlParams unknown column")
        << 1 << "select nope from Consume where consume_bh=:a1" << QStringList{"L1"};
    QTest::newRow("ExecSqlParams too many values")
        << 2 << "update Consume set consume_cccs=1 where consume_bh=:a1" << QStringList{"a", "b"};
    QTest::newRow("ExecSqlParams unknown table")
        << 2 << "update NoSuchTable set x=:a1" << QStringList{"1"};
}

void QueryObjectTest::helpersSwallowErrorsAndLeaveTheObjectClosed() {
    QFETCH(int, helper);
    QFETCH(QString, sql);
    QFETCH(QStringList, values);
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    QueryObject& q = st.dm().ADO_cp;
    OpenSql(q, QStringLiteral("select * from Consume"));
    QCOMPARE(q.rowCount(), 1);
    bool ok = true;
    switch (helper) {
        case 0:
            OpenSql(q, sql);
            ok = q.isOpen();
            break;
        case 1:
            ok = OpenSqlParams(q, sql, values);
            break;
        default:
            ok = ExecSqlParams(q, sql, values);
    }
    QVERIFY(!ok);
    QVERIFY(!q.isOpen());
    QCOMPARE(q.rowCount(), 0);
    QCOMPARE(q.currentRow(), -1);
    QVERIFY_THROWS_EXCEPTION(DbError, q.asString(QStringLiteral("consume_bh")));
    // The station goes on: the object works again at once.
    QVERIFY(OpenSqlParams(q, QStringLiteral("select consume_bh from Consume"), {}));
    QCOMPARE(q.asString(QStringLiteral("consume_bh")), QStringLiteral("L1"));
    QCOMPARE(st.scalar(QStringLiteral("select consume_cccs from Consume")).toInt(), 0);
}

void QueryObjectTest::helpersRunWithValues() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    QueryObject& q = st.dm().ADO_Public;
    QVERIFY(ExecSqlParams(q,
                          QStringLiteral("update Consume set consume_Chupinlogo=:a1, "
                                         "consume_Chupinstate=:a2 where consume_bh=:a3"),
                          {QStringLiteral("3"), QStringLiteral("制作完成"), QStringLiteral("L1")}));
    QCOMPARE(st.rows(QStringLiteral("select consume_Chupinlogo, consume_Chupinstate from Consume")),
             QStringList{QStringLiteral("3|制作完成")});
    // A value that looks like SQL stays a value.
    QVERIFY(OpenSqlParams(q,
                          QStringLiteral("select count(*) as n from Consume where consume_bh=:a1"),
                          {QStringLiteral("x' or '1'='1")}));
    QCOMPARE(q.asInt(QStringLiteral("n")), 0);
}

void QueryObjectTest::rerunKeepsTextAndValuesAndSeesNewRows() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    st.addLine(
        Line(QStringLiteral("L2"), {{QStringLiteral("consume_table"), QStringLiteral("R9")}}));
    QueryObject& q = st.dm().ADO_cp;
    const QString sql = QStringLiteral(
        "select consume_bh from Consume where consume_table=:a1 "
        "order by consume_bh");
    QVERIFY(OpenSqlParams(q, sql, {QStringLiteral("R1")}));
    QCOMPARE(q.rowCount(), 1);
    q.last();
    st.addLine(Line(QStringLiteral("L3")));
    q.rerun();
    QCOMPARE(q.sql(), sql);
    QCOMPARE(q.params(), QVariantList{QStringLiteral("R1")});
    QCOMPARE(q.rowCount(), 2);
    QCOMPARE(q.currentRow(), 0);
    QCOMPARE(q.valueAt(1, 0).toString(), QStringLiteral("L3"));
    // A new text drops the values: the old ones never reach the new markers.
    q.setSql(QStringLiteral("select :a1"));
    QVERIFY(q.params().isEmpty());
    QVERIFY(!q.isOpen());
}

void QueryObjectTest::locatePrefix_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("row");  // starting on row 3
    // Rows in result order: L10, L1, l2, L2, X1.
    QTest::newRow("earlier longer key wins") << "L1" << true << 0;
    QTest::newRow("whole key") << "L10" << true << 0;
    QTest::newRow("letter case counts") << "L2" << true << 3;
    QTest::newRow("lower case") << "l2" << true << 2;
    QTest::newRow("miss keeps the row") << "x1" << false << 3;
    QTest::newRow("longer than any key") << "L100" << false << 3;
    QTest::newRow("empty prefix takes the first row") << "" << true << 0;
}

void QueryObjectTest::locatePrefix() {
    QFETCH(QString, prefix);
    TestStation st;
    int n = 0;
    for (const char* bh : {"L10", "L1", "l2", "L2", "X1"}) {
        st.addLine(Line(QString::fromLatin1(bh), {{QStringLiteral("consume_cccs"), n++}}));
    }
    QueryObject& q = st.dm().ADO_cp;
    OpenSql(q, QStringLiteral("select consume_bh from Consume order by consume_cccs"));
    q.setCurrentRow(3);
    QTEST(q.locatePrefix(QStringLiteral("CONSUME_BH"), prefix), "found");
    QTEST(q.currentRow(), "row");
}

void QueryObjectTest::fieldsByNameWithoutCase() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1"),
                    {{QStringLiteral("consume_num"), 3.0},
                     {QStringLiteral("consume_returnNum"), 0.5},
                     {QStringLiteral("consume_cccs"), 2},
                     {QStringLiteral("consume_begintime"), QStringLiteral("2026-07-15 18:00:05")},
                     {QStringLiteral("consume_taste"), QVariant()}}));
    QueryObject& q = st.dm().ADO_cp;
    OpenSql(q, QStringLiteral("select consume_bh, consume_num, consume_returnNum, consume_cccs, "
                              "consume_begintime, consume_taste, '12' as txt from Consume"));
    QCOMPARE(q.asString(QStringLiteral("CONSUME_BH")), QStringLiteral("L1"));
    QCOMPARE(q.asString(QStringLiteral("Consume_Num")), QStringLiteral("3"));
    QCOMPARE(q.asString(QStringLiteral("consume_returnnum")), QStringLiteral("0.5"));
    QCOMPARE(q.asInt(QStringLiteral("consume_num")), 3);
    QCOMPARE(q.asInt(QStringLiteral("CONSUME_CCCS")), 2);
    QCOMPARE(q.asInt(QStringLiteral("txt")), 12);
    QCOMPARE(q.asDouble(QStringLiteral("consume_RETURNnum")), 0.5);
    QCOMPARE(q.asDouble(QStringLiteral("txt")), 12.0);
    QCOMPARE(q.asDateTime(QStringLiteral("Consume_BeginTime")),
             QDateTime(QDate(2026, 7, 15), QTime(18, 0, 5)));
    QVERIFY(q.isNull(QStringLiteral("CONSUME_TASTE")));
    QCOMPARE(q.asString(QStringLiteral("consume_taste")), QString());
    QCOMPARE(q.asInt(QStringLiteral("consume_taste")), 0);
    QVERIFY(!q.asDateTime(QStringLiteral("consume_taste")).isValid());
    QCOMPARE(q.columnIndex(QStringLiteral("TXT")), 6);
    QCOMPARE(q.columnIndex(QStringLiteral("nope")), -1);
}

void QueryObjectTest::fieldErrors() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    QueryObject& q = st.dm().ADO_cp;
    QVERIFY_THROWS_EXCEPTION(DbError, q.value(QStringLiteral("consume_bh")));
    OpenSql(q, QStringLiteral("select consume_bh, consume_meal_name from Consume"));
    QVERIFY_THROWS_EXCEPTION(DbError, q.value(QStringLiteral("nope")));
    QVERIFY_THROWS_EXCEPTION(DbError, q.asInt(QStringLiteral("consume_meal_name")));
    QVERIFY_THROWS_EXCEPTION(DbError, q.asDouble(QStringLiteral("consume_meal_name")));
    QVERIFY_THROWS_EXCEPTION(DbError, q.asDateTime(QStringLiteral("consume_meal_name")));
    q.close();
    QVERIFY_THROWS_EXCEPTION(DbError, q.asString(QStringLiteral("consume_bh")));
    // Open and empty: every field reads as null, unknown ones still throw.
    OpenSql(q, QStringLiteral("select consume_bh from Consume where 1=0"));
    QVERIFY(q.isOpen() && q.isEmpty());
    QVERIFY(q.isNull(QStringLiteral("consume_bh")));
    QCOMPARE(q.asString(QStringLiteral("consume_bh")), QString());
    QVERIFY_THROWS_EXCEPTION(DbError, q.value(QStringLiteral("nope")));
}

void QueryObjectTest::fieldText_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("whole double") << QVariant(3.0) << "3";
    QTest::newRow("fraction") << QVariant(0.1 + 0.2) << "0.3";
    QTest::newRow("negative") << QVariant(-2.5) << "-2.5";
    QTest::newRow("int") << QVariant(42) << "42";
    QTest::newRow("date-time as SQL Server gives it")
        << QVariant(QDateTime(QDate(2026, 7, 15), QTime(18, 0, 5, 997))) << "2026-07-15 18:00:05";
    QTest::newRow("date") << QVariant(QDate(2026, 7, 15)) << "2026-07-15";
    QTest::newRow("text") << QVariant(QStringLiteral("出品")) << "出品";
}

void QueryObjectTest::fieldText() {
    QFETCH(QVariant, value);
    QTEST(FieldText(value), "text");
}

void QueryObjectTest::eofAndBof() {
    TestStation st;
    QueryObject& q = st.dm().ADO_cp;
    OpenSql(q, QStringLiteral("select consume_bh from Consume"));
    QVERIFY(q.eof() && q.bof());
    QCOMPARE(q.currentRow(), -1);
    for (const char* bh : {"L1", "L2", "L3"}) {
        st.addLine(Line(QString::fromLatin1(bh)));
    }
    q.rerun();
    QVERIFY(!q.eof() && !q.bof());
    QStringList seen;
    for (q.first(); !q.eof(); q.next()) {
        seen << q.asString(QStringLiteral("consume_bh"));
    }
    QCOMPARE(seen, (QStringList{"L1", "L2", "L3"}));
    QCOMPARE(q.currentRow(), 2);
    q.first();
    QVERIFY(!q.eof());
    q.prior();
    QVERIFY(q.bof());
    QCOMPARE(q.currentRow(), 0);
    q.next();
    QVERIFY(!q.bof() && !q.eof());
    QCOMPARE(q.asString(QStringLiteral("consume_bh")), QStringLiteral("L2"));
}

void QueryObjectTest::signals_() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    st.addLine(Line(QStringLiteral("L2")));
    QueryObject& q = st.dm().ADO_cp;
    QSignalSpy reset(&q, &QueryObject::rowsReset);
    QSignalSpy moved(&q, &QueryObject::currentRowChanged);
    OpenSql(q, QStringLiteral("select consume_bh from Consume order by consume_bh"));
    QCOMPARE(reset.size(), 1);
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.takeFirst().at(0).toInt(), 0);
    q.next();
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.takeFirst().at(0).toInt(), 1);
    q.next();  // past the end: no move
    q.setCurrentRow(1);
    QCOMPARE(moved.size(), 0);
    q.rerun();  // closes and opens: two resets, back on row 0
    QCOMPARE(reset.size(), 3);
    QCOMPARE(moved.takeLast().at(0).toInt(), 0);
    q.setSql(QStringLiteral("select 1"));
    QCOMPARE(reset.size(), 4);
    q.close();  // already closed: nothing to tell
    QCOMPARE(reset.size(), 4);
    // A failed helper run tells the grids too, so none shows stale rows.
    OpenSql(q, QStringLiteral("select consume_bh from Consume"));
    const int before = reset.size();
    QVERIFY(!OpenSqlParams(q, QStringLiteral("select nope from Consume"), {}));
    QVERIFY(reset.size() > before);
}

void QueryObjectTest::traceWritesEveryStatement() {
    TestStation st;
    st.addLine(Line(QStringLiteral("L1")));
    const QString path = st.folder() + QStringLiteral("/trace.log");
    st.dm().ADOConn.setTrace(SqlTrace(path));
    QueryObject& q = st.dm().ADO_cp;
    QVERIFY(OpenSqlParams(
        q, QStringLiteral("select consume_bh\r\nfrom Consume where consume_state<>:a1"),
        {QStringLiteral("已结")}));
    QVERIFY(ExecSqlParams(st.dm().ADO_Public, QStringLiteral("update Consume set consume_cccs=:a1"),
                          {QStringLiteral("2")}));
    QVERIFY(!OpenSqlParams(q, QStringLiteral("select nope from Consume"), {}));
    QVERIFY(OpenSqlParams(q, QStringLiteral("select :a1 as v, :a2 as n"),
                          {QStringLiteral("two\r\nlines"), QString()}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QVERIFY2(lines[0].contains(QLatin1String("\tADO_cp\t")) &&
                 lines[0].contains(QLatin1String("rows=1")) &&
                 lines[0].contains(QLatin1String("select consume_bh  from Consume")) &&
                 lines[0].contains(QStringLiteral("['已结']")),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(QLatin1String("\tADO_Public\t")) &&
                 lines[1].contains(QLatin1String("update Consume set consume_cccs=:a1")) &&
                 lines[1].contains(QLatin1String("['2']")),
             qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(QLatin1String("error=")) && lines[2].contains(QLatin1String("nope")),
             qPrintable(lines[2]));
    QVERIFY2(lines[3].contains(QLatin1String("['two  lines', '']")), qPrintable(lines[3]));
}

void QueryObjectTest::noTraceWithoutPath() {
    TestStation st;
    QVERIFY(!st.dm().ADOConn.trace().enabled());
    const QDir dir(st.folder());
    const QStringList before = dir.entryList(QDir::Files);
    OpenSql(st.dm().ADO_cp, QStringLiteral("select * from Consume"));
    OpenSql(st.dm().ADO_cp, QStringLiteral("select nope"));
    QCOMPARE(dir.entryList(QDir::Files), before);
}

QTEST_GUILESS_MAIN(QueryObjectTest)
#include "QueryObjectTest.moc"
