#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "core/db/ConnectionSettings.h"
#include "core/db/IniFile.h"
#include "core/db/PasswordScrambler.h"

namespace {

using Pairs = QList<QPair<QString, QString>>;

// How the drivers themselves split a connection string. Microsoft: a braced value ends at
// a single "}", "}}" standing for one. FreeTDS: a braced value ends at the first "};".
bool ParseConnectionString(const QString& s, bool freeTds, Pairs* out) {
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype eq = s.indexOf(QLatin1Char('='), i);
        if (eq < 0) {
            return false;
        }
        const QString key = s.mid(i, eq - i);
        QString value;
        qsizetype j = eq + 1;
        if (j < s.size() && s.at(j) == QLatin1Char('{')) {
            ++j;
            if (freeTds) {
                const qsizetype end = s.indexOf(QLatin1String("};"), j);
                if (end < 0) {
                    return false;
                }
                value = s.mid(j, end - j);
                j = end + 1;
            } else {
                for (;;) {
                    if (j >= s.size()) {
                        return false;
                    }
                    if (s.at(j) == QLatin1Char('}')) {
                        if (j + 1 < s.size() && s.at(j + 1) == QLatin1Char('}')) {
                            value += QLatin1Char('}');
                            j += 2;
                            continue;
                        }
                        ++j;
                        break;
                    }
                    value += s.at(j++);
                }
            }
            if (j >= s.size() || s.at(j) != QLatin1Char(';')) {
                return false;
            }
        } else {
            const qsizetype end = s.indexOf(QLatin1Char(';'), j);
            if (end < 0) {
                return false;
            }
            value = s.mid(j, end - j);
            j = end;
        }
        out->append({key, value});
        i = j + 1;
    }
    return true;
}

}  // namespace

class ConnectionSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void decodesFixedVectors_data();
    void decodesFixedVectors();
    void hexStageQuirks_data();
    void hexStageQuirks();
    void scrambleRoundTrip_data();
    void scrambleRoundTrip();

    void settingsRoundTrip();
    void fileWithoutTheKeysMeansLocalSqlServer();
    void keysInOtherCaseAndBlanks();

    void connectionStringKeepsEveryValueWhole_data();
    void connectionStringKeepsEveryValueWhole();
    void freeTdsCannotCarryBraceSemicolon();
    void emptyDriverMeansThePlatformDefault();
    void stationFolder_data();
    void stationFolder();
};

void ConnectionSettingsTest::decodesFixedVectors_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("plain");
    // Worked through the running key by hand from the seed 0x6A3D.
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("byte equal to the key's high byte") << "6A"
                                                       << "j";
    QTest::newRow("zero byte xors to the same letter") << "00"
                                                       << "j";
    QTest::newRow("sa") << "19F0"
                        << "sa";
    QTest::newRow("digits") << "5BA65AB820DD"
                            << "123456";
    QTest::newRow("chinese") << "A94B481D"
                             << "密码";
    QTest::newRow("odd length ignores the last") << "19F0X"
                                                 << "sa";
    QTest::newRow("one character") << "6"
                                   << "";
}

void ConnectionSettingsTest::decodesFixedVectors() {
    QFETCH(QString, stored);
    QTEST(DescramblePassword(stored, kPasswordSeed), "plain");
}

void ConnectionSettingsTest::hexStageQuirks_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("upper") << "6A" << QByteArray("\x6A");
    QTest::newRow("lower-case is no hex digit") << "6a" << QByteArray("\x8A");  // 6*16 + (97-55)
    QTest::newRow("lower ff") << "ff" << QByteArray("\x1F");  // (102-55)*17 = 799, low 8 bits
    // As the first digit a lower-case letter happens to give the same byte: 16*47 = 0x2F0.
    QTest::newRow("lower first digit") << "f0" << QByteArray("\xF0");
    QTest::newRow("G is sixteen") << "G0" << QByteArray("\x00", 1);
    QTest::newRow("odd") << "41424" << QByteArray("AB");
}

void ConnectionSettingsTest::hexStageQuirks() {
    QFETCH(QString, stored);
    QTEST(DecodeScrambledHex(stored), "bytes");
    QVERIFY(DescramblePassword(QStringLiteral("5bA65AB820DD"), kPasswordSeed) !=
            QStringLiteral("123456"));
}

void ConnectionSettingsTest::scrambleRoundTrip_data() {
    QTest::addColumn<bool>("chinese");
    QTest::newRow("ascii") << false;
    QTest::newRow("chinese and ascii") << true;
}

