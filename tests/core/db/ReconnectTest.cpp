#include <unistd.h>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include "TestStation.h"
#include "core/db/EmbeddedSchema.h"
#include "core/db/SqlHelpers.h"
#include "core/dishes/DishCommands.h"

Q_DECLARE_METATYPE(DbFailure)

namespace {

// A look at a database file of its own, past the station's connection and its faults.
QStringList RawRows(const QString& path, const QString& sql) {
    QStringList out;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql)) {
                while (q.next()) {
                    out << q.value(0).toString();
                }
            } else {
                out << QStringLiteral("error: ") + q.lastError().text();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return out;
}

QString StateOf(const QString& path, const QString& line) {
    const QStringList r = RawRows(
        path,
        QStringLiteral("select consume_Chupinlogo from Consume where consume_bh = '%1'").arg(line));
    return r.isEmpty() ? QStringLiteral("(no line)") : r.first();
}

// What a statement throws; nothing when it ran.
std::optional<DbError> Failure(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const DbError& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace

class ReconnectTest : public QObject {
    Q_OBJECT

private slots:
    void faultFailsEveryStatement_data();
    void faultFailsEveryStatement();
    void lostConnectionReopensOnTheNextStatement();
    void reopeningBacksOffWhileTheServerStaysAway();
    void deletedFileIsNeverWritten();
    void replacedFileIsNeverWrittenAndIsReopened();
    void damagedFileIsReopenedWhenPutBack();

private:
    static void addLine(TestStation& st, const QString& line) {
        st.addLine({{QStringLiteral("consume_bh"), line}});
    }
};

void ReconnectTest::faultFailsEveryStatement_data() {
    QTest::addColumn<DbFailure>("failure");
    QTest::newRow("statement") << DbFailure::Statement;
    QTest::newRow("busy") << DbFailure::Busy;
    QTest::newRow("connection lost") << DbFailure::ConnectionLost;
}

void ReconnectTest::faultFailsEveryStatement() {
    QFETCH(DbFailure, failure);
    TestStation st;
    ManualTickSource ticks;
    Connection& conn = st.dm().ADOConn;
    conn.setTickSource(ticks);
    addLine(st, QStringLiteral("L1"));

    conn.setFault(failure);
    const CommandOutcome served =
        ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now());
    QCOMPARE(served.result, CommandResult::Failed);
    QCOMPARE(served.failure, failure);
    QVERIFY(!served.error.isEmpty());
    const std::optional<DbError> read =
        Failure([&] { st.rows(QStringLiteral("select * from room")); });
    QVERIFY(read);
    QCOMPARE(read->failure(), failure);
    QVERIFY(!OpenSqlParams(st.dm().ADO_cp, QStringLiteral("select * from Consume"), {}));
    QVERIFY(!st.dm().ADO_cp.isOpen());
    QCOMPARE(conn.broken(), failure == DbFailure::ConnectionLost);
    QCOMPARE(StateOf(st.databasePath(), QStringLiteral("L1")), QString());

    conn.setFault(std::nullopt);
    ticks.advance(Connection::kMaxReopenDelayMs);  // the reopening tried meanwhile failed
    QVERIFY(ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now()).done());
    QCOMPARE(StateOf(st.databasePath(), QStringLiteral("L1")), QStringLiteral("4"));
    QCOMPARE(conn.reopenCount(), failure == DbFailure::ConnectionLost ? 1 : 0);
    QVERIFY(!conn.broken());
}

