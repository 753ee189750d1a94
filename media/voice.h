// Saying a picture's word aloud from its recording, one word at a time.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QSoundEffect;
class QTimer;

// The windows say words through this, so that their tests can record what is said instead.
class Voice {
  public:
    virtual ~Voice() = default;
    // Starts saying a word from its recording, cutting off the word being said. False, with
    // nothing said, when the recording is missing or cannot be played.
    virtual bool say(const QString& recordingPath) = 0;
    virtual bool speaking() const = 0;
    // Called when a word has been said to its end (not when it was cut off).
    std::function<void()> finished;
};

// Plays recordings through Qt Multimedia, apart from the game's sounds, so that a chime never cuts
// a word. A word lasts as long as its file says: an audio output that plays nothing, or late,
// cannot leave the game waiting for a word that never ends.
class RecordingVoice : public QObject, public Voice {
    Q_OBJECT
  public:
    explicit RecordingVoice(QObject* parent = nullptr);

    bool say(const QString& recordingPath) override;
    bool speaking() const override;

  private:
    QSoundEffect* m_effect = nullptr;
    QTimer* m_end;
};

class RecordingVoiceFake : public Voice {
  public:
    QStringList said;
    bool talking = false;
    QStringList playable; // the recordings that can be said
    bool say(const QString& recordingPath) override {
        if (!playable.contains(recordingPath)) return false;
        said << recordingPath;
        talking = true;
        return true;
    }
    bool speaking() const override { return talking; }
    void endWord() {
        talking = false;
        if (finished) finished();
    }
};