void ConnectionSettingsTest::scrambleRoundTrip() {
    QFETCH(bool, chinese);
    QRandomGenerator rng(chinese ? 20260715 : 17);
    for (int n = 0; n < 500; ++n) {
        QString password;
        const int length = static_cast<int>(rng.bounded(1, 24));
        for (int i = 0; i < length; ++i) {
            if (chinese && rng.bounded(2) == 0) {
                password += QChar(static_cast<char16_t>(rng.bounded(0x4E00, 0x9FA6)));
            } else {
                password += QChar(static_cast<char16_t>(rng.bounded(1, 128)));
            }
        }
        const QString stored = ScramblePassword(password, kPasswordSeed);
        QCOMPARE(stored.size(), EncodeGbk(password).size() * 2);
        QCOMPARE(stored, stored.toUpper());
        QCOMPARE(DescramblePassword(stored, kPasswordSeed), password);
    }
}

void ConnectionSettingsTest::settingsRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(kConnectionFileName);
    ConnectionSettings s;
    s.server = QStringLiteral("收银台\\SQL2008");
    s.password = QStringLiteral("p;w=d} 密码");
    s.engine = Engine::Sqlite;
    s.sqliteFile = QStringLiteral("data/tzcyerp.db");
    s.odbcDriver = QStringLiteral("ODBC Driver 17 for SQL Server");
    QVERIFY(WriteConnectionSettings(path, s));
    const ConnectionSettings r = ReadConnectionSettings(path);
    QCOMPARE(r.server, s.server);
    QCOMPARE(r.password, s.password);
    QCOMPARE(r.engine, Engine::Sqlite);
    QCOMPARE(r.sqliteFile, s.sqliteFile);
    QCOMPARE(r.odbcDriver, s.odbcDriver);
    // The password is stored scrambled, never in the clear.
    const IniFile ini(path);
    QCOMPARE(ini.readString(kConnectionSection, QStringLiteral("sql_serverpass"), {}),
             ScramblePassword(s.password, kPasswordSeed));
}

void ConnectionSettingsTest::fileWithoutTheKeysMeansLocalSqlServer() {
    QTemporaryDir dir;
    const QString path = dir.filePath(kConnectionFileName);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[sql_conn]\r\nsql_serverpass=\r\n[other]\r\nsql_servername=elsewhere\r\n");
    f.close();
    const ConnectionSettings r = ReadConnectionSettings(path);
    QCOMPARE(r.server, QStringLiteral("."));
    QCOMPARE(r.password, QString());
    QCOMPARE(r.engine, Engine::SqlServer);
    QCOMPARE(r.odbcDriver, QString());
    const ConnectionSettings none = ReadConnectionSettings(dir.filePath(QStringLiteral("x.ini")));
    QCOMPARE(none.server, QStringLiteral("."));
    QCOMPARE(none.engine, Engine::SqlServer);
}

void ConnectionSettingsTest::keysInOtherCaseAndBlanks() {
    QTemporaryDir dir;
    const QString path = dir.filePath(kConnectionFileName);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "[SQL_CONN]\r\nSQL_SERVERNAME =  dbhost  \r\nSql_ServerPass= 19F0 "
        "\r\nSQL_Engine=SQLite\r\n");
    f.close();
    const ConnectionSettings r = ReadConnectionSettings(path);
    QCOMPARE(r.server, QStringLiteral("dbhost"));
    QCOMPARE(r.password, QStringLiteral("sa"));
    QCOMPARE(r.engine, Engine::Sqlite);
}

void ConnectionSettingsTest::connectionStringKeepsEveryValueWhole_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("host");  // SERVER as the driver must see it
    QTest::addColumn<QString>("port");  // PORT, FreeTDS only; empty: no such key
    const QString tds = QStringLiteral("FreeTDS");
    const QString ms = QStringLiteral("ODBC Driver 17 for SQL Server");
    struct Row {
        const char* name;
        QString server;
        QString password;
        QString tdsHost;
        QString tdsPort;
    };
    const Row rows[] = {
        {"plain", "db1", "secret", "db1", ""},
        {"semicolon", "db1", "a;b", "db1", ""},
        {"value that adds a key", "db1;DATABASE=master", "x;UID=admin;PWD=y", "db1;DATABASE=master",
         ""},
        {"braces", "{db1}", "{pw}", "{db1}", ""},
        {"closing brace inside", "db1", "a}b", "db1", ""},
        {"closing brace last", "db1", "ab}", "db1", ""},
        {"only a brace", "db1", "}", "db1", ""},
        {"double braces", "db1", "}}{{", "db1", ""},
        {"equals", "db1", "=", "db1", ""},
        {"blanks", "  db1  ", "  two  blanks ", "db1", ""},
        {"empty password", "db1", "", "db1", ""},
        {"chinese", "收银台\\实例", "密码;}x", "收银台\\实例", ""},
        {"local default instance", ".", "pw", "127.0.0.1", ""},
        {"local named instance", ".\\SQLEXPRESS", "pw", "127.0.0.1\\SQLEXPRESS", ""},
        {"(local) with port", "(LOCAL),1500", "pw", "127.0.0.1", "1500"},
        {"host comma port", "10.0.0.5,1500", "pw", "10.0.0.5", "1500"},
        {"host colon port", "dbhost:1501", "pw", "dbhost", "1501"},
        {"instance", "dbhost\\SQL2008", "pw", "dbhost\\SQL2008", ""},
        {"comma without number", "a,b", "pw", "a,b", ""},
    };
    for (const Row& r : rows) {
        QTest::addRow("FreeTDS %s", r.name)
            << tds << r.server << r.password << r.tdsHost << r.tdsPort;
        QTest::addRow("Microsoft %s", r.name)
            << ms << r.server << r.password << r.server.trimmed() << QString();
    }
}

