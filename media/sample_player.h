// One sound at a time, from samples held in memory, through an audio output of its own.
#pragma once

#include "wav_file.h"

#include <QObject>

class QAudioSink;

// The sound and voice players play through this rather than QSoundEffect, which keeps every file
// it ever played, decoded, until the program ends: Qt's sample cache has no limit unless one is
// set, and it cannot be set from outside Qt. Here only the sound being played is held, and only
// until it has been played out. Without a sound card nothing is played, quietly.
class SamplePlayer : public QObject {
    Q_OBJECT
  public:
    explicit SamplePlayer(QObject* parent = nullptr);
    ~SamplePlayer() override;

    // Cuts off the sound still playing.
    void play(const PlayableSound& sound);
    void stop();

  private:
    QAudioSink* m_output = nullptr;
};
