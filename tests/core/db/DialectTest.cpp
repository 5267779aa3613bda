#include <QtTest>

#include "TestStation.h"
#include "core/db/Dialect.h"

class DialectTest : public QObject {
    Q_OBJECT

private slots:
    void sqlServerTexts();
    void minuteBoundaries_data();
    void minuteBoundaries();
    void shortTimeText_data();
    void shortTimeText();
    void getdateKeepsMilliseconds();
};

void DialectTest::sqlServerTexts() {
    const Dialect& d = SqlServerDialect();
    QCOMPARE(d.minutesSince(QStringLiteral("consume_begintime")),
             QStringLiteral("DATEDIFF(mi, consume_begintime, getdate())"));
    QCOMPARE(d.shortTimeText(QStringLiteral("consume_begintime")),
             QStringLiteral("right(CONVERT(varchar(100), consume_begintime, 20),14)"));
    QCOMPARE(d.concat({QStringLiteral("'a'"), QStringLiteral("b")}), QStringLiteral("'a'+b"));
    QCOMPARE(d.selectTop(20) + QStringLiteral("x from t") + d.limitClause(20),
             QStringLiteral("select top 20 x from t"));
    const Dialect& e = SqliteDialect();
    QCOMPARE(e.selectTop(20) + QStringLiteral("x from t") + e.limitClause(20),
             QStringLiteral("select x from t limit 20"));
}

void DialectTest::minuteBoundaries_data() {
    QTest::addColumn<QVariant>("begin");
    QTest::addColumn<QDateTime>("server");
    QTest::addColumn<QVariant>("minutes");
    const QDate day(2026, 7, 15);
    QTest::newRow("end of a minute to the next")
        << QVariant("2026-07-15 18:00:59") << QDateTime(day, QTime(18, 1, 0)) << QVariant(1);
    QTest::newRow("same minute") << QVariant("2026-07-15 18:00:00")
                                 << QDateTime(day, QTime(18, 0, 59, 999)) << QVariant(0);
    QTest::newRow("59 seconds over two boundaries")
        << QVariant("2026-07-15 18:00:30") << QDateTime(day, QTime(18, 1, 29)) << QVariant(1);
    QTest::newRow("long wait") << QVariant("2026-07-15 17:00:00.500")
                               << QDateTime(day, QTime(18, 30, 0)) << QVariant(90);
    QTest::newRow("across midnight") << QVariant("2026-07-15 23:59:59")
                                     << QDateTime(day.addDays(1), QTime(0, 0, 1)) << QVariant(1);
    QTest::newRow("across a month") << QVariant("2026-07-31 23:58:00")
                                    << QDateTime(QDate(2026, 8, 1), QTime(0, 2, 0)) << QVariant(4);
    QTest::newRow("order time ahead of the server")
        << QVariant("2026-07-15 18:02:00") << QDateTime(day, QTime(18, 0, 0)) << QVariant(-2);
    QTest::newRow("T form") << QVariant("2026-07-15T18:00:59") << QDateTime(day, QTime(18, 1, 0))
                            << QVariant(1);
    QTest::newRow("null") << QVariant() << QDateTime(day, QTime(18, 0, 0)) << QVariant();
    QTest::newRow("not a time") << QVariant("soon") << QDateTime(day, QTime(18, 0, 0))
                                << QVariant();
}

void DialectTest::minuteBoundaries() {
    QFETCH(QVariant, begin);
    QFETCH(QDateTime, server);
    QFETCH(QVariant, minutes);
    TestStation st(server);
    st.addLine({{QStringLiteral("consume_begintime"), begin}});
    const QVariant v = st.scalar(
        QStringLiteral("select %1 from Consume")
            .arg(st.dm().ADOConn.dialect().minutesSince(QStringLiteral("consume_begintime"))));
    QCOMPARE(v.isNull(), minutes.isNull());
    if (!minutes.isNull()) {
        QCOMPARE(v.toInt(), minutes.toInt());
    }
}

void DialectTest::shortTimeText_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("seconds") << "2026-07-15 18:00:05"
                             << "07-15 18:00:05";
    QTest::newRow("milliseconds dropped") << "2026-12-31 23:59:59.123"
                                          << "12-31 23:59:59";
    QTest::newRow("T form") << "2026-01-02T03:04:05"
                            << "01-02 03:04:05";
}

void DialectTest::shortTimeText() {
    QFETCH(QString, stored);
    TestStation st;
    st.addLine({{QStringLiteral("consume_begintime"), stored}});
    const QString sql =
        QStringLiteral("select %1 as consume_begintime from Consume")
            .arg(st.dm().ADOConn.dialect().shortTimeText(QStringLiteral("consume_begintime")));
    const QString shown = st.scalar(sql).toString();
    QTEST(shown, "shown");
    QCOMPARE(shown.size(), 14);
}

void DialectTest::getdateKeepsMilliseconds() {
    TestStation st(QDateTime(QDate(2026, 7, 15), QTime(18, 30, 0, 7)));
    QCOMPARE(st.scalar(QStringLiteral("select getdate()")).toString(),
             QStringLiteral("2026-07-15 18:30:00.007"));
    st.serverClock.advanceMs(1001);
    QCOMPARE(st.scalar(QStringLiteral("select GetDate()")).toString(),
             QStringLiteral("2026-07-15 18:30:01.008"));
}

QTEST_GUILESS_MAIN(DialectTest)
#include "DialectTest.moc"
