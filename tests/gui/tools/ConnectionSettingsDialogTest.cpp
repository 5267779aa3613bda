// rod_edididu: the command-line steps through the built executable, the dialog in process.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ConnectionSettingsDialog.h"
#include "ScriptedMessageBoxes.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/EmbeddedSchema.h"

Q_DECLARE_METATYPE(Engine)

namespace {

QString Tool() {
    const QString fromEnv = qEnvironmentVariable("TZCY_ROD_EDIDIDU");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& c : {here.filePath(QStringLiteral("rod_edididu")),
                             here.filePath(QStringLiteral("../bin/rod_edididu"))}) {
        if (QFileInfo(c).isExecutable()) {
            return QFileInfo(c).absoluteFilePath();
        }
    }
    return QString();
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run RunTool(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TZCY_HOME"));
    env.remove(QStringLiteral("DISPLAY"));  // the command-line steps must not need one
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
    p.setProcessEnvironment(env);
    p.start(Tool(), args);
    Run r;
    if (p.waitForStarted() && p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit) {
        r.exitCode = p.exitCode();
    } else {
        p.kill();
        p.waitForFinished();
    }
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString Ini(const QTemporaryDir& dir) {
    return dir.filePath(kConnectionFileName);
}

template <class T>
T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) {
        qFatal("no control %s", name);
    }
    return c;
}

}  // namespace

class ConnectionSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writeReadsBack_data();
    void writeReadsBack();
    void writeKeepsFieldsNotGiven();
    void badArgumentsWriteNothing_data();
    void badArgumentsWriteNothing();
    void testStepReportsTheConnection();
    void dialogFillsFromTheFile();
    void dialogSaysWhyItOpened_data();
    void dialogSaysWhyItOpened();
    void engineChoosesTheFields();
    void testButtonTriesTheFields();
    void saveWritesTheFileAndCancelDoesNot();
    void saveRefusesAPasswordTheFileCannotHold();
};

void ConnectionSettingsDialogTest::initTestCase() {
    QVERIFY2(!Tool().isEmpty(),
             "rod_edididu not found beside the test or in ../bin; build it or set "
             "TZCY_ROD_EDIDIDU");
}

void ConnectionSettingsDialogTest::writeReadsBack_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("file");
    const auto mssql = [](const char* name, const QString& server, const QString& password,
                          const QString& driver) {
        QTest::newRow(name) << QStringList{QStringLiteral("--engine"),   QStringLiteral("mssql"),
                                           QStringLiteral("--server"),   server,
                                           QStringLiteral("--password"), password,
                                           QStringLiteral("--driver"),   driver}
                            << Engine::SqlServer << server << password << driver << QString();
    };
    mssql("plain", QStringLiteral("192.168.1.20"), QStringLiteral("sa123"),
          QStringLiteral("FreeTDS"));
    mssql("semicolon brace quote", QStringLiteral("POS\\SQL2008"), QStringLiteral("a;b}c\"d;"),
          QStringLiteral("ODBC Driver 18 for SQL Server"));
    mssql("chinese", QStringLiteral("收银服务器"), QStringLiteral("密码;檀舟}"),
          QStringLiteral("FreeTDS"));
    mssql("blanks kept", QStringLiteral("."), QStringLiteral("  two blanks "),
          QStringLiteral("FreeTDS"));
    mssql("empty password", QStringLiteral("."), QString(), QStringLiteral("FreeTDS"));
    QTest::newRow("embedded") << QStringList{QStringLiteral("--engine=sqlite"),
                                             QStringLiteral("--file=数据/demo.db")}
                              << Engine::Sqlite << QStringLiteral(".") << QString() << QString()
                              << QStringLiteral("数据/demo.db");
    QTest::newRow("embedded default file")
        << QStringList{QStringLiteral("--engine"), QStringLiteral("sqlite")} << Engine::Sqlite
        << QStringLiteral(".") << QString() << QString() << QStringLiteral("tzcyerp.db");
}

void ConnectionSettingsDialogTest::writeReadsBack() {
    QFETCH(QStringList, args);
    QFETCH(Engine, engine);
    QFETCH(QString, server);
    QFETCH(QString, password);
    QFETCH(QString, driver);
    QFETCH(QString, file);
    QTemporaryDir dir;
    const Run r = RunTool(
        QStringList{QStringLiteral("--home"), dir.path(), QStringLiteral("--write")} + args);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const ConnectionSettings s = ReadConnectionSettings(Ini(dir));
    QCOMPARE(s.engine, engine);
    QCOMPARE(s.server, server);
    QCOMPARE(s.password, password);
    QCOMPARE(s.odbcDriver, driver);
    QCOMPARE(s.sqliteFile, file);
    // The password is never stored as typed.
    QFile f(Ini(dir));
    QVERIFY(f.open(QIODevice::ReadOnly));
    if (password.size() > 2) {
        QVERIFY(!f.readAll().contains(password.toUtf8()));
    }
}

