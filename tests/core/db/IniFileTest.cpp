#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/db/IniFile.h"

namespace {

// "中文" and "出品" in GBK.
const QByteArray kZhongWen("\xD6\xD0\xCE\xC4");
const QByteArray kChuPin("\xB3\xF6\xC6\xB7");

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

}  // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("t.ini"));
        QFile::remove(path_);
    }

    void chineseIsWrittenAsGbk();
    void readsAFileWrittenInGbk();
    void namesCompareWithoutCase_data();
    void namesCompareWithoutCase();
    void rewritingAKeyInOtherCaseKeepsOneLine();
    void defaults_data();
    void defaults();
    void missingFileGivesDefaults();
    void otherLinesSurviveAWrite();
    void otherLinesKeepTheirBytes_data();
    void otherLinesKeepTheirBytes();
    void firstWriteCreatesTheFile();
    void invalidGbkNeverCrashes();
    void lineBreaksInAValueCannotAddKeys();
    void writeIntoUnwritableFolderFails();
    void writesDoNotUndoOtherWriters();

private:
    QTemporaryDir dir_;
    QString path_;
};

void IniFileTest::chineseIsWrittenAsGbk() {
    IniFile ini(path_);
    QVERIFY(ini.writeString(QStringLiteral("tzcp_config"), QStringLiteral("name"),
                            QStringLiteral("中文")));
    const QByteArray raw = ReadAll(path_);
    QCOMPARE(raw, QByteArray("[tzcp_config]\r\nname=") + kZhongWen + "\r\n");
    QCOMPARE(EncodeGbk(QStringLiteral("出品")), kChuPin);
    QCOMPARE(DecodeGbk(kChuPin), QStringLiteral("出品"));
}

void IniFileTest::readsAFileWrittenInGbk() {
    WriteAll(path_,
             "[sql_conn]\r\nsql_servername=" + kZhongWen + "\\SQL2008\r\nnote=" + kChuPin + "\r\n");
    const IniFile ini(path_);
    QCOMPARE(ini.readString(QStringLiteral("sql_conn"), QStringLiteral("sql_servername"), {}),
             QStringLiteral("中文\\SQL2008"));
    QCOMPARE(ini.readString(QStringLiteral("sql_conn"), QStringLiteral("note"), {}),
             QStringLiteral("出品"));
}

void IniFileTest::namesCompareWithoutCase_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("as written") << "SQL_Conn"
                                << "Sql_ServerName";
    QTest::newRow("lower") << "sql_conn"
                           << "sql_servername";
    QTest::newRow("upper") << "SQL_CONN"
                           << "SQL_SERVERNAME";
}

void IniFileTest::namesCompareWithoutCase() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    WriteAll(path_, "[other]\r\nsql_servername=wrong\r\n[SQL_Conn]\r\nSql_ServerName=srv\r\n");
    const IniFile ini(path_);
    QCOMPARE(ini.readString(section, key, QStringLiteral("def")), QStringLiteral("srv"));
    QVERIFY(ini.hasKey(section, key));
}

void IniFileTest::rewritingAKeyInOtherCaseKeepsOneLine() {
    WriteAll(path_, "[SQL_Conn]\r\nSql_ServerName=old\r\n");
    IniFile ini(path_);
    QVERIFY(ini.writeString(QStringLiteral("sql_conn"), QStringLiteral("SQL_SERVERNAME"),
                            QStringLiteral("new")));
    QCOMPARE(ReadAll(path_), QByteArray("[SQL_Conn]\r\nSql_ServerName=new\r\n"));
    QCOMPARE(
        IniFile(path_).readString(QStringLiteral("SQL_CONN"), QStringLiteral("sql_servername"), {}),
        QStringLiteral("new"));
}

