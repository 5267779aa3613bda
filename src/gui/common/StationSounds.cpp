#include "gui/common/StationSounds.h"

#include <QDir>
#include <QFileInfo>

#include "gui/common/SoundPlayer.h"

QString StationSoundPath(const QString& programFolder, StationSound sound) {
    const QString name = sound == StationSound::Success ? QStringLiteral("tm_success.wav")
                                                        : QStringLiteral("tm_fail.wav");
    return QDir(programFolder).filePath(QStringLiteral("wav/") + name);
}

void PlaySoundFile(SoundPlayer& player, const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return;
    }
    try {
        player.play(path);
    } catch (...) {
        // A sound is a courtesy: whatever the player does, the scan goes on.
    }
}
