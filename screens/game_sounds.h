// The game screen's sounds: which file plays each of the core's sounds, and how long it lasts.
#pragma once

#include "game.h"

#include <QString>
#include <functional>

class Sound;

// Only the screen knows where the files are: it hands in the function that gives a file's path.
class GameSounds {
  public:
    using AssetPath = std::function<QString(const char16_t* relative)>;
    GameSounds(Sound& sound, AssetPath assetPath);

    void play(SoundId sound);
    // How long a sound plays, so that a word found is said after its chime.
    qint64 soundMs(SoundId sound) const;

  private:
    Sound& m_sound;
    AssetPath m_assetPath;
};