void IniFileTest::defaults_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");  // readString with default "def"
    QTest::addColumn<int>("number");    // readInt with default 7
    QTest::addColumn<bool>("flag");     // readBool with default true
    const QByteArray file =
        "[s]\r\nn=  42  \r\nz=0\r\nword=abc\r\nmixed=12abc\r\nempty=\r\n"
        "blank=   \r\nsp =  two words  \r\n";
    QTest::newRow("missing section") << file << "t"
                                     << "n"
                                     << "def" << 7 << true;
    QTest::newRow("missing key") << file << "s"
                                 << "nope"
                                 << "def" << 7 << true;
    QTest::newRow("number trimmed") << file << "s"
                                    << "n"
                                    << "42" << 42 << true;
    QTest::newRow("zero") << file << "s"
                          << "z"
                          << "0" << 0 << false;
    QTest::newRow("word") << file << "s"
                          << "word"
                          << "abc" << 7 << true;
    QTest::newRow("digits then word") << file << "s"
                                      << "mixed"
                                      << "12abc" << 7 << true;
    QTest::newRow("empty value") << file << "s"
                                 << "empty"
                                 << "" << 7 << true;
    QTest::newRow("blank value") << file << "s"
                                 << "blank"
                                 << "" << 7 << true;
    QTest::newRow("key and value trimmed") << file << "s"
                                           << "sp"
                                           << "two words" << 7 << true;
}

void IniFileTest::defaults() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    WriteAll(path_, content);
    const IniFile ini(path_);
    QTEST(ini.readString(section, key, QStringLiteral("def")), "text");
    QTEST(ini.readInt(section, key, 7), "number");
    QTEST(ini.readBool(section, key, true), "flag");
}

void IniFileTest::missingFileGivesDefaults() {
    const IniFile ini(dir_.filePath(QStringLiteral("none.ini")));
    QVERIFY(!ini.exists());
    QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("def")),
             QStringLiteral("def"));
    QCOMPARE(ini.readInt(QStringLiteral("s"), QStringLiteral("k"), -3), -3);
    QVERIFY(!ini.readBool(QStringLiteral("s"), QStringLiteral("k"), false));
    QVERIFY(!ini.hasKey(QStringLiteral("s"), QStringLiteral("k")));
}

void IniFileTest::otherLinesSurviveAWrite() {
    const QByteArray before =
        "; made by hand\r\n"
        "stray line before any section\r\n"
        "[a]\r\n"
        "# comment in a\r\n"
        "x=1\r\n"
        "no equals sign here\r\n"
        "=value without key\r\n"
        "[broken\r\n"
        "\r\n"
        "[b]\r\n"
        ";x=commented\r\n"
        "y=2\r\n";
    WriteAll(path_, before);
    IniFile ini(path_);
    // The commented ";x" in [b] is not the key x.
    QCOMPARE(ini.readString(QStringLiteral("b"), QStringLiteral("x"), QStringLiteral("none")),
             QStringLiteral("none"));
    QVERIFY(ini.writeString(QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("10")));
    QVERIFY(ini.writeString(QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("n")));
    QVERIFY(ini.writeString(QStringLiteral("c"), QStringLiteral("z"), QStringLiteral("3")));
    const QByteArray after = ReadAll(path_);
    QCOMPARE(after, QByteArray("; made by hand\r\n"
                               "stray line before any section\r\n"
                               "[a]\r\n"
                               "# comment in a\r\n"
                               "x=10\r\n"
                               "no equals sign here\r\n"
                               "=value without key\r\n"
                               "[broken\r\n"
                               "new=n\r\n"
                               "\r\n"
                               "[b]\r\n"
                               ";x=commented\r\n"
                               "y=2\r\n"
                               "\r\n"
                               "[c]\r\n"
                               "z=3\r\n"));
    const IniFile again(path_);
    QCOMPARE(again.readInt(QStringLiteral("a"), QStringLiteral("x"), 0), 10);
    QCOMPARE(again.readInt(QStringLiteral("b"), QStringLiteral("y"), 0), 2);
    QCOMPARE(again.readInt(QStringLiteral("c"), QStringLiteral("z"), 0), 3);
}

void IniFileTest::otherLinesKeepTheirBytes_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    // Another program's UTF-8, bytes that are no GBK at all, a lone CR and LF line ends.
    // Added lines end as the file's first line does.
    const QByteArray foreign = "name=\xE5\xBC\xA0\xE4\xB8\x89\r\nraw=\x81\x20\xFF\x80\n";
    QTest::newRow("value changed") << "[s]\r\n" + foreign + "k = old\rtail=1"
                                   << "[s]\r\n" + foreign + "k = \xD0\xC2\rtail=1";
    QTest::newRow("key added after a last line without end")
        << "[s]\n" + foreign + "tail=1"
        << "[s]\n" + foreign + "tail=1\nk=\xD0\xC2\n";
    QTest::newRow("section added")
        << foreign + "[t]\nx=1" << foreign + "[t]\nx=1\r\n\r\n[s]\r\nk=\xD0\xC2\r\n";
}

