// Plays WAV files from memory, checking each file first so that a bad one beeps.
#include "sound.h"
#include "sample_player.h"

#include <QApplication>

SoundEffectPlayer::SoundEffectPlayer(QObject* parent)
    : QObject(parent), m_player(new SamplePlayer(this)), m_beep([] { QApplication::beep(); }) {}

void SoundEffectPlayer::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

void SoundEffectPlayer::play(const QString& wavPath) {
    // The beep stands for the new sound, so it too cuts off the one still playing.
    m_player->stop();
    m_current.clear();
    // The header is read on every play: a sound replaced by a bad file meanwhile beeps.
    if (!readPlayableSound(wavPath)) {
        if (m_beep) m_beep();
        return;
    }
    auto known = m_sounds.find(wavPath);
    if (known == m_sounds.end()) {
        std::optional<PlayableSound> sound = readPlayableSamples(wavPath);
        if (!sound) {
            if (m_beep) m_beep();
            return;
        }
        known = m_sounds.emplace(wavPath, std::move(*sound)).first;
    }
    m_player->play(known->second);
    m_current = wavPath;
}
