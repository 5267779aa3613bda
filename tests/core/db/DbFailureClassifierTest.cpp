#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "TestStation.h"
#include "core/db/DbFailureClassifier.h"
#include "core/dishes/DishCommands.h"

Q_DECLARE_METATYPE(DbFailure)
Q_DECLARE_METATYPE(Engine)

class DbFailureClassifierTest : public QObject {
    Q_OBJECT

private slots:
    void classify_data();
    void classify();
    void describe_data();
    void describe();
    void lockHeldByAnotherProgram();
    void missingTableFromTheEngine();
};

void DbFailureClassifierTest::classify_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("nativeCode");
    QTest::addColumn<QStringList>("sqlStates");
    QTest::addColumn<DbFailure>("failure");
    const Engine ms = Engine::SqlServer;
    const Engine lite = Engine::Sqlite;
    QTest::newRow("odbc 08S01") << ms << "[FreeTDS][SQL Server]Read from the server failed"
                                << "20004" << QStringList{"08S01"} << DbFailure::ConnectionLost;
    QTest::newRow("odbc 08003, no text")
        << ms << ""
        << "" << QStringList{"01000", "08003"} << DbFailure::ConnectionLost;
    QTest::newRow("odbc HYT01") << ms << ""
                                << "0" << QStringList{"HYT01"} << DbFailure::ConnectionLost;
    QTest::newRow("states in the text (newer Qt)")
        << ms << "[Microsoft][ODBC Driver 18 for SQL Server]TCP Provider: error, 08S01;01000"
        << "10054;0" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("freetds dead process, no state")
        << ms << "DBPROCESS is dead or not enabled"
        << "20047" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("chinese driver text")
        << ms << "[Microsoft][SQL Server Native Client]通讯链接失败"
        << "" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("lock time-out") << ms << "Lock request time out period exceeded."
                                   << "1222" << QStringList{"HY000"} << DbFailure::Busy;
    QTest::newRow("deadlock victim") << ms << "Transaction was deadlocked"
                                     << "1205" << QStringList{"40001"} << DbFailure::Busy;
    QTest::newRow("query time-out") << ms << "Query timeout expired"
                                    << "0" << QStringList{"HYT00"} << DbFailure::Busy;
    QTest::newRow("missing table") << ms << "Invalid object name 'users'."
                                   << "208" << QStringList{"42S02"} << DbFailure::Statement;
    QTest::newRow("a number 08xxx in the text is no state")
        << ms << "Conversion failed for 08123 rows"
        << "245" << QStringList{"22018"} << DbFailure::Statement;
    QTest::newRow("sqlite busy") << lite << "database is locked"
                                 << "5" << QStringList{} << DbFailure::Busy;
    QTest::newRow("sqlite corrupt") << lite << "database disk image is malformed"
                                    << "11" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("sqlite not a database") << lite << "file is not a database"
                                           << "26" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("sqlite io error, extended")
        << lite << "disk I/O error"
        << "522" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("sqlite moved file") << lite << "attempt to write a readonly database"
                                       << "1032" << QStringList{} << DbFailure::ConnectionLost;
    QTest::newRow("sqlite read-only file") << lite << "attempt to write a readonly database"
                                           << "8" << QStringList{} << DbFailure::Statement;
    QTest::newRow("sqlite no such table") << lite << "no such table: users"
                                          << "1" << QStringList{} << DbFailure::Statement;
    QTest::newRow("sqlite no code") << lite << "something"
                                    << "" << QStringList{} << DbFailure::Statement;
}

void DbFailureClassifierTest::classify() {
    QFETCH(Engine, engine);
    QFETCH(QString, databaseText);
    QFETCH(QString, nativeCode);
    QFETCH(QStringList, sqlStates);
    QFETCH(DbFailure, failure);
    QCOMPARE(ClassifyDbFailure(engine, {databaseText, QString(), nativeCode, sqlStates}), failure);
}

void DbFailureClassifierTest::describe_data() {
    QTest::addColumn<DbFailure>("failure");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("text");
    QTest::newRow("sqlite table")
        << DbFailure::Statement << "no such table: users"
        << "数据库中缺少表 users：连接的不是檀舟餐饮ERP的数据库，或数据库版本不符（no such table: "
           "users）";
    QTest::newRow("sql server table")
        << DbFailure::Statement << "[FreeTDS][SQL Server]Invalid object name 'Consume'."
        << "数据库中缺少表 Consume：连接的不是檀舟餐饮ERP的数据库，或数据库版本不符（[FreeTDS][SQL "
           "Server]Invalid object name 'Consume'.）";
    QTest::newRow("chinese server column")
        << DbFailure::Statement << "列名 'room_area' 无效。"
        << "数据库中缺少列 room_area：数据库版本与本程序不符（列名 'room_area' 无效。）";
    QTest::newRow("other") << DbFailure::Statement << "near \"x\": syntax error"
                           << "数据库语句执行失败（near \"x\": syntax error）";
    QTest::newRow("lost") << DbFailure::ConnectionLost << "Read from the server failed"
                          << "数据库连接中断（Read from the server failed）";
    QTest::newRow("busy, no text") << DbFailure::Busy << ""
                                   << "数据库正被其他程序锁定，本次操作未完成，请稍后再试";
}

void DbFailureClassifierTest::describe() {
    QFETCH(DbFailure, failure);
    QFETCH(QString, databaseText);
    QFETCH(QString, text);
    QCOMPARE(DescribeDbFailure(failure, {databaseText, QString(), QString(), {}}), text);
}

void DbFailureClassifierTest::lockHeldByAnotherProgram() {
    TestStation st;
    st.addLine({{QStringLiteral("consume_bh"), QStringLiteral("L1")}});
    // What a write waits on the user-interface thread at most.
    QCOMPARE(st.scalar(QStringLiteral("PRAGMA busy_timeout")).toInt(), Connection::kLockWaitMs);
    QVERIFY(Connection::kLockWaitMs <= 2000);
    st.scalar(QStringLiteral("PRAGMA busy_timeout = 0"));  // the test need not wait it out

    QSqlDatabase other =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(st.databasePath());
    QVERIFY(other.open());
    {
        QSqlQuery q(other);
        QVERIFY(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
        const CommandOutcome o = ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now());
        QCOMPARE(o.result, CommandResult::Failed);
        QCOMPARE(o.failure, DbFailure::Busy);
        QVERIFY2(o.error.startsWith(QStringLiteral("数据库正被其他程序锁定")), qPrintable(o.error));
        // Reads go on under another's write lock, and the connection stays.
        QCOMPARE(st.scalar(QStringLiteral("select count(*) from Consume")).toInt(), 1);
        QVERIFY(q.exec(QStringLiteral("ROLLBACK")));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    QVERIFY(ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now()).done());
    QCOMPARE(st.dm().ADOConn.reopenCount(), 0);
}

void DbFailureClassifierTest::missingTableFromTheEngine() {
    TestStation st;
    st.exec(QStringLiteral("alter table Consume rename to Consume_old"));  // schema maintenance
    const CommandOutcome o = ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now());
    QCOMPARE(o.result, CommandResult::Failed);
    QCOMPARE(o.failure, DbFailure::Statement);
    QVERIFY2(o.error.startsWith(QStringLiteral("数据库中缺少表 Consume")), qPrintable(o.error));
    QVERIFY(st.dm().ADOConn.isOpen());
}

QTEST_GUILESS_MAIN(DbFailureClassifierTest)
#include "DbFailureClassifierTest.moc"