void IniFileTest::otherLinesKeepTheirBytes() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    WriteAll(path_, before);
    IniFile ini(path_);
    QVERIFY(ini.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("新")));
    QCOMPARE(ReadAll(path_), after);
}

void IniFileTest::firstWriteCreatesTheFile() {
    const QString path = dir_.filePath(QStringLiteral("fresh.ini"));
    IniFile ini(path);
    QVERIFY(!ini.exists());
    QVERIFY(ini.writeInt(QStringLiteral("s"), QStringLiteral("n"), 5));
    QVERIFY(ini.exists());
    QVERIFY(ini.writeBool(QStringLiteral("s"), QStringLiteral("b"), true));
    QCOMPARE(ReadAll(path), QByteArray("[s]\r\nn=5\r\nb=1\r\n"));
    QCOMPARE(IniFile(path).readInt(QStringLiteral("S"), QStringLiteral("N"), 0), 5);
}

void IniFileTest::invalidGbkNeverCrashes() {
    // A lead byte without its trail, bytes GBK never uses, a lead byte at the very end.
    static const char bytes[] = "[s]\r\nbad=\x81\x20\xFF\x80ok\r\nnext=1\r\nend=\x81";
    WriteAll(path_, QByteArray(bytes, sizeof bytes - 1));
    IniFile ini(path_);
    const QString bad = ini.readString(QStringLiteral("s"), QStringLiteral("bad"), {});
    QVERIFY(bad.endsWith(QStringLiteral("ok")));
    QCOMPARE(ini.readInt(QStringLiteral("s"), QStringLiteral("next"), 0), 1);
    (void)ini.readString(QStringLiteral("s"), QStringLiteral("end"), {});
    QVERIFY(ini.writeString(QStringLiteral("s"), QStringLiteral("next"), QStringLiteral("2")));
    QCOMPARE(IniFile(path_).readInt(QStringLiteral("s"), QStringLiteral("next"), 0), 2);
    QCOMPARE(DecodeGbk(QByteArray("\x81")).size(), 1);
}

void IniFileTest::lineBreaksInAValueCannotAddKeys() {
    IniFile ini(path_);
    QVERIFY(ini.writeString(QStringLiteral("s"), QStringLiteral("k"),
                            QStringLiteral("a\r\n[s]\r\nother=injected\nb")));
    const IniFile again(path_);
    QVERIFY(!again.hasKey(QStringLiteral("s"), QStringLiteral("other")));
    const QString v = again.readString(QStringLiteral("s"), QStringLiteral("k"), {});
    QVERIFY(v.startsWith(QLatin1Char('a')) && v.endsWith(QLatin1Char('b')));
    QVERIFY(!v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r')));
}

void IniFileTest::writeIntoUnwritableFolderFails() {
    IniFile ini(dir_.filePath(QStringLiteral("no/such/folder/x.ini")));
    QVERIFY(!ini.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
}

void IniFileTest::writesDoNotUndoOtherWriters() {
    WriteAll(path_, "[s]\r\na=1\r\n");
    IniFile held(path_);  // read once, as the main window holds its settings file
    IniFile other(path_);
    QVERIFY(other.writeString(QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("2")));
    WriteAll(path_, ReadAll(path_) + "; edited by hand\r\n[t]\r\nc=3\r\n");
    QVERIFY(held.writeString(QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("10")));
    const IniFile fresh(path_);
    QCOMPARE(fresh.readInt(QStringLiteral("s"), QStringLiteral("a"), 0), 10);
    QCOMPARE(fresh.readInt(QStringLiteral("s"), QStringLiteral("b"), 0), 2);
    QCOMPARE(fresh.readInt(QStringLiteral("t"), QStringLiteral("c"), 0), 3);
    QVERIFY(ReadAll(path_).contains("; edited by hand\r\n"));
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "IniFileTest.moc"
