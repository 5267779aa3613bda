#include <QtTest>

#include "TestStation.h"
#include "core/db/Dialect.h"
#include "core/db/StatementCatalogue.h"
#include "core/dishes/ScanServe.h"
#include "core/dishes/ScanStatements.h"

Q_DECLARE_METATYPE(ScanServeResult)

namespace {

const QDateTime kPcNow(QDate(2026, 7, 15), QTime(18, 30, 0));

// Two tables, two dishes; line 12 is a prefix of line 123.
struct Restaurant : TestStation {
    Restaurant() {
        exec(
            QStringLiteral("insert into room values ('R1','A01','T1','A1','0'),"
                           "('R2','B02','T1','A1','0')"));
        exec(
            QStringLiteral("insert into SmallType values ('S1','凉菜','B1','N',1),"
                           "('S2','热菜','B1','N',2)"));
        exec(QStringLiteral(
            "insert into Meal (meal_bh, meal_name, meal_code, meal_Barcode, Meal_type_id) values "
            "('M1','宫保鸡丁','gbjd','6901','S1'),('M2','清蒸鲈鱼','qzly','6902','S2')"));
        line("12", "R1", "M1", {});
        line("123", "R1", "M2", {});
        line("13", "R2", "M1", {{"consume_state", QStringLiteral("已结")}});
        line("14", "R1", "M1",
             {{"consume_Chupinlogo", "4"},
              {"consume_Chupinstate", QStringLiteral("菜品已上")},
              {"consume_donetime", "2026-07-15 18:05:09"}});
        line("15", "R2", "M1", {{"consume_return", "Y"}});
        line("16", "R2", "M9", {});  // a dish the menu no longer has
        line("17", "R2", "M2", {{"consume_Chupinlogo", QVariant()}, {"consume_state", QVariant()}});
    }
    void line(const QString& bh, const QString& table, const QString& meal,
              const QVariantMap& more) {
        QVariantMap f{{"consume_bh", bh},
                      {"consume_table", table},
                      {"consume_meal_id", meal},
                      {"consume_meal_type", meal == "M2" ? "S2" : "S1"},
                      {"consume_meal_name", meal == "M2" ? "清蒸鲈鱼" : "宫保鸡丁"}};
        for (auto it = more.begin(); it != more.end(); ++it) {
            f.insert(it.key(), it.value());
        }
        addLine(f);
    }
    QStringList consume() {
        return rows(QStringLiteral("select * from Consume order by consume_bh"));
    }
    QString state(const QString& bh) {
        return rows(QStringLiteral("select consume_Chupinlogo, consume_Chupinstate, "
                                   "consume_donetime from Consume where consume_bh = :bh"),
                    {bh})
            .value(0);
    }
    QStringList lines(QueryObject& q) {
        QStringList out;
        if (!q.isOpen()) {
            return {QStringLiteral("closed")};
        }
        for (int r = 0; r < q.rowCount(); ++r) {
            out << q.valueAt(r, q.columnIndex(QStringLiteral("consume_bh"))).toString();
        }
        out.sort();
        return out;
    }
};

}  // namespace

class ScanServeTest : public QObject {
    Q_OBJECT

private slots:
    void statementTexts();
    void lookupIsExact_data();
    void lookupIsExact();
    void searchMatchesEveryField_data();
    void searchMatchesEveryField();
    void readScannedLine();
    void serve_data();
    void serve();
    void refusalReasons_data();
    void refusalReasons();
};

void ScanServeTest::statementTexts() {
    const Dialect& d = SqlServerDialect();
    const QString head = QStringLiteral(
        "select consume_bh,consume_guest_bh,consume_meal_id,consume_meal_name,consume_Chupinstate,"
        "room_name from Consume,room,Meal where meal_bh = Consume_meal_id and consume_table = "
        "room_id");
    QCOMPARE(DishSearchSql(d),
             head + QStringLiteral(
                        " and (consume_meal_id like :a1 or consume_meal_name like :a2 or "
                        "consume_Chupinstate like :a3 or meal_Barcode like :a4 or consume_bh like "
                        ":a5 or meal_code like :a6)"));
    QCOMPARE(DishSearchSql(d, false), head);
    QCOMPARE(DishLookupSql(d),
             head + QStringLiteral(" and consume_bh=:a1 and consume_return<>:a2"));
    QCOMPARE(DishSearchValues(QStringLiteral(" 鱼")), QStringList(6, QStringLiteral("% 鱼%")));
    QCOMPARE(ScanServedUpdateSql(),
             QStringLiteral("update Consume set consume_Chupinstate = :a1,consume_Chupinlogo= "
                            ":a2,consume_donetime=:a3 where consume_bh = :a4 and "
                            "(consume_Chupinlogo<>:a5 or consume_Chupinlogo is null) and "
                            "(Consume_state<>:a6 or Consume_state is null)"));

    const StatementCatalogue c = BuildStatementCatalogue();
    const CatalogueStatement* search = c.find(QStringLiteral("DishSearch"));
    QVERIFY(search);
    QCOMPARE(search->build(d, {}), DishSearchSql(d, false));
    QCOMPARE(search->build(d, {QStringLiteral("text")}), DishSearchSql(d));
    for (const char* name : {"DishLookup", "ScannedLine", "ScanServedUpdate"}) {
        QVERIFY2(c.find(QString::fromLatin1(name)), name);
    }
}

