#include <QtTest>
#include <functional>

#include "TestStation.h"
#include "core/dishes/DishCommands.h"

Q_DECLARE_METATYPE(std::function<CommandOutcome(TF_dm&, const QString&)>)

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
    void lineCommandOutcomes_data();
    void lineCommandOutcomes();
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

using LineCommand = std::function<CommandOutcome(TF_dm&, const QString&)>;

void DishCommandsTest::lineCommandOutcomes_data() {
    QTest::addColumn<LineCommand>("command");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("written");
    const LineCommand made = [](TF_dm& dm, const QString& bh) {
        return SetDishLineState(dm, bh, DishState::Made);
    };
    const LineCommand served = [](TF_dm& dm, const QString& bh) {
        return ServeDishLine(dm, bh, QDateTime(QDate(2026, 7, 15), QTime(18, 31, 5, 700)));
    };
    const int done = int(CommandResult::Done);
    const int noLine = int(CommandResult::NoLine);
    const int failed = int(CommandResult::Failed);
    const QString untouched = "L1|0|开始制作|NULL,L10|0|开始制作|NULL";
    QTest::newRow("state") << made << "L1" << false << done
                           << "L1|3|制作完成|NULL,L10|0|开始制作|NULL";
    QTest::newRow("served") << served << "L1" << false << done
                            << "L1|4|菜品已上|2026-07-15 18:31:05,L10|0|开始制作|NULL";
    // The key is matched whole: L1 never writes L10.
    QTest::newRow("gone") << made << "L2" << false << noLine << untouched;
    QTest::newRow("no key") << served << "" << false << noLine << untouched;
    QTest::newRow("refused") << served << "L1" << true << failed << untouched;
}

void DishCommandsTest::lineCommandOutcomes() {
    QFETCH(LineCommand, command);
    QFETCH(QString, line);
    QFETCH(bool, readOnly);
    QFETCH(int, result);
    QFETCH(QString, written);
    TestStation st;
    for (const char* bh : {"L1", "L10"}) {
        st.addLine(
            {{"consume_bh", bh}, {"consume_Chupinlogo", "0"}, {"consume_Chupinstate", "开始制作"}});
    }
    if (readOnly) {
        st.exec(
            QStringLiteral("create trigger no_update before update on Consume begin "
                           "select raise(abort, 'read only'); end"));
    }
    const CommandOutcome outcome = command(st.dm(), line);
    QCOMPARE(int(outcome.result), result);
    QCOMPARE(outcome.error.contains(QStringLiteral("read only")), readOnly);
    QCOMPARE(st.rows(QStringLiteral("select consume_bh, consume_Chupinlogo, consume_Chupinstate, "
                                    "consume_donetime from Consume order by consume_bh"))
                 .join(QLatin1Char(',')),
             written);
}

QTEST_GUILESS_MAIN(DishCommandsTest)
#include "DishCommandsTest.moc"
