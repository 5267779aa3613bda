#include <QtTest>

#include "TestStation.h"
#include "core/db/ClockSync.h"

namespace {

class RecordingSetter final : public ClockSetter {
public:
    explicit RecordingSetter(bool accept) : accept_(accept) {}
    bool setLocalTime(const QDateTime& t) override {
        calls << t;
        return accept_;
    }
    QList<QDateTime> calls;

private:
    bool accept_;
};

const QDateTime kServer(QDate(2026, 7, 15), QTime(18, 30, 0, 500));

}  // namespace

class ClockSyncTest : public QObject {
    Q_OBJECT

private slots:
    void thresholdOf30Ms_data();
    void thresholdOf30Ms();
    void refusedKeepsAnOffsetOnce();
    void acceptedLeavesNoOffset();
    void clockQueryErrorReachesTheCaller();
};

void ClockSyncTest::thresholdOf30Ms_data() {
    QTest::addColumn<qint64>("pcMinusServer");
    QTest::addColumn<bool>("adjusted");
    QTest::newRow("same") << qint64(0) << false;
    QTest::newRow("30 ms behind") << qint64(-30) << false;
    QTest::newRow("30 ms ahead") << qint64(30) << false;
    QTest::newRow("31 ms behind") << qint64(-31) << true;
    QTest::newRow("31 ms ahead") << qint64(31) << true;
    QTest::newRow("a day behind") << qint64(-86400000) << true;
}

void ClockSyncTest::thresholdOf30Ms() {
    QFETCH(qint64, pcMinusServer);
    QFETCH(bool, adjusted);
    TestStation st(kServer);
    ManualTimeSource pc(kServer.addMSecs(pcMinusServer));
    StationClock clock(pc);
    RecordingSetter setter(true);
    const ClockSyncResult r = SyncClockWithServer(st.dm().ADOConn, clock, setter);
    QCOMPARE(r.serverTime, kServer);
    QCOMPARE(r.differenceMs, qAbs(pcMinusServer));
    QCOMPARE(r.adjusted, adjusted);
    QCOMPARE(setter.calls, adjusted ? QList<QDateTime>{kServer} : QList<QDateTime>{});
    QCOMPARE(clock.offsetMs(), 0);
}

void ClockSyncTest::refusedKeepsAnOffsetOnce() {
    TestStation st(kServer);
    ManualTimeSource pc(kServer.addMSecs(-31));
    StationClock clock(pc);
    RecordingSetter setter(false);
    ClockSyncResult r = SyncClockWithServer(st.dm().ADOConn, clock, setter);
    QVERIFY(r.adjusted);
    QVERIFY(!r.osClockSet);
    QCOMPARE(setter.calls.size(), 1);
    QCOMPARE(clock.offsetMs(), 31);
    QCOMPARE(clock.now(), kServer);
    // Both clocks go on; the next sync finds nothing to add.
    pc.advanceMs(60000);
    st.serverClock.advanceMs(60000);
    r = SyncClockWithServer(st.dm().ADOConn, clock, setter);
    QCOMPARE(r.differenceMs, 0);
    QVERIFY(!r.adjusted);
    QCOMPARE(clock.offsetMs(), 31);
    QCOMPARE(setter.calls.size(), 1);
    // The server drifts 100 ms away: the offset follows it.
    st.serverClock.advanceMs(-100);
    r = SyncClockWithServer(st.dm().ADOConn, clock, setter);
    QCOMPARE(clock.offsetMs(), -69);
    QCOMPARE(clock.now(), st.serverClock.now());
}

void ClockSyncTest::acceptedLeavesNoOffset() {
    TestStation st(kServer);
    ManualTimeSource pc(kServer.addSecs(-3600));
    StationClock clock(pc);
    clock.setOffsetMs(5000);  // left from an earlier refusal
    RecordingSetter setter(true);
    const ClockSyncResult r = SyncClockWithServer(st.dm().ADOConn, clock, setter);
    QVERIFY(r.adjusted && r.osClockSet);
    QCOMPARE(r.differenceMs, 3595000);
    QCOMPARE(clock.offsetMs(), 0);
    QCOMPARE(setter.calls, QList<QDateTime>{kServer});
    QCOMPARE(setter.calls.first().time().msec(), 500);
}

void ClockSyncTest::clockQueryErrorReachesTheCaller() {
    TestStation st(kServer);
    st.dm().ADOConn.close();
    ManualTimeSource pc(kServer);
    StationClock clock(pc);
    RecordingSetter setter(true);
    QVERIFY_THROWS_EXCEPTION(DbError, SyncClockWithServer(st.dm().ADOConn, clock, setter));
    QVERIFY(setter.calls.isEmpty());
}

QTEST_GUILESS_MAIN(ClockSyncTest)
#include "ClockSyncTest.moc"
