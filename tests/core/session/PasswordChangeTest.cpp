#include <QtTest>

#include "TestStation.h"
#include "core/db/StatementCatalogue.h"
#include "core/session/Md5Hex.h"
#include "core/session/PasswordChange.h"

class PasswordChangeTest : public QObject {
    Q_OBJECT

private slots:
    void statementTexts();
    void stored_data();
    void stored();
    void goneOperatorAndFailure();
};

void PasswordChangeTest::statementTexts() {
    const StatementCatalogue c = BuildStatementCatalogue();
    QCOMPARE(c.find(QStringLiteral("PasswordClear"))->build(SqlServerDialect(), {}),
             QStringLiteral("update users set user_mm=' ' where user_bh=:a2"));
    QCOMPARE(c.find(QStringLiteral("PasswordSet"))->build(SqlServerDialect(), {}),
             QStringLiteral("update users set user_mm=:a1 where user_bh=:a2"));
}

void PasswordChangeTest::stored_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("userMm");
    QTest::newRow("digits") << "123"
                            << "202CB962AC59075B964B07152D234B70";
    QTest::newRow("letters, upper-case hex") << "abc"
                                             << "900150983CD24FB0D6963F7D28E17F72";
    // GBK bytes, not UTF-8: what every other program of the ERP computes.
    QTest::newRow("chinese") << "密码"
                             << "D2293E30F0C964C5F6242486AA8A483C";
    QTest::newRow("empty is a blank") << ""
                                      << " ";
}

void PasswordChangeTest::stored() {
    QFETCH(QString, password);
    QFETCH(QString, userMm);
    TestStation st;
    st.exec("insert into users values ('001', 'old', 1), ('002', 'other', 2)");
    QVERIFY(StoreOperatorPassword(st.dm(), "001", password).done());
    QCOMPARE(st.rows("select user_bh, user_mm from users order by user_bh"),
             (QStringList{"001|" + userMm, "002|other"}));
    QVERIFY(PasswordMatches(userMm, password));
    QVERIFY(userMm == " " || (userMm.size() == 32 && userMm == userMm.toUpper()));
}

void PasswordChangeTest::goneOperatorAndFailure() {
    TestStation st;
    st.exec("insert into users values ('002', 'other', 2)");
    QCOMPARE(StoreOperatorPassword(st.dm(), "001", "x").result, CommandResult::NoLine);
    QCOMPARE(StoreOperatorPassword(st.dm(), "001", "").result, CommandResult::NoLine);
    st.exec("drop table users");
    const CommandOutcome failed = StoreOperatorPassword(st.dm(), "002", "x");
    QCOMPARE(failed.result, CommandResult::Failed);
    QVERIFY(!failed.error.isEmpty());
}

QTEST_GUILESS_MAIN(PasswordChangeTest)
#include "PasswordChangeTest.moc"
