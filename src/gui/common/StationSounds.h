#pragma once

#include <QString>

class SoundPlayer;

// The two sounds of the scan, made by the build into wav/ beside the executable.
enum class StationSound { Success, Failure };

// programFolder/wav/tm_success.wav or tm_fail.wav.
QString StationSoundPath(const QString& programFolder, StationSound sound);

// Plays the file without waiting; a new sound replaces one still playing. A missing file
// plays nothing, and no sound is ever an error.
void PlaySoundFile(SoundPlayer& player, const QString& path);