void ReconnectTest::lostConnectionReopensOnTheNextStatement() {
    TestStation st;
    ManualTickSource ticks;
    Connection& conn = st.dm().ADOConn;
    conn.setTickSource(ticks);
    addLine(st, QStringLiteral("L1"));
    QVERIFY(OpenSqlParams(st.dm().ADO_cp, QStringLiteral("select consume_bh from Consume"), {}));

    conn.setFault(DbFailure::ConnectionLost);
    const std::optional<DbError> e = Failure([&] { st.dm().ADO_cp.rerun(); });
    QVERIFY(e && e->connectionLost());
    QVERIFY(!conn.isOpen());
    conn.setFault(std::nullopt);

    // The same query objects, no restart; the engine's functions are there again.
    st.dm().ADO_cp.rerun();
    QCOMPARE(st.dm().ADO_cp.asString(QStringLiteral("consume_bh")), QStringLiteral("L1"));
    QVERIFY(OpenSqlParams(st.dm().ADO_Public, QStringLiteral("select getdate() as t"), {}));
    QCOMPARE(st.dm().ADO_Public.asDateTime(QStringLiteral("t")), st.serverClock.now());
    QVERIFY(SetDishLineState(st.dm(), QStringLiteral("L1"), DishState::Urgent).done());
    QCOMPARE(conn.reopenCount(), 1);
    QCOMPARE(conn.reopenAttempts(), 1);
}

void ReconnectTest::reopeningBacksOffWhileTheServerStaysAway() {
    TestStation st;
    ManualTickSource ticks;
    Connection& conn = st.dm().ADOConn;
    conn.setTickSource(ticks);
    const auto statement = [&] { return Failure([&] { st.scalar(QStringLiteral("select 1")); }); };

    conn.setFault(DbFailure::ConnectionLost);
    QVERIFY(statement());  // breaks the connection
    QCOMPARE(conn.reopenAttempts(), 0);
    QVERIFY(statement());  // the first try is at once, and fails: the server is away
    QCOMPARE(conn.reopenAttempts(), 1);
    // Then 1 s, 2 s, 4 s, ... at most 25 s between tries; statements in between fail at once.
    int expectedDelay = 1000;
    for (int attempt = 2; attempt <= 9; ++attempt) {
        ticks.advance(expectedDelay - 1);
        const std::optional<DbError> e = statement();
        QVERIFY(e && e->connectionLost());
        QCOMPARE(conn.reopenAttempts(), attempt - 1);
        ticks.advance(1);
        QVERIFY(statement());
        QCOMPARE(conn.reopenAttempts(), attempt);
        expectedDelay = std::min(expectedDelay * 2, Connection::kMaxReopenDelayMs);
    }
    QCOMPARE(expectedDelay, Connection::kMaxReopenDelayMs);

    conn.setFault(std::nullopt);
    ticks.advance(Connection::kMaxReopenDelayMs);
    QVERIFY(!statement());
    QCOMPARE(conn.reopenCount(), 1);
    // A good statement ends the back-off: the next loss is mended at once again.
    conn.setFault(DbFailure::ConnectionLost);
    QVERIFY(statement());
    conn.setFault(std::nullopt);
    QVERIFY(!statement());
    QCOMPARE(conn.reopenCount(), 2);
}

void ReconnectTest::deletedFileIsNeverWritten() {
    TestStation st;
    ManualTickSource ticks;
    st.dm().ADOConn.setTickSource(ticks);
    addLine(st, QStringLiteral("L1"));
    st.scalar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString path = st.databasePath();
    // A second name keeps the deleted file readable, as SQLite's open handle would.
    const QString kept = QDir(st.folder()).filePath(QStringLiteral("kept.db"));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(kept).constData()), 0);
    QVERIFY(QFile::remove(path));

    const CommandOutcome served =
        ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now());
    QCOMPARE(served.result, CommandResult::Failed);
    QCOMPARE(served.failure, DbFailure::ConnectionLost);
    QVERIFY2(served.error.contains(QStringLiteral("已被删除")), qPrintable(served.error));
    QVERIFY(!SetDishLineState(st.dm(), QStringLiteral("L1"), DishState::Urgent).done());
    QVERIFY(!QFileInfo::exists(path));  // reopening creates no empty database
    QCOMPARE(StateOf(kept, QStringLiteral("L1")), QString());

    // Put back: the next statement after the back-off opens it again.
    QVERIFY(QFile::rename(kept, path));
    ticks.advance(1000);
    QVERIFY(ServeDishLine(st.dm(), QStringLiteral("L1"), st.serverClock.now()).done());
    QCOMPARE(StateOf(path, QStringLiteral("L1")), QStringLiteral("4"));
}

