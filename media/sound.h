// The sound service: plays a WAV file by path without waiting, a new sound cutting off the last.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class QSoundEffect;

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

  private:
    QSoundEffect* effectFor(const QString& wavPath);

    // One effect per file, kept loaded: the game plays the same three sounds over and over.
    std::map<QString, QSoundEffect*> m_effects;
    QSoundEffect* m_current = nullptr;
    std::function<void()> m_beep;
};
