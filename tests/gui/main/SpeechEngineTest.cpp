#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

#include "gui/common/SpeechEngine.h"

class SpeechEngineTest : public QObject {
    Q_OBJECT

private slots:
    void parsesTheVoiceTable();
    void missingEngineIsUnreachableNotAHang();
    void newSpeechCutsOffTheOldAndNothingOutlivesTheEngine();

private:
    static QString Script(const QTemporaryDir& dir, const QByteArray& body) {
        const QString path = QDir(dir.path()).filePath("fake-espeak");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n" + body);
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    static int ProcessesWith(const QString& marker) {
        int n = 0;
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile cmd("/proc/" + pid + "/cmdline");
            if (cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains(marker.toUtf8()) &&
                pid.toLongLong() != QCoreApplication::applicationPid()) {
                ++n;
            }
        }
        return n;
    }
};

static const char* kListing =
    "Pty Language       Age/Gender VoiceName          File                 Other Languages\n"
    " 5  en-us           --/M      English_(America)  gmw/en-US            (en 3)\n"
    " 5  cmn             --/M      Chinese_(Mandarin,_latin_as_English) sit/cmn "
    "             (zh-cmn 5)(zh 5)\n"
    " 5  yue             --/M      Chinese_(Cantonese) sit/yue              (zh-yue 5)(zh 8)\n";

void SpeechEngineTest::parsesTheVoiceTable() {
    const QList<SpeechVoice> voices = ParseEspeakVoices(QString::fromLatin1(kListing));
    QCOMPARE(voices.size(), 3);
    QCOMPARE(voices.at(1).name, QStringLiteral("sit/cmn"));
    QCOMPARE(voices.at(1).language, QStringLiteral("cmn"));
    QCOMPARE(voices.at(1).description, QStringLiteral("Chinese (Mandarin, latin as English)"));
    QCOMPARE(IsChineseVoice(voices.at(0)), false);
    QCOMPARE(IsChineseVoice(voices.at(1)), true);
    QCOMPARE(IsChineseVoice(voices.at(2)), false);
    QVERIFY(HasChineseVoice(voices));
    QVERIFY(!HasChineseVoice({voices.at(0), voices.at(2)}));
}

void SpeechEngineTest::missingEngineIsUnreachableNotAHang() {
    EspeakSpeechEngine engine(QStringLiteral("/nonexistent/espeak-ng"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, engine.voices());
    engine.speak(QStringLiteral("宫保鸡丁已上"));  // nothing to start: no error, no wait
}

void SpeechEngineTest::newSpeechCutsOffTheOldAndNothingOutlivesTheEngine() {
    QTemporaryDir dir;
    const QString marker = QStringLiteral("marker-%1").arg(QCoreApplication::applicationPid());
    // A speaker that never finishes by itself, like an engine stuck on a missing device. It
    // waits in the shell itself: a child caught between fork and exec would show the marker
    // twice for a moment.
    const QString program = Script(dir, "read never\n");
    {
        EspeakSpeechEngine engine(program);
        engine.setRate(10);
        QCOMPARE(engine.wordsPerMinute(), 295);
        engine.speak(marker + "-1");
        engine.speak(marker + "-2");
        QTRY_COMPARE_WITH_TIMEOUT(ProcessesWith(marker + "-2"), 1, 5000);
        QCOMPARE(ProcessesWith(marker + "-1"), 0);
    }
    QCOMPARE(ProcessesWith(marker), 0);
}

QTEST_MAIN(SpeechEngineTest)
#include "SpeechEngineTest.moc"
