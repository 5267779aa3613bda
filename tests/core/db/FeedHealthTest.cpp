#include <QSignalSpy>
#include <QtTest>

#include "core/common/StationClock.h"
#include "core/db/FeedHealth.h"

class FeedHealthTest : public QObject {
    Q_OBJECT

private slots:
    void init() { time_.set(QDateTime(QDate(2026, 7, 15), QTime(18, 30, 5))); }
    void retryInterval_data();
    void retryInterval();
    void bandFromTheFirstFailureUntilTheNextGoodTick();
    void eachDataFeedClearsOnlyItself();
    void commandsAndHeartbeatCountOnlyALostConnection();
    void bandTexts_data();
    void bandTexts();

private:
    ManualTimeSource time_{QDateTime(QDate(2026, 7, 15), QTime(18, 30, 5))};
    StationClock clock_{time_};
};

void FeedHealthTest::retryInterval_data() {
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("interval");
    QTest::newRow("good tick") << 5000 << 0 << 5000;
    QTest::newRow("first failure: the next interval") << 5000 << 1 << 5000;
    QTest::newRow("second") << 5000 << 2 << 10000;
    QTest::newRow("third") << 5000 << 3 << 20000;
    QTest::newRow("capped") << 5000 << 4 << 30000;
    QTest::newRow("long outage") << 5000 << 1000000 << 30000;
    QTest::newRow("heartbeat sooner while failing") << 300000 << 1 << 30000;
    QTest::newRow("heartbeat good") << 300000 << 0 << 300000;
    QTest::newRow("short interval") << 1000 << 3 << 4000;
}

void FeedHealthTest::retryInterval() {
    QFETCH(int, normal);
    QFETCH(int, failures);
    QFETCH(int, interval);
    QCOMPARE(RetryIntervalMs(normal, failures), interval);
}

void FeedHealthTest::bandFromTheFirstFailureUntilTheNextGoodTick() {
    FeedHealth health(clock_);
    QSignalSpy changed(&health, &FeedHealth::changed);
    health.reportSuccess(Feed::Board);
    QVERIFY(health.current());
    QCOMPARE(health.bandText(), QString());
    QCOMPARE(changed.count(), 0);

    time_.advanceMs(5000);
    health.reportFailure(Feed::Board, DbError(QStringLiteral("x"), DbFailure::ConnectionLost));
    QVERIFY(!health.current());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(health.bandText(),
             QStringLiteral("数据库连接中断，显示的是 18:30:05 的数据，正在重试"));
    QCOMPARE(health.failingSince(), QDateTime(QDate(2026, 7, 15), QTime(18, 30, 10)));
    QCOMPARE(health.lastError(), QStringLiteral("x"));
    int expected[] = {5000, 10000, 20000, 30000, 30000};
    QCOMPARE(health.nextIntervalMs(Feed::Board, 5000), expected[0]);
    for (int i = 1; i < 5; ++i) {
        time_.advanceMs(health.nextIntervalMs(Feed::Board, 5000));
        health.reportFailure(Feed::Board, DbFailure::ConnectionLost, QStringLiteral("x"));
        QCOMPARE(health.nextIntervalMs(Feed::Board, 5000), expected[i]);
    }
    QCOMPARE(changed.count(), 1);  // the same band all along
    QCOMPARE(health.failingSince(), QDateTime(QDate(2026, 7, 15), QTime(18, 30, 10)));

    time_.advanceMs(30000);
    health.reportSuccess(Feed::Board);
    QVERIFY(health.current());
    QCOMPARE(health.bandText(), QString());
    QCOMPARE(health.failingSince(), QDateTime());
    QCOMPARE(health.nextIntervalMs(Feed::Board, 5000), 5000);
    QCOMPARE(changed.count(), 2);
}

void FeedHealthTest::eachDataFeedClearsOnlyItself() {
    FeedHealth health(clock_);
    QSignalSpy changed(&health, &FeedHealth::changed);
    health.reportSuccess(Feed::Board);
    health.reportSuccess(Feed::Reminder);
    time_.advanceMs(60000);
    health.reportSuccess(Feed::Board);
    health.reportFailure(Feed::Reminder, DbFailure::Statement, QStringLiteral("no such table"));
    // The reminder's list is the older picture on screen.
    QCOMPARE(health.bandText(), QStringLiteral("读取数据失败，显示的是 18:30:05 的数据，正在重试"));
    health.reportSuccess(Feed::Board);
    health.reportSuccess(Feed::Heartbeat);
    QVERIFY(health.failing(Feed::Reminder));
    QVERIFY(!health.current());
    health.reportSuccess(Feed::Reminder);
    QVERIFY(health.current());
    QCOMPARE(changed.count(), 2);
}

void FeedHealthTest::commandsAndHeartbeatCountOnlyALostConnection() {
    FeedHealth health(clock_);
    health.reportSuccess(Feed::Board);
    // A lock or a refused update is told where the command was given, not in the band.
    health.reportFailure(Feed::Command, DbFailure::Busy, QStringLiteral("locked"));
    health.reportFailure(Feed::Heartbeat, DbFailure::Statement, QStringLiteral("no khdzt"));
    QVERIFY(health.current());
    QCOMPARE(health.failures(Feed::Heartbeat), 1);
    QCOMPARE(health.nextIntervalMs(Feed::Heartbeat, 300000), 30000);

    health.reportFailure(Feed::Command, DbFailure::ConnectionLost, QStringLiteral("lost"));
    QVERIFY(!health.current());
    QCOMPARE(health.bandText(),
             QStringLiteral("数据库连接中断，显示的是 18:30:05 的数据，正在重试"));
    health.reportSuccess(Feed::Heartbeat);  // the connection works again
    QVERIFY(health.current());
}

void FeedHealthTest::bandTexts_data() {
    QTest::addColumn<bool>("readBefore");
    QTest::addColumn<int>("failure");
    QTest::addColumn<qint64>("laterMs");
    QTest::addColumn<QString>("text");
    QTest::newRow("locked") << true << int(DbFailure::Busy) << qint64(0)
                            << QStringLiteral(
                                   "数据库被其他程序锁定，显示的是 18:30:05 的数据，正在重试");
    QTest::newRow("never read") << false << int(DbFailure::ConnectionLost) << qint64(0)
                                << QStringLiteral("数据库连接中断，还没有读到数据，正在重试");
    QTest::newRow("past midnight")
        << true << int(DbFailure::ConnectionLost) << qint64(6 * 3600 * 1000)
        << QStringLiteral("数据库连接中断，显示的是 7月15日 18:30:05 的数据，正在重试");
}

void FeedHealthTest::bandTexts() {
    QFETCH(bool, readBefore);
    QFETCH(int, failure);
    QFETCH(qint64, laterMs);
    QFETCH(QString, text);
    FeedHealth health(clock_);
    if (readBefore) {
        health.reportSuccess(Feed::Board);
    }
    time_.advanceMs(laterMs);
    health.reportFailure(Feed::Board, static_cast<DbFailure>(failure), QStringLiteral("e"));
    QCOMPARE(health.bandText(), text);
}

QTEST_GUILESS_MAIN(FeedHealthTest)
#include "FeedHealthTest.moc"
