#include <QTest>

#include "TestStation.h"
#include "core/common/StationClock.h"
#include "core/db/DbError.h"
#include "core/db/Dialect.h"
#include "core/db/StatementCatalogue.h"
#include "core/session/Md5Hex.h"
#include "core/session/SessionRegistry.h"
#include "core/session/SingleInstanceGuard.h"

class SessionRegistryTest : public QObject {
    Q_OBJECT

private slots:
    void newLineIdDigits_data();
    void newLineIdDigits();
    void newLineIdFromClockEndsWithRandomPart();
    void md5HexIsUpperCaseOfGbkBytes();
    void passwordMatches_data();
    void passwordMatches();
    void verifyOperatorPassword_data();
    void verifyOperatorPassword();
    void sessionRowColumns();
    void touchRenewsOnlyTheUpdateTime();
    void unregisterDeletesOnlyThisSession();
    void loginAndLogoutRowsDifferOnlyWhereExpected();
    void statementsLetErrorsThrough();
    void sqlServerTexts_data();
    void sqlServerTexts();
    void unresolvableHostGivesLoopback();
    void stationAddress_data();
    void stationAddress();
    void secondGuardIsRefusedWhileTheFirstHoldsIt();
};

void SessionRegistryTest::newLineIdDigits_data() {
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<int>("random");
    QTest::addColumn<QString>("id");
    QTest::newRow("no padding") << QDateTime(QDate(2013, 5, 1), QTime(8, 7, 9, 45)) << 7
                                << "135187945"
                                   "7";
    QTest::newRow("year 2000 starts with 0")
        << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0, 0)) << 0 << "01100000";
    QTest::newRow("widest") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59, 999)) << 999
                            << "991231235959999999";
}

void SessionRegistryTest::newLineIdDigits() {
    QFETCH(QDateTime, at);
    QFETCH(int, random);
    QFETCH(QString, id);
    QCOMPARE(NewLineId(at, random), id);
}

void SessionRegistryTest::newLineIdFromClockEndsWithRandomPart() {
    ManualTimeSource source(QDateTime(QDate(2026, 7, 15), QTime(18, 30, 5, 120)));
    StationClock clock(source);
    clock.setOffsetMs(1000);  // the offset kept from the server counts
    const QString prefix = QStringLiteral(
        "26715183061"
        "20");
    for (int i = 0; i < 50; ++i) {
        const QString id = NewLineId(clock);
        QVERIFY2(id.startsWith(prefix), qPrintable(id));
        const QString tail = id.mid(prefix.size());
        bool ok = false;
        const int r = tail.toInt(&ok);
        QVERIFY(ok && r >= 0 && r <= 999 && tail == QString::number(r));
    }
}

void SessionRegistryTest::md5HexIsUpperCaseOfGbkBytes() {
    QCOMPARE(Md5Hex(QStringLiteral("123")), QStringLiteral("202CB962AC59075B964B07152D234B70"));
    QCOMPARE(Md5Hex(QStringLiteral("中文")), QStringLiteral("BCCE109775E8E1972E9F5FCDA3E12895"));
    QCOMPARE(StoredPasswordText(QString()), QStringLiteral(" "));
}

void SessionRegistryTest::passwordMatches_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    const QString hex = QStringLiteral("202CB962AC59075B964B07152D234B70");
    QTest::newRow("upper") << QVariant(hex) << "123" << true;
    QTest::newRow("lower") << QVariant(hex.toLower()) << "123" << true;
    QTest::newRow("wrong") << QVariant(hex) << "124" << false;
    QTest::newRow("empty typed against digest") << QVariant(hex) << "" << false;
    QTest::newRow("blank stored, empty typed") << QVariant(QStringLiteral(" ")) << "" << true;
    QTest::newRow("blank stored, typed") << QVariant(QStringLiteral(" ")) << "1" << false;
    QTest::newRow("null stored") << QVariant() << "" << true;
    QTest::newRow("empty stored") << QVariant(QString()) << "" << true;
    QTest::newRow("plain text stored is no digest")
        << QVariant(QStringLiteral("123")) << "123" << false;
}

void SessionRegistryTest::passwordMatches() {
    QFETCH(QVariant, stored);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    QCOMPARE(PasswordMatches(stored, typed), matches);
}

void SessionRegistryTest::verifyOperatorPassword_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right") << "001"
                           << "123" << true;
    QTest::newRow("wrong") << "001"
                           << "321" << false;
    QTest::newRow("unknown code") << "009"
                                  << "" << false;
    QTest::newRow("code compares exactly") << "01"
                                           << "123" << false;
    QTest::newRow("empty password") << "002"
                                    << "" << true;
}