void ReconnectTest::replacedFileIsNeverWrittenAndIsReopened() {
    TestStation st;
    ManualTickSource ticks;
    st.dm().ADOConn.setTickSource(ticks);
    for (int i = 0; i < 50; ++i) {
        addLine(st, QStringLiteral("OLD%1").arg(i));  // pages in the station's write-ahead log
    }
    // Another valid database of the ERP, moved over the file (a restore, say).
    QTemporaryDir other;
    const QString newcomer = QDir(other.path()).filePath(QStringLiteral("tzcyerp.db"));
    QString error;
    QVERIFY2(CreateEmbeddedDatabaseFile(newcomer, &error), qPrintable(error));
    {
        Connection c;
        ConnectionSettings s;
        s.engine = Engine::Sqlite;
        QVERIFY(c.open(s, other.path()));
        QueryObject q(c, QStringLiteral("Fixture"));
        q.setSql(
            QStringLiteral("insert into Consume (consume_bh, consume_num, consume_Chupinlogo) "
                           "values ('NEW', 1, '')"));
        q.execute();
        q.setSql(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        q.open();
    }
    // As mv does it: the path names the newcomer at once.
    QCOMPARE(::rename(QFile::encodeName(newcomer).constData(),
                      QFile::encodeName(st.databasePath()).constData()),
             0);

    const CommandOutcome served =
        ServeDishLine(st.dm(), QStringLiteral("OLD1"), st.serverClock.now());
    QCOMPARE(served.result, CommandResult::Failed);
    QCOMPARE(served.failure, DbFailure::ConnectionLost);
    // The next statement works on the database now at the path, and leaves it whole.
    QCOMPARE(ServeDishLine(st.dm(), QStringLiteral("OLD1"), st.serverClock.now()).result,
             CommandResult::NoLine);
    QVERIFY(ServeDishLine(st.dm(), QStringLiteral("NEW"), st.serverClock.now()).done());
    QCOMPARE(StateOf(st.databasePath(), QStringLiteral("NEW")), QStringLiteral("4"));
    QCOMPARE(RawRows(st.databasePath(), QStringLiteral("pragma integrity_check")),
             QStringList{QStringLiteral("ok")});
    QCOMPARE(RawRows(st.databasePath(), QStringLiteral("select count(*) from Consume")),
             QStringList{QStringLiteral("1")});
}

void ReconnectTest::damagedFileIsReopenedWhenPutBack() {
    TestStation st;
    ManualTickSource ticks;
    Connection& conn = st.dm().ADOConn;
    conn.setTickSource(ticks);
    for (int i = 0; i < 300; ++i) {
        addLine(st, QStringLiteral("L%1").arg(i));
    }
    st.scalar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    ConnectionSettings settings;
    settings.engine = Engine::Sqlite;
    QVERIFY(conn.open(settings, st.folder()));  // nothing of the lines in its cache
    const QString path = st.databasePath();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    // Damaged where it lies (the same file, so its identity stays).
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(good.size(), 'x'));
    file.close();
    const std::optional<DbError> e =
        Failure([&] { st.rows(QStringLiteral("select consume_bh from Consume")); });
    QVERIFY(e);
    QVERIFY2(e->connectionLost(), qPrintable(e->text()));
    QVERIFY(!conn.isOpen());
    QVERIFY(SetDishLineState(st.dm(), QStringLiteral("L1"), DishState::Urgent).failure ==
            DbFailure::ConnectionLost);  // the reopening finds it still damaged

    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(good);
    file.close();
    ticks.advance(Connection::kMaxReopenDelayMs);
    QVERIFY(SetDishLineState(st.dm(), QStringLiteral("L1"), DishState::Urgent).done());
    QCOMPARE(StateOf(path, QStringLiteral("L1")), QStringLiteral("1"));
    QCOMPARE(RawRows(path, QStringLiteral("pragma integrity_check")),
             QStringList{QStringLiteral("ok")});
}

QTEST_GUILESS_MAIN(ReconnectTest)
#include "ReconnectTest.moc"
