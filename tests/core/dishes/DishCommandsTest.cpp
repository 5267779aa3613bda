#include <QtTest>

#include "TestStation.h"
#include "core/dishes/DishCommands.h"

class DishCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void statementTexts();
    void servingOrderOf_data();
    void servingOrderOf();
    void needsCheck_data();
    void needsCheck();
    void earlierCoursePending_data();
    void earlierCoursePending();
    void checkErrorReachesCaller();
};

void DishCommandsTest::statementTexts() {
    QCOMPARE(DishStateUpdateSql(),
             QStringLiteral("update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= :a2 "
                            "where consume_bh = :a3"));
    QCOMPARE(DishServedUpdateSql(),
             QStringLiteral("update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= "
                            ":a2,consume_donetime=:a3 where consume_bh = :a4"));
    QCOMPARE(ServingOrderCheckSql(),
             QStringLiteral(
                 "select count(Smalltype_scsx) as sl from consume left join SmallType on "
                 "smalltype_id=consume_meal_type where Consume_num >= 0 and (Consume_return <> "
                 "'Y' or (Consume_return='Y' and consume_num<>consume_returnNum and "
                 "consume_returnNum>0)) and (consume_meal_type not in (select smalltype_id from "
                 "SmallType where Smalltype_NdyHc='Y')) and (consume_tcsign<>'TC' or "
                 "consume_tcsign is null) and Consume_state <> :wc and consume_Chupinlogo<>:wfzz "
                 "and consume_Chupinlogo<>:cpys and consume_table=:czh and (Smalltype_scsx is not "
                 "null) and Smalltype_scsx<:sx"));
    QCOMPARE(ServedTimeText(QDateTime(QDate(2013, 7, 5), QTime(8, 5, 9, 999))),
             QStringLiteral("2013-07-05 08:05:09"));
}

void DishCommandsTest::servingOrderOf_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("order");
    QTest::newRow("null") << QVariant() << 0;
    QTest::newRow("integer") << QVariant(3) << 3;
    QTest::newRow("text") << QVariant(QStringLiteral(" 4 ")) << 4;
    QTest::newRow("whole real") << QVariant(2.0) << 2;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0;
    QTest::newRow("fraction") << QVariant(2.5) << 0;
}

void DishCommandsTest::servingOrderOf() {
    QFETCH(QVariant, value);
    QFETCH(int, order);
    QCOMPARE(ServingOrderOf(value), order);
}

void DishCommandsTest::needsCheck_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("order");
    QTest::addColumn<bool>("check");
    QTest::newRow("order 0") << "Y" << 0 << false;
    QTest::newRow("order 1") << "Y" << 1 << false;
    QTest::newRow("order 2") << "Y" << 2 << true;
    QTest::newRow("MEAL_ORDER N") << "N" << 5 << false;
}

void DishCommandsTest::needsCheck() {
    QFETCH(QString, setting);
    QFETCH(int, order);
    QFETCH(bool, check);
    QCOMPARE(ServingOrderNeedsCheck(setting, order), check);
}

void DishCommandsTest::earlierCoursePending_data() {
    QTest::addColumn<QVariantMap>("other");
    QTest::addColumn<bool>("pending");
    // The other line of table R1; by default of course 2, started, on an open bill.
    const QString logo = QStringLiteral("consume_Chupinlogo");
    QTest::newRow("started") << QVariantMap{} << true;
    QTest::newRow("urgent") << QVariantMap{{logo, "1"}} << true;
    QTest::newRow("made, not served") << QVariantMap{{logo, "3"}} << true;
    QTest::newRow("untouched (empty state)") << QVariantMap{{logo, ""}} << true;
    QTest::newRow("cannot make") << QVariantMap{{logo, "2"}} << false;
    QTest::newRow("served") << QVariantMap{{logo, "4"}} << false;
    QTest::newRow("null state") << QVariantMap{{logo, QVariant()}} << false;
    QTest::newRow("null serving order") << QVariantMap{{"consume_meal_type", "SN"}} << false;
    QTest::newRow("same course") << QVariantMap{{"consume_meal_type", "S3"}} << false;
    QTest::newRow("later course") << QVariantMap{{"consume_meal_type", "S4"}} << false;
    QTest::newRow("other table") << QVariantMap{{"consume_table", "R2"}} << false;
    QTest::newRow("settled bill") << QVariantMap{{"consume_state", "已结"}} << false;
    QTest::newRow("package line") << QVariantMap{{"consume_tcsign", "TC"}} << false;
    QTest::newRow("excluded category") << QVariantMap{{"consume_meal_type", "SX"}} << false;
    QTest::newRow("return record")
        << QVariantMap{{"consume_num", -1}, {"consume_return", "Y"}} << false;
    QTest::newRow("returned in part")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 1}, {"consume_return", "Y"}}
        << true;
    QTest::newRow("returned whole")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 2}, {"consume_return", "Y"}}
        << false;
    QTest::newRow("marked returned, nothing returned")
        << QVariantMap{{"consume_num", 2}, {"consume_returnNum", 0}, {"consume_return", "Y"}}
        << false;
}

void DishCommandsTest::earlierCoursePending() {
    QFETCH(QVariantMap, other);
    QFETCH(bool, pending);
    TestStation st;
    st.exec(
        QStringLiteral("insert into SmallType values ('S2','热菜','B1','N',2),"
                       "('S3','汤','B1','N',3),('S4','主食','B1','N',4),"
                       "('SN','未排','B1','N',null),('SX','酒水','B1','Y',1)"));
    // The line being served: course 3 of table R1.
    st.addLine({{"consume_bh", "L3"}, {"consume_meal_type", "S3"}, {"consume_Chupinlogo", "3"}});
    QVariantMap line{
        {"consume_bh", "L2"}, {"consume_meal_type", "S2"}, {"consume_Chupinlogo", "0"}};
    for (auto it = other.begin(); it != other.end(); ++it) {
        line.insert(it.key(), it.value());
    }
    st.addLine(line);
    QCOMPARE(EarlierCoursePending(st.dm().ADO_Public, QStringLiteral("R1"), 3), pending);
    // Nothing of its own course or later holds a line back.
    QVERIFY(!EarlierCoursePending(st.dm().ADO_Public, QStringLiteral("R1"), 2));
}

void DishCommandsTest::checkErrorReachesCaller() {
    TestStation st;
    st.exec(QStringLiteral("drop table SmallType"));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             EarlierCoursePending(st.dm().ADO_Public, QStringLiteral("R1"), 3));
}

QTEST_GUILESS_MAIN(DishCommandsTest)
#include "DishCommandsTest.moc"
