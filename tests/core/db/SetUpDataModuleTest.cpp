#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "TestStation.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/TF_dm.h"

Q_DECLARE_METATYPE(SetUpOutcome)

namespace {

class RecordingLauncher final : public ProgramLauncher {
public:
    explicit RecordingLauncher(bool succeed = true) : succeed_(succeed) {}
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override {
        programs << program;
        this->arguments << arguments;
        if (!succeed_) {
            *error = QStringLiteral("refused");
        }
        return succeed_;
    }
    QStringList programs;
    QList<QStringList> arguments;

private:
    bool succeed_;
};

QString MakeTool(const QString& folder, bool executable = true) {
    const QString path = QDir(folder).filePath(kConfigToolName);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return {};
    }
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(executable ? (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
                                : (QFile::ReadOwner | QFile::WriteOwner));
    return QFileInfo(path).absoluteFilePath();
}

QString ArgAfter(const QStringList& args, const QString& name) {
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
}

void WriteIni(const QString& station, const QByteArray& text) {
    QFile f(QDir(station).filePath(kConnectionFileName));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void WriteSqliteSettings(const QString& station, const QString& file) {
    ConnectionSettings s;
    s.engine = Engine::Sqlite;
    s.sqliteFile = file;
    QVERIFY(WriteConnectionSettings(QDir(station).filePath(kConnectionFileName), s));
}

}  // namespace

class SetUpDataModuleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { qputenv("PATH", oldPath_); }

    void opensTheEmbeddedDatabase();
    void missingFileStartsTheTool();
    void failedOpenStartsTheToolWithTheError_data();
    void failedOpenStartsTheToolWithTheError();
    void unknownEngineIsNamed();
    void anotherSchemaIsNamed();
    void hugeSettingStillStartsTheTool();
    void launcherTellsWhyNot();
    void toolMissingOrNotStarting_data();
    void toolMissingOrNotStarting();
    void programFolderBeforeSearchPath();

private:
    QByteArray oldPath_;
    QTemporaryDir pathDir_;  // the only folder on the search path
};

void SetUpDataModuleTest::initTestCase() {
    QVERIFY(pathDir_.isValid());
    oldPath_ = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(pathDir_.path()));
}

void SetUpDataModuleTest::opensTheEmbeddedDatabase() {
    TestStation st;
    TF_dm dm;
    QTemporaryDir program;
    MakeTool(program.path());
    RecordingLauncher launcher;
    const SetUpResult r = SetUpDataModule(dm, st.folder(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::Opened);
    QVERIFY(dm.ADOConn.isOpen());
    QCOMPARE(dm.ADOConn.engine(), Engine::Sqlite);
    QVERIFY(launcher.programs.isEmpty());
}

void SetUpDataModuleTest::missingFileStartsTheTool() {
    QTemporaryDir station;
    QTemporaryDir program;
    const QString tool = MakeTool(program.path());
    TF_dm dm;
    RecordingLauncher launcher;
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::ToolStarted);
    QCOMPARE(launcher.programs, QStringList{tool});
    QCOMPARE(ArgAfter(launcher.arguments.first(), QStringLiteral("--reason")),
             QStringLiteral("missing"));
    QCOMPARE(ArgAfter(launcher.arguments.first(), QStringLiteral("--home")), station.path());
    QVERIFY(!dm.ADOConn.isOpen());
    QVERIFY(!QFileInfo::exists(QDir(station.path()).filePath(kConnectionFileName)));
}

void SetUpDataModuleTest::failedOpenStartsTheToolWithTheError_data() {
    QTest::addColumn<QByteArray>("fileContent");  // null: no database file at all
    QTest::newRow("database file missing") << QByteArray();
    // SQLite would take an empty file for a new, empty database.
    QTest::newRow("empty file") << QByteArray("");
    QTest::newRow("not a database")
        << QByteArray("this is not an SQLite file, just text\n").repeated(50);
}

void SetUpDataModuleTest::failedOpenStartsTheToolWithTheError() {
    QFETCH(QByteArray, fileContent);
    QTemporaryDir station;
    QTemporaryDir program;
    const QString tool = MakeTool(program.path());
    WriteSqliteSettings(station.path(), QStringLiteral("tzcyerp.db"));
    if (!fileContent.isNull()) {
        QFile f(QDir(station.path()).filePath(QStringLiteral("tzcyerp.db")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fileContent);
    }
    TF_dm dm;
    RecordingLauncher launcher;
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::ToolStarted);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(!dm.ADOConn.isOpen());
    QCOMPARE(launcher.programs, QStringList{tool});
    const QStringList& args = launcher.arguments.first();
    QCOMPARE(ArgAfter(args, QStringLiteral("--reason")), QStringLiteral("failed"));
    QCOMPARE(ArgAfter(args, QStringLiteral("--error")), r.error);
    QCOMPARE(r.error, dm.ADOConn.lastError());
    // The file is left as it was.
    if (!fileContent.isNull()) {
        QFile f(QDir(station.path()).filePath(QStringLiteral("tzcyerp.db")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), fileContent);
    }
}

