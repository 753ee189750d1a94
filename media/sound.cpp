// Plays WAV files through QSoundEffect, checking each file first so that a bad one beeps.
#include "sound.h"
#include "wav_file.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

SoundEffectPlayer::SoundEffectPlayer(QObject* parent)
    : QObject(parent), m_beep([] { QApplication::beep(); }) {}

void SoundEffectPlayer::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

void SoundEffectPlayer::play(const QString& wavPath) {
    // The beep stands for the new sound, so it too cuts off the one still playing.
    if (m_current) m_current->stop();
    m_current = nullptr;
    // QSoundEffect reports a bad file only later, through its status, and plays nothing; the
    // header says at once, so the beep can stand in.
    if (!readPlayableSound(wavPath)) {
        if (m_beep) m_beep();
        return;
    }
    // Every other effect is already stopped, so this one starts from its beginning.
    m_current = effectFor(wavPath);
    m_current->play();
}

QSoundEffect* SoundEffectPlayer::effectFor(const QString& wavPath) {
    auto found = m_effects.find(wavPath);
    if (found != m_effects.end()) return found->second;
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(wavPath));
    m_effects.emplace(wavPath, effect);
    return effect;
}
