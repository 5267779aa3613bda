#include <QtTest>

#include "core/common/StationClock.h"
#include "core/common/TimeText.h"

class TimeTextTest : public QObject {
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void formats();
    void stationClockAddsItsOffset();
};

void TimeTextTest::parses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("time");  // invalid: not a time
    const QDate d(2026, 7, 15);
    QTest::newRow("seconds") << "2026-07-15 18:00:05" << QDateTime(d, QTime(18, 0, 5));
    QTest::newRow("milliseconds") << "2026-07-15 18:00:05.123"
                                  << QDateTime(d, QTime(18, 0, 5, 123));
    QTest::newRow("T and milliseconds")
        << "2026-07-15T18:00:05.007" << QDateTime(d, QTime(18, 0, 5, 7));
    QTest::newRow("one fraction digit is tenths")
        << "2026-07-15 18:00:05.5" << QDateTime(d, QTime(18, 0, 5, 500));
    QTest::newRow("two fraction digits")
        << "2026-07-15 18:00:05.25" << QDateTime(d, QTime(18, 0, 5, 250));
    QTest::newRow("microseconds cut")
        << "2026-07-15 18:00:05.123456" << QDateTime(d, QTime(18, 0, 5, 123));
    QTest::newRow("minutes only") << "2026-07-15 18:00" << QDateTime(d, QTime(18, 0));
    QTest::newRow("date only") << "2026-07-15" << QDateTime(d, QTime(0, 0));
    QTest::newRow("blanks around") << "  2026-07-15 18:00:05 " << QDateTime(d, QTime(18, 0, 5));
    QTest::newRow("no such day") << "2026-02-30 10:00:00" << QDateTime();
    QTest::newRow("words") << "yesterday" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("bad fraction") << "2026-07-15 18:00:05.x1" << QDateTime();
}

void TimeTextTest::parses() {
    QFETCH(QString, text);
    QFETCH(QDateTime, time);
    const QDateTime t = ParseDbTime(text);
    QCOMPARE(t.isValid(), time.isValid());
    if (time.isValid()) {
        QCOMPARE(t, time);
    }
}

void TimeTextTest::formats() {
    const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 5, 67));
    QCOMPARE(FormatDbTime(t), QStringLiteral("2026-01-02 03:04:05"));
    QCOMPARE(FormatDbTimeMs(t), QStringLiteral("2026-01-02 03:04:05.067"));
    QCOMPARE(ParseDbTime(FormatDbTimeMs(t)), t);
}

void TimeTextTest::stationClockAddsItsOffset() {
    const QDateTime start(QDate(2026, 7, 15), QTime(18, 0));
    ManualTimeSource pc(start);
    StationClock clock(pc);
    QCOMPARE(clock.now(), start);
    clock.setOffsetMs(-1500);
    pc.advanceMs(1000);
    QCOMPARE(clock.now(), start.addMSecs(-500));
}

QTEST_GUILESS_MAIN(TimeTextTest)
#include "TimeTextTest.moc"