void SessionRegistryTest::verifyOperatorPassword() {
    QFETCH(QString, code);
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    TestStation st;
    st.exec(QStringLiteral("insert into users values (:a1,:a2,:a3)"),
            {QStringLiteral("001"), Md5Hex(QStringLiteral("123")), 1});
    st.exec(QStringLiteral("insert into users values (:a1,:a2,:a3)"),
            {QStringLiteral("002"), QStringLiteral(" "), 2});
    QCOMPARE(VerifyOperatorPassword(st.dm(), code, password), accepted);
}

void SessionRegistryTest::sessionRowColumns() {
    TestStation st;
    RegisterSession(st.dm(), QStringLiteral("2671518305120"), QStringLiteral("默认工作站"),
                    QStringLiteral("001"), QStringLiteral("出品划菜"), QStringLiteral("10.0.0.7"));
    QCOMPARE(st.rows(QStringLiteral("select * from khdzt")),
             QStringList{QStringLiteral("2671518305120|默认工作站|10.0.0.7|001|"
                                        "2026-07-15 18:30:00.000|2026-07-15 18:30:00.000|"
                                        "出品划菜")});
}

void SessionRegistryTest::touchRenewsOnlyTheUpdateTime() {
    TestStation st;
    RegisterSession(st.dm(), QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("001"),
                    QStringLiteral("m"), QStringLiteral("1.2.3.4"));
    RegisterSession(st.dm(), QStringLiteral("B"), QStringLiteral("w"), QStringLiteral("001"),
                    QStringLiteral("m"), QStringLiteral("1.2.3.4"));
    st.serverClock.advanceMs(300000);
    TouchSession(st.dm(), QStringLiteral("A"));
    QCOMPARE(st.rows(QStringLiteral(
                 "select khdzt_id, khdzt_dlsj, khdzt_zhgxsj from khdzt order by khdzt_id")),
             (QStringList{QStringLiteral("A|2026-07-15 18:30:00.000|2026-07-15 18:35:00.000"),
                          QStringLiteral("B|2026-07-15 18:30:00.000|2026-07-15 18:30:00.000")}));
}

void SessionRegistryTest::unregisterDeletesOnlyThisSession() {
    TestStation st;
    for (const char* id : {"A", "B"}) {
        RegisterSession(st.dm(), QString::fromLatin1(id), QStringLiteral("w"),
                        QStringLiteral("001"), QStringLiteral("m"), QStringLiteral("1.2.3.4"));
    }
    UnregisterSession(st.dm(), QStringLiteral("A"));
    QCOMPARE(st.rows(QStringLiteral("select khdzt_id from khdzt")), QStringList{"B"});
}

void SessionRegistryTest::loginAndLogoutRowsDifferOnlyWhereExpected() {
    TestStation st;
    ManualTimeSource pc(QDateTime(QDate(2026, 7, 15), QTime(9, 5, 3, 7)));
    StationClock clock(pc);
    WriteLoginLog(st.dm(), clock, QStringLiteral("001"));
    pc.advanceMs(61000);
    WriteLogoutLog(st.dm(), clock, QStringLiteral("001"));
    const QStringList rows = st.rows(QStringLiteral(
        "select Logb_datetime, Logb_mrzy, Logb_loginfo, Logb_mkmc, Logb_user, Logb_gzzd, "
        "logb_xtbl, Logb_mkjp from logb order by Logb_datetime"));
    QCOMPARE(rows,
             (QStringList{QStringLiteral("2026-07-15 09:05:03|操作员登录|001登录系统|出品划菜|001|"
                                         "默认工作站|N|roze"),
                          QStringLiteral("2026-07-15 09:06:04|操作员登录|001退出登录|出品划菜|001|"
                                         "默认工作站|N|roze")}));
    const QStringList ids =
        st.rows(QStringLiteral("select logb_id from logb order by Logb_datetime"));
    QVERIFY2(ids.at(0).startsWith(QStringLiteral("RZ26715953")), qPrintable(ids.at(0)));
    QVERIFY2(ids.at(1).startsWith(QStringLiteral("RZ26715964")), qPrintable(ids.at(1)));
}

