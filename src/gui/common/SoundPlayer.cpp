#include "gui/common/SoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent), effect_(new QSoundEffect(this)) {}

void QtSoundPlayer::play(const QString& wavPath) {
    effect_->stop();
    const QUrl url = QUrl::fromLocalFile(wavPath);
    if (effect_->source() != url) {
        effect_->setSource(url);
    }
    effect_->play();
}
