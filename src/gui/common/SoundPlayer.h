#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays a WAV file without waiting; a new sound replaces one still playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
};

// QSoundEffect only warns when there is no audio device, so a silent machine is fine.
class QtSoundPlayer final : public QObject, public SoundPlayer {
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    void play(const QString& wavPath) override;

private:
    QSoundEffect* effect_;
};