void SetUpDataModuleTest::unknownEngineIsNamed() {
    QTemporaryDir station;
    QTemporaryDir program;
    MakeTool(program.path());
    WriteIni(station.path(), "[sql_conn]\r\nsql_engine=oracle\r\nsql_servername=erp\r\n");
    TF_dm dm;
    RecordingLauncher launcher;
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::ToolStarted);
    QCOMPARE(r.error, UnknownEngineText(QStringLiteral("oracle")));
    QVERIFY(r.error.contains(QStringLiteral("“oracle”无法识别")));
    QCOMPARE(ArgAfter(launcher.arguments.first(), QStringLiteral("--error")), r.error);
    QVERIFY(!dm.ADOConn.isOpen());
}

void SetUpDataModuleTest::anotherSchemaIsNamed() {
    QTemporaryDir station;
    QTemporaryDir program;
    MakeTool(program.path());
    WriteSqliteSettings(station.path(), QStringLiteral("other.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("o"));
        db.setDatabaseName(QDir(station.path()).filePath(QStringLiteral("other.db")));
        QVERIFY(db.open());
        QSqlQuery(db).exec(QStringLiteral("create table customers (id TEXT)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("o"));
    TF_dm dm;
    RecordingLauncher launcher;
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::ToolStarted);
    QVERIFY2(r.error.startsWith(QStringLiteral("数据库中缺少表 users")), qPrintable(r.error));
    QVERIFY(!dm.ADOConn.isOpen());
}

void SetUpDataModuleTest::hugeSettingStillStartsTheTool() {
    QTemporaryDir station;
    QTemporaryDir program;
    // Started for real, and gone at once: it reads nothing of the folders the test removes.
    QVERIFY(
        QFile::link(QStandardPaths::findExecutable(QStringLiteral("true"), {"/bin", "/usr/bin"}),
                    QDir(program.path()).filePath(kConfigToolName)));
    // A megabyte of file name: its error text would not fit the argument list.
    WriteSqliteSettings(station.path(), QString(1 << 20, QLatin1Char('f')));
    TF_dm dm;
    ProcessLauncher real;
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), real);
    QCOMPARE(r.outcome, SetUpOutcome::ToolStarted);
    QVERIFY(r.error.size() > (1 << 20));
    QCOMPARE(ToolErrorArgument(r.error).size(),
             kToolErrorMaxChars + QStringLiteral("…（以下省略）").size());
    QCOMPARE(ToolErrorArgument(QStringLiteral("short")), QStringLiteral("short"));
}

void SetUpDataModuleTest::launcherTellsWhyNot() {
    QTemporaryDir program;
    const QString tool = MakeTool(program.path());
    QString why;
    QVERIFY(!ProcessLauncher().startDetached(tool, {QString(200000, QLatin1Char('x'))}, &why));
    QVERIFY(!why.isEmpty());
}

void SetUpDataModuleTest::toolMissingOrNotStarting_data() {
    QTest::addColumn<bool>("toolPresent");
    QTest::addColumn<bool>("launcherSucceeds");
    QTest::addColumn<SetUpOutcome>("outcome");
    QTest::newRow("tool nowhere") << false << true << SetUpOutcome::ToolNotFound;
    QTest::newRow("launcher fails") << true << false << SetUpOutcome::ToolNotStarted;
}

void SetUpDataModuleTest::toolMissingOrNotStarting() {
    QFETCH(bool, toolPresent);
    QFETCH(bool, launcherSucceeds);
    QFETCH(SetUpOutcome, outcome);
    QTemporaryDir station;
    QTemporaryDir program;
    if (toolPresent) {
        MakeTool(program.path());
    }
    TF_dm dm;
    RecordingLauncher launcher(launcherSucceeds);
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, outcome);
    QCOMPARE(launcher.programs.size(), toolPresent ? 1 : 0);
    QCOMPARE(r.toolError, toolPresent ? QStringLiteral("refused") : QString());
    QVERIFY(r.error.contains(QStringLiteral("找不到连接配置文件")));
}

void SetUpDataModuleTest::programFolderBeforeSearchPath() {
    QTemporaryDir program;
    const QString onPath = MakeTool(pathDir_.path());
    QCOMPARE(FindConfigTool(program.path()), onPath);
    // A file that cannot be run does not count.
    MakeTool(program.path(), false);
    QCOMPARE(FindConfigTool(program.path()), onPath);
    const QString local = MakeTool(program.path());
    QCOMPARE(FindConfigTool(program.path()), local);
    QFile::remove(onPath);
    QFile::remove(local);
    QCOMPARE(FindConfigTool(program.path()), QString());
}

QTEST_GUILESS_MAIN(SetUpDataModuleTest)
#include "SetUpDataModuleTest.moc"
