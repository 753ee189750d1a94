// Saying a picture's word aloud, from its recording or else with the system's voice, one word at a
// time.
#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <functional>

class SamplePlayer;
class QTimer;
class SystemVoice;

// The windows say words through this, so that their tests can record what is said instead.
class Voice {
  public:
    virtual ~Voice() = default;
    // Starts saying a word from its recording, or where that is missing or cannot be played and
    // the teacher allows it, with the system's voice; cuts off the word being said. False, with
    // nothing said, when there is no way to say it.
    virtual bool say(const QString& recordingPath, const QString& word, bool systemVoice) = 0;
    virtual bool speaking() const = 0;
    // The language the system's voice speaks from the next word on: another language set was
    // chosen while the game runs. Recordings are not concerned.
    virtual void setLanguage(const QLocale& language) { (void)language; }
    // Called when a word has been said to its end (not when it was cut off).
    std::function<void()> finished;
};

// Plays recordings through Qt Multimedia, apart from the game's sounds, so that a chime never cuts
// a word. A word lasts as long as its file says: an audio output that plays nothing, or late,
// cannot leave the game waiting for a word that never ends. Only the word being said is held in
// memory, not every recording said over a school day.
class RecordingVoice : public QObject, public Voice {
    Q_OBJECT
  public:
    // fallback: the system's voice for words without a playable recording; none keeps them silent.
    explicit RecordingVoice(SystemVoice* fallback = nullptr, QObject* parent = nullptr);

    bool say(const QString& recordingPath, const QString& word, bool systemVoice) override;
    bool speaking() const override;

  private:
    SamplePlayer* m_player;
    QTimer* m_end;
    SystemVoice* m_fallback;
};
