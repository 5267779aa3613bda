#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "FakeSoundPlayer.h"
#include "gui/common/SoundPlayer.h"
#include "gui/common/StationSounds.h"

class StationSoundsTest : public QObject {
    Q_OBJECT

private slots:
    void theBuildMakesBothSounds();
    void missingFilePlaysNothing();
    void unplayableFileIsNoError();
};

void StationSoundsTest::theBuildMakesBothSounds() {
    const QString folder = QCoreApplication::applicationDirPath();
    QByteArray previous;
    for (StationSound sound : {StationSound::Success, StationSound::Failure}) {
        const QString path = StationSoundPath(folder, sound);
        QVERIFY2(path.endsWith(sound == StationSound::Success ? "/wav/tm_success.wav"
                                                              : "/wav/tm_fail.wav"),
                 qPrintable(path));
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray wav = f.readAll();
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 20), quint16(1));  // PCM
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const quint32 data = qFromLittleEndian<quint32>(wav.constData() + 40);
        QCOMPARE(qsizetype(data) + 44, wav.size());
        // A sound, not silence, and not the other sound.
        QVERIFY(wav.mid(44).count('\0') < wav.size() / 2);
        QVERIFY(wav != previous);
        previous = wav;
    }
}

void StationSoundsTest::missingFilePlaysNothing() {
    QTemporaryDir dir;
    FakeSoundPlayer player;
    PlaySoundFile(player, StationSoundPath(dir.path(), StationSound::Success));
    QVERIFY(player.played.isEmpty());

    QDir(dir.path()).mkdir("wav");
    const QString path = StationSoundPath(dir.path(), StationSound::Failure);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    PlaySoundFile(player, path);
    QCOMPARE(player.played, QStringList{path});
}

void StationSoundsTest::unplayableFileIsNoError() {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("wav");
    const QString garbage = StationSoundPath(dir.path(), StationSound::Failure);
    QFile f(garbage);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a sound at all");
    f.close();
    QtSoundPlayer player;
    PlaySoundFile(player, garbage);
    PlaySoundFile(player, StationSoundPath(dir.path(), StationSound::Success));
    PlaySoundFile(player,
                  StationSoundPath(QCoreApplication::applicationDirPath(), StationSound::Success));
    QCoreApplication::processEvents();
}

QTEST_MAIN(StationSoundsTest)
#include "StationSoundsTest.moc"
