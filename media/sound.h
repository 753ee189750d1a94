// The sound service: plays a WAV file by path without waiting, a new sound cutting off the last.
#pragma once

#include "wav_file.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class SamplePlayer;

// Windows play their sounds through this so that their tests can record them instead.
class Sound {
  public:
    virtual ~Sound() = default;
    // Returns at once and the sound plays on; the next call cuts it off.
    virtual void play(const QString& wavPath) = 0;
};

// Plays through Qt Multimedia. A file that cannot be played gives the beep instead, so the
// player always hears that something happened; no audio output at all is silently tolerated.
class SoundEffectPlayer : public QObject, public Sound {
    Q_OBJECT
  public:
    explicit SoundEffectPlayer(QObject* parent = nullptr);

    void play(const QString& wavPath) override;
    // Replaces QApplication::beep(), for tests and for a quiet classroom.
    void setBeep(std::function<void()> beep);
    // The file last started, until the next sound or beep cuts it off.
    QString current() const { return m_current; }

  private:
    // Each file's samples, read once: the game plays the same few sounds over and over.
    std::map<QString, PlayableSound> m_sounds;
    SamplePlayer* m_player;
    QString m_current;
    std::function<void()> m_beep;
};