void ConnectionSettingsDialogTest::writeKeepsFieldsNotGiven() {
    QTemporaryDir dir;
    ConnectionSettings old;
    old.server = QStringLiteral("old-server");
    old.password = QStringLiteral("old;pw");
    old.odbcDriver = QStringLiteral("FreeTDS");
    QVERIFY(WriteConnectionSettings(Ini(dir), old));
    QCOMPARE(RunTool({QStringLiteral("--home"), dir.path(), QStringLiteral("--write"),
                      QStringLiteral("--server"), QStringLiteral("new-server")})
                 .exitCode,
             0);
    const ConnectionSettings s = ReadConnectionSettings(Ini(dir));
    QCOMPARE(s.server, QStringLiteral("new-server"));
    QCOMPARE(s.password, old.password);
    QCOMPARE(s.odbcDriver, old.odbcDriver);
    QCOMPARE(s.engine, Engine::SqlServer);
}

void ConnectionSettingsDialogTest::badArgumentsWriteNothing_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown engine") << QStringList{
        QStringLiteral("--write"), QStringLiteral("--engine"), QStringLiteral("oracle")};
    QTest::newRow("value missing")
        << QStringList{QStringLiteral("--write"), QStringLiteral("--server")};
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--write"), QStringLiteral("--port"), QStringLiteral("1433")};
    QTest::newRow("write and test")
        << QStringList{QStringLiteral("--write"), QStringLiteral("--test")};
    QTest::newRow("fields without a step")
        << QStringList{QStringLiteral("--server"), QStringLiteral("x")};
    QTest::newRow("empty server") << QStringList{QStringLiteral("--write"),
                                                 QStringLiteral("--server"), QString()};
    QTest::newRow("line break in password")
        << QStringList{QStringLiteral("--write"), QStringLiteral("--password"),
                       QStringLiteral("a\nsql_servername=evil")};
}

void ConnectionSettingsDialogTest::badArgumentsWriteNothing() {
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const Run r = RunTool(QStringList{QStringLiteral("--home"), dir.path()} + args);
    QVERIFY(r.exitCode > 0);
    QVERIFY(r.err.contains(QStringLiteral("rod_edididu:")));
    QVERIFY(!QFileInfo::exists(Ini(dir)));
}

