// The file of each of the core's sounds, played through the sound service.
#include "game_sounds.h"

#include "asset_paths.h"
#include "sound.h"
#include "wav_file.h"

#include <QFileInfo>
#include <utility>

namespace {

// The file that plays each of the core's sounds.
const char16_t* soundFile(SoundId sound) {
    switch (sound) {
    case SoundId::Success:
        return assets::SuccessSound;
    case SoundId::Final:
        return assets::FinalSound;
    case SoundId::Lost:
        return assets::LostSound;
    case SoundId::Error:
        break;
    }
    return assets::ErrorSound;
}

} // namespace

GameSounds::GameSounds(Sound& sound, AssetPath assetPath)
    : m_sound(sound), m_assetPath(std::move(assetPath)) {}

void GameSounds::play(SoundId sound) {
    const QString path = m_assetPath(soundFile(sound));
    // A play folder copied before the lost round had its sound lacks the file: that round ends
    // quietly rather than with the beep that stands in for a broken sound.
    if (sound == SoundId::Lost && !QFileInfo::exists(path)) return;
    m_sound.play(path);
}

// The beep that stands in for a bad file is short.
qint64 GameSounds::soundMs(SoundId sound) const {
    constexpr qint64 BeepMs = 200;
    const std::optional<WavInfo> info = readPlayableSound(m_assetPath(soundFile(sound)));
    return info ? info->durationMs() : BeepMs;
}
