#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "StationServices.h"
#include "gui/alerts/ServedAnnouncer.h"
#include "gui/common/StationSounds.h"

namespace {

SpeechVoice Voice(const QString& name, const QString& description, const QString& language) {
    return {name, description, language};
}

const QList<SpeechVoice> kEspeak{
    Voice("gmw/en-US", "English (America)", "en-us"),
    Voice("sit/cmn", "Chinese (Mandarin, latin as English)", "cmn"),
    Voice("sit/cmn-Latn-pinyin", "Chinese (Mandarin, latin as Pinyin)", "cmn-latn-pinyin"),
    Voice("sit/yue", "Chinese (Cantonese)", "yue")};

const QList<SpeechVoice> kWindows{Voice("Anna", "Microsoft Anna - English (United States)", "409"),
                                  Voice("Lili", "Microsoft Simplified Chinese", "804"),
                                  Voice("Huihui", "Microsoft Simplified Chinese", "804")};

int ProcessesWith(const QString& marker) {
    int n = 0;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmd("/proc/" + pid + "/cmdline");
        if (pid.toLongLong() != QCoreApplication::applicationPid() &&
            cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains(marker.toUtf8())) {
            ++n;
        }
    }
    return n;
}

}  // namespace

class ServedAnnouncerTest : public QObject {
    Q_OBJECT

private slots:
    void announcement_data();
    void announcement();
    void chooseVoice_data();
    void chooseVoice();
    void voicesAreAskedForOnce();
    void unreachableEngineSoundsTheFailure();
    void aHangingEngineNeverBlocks();
};

void ServedAnnouncerTest::announcement_data() {
    QTest::addColumn<QString>("yybc");
    QTest::addColumn<int>("yysd");
    QTest::addColumn<QString>("dish");
    QTest::addColumn<QStringList>("spoken");
    QTest::addColumn<int>("rate");
    QTest::newRow("voice off") << "N" << 3 << "宫保鸡丁" << QStringList{} << 0;
    QTest::newRow("a name") << "Y" << 0 << "宫保鸡丁" << QStringList{"宫保鸡丁已上"} << 0;
    QTest::newRow("marks are not spoken, slowest rate")
        << "Y" << -10 << "【特价】鱼-片" << QStringList{"特价鱼片已上"} << -10;
    QTest::newRow("a name of marks only, fastest rate")
        << "Y" << 10 << "(*)" << QStringList{"已上"} << 10;
}

void ServedAnnouncerTest::announcement() {
    QFETCH(QString, yybc);
    QFETCH(int, yysd);
    QFETCH(QString, dish);
    StationServices s;
    s.settings.YYBC = yybc;
    s.settings.YYSD = yysd;
    s.speech.installed = kEspeak;
    ServedAnnouncer voice(s.ctx, QCoreApplication::applicationDirPath());
    voice.AnnounceServedDish(dish);
    QTEST(s.speech.spoken, "spoken");
    QTEST(s.speech.rate, "rate");
    QCOMPARE(s.speech.voiceListings, yybc == "Y" ? 1 : 0);
    QVERIFY(s.sound.played.isEmpty());
}

void ServedAnnouncerTest::chooseVoice_data() {
    QTest::addColumn<QList<SpeechVoice>>("voices");
    QTest::addColumn<QString>("chosen");  // empty: none
    QTest::newRow("the last Microsoft Simplified Chinese") << kWindows << "Huihui";
    QTest::newRow("espeak-ng: its plain Mandarin voice") << kEspeak << "sit/cmn";
    QTest::newRow("only a variant") << QList<SpeechVoice>{kEspeak.at(2)} << "sit/cmn-Latn-pinyin";
    QTest::newRow("no Chinese voice") << QList<SpeechVoice>{kEspeak.at(0), kEspeak.at(3)} << "";
    QTest::newRow("no voices") << QList<SpeechVoice>{} << "";
}