void ScanServeTest::lookupIsExact_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a line number") << "12" << QStringList{"12"};
    QTest::newRow("the longer number") << "123" << QStringList{"123"};
    QTest::newRow("a prefix finds nothing") << "1" << QStringList{};
    QTest::newRow("a settled line is found") << "13" << QStringList{"13"};
    QTest::newRow("a returned line is not") << "15" << QStringList{};
    QTest::newRow("nor a line of a dish off the menu") << "16" << QStringList{};
    QTest::newRow("a quote is a value") << "12'--" << QStringList{};
}

void ScanServeTest::lookupIsExact() {
    QFETCH(QString, code);
    Restaurant r;
    QueryObject& q = r.dm().ADO_Public1;
    QVERIFY(OpenDishLookup(q, r.dm().ADOConn.dialect(), code));
    QTEST(r.lines(q), "found");
}

void ScanServeTest::searchMatchesEveryField_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("dish name, any state or bill") << "鸡丁" << QStringList{"12", "13", "14", "15"};
    QTest::newRow("dish code") << "M2" << QStringList{"123", "17"};
    QTest::newRow("short code") << "qzly" << QStringList{"123", "17"};
    QTest::newRow("barcode") << "6901" << QStringList{"12", "13", "14", "15"};
    QTest::newRow("state text") << "已上" << QStringList{"14"};
    QTest::newRow("line number") << "23" << QStringList{"123"};
    QTest::newRow("a blank is part of the text") << " 12" << QStringList{};
    QTest::newRow("a percent sign is a wildcard")
        << "%" << QStringList{"12", "123", "13", "14", "15", "17"};
    QTest::newRow("a quote is a value") << "'" << QStringList{};
}

void ScanServeTest::searchMatchesEveryField() {
    QFETCH(QString, text);
    Restaurant r;
    QueryObject& q = r.dm().ADO_Public1;
    QVERIFY(OpenDishSearch(q, r.dm().ADOConn.dialect(), text));
    QTEST(r.lines(q), "found");
    QCOMPARE(q.columnNames().size(), 6);

    QVERIFY(OpenAllDishLines(q, r.dm().ADOConn.dialect()));
    QCOMPARE(r.lines(q), (QStringList{"12", "123", "13", "14", "15", "17"}));
}

void ScanServeTest::readScannedLine() {
    Restaurant r;
    const std::optional<ScannedLine> line = ReadScannedLine(r.dm(), QStringLiteral("123"));
    QVERIFY(line);
    QCOMPARE(line->lineNumber, QStringLiteral("123"));
    QCOMPARE(line->tableId, QStringLiteral("R1"));
    QCOMPARE(line->mealName, QStringLiteral("清蒸鲈鱼"));
    QCOMPARE(line->servingOrder, 2);
    QVERIFY(!ScanRefusal(*line));

    QVERIFY(!ReadScannedLine(r.dm(), QStringLiteral("1")));

    const std::optional<ScannedLine> served = ReadScannedLine(r.dm(), QStringLiteral("14"));
    QVERIFY(served);
    const std::optional<ScanServeOutcome> twice = ScanRefusal(*served);
    QVERIFY(twice);
    QCOMPARE(twice->result, ScanServeResult::AlreadyServed);
    QCOMPARE(twice->mealName, QStringLiteral("宫保鸡丁"));
    QCOMPARE(twice->servedAt, QStringLiteral("2026-07-15 18:05:09"));

    const std::optional<ScanServeOutcome> settled =
        ScanRefusal(*ReadScannedLine(r.dm(), QStringLiteral("13")));
    QVERIFY(settled);
    QCOMPARE(settled->result, ScanServeResult::BillSettled);
    QCOMPARE(settled->mealName, QStringLiteral("宫保鸡丁"));

    QVERIFY(!ScanRefusal(*ReadScannedLine(r.dm(), QStringLiteral("17"))));  // NULL state, NULL mark
}

