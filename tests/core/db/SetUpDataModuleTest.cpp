#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "TestStation.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/TF_dm.h"

namespace {

class RecordingLauncher final : public ProgramLauncher {
public:
    explicit RecordingLauncher(bool succeed = true) : succeed_(succeed) {}
    bool startDetached(const QString& program, const QStringList& arguments) override {
        programs << program;
        this->arguments << arguments;
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

void SetUpDataModuleTest::toolMissingOrNotStarting_data() {
    QTest::addColumn<bool>("toolPresent");
    QTest::addColumn<bool>("launcherSucceeds");
    QTest::newRow("tool nowhere") << false << true;
    QTest::newRow("launcher fails") << true << false;
}

void SetUpDataModuleTest::toolMissingOrNotStarting() {
    QFETCH(bool, toolPresent);
    QFETCH(bool, launcherSucceeds);
    QTemporaryDir station;
    QTemporaryDir program;
    if (toolPresent) {
        MakeTool(program.path());
    }
    TF_dm dm;
    RecordingLauncher launcher(launcherSucceeds);
    const SetUpResult r = SetUpDataModule(dm, station.path(), program.path(), launcher);
    QCOMPARE(r.outcome, SetUpOutcome::ToolMissing);
    QCOMPARE(launcher.programs.size(), toolPresent ? 1 : 0);
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
