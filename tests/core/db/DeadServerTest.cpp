#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTcpServer>
#include <QtTest>

#include "core/db/Connection.h"
#include "core/db/ConnectionSettings.h"

// A server that takes TCP connections (the kernel completes them) but never answers must
// not hang the station: the open fails within seconds.
class DeadServerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) {
            QSKIP("the Qt ODBC driver is not installed");
        }
        QFile odbc(QStringLiteral("/etc/odbcinst.ini"));
        if (!odbc.open(QIODevice::ReadOnly) || !odbc.readAll().contains("[FreeTDS]")) {
            QSKIP("FreeTDS is not registered with unixODBC");
        }
    }
    void silentListenerFailsInSeconds_data();
    void silentListenerFailsInSeconds();
    void nothingListeningFailsFast();

private:
    static ConnectionSettings freeTds(const QString& server) {
        ConnectionSettings s;
        s.engine = Engine::SqlServer;
        s.odbcDriver = QStringLiteral("FreeTDS");
        s.server = server;
        s.password = QStringLiteral("x");
        return s;
    }
};

void DeadServerTest::silentListenerFailsInSeconds_data() {
    QTest::addColumn<QString>("form");
    QTest::newRow("comma") << QStringLiteral("127.0.0.1,%1");
    QTest::newRow("colon") << QStringLiteral("127.0.0.1:%1");
}

void DeadServerTest::silentListenerFailsInSeconds() {
    QFETCH(QString, form);
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    Connection conn;
    QElapsedTimer timer;
    timer.start();
    const bool opened = conn.open(freeTds(form.arg(silent.serverPort())), QDir::tempPath());
    const qint64 ms = timer.elapsed();
    QVERIFY(!opened);
    QVERIFY(!conn.isOpen());
    QVERIFY(!conn.lastError().isEmpty());
    QVERIFY2(ms < 20000, qPrintable(QStringLiteral("took %1 ms").arg(ms)));
    // It really talked to this port: the connection reached the listener.
    QVERIFY(silent.hasPendingConnections() || silent.waitForNewConnection(0));
}

void DeadServerTest::nothingListeningFailsFast() {
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    Connection conn;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!conn.open(freeTds(QStringLiteral("127.0.0.1,%1").arg(port)), QDir::tempPath()));
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!conn.lastError().isEmpty());
}

QTEST_GUILESS_MAIN(DeadServerTest)
#include "DeadServerTest.moc"