void ConnectionSettingsTest::connectionStringKeepsEveryValueWhole() {
    QFETCH(QString, driver);
    QFETCH(QString, server);
    QFETCH(QString, password);
    QFETCH(QString, host);
    QFETCH(QString, port);
    const bool freeTds = driver == QLatin1String("FreeTDS");
    QString error;
    const QString cs = BuildOdbcConnectionString(driver, server, kDatabaseName, kDatabaseAccount,
                                                 password, &error);
    QVERIFY2(!cs.isEmpty(), qPrintable(error));
    QVERIFY(cs.endsWith(QLatin1Char(';')));
    Pairs parsed;
    QVERIFY2(ParseConnectionString(cs, freeTds, &parsed), qPrintable(cs));
    using P = QPair<QString, QString>;
    Pairs expected{P("DRIVER", driver), P("SERVER", host)};
    if (freeTds) {
        if (!port.isEmpty()) {
            expected << P("PORT", port);
        }
        expected << P("TDS_Version", "7.1");
    }
    expected << P("DATABASE", "tzcyerp") << P("UID", "sa") << P("PWD", password);
    QCOMPARE(parsed, expected);
}

void ConnectionSettingsTest::freeTdsCannotCarryBraceSemicolon() {
    QString error;
    QVERIFY(BuildOdbcConnectionString(QStringLiteral("FreeTDS"), QStringLiteral("db"),
                                      kDatabaseName, kDatabaseAccount, QStringLiteral("a};b"),
                                      &error)
                .isEmpty());
    QVERIFY2(error.startsWith(QStringLiteral("密码中含有")), qPrintable(error));
    QVERIFY(error.contains(QLatin1String("};")));
    error.clear();
    QVERIFY(BuildOdbcConnectionString(QStringLiteral("FreeTDS"), QStringLiteral("x};y"),
                                      kDatabaseName, kDatabaseAccount, QStringLiteral("p"), &error)
                .isEmpty());
    QVERIFY2(error.startsWith(QStringLiteral("服务器名称中含有")), qPrintable(error));
    // The Microsoft drivers double the brace and take it.
    QVERIFY(!BuildOdbcConnectionString(QStringLiteral("SQL Server"), QStringLiteral("db"),
                                       kDatabaseName, kDatabaseAccount, QStringLiteral("a};b"),
                                       &error)
                 .isEmpty());
}

void ConnectionSettingsTest::emptyDriverMeansThePlatformDefault() {
    QString error;
    const QString cs = BuildOdbcConnectionString(QString(), QStringLiteral("."), kDatabaseName,
                                                 kDatabaseAccount, QString(), &error);
    QVERIFY(cs.startsWith(QStringLiteral("DRIVER={%1};").arg(DefaultOdbcDriver())));
    QVERIFY(cs.endsWith(QLatin1String("PWD={};")));
}

void ConnectionSettingsTest::stationFolder_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("env");
    QTest::addColumn<QString>("folder");
    QTest::newRow("executable folder") << QStringList{"station"} << ""
                                       << "/opt/exe";
    QTest::newRow("environment") << QStringList{"station"} << "/srv/home"
                                 << "/srv/home";
    QTest::newRow("--home wins") << QStringList{"station", "--home", "/a/b"} << "/srv/home"
                                 << "/a/b";
    QTest::newRow("--home=") << QStringList{"station", "--home=/c"} << ""
                             << "/c";
    QTest::newRow("--home without a folder") << QStringList{"station", "--home"} << ""
                                             << "/opt/exe";
}

void ConnectionSettingsTest::stationFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, env);
    QTEST(ResolveStationFolder(arguments, env, QStringLiteral("/opt/exe")), "folder");
}

QTEST_GUILESS_MAIN(ConnectionSettingsTest)
#include "ConnectionSettingsTest.moc"
