#include <QRandomGenerator>
#include <QtTest>

#include "TestStation.h"
#include "core/db/SqlHelpers.h"
#include "core/dishes/DishCommands.h"

// A thousand statement failures of every kind at random points of commands and list
// reads: nothing crashes, a failed command writes nothing, a command that says done wrote
// its line and only it, and every failure is reported as one.
class RandomFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void thousandFaults();
};

void RandomFaultsTest::thousandFaults() {
    TestStation st;
    ManualTickSource ticks;
    Connection& conn = st.dm().ADOConn;
    conn.setTickSource(ticks);
    const int lines = 20;
    QStringList expected;  // the state code each line must have
    for (int i = 0; i < lines; ++i) {
        st.addLine({{QStringLiteral("consume_bh"), QStringLiteral("L%1").arg(i)}});
        expected << QString();
    }
    QRandomGenerator random(20260715);
    std::optional<Connection::Fault> next;
    conn.setFaultPlan([&](const QString&, const QString&, bool) { return next; });
    const DbFailure kinds[] = {DbFailure::Statement, DbFailure::Busy, DbFailure::ConnectionLost};
    int injected = 0;
    int reported = 0;
    while (injected < 1000) {
        next.reset();
        if (random.bounded(2) == 0) {
            next = Connection::Fault{kinds[random.bounded(3)], QStringLiteral("fault")};
            ++injected;
        }
        const int line = static_cast<int>(random.bounded(lines));
        const QString key = QStringLiteral("L%1").arg(line);
        const int action = static_cast<int>(random.bounded(6));
        bool failed = false;
        if (action == 5) {
            failed = !OpenSqlParams(st.dm().ADO_cp,
                                    QStringLiteral("select * from Consume where consume_bh = :a1"),
                                    {key});
            QCOMPARE(st.dm().ADO_cp.isOpen(), !failed);
        } else {
            const DishState state =
                action == 4 ? DishState::Served : static_cast<DishState>(action);
            const CommandOutcome o = state == DishState::Served
                                         ? ServeDishLine(st.dm(), key, st.serverClock.now())
                                         : SetDishLineState(st.dm(), key, state);
            failed = o.result == CommandResult::Failed;
            if (next) {
                QCOMPARE(o.failure, next->failure);
                QVERIFY(!o.error.isEmpty());
            } else {
                QCOMPARE(o.result, CommandResult::Done);
                expected[line] = DishStateCode(state);
            }
        }
        QCOMPARE(failed, next.has_value());
        reported += failed ? 1 : 0;
        ticks.advance(Connection::kMaxReopenDelayMs);  // the next try may reopen at once
    }
    QCOMPARE(reported, injected);
    next.reset();
    conn.setFaultPlan({});
    for (int i = 0; i < lines; ++i) {
        QCOMPARE(st.scalar(QStringLiteral("select consume_Chupinlogo from Consume where "
                                          "consume_bh = :a1"),
                           {QStringLiteral("L%1").arg(i)})
                     .toString(),
                 expected.at(i));
    }
    QVERIFY(conn.reopenCount() > 0);
}

QTEST_GUILESS_MAIN(RandomFaultsTest)
#include "RandomFaultsTest.moc"
