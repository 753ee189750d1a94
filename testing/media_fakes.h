// Stand-ins for the sound and voice services that record what a window asked of them.
#pragma once

#include "sound.h"
#include "voice.h"

#include <QString>
#include <QStringList>

class RecordingSound : public Sound {
  public:
    QStringList played;
    void play(const QString& wavPath) override { played << wavPath; }
};

class RecordingVoiceFake : public Voice {
  public:
    QStringList said;
    bool talking = false;
    QStringList playable;     // the recordings that can be said
    bool systemVoice = false; // whether the words without one can be said by the system
    bool say(const QString& recordingPath, const QString& word, bool allowed) override {
        if (playable.contains(recordingPath))
            said << recordingPath;
        else if (systemVoice && allowed)
            said << QStringLiteral("system: ") + word;
        else
            return false;
        talking = true;
        return true;
    }
    bool speaking() const override { return talking; }
    void endWord() {
        talking = false;
        if (finished) finished();
    }
};