void SessionRegistryTest::statementsLetErrorsThrough() {
    TestStation st;
    st.exec(QStringLiteral("drop table khdzt"));
    st.exec(QStringLiteral("drop table logb"));
    ManualTimeSource pc(QDateTime(QDate(2026, 7, 15), QTime(9, 0)));
    StationClock clock(pc);
    QVERIFY_THROWS_EXCEPTION(DbError, TouchSession(st.dm(), QStringLiteral("A")));
    QVERIFY_THROWS_EXCEPTION(DbError, UnregisterSession(st.dm(), QStringLiteral("A")));
    QVERIFY_THROWS_EXCEPTION(DbError, RegisterSession(st.dm(), "A", "w", "001", "m", "ip"));
    QVERIFY_THROWS_EXCEPTION(DbError, WriteLoginLog(st.dm(), clock, QStringLiteral("001")));
}

void SessionRegistryTest::sqlServerTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("register") << "RegisterSession"
                              << "insert into khdzt(khdzt_id,khdzt_gzzdmc,khdzt_gzzdip,khdzt_user,"
                                 "khdzt_dlsj,khdzt_zhgxsj,khdzt_mkmc) values (:a1,:a2,:a3,:a4,"
                                 "getdate(),getdate(),:a7) ";
    QTest::newRow("touch") << "TouchSession"
                           << "update khdzt set khdzt_zhgxsj=getdate() where khdzt_id= :a1";
    QTest::newRow("unregister") << "UnregisterSession"
                                << "delete from khdzt where khdzt_id= :a1";
    QTest::newRow("log") << "WriteOperationLog"
                         << "insert into logb(logb_id,Logb_datetime,Logb_mrzy,Logb_loginfo,"
                            "Logb_mkmc,Logb_user,Logb_gzzd,logb_xtbl,Logb_mkjp) values (:a1,:a2,"
                            ":a3,:a4,:a5,:a6,:a7,:a8,:a9) ";
    QTest::newRow("operators") << "LoginOperators"
                               << "select * from users  order by user_xh";
}

// The text other ERP clients and the administrator's indexes expect, character for character.
void SessionRegistryTest::sqlServerTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    const StatementCatalogue catalogue = BuildStatementCatalogue();
    const CatalogueStatement* s = catalogue.find(name);
    QVERIFY(s);
    QCOMPARE(s->build(SqlServerDialect(), {}), text);
}

void SessionRegistryTest::unresolvableHostGivesLoopback() {
    QCOMPARE(IpAddressOfHost(QStringLiteral("no-such-host.invalid")), QStringLiteral("127.0.0.1"));
    QCOMPARE(IpAddressOfHost(QStringLiteral("127.0.0.1")), QStringLiteral("127.0.0.1"));
}

void SessionRegistryTest::stationAddress_data() {
    using A = QList<QHostAddress>;
    const QHostAddress lan(QStringLiteral("192.168.1.20"));
    const QHostAddress wlan(QStringLiteral("10.0.0.7"));
    const QHostAddress loop(QStringLiteral("127.0.0.1"));
    const QHostAddress debianName(QStringLiteral("127.0.1.1"));
    const QHostAddress v6(QStringLiteral("fe80::1"));
    QTest::addColumn<A>("resolved");
    QTest::addColumn<A>("interfaces");
    QTest::addColumn<QString>("address");
    QTest::newRow("name gives the network address")
        << A{v6, lan} << A{loop, wlan} << "192.168.1.20";
    QTest::newRow("name gives loopback")
        << A{debianName} << A{loop, v6, lan, wlan} << "192.168.1.20";
    QTest::newRow("loopback and no network") << A{debianName} << A{loop, v6} << "127.0.1.1";
    QTest::newRow("not resolved") << A{} << A{lan} << "127.0.0.1";
    QTest::newRow("ipv6 only") << A{v6} << A{lan} << "127.0.0.1";
}

void SessionRegistryTest::stationAddress() {
    QFETCH(QList<QHostAddress>, resolved);
    QFETCH(QList<QHostAddress>, interfaces);
    QFETCH(QString, address);
    QCOMPARE(ChooseStationAddress(resolved, interfaces), address);
}

void SessionRegistryTest::secondGuardIsRefusedWhileTheFirstHoldsIt() {
    QTemporaryDir dir;
    {
        SingleInstanceGuard first(dir.path());
        QVERIFY(first.acquire());
        SingleInstanceGuard second(dir.path());
        QVERIFY(!second.acquire());
        QVERIFY(!second.held());
    }
    SingleInstanceGuard afterwards(dir.path());
    QVERIFY(afterwards.acquire());
}

QTEST_GUILESS_MAIN(SessionRegistryTest)
#include "SessionRegistryTest.moc"