void ServedAnnouncerTest::chooseVoice() {
    QFETCH(QList<SpeechVoice>, voices);
    QFETCH(QString, chosen);
    QCOMPARE(ServedAnnouncer::ChooseVoice(voices).value_or(QString()), chosen);

    // No Chinese voice: the engine keeps its own choice.
    StationServices s;
    s.settings.YYBC = "Y";
    s.speech.installed = voices;
    s.speech.voice = "engine default";
    ServedAnnouncer(s.ctx, QString()).AnnounceServedDish("鱼");
    QCOMPARE(s.speech.voice, chosen.isEmpty() ? QStringLiteral("engine default") : chosen);
}

void ServedAnnouncerTest::voicesAreAskedForOnce() {
    StationServices s;
    s.settings.YYBC = "Y";
    s.speech.installed = kWindows;
    ServedAnnouncer voice(s.ctx, QString());
    voice.AnnounceServedDish("宫保鸡丁");
    voice.AnnounceServedDish("清蒸鲈鱼");
    QCOMPARE(s.speech.voiceListings, 1);
    QCOMPARE(s.speech.spoken, (QStringList{"宫保鸡丁已上", "清蒸鲈鱼已上"}));
    QCOMPARE(s.speech.voice, QStringLiteral("Huihui"));
}

void ServedAnnouncerTest::unreachableEngineSoundsTheFailure() {
    StationServices s;
    s.settings.YYBC = "Y";
    s.speech.unreachable = true;
    const QString folder = QCoreApplication::applicationDirPath();
    ServedAnnouncer voice(s.ctx, folder);
    voice.AnnounceServedDish("宫保鸡丁");
    QVERIFY(s.speech.spoken.isEmpty());
    QCOMPARE(s.sound.played, QStringList{StationSoundPath(folder, StationSound::Failure)});
    // Installed meanwhile: the next announcement asks again and speaks.
    s.speech.unreachable = false;
    s.speech.installed = kEspeak;
    voice.AnnounceServedDish("宫保鸡丁");
    QCOMPARE(s.speech.spoken, QStringList{"宫保鸡丁已上"});
}

void ServedAnnouncerTest::aHangingEngineNeverBlocks() {
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath("hanging-espeak");
    {
        QFile f(program);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // Lists its voices, then never finishes speaking, like an engine stuck on a missing
        // sound device. It waits in the shell itself: a child caught between fork and exec
        // would show the marker twice.
        f.write(
            "#!/bin/sh\n"
            "if [ \"$1\" = --voices ]; then\n"
            "  echo 'Pty Language Age/Gender VoiceName File Other Languages'\n"
            "  echo ' 5  cmn --/M Chinese_(Mandarin) sit/cmn (zh 5)'\n"
            "  exit 0\n"
            "fi\n"
            "read never\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    const QString marker = QStringLiteral("hangs%1x").arg(QCoreApplication::applicationPid());
    {
        EspeakSpeechEngine engine(program);
        StationServices s;
        s.settings.YYBC = "Y";
        StationContext ctx{s.db.dm(), s.state, s.settings,    s.boxes,   s.clock, s.ticks,
                           s.sound,   engine,  s.db.folder(), &s.window, s.health};
        ServedAnnouncer voice(ctx, QString());
        voice.AnnounceServedDish(marker + "1");
        // Back while the first is still "speaking": nothing waited for it.
        QTRY_COMPARE_WITH_TIMEOUT(ProcessesWith(marker + "1"), 1, 5000);
        voice.AnnounceServedDish(marker + "2");
        QTRY_COMPARE_WITH_TIMEOUT(ProcessesWith(marker + "2"), 1, 5000);
        QCOMPARE(ProcessesWith(marker + "1"), 0);  // cut off
        QVERIFY(s.sound.played.isEmpty());
    }
    QCOMPARE(ProcessesWith(marker), 0);  // and nothing outlives the station
}

QTEST_MAIN(ServedAnnouncerTest)
#include "ServedAnnouncerTest.moc"
