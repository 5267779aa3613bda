#pragma once

#include <QStringList>

#include "gui/common/SoundPlayer.h"

// Records the sounds the station plays.
class FakeSoundPlayer final : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& wavPath) override { played << wavPath; }
};