void ConnectionSettingsDialogTest::testStepReportsTheConnection() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(CreateEmbeddedDatabaseFile(dir.filePath(QStringLiteral("tzcyerp.db")), &error));
    const QStringList base{QStringLiteral("--home"), dir.path(), QStringLiteral("--test"),
                           QStringLiteral("--engine"), QStringLiteral("sqlite")};
    QCOMPARE(RunTool(base).exitCode, 0);
    const Run missing =
        RunTool(base + QStringList{QStringLiteral("--file"), QStringLiteral("nowhere.db")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY2(missing.err.contains(QStringLiteral("nowhere.db")), qPrintable(missing.err));
    QVERIFY(!QFileInfo::exists(Ini(dir)));  // a test writes nothing
}

void ConnectionSettingsDialogTest::dialogFillsFromTheFile() {
    QTemporaryDir dir;
    ConnectionSettings s;
    s.server = QStringLiteral("pos-db\\ERP");
    s.password = QStringLiteral("p;w}\"密");
    s.odbcDriver = QStringLiteral("ODBC Driver 17 for SQL Server");
    QVERIFY(WriteConnectionSettings(Ini(dir), s));
    ScriptedMessageBoxes boxes;
    ConnectionSettingsDialog d(dir.path(), boxes);
    QCOMPARE(d.windowTitle(), QStringLiteral("数据库连接设置"));
    QCOMPARE(Child<QComboBox>(d, "CB_engine")->currentText(), QStringLiteral("SQL Server"));
    QCOMPARE(Child<QLineEdit>(d, "E_server")->text(), s.server);
    QCOMPARE(Child<QLineEdit>(d, "E_password")->text(), s.password);
    QCOMPARE(Child<QLineEdit>(d, "E_password")->echoMode(), QLineEdit::Password);
    QCOMPARE(Child<QComboBox>(d, "CB_driver")->currentText(), s.odbcDriver);
    QVERIFY(Child<QComboBox>(d, "CB_driver")->isEditable());

    QTemporaryDir empty;
    ConnectionSettingsDialog fresh(empty.path(), boxes);
    QCOMPARE(Child<QLineEdit>(fresh, "E_server")->text(), QStringLiteral("."));
    QCOMPARE(Child<QComboBox>(fresh, "CB_driver")->currentText(), DefaultOdbcDriver());
    QVERIFY(Child<QLineEdit>(fresh, "E_password")->text().isEmpty());
}

void ConnectionSettingsDialogTest::dialogSaysWhyItOpened_data() {
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("shown");
    QTest::newRow("missing") << QStringLiteral("missing") << QString()
                             << QStringLiteral("未找到连接配置文件");
    QTest::newRow("failed") << QStringLiteral("failed")
                            << QStringLiteral("Adaptive Server is unavailable")
                            << QStringLiteral("无法连接数据库：Adaptive Server is unavailable");
}

void ConnectionSettingsDialogTest::dialogSaysWhyItOpened() {
    QFETCH(QString, reason);
    QFETCH(QString, error);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ConnectionSettingsDialog d(dir.path(), boxes);
    auto* label = Child<QLabel>(d, "Label_reason");
    QVERIFY(label->isHidden());
    d.setReason(reason, error);
    QVERIFY(!label->isHidden());
    QVERIFY2(label->text().startsWith(shown), qPrintable(label->text()));
}

void ConnectionSettingsDialogTest::engineChoosesTheFields() {
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ConnectionSettingsDialog d(dir.path(), boxes);
    auto* engine = Child<QComboBox>(d, "CB_engine");
    QCOMPARE(engine->itemText(1), QStringLiteral("嵌入式数据库文件"));
    engine->setCurrentIndex(1);
    QVERIFY(!Child<QLineEdit>(d, "E_server")->isEnabled());
    QVERIFY(!Child<QLineEdit>(d, "E_password")->isEnabled());
    QVERIFY(Child<QLineEdit>(d, "E_file")->isEnabled());
    QCOMPARE(d.settings().engine, Engine::Sqlite);
    QCOMPARE(d.settings().sqliteFile, QStringLiteral("tzcyerp.db"));
    engine->setCurrentIndex(0);
    QVERIFY(Child<QLineEdit>(d, "E_server")->isEnabled());
    QVERIFY(!Child<QLineEdit>(d, "E_file")->isEnabled());
}

void ConnectionSettingsDialogTest::testButtonTriesTheFields() {
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ConnectionSettings tried;
    bool works = false;
    ConnectionSettingsDialog d(dir.path(), boxes,
                               [&](const ConnectionSettings& s, const QString&, QString* error) {
                                   tried = s;
                                   if (!works) {
                                       *error = QStringLiteral("Login failed for user 'sa'.");
                                   }
                                   return works;
                               });
    Child<QLineEdit>(d, "E_server")->setText(QStringLiteral("  10.0.0.5  "));
    Child<QLineEdit>(d, "E_password")->setText(QStringLiteral(" secret;} "));
    QTest::mouseClick(Child<QPushButton>(d, "Button_test"), Qt::LeftButton);
    QCOMPARE(tried.server, QStringLiteral("10.0.0.5"));
    QCOMPARE(tried.password, QStringLiteral(" secret;} "));
    QCOMPARE(Child<QLabel>(d, "Label_result")->text(),
             QStringLiteral("连接失败：Login failed for user 'sa'."));
    QCOMPARE(boxes.texts().size(), 1);

    works = true;
    QTest::mouseClick(Child<QPushButton>(d, "Button_test"), Qt::LeftButton);
    QCOMPARE(Child<QLabel>(d, "Label_result")->text(), QStringLiteral("连接成功。"));
    QVERIFY(!QFileInfo::exists(Ini(dir)));  // testing saves nothing
}

void ConnectionSettingsDialogTest::saveWritesTheFileAndCancelDoesNot() {
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    {
        ConnectionSettingsDialog d(dir.path(), boxes);
        Child<QLineEdit>(d, "E_password")->setText(QStringLiteral("x"));
        QTest::mouseClick(Child<QPushButton>(d, "Button_cancel"), Qt::LeftButton);
        QCOMPARE(d.result(), static_cast<int>(QDialog::Rejected));
        QVERIFY(!QFileInfo::exists(Ini(dir)));
    }
    ConnectionSettingsDialog d(dir.path(), boxes);
    Child<QLineEdit>(d, "E_server")->setText(QStringLiteral("erp-db"));
    Child<QLineEdit>(d, "E_password")->setText(QStringLiteral("a;b}\"c檀"));
    Child<QComboBox>(d, "CB_driver")->setCurrentText(QStringLiteral("My Driver"));
    QTest::mouseClick(Child<QPushButton>(d, "Button_save"), Qt::LeftButton);
    QCOMPARE(d.result(), static_cast<int>(QDialog::Accepted));
    const ConnectionSettings s = ReadConnectionSettings(Ini(dir));
    QCOMPARE(s.engine, Engine::SqlServer);
    QCOMPARE(s.server, QStringLiteral("erp-db"));
    QCOMPARE(s.password, QStringLiteral("a;b}\"c檀"));
    QCOMPARE(s.odbcDriver, QStringLiteral("My Driver"));
}

void ConnectionSettingsDialogTest::saveRefusesAPasswordTheFileCannotHold() {
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ConnectionSettingsDialog d(dir.path(), boxes);
    Child<QLineEdit>(d, "E_password")->setText(QStringLiteral("pw\U0001F600"));
    QTest::mouseClick(Child<QPushButton>(d, "Button_save"), Qt::LeftButton);
    QVERIFY(d.result() != static_cast<int>(QDialog::Accepted));
    QVERIFY(!QFileInfo::exists(Ini(dir)));
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY(boxes.texts().first().contains(QStringLiteral("GBK")));
}

QTEST_MAIN(ConnectionSettingsDialogTest)
#include "ConnectionSettingsDialogTest.moc"