void ScanServeTest::serve_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("meanwhile");  // another program, between the read and the serve
    QTest::addColumn<ScanServeResult>("result");
    QTest::addColumn<QString>("servedAt");
    QTest::addColumn<QString>("error");

    QTest::newRow("an open line") << "12"
                                  << "" << ScanServeResult::Served << "2026-07-15 18:30:00"
                                  << "";
    QTest::newRow("a line whose state and mark are NULL")
        << "17"
        << "" << ScanServeResult::Served << "2026-07-15 18:30:00"
        << "";
    QTest::newRow("served by another station meanwhile")
        << "12"
        << "update Consume set consume_Chupinlogo='4', consume_donetime='2026-07-15 18:20:00' "
           "where consume_bh='12'"
        << ScanServeResult::AlreadyServed << "2026-07-15 18:20:00"
        << "";
    QTest::newRow("settled meanwhile")
        << "12"
        << "update Consume set consume_state='已结' where consume_bh='12'"
        << ScanServeResult::BillSettled << ""
        << "";
    QTest::newRow("gone meanwhile")
        << "12"
        << "delete from Consume where consume_bh='12'" << ScanServeResult::NoLine << ""
        << "";
    QTest::newRow("the database refuses the update")
        << "12"
        << "create trigger refuse before update on Consume begin select raise(abort, "
           "'locked by another program'); end"
        << ScanServeResult::Failed << ""
        << "locked by another program";
    QTest::newRow("the database changes no row")
        << "12"
        << "create trigger skip before update on Consume begin select raise(ignore); end"
        << ScanServeResult::NotServed << ""
        << "";
}

void ScanServeTest::serve() {
    QFETCH(QString, line);
    QFETCH(QString, meanwhile);
    QFETCH(ScanServeResult, result);
    QFETCH(QString, servedAt);
    QFETCH(QString, error);
    Restaurant r;
    const std::optional<ScannedLine> read = ReadScannedLine(r.dm(), line);
    QVERIFY(read);
    if (!meanwhile.isEmpty()) {
        r.exec(meanwhile);
    }
    const QStringList before = r.consume();
    const ScanServeOutcome outcome = ServeScannedLine(r.dm(), *read, kPcNow);
    QCOMPARE(outcome.result, result);
    QCOMPARE(outcome.served(), result == ScanServeResult::Served);
    QCOMPARE(outcome.lineNumber, line);
    QCOMPARE(outcome.mealName, read->mealName);
    QCOMPARE(outcome.servedAt, servedAt);
    QVERIFY2(outcome.error.contains(error), qPrintable(outcome.error));

    // Only the scanned line changes, and only when it is served.
    QStringList after = r.consume();
    if (outcome.served()) {
        QCOMPARE(r.state(line), QStringLiteral("4|菜品已上|2026-07-15 18:30:00"));
        const int i = static_cast<int>(after.indexOf(QRegularExpression("^" + line + "\\|.*")));
        QVERIFY(i >= 0);
        after[i] = before.at(i);
    }
    QCOMPARE(after, before);
}

void ScanServeTest::refusalReasons_data() {
    QTest::addColumn<ScanServeResult>("result");
    QTest::addColumn<QString>("servedAt");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("served") << ScanServeResult::Served << ""
                            << ""
                            << "";
    QTest::newRow("settled") << ScanServeResult::BillSettled << ""
                             << ""
                             << "该桌账单已结账，不能上菜";
    QTest::newRow("served before") << ScanServeResult::AlreadyServed << "2026-07-15 18:05:09"
                                   << ""
                                   << "该菜品已于 07-15 18:05:09 上过，不再重复上菜";
    QTest::newRow("served before, no time") << ScanServeResult::AlreadyServed << ""
                                            << ""
                                            << "该菜品已上过，不再重复上菜";
    QTest::newRow("no line") << ScanServeResult::NoLine << ""
                             << ""
                             << "找不到这道菜品，菜品未上";
    QTest::newRow("no row changed") << ScanServeResult::NotServed << ""
                                    << ""
                                    << "数据库没有更新这道菜品，菜品未上";
    QTest::newRow("failed") << ScanServeResult::Failed << ""
                            << "database is locked"
                            << "数据库出错，菜品未上：database is locked";
}

void ScanServeTest::refusalReasons() {
    QFETCH(ScanServeResult, result);
    QFETCH(QString, servedAt);
    QFETCH(QString, error);
    ScanServeOutcome o;
    o.result = result;
    o.servedAt = servedAt;
    o.error = error;
    QTEST(ScanRefusalReason(o), "reason");
}

QTEST_GUILESS_MAIN(ScanServeTest)
#include "ScanServeTest.moc"
